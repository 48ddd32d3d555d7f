// The about dialog's window: texts, fonts and positions come from the core's AboutBox; this file
// copies them to the controls, paints the logo and icon, and opens the links.
#include "win32/dialogs/about_dialog.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/app/about_box.h"
#include "core/util/picture_scale.h"
#include "win32/common_controls.h"
#include "win32/dialogs/about_ids.h"
#include "win32/icon_title_font.h"
#include "win32/win_platform.h"

namespace quillo {
namespace {

constexpr wchar_t kLinkClass[] = L"QuilloLinkLabel";

COLORREF Ref(uint32_t c) {
  return static_cast<COLORREF>(c & 0xFFFFFF);
}

// ---- The link label: bold text in the link colour, red and underlined under the pointer. ----

struct LinkState {
  bool hot = false;
  HFONT font = nullptr;       // the dialog's, not owned
  HFONT underline = nullptr;  // made from it, owned
};

void Click(HWND link) {
  SendMessageW(GetParent(link), WM_COMMAND,
               MAKEWPARAM(static_cast<UINT>(GetDlgCtrlID(link)), STN_CLICKED),
               reinterpret_cast<LPARAM>(link));
}

void PaintLink(HWND h, LinkState& s) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(h, &ps);
  RECT r;
  GetClientRect(h, &r);
  // The parent's background, as for any static text.
  auto brush = reinterpret_cast<HBRUSH>(SendMessageW(
      GetParent(h), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(h)));
  FillRect(dc, &r, brush ? brush : GetSysColorBrush(COLOR_BTNFACE));
  if (s.hot && !s.underline && s.font) {
    LOGFONTW lf{};
    GetObjectW(s.font, sizeof lf, &lf);
    lf.lfUnderline = TRUE;
    s.underline = CreateFontIndirectW(&lf);
  }
  HFONT font = s.hot && s.underline ? s.underline : s.font;
  HGDIOBJ old = font ? SelectObject(dc, font) : nullptr;
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, Ref(s.hot ? kAboutLinkHot : kAboutLink));
  wchar_t text[512] = {};
  GetWindowTextW(h, text, 512);
  DrawTextW(dc, text, -1, &r, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  if (GetFocus() == h) {
    RECT box{};
    DrawTextW(dc, text, -1, &box, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    box.right = std::min(box.right + 2, r.right);
    box.top = r.top;
    box.bottom = r.bottom;
    DrawFocusRect(dc, &box);
  }
  if (old) SelectObject(dc, old);
  EndPaint(h, &ps);
}

LRESULT CALLBACK LinkProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) noexcept {
  auto* s = reinterpret_cast<LinkState*>(GetWindowLongPtrW(h, GWLP_USERDATA));
  switch (msg) {
    case WM_NCCREATE:
      SetWindowLongPtrW(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(new LinkState));
      break;
    case WM_NCDESTROY:
      if (s) {
        if (s->underline) DeleteObject(s->underline);
        delete s;
        SetWindowLongPtrW(h, GWLP_USERDATA, 0);
      }
      break;
    case WM_SETFONT:
      if (!s) break;
      s->font = reinterpret_cast<HFONT>(wp);
      if (s->underline) DeleteObject(s->underline), s->underline = nullptr;
      if (LOWORD(lp)) InvalidateRect(h, nullptr, TRUE);
      return 0;
    case WM_GETFONT:
      return s ? reinterpret_cast<LRESULT>(s->font) : 0;
    case WM_PAINT:
      if (s) {
        PaintLink(h, *s);
        return 0;
      }
      break;
    case WM_ERASEBKGND:
      return 1;
    case WM_MOUSEMOVE:
      if (s && !s->hot) {
        s->hot = true;
        TRACKMOUSEEVENT t{sizeof t, TME_LEAVE, h, 0};
        TrackMouseEvent(&t);
        InvalidateRect(h, nullptr, FALSE);
      }
      return 0;
    case WM_MOUSELEAVE:
      if (s) s->hot = false;
      InvalidateRect(h, nullptr, FALSE);
      return 0;
    case WM_LBUTTONUP:
      if (s && s->hot) Click(h);
      return 0;
    case WM_GETDLGCODE:
      // Enter on a focused link opens it instead of pressing the dialog's default button.
      if (lp && reinterpret_cast<MSG*>(lp)->message == WM_KEYDOWN && wp == VK_RETURN)
        return DLGC_WANTMESSAGE;
      return 0;
    case WM_KEYDOWN:
      if (wp == VK_RETURN || wp == VK_SPACE) Click(h);
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      InvalidateRect(h, nullptr, FALSE);
      return 0;
    case WM_SETTEXT: {
      const LRESULT r = DefWindowProcW(h, msg, wp, lp);
      InvalidateRect(h, nullptr, TRUE);
      return r;
    }
    default:
      break;
  }
  return DefWindowProcW(h, msg, wp, lp);
}

void RegisterLinkClass(HINSTANCE instance) {
  WNDCLASSEXW wc{};
  if (GetClassInfoExW(instance, kLinkClass, &wc)) return;
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = LinkProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_HAND);
  wc.lpszClassName = kLinkClass;
  RegisterClassExW(&wc);
}

// ---- The dialog. ----

HFONT MakeFont(const FontSpec& font, int dpi, int weight) {
  return CreateFontW(ScalePx(font.height, dpi), 0, 0, 0, weight, FALSE, FALSE, FALSE,
                     DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_DONTCARE, Widen(font.face).c_str());
}

// The logo as drawn for the resources (256 pixels, straight alpha).
ArgbPicture LoadLogo(HINSTANCE instance) {
  ArgbPicture p;
  constexpr int kSize = 256;
  auto icon = static_cast<HICON>(
      LoadImageW(instance, MAKEINTRESOURCEW(IDI_LOGO), IMAGE_ICON, kSize, kSize, LR_DEFAULTCOLOR));
  if (!icon) return p;
  ICONINFO info{};
  if (GetIconInfo(icon, &info)) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = kSize;
    bi.bmiHeader.biHeight = -kSize;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    std::vector<uint32_t> pixels(kSize * kSize);
    HDC dc = GetDC(nullptr);
    const int rows =
        info.hbmColor ? GetDIBits(dc, info.hbmColor, 0, kSize, pixels.data(), &bi, DIB_RGB_COLORS)
                      : 0;
    ReleaseDC(nullptr, dc);
    if (rows == kSize) {
      bool anyAlpha = false;
      for (uint32_t px : pixels) anyAlpha |= (px >> 24) != 0;
      if (!anyAlpha)  // a picture without an alpha channel is opaque
        for (uint32_t& px : pixels) px |= 0xFF000000u;
      p = {kSize, kSize, std::move(pixels)};
    }
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
  }
  DestroyIcon(icon);
  return p;
}

class AboutDialog {
 public:
  AboutDialog(HINSTANCE instance, HWND appWindow) : instance_(instance), appWindow_(appWindow) {}
  ~AboutDialog() { Release(); }

  static INT_PTR CALLBACK Proc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp) noexcept;
  HWND hwnd() const { return dlg_; }

 private:
  INT_PTR Handle(UINT msg, WPARAM wp, LPARAM lp);
  void Init();
  // Fonts, positions, logo and icon for the window's DPI.
  void Layout();
  void Release();
  void DrawPicture(const DRAWITEMSTRUCT& item);
  void OpenLink(const std::string& hint);
  // Hides the window that carries the taskbar button, remembering to give it back.
  void HideTaskbarWindow();

  HINSTANCE instance_;
  HWND appWindow_;
  bool appWindowHidden_ = false;
  HWND dlg_ = nullptr;
  HWND tooltip_ = nullptr;
  AboutTexts texts_ = AboutBoxTexts();
  AboutLayout layout_;
  int dpi_ = 96;
  HBRUSH background_ = nullptr;
  HFONT formFont_ = nullptr, nameFont_ = nullptr, freewareFont_ = nullptr, linkFont_ = nullptr;
  HICON icon_ = nullptr, smallIcon_ = nullptr;
  ArgbPicture logoSource_;
  std::vector<uint32_t> logo_;  // flattened onto the background at the layout's size
  int logoSize_ = 0;
};

HWND g_open = nullptr;  // the one open about dialog

INT_PTR CALLBACK AboutDialog::Proc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp) noexcept {
  AboutDialog* self = nullptr;
  if (msg == WM_INITDIALOG) {
    self = reinterpret_cast<AboutDialog*>(lp);
    SetWindowLongPtrW(dlg, DWLP_USER, lp);
    self->dlg_ = dlg;
  } else {
    self = reinterpret_cast<AboutDialog*>(GetWindowLongPtrW(dlg, DWLP_USER));
  }
  if (!self) return FALSE;
  try {
    return self->Handle(msg, wp, lp);
  } catch (const std::exception&) {
    return FALSE;
  }
}

void AboutDialog::Init() {
  g_open = dlg_;
  background_ = CreateSolidBrush(Ref(kAboutBackground));
  logoSource_ = LoadLogo(instance_);
  SetWindowTextW(dlg_, Widen(texts_.caption).c_str());
  const std::pair<int, const std::string*> labels[] = {{IDC_LBLNAME, &texts_.name},
                                                       {IDC_LBLCOPYRIGHT, &texts_.copyright},
                                                       {IDC_LBLFREEWARE, &texts_.freeware},
                                                       {IDC_LBLSUPPORT, &texts_.support},
                                                       {IDC_LBLMAILTO, &texts_.mailto},
                                                       {IDC_JVLINKLABEL2, &texts_.mailLink},
                                                       {IDC_LBLSURFTO, &texts_.surfto},
                                                       {IDC_JVLINKLABEL3, &texts_.webLink},
                                                       {IDC_BTNOK, &texts_.ok}};
  for (const auto& [id, text] : labels) SetDlgItemTextW(dlg_, id, Widen(*text).c_str());

  // Each link's hint is the address it opens.
  tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, dlg_,
                             nullptr, instance_, nullptr);
  for (const auto& [id, hint] : {std::pair{IDC_JVLINKLABEL2, &texts_.mailHint},
                                 std::pair{IDC_JVLINKLABEL3, &texts_.webHint}}) {
    std::wstring text = Widen(*hint);
    TOOLINFOW ti{};
    ti.cbSize = sizeof ti;
    ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    ti.hwnd = dlg_;
    ti.uId = reinterpret_cast<UINT_PTR>(GetDlgItem(dlg_, id));
    ti.lpszText = text.data();
    if (tooltip_) SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
  }

  Layout();
  // Centred on the screen.
  RECT r;
  GetWindowRect(dlg_, &r);
  const int w = r.right - r.left, h = r.bottom - r.top;
  SetWindowPos(dlg_, nullptr, (GetSystemMetrics(SM_CXSCREEN) - w) / 2,
               (GetSystemMetrics(SM_CYSCREEN) - h) / 2, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void AboutDialog::Release() {
  for (HFONT* f : {&formFont_, &nameFont_, &freewareFont_, &linkFont_})
    if (*f) DeleteObject(*f), *f = nullptr;
  for (HICON* i : {&icon_, &smallIcon_})
    if (*i) DestroyIcon(*i), *i = nullptr;
  if (background_) DeleteObject(background_), background_ = nullptr;
}

void AboutDialog::Layout() {
  const UINT dpi = GetDpiForWindow(dlg_);
  dpi_ = dpi ? static_cast<int>(dpi) : 96;
  for (HFONT* f : {&formFont_, &nameFont_, &freewareFont_, &linkFont_})
    if (*f) DeleteObject(*f), *f = nullptr;
  formFont_ = IconTitleFontFor(dpi_);
  if (!formFont_) formFont_ = MakeFont(kAboutDesignFont, dpi_, FW_NORMAL);
  // Arial Black is a black weight of its own; asking for it keeps a heavy face where the font
  // is missing and another takes its place.
  nameFont_ = MakeFont(kAboutNameFont, dpi_, FW_BLACK);
  freewareFont_ = MakeFont(kAboutFreewareFont, dpi_, FW_BLACK);
  linkFont_ = MakeFont(kAboutLinkFont, dpi_, FW_BOLD);
  const std::pair<int, HFONT> fonts[] = {
      {IDC_LBLNAME, nameFont_},    {IDC_LBLCOPYRIGHT, formFont_}, {IDC_LBLFREEWARE, freewareFont_},
      {IDC_LBLSUPPORT, formFont_}, {IDC_LBLMAILTO, formFont_},    {IDC_JVLINKLABEL2, linkFont_},
      {IDC_LBLSURFTO, formFont_},  {IDC_JVLINKLABEL3, linkFont_}, {IDC_BTNOK, formFont_}};
  for (const auto& [id, font] : fonts)
    SendDlgItemMessageW(dlg_, id, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  if (tooltip_) SendMessageW(tooltip_, WM_SETFONT, reinterpret_cast<WPARAM>(formFont_), FALSE);

  // Every text in the font its control draws it with: the form font follows the system's text
  // size, and the layout places each line below the one before by what it measures.
  AboutMeasures m;
  HDC dc = GetDC(dlg_);
  const auto measure = [&](HFONT font, const std::string& text) {
    HGDIOBJ old = SelectObject(dc, font);
    const std::wstring w = Widen(text);
    SIZE size{};
    GetTextExtentPoint32W(dc, w.c_str(), static_cast<int>(w.size()), &size);
    SelectObject(dc, old);
    // Two pixels more across: room for the focus rectangle's edge.
    return TextExtent{size.cx + 2, size.cy};
  };
  m.name = measure(nameFont_, texts_.name);
  m.copyright = measure(formFont_, texts_.copyright);
  m.freeware = measure(freewareFont_, texts_.freeware);
  m.support = measure(formFont_, texts_.support);
  m.mailto = measure(formFont_, texts_.mailto);
  m.surfto = measure(formFont_, texts_.surfto);
  m.mailLink = measure(linkFont_, texts_.mailLink);
  m.webLink = measure(linkFont_, texts_.webLink);
  m.ok = measure(formFont_, texts_.ok);
  ReleaseDC(dlg_, dc);

  layout_ = LayoutAboutBox(dpi_, m);
  const std::pair<int, Rect> places[] = {{IDC_IMGLOGO, layout_.logo},
                                         {IDC_IMGICON, layout_.icon},
                                         {IDC_LBLNAME, layout_.name},
                                         {IDC_LBLCOPYRIGHT, layout_.copyright},
                                         {IDC_LBLFREEWARE, layout_.freeware},
                                         {IDC_LBLSUPPORT, layout_.support},
                                         {IDC_LBLMAILTO, layout_.mailto},
                                         {IDC_JVLINKLABEL2, layout_.mailLink},
                                         {IDC_LBLSURFTO, layout_.surfto},
                                         {IDC_JVLINKLABEL3, layout_.webLink},
                                         {IDC_BTNOK, layout_.ok}};
  for (const auto& [id, r] : places)
    SetWindowPos(GetDlgItem(dlg_, id), nullptr, r.left, r.top, r.width, r.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);

  RECT frame{0, 0, layout_.client.width, layout_.client.height};
  AdjustWindowRectExForDpi(&frame, static_cast<DWORD>(GetWindowLongPtrW(dlg_, GWL_STYLE)), FALSE,
                           static_cast<DWORD>(GetWindowLongPtrW(dlg_, GWL_EXSTYLE)),
                           static_cast<UINT>(dpi_));
  SetWindowPos(dlg_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

  // The logo keeps its proportions inside its area; the icon is drawn from the size nearest.
  logoSize_ = std::min(layout_.logo.width, layout_.logo.height);
  const uint32_t bg = kAboutBackground;
  const uint32_t rgb = (bg & 0xFF) << 16 | (bg & 0xFF00) | (bg >> 16 & 0xFF);
  logo_ = FlattenOnto(ResizeByArea(logoSource_, logoSize_, logoSize_), rgb);
  for (HICON* i : {&icon_, &smallIcon_})
    if (*i) DestroyIcon(*i), *i = nullptr;
  icon_ = static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                        layout_.icon.width, layout_.icon.height, LR_DEFAULTCOLOR));
  const int small = GetSystemMetricsForDpi(SM_CXSMICON, static_cast<UINT>(dpi_));
  smallIcon_ = static_cast<HICON>(
      LoadImageW(instance_, MAKEINTRESOURCEW(1), IMAGE_ICON, small, small, LR_DEFAULTCOLOR));
  SendMessageW(dlg_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_));
  SendMessageW(dlg_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
  InvalidateRect(dlg_, nullptr, TRUE);
}

void AboutDialog::DrawPicture(const DRAWITEMSTRUCT& item) {
  const RECT& r = item.rcItem;
  FillRect(item.hDC, &r, background_);
  if (item.CtlID == IDC_IMGICON) {
    if (icon_)
      DrawIconEx(item.hDC, r.left, r.top, icon_, r.right - r.left, r.bottom - r.top, 0, nullptr,
                 DI_NORMAL);
    return;
  }
  if (logo_.empty()) return;
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = logoSize_;
  bi.bmiHeader.biHeight = -logoSize_;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  const int x = r.left + (r.right - r.left - logoSize_) / 2;
  const int y = r.top + (r.bottom - r.top - logoSize_) / 2;
  SetDIBitsToDevice(item.hDC, x, y, static_cast<DWORD>(logoSize_), static_cast<DWORD>(logoSize_), 0,
                    0, 0, static_cast<UINT>(logoSize_), logo_.data(), &bi, DIB_RGB_COLORS);
}

void AboutDialog::OpenLink(const std::string& hint) {
  // As the shell opens any address: the default browser, or the mail program for "mailto:".
  // A failure leaves the dialog as it is, without a message.
  ShellExecuteW(nullptr, L"open", Widen(hint).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void AboutDialog::HideTaskbarWindow() {
  if (appWindow_ && IsWindowVisible(appWindow_)) {
    ShowWindow(appWindow_, SW_HIDE);
    appWindowHidden_ = true;
  }
}

INT_PTR AboutDialog::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_INITDIALOG:
      Init();
      SetFocus(GetDlgItem(dlg_, IDC_BTNOK));
      return FALSE;  // the focus is set
    case WM_ACTIVATE:
      if (LOWORD(wp) != WA_INACTIVE) HideTaskbarWindow();
      return FALSE;
    case WM_CTLCOLORDLG:
      return reinterpret_cast<INT_PTR>(background_);
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
      HDC dc = reinterpret_cast<HDC>(wp);
      SetBkMode(dc, TRANSPARENT);
      SetTextColor(dc, Ref(kAboutText));
      return reinterpret_cast<INT_PTR>(background_);
    }
    case WM_DRAWITEM:
      DrawPicture(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp));
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wp)) {
        case IDOK:
        case IDCANCEL:
          EndDialog(dlg_, LOWORD(wp));
          return TRUE;
        case IDC_JVLINKLABEL2:
          OpenLink(texts_.mailHint);
          return TRUE;
        case IDC_JVLINKLABEL3:
          OpenLink(texts_.webHint);
          return TRUE;
        default:
          return FALSE;
      }
    case WM_DPICHANGED: {
      Layout();
      const RECT* suggested = reinterpret_cast<const RECT*>(lp);
      SetWindowPos(dlg_, nullptr, suggested->left, suggested->top, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      return TRUE;
    }
    case WM_DESTROY:
      // The button comes back unless the panel was hidden to the notification area meanwhile.
      if (appWindowHidden_ && appWindow_ && IsWindowVisible(GetWindow(dlg_, GW_OWNER)))
        ShowWindow(appWindow_, SW_SHOWNOACTIVATE);
      if (tooltip_) DestroyWindow(tooltip_), tooltip_ = nullptr;
      g_open = nullptr;
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace

void ShowAboutDialog(HINSTANCE instance, HWND owner, HWND appWindow) {
  if (g_open) {
    if (IsIconic(g_open)) ShowWindow(g_open, SW_RESTORE);
    SetForegroundWindow(g_open);
    return;
  }
  RegisterLinkClass(instance);
  // Version 6 visuals, and the hint windows of the links.
  CommonControlsScope v6(ICC_BAR_CLASSES);
  AboutDialog dialog(instance, appWindow);
  DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_ABOUT), owner, AboutDialog::Proc,
                  reinterpret_cast<LPARAM>(&dialog));
  g_open = nullptr;
}

}  // namespace quillo
