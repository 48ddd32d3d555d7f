// The pop-up menu of the panel and the notification-area icon, as data: its items in order, their
// captions in the current language, and which of them are shown and available.
#pragma once

#include <string>
#include <vector>

#include "core/panel/commands.h"
#include "core/panel/main_window_texts.h"

namespace quillo {

struct MenuEntry {
  bool separator = false;
  Command command{};
  std::string caption;  // with the shortcut after a tab ("Exit\tAlt+F4")
  bool enabled = true;
};

// The commands whose windows exist in this build; the others are listed but unavailable.
struct MenuAvailability {
  bool setup = false;
  bool exportImport = false;
  bool checkUpdate = false;
  bool about = false;
  bool history = false;
};

// The menu in its fixed order. The debug items and their separator lead it when `debugItems`.
std::vector<MenuEntry> PopupMenu1(const MainWindowTexts& texts, bool debugItems,
                                  const MenuAvailability& available);

}  // namespace quillo
