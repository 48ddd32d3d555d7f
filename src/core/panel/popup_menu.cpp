// The pop-up menu's items.
#include "core/panel/popup_menu.h"

#include "core/panel/history_texts.h"

namespace quillo {

std::vector<MenuEntry> PopupMenu1(const MainWindowTexts& texts, bool debugItems,
                                  const MenuAvailability& available) {
  std::vector<MenuEntry> menu;
  auto item = [&menu](Command command, std::string caption, bool enabled = true) {
    menu.push_back({false, command, std::move(caption), enabled});
  };
  auto separator = [&menu] { menu.push_back({true, {}, {}, true}); };
  if (debugItems) {
    item(Command::kDebugCheckHooks, "Check Hooks");
    item(Command::kDebugRefreshHooks, "Refresh Hooks");
    separator();
  }
  item(Command::kHidePanel, texts.HidePanel1);
  item(Command::kResetCounters, texts.ResetCounter1);
  separator();
  item(Command::kSetup, texts.SetupQuillomat1, available.setup);
  item(Command::kHistory, std::string(HistoryWindowText(HistoryText::menuItem, texts.language)),
       available.history);
  separator();
  item(Command::kExport, "Export Counters", available.exportImport);
  item(Command::kImport, "Import Counters", available.exportImport);
  separator();
  item(Command::kWebsite, "Visit Ombrelune Software Website");
  item(Command::kCheckUpdate, texts.Checkforupdate1, available.checkUpdate);
  separator();
  item(Command::kHelp, texts.Help1 + "\tF1");
  separator();
  item(Command::kAbout, texts.Info1, available.about);
  separator();
  item(Command::kExit, texts.Exit1 + "\tAlt+F4");
  return menu;
}

}  // namespace quillo
