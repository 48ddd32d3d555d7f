// One copy of the program at a time. The running copy holds the named mutex "Quillomat" for as
// long as it runs; a second start (a second shortcut, the Run entry beside a manual start, a
// portable copy) finds it, asks that copy to bring its panel forward and ends without touching
// the stored totals, so that the same input is never counted twice and no copy writes totals
// over another's.
#pragma once

#include <windows.h>

namespace quillo {

inline constexpr wchar_t kInstanceMutexName[] = L"Quillomat";

// The message a second start posts to the running copy's main window: show the panel (also when
// it is hidden to the notification area) and bring it, or the dialog in front of it, forward.
UINT ShowPanelMessage();

// Takes the mutex for this process (kept until the process ends) and returns true; or, when
// another copy holds it, asks that copy's main window (found by its class and title) to come
// forward and returns false. A copy that is still starting is given up to `waitMs` to make its
// window; one that ends meanwhile (killed, or closed by an installer) leaves the mutex to this
// start, which then runs. A mutex that cannot be created at all lets the program run.
bool ClaimInstance(const wchar_t* windowClass, const wchar_t* windowTitle, DWORD waitMs);

}  // namespace quillo
