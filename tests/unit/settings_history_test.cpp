// The settings dialog's "History" page over an in-memory main window that keeps its history in
// memory: what the page shows, what OK/Apply makes of "Keep a history", and "Delete history…" with
// its question answered either way or failing.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>

#include "core/app/settings_dialog.h"
#include "core/history/history_data.h"
#include "fakes/rig.h"

namespace quillo {
namespace {

using fakes::Rig;

constexpr char kFolder[] = "C:\\Users\\me\\AppData\\Local\\Quillomat\\History\\";
constexpr char kTodayFile[] = "today.csv";
constexpr char kPastFile[] = "history.csv";

void Type(Rig& rig, uint32_t keys) {
  rig.c.liveKeystrokes += keys;
}

// The keystrokes today's file holds for today; nothing when it holds no record of today.
std::optional<uint64_t> KeystrokesKeptToday(Rig& rig) {
  HistoryData h;
  AddHistoryText(rig.history.files[kTodayFile], kTodayFile, h);
  const auto it = h.days.find(rig.logic->Today());
  if (it == h.days.end()) return std::nullopt;
  return it->second.Count(Counter::kKeystrokes);
}

// A day kept a week ago.
DayRecord PastDay(Rig& rig) {
  DayRecord r;
  r.day = rig.logic->Today() - 7;
  r.counts[static_cast<size_t>(Counter::kKeystrokes)] = 9;
  r.runningSeconds = 60;
  return r;
}

// ---- Filling ----

TEST(SettingsHistory, ThePageShowsTheStoredSettingAndTheFolder) {
  struct Case {
    const char* name;
    const char* stored;  // "KeepHistory"; nullptr: never stored
    bool files;          // the program has its history's files
    bool box;
    const char* folder;
    bool deleteEnabled;
  } cases[] = {
      {"NeverStoredKeepsAHistory", nullptr, true, true, kFolder, true},
      {"StoredOn", "-1", true, true, kFolder, true},
      {"StoredOff", "0", true, false, kFolder, true},
      {"NoFilesNoFolderNothingToDelete", nullptr, false, true, "", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Rig rig;
    if (!c.files) rig.historyFiles = nullptr;
    if (c.stored)
      rig.Start({{"KeepHistory", c.stored}});
    else
      rig.Start();
    const SettingsDialogState st = rig.Open();
    EXPECT_EQ(st.chkKeepHistory, c.box);
    EXPECT_EQ(st.edtHistoryFolder, c.folder);
    EXPECT_EQ(st.deleteHistoryEnabled, c.deleteEnabled);
  }
}

// ---- Applying ----

TEST(SettingsHistory, OkStoresTheBoxAndKeepsOrStopsKeepingAtOnce) {
  struct Case {
    const char* name;
    const char* stored;
    bool box;
    const char* storedAfter;
    // Today's keystrokes in the history after 3 keys before OK and 4 after it.
    std::optional<uint64_t> kept;
  } cases[] = {
      {"LeftOn", "-1", true, "-1", 7},
      // What was counted until OK is written; nothing after it.
      {"TurnedOff", "-1", false, "0", 3},
      // Picked up at OK: only what comes after it.
      {"TurnedOn", "0", true, "-1", 4},
      {"LeftOff", "0", false, "0", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Rig rig;
    rig.Start({{"KeepHistory", c.stored}});
    SettingsDialogState st = rig.Open();
    Type(rig, 3);
    st.chkKeepHistory = c.box;
    btnOKClick(st, *rig.logic, rig.host);
    EXPECT_EQ(rig.Stored("KeepHistory"), c.storedAfter);
    EXPECT_EQ(rig.logic->settings().keepHistory, c.box);
    Type(rig, 4);
    rig.logic->tmrWriteValuesTimer();
    EXPECT_EQ(KeystrokesKeptToday(rig), c.kept);
  }
}

TEST(SettingsHistory, KeepHistoryIsWrittenAfterTheItemsAndBeforeTheRebuild) {
  Rig rig;
  rig.Start();
  SettingsDialogState st = rig.Open();
  st.chkKeepHistory = false;
  btnOKClick(st, *rig.logic, rig.host);
  const auto items =
      std::find(rig.events.begin(), rig.events.end(), "write DispItems=11111111111111");
  ASSERT_NE(items, rig.events.end());
  EXPECT_EQ(*(items + 1), "write KeepHistory=0");
  EXPECT_EQ(*(items + 2), "off screen");
  // Written once: the full save that follows leaves it alone.
  EXPECT_EQ(
      std::count_if(rig.events.begin(), rig.events.end(),
                    [](const std::string& e) { return e.rfind("write KeepHistory=", 0) == 0; }),
      1);
}

// ---- Deleting ----

TEST(SettingsHistory, DeleteHistoryAsksFirstAndDeletesOnlyOnYes) {
  struct Case {
    const char* name;
    bool yes;
    std::optional<std::string> failure;  // the system's reason, when deleting fails
    bool filesLeft;
    std::optional<std::string> shown;
    uint64_t keptAfter;  // today's keystrokes after 2 more keys: 5 before and 2 after
  } cases[] = {
      {"NoChangesNothing", false, std::nullopt, true, std::nullopt, 7},
      {"YesDeletesBothFilesAndTheDayStartsAgain", true, std::nullopt, false, std::nullopt, 2},
      {"AFailureIsShownWithItsReason", true, "Access is denied.", true,
       "The history could not be deleted: Access is denied.", 7},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Rig rig;
    rig.Start();
    rig.history.files[kPastFile] =
        std::string(DayRecordHeader()) + "\r\n" + FormatDayRecord(PastDay(rig)) + "\r\n";
    Type(rig, 5);
    rig.logic->tmrWriteValuesTimer();
    const auto before = rig.history.files;
    ASSERT_EQ(before.count(kTodayFile), 1u);
    SettingsDialogState st = rig.Open();
    rig.host.answerYes = c.yes;
    rig.history.deleteFailure = c.failure;

    EXPECT_EQ(btnDeleteHistoryClick(st, *rig.logic, rig.host), c.shown);
    ASSERT_EQ(rig.host.questions.size(), 1u);
    EXPECT_EQ(rig.host.questions[0].text, DeleteHistoryQuestion(kEnglish, kFolder));
    EXPECT_EQ(rig.host.questions[0].yes, "Yes");
    EXPECT_EQ(rig.host.questions[0].no, "No");
    EXPECT_EQ(rig.history.files == before, c.filesLeft);
    if (!c.filesLeft) {
      EXPECT_TRUE(rig.history.files.empty());
    }
    // Nothing else happens: no store write, no rebuild, whatever the answer.
    EXPECT_EQ(rig.events, (fakes::Events{"question"}));

    Type(rig, 2);
    rig.logic->tmrWriteValuesTimer();
    EXPECT_EQ(KeystrokesKeptToday(rig), c.keptAfter);
  }
}

TEST(SettingsHistory, TheQuestionSaysWhatIsLostAndNamesTheFolderInTheDialogsLanguage) {
  EXPECT_EQ(DeleteHistoryQuestion(kEnglish, kFolder),
            "Delete the history? Every day kept so far is deleted and cannot be brought back.\n\n"
            "The history is kept in this folder:\n"
            "C:\\Users\\me\\AppData\\Local\\Quillomat\\History\\");
  // The language shown in the dialog, even before OK: Czech previewed over a French program.
  Rig rig;
  rig.Start({{"Language", "4"}});
  SettingsDialogState st = rig.Open();
  st.cbxLanguage.Select(kCzech);
  cbxLanguageChange(st);
  btnDeleteHistoryClick(st, *rig.logic, rig.host);
  ASSERT_EQ(rig.host.questions.size(), 1u);
  EXPECT_EQ(rig.host.questions[0].text,
            "Smazat historii? Všechny dosud uchované dny budou smazány a nelze je obnovit.\n\n"
            "Historie se uchovává v této složce:\n"
            "C:\\Users\\me\\AppData\\Local\\Quillomat\\History\\");
  EXPECT_EQ(rig.host.questions[0].yes, "Ano");
  EXPECT_EQ(rig.host.questions[0].no, "Ne");
  // And a failure in that language too.
  rig.host.answerYes = true;
  rig.history.deleteFailure = "Přístup byl odepřen.";
  EXPECT_EQ(btnDeleteHistoryClick(st, *rig.logic, rig.host),
            "Historii se nepodařilo smazat: Přístup byl odepřen.");
}

}  // namespace
}  // namespace quillo
