// TfrmCheckUpdate: the update check's result dialog, laid out in pixels at 96 DPI and scaled for
// the dialog's DPI, with the short form for "already latest" and the download link.
#pragma once

#include <windows.h>

#include <string>

#include "core/online/version_file.h"

namespace quillo {

// Control ids, named after the components (the end-to-end tests read the controls by them).
enum UpdateDialogId : int {
  IDC_LBLCURRENT = 1001,
  IDC_LBLLATESTVERSION = 1002,
  IDC_LBLVERSION = 1003,
  IDC_LBLTEXT = 1004,
  IDC_LBLNEWFEATURES = 1005,
  IDC_LBLFEATURES = 1006,
  IDC_LNKDOWNLOAD = 1007,
  IDC_BTNOK = IDOK,
};

// Shows the dialog modally, owned by `owner`; the link opens `downloadAddress`. False when the
// dialog could not be created.
bool ShowUpdateDialog(HWND owner, const UpdateDialogState& state,
                      const std::string& downloadAddress);

}  // namespace quillo
