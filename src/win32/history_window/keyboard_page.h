// The History window's keyboard page: the range around the calendar's selected day, "Save
// picture...", and the heatmap of the keys as a ChartView painting the core's KeyboardView. The
// keys and their captions follow the keyboard layout active in the window.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "core/history/keyboard_view.h"
#include "win32/hint_window.h"
#include "win32/history_window/chart_view.h"
#include "win32/history_window/page_window.h"

namespace quillo {

// The page's controls' ids (the end-to-end tests read them).
enum KeyboardControl : int {
  kIdKeyRangeLabel = 1041,
  kIdKeyRange = 1042,
  kIdSavePicture = 1043,
  kIdKeyboard = 1044,
};

class KeyboardPage final : private ChartView::Owner {
 public:
  // What the page takes from the window it is in.
  class Host {
   public:
    virtual ~Host() = default;
    virtual const HistoryView& PageHistory() = 0;
    virtual HFONT PageFont() = 0;
    virtual const ChartFont& PageChartFont() = 0;
    virtual int PageDpi() = 0;
    virtual int PageControlHeight() = 0;
    virtual void PageError(const std::string& text) = 0;
  };

  KeyboardPage(HINSTANCE instance, HWND parent, int id, Host& host, HintWindow& hint);
  HWND hwnd() const { return page_.hwnd(); }
  HWND keyboard() const { return chart_->hwnd(); }
  // The panel's language: captions, choices and the named keys.
  void ApplyTexts();
  void LayOut();
  // The history, the selected day or the options changed; also the keyboard layout, if it did.
  void Changed();
  // Every few seconds: repainted only when the figures or the keyboard layout changed.
  void Refresh();
  // The width its controls' row needs.
  int MinimumWidth() const;

 private:
  void OnCommand(int id, int code);
  void SavePicture();
  // The keys of the layout active now, when it is not the one shown.
  bool TakeLayout();

  // ChartView::Owner.
  ChartPicture DrawChart(HistoryPane pane, int width, int height, bool focused) override;
  std::string DescribeChart(HistoryPane pane, int32_t index) override;
  int32_t ChartSelection(HistoryPane pane) override;
  void ChartClicked(HistoryPane pane, int32_t index) override;
  void ChartKeyPressed(HistoryPane pane, ChartKey key) override;
  HFONT ChartFontHandle() override { return host_.PageFont(); }

  Host& host_;
  PageWindow page_;
  HWND rangeLabel_ = nullptr, range_ = nullptr, save_ = nullptr;
  std::unique_ptr<ChartView> chart_;
  KeyboardView view_;
  HKL layout_ = nullptr;
  int language_ = -1;
};

}  // namespace quillo
