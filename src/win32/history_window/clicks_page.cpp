// The click map page's controls, its reading of the places, and its picture saved.
#include "win32/history_window/clicks_page.h"

#include <algorithm>

#include "core/history/history_layout.h"
#include "core/panel/history_texts.h"
#include "core/panel/keyboard_texts.h"
#include "win32/history_window/page_picture.h"
#include "win32/win_platform.h"

namespace quillo {
namespace {

// How far the lists drop, at 96 DPI.
constexpr int kListHeight = 160;

void Place(HWND control, const ChartRect& r, int extraHeight = 0) {
  SetWindowPos(control, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top + extraHeight,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void Fill(HWND combo, const std::vector<std::string>& choices, int selected) {
  SendMessageW(combo, CB_RESETCONTENT, 0, 0);
  for (const std::string& c : choices)
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(c).c_str()));
  SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
}

}  // namespace

ClicksPage::ClicksPage(HINSTANCE instance, HWND parent, int id, KeyboardPage::Host& host,
                       HintWindow& hint, std::function<HistoryData(int32_t, int32_t)> loadPlaces)
    : host_(host),
      loadPlaces_(std::move(loadPlaces)),
      page_(instance, parent, id, [this](int i, int code) { OnCommand(i, code); }) {
  auto make = [&](const wchar_t* cls, DWORD style, int cid) {
    return CreateWindowExW(0, cls, L"", WS_CHILD | WS_VISIBLE | style, 0, 0, 1, 1, page_.hwnd(),
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(cid)), instance, nullptr);
  };
  // Made in the order Tab goes through them.
  rangeLabel_ = make(L"STATIC", SS_LEFT | SS_CENTERIMAGE | SS_NOPREFIX, kIdClickRangeLabel);
  range_ = make(L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, kIdClickRange);
  buttons_ = make(L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, kIdClickButtons);
  save_ = make(L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, kIdClickSavePicture);
  view_ = std::make_unique<ClickMapView>(instance, page_.hwnd(), kIdClickMap, hint);
}

void ClicksPage::ApplyTexts() {
  language_ = host_.PageHistory().options().language;
  SetWindowTextW(rangeLabel_, Widen(HistoryWindowText(HistoryText::range, language_)).c_str());
  SetWindowTextW(save_, Widen(KeyboardWindowText(KeyboardText::savePicture, language_)).c_str());
  Fill(range_, ClickRangeChoices(language_), static_cast<int>(rangeChoice_));
  Fill(buttons_, ClickButtonChoices(language_), static_cast<int>(buttonsChoice_));
  view_->SetLook(host_.PageFont(), language_, host_.PageHistory().options().style);
}

ClicksPage::Widths ClicksPage::TextWidths() const {
  const ChartFont& f = host_.PageChartFont();
  Widths w{f.width(HistoryWindowText(HistoryText::range, language_)), 0, 0,
           f.width(KeyboardWindowText(KeyboardText::savePicture, language_))};
  for (const std::string& c : ClickRangeChoices(language_)) w.range = std::max(w.range, f.width(c));
  for (const std::string& c : ClickButtonChoices(language_))
    w.buttons = std::max(w.buttons, f.width(c));
  return w;
}

int ClicksPage::MinimumWidth() const {
  const Widths w = TextWidths();
  const ClicksPageLayout l = LayOutClicksPage(0, 0, host_.PageDpi(), host_.PageControlHeight(),
                                              w.label, w.range, w.buttons, w.save);
  return l.save.right + l.rangeLabel.left;
}

void ClicksPage::LayOut() {
  RECT rc;
  GetClientRect(page_.hwnd(), &rc);
  const Widths w = TextWidths();
  const ClicksPageLayout l =
      LayOutClicksPage(rc.right, rc.bottom, host_.PageDpi(), host_.PageControlHeight(), w.label,
                       w.range, w.buttons, w.save);
  const int list = MulDiv(kListHeight, host_.PageDpi(), 96);
  Place(rangeLabel_, l.rangeLabel);
  Place(range_, l.range, list);
  Place(buttons_, l.buttons, list);
  Place(save_, l.save);
  // The font may be a new one (another DPI): the view writes its texts in it.
  view_->SetLook(host_.PageFont(), language_, host_.PageHistory().options().style);
  Place(view_->hwnd(), l.map);
}

bool ClicksPage::Changed() {
  const HistoryView& h = host_.PageHistory();
  const DaySpan span = ClickRangeSpan(rangeChoice_, h.Selected(HistoryPane::kCalendar),
                                      h.options().firstWeekday, h.history());
  if (span != span_) stale_ = true;
  span_ = span;
  // Read when the page is looked at, not for every step through the calendar on another page.
  return IsWindowVisible(page_.hwnd()) && Load();
}

bool ClicksPage::Load() {
  if (!stale_) return false;
  const int32_t today = host_.PageHistory().today();
  const HistoryData read = loadPlaces_(span_.first, span_.last);
  past_ = CollapsePlaces(read, span_, today, span_.first);
  const auto it = read.days.find(today);
  day_ = it != read.days.end() ? it->second : DayRecord{};
  day_.day = today;
  stale_ = false;
  ShowMap();
  return true;
}

void ClicksPage::ShowMap() {
  HistoryData shown;
  shown.Add(past_);
  if (span_.Contains(day_.day)) shown.Add(day_);
  view_->Show(shown, span_, buttonsChoice_);
}

void ClicksPage::Refresh(const DayRecord& today) {
  if (!IsWindowVisible(page_.hwnd())) return;
  if (stale_) {
    Load();
    return;
  }
  if (!span_.Contains(today.day)) return;
  if (today.day != day_.day) {
    stale_ = true;  // past midnight: yesterday is over and read back as kept
    Changed();
    return;
  }
  if (today.places == day_.places) return;
  day_ = today;
  ShowMap();
}

void ClicksPage::OnCommand(int id, int code) {
  if (code == CBN_SELCHANGE && (id == kIdClickRange || id == kIdClickButtons)) {
    const int r = static_cast<int>(SendMessageW(range_, CB_GETCURSEL, 0, 0));
    const int b = static_cast<int>(SendMessageW(buttons_, CB_GETCURSEL, 0, 0));
    if (r >= 0 && r < kClickRangeCount) rangeChoice_ = static_cast<ClickRange>(r);
    if (b >= 0 && b < kClickButtonsCount) buttonsChoice_ = static_cast<ClickButtons>(b);
    if (!Changed()) ShowMap();
  } else if (id == kIdClickSavePicture && code == BN_CLICKED) {
    SavePicture();
  }
}

void ClicksPage::SavePicture() {
  if (IsWindowVisible(page_.hwnd())) Load();  // a range chosen but not yet read
  const ArgbPicture snapshot = view_->Snapshot();
  if (snapshot.width <= 0 || snapshot.height <= 0) return;
  PageBitmap bitmap{snapshot.width, snapshot.height, {}};
  bitmap.pixels.reserve(snapshot.pixels.size());
  for (uint32_t p : snapshot.pixels) bitmap.pixels.push_back(p & 0xFFFFFF);
  std::string name = "Quillomat " + std::string(KeyboardWindowText(KeyboardText::clicksPage, 0)) +
                     " " + IsoDate(span_.first);
  if (span_.last != span_.first) name += " " + IsoDate(span_.last);
  SavePagePicture(GetAncestor(page_.hwnd(), GA_ROOT), bitmap, name + ".png", language_,
                  [this](const std::string& t) { host_.PageError(t); });
}

}  // namespace quillo
