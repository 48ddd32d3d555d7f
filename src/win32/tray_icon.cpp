// Shell_NotifyIconW around the core's click and presence rules, and the state icons.
#include "win32/tray_icon.h"

#include <shellapi.h>

#include "core/indicator/liquid_indicator.h"
#include "core/panel/indicator_style.h"
#include "core/panel/panel_layout.h"
#include "win32/dib.h"

namespace quillo {
namespace {
constexpr UINT kTrayId = 1;
// At logon the shell may stay busy for a while; every two seconds is often enough and costs
// nothing once the icon is in place.
constexpr UINT kRetryMs = 2000;
}  // namespace

TrayIcon::TrayIcon(HWND owner, UINT callbackMessage, UINT_PTR retryTimer)
    : owner_(owner), callbackMessage_(callbackMessage), retryTimer_(retryTimer) {}

TrayIcon::~TrayIcon() {
  Remove();
}

bool TrayIcon::Notify(DWORD message, UINT flags) {
  NOTIFYICONDATAW nid{};
  nid.cbSize = sizeof nid;
  nid.hWnd = owner_;
  nid.uID = kTrayId;
  nid.uFlags = flags;
  nid.uCallbackMessage = callbackMessage_;
  nid.hIcon = icon_;
  lstrcpynW(nid.szTip, hint_.c_str(), ARRAYSIZE(nid.szTip));  // the shell keeps 127 characters
  return Shell_NotifyIconW(message, &nid) != FALSE;
}

void TrayIcon::Add() {
  const bool added = Notify(NIM_ADD, NIF_MESSAGE | NIF_ICON | NIF_TIP) ||
                     // An icon left over from before (the shell kept it) is still ours.
                     Notify(NIM_MODIFY, NIF_MESSAGE | NIF_ICON | NIF_TIP);
  if (presence_.AddResult(added))
    SetTimer(owner_, retryTimer_, kRetryMs, nullptr);
  else
    KillTimer(owner_, retryTimer_);
}

bool TrayIcon::Retry() {
  Add();
  return presence_.Added();
}

void TrayIcon::ShellRestarted() {
  presence_.Lost();
  Add();
}

void TrayIcon::Remove() {
  KillTimer(owner_, retryTimer_);
  if (presence_.Added()) Notify(NIM_DELETE, 0);
  presence_.Lost();
}

void TrayIcon::SetIcon(HICON icon) {
  icon_ = icon;
  if (presence_.Added()) Notify(NIM_MODIFY, NIF_ICON);
}

void TrayIcon::SetHint(const std::wstring& hint) {
  hint_ = hint;
  if (presence_.Added()) Notify(NIM_MODIFY, NIF_TIP);
}

HICON MakeStateIcon(bool on, int size) {
  indicator::IAeverLiquidIndicator cell;
  cell.Loaded();
  cell.SetSize(size, size);
  cell.SetIndicatorWidth(size);
  cell.SetIndicatorHeight(size);
  cell.SetInnerBevel(indicator::bkNone);
  cell.SetOuterBevel(indicator::bkNone);
  cell.SetIndicatorStyle(indicator::isThin);
  cell.SetBackColor(static_cast<indicator::Color>(kIndicatorLook.BackColor));
  cell.SetNumberBackColor(static_cast<indicator::Color>(kIndicatorLook.NumberBackColor));
  cell.SetNumberForeColor(static_cast<indicator::Color>(kIndicatorLook.NumberForeColor));
  cell.SetSignNumber(1);
  cell.SetIndicatorstring(on ? "8" : " ");
  const indicator::Bitmap& picture = cell.CanvasBitmap();

  BITMAPINFO bi = TopDownBitmapInfo(size, size);
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  HBITMAP color = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  ReleaseDC(nullptr, screen);
  if (!color) return nullptr;
  auto* out = static_cast<uint32_t*>(bits);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x)
      out[y * size + x] =
          (x < picture.Width() && y < picture.Height() ? picture.At(x, y) : 0) | 0xFF000000u;
  HBITMAP mask = CreateBitmap(size, size, 1, 1, nullptr);  // all opaque
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, mask);
  PatBlt(dc, 0, 0, size, size, BLACKNESS);
  SelectObject(dc, old);
  DeleteDC(dc);

  ICONINFO info{};
  info.fIcon = TRUE;
  info.hbmColor = color;
  info.hbmMask = mask;
  HICON icon = CreateIconIndirect(&info);
  DeleteObject(color);
  DeleteObject(mask);
  return icon;
}

}  // namespace quillo
