// The History window's messages, controls and layout, mapped onto the core's HistoryView.
#include "win32/history_window/history_window.h"

#include <algorithm>

#include "core/history/history_csv.h"
#include "core/panel/history_texts.h"
#include "core/panel/keyboard_texts.h"
#include "win32/file_dialog.h"
#include "win32/file_io.h"
#include "win32/icon_title_font.h"
#include "win32/message_boxes.h"
#include "win32/registry_store.h"
#include "win32/win_platform.h"

namespace quillo {
namespace {

constexpr UINT_PTR kRefreshTimer = 1;
// The day in progress is taken this often: what is typed shows within seconds.
constexpr UINT kRefreshMs = 5000;
// The first size, at 96 DPI, until the user gives it one.
constexpr int kDefaultWidth = 1000, kDefaultHeight = 760;
// How far a combo box's list drops, at 96 DPI.
constexpr int kListHeight = 240;

int Scaled(int value, int dpi) {
  return MulDiv(value, dpi, 96);
}

std::wstring LocaleText(LCTYPE type, const wchar_t* fallback) {
  wchar_t text[16] = {};
  return GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, type, text, 16) > 0 ? text : fallback;
}

void Fill(HWND combo, const std::vector<std::string>& items, int selected) {
  SendMessageW(combo, CB_RESETCONTENT, 0, 0);
  for (const std::string& item : items)
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(item).c_str()));
  SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
}

int Selection(HWND combo) {
  return static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0));
}

void Place(HDWP& batch, HWND control, const ChartRect& r, int extraHeight = 0) {
  if (batch)
    batch = DeferWindowPos(batch, control, nullptr, r.left, r.top, r.right - r.left,
                           r.bottom - r.top + extraHeight, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

HistoryWindow::HistoryWindow(HistoryHost host) : host_(std::move(host)) {}

HistoryWindow::~HistoryWindow() {
  if (hwnd_) DestroyWindow(hwnd_);
  if (measureDc_) DeleteDC(measureDc_);  // first: the font is selected into it
  if (font_) DeleteObject(font_);
}

HistoryViewOptions HistoryWindow::Options() const {
  HistoryViewOptions o;
  o.metric = host_.metric();
  o.language = host_.language();
  o.style.decimal = host_.decimal();
  o.style.thousands = Narrow(LocaleText(LOCALE_STHOUSAND, L","));
  // A locale that groups with its decimal mark would make 1.234 ambiguous: then no grouping.
  if (o.style.thousands == std::string(1, o.style.decimal)) o.style.thousands.clear();
  const std::wstring first = LocaleText(LOCALE_IFIRSTDAYOFWEEK, L"0");
  o.firstWeekday = std::clamp(first[0] - L'0', 0, 6);  // 0 is Monday there too
  return o;
}

bool HistoryWindow::Open() {
  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  if (!GetClassInfoExW(host_.instance, kHistoryWindowClass, &wc)) {
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = WndProc;
    wc.hInstance = host_.instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.hIcon = LoadIconW(host_.instance, MAKEINTRESOURCEW(1));
    wc.lpszClassName = kHistoryWindowClass;
    if (!RegisterClassExW(&wc)) return false;
  }
  const DayRecord today = host_.today();
  SYSTEMTIME now;
  GetLocalTime(&now);
  view_ = std::make_unique<HistoryView>(host_.load(), today.day, now.wHour, Options());
  view_->UpdateToday(today);

  // No owner: a window of its own, with its own taskbar button.
  hwnd_ = CreateWindowExW(WS_EX_CONTROLPARENT, kHistoryWindowClass, L"",
                          WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT, CW_USEDEFAULT,
                          CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, host_.instance, this);
  if (!hwnd_) return false;
  // First in the middle of the monitor the pointer is on, then where the user left it.
  POINT pointer;
  GetCursorPos(&pointer);
  MONITORINFO mi{};
  mi.cbSize = sizeof mi;
  GetMonitorInfoW(MonitorFromPoint(pointer, MONITOR_DEFAULTTOPRIMARY), &mi);
  const RECT& work = mi.rcWork;
  const int w = std::min<int>(Scaled(kDefaultWidth, dpi_), work.right - work.left);
  const int h = std::min<int>(Scaled(kDefaultHeight, dpi_), work.bottom - work.top);
  SetWindowPos(hwnd_, nullptr, work.left + (work.right - work.left - w) / 2,
               work.top + (work.bottom - work.top - h) / 2, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
  RestoreWindowPlacement(hwnd_, kHistoryPlacementSubkey, true);
  ShowWindow(hwnd_, SW_SHOWNORMAL);
  SetForegroundWindow(hwnd_);
  SetFocus(calendar_->hwnd());
  RedrawWindow(hwnd_, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  SetTimer(hwnd_, kRefreshTimer, kRefreshMs, nullptr);
  QueryPerformanceCounter(&end);
  const long long ms = (end.QuadPart - start.QuadPart) * 1000 / frequency.QuadPart;
  if (host_.debugLine)
    host_.debugLine("History window: " + std::to_string(view_->history().days.size()) +
                    " days, open in " + std::to_string(ms) + " ms");
  return true;
}

void HistoryWindow::BringForward() {
  if (!hwnd_) return;
  if (IsIconic(hwnd_)) ShowWindow(hwnd_, SW_RESTORE);
  SetForegroundWindow(hwnd_);
}

bool HistoryWindow::PreTranslate(MSG& msg) {
  if (!hwnd_ || (msg.hwnd != hwnd_ && !IsChild(hwnd_, msg.hwnd))) return false;
  if (msg.message == WM_KEYDOWN && msg.wParam == VK_F1) {
    if (host_.help) host_.help();
    return true;
  }
  // Ctrl+Tab and Ctrl+Shift+Tab go from page to page, as in a tabbed dialog.
  if (msg.message == WM_KEYDOWN && msg.wParam == VK_TAB && (GetKeyState(VK_CONTROL) & 0x8000) &&
      !pages_.empty()) {
    const size_t n = pages_.size();
    const size_t to = (GetKeyState(VK_SHIFT) & 0x8000) ? (page_ + n - 1) % n : (page_ + 1) % n;
    ShowPage(to);
    SetFocus(pages_[to].button);
    return true;
  }
  return IsDialogMessageW(hwnd_, &msg) != FALSE;
}

// The pages' names, in the order of their buttons.
constexpr KeyboardText kPageNames[] = {KeyboardText::chartsPage, KeyboardText::keyboardPage,
                                       KeyboardText::clicksPage};

void HistoryWindow::AddPage(HWND window) {
  Page p;
  p.window = window;
  const int id = kIdPageButton + static_cast<int>(pages_.size());
  // Push-like radio buttons in one group: the arrow keys go from page to page, as on tabs.
  p.button = CreateWindowExW(0, L"BUTTON", L"",
                             WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON | BS_PUSHLIKE |
                                 (pages_.empty() ? WS_GROUP | WS_TABSTOP : 0),
                             0, 0, 1, 1, hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                             host_.instance, nullptr);
  // Before every page in the order Tab takes.
  SetWindowPos(p.button, pages_.empty() ? HWND_TOP : pages_.back().button, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  pages_.push_back(p);
}

void HistoryWindow::ShowPage(size_t index) {
  if (index >= pages_.size()) return;
  page_ = index;
  for (size_t i = 0; i < pages_.size(); ++i) {
    SendMessageW(pages_[i].button, BM_SETCHECK, i == index ? BST_CHECKED : BST_UNCHECKED, 0);
    ShowWindow(pages_[i].window, i == index ? SW_SHOW : SW_HIDE);
  }
  const HWND focus = GetFocus();
  if (!focus || !IsWindowVisible(focus)) SetFocus(pages_[index].button);
  if (hint_) hint_->Hide();
  if (clicks_ && pages_[index].window == clicks_->hwnd()) clicks_->Changed();  // read when shown
}

void HistoryWindow::ApplyPageNames() {
  for (size_t i = 0; i < pages_.size(); ++i)
    SetWindowTextW(pages_[i].button, Widen(KeyboardWindowText(kPageNames[i], language_)).c_str());
}

int HistoryWindow::PageControlHeight() {
  // A drop-down list's window is as high as its closed box: the buttons are made as high.
  RECT combo{};
  GetWindowRect(measure_, &combo);
  return std::max<int>(combo.bottom - combo.top, chartFont_.height + Scaled(6, dpi_));
}

void HistoryWindow::CreateControls() {
  charts_ = std::make_unique<PageWindow>(host_.instance, hwnd_, kIdChartsPage,
                                         [this](int id, int code) { OnCommand(id, code); });
  const HWND page = charts_->hwnd();
  auto make = [this, page](const wchar_t* cls, DWORD style, int id) {
    return CreateWindowExW(0, cls, L"", WS_CHILD | WS_VISIBLE | style, 0, 0, 1, 1, page,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), host_.instance,
                           nullptr);
  };
  constexpr DWORD kCombo = CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;
  constexpr DWORD kLabel = SS_LEFT | SS_CENTERIMAGE | SS_NOPREFIX;
  // Made in the order Tab goes through them.
  measureLabel_ = make(L"STATIC", kLabel, kIdMeasureLabel);
  measure_ = make(L"COMBOBOX", kCombo, kIdMeasure);
  previousYear_ = make(L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, kIdPreviousYear);
  year_ = make(L"STATIC", SS_CENTER | SS_CENTERIMAGE, kIdYear);
  nextYear_ = make(L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, kIdNextYear);
  calendar_ = std::make_unique<ChartView>(host_.instance, page, kIdCalendar, HistoryPane::kCalendar,
                                          Owner(), *hint_);
  totalsLabel_ = make(L"STATIC", kLabel, kIdTotalsLabel);
  grouping_ = make(L"COMBOBOX", kCombo, kIdGrouping);
  rangeLabel_ = make(L"STATIC", kLabel, kIdRangeLabel);
  range_ = make(L"COMBOBOX", kCombo, kIdRange);
  bars_ = std::make_unique<ChartView>(host_.instance, page, kIdBars, HistoryPane::kBars, Owner(),
                                      *hint_);
  hours_ = std::make_unique<ChartView>(host_.instance, page, kIdHours, HistoryPane::kHours, Owner(),
                                       *hint_);
  save_ = make(L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, kIdSave);
  SetWindowTextW(previousYear_, L"<");
  SetWindowTextW(nextYear_, L">");
  keyboard_ = std::make_unique<KeyboardPage>(host_.instance, hwnd_, kIdKeyboardPage,
                                             static_cast<KeyboardPage::Host&>(*this), *hint_);
  AddPage(page);
  clicks_ = std::make_unique<ClicksPage>(host_.instance, hwnd_, kIdClicksPage,
                                         static_cast<KeyboardPage::Host&>(*this), *hint_,
                                         host_.loadPlaces);
  AddPage(keyboard_->hwnd());
  AddPage(clicks_->hwnd());
  ShowPage(0);
}

void HistoryWindow::ApplyFont() {
  HFONT old = font_;
  font_ = IconTitleFontFor(dpi_);
  if (!font_) font_ = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  // Every control of every page.
  EnumChildWindows(
      hwnd_,
      [](HWND c, LPARAM font) {
        SendMessageW(c, WM_SETFONT, static_cast<WPARAM>(font), FALSE);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(font_));
  hint_->SetFont(font_);
  if (!measureDc_) measureDc_ = CreateCompatibleDC(nullptr);
  SelectObject(measureDc_, font_);
  if (old && old != font_) DeleteObject(old);
  TEXTMETRICW tm{};
  GetTextMetricsW(measureDc_, &tm);
  chartFont_.height = tm.tmHeight;
  chartFont_.width = [dc = measureDc_](std::string_view text) {
    const std::wstring w = Widen(text);
    SIZE size{};
    GetTextExtentPoint32W(dc, w.c_str(), static_cast<int>(w.size()), &size);
    return static_cast<int>(size.cx);
  };
}

void HistoryWindow::ApplyTexts() {
  language_ = host_.language();
  auto text = [this](HistoryText row) { return Widen(HistoryWindowText(row, language_)); };
  SetWindowTextW(hwnd_, text(HistoryText::title).c_str());
  SetWindowTextW(measureLabel_, text(HistoryText::measure).c_str());
  SetWindowTextW(totalsLabel_, text(HistoryText::totalsPer).c_str());
  SetWindowTextW(rangeLabel_, text(HistoryText::range).c_str());
  SetWindowTextW(save_, text(HistoryText::saveCsv).c_str());
  Fill(measure_, view_->MeasureChoices(), static_cast<int>(view_->measure()));
  Fill(grouping_, view_->GroupingChoices(), static_cast<int>(view_->grouping()));
  Fill(range_, view_->RangeChoices(), static_cast<int>(view_->range()));
  ApplyPageNames();
  keyboard_->ApplyTexts();
  clicks_->ApplyTexts();
}

HistoryLayoutInput HistoryWindow::LayoutInput(int width, int height) const {
  HistoryLayoutInput in;
  in.width = width;
  in.height = height;
  in.dpi = dpi_;
  in.controlHeight = const_cast<HistoryWindow*>(this)->PageControlHeight();
  in.textWidth = chartFont_.width;
  auto label = [this](HistoryText row) {
    return std::string(HistoryWindowText(row, host_.language()));
  };
  in.measureLabel = label(HistoryText::measure);
  in.totalsLabel = label(HistoryText::totalsPer);
  in.rangeLabel = label(HistoryText::range);
  in.saveText = label(HistoryText::saveCsv);
  auto widest = [this](const std::vector<std::string>& items) {
    int w = 0;
    for (const std::string& i : items) w = std::max(w, chartFont_.width(i));
    return w;
  };
  in.measureWidth = widest(view_->MeasureChoices());
  in.groupingWidth = widest(view_->GroupingChoices());
  in.rangeWidth = widest(view_->RangeChoices());
  in.calendarHeight = [this](int w) { return view_->CalendarHeight(w, chartFont_); };
  return in;
}

void HistoryWindow::LayOut() {
  RECT rc;
  GetClientRect(hwnd_, &rc);
  if (rc.right <= 0 || rc.bottom <= 0) return;  // minimised
  std::vector<int> names;
  for (size_t i = 0; i < pages_.size(); ++i)
    names.push_back(chartFont_.width(KeyboardWindowText(kPageNames[i], language_)));
  const PagesLayout pages = LayOutPages(rc.right, rc.bottom, dpi_, PageControlHeight(), names);
  for (size_t i = 0; i < pages_.size(); ++i) {
    const ChartRect& b = pages.buttons[i];
    const ChartRect& w = pages.page;
    SetWindowPos(pages_[i].button, nullptr, b.left, b.top, b.right - b.left, b.bottom - b.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(pages_[i].window, nullptr, w.left, w.top, w.right - w.left, w.bottom - w.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  const HistoryLayout l = LayOutHistoryWindow(
      LayoutInput(pages.page.right - pages.page.left, pages.page.bottom - pages.page.top));
  const int list = Scaled(kListHeight, dpi_);
  HDWP batch = BeginDeferWindowPos(13);
  Place(batch, measureLabel_, l.measureLabel);
  Place(batch, measure_, l.measure, list);
  Place(batch, previousYear_, l.previousYear);
  Place(batch, year_, l.year);
  Place(batch, nextYear_, l.nextYear);
  Place(batch, save_, l.save);
  Place(batch, calendar_->hwnd(), l.calendar);
  Place(batch, totalsLabel_, l.totalsLabel);
  Place(batch, grouping_, l.grouping, list);
  Place(batch, rangeLabel_, l.rangeLabel);
  Place(batch, range_, l.range, list);
  Place(batch, bars_->hwnd(), l.bars);
  Place(batch, hours_->hwnd(), l.hours);
  if (batch) EndDeferWindowPos(batch);
  keyboard_->LayOut();
  clicks_->LayOut();
  InvalidateRect(hwnd_, nullptr, TRUE);  // the gaps between the controls
}

void HistoryWindow::Changed() {
  const bool back = view_->CanStepYear(-1), on = view_->CanStepYear(1);
  const HWND focus = GetFocus();
  if ((focus == previousYear_ && !back) || (focus == nextYear_ && !on))
    SetFocus(calendar_->hwnd());  // a button about to be greyed would keep the keyboard
  EnableWindow(previousYear_, back);
  EnableWindow(nextYear_, on);
  SetWindowTextW(year_, std::to_wstring(view_->year()).c_str());
  // The range of the calendar's year names that year.
  const std::vector<std::string> ranges = view_->RangeChoices();
  const int yearChoice = static_cast<int>(HistoryRange::kYear);
  wchar_t shown[64] = {};
  SendMessageW(range_, CB_GETLBTEXT, static_cast<WPARAM>(yearChoice),
               reinterpret_cast<LPARAM>(shown));
  if (Widen(ranges[static_cast<size_t>(yearChoice)]) != shown)
    Fill(range_, ranges, static_cast<int>(view_->range()));
  for (ChartView* v : {calendar_.get(), bars_.get(), hours_.get()}) v->Changed();
  keyboard_->Changed();
  clicks_->Changed();
}

void HistoryWindow::Refresh() {
  const HistoryViewOptions options = Options();
  const HistoryViewOptions& was = view_->options();
  bool changed = false;
  if (options.language != was.language || options.metric != was.metric ||
      options.style.decimal != was.style.decimal ||
      options.style.thousands != was.style.thousands || options.firstWeekday != was.firstWeekday) {
    view_->SetOptions(options);
    if (language_ != options.language) {
      ApplyTexts();
      LayOut();
    }
    changed = true;
  }
  const DayRecord today = host_.today();
  if (today.day != view_->today()) {
    // A new day: the one that ended is read back whole, as it was kept.
    SYSTEMTIME now;
    GetLocalTime(&now);
    auto fresh = std::make_unique<HistoryView>(host_.load(), today.day, now.wHour, options);
    fresh->SetMeasure(view_->measure());
    fresh->SetGrouping(view_->grouping());
    fresh->SetRange(view_->range());
    view_ = std::move(fresh);
    changed = true;
  }
  if (view_->UpdateToday(today)) changed = true;
  if (changed)
    Changed();
  else
    keyboard_->Refresh();
  clicks_->Refresh(today);
}

ChartView* HistoryWindow::ViewOf(HistoryPane pane) {
  return pane == HistoryPane::kCalendar ? calendar_.get()
         : pane == HistoryPane::kBars   ? bars_.get()
                                        : hours_.get();
}

ChartPicture HistoryWindow::DrawChart(HistoryPane pane, int width, int height, bool focused) {
  return view_->Picture(pane, width, height, chartFont_, focused);
}

std::string HistoryWindow::DescribeChart(HistoryPane pane, int32_t index) {
  return view_->Describe(pane, index);
}

int32_t HistoryWindow::ChartSelection(HistoryPane pane) {
  return view_->Selected(pane);
}

void HistoryWindow::ChartClicked(HistoryPane pane, int32_t index) {
  if (view_->Select(pane, index)) Changed();
}

void HistoryWindow::ChartKeyPressed(HistoryPane pane, ChartKey key) {
  if (view_->Move(pane, key)) Changed();
  ViewOf(pane)->ShowSelectionHint();
}

void HistoryWindow::OnCommand(int id, int code) {
  switch (id) {
    case kIdMeasure:
      if (code == CBN_SELCHANGE)
        view_->SetMeasure(static_cast<HistoryMeasure>(Selection(measure_)));
      break;
    case kIdGrouping:
      if (code == CBN_SELCHANGE)
        view_->SetGrouping(static_cast<HistoryGrouping>(Selection(grouping_)));
      break;
    case kIdRange:
      if (code == CBN_SELCHANGE) view_->SetRange(static_cast<HistoryRange>(Selection(range_)));
      break;
    case kIdPreviousYear:
    case kIdNextYear:
      view_->StepYear(id == kIdPreviousYear ? -1 : 1);
      break;
    case kIdSave:
      SaveCsv();
      return;
    case kIdPageButton:
    case kIdPageButton + 1:
    case kIdPageButton + 2:
    case kIdPageButton + 3:
      if (code == BN_CLICKED) ShowPage(static_cast<size_t>(id - kIdPageButton));
      return;
    case IDCANCEL:  // Escape
      PostMessageW(hwnd_, WM_CLOSE, 0, 0);
      return;
    default:
      return;
  }
  Changed();
}

void HistoryWindow::ShowError(const std::string& text) {
  ShowErrorBox(hwnd_, text);
}

void HistoryWindow::SaveCsv() {
  Refresh();  // the day in progress as it is now
  const int language = host_.language();
  FileDialogRequest request;
  request.owner = hwnd_;
  request.save = true;
  request.filterName = HistoryWindowText(HistoryText::csvFiles, language);
  request.pattern = "*.csv";
  request.defaultExtension = "csv";
  request.suggestedName = "Quillomat " + IsoDate(view_->today()) + ".csv";
  request.askBeforeReplacing = true;
  const auto path = AskFilePath(request, [this](const std::string& t) { ShowError(t); });
  if (!path) return;
  CsvStyle style;
  style.listSeparator = Narrow(LocaleText(LOCALE_SLIST, L","));
  style.decimal = host_.decimal();
  style.metric = host_.metric();
  style.language = language;
  const auto error = ReplaceWholeFile(Widen(*path), HistoryCsv(view_->history(), style), L"csv");
  if (error)
    ShowError(std::string(HistoryWindowText(HistoryText::saveFailed, language)) + "\n" + *path +
              ": " + *error);
}

LRESULT CALLBACK HistoryWindow::WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
  HistoryWindow* self = nullptr;
  if (msg == WM_NCCREATE) {
    self = static_cast<HistoryWindow*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    self->hwnd_ = hwnd;
  } else {
    self = reinterpret_cast<HistoryWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  }
  if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
  try {
    return self->Handle(msg, wp, lp);
  } catch (const std::exception& e) {
    ShowErrorBox(hwnd, e.what());
    return 0;
  }
}

LRESULT HistoryWindow::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CREATE: {
      const UINT dpi = GetDpiForWindow(hwnd_);
      dpi_ = dpi ? static_cast<int>(dpi) : 96;
      hint_ = std::make_unique<HintWindow>(host_.instance, hwnd_);
      CreateControls();
      ApplyFont();
      ApplyTexts();
      Changed();
      return 0;
    }
    case WM_SIZE:
      if (wp != SIZE_MINIMIZED && view_) LayOut();
      return 0;
    case WM_GETMINMAXINFO:
      if (view_ && measure_) {
        const ClientSize min = HistoryMinimumSize(LayoutInput(0, 0));
        const PagesLayout pages = LayOutPages(0, 0, dpi_, PageControlHeight(), {});
        RECT r{0, 0, std::max({min.width, keyboard_->MinimumWidth(), clicks_->MinimumWidth()}),
               min.height + pages.page.top};
        AdjustWindowRectExForDpi(&r, static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_STYLE)), FALSE,
                                 static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_EXSTYLE)),
                                 static_cast<UINT>(dpi_));
        auto* mmi = reinterpret_cast<MINMAXINFO*>(lp);
        mmi->ptMinTrackSize = {r.right - r.left, r.bottom - r.top};
      }
      return 0;
    case WM_DPICHANGED: {
      dpi_ = HIWORD(wp);
      ApplyFont();
      const RECT* suggested = reinterpret_cast<const RECT*>(lp);
      SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top,
                   suggested->right - suggested->left, suggested->bottom - suggested->top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
      LayOut();
      Changed();
      return 0;
    }
    case WM_TIMER:
      if (wp == kRefreshTimer) Refresh();
      return 0;
    case WM_COMMAND:
      OnCommand(LOWORD(wp), HIWORD(wp));
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wp) == WA_INACTIVE) {
        const HWND f = GetFocus();
        if (f && IsChild(hwnd_, f)) focus_ = f;
        if (hint_) hint_->Hide();
      } else {
        SetFocus(focus_ && IsWindow(focus_) && IsWindowVisible(focus_) ? focus_
                 : page_ == 0                                          ? calendar_->hwnd()
                                                                       : pages_[page_].button);
      }
      return 0;
    case WM_CLOSE:
      DestroyWindow(hwnd_);
      return 0;
    case WM_ENDSESSION:
      // The process may end without a destroy.
      if (wp) SaveWindowPlacement(hwnd_, kHistoryPlacementSubkey);
      return 0;
    case WM_DESTROY:
      KillTimer(hwnd_, kRefreshTimer);
      SaveWindowPlacement(hwnd_, kHistoryPlacementSubkey);
      return 0;
    case WM_NCDESTROY: {
      // The history goes with the window: nothing of it stays while the window is closed.
      HWND gone = hwnd_;
      hwnd_ = nullptr;
      calendar_.reset();
      bars_.reset();
      hours_.reset();
      keyboard_.reset();
      clicks_.reset();
      charts_.reset();
      pages_.clear();
      view_.reset();
      hint_.reset();
      if (host_.closed) host_.closed(this);
      return DefWindowProcW(gone, msg, wp, lp);
    }
    default:
      return DefWindowProcW(hwnd_, msg, wp, lp);
  }
}

}  // namespace quillo
