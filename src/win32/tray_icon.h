// The notification-area icon: added, retried while the shell cannot take it, re-added when the
// shell restarts, its picture and hint kept up to date, its mouse messages turned into actions.
#pragma once

#include <windows.h>

#include <string>

#include "core/app/tray_state.h"

namespace quillo {

class TrayIcon {
 public:
  // `owner` receives `callbackMessage` for the icon's mouse messages and the WM_TIMER `retryTimer`
  // while an attempt to add the icon is pending.
  TrayIcon(HWND owner, UINT callbackMessage, UINT_PTR retryTimer);
  ~TrayIcon();
  TrayIcon(const TrayIcon&) = delete;
  TrayIcon& operator=(const TrayIcon&) = delete;

  // Tries to add the icon; while that fails, the retry timer tries again.
  void Add();
  // The retry timer fired: true when the icon is in place now.
  bool Retry();
  // The shell announced "TaskbarCreated": its notification area is new and empty.
  void ShellRestarted();
  void Remove();

  void SetIcon(HICON icon);
  void SetHint(const std::wstring& hint);
  // The meaning of one callback message (its LPARAM).
  TrayAction OnCallback(LPARAM lp) { return clicks_.OnMessage(LOWORD(lp)); }

  TrayPresence& presence() { return presence_; }

 private:
  bool Notify(DWORD message, UINT flags);

  HWND owner_;
  UINT callbackMessage_;
  UINT_PTR retryTimer_;
  HICON icon_ = nullptr;
  std::wstring hint_ = L"Quillomat";
  TrayClickFilter clicks_;
  TrayPresence presence_;
};

// The program's picture for counting (a lit "8" cell of the panel's display) or paused (only the
// dark unlit segments), at the given size.
HICON MakeStateIcon(bool on, int size);

}  // namespace quillo
