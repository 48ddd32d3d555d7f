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

// Creates the mutex for this process and keeps it until the process ends. False when another
// copy holds it already. A mutex that cannot be created at all lets the program run.
bool TakeInstanceMutex();

// Asks the running copy to come forward, waiting up to `waitMs` for its main window while it may
// still be starting. True when the request was delivered.
bool BringRunningCopyForward(DWORD waitMs);

}  // namespace quillo
