// Command numbers of the pop-up menu and the panel's buttons, as WM_COMMAND carries them (the
// end-to-end tests send them too, so the numbers stay put).
#pragma once

#include <cstdint>

namespace quillo {

enum class Command : uint16_t {
  kHidePanel = 100,
  kResetCounters = 101,
  kExit = 102,
  kSetup = 103,
  kExport = 104,
  kImport = 105,
  kWebsite = 106,
  kCheckUpdate = 107,
  kHelp = 108,
  kAbout = 109,
  kDebugCheckHooks = 110,
  kDebugRefreshHooks = 111,
  kSendNow = 112,  // "Send Now !" of the settings dialog
  kHistory = 113,
  kBtnExit = 200,
  kBtnMinimize = 201,
  kBtnHelp = 202,
  kBtnOnOff = 203,
  kBtnSetup = 204,
};

}  // namespace quillo
