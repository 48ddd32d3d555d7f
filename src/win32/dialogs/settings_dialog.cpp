// The settings dialog: its controls laid out in pixels at 96 DPI and scaled for the window's DPI,
// the state copied to them and read back, and a modal loop that also switches pages on Ctrl+Tab.
// Every rule lives in core/app/settings_dialog; this file only translates.
#include "win32/dialogs/settings_dialog.h"

#include <commctrl.h>
#include <shellapi.h>

#include <commdlg.h>
#include <uxtheme.h>

#include <algorithm>
#include <array>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/app/settings_dialog.h"
#include "core/panel/panel_layout.h"
#include "win32/common_controls.h"
#include "win32/dialogs/settings_dialog_layout.h"
#include "win32/dialogs/settings_host.h"
#include "win32/late_bound.h"
#include "win32/log_file.h"
#include "win32/main_window.h"
#include "win32/registry_store.h"
#include "win32/win_platform.h"

namespace quillo {
namespace {

using namespace settings_layout;

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

void SetChecked(HWND h, bool checked) {
  if (h) SendMessageW(h, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool Checked(HWND h) {
  return h && SendMessageW(h, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void SetEnabled(HWND h, bool enabled) {
  if (h && (IsWindowEnabled(h) != FALSE) != enabled) EnableWindow(h, enabled);
}

// The common controls the dialog is made of: tabs, up-down arrows and the hint of lblLog.
constexpr DWORD kCommonControls = ICC_TAB_CLASSES | ICC_UPDOWN_CLASS | ICC_BAR_CLASSES;

// An empty dialog template: the controls are created in code, in pixels.
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

class SettingsDialogWindow {
 public:
  SettingsDialogWindow(MainWindow& owner, std::function<void()> sendNow)
      : owner_(owner), host_(MakeSettingsHost(owner)), sendNow_(std::move(sendNow)) {}
  ~SettingsDialogWindow() {
    if (font_) DeleteObject(font_);
  }

  void RunModal();
  void BringToFront();

 private:
  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept;
  static INT_PTR CALLBACK PageProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept;
  static LRESULT CALLBACK UrlEditProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept;
  INT_PTR Handle(UINT msg, WPARAM wp, LPARAM lp);
  // The modal loop's own look at a message before the dialog manager: Ctrl+Tab turns pages.
  bool PreTranslate(const MSG& msg);

  void Create();
  void MakeFont(int dpi);
  void Layout();
  HWND Control(int id) const {
    const auto it = controls_.find(id);
    return it == controls_.end() ? nullptr : it->second;
  }
  void ReadControls();
  void WriteControls();
  void WriteList(int id, const ListState& list);
  void SyncTabs();
  void ShowPage(SettingsPage page);
  void TurnPage(int delta);
  void Command(int id, int code);
  LRESULT Notify(const NMHDR& n);
  // Whether a list's notification is a new choice the dialog must act on.
  bool ListChanged(int id, int code, const ListState& shown);
  void Apply(bool close);
  // Ends the modal loop; OK has applied everything before, Cancel applies nothing more.
  void Close();
  void ChooseBackground();
  void DrawColorButton(const DRAWITEMSTRUCT& d);
  void ShowMenu(int id, const std::string& caption, POINT at, HWND anchor);
  void Message(const std::string& text, UINT icon);
  MainLogic& logic() { return owner_.logic(); }

  MainWindow& owner_;
  std::unique_ptr<SettingsHost> host_;
  std::function<void()> sendNow_;
  SettingsDialogState st_;
  HWND dlg_ = nullptr, tabs_ = nullptr, tooltip_ = nullptr;
  std::array<HWND, kPages> pages_{};
  std::map<int, HWND> controls_;
  std::map<int, std::vector<std::string>> listItems_;  // what each list holds now
  HFONT font_ = nullptr;
  WNDPROC urlEditProc_ = nullptr;  // the edit's own procedure, under ours
  int dpi_ = 96;
  bool done_ = false;
};

SettingsDialogWindow* g_open = nullptr;

void SettingsDialogWindow::RunModal() {
  const std::wstring title = Widen(kSettingsCaption);
  const std::vector<WORD> tmpl =
      DialogTemplate(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_CLIPCHILDREN,
                     WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, title.c_str());
  HWND owner = owner_.hwnd();
  {
    // The controls are made within the common controls' version 6; the loop runs outside it, so
    // that nothing else the program creates meanwhile (a rebuilt panel) changes its look.
    CommonControlsScope v6(kCommonControls);
    if (!v6.ok()) {
      MessageBoxW(owner,
                  L"The settings cannot be shown: the common controls library could not be loaded.",
                  Widen(kApplicationTitle).c_str(), MB_OK | MB_ICONERROR);
      return;
    }
    dlg_ = CreateDialogIndirectParamW(GetModuleHandleW(nullptr),
                                      reinterpret_cast<const DLGTEMPLATE*>(tmpl.data()), owner,
                                      DialogProc, reinterpret_cast<LPARAM>(this));
  }
  if (!dlg_) return;
  // Modal as the owner's dialogs are: the main window takes no input until this one closes, while
  // its timers go on through this loop.
  EnableWindow(owner, FALSE);
  ShowWindow(dlg_, SW_SHOW);
  SetForegroundWindow(dlg_);
  MSG msg;
  while (!done_ && IsWindow(dlg_)) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // the program is ending: let its loop see it
      break;
    }
    if (got < 0) break;
    if (PreTranslate(msg) || IsDialogMessageW(dlg_, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  // The owner first, so that it becomes the active window when the dialog goes.
  EnableWindow(owner, TRUE);
  if (IsWindow(dlg_)) DestroyWindow(dlg_);
}

void SettingsDialogWindow::BringToFront() {
  if (!dlg_) return;
  if (IsIconic(dlg_)) ShowWindow(dlg_, SW_RESTORE);
  SetForegroundWindow(dlg_);
  BringWindowToTop(dlg_);
}

bool SettingsDialogWindow::PreTranslate(const MSG& msg) {
  if (msg.message != WM_KEYDOWN || GetKeyState(VK_CONTROL) >= 0) return false;
  if (msg.hwnd != dlg_ && !IsChild(dlg_, msg.hwnd)) return false;
  const bool shift = GetKeyState(VK_SHIFT) < 0;
  switch (msg.wParam) {
    case VK_TAB:
      TurnPage(shift ? -1 : 1);
      return true;
    case VK_NEXT:
      TurnPage(1);
      return true;
    case VK_PRIOR:
      TurnPage(-1);
      return true;
    default:
      return false;
  }
}

INT_PTR CALLBACK SettingsDialogWindow::DialogProc(HWND hwnd, UINT msg, WPARAM wp,
                                                  LPARAM lp) noexcept {
  SettingsDialogWindow* self = nullptr;
  if (msg == WM_INITDIALOG) {
    self = reinterpret_cast<SettingsDialogWindow*>(lp);
    SetWindowLongPtrW(hwnd, DWLP_USER, lp);
    self->dlg_ = hwnd;
  } else {
    self = reinterpret_cast<SettingsDialogWindow*>(GetWindowLongPtrW(hwnd, DWLP_USER));
  }
  if (!self) return FALSE;
  try {
    return self->Handle(msg, wp, lp);
  } catch (const std::exception& e) {
    self->Message(e.what(), MB_ICONERROR);
    return TRUE;
  }
}

// The pages pass what their controls report on to the dialog.
INT_PTR CALLBACK SettingsDialogWindow::PageProc(HWND hwnd, UINT msg, WPARAM wp,
                                                LPARAM lp) noexcept {
  if (msg == WM_INITDIALOG) {
    SetWindowLongPtrW(hwnd, DWLP_USER, lp);
    // The tab's own background behind the page, where the theme draws one.
    using EnableTexture = HRESULT(WINAPI*)(HWND, DWORD);
    if (auto enable = LateBound<EnableTexture>(L"uxtheme.dll", "EnableThemeDialogTexture"))
      enable(hwnd, ETDT_ENABLETAB);
    return FALSE;
  }
  auto* self = reinterpret_cast<SettingsDialogWindow*>(GetWindowLongPtrW(hwnd, DWLP_USER));
  if (!self) return FALSE;
  switch (msg) {
    case WM_COMMAND:
    case WM_CONTEXTMENU:
    case WM_DRAWITEM:
      try {
        return self->Handle(msg, wp, lp);
      } catch (const std::exception& e) {
        self->Message(e.what(), MB_ICONERROR);
        return TRUE;
      }
    case WM_NOTIFY:
      SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, self->Notify(*reinterpret_cast<NMHDR*>(lp)));
      return TRUE;
    default:
      return FALSE;
  }
}

LRESULT CALLBACK SettingsDialogWindow::UrlEditProc(HWND hwnd, UINT msg, WPARAM wp,
                                                   LPARAM lp) noexcept {
  auto* self = reinterpret_cast<SettingsDialogWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (msg == WM_CONTEXTMENU) {
    // "Reset URL" takes the place of the edit's own menu.
    POINT at{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
    self->ShowMenu(ids::Reset1, std::string(kCaptionResetURL), at, hwnd);
    return 0;
  }
  return CallWindowProcW(self->urlEditProc_, hwnd, msg, wp, lp);
}

INT_PTR SettingsDialogWindow::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_INITDIALOG:
      Create();
      FormShow(st_, logic(), *host_);
      WriteControls();
      return TRUE;
    case WM_COMMAND:
      Command(LOWORD(wp), HIWORD(wp));
      return TRUE;
    case WM_NOTIFY:
      SetWindowLongPtrW(dlg_, DWLP_MSGRESULT, Notify(*reinterpret_cast<NMHDR*>(lp)));
      return TRUE;
    case WM_CONTEXTMENU: {
      const HWND target = reinterpret_cast<HWND>(wp);
      if (target != Control(ids::btnBackground)) return FALSE;
      ShowMenu(ids::ResetOriginalColor1, std::string(kCaptionResetColor),
               {static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))}, target);
      return TRUE;
    }
    case WM_DRAWITEM: {
      const auto* d = reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
      if (d->CtlID != static_cast<UINT>(ids::btnBackground)) return FALSE;
      DrawColorButton(*d);
      return TRUE;
    }
    case WM_CLOSE:
      Close();
      return TRUE;
    case WM_DPICHANGED: {
      MakeFont(HIWORD(wp));
      const RECT* r = reinterpret_cast<const RECT*>(lp);
      SetWindowPos(dlg_, nullptr, r->left, r->top, r->right - r->left, r->bottom - r->top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
      Layout();
      return TRUE;
    }
    default:
      return FALSE;
  }
}

void SettingsDialogWindow::Create() {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  const std::vector<WORD> pageTemplate = DialogTemplate(WS_CHILD | DS_CONTROL, 0, L"");
  tabs_ = CreateWindowExW(
      0, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS | TCS_MULTILINE,
      0, 0, 0, 0, dlg_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(ids::PageControl1)), instance,
      nullptr);
  controls_[ids::PageControl1] = tabs_;
  for (int p = 0; p < kPages; ++p) {
    pages_[p] = CreateDialogIndirectParamW(
        instance, reinterpret_cast<const DLGTEMPLATE*>(pageTemplate.data()), dlg_, PageProc,
        reinterpret_cast<LPARAM>(this));
    SetWindowLongPtrW(pages_[p], GWLP_ID, ids::kPageBase + p);
  }
  for (const ControlDef& c : kControls) {
    if (c.id == ids::PageControl1) continue;
    HWND parent = c.page == kMain ? dlg_ : pages_[c.page];
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
  HWND url = Control(ids::edtURL);
  SetWindowLongPtrW(url, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  urlEditProc_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(url, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(UrlEditProc)));
  if (!sendNow_) EnableWindow(Control(ids::btnSend), FALSE);
  SendMessageW(dlg_, DM_SETDEFID, IDOK, 0);

  // The log file's path is the one hint the dialog shows.
  tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, dlg_,
                             nullptr, instance, nullptr);
  TOOLINFOW ti{};
  ti.cbSize = sizeof ti;
  ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  ti.hwnd = pages_[kTimeLogging];
  ti.uId = reinterpret_cast<UINT_PTR>(Control(ids::lblLog));
  ti.lpszText = const_cast<wchar_t*>(L"");
  SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));

  // Size and place: the client area at the window's DPI, centred on the main window's monitor.
  dpi_ = static_cast<int>(GetDpiForWindow(dlg_));
  if (dpi_ <= 0) dpi_ = 96;
  MakeFont(dpi_);
  RECT r{0, 0, ScalePx(kClientWidth, dpi_), ScalePx(kClientHeight, dpi_)};
  AdjustWindowRectExForDpi(&r, static_cast<DWORD>(GetWindowLongPtrW(dlg_, GWL_STYLE)), FALSE,
                           static_cast<DWORD>(GetWindowLongPtrW(dlg_, GWL_EXSTYLE)),
                           static_cast<UINT>(dpi_));
  MONITORINFO mi{};
  mi.cbSize = sizeof mi;
  GetMonitorInfoW(MonitorFromWindow(owner_.hwnd(), MONITOR_DEFAULTTOPRIMARY), &mi);
  const int w = r.right - r.left, h = r.bottom - r.top;
  const RECT& m = mi.rcMonitor;
  SetWindowPos(dlg_, nullptr, m.left + (m.right - m.left - w) / 2,
               m.top + (m.bottom - m.top - h) / 2, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
  Layout();
}

void SettingsDialogWindow::MakeFont(int dpi) {
  dpi_ = dpi;
  HFONT old = font_;
  font_ = CreateFontW(-ScalePx(kFontHeight, dpi), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                      DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                      DEFAULT_PITCH | FF_DONTCARE, kFontFace);
  SendMessageW(dlg_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  for (const auto& [id, h] : controls_)
    SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
  if (tooltip_) SendMessageW(tooltip_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  if (old) DeleteObject(old);
}

void SettingsDialogWindow::Layout() {
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
      MapWindowPoints(nullptr, dlg_, reinterpret_cast<POINT*>(&page), 2);
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
  RedrawWindow(dlg_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void SettingsDialogWindow::ReadControls() {
  auto text = [this](int id) { return Narrow(WindowText(Control(id))); };
  auto list = [this](int id, ListState& l) {
    l.Select(static_cast<int>(SendMessageW(Control(id), CB_GETCURSEL, 0, 0)));
  };
  st_.edtmonitorsize = text(ids::edtmonitorsize);
  st_.edtSpin = text(ids::edtSpin);
  st_.SpinEdit1 = text(ids::SpinEdit1);
  st_.edtAlias = text(ids::edtAlias);
  st_.edtComment = text(ids::edtComment);
  st_.edtURL = text(ids::edtURL);
  list(ids::cbxUnits, st_.cbxUnits);
  list(ids::cbxOrientation, st_.cbxOrientation);
  list(ids::cbxDigits, st_.cbxDigits);
  list(ids::cbxLanguage, st_.cbxLanguage);
  list(ids::cbxTransparent, st_.cbxTransparent);
  st_.chkTop = Checked(Control(ids::chkTop));
  st_.chkStartup = Checked(Control(ids::chkStartup));
  st_.chkHide = Checked(Control(ids::chkHide));
  for (int b = 0; b < kItemBoxCount; ++b)
    st_.items[static_cast<size_t>(b)] = Checked(Control(ids::kItemBoxBase + b));
  st_.btnRunning = Checked(Control(ids::btnRunning));
  st_.btnTotal = Checked(Control(ids::btnTotal));
  st_.btnHistory = Checked(Control(ids::btnHistory));
  st_.btnStart = Checked(Control(ids::btnStart));
  st_.chklog = Checked(Control(ids::chklog));
  st_.chkResetEveryday = Checked(Control(ids::chkResetEveryday));
  st_.chkenable = Checked(Control(ids::chkenable));
}

void SettingsDialogWindow::WriteList(int id, const ListState& list) {
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

void SettingsDialogWindow::WriteControls() {
  const SettingsDialogTexts& t = st_.texts;
  SetText(dlg_, std::string(kSettingsCaption));
  for (const auto& [id, row] : kCaptions) SetText(Control(id), t[row]);
  for (const auto& [id, caption] : kFixedCaptions) SetText(Control(id), std::string(caption));

  WriteList(ids::cbxUnits, st_.cbxUnits);
  WriteList(ids::cbxOrientation, st_.cbxOrientation);
  WriteList(ids::cbxDigits, st_.cbxDigits);
  SetEnabled(Control(ids::lblDigits), st_.cbxDigits.enabled);
  WriteList(ids::cbxLanguage, st_.cbxLanguage);
  WriteList(ids::cbxTransparent, st_.cbxTransparent);

  SetText(Control(ids::edtmonitorsize), st_.edtmonitorsize);
  SetText(Control(ids::edtSpin), st_.edtSpin);
  SetText(Control(ids::SpinEdit1), st_.SpinEdit1);
  SetText(Control(ids::edtAlias), st_.edtAlias);
  SetText(Control(ids::edtComment), st_.edtComment);
  SetText(Control(ids::edtURL), st_.edtURL);
  SetText(Control(ids::Memo1), st_.Memo1);
  SetText(Control(ids::lblResolution), st_.lblResolution);
  SetText(Control(ids::lblSince), st_.lblSince);
  SetText(Control(ids::lblmeas), st_.lblmeas);

  SetChecked(Control(ids::chkTop), st_.chkTop);
  SetChecked(Control(ids::chkStartup), st_.chkStartup);
  SetChecked(Control(ids::chkHide), st_.chkHide);
  for (int b = 0; b < kItemBoxCount; ++b)
    SetChecked(Control(ids::kItemBoxBase + b), st_.items[static_cast<size_t>(b)]);
  SetChecked(Control(ids::btnRunning), st_.btnRunning);
  SetChecked(Control(ids::btnTotal), st_.btnTotal);
  SetChecked(Control(ids::btnHistory), st_.btnHistory);
  SetChecked(Control(ids::btnStart), st_.btnStart);
  SetEnabled(Control(ids::btnHistory), st_.historyButtonsEnabled);
  SetEnabled(Control(ids::btnStart), st_.historyButtonsEnabled);
  SetChecked(Control(ids::chklog), st_.chklog);
  SetChecked(Control(ids::chkResetEveryday), st_.chkResetEveryday);
  SetChecked(Control(ids::chkenable), st_.chkenable);

  TOOLINFOW ti{};
  ti.cbSize = sizeof ti;
  ti.hwnd = pages_[kTimeLogging];
  ti.uId = reinterpret_cast<UINT_PTR>(Control(ids::lblLog));
  std::wstring hint = Widen(st_.lblLogHint);
  ti.lpszText = hint.data();
  SendMessageW(tooltip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));

  InvalidateRect(Control(ids::btnBackground), nullptr, FALSE);
  SyncTabs();
  ShowPage(st_.activePage);
}

void SettingsDialogWindow::SyncTabs() {
  // Four pages always; "Debug Data" only while its tab is to be seen.
  const int wanted = st_.debugTabVisible ? kPages : kPages - 1;
  bool changed = false;
  while (TabCtrl_GetItemCount(tabs_) > wanted) {
    TabCtrl_DeleteItem(tabs_, TabCtrl_GetItemCount(tabs_) - 1);
    changed = true;
  }
  for (int i = 0; i < wanted; ++i) {
    std::wstring caption =
        Widen(i < kPages - 1 ? st_.texts[kTabCaptions[i]] : std::string(kCaptionDebugPage));
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

void SettingsDialogWindow::ShowPage(SettingsPage page) {
  int index = static_cast<int>(page);
  if (index >= TabCtrl_GetItemCount(tabs_)) index = 0;
  st_.activePage = static_cast<SettingsPage>(index);
  if (TabCtrl_GetCurSel(tabs_) != index) TabCtrl_SetCurSel(tabs_, index);
  const HWND focus = GetFocus();
  for (int p = 0; p < kPages; ++p) {
    const bool shown = p == index;
    if ((IsWindowVisible(pages_[p]) != FALSE) == shown) continue;
    ShowWindow(pages_[p], shown ? SW_SHOWNA : SW_HIDE);
  }
  // Keyboard focus never stays on a page that is out of sight.
  if (focus && IsChild(dlg_, focus) && !IsWindowVisible(focus)) SetFocus(tabs_);
}

void SettingsDialogWindow::TurnPage(int delta) {
  const int count = TabCtrl_GetItemCount(tabs_);
  if (count == 0) return;
  const int next = (TabCtrl_GetCurSel(tabs_) + delta + count) % count;
  ShowPage(static_cast<SettingsPage>(next));
  SetFocus(tabs_);
}

LRESULT SettingsDialogWindow::Notify(const NMHDR& n) {
  if (n.hwndFrom == tabs_ && n.code == TCN_SELCHANGE) {
    ShowPage(static_cast<SettingsPage>(TabCtrl_GetCurSel(tabs_)));
    return 0;
  }
  if (n.code == UDN_DELTAPOS) {
    for (const SpinDef& s : kSpins) {
      if (n.hwndFrom != Control(s.upDown)) continue;
      const auto& delta = reinterpret_cast<const NMUPDOWN&>(n);
      const Settings& settings = logic().settings();
      const double fallback = s.edit == ids::edtmonitorsize ? settings.monitorsize
                              : s.edit == ids::edtSpin      ? settings.idledelay
                                                            : settings.interval;
      HWND edit = Control(s.edit);
      SetText(edit, SpinStepText(Narrow(WindowText(edit)), delta.iDelta, *s.range, fallback,
                                 logic().platform().system.DecimalSeparator()));
      return TRUE;  // the up-down's own position stays where it is
    }
  }
  return 0;
}

void SettingsDialogWindow::Command(int id, int code) {
  if (id >= ids::kItemBoxBase && id < ids::kItemBoxBase + kItemBoxCount) {
    if (code != BN_CLICKED) return;
    ReadControls();
    // The box has already changed: its click handler runs, as for a user's click.
    if (static_cast<ItemBox>(id - ids::kItemBoxBase) != ItemBox::chktime) chkDistanceClick(st_);
    WriteControls();
    return;
  }
  switch (id) {
    case IDOK:
      Apply(true);
      return;
    case ids::btnApply:
      Apply(false);
      return;
    case IDCANCEL:
      Close();
      return;
    case ids::cbxOrientation:
      if (!ListChanged(id, code, st_.cbxOrientation)) return;
      ReadControls();
      cbxOrientationChange(st_, logic().settings());
      WriteControls();
      return;
    case ids::cbxLanguage:
    case ids::cbxTransparent:
      if (!ListChanged(id, code, id == ids::cbxLanguage ? st_.cbxLanguage : st_.cbxTransparent))
        return;
      ReadControls();
      cbxLanguageChange(st_);
      WriteControls();
      return;
    case ids::btnRunning:
    case ids::btnTotal:
      if (code != BN_CLICKED) return;
      ReadControls();
      btnTotalClick(st_);
      WriteControls();
      return;
    case ids::edtmonitorsize:
    case ids::edtSpin:
    case ids::SpinEdit1:
      // Leaving a spin edit shows at once the value OK or Apply would take from it.
      if (code != EN_KILLFOCUS) return;
      for (const SpinDef& s : kSpins) {
        if (s.edit != id) continue;
        const Settings& settings = logic().settings();
        const double fallback = id == ids::edtmonitorsize ? settings.monitorsize
                                : id == ids::edtSpin      ? settings.idledelay
                                                          : settings.interval;
        HWND edit = Control(id);
        SetText(edit, TakeSpinValue(Narrow(WindowText(edit)), *s.range, fallback,
                                    logic().platform().system.DecimalSeparator())
                          .text);
      }
      return;
    case ids::btnBackground:
      if (code == BN_CLICKED) ChooseBackground();
      return;
    case ids::ResetOriginalColor1:
      ResetOriginalColor1Click(st_);
      InvalidateRect(Control(ids::btnBackground), nullptr, FALSE);
      return;
    case ids::Reset1:
      ReadControls();
      Reset1Click(st_);
      WriteControls();
      return;
    case ids::btnDebug:
      ReadControls();
      btnDebugClick(st_, logic());
      WriteControls();
      return;
    case ids::btnLogNow:
      btnLogNowClick(logic());
      return;
    case ids::btnViewFile:
      if (const auto warning = btnViewFileClick(*host_)) Message(*warning, MB_ICONWARNING);
      return;
    case ids::btnBrowse:
      if (const auto error = btnBrowseClick(logic(), *host_)) Message(*error, MB_ICONERROR);
      return;
    case ids::btnSend:
      if (sendNow_) sendNow_();
      return;
    default:
      return;
  }
}

bool SettingsDialogWindow::ListChanged(int id, int code, const ListState& shown) {
  if (code != CBN_SELCHANGE && code != CBN_CLOSEUP) return false;
  // While the list is dropped the arrow keys only browse it; the choice counts once it closes
  // (relabelling the dialog under an open list would close it at the first key).
  HWND list = Control(id);
  if (SendMessageW(list, CB_GETDROPPEDSTATE, 0, 0)) return false;
  return static_cast<int>(SendMessageW(list, CB_GETCURSEL, 0, 0)) != shown.index;
}

void SettingsDialogWindow::Apply(bool close) {
  ReadControls();
  ApplyResult result;
  try {
    result = btnOKClick(st_, logic(), *host_);
  } catch (const std::exception& e) {
    // What was applied stays applied; the dialog stays open so nothing typed is lost.
    WriteControls();
    Message(e.what(), MB_ICONERROR);
    return;
  }
  WriteControls();
  if (!result.corrections.empty()) {
    std::string text;
    for (const std::string& c : result.corrections) text += c + "\n";
    Message(text, MB_ICONINFORMATION);
  }
  if (close) Close();
}

void SettingsDialogWindow::Close() {
  done_ = true;
}

void SettingsDialogWindow::ChooseBackground() {
  static COLORREF custom[16] = {};
  CHOOSECOLORW cc{};
  cc.lStructSize = sizeof cc;
  cc.hwndOwner = dlg_;
  cc.rgbResult = static_cast<COLORREF>(st_.background & 0xFFFFFF);
  cc.lpCustColors = custom;
  cc.Flags = CC_RGBINIT | CC_ANYCOLOR;
  CommonControlsScope v6(kCommonControls);
  using Choose = BOOL(WINAPI*)(CHOOSECOLORW*);
  const auto choose = LateBound<Choose>(L"comdlg32.dll", "ChooseColorW");
  if (!choose) {
    Message("The colour picker (comdlg32.dll) could not be loaded.", MB_ICONERROR);
    return;
  }
  if (!choose(&cc)) return;  // cancelled: nothing changes
  st_.background = static_cast<uint32_t>(cc.rgbResult);
  InvalidateRect(Control(ids::btnBackground), nullptr, FALSE);
}

void SettingsDialogWindow::DrawColorButton(const DRAWITEMSTRUCT& d) {
  RECT r = d.rcItem;
  const bool pressed = (d.itemState & ODS_SELECTED) != 0;
  DrawFrameControl(d.hDC, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
  // A colour bar of the button's width less 8 and height less 6, framed by one black pixel.
  const int w = r.right - r.left - 8, h = r.bottom - r.top - 6;
  RECT bar{r.left + 4, r.top + 3, r.left + 4 + w, r.top + 3 + h - 1};
  if (pressed) OffsetRect(&bar, 1, 1);
  FillRect(d.hDC, &bar, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  InflateRect(&bar, -1, -1);
  HBRUSH colour = CreateSolidBrush(static_cast<COLORREF>(st_.background & 0xFFFFFF));
  FillRect(d.hDC, &bar, colour);
  DeleteObject(colour);
  if (d.itemState & ODS_FOCUS) {
    RECT focus = r;
    InflateRect(&focus, -2, -2);
    DrawFocusRect(d.hDC, &focus);
  }
}

void SettingsDialogWindow::ShowMenu(int id, const std::string& caption, POINT at, HWND anchor) {
  if (at.x == -1 && at.y == -1) {  // from the keyboard: below the control
    RECT r;
    GetWindowRect(anchor, &r);
    at = {r.left, r.bottom};
  }
  HMENU menu = CreatePopupMenu();
  AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(id), Widen(caption).c_str());
  const int chosen =
      TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, dlg_, nullptr);
  DestroyMenu(menu);
  if (chosen) Command(chosen, 0);
}

void SettingsDialogWindow::Message(const std::string& text, UINT icon) {
  MessageBoxW(dlg_, Widen(text).c_str(), Widen(kApplicationTitle).c_str(), MB_OK | icon);
}

}  // namespace

void SetupQuillomat1Click(MainWindow& owner, const std::function<void()>& sendNow) {
  if (g_open) {
    g_open->BringToFront();
  } else {
    SettingsDialogWindow dialog(owner, sendNow);
    g_open = &dialog;
    struct Forget {
      ~Forget() { g_open = nullptr; }
    } forget;
    dialog.RunModal();
  }
  // A changed "Always on Top" takes effect, and the top-most band is asserted again after the
  // modal dialog (unless "Exit" ended the program while the dialog was open).
  if (IsWindow(owner.hwnd())) owner.SetStayOnTop(owner.logic().settings().ontop);
}

}  // namespace quillo
