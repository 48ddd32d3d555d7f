// The update dialog: an empty in-memory template whose controls are placed at their pixel
// positions for the dialog's DPI (the layout is given in pixels, which dialog units cannot hold).
#include "win32/dialogs/update_dialog.h"

#include <shellapi.h>

#include <vector>

#include "win32/common_controls.h"
#include "win32/icon_title_font.h"
#include "win32/win_platform.h"

namespace quillo {
namespace {

constexpr int kDesignWidth = 473, kDesignHeight = 337;
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kExStyle = 0;

struct Dialog {
  const UpdateDialogState& state;
  std::wstring downloadAddress;
  HFONT font = nullptr, linkFont = nullptr;
  int dpi = 96;
  int Scale(int px) const { return MulDiv(px, dpi, 96); }
};

SIZE TextSize(HWND dialog, HFONT font, const std::wstring& text) {
  HDC dc = GetDC(dialog);
  HGDIOBJ old = SelectObject(dc, font ? font : GetStockObject(DEFAULT_GUI_FONT));
  RECT r{0, 0, 0, 0};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_NOPREFIX);
  SelectObject(dc, old);
  ReleaseDC(dialog, dc);
  return {r.right, r.bottom};
}

// An auto-sized label at its design position.
void Label(HWND dialog, const Dialog& d, int id, int left, int top, const std::string& text,
           bool visible = true, HFONT font = nullptr) {
  const std::wstring w = Widen(text);
  if (!font) font = d.font;
  const SIZE size = TextSize(dialog, font, w);
  DWORD style = WS_CHILD | SS_LEFT | SS_NOPREFIX | (visible ? WS_VISIBLE : 0);
  if (id == IDC_LNKDOWNLOAD) style |= SS_NOTIFY;
  HWND label =
      CreateWindowExW(0, L"STATIC", w.c_str(), style, d.Scale(left), d.Scale(top), size.cx, size.cy,
                      dialog, reinterpret_cast<HMENU>(INT_PTR{id}), nullptr, nullptr);
  if (label && font) SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

void Layout(HWND dialog, Dialog& d) {
  d.dpi = static_cast<int>(GetDpiForWindow(dialog));
  if (d.dpi <= 0) d.dpi = 96;
  d.font = IconTitleFontFor(d.dpi);
  // The link's own font: bold "MS Sans Serif" of the design's 8 points.
  d.linkFont = CreateFontW(-MulDiv(8, d.dpi, 72), 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE,
                           DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                           DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"MS Sans Serif");
  if (d.font) SendMessageW(dialog, WM_SETFONT, reinterpret_cast<WPARAM>(d.font), FALSE);
  SetWindowTextW(dialog, Widen(kUpdateDialogCaption).c_str());

  const UpdateDialogState& s = d.state;
  const bool full = s.showDownload;
  Label(dialog, d, IDC_LBLCURRENT, 24, 16, s.current);
  Label(dialog, d, IDC_LBLLATESTVERSION, 24, 40, "Latest version found online :");
  Label(dialog, d, IDC_LBLVERSION, 194, 40, s.version);
  Label(dialog, d, IDC_LBLTEXT, 24, 64, s.verdict);
  Label(dialog, d, IDC_LBLNEWFEATURES, 24, 88, "New Features", full);
  Label(dialog, d, IDC_LBLFEATURES, 104, 88, s.features, full);
  Label(dialog, d, IDC_LNKDOWNLOAD, 26, 157, "Download new Version", full, d.linkFont);

  // The designed client area, or the short form's 180-pixel window height.
  RECT frame{0, 0, d.Scale(kDesignWidth), d.Scale(kDesignHeight)};
  AdjustWindowRectExForDpi(&frame, kStyle, FALSE, kExStyle, d.dpi);
  const int width = frame.right - frame.left;
  const int height = full ? frame.bottom - frame.top : d.Scale(kShortDialogHeight);
  const int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  SetWindowPos(dialog, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);

  // btnOK keeps its distance to the right and bottom edges of the designed client area.
  RECT client;
  GetClientRect(dialog, &client);
  const int okWidth = d.Scale(75), okHeight = d.Scale(25);
  HWND ok = CreateWindowExW(
      0, L"BUTTON", L"OK", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON,
      client.right - d.Scale(kDesignWidth - 388), client.bottom - d.Scale(kDesignHeight - 300),
      okWidth, okHeight, dialog, reinterpret_cast<HMENU>(INT_PTR{IDC_BTNOK}), nullptr, nullptr);
  if (ok && d.font) SendMessageW(ok, WM_SETFONT, reinterpret_cast<WPARAM>(d.font), FALSE);
  SetFocus(ok);
}

INT_PTR CALLBACK DialogProc(HWND dialog, UINT msg, WPARAM wp, LPARAM lp) noexcept {
  auto* d = reinterpret_cast<Dialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
  switch (msg) {
    case WM_INITDIALOG:
      SetWindowLongPtrW(dialog, DWLP_USER, lp);
      try {
        Layout(dialog, *reinterpret_cast<Dialog*>(lp));
      } catch (...) {
        EndDialog(dialog, -1);
      }
      return FALSE;  // the focus is set
    case WM_CTLCOLORSTATIC:
      if (d && GetDlgCtrlID(reinterpret_cast<HWND>(lp)) == IDC_LNKDOWNLOAD) {
        HDC dc = reinterpret_cast<HDC>(wp);
        SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHT));
        SetBkMode(dc, TRANSPARENT);
        return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
      }
      return FALSE;
    case WM_SETCURSOR:
      if (GetDlgCtrlID(reinterpret_cast<HWND>(wp)) == IDC_LNKDOWNLOAD) {
        SetCursor(LoadCursorW(nullptr, IDC_HAND));
        SetWindowLongPtrW(dialog, DWLP_MSGRESULT, TRUE);
        return TRUE;
      }
      return FALSE;
    case WM_COMMAND:
      switch (LOWORD(wp)) {
        case IDC_LNKDOWNLOAD:
          if (HIWORD(wp) == STN_CLICKED && d)
            ShellExecuteW(dialog, L"open", d->downloadAddress.c_str(), nullptr, nullptr,
                          SW_SHOWNORMAL);
          return TRUE;
        case IDOK:
        case IDCANCEL:  // Escape and the system menu's Close
          EndDialog(dialog, IDOK);
          return TRUE;
        default:
          return FALSE;
      }
    case WM_DESTROY:
      if (d) {
        if (d->font) DeleteObject(d->font);
        if (d->linkFont) DeleteObject(d->linkFont);
        d->font = d->linkFont = nullptr;
      }
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace

bool ShowUpdateDialog(HWND owner, const UpdateDialogState& state,
                      const std::string& downloadAddress) {
  // DLGTEMPLATE, then no menu, the default class and an empty title (set with the layout).
  std::vector<WORD> tmpl(sizeof(DLGTEMPLATE) / sizeof(WORD) + 3, 0);
  auto* t = reinterpret_cast<DLGTEMPLATE*>(tmpl.data());
  t->style = kStyle;
  t->dwExtendedStyle = kExStyle;
  Dialog d{state, Widen(downloadAddress)};
  // Version 6 of the common controls, as every dialog has (common_controls.h).
  CommonControlsScope v6(0);
  const INT_PTR result = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), t, owner, DialogProc,
                                                 reinterpret_cast<LPARAM>(&d));
  return result == IDOK;
}

}  // namespace quillo
