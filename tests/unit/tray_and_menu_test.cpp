// The notification-area icon's clicks and presence, and the pop-up menu as data.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/app/tray_state.h"
#include "core/counting/input_classifier.h"
#include "core/panel/popup_menu.h"

namespace quillo {
namespace {

using namespace msg;

TEST(TrayClicks, ADoubleClickTogglesOnceAndOtherMessagesKeepTheirMeaning) {
  struct Case {
    const char* what;
    std::vector<uint32_t> messages;
    int toggles;
  } cases[] = {
      {"single click", {kLButtonDown, kLButtonUp}, 1},
      {"double click", {kLButtonDown, kLButtonUp, kLButtonDblClk, kLButtonUp}, 1},
      {"double click, then a click",
       {kLButtonDown, kLButtonUp, kLButtonDblClk, kLButtonUp, kLButtonDown, kLButtonUp},
       2},
      {"two double clicks",
       {kLButtonDown, kLButtonUp, kLButtonDblClk, kLButtonUp, kLButtonDown, kLButtonUp,
        kLButtonDblClk, kLButtonUp},
       2},
      // A double-click message whose closing up was lost must not eat the next real click.
      {"lost up after a double click", {kLButtonDblClk, kLButtonDown, kLButtonUp}, 1},
      {"right click and moves", {kMouseMove, kRButtonDown, kRButtonUp, kMouseMove}, 0},
  };
  for (const Case& c : cases) {
    TrayClickFilter filter;
    int toggles = 0;
    for (uint32_t m : c.messages) toggles += filter.OnMessage(m) == TrayAction::kToggle;
    EXPECT_EQ(toggles, c.toggles) << c.what;
  }
  TrayClickFilter filter;
  EXPECT_EQ(filter.OnMessage(kRButtonUp), TrayAction::kMenu);
  EXPECT_EQ(filter.OnMessage(kMouseMove), TrayAction::kHint);
}

TEST(TrayPresence, NeverHidesWithoutTheIconAndRetriesUntilItIsThere) {
  TrayPresence tray;
  EXPECT_TRUE(tray.AddResult(false));     // the shell was busy: try again later
  EXPECT_FALSE(tray.RequestHide(false));  // the close button: refused, not remembered
  EXPECT_FALSE(tray.RequestHide(true));   // start-up's "Hide": kept for later
  EXPECT_FALSE(tray.TakeDeferredHide());
  EXPECT_FALSE(tray.AddResult(true));     // in place: no more attempts
  EXPECT_TRUE(tray.TakeDeferredHide());   // and now the start-up hide happens
  EXPECT_FALSE(tray.TakeDeferredHide());  // once
  EXPECT_TRUE(tray.RequestHide(false));

  tray.Lost();  // the shell restarted
  EXPECT_FALSE(tray.RequestHide(false));
  tray.RequestHide(true);
  tray.CancelDeferredHide();  // the user brought the window back meanwhile
  tray.AddResult(true);
  EXPECT_FALSE(tray.TakeDeferredHide());
}

std::vector<std::string> Captions(const std::vector<MenuEntry>& menu) {
  std::vector<std::string> out;
  for (const MenuEntry& e : menu) out.push_back(e.separator ? "-" : e.caption);
  return out;
}

TEST(PopupMenu, OrderCaptionsDebugItemsAndAvailability) {
  const MainWindowTexts en = TextsForLanguage(kEnglish);
  const auto plain = PopupMenu1(en, false, {});
  EXPECT_EQ(Captions(plain),
            (std::vector<std::string>{"Show/Hide Counter Panel", "Reset Counters", "-",
                                      "Options...", "History...", "-", "Export Counters",
                                      "Import Counters", "-", "Visit Ombrelune Software Website",
                                      "Check for New Version...", "-", "Show Helpfile\tF1", "-",
                                      "About Quillomat...", "-", "Exit\tAlt+F4"}));
  auto enabled = [](const std::vector<MenuEntry>& m, Command c) {
    for (const MenuEntry& e : m)
      if (!e.separator && e.command == c) return e.enabled;
    ADD_FAILURE() << "no item " << static_cast<int>(c);
    return false;
  };
  EXPECT_FALSE(enabled(plain, Command::kSetup));
  EXPECT_FALSE(enabled(plain, Command::kHistory));
  EXPECT_TRUE(enabled(plain, Command::kHidePanel));
  const auto all = PopupMenu1(en, true, {true, true, true, true, true});
  EXPECT_EQ(Captions(all), (std::vector<std::string>{"Check Hooks",
                                                     "Refresh Hooks",
                                                     "-",
                                                     "Show/Hide Counter Panel",
                                                     "Reset Counters",
                                                     "-",
                                                     "Options...",
                                                     "History...",
                                                     "-",
                                                     "Export Counters",
                                                     "Import Counters",
                                                     "-",
                                                     "Visit Ombrelune Software Website",
                                                     "Check for New Version...",
                                                     "-",
                                                     "Show Helpfile\tF1",
                                                     "-",
                                                     "About Quillomat...",
                                                     "-",
                                                     "Exit\tAlt+F4"}));
  for (Command c : {Command::kSetup, Command::kExport, Command::kImport, Command::kCheckUpdate,
                    Command::kAbout, Command::kHistory})
    EXPECT_TRUE(enabled(all, c));
  // Relabelled in the language, the fixed English items stay; "History..." below "Options..." in
  // the language's words.
  const struct {
    int language;
    std::vector<std::string> captions;
  } languages[] = {
      {kGerman,
       {"Anzeigen/Verstecken", "Messungen zurücksetzen", "-", "Einstellungen...", "Verlauf...", "-",
        "Export Counters", "Import Counters", "-", "Visit Ombrelune Software Website",
        "Internet auf Update prüfen...", "-", "Hilfe\tF1", "-", "Informationen...", "-",
        "Beenden\tAlt+F4"}},
      {kCzech,
       {"Zobrazit/Minimalizovat", "Vynulování Počítadla", "-", "Nastavení...", "Historie...", "-",
        "Export Counters", "Import Counters", "-", "Visit Ombrelune Software Website",
        "Zkontrolujte, zda není nová verze...", "-", "Zobrazit Nápovědu\tF1", "-",
        "O Programu Quillomat...", "-", "Ukončit\tAlt+F4"}},
  };
  for (const auto& l : languages)
    EXPECT_EQ(Captions(PopupMenu1(TextsForLanguage(l.language), false, {})), l.captions)
        << l.language;
}

}  // namespace
}  // namespace quillo
