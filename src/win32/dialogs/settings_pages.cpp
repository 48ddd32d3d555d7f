// The settings dialog's pages: controls created from the layout table in pixels at 96 DPI and
// scaled for the window's DPI, and the core's dialog state copied to them and back.
#include "win32/dialogs/settings_pages.h"

#include <commctrl.h>

#include <uxtheme.h>

#include "core/panel/panel_layout.h"
#include "win32/late_bound.h"
#include "win32/win_platform.h"

namespace quillo {

using namespace settings_layout;

namespace {

void SetChecked(HWND h, bool checked) {
  if (h) SendMessageW(h, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool Checked(HWND h) {
  return h && SendMessageW(h, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void SetEnabled(HWND h, bool enabled) {
  if (h && (IsWindowEnabled(h) != FALSE) != enabled) EnableWindow(h, enabled);
}

}  // namespace

std::wstring WindowText(HWND h) {
  const int n = GetWindowTextLengthW(h);
  std::wstring text(static_cast<size_t>(n) + 1, L'\0');
  GetWindowTextW(h, text.data(), n + 1);
  text.resize(static_cast<size_t>(n));
  return text;
}

void SetText(HWND h, const std::string& utf8) {
  const std::wstring text = Widen(utf8);
  if (h && WindowText(h) != text) SetWindowTextW(h, text.c_str());
}

std::vector<WORD> DialogTemplate(DWORD style, DWORD exStyle, const wchar_t* title) {
  std::vector<WORD> t(sizeof(DLGTEMPLATE) / sizeof(WORD), 0);
  auto* d = reinterpret_cast<DLGTEMPLATE*>(t.data());
  d->style = style;
  d->dwExtendedStyle = exStyle;
  t.push_back(0);  // no menu
  t.push_back(0);  // the standard dialog class
  for (const wchar_t* p = title; *p; ++p) t.push_back(static_cast<WORD>(*p));
  t.push_back(0);
  return t;
}

SettingsPages::~SettingsPages() {
  if (font_) DeleteObject(font_);
}

void SettingsPages::Create(HWND dialog, DLGPROC pageProc, LPARAM param, int dpi) {
  dialog_ = dialog;
  HINSTANCE instance = GetModuleHandleW(nullptr);
  const std::vector<WORD> pageTemplate = DialogTemplate(WS_CHILD | DS_CONTROL, 0, L"");
  tabs_ = CreateWindowExW(
      0, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS | TCS_MULTILINE,
      0, 0, 0, 0, dialog_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(ids::PageControl1)),
      instance, nullptr);
  controls_[ids::PageControl1] = tabs_;
  for (int p = 0; p < kPages; ++p) {
    pages_[p] = CreateDialogIndirectParamW(
        instance, reinterpret_cast<const DLGTEMPLATE*>(pageTemplate.data()), dialog_, pageProc,
        param);
    SetWindowLongPtrW(pages_[p], GWLP_ID, ids::kPageBase + p);
  }
  for (const ControlDef& c : kControls) {
    if (c.id == ids::PageControl1) continue;
    HWND parent = c.page == kMain ? dialog_ : pages_[c.page];
    const wchar_t* cls = L"BUTTON";
    DWORD style = WS_CHILD | WS_VISIBLE, ex = 0;
    switch (c.kind) {
      case Kind::kLabel:
        cls = L"STATIC";
        style |= SS_LEFT | SS_NOPREFIX;
        break;
      case Kind::kNotifyLabel:
        cls = L"STATIC";
        style |= SS_LEFT | SS_NOPREFIX | SS_NOTIFY;
        break;
      case Kind::kEdit:
        cls = WC_EDITW;
        style |= WS_TABSTOP | WS_GROUP | ES_AUTOHSCROLL;
        ex = WS_EX_CLIENTEDGE;
        break;
      case Kind::kReadOnlyEdit:
        // Read-only, yet reached by Tab, so that the path can be selected and copied.
        cls = WC_EDITW;
        style |= WS_TABSTOP | WS_GROUP | ES_AUTOHSCROLL | ES_READONLY;
        ex = WS_EX_CLIENTEDGE;
        break;
      case Kind::kSpinEdit:
        cls = WC_EDITW;
        style |= WS_TABSTOP | WS_GROUP | ES_AUTOHSCROLL | ES_CENTER;
        ex = WS_EX_CLIENTEDGE;
        break;
      case Kind::kUpDown:
        cls = UPDOWN_CLASSW;
        style |= UDS_ARROWKEYS | UDS_NOTHOUSANDS;
        break;
      case Kind::kList:
        cls = WC_COMBOBOXW;
        style |= WS_TABSTOP | WS_GROUP | WS_VSCROLL | CBS_DROPDOWNLIST;
        break;
      case Kind::kCheck:
        style |= WS_TABSTOP | WS_GROUP | BS_AUTOCHECKBOX;
        break;
      case Kind::kRadioFirst:
        style |= WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON;
        break;
      case Kind::kRadio:
        style |= BS_AUTORADIOBUTTON;
        break;
      case Kind::kButton:
        style |= WS_TABSTOP | WS_GROUP | (c.id == ids::btnOK ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
        break;
      case Kind::kColor:
        style |= WS_TABSTOP | WS_GROUP | BS_OWNERDRAW;
        break;
      case Kind::kGroup:
        style |= BS_GROUPBOX;
        break;
      case Kind::kMemo:
        cls = WC_EDITW;
        style |= WS_TABSTOP | WS_GROUP | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL |
                 ES_AUTOHSCROLL | WS_VSCROLL | WS_HSCROLL;
        ex = WS_EX_CLIENTEDGE;
        break;
    }
    controls_[c.id] =
        CreateWindowExW(ex, cls, L"", style, 0, 0, 0, 0, parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)), instance, nullptr);
  }
  for (const SpinDef& s : kSpins) {
    HWND upDown = Control(s.upDown);
    SendMessageW(upDown, UDM_SETBUDDY, reinterpret_cast<WPARAM>(Control(s.edit)), 0);
    // The arrows only report their clicks; the step is taken from the text (UDN_DELTAPOS).
    SendMessageW(upDown, UDM_SETRANGE32, 0, 100);
    SendMessageW(upDown, UDM_SETPOS32, 0, 50);
  }
  SendMessageW(Control(ids::edtAlias), EM_SETLIMITTEXT, 25, 0);
  SendMessageW(Control(ids::edtComment), EM_SETLIMITTEXT, 48, 0);
  SendMessageW(Control(ids::cbxLanguage), CB_SETMINVISIBLE, kLanguageCount, 0);

  // The log file's path is the one hint the dialog shows.
  tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, dialog_,
                             nullptr, instance, nullptr);
  TOOLINFOW ti{};
  ti.cbSize = sizeof ti;
  ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  ti.hwnd = pages_[kTimeLogging];
  ti.uId = reinterpret_cast<UINT_PTR>(Control(ids::lblLog));
  ti.lpszText = const_cast<wchar_t*>(L"");
  SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
  SetDpi(dpi);
}

void SettingsPages::SetDpi(int dpi) {
  dpi_ = dpi;
  HFONT old = font_;
  font_ = CreateFontW(-ScalePx(kFontHeight, dpi), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                      DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                      DEFAULT_PITCH | FF_DONTCARE, kFontFace);
  SendMessageW(dialog_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  for (const auto& [id, h] : controls_)
    SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
  if (tooltip_) SendMessageW(tooltip_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  if (old) DeleteObject(old);
  Layout();
}

void SettingsPages::Layout() {
  auto place = [this](HWND h, int x, int y, int w, int height) {
    // By the edges, so that neighbours stay neighbours at any scale.
    const int left = ScalePx(x, dpi_), top = ScalePx(y, dpi_);
    SetWindowPos(h, nullptr, left, top, ScalePx(x + w, dpi_) - left,
                 ScalePx(y + height, dpi_) - top, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
  };
  RECT page{0, 0, 0, 0};
  for (const ControlDef& c : kControls) {
    if (c.page != kMain) continue;
    place(Control(c.id), c.x, c.y, c.w, c.h);
    if (c.id == ids::PageControl1) {
      // The pages fill the tab control's display area, which shrinks when the tabs wrap.
      GetWindowRect(tabs_, &page);
      MapWindowPoints(nullptr, dialog_, reinterpret_cast<POINT*>(&page), 2);
      TabCtrl_AdjustRect(tabs_, FALSE, &page);
    }
  }
  for (HWND p : pages_)
    SetWindowPos(p, nullptr, page.left, page.top, page.right - page.left, page.bottom - page.top,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
  for (const ControlDef& c : kControls) {
    if (c.page == kMain) continue;
    if (c.kind == Kind::kMemo) {
      const int m = ScalePx(c.x, dpi_);
      SetWindowPos(Control(c.id), nullptr, m, m, page.right - page.left - 2 * m,
                   page.bottom - page.top - 2 * m, SWP_NOZORDER | SWP_NOACTIVATE);
      continue;
    }
    place(Control(c.id), c.x, c.y, c.w, c.h);
  }
  // Moved pages leave stale pixels of the old arrangement behind: paint everything afresh.
  RedrawWindow(dialog_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void SettingsPages::Read(SettingsDialogState& st) const {
  auto text = [this](int id) { return Narrow(WindowText(Control(id))); };
  auto list = [this](int id, ListState& l) {
    l.Select(static_cast<int>(SendMessageW(Control(id), CB_GETCURSEL, 0, 0)));
  };
  st.edtmonitorsize = text(ids::edtmonitorsize);
  st.edtSpin = text(ids::edtSpin);
  st.SpinEdit1 = text(ids::SpinEdit1);
  st.edtAlias = text(ids::edtAlias);
  st.edtComment = text(ids::edtComment);
  st.edtURL = text(ids::edtURL);
  list(ids::cbxUnits, st.cbxUnits);
  list(ids::cbxOrientation, st.cbxOrientation);
  list(ids::cbxDigits, st.cbxDigits);
  list(ids::cbxLanguage, st.cbxLanguage);
  list(ids::cbxTransparent, st.cbxTransparent);
  st.chkTop = Checked(Control(ids::chkTop));
  st.chkStartup = Checked(Control(ids::chkStartup));
  st.chkHide = Checked(Control(ids::chkHide));
  for (int b = 0; b < kItemBoxCount; ++b)
    st.items[static_cast<size_t>(b)] = Checked(Control(ids::kItemBoxBase + b));
  st.btnRunning = Checked(Control(ids::btnRunning));
  st.btnTotal = Checked(Control(ids::btnTotal));
  st.btnHistory = Checked(Control(ids::btnHistory));
  st.btnStart = Checked(Control(ids::btnStart));
  st.chklog = Checked(Control(ids::chklog));
  st.chkResetEveryday = Checked(Control(ids::chkResetEveryday));
  st.chkenable = Checked(Control(ids::chkenable));
  st.chkKeepHistory = Checked(Control(ids::chkKeepHistory));
}

void SettingsPages::WriteList(int id, const ListState& list) {
  HWND h = Control(id);
  std::vector<std::string>& shown = listItems_[id];
  if (shown != list.items) {
    SendMessageW(h, CB_RESETCONTENT, 0, 0);
    for (const std::string& item : list.items)
      SendMessageW(h, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(item).c_str()));
    shown = list.items;
  }
  SendMessageW(h, CB_SETCURSEL, static_cast<WPARAM>(list.index), 0);
  SetEnabled(h, list.enabled);
}

void SettingsPages::Write(SettingsDialogState& st) {
  const SettingsDialogTexts& t = st.texts;
  SetText(dialog_, std::string(kSettingsCaption));
  for (const auto& [id, row] : kCaptions) SetText(Control(id), t[row]);
  for (const auto& [id, caption] : kFixedCaptions) SetText(Control(id), std::string(caption));
  for (const auto& [id, row] : kHistoryCaptions)
    SetText(Control(id), std::string(HistorySettingText(row, t.language)));

  WriteList(ids::cbxUnits, st.cbxUnits);
  WriteList(ids::cbxOrientation, st.cbxOrientation);
  WriteList(ids::cbxDigits, st.cbxDigits);
  SetEnabled(Control(ids::lblDigits), st.cbxDigits.enabled);
  WriteList(ids::cbxLanguage, st.cbxLanguage);
  WriteList(ids::cbxTransparent, st.cbxTransparent);

  SetText(Control(ids::edtmonitorsize), st.edtmonitorsize);
  SetText(Control(ids::edtSpin), st.edtSpin);
  SetText(Control(ids::SpinEdit1), st.SpinEdit1);
  SetText(Control(ids::edtAlias), st.edtAlias);
  SetText(Control(ids::edtComment), st.edtComment);
  SetText(Control(ids::edtURL), st.edtURL);
  SetText(Control(ids::Memo1), st.Memo1);
  SetText(Control(ids::lblResolution), st.lblResolution);
  SetText(Control(ids::lblSince), st.lblSince);
  SetText(Control(ids::lblmeas), st.lblmeas);

  SetChecked(Control(ids::chkTop), st.chkTop);
  SetChecked(Control(ids::chkStartup), st.chkStartup);
  SetChecked(Control(ids::chkHide), st.chkHide);
  for (int b = 0; b < kItemBoxCount; ++b)
    SetChecked(Control(ids::kItemBoxBase + b), st.items[static_cast<size_t>(b)]);
  SetChecked(Control(ids::btnRunning), st.btnRunning);
  SetChecked(Control(ids::btnTotal), st.btnTotal);
  SetChecked(Control(ids::btnHistory), st.btnHistory);
  SetChecked(Control(ids::btnStart), st.btnStart);
  SetEnabled(Control(ids::btnHistory), st.historyButtonsEnabled);
  SetEnabled(Control(ids::btnStart), st.historyButtonsEnabled);
  SetChecked(Control(ids::chklog), st.chklog);
  SetChecked(Control(ids::chkResetEveryday), st.chkResetEveryday);
  SetChecked(Control(ids::chkenable), st.chkenable);
  SetChecked(Control(ids::chkKeepHistory), st.chkKeepHistory);
  SetText(Control(ids::edtHistoryFolder), st.edtHistoryFolder);
  SetEnabled(Control(ids::btnDeleteHistory), st.deleteHistoryEnabled);

  TOOLINFOW ti{};
  ti.cbSize = sizeof ti;
  ti.hwnd = pages_[kTimeLogging];
  ti.uId = reinterpret_cast<UINT_PTR>(Control(ids::lblLog));
  std::wstring hint = Widen(st.lblLogHint);
  ti.lpszText = hint.data();
  SendMessageW(tooltip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));

  InvalidateRect(Control(ids::btnBackground), nullptr, FALSE);
  SyncTabs(st);
  ShowPage(st, st.activePage);
}

void SettingsPages::SyncTabs(const SettingsDialogState& st) {
  // Every page but the last always; "Debug Data" only while its tab is to be seen.
  const int wanted = st.debugTabVisible ? kPages : kPages - 1;
  bool changed = false;
  while (TabCtrl_GetItemCount(tabs_) > wanted) {
    TabCtrl_DeleteItem(tabs_, TabCtrl_GetItemCount(tabs_) - 1);
    changed = true;
  }
  for (int i = 0; i < wanted; ++i) {
    std::wstring caption =
        Widen(i < kHistory ? st.texts[kTabCaptions[i]]
              : i == kHistory
                  ? std::string(HistorySettingText(HistoryText::TabHistory, st.texts.language))
                  : std::string(kCaptionDebugPage));
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = caption.data();
    if (i < TabCtrl_GetItemCount(tabs_)) {
      wchar_t current[128] = {};
      TCITEMW get{};
      get.mask = TCIF_TEXT;
      get.pszText = current;
      get.cchTextMax = 128;
      TabCtrl_GetItem(tabs_, i, &get);
      if (caption == current) continue;
      TabCtrl_SetItem(tabs_, i, &item);
    } else {
      TabCtrl_InsertItem(tabs_, i, &item);
    }
    changed = true;
  }
  if (changed) Layout();
}

void SettingsPages::ShowPage(SettingsDialogState& st, SettingsPage page) {
  int index = static_cast<int>(page);
  if (index >= TabCtrl_GetItemCount(tabs_)) index = 0;
  st.activePage = static_cast<SettingsPage>(index);
  if (TabCtrl_GetCurSel(tabs_) != index) TabCtrl_SetCurSel(tabs_, index);
  const HWND focus = GetFocus();
  for (int p = 0; p < kPages; ++p) {
    const bool shown = p == index;
    if ((IsWindowVisible(pages_[p]) != FALSE) == shown) continue;
    ShowWindow(pages_[p], shown ? SW_SHOWNA : SW_HIDE);
  }
  // Keyboard focus never stays on a page that is out of sight.
  if (focus && IsChild(dialog_, focus) && !IsWindowVisible(focus)) SetFocus(tabs_);
}

void SettingsPages::TurnPage(SettingsDialogState& st, int delta) {
  const int count = TabCtrl_GetItemCount(tabs_);
  if (count == 0) return;
  const int next = (TabCtrl_GetCurSel(tabs_) + delta + count) % count;
  ShowPage(st, static_cast<SettingsPage>(next));
  SetFocus(tabs_);
}

}  // namespace quillo
