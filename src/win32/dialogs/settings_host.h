// The part of the main window that the settings dialog's apply drives, and the system services
// it needs, for the real program.
#pragma once

#include <memory>

#include "core/app/settings_dialog.h"

namespace quillo {

class MainWindow;

// Made for the dialog's opening; lives as long as the dialog.
std::unique_ptr<SettingsHost> MakeSettingsHost(MainWindow& main);

}  // namespace quillo
