// The probe's window helpers: finding top-level windows and controls, reading their state and
// texts, and the probe's own windows (another program's window, a notification area that refuses
// icons).
#pragma once

#include <windows.h>

#include <string>

namespace probe {

struct Found {
  const wchar_t* cls;
  const wchar_t* title;
  HWND hwnd = nullptr;
};

struct ChildSearch {
  int id;
  HWND found = nullptr;
};

struct CountSearch {
  const wchar_t* cls;
  const wchar_t* title;
  int count = 0;
};

struct TipSearch {
  std::wstring prefix;
  std::wstring found;
};

struct ButtonList {
  int count = 0;
};

BOOL CALLBACK Match(HWND h, LPARAM lp);
BOOL CALLBACK MatchVisible(HWND h, LPARAM lp);
HWND FindTop(const wchar_t* cls, const wchar_t* title, DWORD timeoutMs);
std::wstring Utf8Class(HWND h);
std::wstring Widen16(const std::string& s);
std::string Utf8(const wchar_t* w);
void PrintWindow(HWND h);
std::wstring TooltipText(HWND tip);
HWND GetGUIThreadFocus(HWND h);
BOOL CALLBACK FindChild(HWND h, LPARAM lp);
BOOL CALLBACK CountMatches(HWND h, LPARAM lp);
int PrintControl(HWND top, int id);
BOOL CALLBACK FindTip(HWND h, LPARAM lp);
std::string ClassOf(HWND h);
std::string TextOf(HWND h);
LRESULT CALLBACK CoverProc(HWND h, UINT m, WPARAM w, LPARAM l);
LRESULT CALLBACK BusyTrayProc(HWND h, UINT m, WPARAM w, LPARAM l);
void Pump(DWORD ms);
HWND MakeWindow(const wchar_t* cls, WNDPROC proc, DWORD exStyle, DWORD style, int x, int y, int w,
                int h, const wchar_t* title);
BOOL CALLBACK PrintTaskbarButton(HWND h, LPARAM lp);

}  // namespace probe
