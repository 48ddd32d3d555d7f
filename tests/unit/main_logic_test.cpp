// Start-up, timers, switching, reset and closing of the main window's logic, over fakes.
#include "core/app/main_logic.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/app/system_font.h"
#include "core/util/datetime.h"
#include "fakes/rig.h"

namespace quillo {
namespace {

using namespace fakes;

// A program that keeps no history: these are the rules of the logic around it.
class Logic : public ::testing::Test, protected Rig {
 protected:
  Logic() { historyFiles = nullptr; }
};

TEST_F(Logic, FirstStartWithAnEmptyStore) {
  const Settings& s = Start().settings();
  EXPECT_TRUE(c.counting);
  EXPECT_TRUE(view.sampler);
  EXPECT_EQ(view.caption, "on");
  EXPECT_FALSE(s.distmode);
  EXPECT_TRUE(s.showhistory);
  EXPECT_TRUE(s.showrunning);
  EXPECT_EQ(s.idledelay, 10);
  EXPECT_EQ(s.monitorsize, 23.0f);
  EXPECT_EQ(s.digits, 7);
  EXPECT_EQ(s.dispitems, "111111111111110");
  EXPECT_EQ(view.panelColor, 0xFFA448u);
  EXPECT_FALSE(view.submit);
  EXPECT_TRUE(s.ResetEveryday);
  EXPECT_EQ(s.interval, 60);
  EXPECT_EQ(s.resetdate, kNow);
  EXPECT_EQ(s.measuredate, kToday);
  EXPECT_EQ(c.logdate, kToday);
  EXPECT_EQ(s.alias, "desk-7");
  EXPECT_EQ(s.Comment, "desk-7");
  EXPECT_EQ(c.screenDiagonal, 2203);
  EXPECT_EQ(c.prevX, 100);
  EXPECT_TRUE(view.messages.empty());  // no daily reset on a first start
  EXPECT_TRUE(logic->startupErrors().empty());
  EXPECT_EQ(store.writeCount, 0);  // start-up never writes
  EXPECT_EQ(logic->logstring, "Key Hook Started : 101\r\nMouse Hook Started : 102\r\n");
}

TEST_F(Logic, StoredValuesAreBroughtIntoRange) {
  store.values = {{"Interval", "10"},
                  {"Digits", "3"},
                  {"Dispitems", "101"},
                  {"Comment", "Debug"},
                  {"Monitorsize", "21,3"}};
  Settings s = Start().settings();
  EXPECT_EQ(s.interval, 30);
  EXPECT_EQ(s.digits, 6);
  EXPECT_EQ(s.dispitems, "101000000000000");
  EXPECT_FALSE(view.debugMenu);
  EXPECT_EQ(s.monitorsize, 21.3f);
  store.values = {{"Digits", "15"}, {"Dispitems", std::string(20, '1')}, {"Comment", "debug"}};
  s = Start().settings();
  EXPECT_EQ(s.digits, 10);
  EXPECT_EQ(s.dispitems.size(), 20u);
  EXPECT_TRUE(view.debugMenu);
}

TEST_F(Logic, SubmissionIntervalIsKeptWithinADay) {
  const std::pair<const char*, int32_t> cases[] = {{"10", 30},      {"30", 30},
                                                   {"1440", 1440},  {"1441", 1440},
                                                   {"71583", 1440}, {"2147483647", 1440}};
  for (const auto& [stored, minutes] : cases) {
    store.values = {{"Interval", stored}};
    EXPECT_EQ(Start().settings().interval, minutes) << stored;
  }
}

TEST_F(Logic, ResetDateOutsideFourDigitYearsFallsBackToNow) {
  const std::pair<const char*, double> cases[] = {
      {"2", 2},                      // 1 January 1900
      {"2958465.5", 2958465.5},      // 31 December 9999
      {"1.5", kNow},                 // 31 December 1899
      {"2958466", kNow},             // 1 January 10000
      {"2958465.9999999999", kNow},  // rounds to the millisecond into the year 10000
      {"-700000", kNow},
      {"1e300", kNow},
      {"45000.25", 45000.25},
  };
  for (const auto& [stored, moment] : cases) {
    store.values = {{"Resetdate", stored}};
    EXPECT_EQ(Start().settings().resetdate, moment) << stored;
  }
}

TEST_F(Logic, TotalsLoadIntoTheStoredLayer) {
  store.values = {{"Keystrokes", "5e9"}, {"Leftclicks", "12"}, {"Distance", "1000.5"},
                  {"Time", "77"},        {"Idle", "33"},       {"showhistory", "0"}};
  Start();
  EXPECT_EQ(c.histKeystrokes, 705032704u);
  EXPECT_EQ(c.histLeft, 12u);
  EXPECT_EQ(c.totalDistance, 1000.5);
  EXPECT_EQ(c.histDistance, 1000.5);
  EXPECT_EQ(c.histRunSeconds, 77u);
  EXPECT_EQ(c.histIdleSeconds, 33u);
  EXPECT_FALSE(logic->settings().showhistory);
}

TEST_F(Logic, DailyResetOnTheFirstStartOfANewDay) {
  store.values = {{"Measuredate", std::to_string(kToday - 1)}, {"Leftclicks", "9"}};
  Start();
  EXPECT_EQ(view.messages, std::vector<std::string>{"reset"});
  EXPECT_EQ(c.histLeft, 0u);
  EXPECT_EQ(logic->settings().measuredate, kToday - 1);  // the reset leaves it

  view.messages.clear();
  store.values = {{"Measuredate", std::to_string(kToday)}, {"Leftclicks", "9"}};
  Start();
  EXPECT_TRUE(view.messages.empty());
  EXPECT_EQ(c.histLeft, 9u);
}

TEST_F(Logic, DailyResetIsStoredAtOnceSoACrashLaterThatDayKeepsTheDaysCounts) {
  store.values = {{"Measuredate", std::to_string(kToday - 1)},
                  {"Leftclicks", "9"},
                  {"Distance", "500"},
                  {"resetdate", "45000.25"}};
  Start();
  ASSERT_EQ(view.messages, std::vector<std::string>{"reset"});
  EXPECT_EQ(store.values["Measuredate"], std::to_string(kToday));
  EXPECT_EQ(store.values["Leftclicks"], "0");  // yesterday's totals never come back
  EXPECT_EQ(store.values["Distance"], "0");
  EXPECT_EQ(store.values["resetdate"], "46000.5");
  // The day's counting, kept by the minute save; then a kill, and a start later the same day.
  c.liveLeft += 5;
  logic->tmrWriteValuesTimer();
  view.messages.clear();
  clock.now += 0.25;
  Start();
  EXPECT_TRUE(view.messages.empty());  // no second "reset"
  EXPECT_EQ(c.histLeft, 5u);
  EXPECT_EQ(logic->settings().resetdate, kNow);
}

TEST_F(Logic, DailyResetThatCannotBeStoredIsTriedAgainAtTheNextStart) {
  store.values = {{"Measuredate", std::to_string(kToday - 1)}, {"Leftclicks", "9"}};
  store.failingWrites = {"Keystrokes"};  // the first value the reset writes
  Start(true);
  EXPECT_EQ(store.values["Measuredate"], std::to_string(kToday - 1));
  EXPECT_EQ(store.values["Leftclicks"], "9");
  EXPECT_NE(
      std::find(view.messages.begin(), view.messages.end(), "Quillomat : error writing values"),
      view.messages.end());
  store.failingWrites.clear();
  view.messages.clear();
  Start();
  EXPECT_EQ(view.messages, std::vector<std::string>{"reset"});
  EXPECT_EQ(c.histLeft, 0u);
}

TEST_F(Logic, DailyLogCheckMovesTheDayNumbers) {
  store.values = {{"Logging", "-1"},
                  {"ResetEveryday", "0"},
                  {"Measuredate", std::to_string(kToday - 3)},
                  {"Logdate", "1"}};
  Start();
  EXPECT_EQ(logFile.Lines(), 2);  // header and one line
  EXPECT_EQ(logFile.contents.substr(0, 12), "       Date ");
  EXPECT_EQ(c.logdate, kToday - 3);
  EXPECT_EQ(logic->settings().measuredate, kToday);
  logic->tmrWriteValuesTimer();  // same day: nothing more
  EXPECT_EQ(logFile.Lines(), 2);
  clock.now += 1;
  logic->tmrWriteValuesTimer();  // the first minute of the next day
  EXPECT_EQ(logFile.Lines(), 3);
  EXPECT_EQ(c.logdate, kToday);
  EXPECT_NE(logFile.contents.find("2025 Dec 10 12:00:00"), std::string::npos);
}

TEST_F(Logic, FailingLogIsReportedOnceAndTheMinuteSaveGoesOn) {
  store.values = {
      {"Logging", "-1"}, {"ResetEveryday", "0"}, {"Measuredate", std::to_string(kToday - 1)}};
  logFile.failure = "The drive is not ready";
  Start();
  ASSERT_EQ(view.errors.size(), 1u);
  EXPECT_NE(view.errors[0].find("not ready"), std::string::npos);
  c.liveKeystrokes = 3;
  logic->tmrWriteValuesTimer();
  logic->tmrWriteValuesTimer();
  EXPECT_EQ(view.errors.size(), 1u);  // not again every minute
  EXPECT_EQ(store.values["Keystrokes"], "3");
  EXPECT_EQ(logic->settings().measuredate, kToday - 1);  // still due
  logFile.failure.reset();
  logic->tmrWriteValuesTimer();
  EXPECT_EQ(logFile.Lines(), 2);
  EXPECT_EQ(logic->settings().measuredate, kToday);
}

TEST_F(Logic, LanguageFromTheStore) {
  store.values = {{"Language", "2"}, {"Running", "0"}};
  Start();
  EXPECT_EQ(view.language, 2);
  EXPECT_EQ(view.caption, logic->texts.offstring);
  store.values = {{"Language", "42"}};
  Start();
  EXPECT_EQ(view.language, kEnglish);
  EXPECT_EQ(view.caption, "on");
}

TEST_F(Logic, PausedStartAndTheOnOffButton) {
  store.values = {{"Running", "0"}};
  Start();
  EXPECT_FALSE(c.counting);
  EXPECT_FALSE(view.sampler);
  EXPECT_EQ(view.caption, "off");
  system.cursor = {500, 600};
  logic->btnonoffClick();
  EXPECT_TRUE(c.counting);
  EXPECT_EQ(c.prevX, 500);  // measured from where the pointer is now
  EXPECT_EQ(store.values["Running"], "-1");
  logic->btnonoffClick();
  EXPECT_FALSE(c.counting);
  EXPECT_EQ(store.values["Running"], "0");
  // A language change while paused: the caption is the new "off" word, the next click switches on.
  logic->SetLanguage(kDutch);
  EXPECT_EQ(view.language, kDutch);
  EXPECT_EQ(logic->onoffCaption, "uit");
  logic->btnonoffClick();
  EXPECT_TRUE(c.counting);
  EXPECT_EQ(view.caption, "aan");
  // While counting: the new "on" word, and the next click switches off.
  logic->SetLanguage(kGerman);
  EXPECT_EQ(view.language, kGerman);
  EXPECT_EQ(logic->onoffCaption, "Ein");
  logic->btnonoffClick();
  EXPECT_FALSE(c.counting);
  EXPECT_EQ(view.caption, "Aus");
  EXPECT_EQ(store.values["Running"], "0");
}

// Start-up reads a stored Boolean as true only when it is exactly -1: "1", as another program
// might write it, is false, also where the value's default is true. A value that is no integer
// takes the default.
TEST_F(Logic, AStoredBooleanIsTrueOnlyAsMinusOne) {
  struct Flag {
    const char* name;
    bool Settings::*field;
    bool byDefault;
  } flags[] = {
      {"DisplayMode", &Settings::distmode, false},
      {"AlwaysOnTop", &Settings::ontop, false},
      {"Hide", &Settings::hideonstartup, false},
      {"Orientation", &Settings::orientation, false},
      {"Showhistory", &Settings::showhistory, true},
      {"ShowRunning", &Settings::showrunning, true},
      {"Logging", &Settings::logging, false},
      {"ResetEveryday", &Settings::ResetEveryday, true},
      {"Autosend", &Settings::autosend, false},
      {"KeepHistory", &Settings::keepHistory, true},
      {"Running", nullptr, true},  // the counting state
  };
  const struct {
    const char* text;
    std::optional<bool> value;  // nullopt: the default
  } stored[] = {{"-1", true}, {"1", false}, {"0", false}, {"-2", false}, {"true", std::nullopt}};
  for (const Flag& f : flags) {
    for (const auto& v : stored) {
      store.values = {{f.name, v.text}};
      const Settings& s = Start().settings();
      const bool read = f.field ? s.*f.field : c.counting.load();
      EXPECT_EQ(read, v.value.value_or(f.byDefault)) << f.name << "=" << v.text;
    }
  }
}

TEST_F(Logic, ResetClearsTheTotalsAndKeepsTheRest) {
  store.values = {{"Leftclicks", "9"}, {"Distance", "50"}, {"Time", "70"}, {"Idle", "5"}};
  Start();
  c.liveLeft = 3;
  c.liveIdleSeconds = 4;
  c.idleRun = 12;
  c.lastClickButton = kLeftButton;
  c.stepDistance = 1.5;
  view.answerYes = false;
  logic->ResetCounter1Click();
  EXPECT_EQ(c.Total(Counter::kLeft), 12u);
  view.answerYes = true;
  clock.now = kNow + 0.25;
  logic->ResetCounter1Click();
  EXPECT_EQ(view.messages.back(), "Are you sure you want to reset all the counters ?");
  for (Counter k : kAllCounters) EXPECT_EQ(c.Total(k), 0u);
  EXPECT_EQ(c.totalDistance, 0);
  EXPECT_EQ(c.histDistance, 0);
  EXPECT_EQ(c.histRunSeconds + c.liveRunSeconds + c.histIdleSeconds + c.liveIdleSeconds, 0u);
  EXPECT_EQ(c.startTime, kNow + 0.25);
  EXPECT_EQ(logic->settings().resetdate, kNow + 0.25);
  EXPECT_EQ(c.idleRun, 12u);
  EXPECT_EQ(c.lastClickButton, kLeftButton);
  EXPECT_EQ(c.stepDistance, 1.5);
}

TEST_F(Logic, HookWatchdogAndDebugLines) {
  hooks.fail = true;
  Start();
  EXPECT_EQ(c.keyHook, 0);
  // A missing hook is no error at start: the stored state still switches counting on.
  EXPECT_TRUE(view.sampler);
  EXPECT_TRUE(c.counting);
  hooks.fail = false;
  logic->logstring.clear();
  logic->tmrCheckTimer();
  EXPECT_EQ(logic->logstring,
            "Key UnHook Handle not found : 0\r\nKey Hook Started : 101\r\n"
            "Mouse UnHook Handle not found : 0\r\nMouse Hook Started : 102\r\n");
  logic->logstring.clear();
  logic->tmrCheckTimer();  // both installed: nothing
  EXPECT_EQ(logic->logstring, "");
  logic->HookKeyboard();
  EXPECT_EQ(logic->logstring, "Key Hook Failed : 101\r\n");
  logic->logstring.clear();
  logic->mnudebug2Click();
  EXPECT_EQ(logic->logstring,
            "Key UnHook Succes : 0\r\nKey Hook Started : 103\r\nMouse UnHook Succes : 0\r\n"
            "Mouse Hook Started : 104\r\nKey Hook : 103\r\nMouse Hook : 104\r\n");
  logic->logstring.clear();
  logic->FormDestroy();
  EXPECT_EQ(logic->logstring, "Key UnHook Succes : 0\r\nMouse UnHook Succes : 0\r\n");
  EXPECT_FALSE(view.sampler);
}

TEST_F(Logic, CloseHidesAndSavesOnlyExitCloses) {
  Start();
  c.liveKeystrokes = 4;
  EXPECT_FALSE(logic->FormCloseQuery());
  EXPECT_EQ(view.hides, 1);
  EXPECT_EQ(store.values["Keystrokes"], "4");
  EXPECT_EQ(store.values["Visible"], "-1");  // visible when the save ran
  c.liveKeystrokes = 6;
  logic->Exit1Click();
  EXPECT_TRUE(logic->FormCloseQuery());
  EXPECT_EQ(store.values["Keystrokes"], "6");
  EXPECT_EQ(store.values["Visible"], "0");
}

TEST_F(Logic, UnreadableValueIsReportedOnceAndSurvivesSavesUntilAReset) {
  store.values = {{"KeyStrokes", "lots"}, {"Background", "blue"}, {"Leftclicks", "3"}};
  Start();
  ASSERT_EQ(logic->startupErrors().size(), 2u);
  EXPECT_EQ(view.panelColor, 0xFFA448u);
  EXPECT_TRUE(c.counting);  // start-up went on to the end
  c.liveKeystrokes = 2;
  c.liveLeft = 1;
  logic->WriteValues();
  logic->tmrWriteValuesTimer();
  EXPECT_EQ(store.values["KeyStrokes"], "lots");
  EXPECT_EQ(store.values["Leftclicks"], "4");
  logic->ResetCounters();
  logic->WriteValues();
  EXPECT_EQ(store.values["KeyStrokes"], "0");
}

TEST_F(Logic, TextsOfAnotherTypeAreReportedAndStartUpCompletes) {
  store.values = {{"Language", "2"}, {"Running", "0"}, {"Orientation", "-1"}, {"Leftclicks", "6"}};
  store.nonText = {"URL", "Alias", "Comment", "Dispitems"};
  const Settings& s = Start().settings();
  ASSERT_EQ(logic->startupErrors().size(), 4u);
  std::string all;
  for (const auto& e : logic->startupErrors()) all += e + "\n";
  for (const char* name : {"URL", "Alias", "Comment", "Dispitems"})
    EXPECT_NE(all.find(std::string("\"") + name + "\" cannot be read"), std::string::npos) << all;
  EXPECT_EQ(s.URL, kDefaultSubmitUrl);
  EXPECT_EQ(s.alias, "desk-7");
  EXPECT_EQ(s.Comment, "desk-7");
  EXPECT_EQ(s.dispitems, "111111111111110");
  // The steps after the texts ran: the language, the stored on/off state, the orientation.
  EXPECT_EQ(view.language, 2);
  EXPECT_FALSE(c.counting);
  EXPECT_TRUE(s.orientation);
  logic->btnonoffClick();  // and the first click switches on
  EXPECT_TRUE(c.counting);
  // The next save writes the user's settings, not defaults, and leaves the texts alone.
  logic->WriteValues();
  EXPECT_EQ(store.values["Language"], "2");
  EXPECT_EQ(store.values["Orientation"], "-1");
  EXPECT_EQ(store.values["Leftclicks"], "6");
  for (const char* name : {"URL", "Alias", "Comment", "Dispitems"}) {
    EXPECT_EQ(store.values.count(name), 0u) << name;
    EXPECT_FALSE(logic->saveGuard().MayWrite(name)) << name;
  }
}

TEST_F(Logic, NoDistanceUntilAGoodPointerReadingSinceStartOrSwitchingOn) {
  system.cursorFails = true;
  Start();
  EXPECT_FALSE(c.pointerKnown);
  system.cursorFails = false;
  system.cursor = {1500, 900};
  logic->tmrDistanceTimer();  // the first good reading is the origin, not a step from (0, 0)
  EXPECT_EQ(c.totalDistance, 0);
  system.cursor = {1500, 1000};
  logic->tmrDistanceTimer();
  const double moved = c.totalDistance;
  EXPECT_GT(moved, 0);

  logic->btnonoffClick();  // off
  system.cursor = {100, 100};
  system.cursorFails = true;
  logic->btnonoffClick();  // on, but the pointer cannot be read
  system.cursorFails = false;
  logic->tmrDistanceTimer();  // not measured from where the pointer was before the pause
  EXPECT_EQ(c.totalDistance, moved);
}

TEST_F(Logic, PausedPanelIsRefreshedWithoutAddingAnything) {
  store.values = {{"Running", "0"}, {"Keystrokes", "5"}};
  Start();
  const double distance = c.totalDistance;
  const uint32_t run = c.liveRunSeconds;
  const int samples = view.samples;
  system.cursor = {900, 700};
  clock.now += 600.0 / 86400;  // ten minutes later the window is shown and activated
  logic->tmrDistanceTimer();
  logic->tmrDistanceTimer();
  EXPECT_EQ(view.samples, samples + 2);  // the panel was brought up to date
  EXPECT_EQ(c.totalDistance, distance);
  EXPECT_EQ(c.liveRunSeconds, run);
  // Switched on, the travel made while paused is not measured either.
  logic->btnonoffClick();
  logic->tmrDistanceTimer();
  EXPECT_EQ(c.totalDistance, distance);
}

TEST_F(Logic, DayNumbersAreStoredAsSoonAsTheDailyLineIsWritten) {
  store.values = {{"Logging", "-1"},
                  {"ResetEveryday", "0"},
                  {"Measuredate", std::to_string(kToday - 1)},
                  {"Logdate", "7"}};
  Start();
  EXPECT_EQ(logFile.Lines(), 2);
  EXPECT_EQ(store.values["Measuredate"], std::to_string(kToday));
  EXPECT_EQ(store.values["Logdate"], std::to_string(kToday - 1));
  // Killed before any save, then started again the same day: no second line.
  Start();
  EXPECT_EQ(logFile.Lines(), 2);
  // At midnight the minute timer's line stores them too.
  clock.now += 1;
  logic->tmrWriteValuesTimer();
  EXPECT_EQ(logFile.Lines(), 3);
  EXPECT_EQ(store.values["Measuredate"], std::to_string(kToday + 1));
}

TEST_F(Logic, WatchdogReinstallsAHookThatWentSilentWhileInputWentOn) {
  system.lastInput = 1000;
  Start();
  logic->logstring.clear();
  logic->tmrCheckTimer();  // the first check only takes a reading
  EXPECT_EQ(logic->logstring, "");
  c.keyEvents = 5, c.keyEventTime = 1900;  // typing seen by the keyboard hook
  system.lastInput = 2000;
  logic->tmrCheckTimer();
  EXPECT_EQ(logic->logstring, "");
  system.lastInput = 9000;  // more typing, which no hook saw
  logic->tmrCheckTimer();
  EXPECT_EQ(logic->logstring,
            "Key Hook Lost : 101\r\nKey UnHook Succes : 0\r\nKey Hook Started : 103\r\n"
            "Mouse Hook Lost : 102\r\nMouse UnHook Succes : 0\r\nMouse Hook Started : 104\r\n");
  EXPECT_EQ(c.keyHook, 103);
  EXPECT_EQ(c.mouseHook, 104);
  logic->logstring.clear();
  system.lastInput = 9500;  // right after reinstalling there is nothing to compare with yet
  logic->tmrCheckTimer();
  EXPECT_EQ(logic->logstring, "");
}

TEST_F(Logic, WatchdogDoesNotJudgeInputMadeOnAnotherDesktop) {
  system.lastInput = 1000;
  Start();
  logic->tmrCheckTimer();  // a first reading
  logic->logstring.clear();
  // The lock screen: typing a password moves the last input, and no hook can see it.
  system.inputDesktopIsOurs = false;
  system.lastInput = 5000;
  logic->tmrCheckTimer();
  system.lastInput = 9000;
  logic->tmrCheckTimer();
  // Back on the program's desktop: the first check compares with nothing from the lock screen.
  system.inputDesktopIsOurs = true;
  logic->tmrCheckTimer();
  EXPECT_EQ(logic->logstring, "");
  EXPECT_EQ(c.keyHook, 101);
  // Silence afterwards, while input goes on, is judged as before.
  system.lastInput = 12000;
  logic->tmrCheckTimer();
  EXPECT_NE(logic->logstring.find("Key Hook Lost : 101"), std::string::npos);
}

TEST_F(Logic, DebugTextKeepsItsLastThousandLines) {
  Start();
  logic->logstring.clear();
  for (int i = 1; i <= 1000; ++i) logic->Writelog("line " + std::to_string(i));
  EXPECT_EQ(std::count(logic->logstring.begin(), logic->logstring.end(), '\n'), 1000);
  EXPECT_EQ(logic->logstring.substr(0, 8), "line 1\r\n");
  for (int i = 1001; i <= 2500; ++i) logic->Writelog("line " + std::to_string(i));
  EXPECT_EQ(std::count(logic->logstring.begin(), logic->logstring.end(), '\n'), 1000);
  EXPECT_EQ(logic->logstring.substr(0, 11), "line 1501\r\n");
  EXPECT_EQ(logic->logstring.substr(logic->logstring.size() - 11), "line 2500\r\n");
}

TEST_F(Logic, SaveFailuresAreShownOnlyWithCommandLineParameters) {
  store.failingWrites.insert("Idle");
  Start(false);
  logic->WriteValues();
  EXPECT_TRUE(view.messages.empty());
  Start(true);
  logic->WriteValues();
  EXPECT_EQ(view.messages, std::vector<std::string>{"Quillomat : error writing idle time"});
  c.liveKeystrokes = 1;
  logic->tmrWriteValuesTimer();
  EXPECT_EQ(view.messages.back(), "Quillomat : error writing values");
}

}  // namespace
}  // namespace quillo

namespace quillo {
namespace {

TEST(SystemFont, StyleFromWeightAndFlagBytes) {
  struct Case {
    int32_t weight;
    uint8_t italic, pitch;
    bool bold, isItalic;
    FontPitch expect;
  } cases[] = {{700, 0, 0x22, true, false, FontPitch::kVariable},
               {699, 1, 0x31, false, true, FontPitch::kFixed},
               {400, 2, 0x03, false, false, FontPitch::kDefault}};
  for (const Case& k : cases) {
    IconTitleFont f;
    f.height = -12;
    f.weight = k.weight;
    f.italic = k.italic;
    f.pitchAndFamily = k.pitch;
    f.faceName = "Segoe UI";
    const FontDescription d = UseSystemFont(f);
    EXPECT_EQ(d.bold, k.bold) << k.weight;
    EXPECT_EQ(d.italic, k.isItalic) << int(k.italic);
    EXPECT_EQ(d.pitch, k.expect) << int(k.pitch);
    EXPECT_EQ(d.height, -12);
    EXPECT_EQ(d.name, "Segoe UI");
  }
}

TEST(SystemFont, HeightFollowsTheMonitorsDpi) {
  FontDescription d;
  d.height = -12;
  EXPECT_EQ(ForDpi(d, 96, 144).height, -18);
  EXPECT_EQ(ForDpi(d, 96, 120).height, -15);
  EXPECT_EQ(ForDpi(d, 144, 96).height, -8);
  EXPECT_EQ(ForDpi(d, 96, 96).height, -12);
  EXPECT_EQ(ForDpi(d, 0, 144).height, -12);  // an unknown system DPI changes nothing
}

TEST_F(Logic, AutoSendSubmitsOnceAtStartWithTheLoadedTotals) {
  store.values = {{"Autosend", "-1"}, {"LeftClicks", "42"}};
  Make();
  std::vector<uint32_t> leftAtSubmit;
  logic->SetSubmitter([&] { leftAtSubmit.push_back(c.Total(Counter::kLeft)); });
  logic->FormCreate();
  EXPECT_TRUE(view.submit);
  EXPECT_EQ(leftAtSubmit, std::vector<uint32_t>{42});
  // Start-up went on to the end: the language and the counting state were applied.
  EXPECT_EQ(view.language, 0);
  EXPECT_EQ(view.caption, "on");
  logic->tmrSubmitTimer();
  EXPECT_EQ(leftAtSubmit.size(), 2u);
}

TEST_F(Logic, WithoutAutoSendNothingIsSubmittedAtStart) {
  int submissions = 0;
  Make();
  logic->SetSubmitter([&] { ++submissions; });
  logic->FormCreate();
  EXPECT_EQ(submissions, 0);
  logic->SubmitScores();  // "Send Now !"
  EXPECT_EQ(submissions, 1);
}

}  // namespace
}  // namespace quillo
