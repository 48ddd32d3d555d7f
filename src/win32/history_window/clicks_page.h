// The History window's click map page: the range around the calendar's selected day, the buttons
// shown, "Save picture...", and the ClickMapView. The places are read for the range when the page
// is shown or its range changes (they are the bulk of a long history); the days that no longer
// change are then held added up into one record, and the day in progress beside it is refreshed.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>

#include "core/history/click_map.h"
#include "win32/hint_window.h"
#include "win32/history_window/click_map_view.h"
#include "win32/history_window/keyboard_page.h"
#include "win32/history_window/page_window.h"

namespace quillo {

// The page's controls' ids (the end-to-end tests read them).
enum ClicksControl : int {
  kIdClickRangeLabel = 1051,
  kIdClickRange = 1052,
  kIdClickButtons = 1053,
  kIdClickSavePicture = 1054,
  kIdClickMap = 1055,
};

class ClicksPage {
 public:
  // `loadPlaces` reads the days from and to the day numbers given, with their places.
  ClicksPage(HINSTANCE instance, HWND parent, int id, KeyboardPage::Host& host, HintWindow& hint,
             std::function<HistoryData(int32_t, int32_t)> loadPlaces);
  HWND hwnd() const { return page_.hwnd(); }
  HWND map() const { return view_->hwnd(); }
  void ApplyTexts();
  void LayOut();
  // The history, the selected day or the options changed (read again when the page is shown).
  // True when the map was shown anew.
  bool Changed();
  // Every few seconds, with the day in progress as the window just took it: shown anew when the
  // range holds it, the page is shown and its places changed.
  void Refresh(const DayRecord& today);
  int MinimumWidth() const;

 private:
  struct Widths {
    int label, range, buttons, save;
  };
  Widths TextWidths() const;
  void OnCommand(int id, int code);
  void SavePicture();
  // Reads the places of the range now chosen, if they are not those held, and shows them.
  bool Load();
  void ShowMap();

  KeyboardPage::Host& host_;
  std::function<HistoryData(int32_t, int32_t)> loadPlaces_;
  PageWindow page_;
  HWND rangeLabel_ = nullptr, range_ = nullptr, buttons_ = nullptr, save_ = nullptr;
  std::unique_ptr<ClickMapView> view_;
  ClickRange rangeChoice_ = ClickRange::kMonth;
  ClickButtons buttonsChoice_ = ClickButtons::kAll;
  bool stale_ = true;     // the places held are not those of the range chosen
  DaySpan span_;          // of the places held
  DayRecord past_, day_;  // the days of the span that are over, added up; the day in progress
  int language_ = -1;
};

}  // namespace quillo
