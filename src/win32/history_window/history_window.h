// The History window: a resizable top-level window with its own taskbar button, its size and place
// remembered under the settings key ("frmHistory"). It loads the history when it opens and lets
// go of it when it closes; while open it takes the day in progress every few seconds. Choices are
// plain combo boxes and buttons; the calendar and the two bar charts are ChartViews painting the
// core's pictures.
#pragma once

#include <windows.h>

#include <memory>
#include <string_view>
#include <vector>

#include "core/history/history_layout.h"
#include "core/history/history_view.h"
#include "win32/hint_window.h"
#include "win32/history_window/chart_view.h"
#include "win32/history_window/clicks_page.h"
#include "win32/history_window/history_host.h"
#include "win32/history_window/keyboard_page.h"
#include "win32/history_window/page_window.h"

namespace quillo {

inline constexpr wchar_t kHistoryWindowClass[] = L"TfrmHistory";
inline constexpr char kHistoryPlacementSubkey[] = "frmHistory";

// The controls' ids (the end-to-end tests read them).
enum HistoryControl : int {
  kIdMeasureLabel = 1001,
  kIdMeasure = 1002,
  kIdPreviousYear = 1003,
  kIdYear = 1004,
  kIdNextYear = 1005,
  kIdSave = 1006,
  kIdCalendar = 1010,
  kIdTotalsLabel = 1011,
  kIdGrouping = 1012,
  kIdRangeLabel = 1013,
  kIdRange = 1014,
  kIdBars = 1020,
  kIdHours = 1021,
  // The pages' buttons (kIdPageButton + the page's index) and the pages.
  kIdPageButton = 1030,
  kIdChartsPage = 1035,
  kIdKeyboardPage = 1036,
  kIdClicksPage = 1037,
};

class HistoryWindow final : private ChartView::Owner, private KeyboardPage::Host {
 public:
  explicit HistoryWindow(HistoryHost host);
  ~HistoryWindow() override;
  HistoryWindow(const HistoryWindow&) = delete;
  HistoryWindow& operator=(const HistoryWindow&) = delete;

  // Loads the history and shows the window; false when it could not be created.
  bool Open();
  // A second "History..." while it is open: the window, restored, in front.
  void BringForward();
  HWND hwnd() const { return hwnd_; }
  // Keys for the window in the message loop: F1, then Tab, Shift+Tab and the dialog keys among
  // its controls. True when the message was handled.
  bool PreTranslate(MSG& msg);

 private:
  static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept;
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp);
  void CreateControls();
  // The font for the window's DPI, given to every control and measured for the charts.
  void ApplyFont();
  // Captions, title and choices in the panel's language.
  void ApplyTexts();
  HistoryLayoutInput LayoutInput(int width, int height) const;
  void LayOut();
  // The day in progress and the settings of now; charts that changed are painted anew.
  void Refresh();
  // After a choice or a selection: the year's controls, and every chart painted anew.
  void Changed();
  void OnCommand(int id, int code);
  void SaveCsv();
  void ShowError(const std::string& text);
  HistoryViewOptions Options() const;
  // A page: its button and its window; adding one is a line in CreateControls.
  void AddPage(HWND window);
  void ShowPage(size_t index);
  void ApplyPageNames();
  ChartView* ViewOf(HistoryPane pane);
  ChartView::Owner& Owner() { return *this; }

  // ChartView::Owner.
  ChartPicture DrawChart(HistoryPane pane, int width, int height, bool focused) override;
  std::string DescribeChart(HistoryPane pane, int32_t index) override;
  int32_t ChartSelection(HistoryPane pane) override;
  void ChartClicked(HistoryPane pane, int32_t index) override;
  void ChartKeyPressed(HistoryPane pane, ChartKey key) override;
  HFONT ChartFontHandle() override { return font_; }

  // KeyboardPage::Host.
  const HistoryView& PageHistory() override { return *view_; }
  HFONT PageFont() override { return font_; }
  const ChartFont& PageChartFont() override { return chartFont_; }
  int PageDpi() override { return dpi_; }
  int PageControlHeight() override;
  void PageError(const std::string& text) override { ShowError(text); }

  HistoryHost host_;
  HWND hwnd_ = nullptr;
  HWND measure_ = nullptr, grouping_ = nullptr, range_ = nullptr;
  HWND previousYear_ = nullptr, year_ = nullptr, nextYear_ = nullptr, save_ = nullptr;
  HWND measureLabel_ = nullptr, totalsLabel_ = nullptr, rangeLabel_ = nullptr;
  HWND focus_ = nullptr;  // the control that had the focus when the window was left
  struct Page {
    HWND button = nullptr, window = nullptr;
  };
  std::vector<Page> pages_;
  size_t page_ = 0;
  std::unique_ptr<PageWindow> charts_;
  std::unique_ptr<KeyboardPage> keyboard_;
  std::unique_ptr<ClicksPage> clicks_;
  std::unique_ptr<HistoryView> view_;
  std::unique_ptr<HintWindow> hint_;
  std::unique_ptr<ChartView> calendar_, bars_, hours_;
  HFONT font_ = nullptr;
  HDC measureDc_ = nullptr;  // a memory DC with the font, for the charts' text widths
  ChartFont chartFont_;
  int dpi_ = 96;
  int language_ = -1;  // of the texts applied
};

}  // namespace quillo
