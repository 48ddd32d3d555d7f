// Message boxes; the Yes and No captions are replaced through a CBT hook on this thread. Every box
// is owned by the modal dialog that is open, if one is: owned by the disabled window behind it, a
// box could fall behind the dialog, and on closing would enable that window under the dialog.
#include "win32/message_boxes.h"

#include "core/app/main_logic.h"
#include "win32/modal_dialog.h"
#include "win32/win_platform.h"

namespace quillo {
namespace {

struct ButtonCaptions {
  std::wstring yes, no;
};
thread_local ButtonCaptions* g_captions = nullptr;
thread_local HHOOK g_cbtHook = nullptr;

LRESULT CALLBACK RelabelProc(int code, WPARAM wp, LPARAM lp) noexcept {
  if (code == HCBT_ACTIVATE && g_captions) {
    HWND box = reinterpret_cast<HWND>(wp);
    SetDlgItemTextW(box, IDYES, g_captions->yes.c_str());
    SetDlgItemTextW(box, IDNO, g_captions->no.c_str());
    g_captions = nullptr;
  }
  return CallNextHookEx(g_cbtHook, code, wp, lp);
}

}  // namespace

void ShowMessageBox(HWND owner, const std::string& text) {
  MessageBoxW(BoxOwner(owner), Widen(text).c_str(), Widen(kApplicationTitle).c_str(), MB_OK);
}

void ShowErrorBox(HWND owner, const std::string& text) {
  MessageBoxW(BoxOwner(owner), Widen(text).c_str(), Widen(kApplicationTitle).c_str(),
              MB_OK | MB_ICONERROR);
}

void ShowWarningBox(HWND owner, const std::string& text) {
  MessageBoxW(BoxOwner(owner), Widen(text).c_str(), Widen(kApplicationTitle).c_str(),
              MB_OK | MB_ICONWARNING);
}

bool AskYesNoBox(HWND owner, const std::string& text, const std::string& yes, const std::string& no,
                 bool defaultNo) {
  ButtonCaptions captions{Widen(yes), Widen(no)};
  g_captions = &captions;
  g_cbtHook = SetWindowsHookExW(WH_CBT, RelabelProc, nullptr, GetCurrentThreadId());
  const int answer = MessageBoxW(BoxOwner(owner), Widen(text).c_str(), L"Quillomat",
                                 MB_YESNO | MB_ICONWARNING | (defaultNo ? MB_DEFBUTTON2 : 0));
  if (g_cbtHook) UnhookWindowsHookEx(g_cbtHook);
  g_cbtHook = nullptr;
  g_captions = nullptr;
  return answer == IDYES;
}

}  // namespace quillo
