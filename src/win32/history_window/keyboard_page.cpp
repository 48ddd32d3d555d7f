// The keyboard page's controls, mapped onto the core's KeyboardView.
#include "win32/history_window/keyboard_page.h"

#include <algorithm>

#include "core/history/history_layout.h"
#include "core/panel/history_texts.h"
#include "core/panel/keyboard_texts.h"
#include "win32/history_window/keyboard_captions.h"
#include "win32/history_window/page_picture.h"
#include "win32/win_platform.h"

namespace quillo {
namespace {

// How far the range's list drops, at 96 DPI.
constexpr int kListHeight = 160;

void Place(HWND control, const ChartRect& r, int extraHeight = 0) {
  SetWindowPos(control, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top + extraHeight,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

KeyboardPage::KeyboardPage(HINSTANCE instance, HWND parent, int id, Host& host, HintWindow& hint)
    : host_(host),
      page_(instance, parent, id, [this](int i, int code) { OnCommand(i, code); }),
      view_({}, KeyRange::kMonth) {
  auto make = [&](const wchar_t* cls, DWORD style, int cid) {
    return CreateWindowExW(0, cls, L"", WS_CHILD | WS_VISIBLE | style, 0, 0, 1, 1, page_.hwnd(),
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(cid)), instance, nullptr);
  };
  // Made in the order Tab goes through them.
  rangeLabel_ = make(L"STATIC", SS_LEFT | SS_CENTERIMAGE | SS_NOPREFIX, kIdKeyRangeLabel);
  range_ = make(L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, kIdKeyRange);
  chart_ = std::make_unique<ChartView>(instance, page_.hwnd(), kIdKeyboard, HistoryPane::kKeyboard,
                                       static_cast<ChartView::Owner&>(*this), hint);
  save_ = make(L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, kIdSavePicture);
}

bool KeyboardPage::TakeLayout() {
  const HKL now = GetKeyboardLayout(0);
  if (now == layout_ && language_ == host_.PageHistory().options().language) return false;
  layout_ = now;
  view_.SetKeys(KeysOfLayout(now, host_.PageHistory().options().language));
  return true;
}

void KeyboardPage::ApplyTexts() {
  language_ = -1;  // the named keys' captions too
  TakeLayout();
  language_ = host_.PageHistory().options().language;
  SetWindowTextW(rangeLabel_, Widen(HistoryWindowText(HistoryText::range, language_)).c_str());
  SetWindowTextW(save_, Widen(KeyboardWindowText(KeyboardText::savePicture, language_)).c_str());
  SendMessageW(range_, CB_RESETCONTENT, 0, 0);
  for (const std::string& c : KeyboardView::RangeChoices(language_))
    SendMessageW(range_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(c).c_str()));
  SendMessageW(range_, CB_SETCURSEL, static_cast<WPARAM>(view_.range()), 0);
}

int KeyboardPage::MinimumWidth() const {
  const ChartFont& f = host_.PageChartFont();
  int widest = 0;
  for (const std::string& c : KeyboardView::RangeChoices(language_))
    widest = std::max(widest, f.width(c));
  const KeyboardPageLayout l =
      LayOutKeyboardPage(0, 0, host_.PageDpi(), host_.PageControlHeight(),
                         f.width(HistoryWindowText(HistoryText::range, language_)), widest,
                         f.width(KeyboardWindowText(KeyboardText::savePicture, language_)));
  return l.save.right + (l.rangeLabel.left);
}

void KeyboardPage::LayOut() {
  RECT rc;
  GetClientRect(page_.hwnd(), &rc);
  const ChartFont& f = host_.PageChartFont();
  int widest = 0;
  for (const std::string& c : KeyboardView::RangeChoices(language_))
    widest = std::max(widest, f.width(c));
  const KeyboardPageLayout l =
      LayOutKeyboardPage(rc.right, rc.bottom, host_.PageDpi(), host_.PageControlHeight(),
                         f.width(HistoryWindowText(HistoryText::range, language_)), widest,
                         f.width(KeyboardWindowText(KeyboardText::savePicture, language_)));
  Place(rangeLabel_, l.rangeLabel);
  Place(range_, l.range, MulDiv(kListHeight, host_.PageDpi(), 96));
  Place(save_, l.save);
  Place(chart_->hwnd(), l.keyboard);
  chart_->Changed();
}

void KeyboardPage::Changed() {
  TakeLayout();
  const HistoryView& h = host_.PageHistory();
  view_.Update(h.history(), h.Selected(HistoryPane::kCalendar), h.options().firstWeekday);
  chart_->Changed();
}

void KeyboardPage::Refresh() {
  const HistoryView& h = host_.PageHistory();
  const bool keys = TakeLayout();
  if (view_.Update(h.history(), h.Selected(HistoryPane::kCalendar), h.options().firstWeekday) ||
      keys)
    chart_->Changed();
}

void KeyboardPage::OnCommand(int id, int code) {
  if (id == kIdKeyRange && code == CBN_SELCHANGE) {
    const int r = static_cast<int>(SendMessageW(range_, CB_GETCURSEL, 0, 0));
    if (r >= 0 && r < kKeyRangeCount) view_.SetRange(static_cast<KeyRange>(r));
    Changed();
  } else if (id == kIdSavePicture && code == BN_CLICKED) {
    SavePicture();
  }
}

void KeyboardPage::SavePicture() {
  Changed();  // the figures of now
  const std::optional<PageBitmap> bitmap = PaintToBitmap(chart_->PictureToSave(), host_.PageFont());
  if (!bitmap) return;
  const DaySpan s = view_.span();
  std::string name = "Quillomat " + std::string(KeyboardWindowText(KeyboardText::keyboardPage, 0)) +
                     " " + IsoDate(s.first);
  if (s.last != s.first) name += " " + IsoDate(s.last);
  SavePagePicture(GetAncestor(page_.hwnd(), GA_ROOT), *bitmap, name + ".png", language_,
                  [this](const std::string& t) { host_.PageError(t); });
}

ChartPicture KeyboardPage::DrawChart(HistoryPane, int width, int height, bool focused) {
  return view_.Picture(width, height, host_.PageChartFont(), focused,
                       host_.PageHistory().options());
}

std::string KeyboardPage::DescribeChart(HistoryPane, int32_t index) {
  return view_.Describe(index, host_.PageHistory().options());
}

int32_t KeyboardPage::ChartSelection(HistoryPane) {
  return view_.selected();
}

void KeyboardPage::ChartClicked(HistoryPane, int32_t index) {
  if (view_.Select(index)) chart_->Changed();
}

void KeyboardPage::ChartKeyPressed(HistoryPane, ChartKey key) {
  if (view_.Move(key)) chart_->Changed();
  chart_->ShowSelectionHint();
}

}  // namespace quillo
