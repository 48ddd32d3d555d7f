// The settings dialog's rules over an in-memory main window: filling, orientation and digits, the
// keep-one-item rule, the running-time options, spin values, debug mode, the language preview and
// the order and spelling of everything OK/Apply writes.
#include "core/app/settings_dialog.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "core/util/datetime.h"
#include "fakes/rig.h"

namespace quillo {
namespace {

using fakes::Rig;
using Steps = std::function<void(SettingsDialogState&, const Settings&)>;

void SelectOrientation(SettingsDialogState& st, const Settings& s, int index) {
  st.cbxOrientation.Select(index);
  cbxOrientationChange(st, s);
}

// ---- Orientation and digits ----

struct DigitsCase {
  const char* name;
  const char* orientation;  // stored
  const char* digits;       // stored
  Steps steps;
  const char* shown;
  bool enabled;
  int32_t digitsAfter, digitshorAfter;
  const char* storedDigits;
  const char* storedOrientation;
};

void PrintTo(const DigitsCase& c, std::ostream* os) {
  *os << c.name;
}

class OrientationAndDigits : public ::testing::TestWithParam<DigitsCase> {};

TEST_P(OrientationAndDigits, DigitsAlwaysHoldsTheHorizontalChoice) {
  const DigitsCase& c = GetParam();
  Rig rig;
  rig.Start({{"Orientation", c.orientation}, {"Digits", c.digits}});
  SettingsDialogState st = rig.Open();
  if (c.steps) c.steps(st, rig.logic->settings());
  EXPECT_EQ(st.cbxDigits.Text(), c.shown);
  EXPECT_EQ(st.cbxDigits.enabled, c.enabled);
  btnOKClick(st, *rig.logic, rig.host);
  EXPECT_EQ(rig.logic->settings().digits, c.digitsAfter);
  EXPECT_EQ(rig.logic->settings().digitshor, c.digitshorAfter);
  EXPECT_EQ(rig.Stored("Digits"), c.storedDigits);
  EXPECT_EQ(rig.Stored("Orientation"), c.storedOrientation);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OrientationAndDigits,
    ::testing::Values(
        DigitsCase{"HorizontalShowsItsChoice", "0", "8", nullptr, "8", true, 8, 8, "8", "0"},
        DigitsCase{"VerticalShowsTenAndCannotChange", "-1", "8", nullptr, "10", false, 10, 8, "8",
                   "-1"},
        DigitsCase{"BackToHorizontalShowsTheChoiceAgain", "-1", "8",
                   [](auto& st, auto& s) { SelectOrientation(st, s, 0); }, "8", true, 8, 8, "8",
                   "0"},
        DigitsCase{"ANewHorizontalChoiceIsStored", "0", "7",
                   [](auto& st, auto&) { st.cbxDigits.Select(3); }, "9", true, 9, 9, "9", "0"},
        DigitsCase{"AChoiceThenVerticalKeepsTheEarlierChoice", "0", "7",
                   [](auto& st, auto& s) {
                     st.cbxDigits.Select(0);
                     SelectOrientation(st, s, 1);
                   },
                   "10", false, 10, 7, "7", "-1"},
        DigitsCase{"TheLanguagePreviewKeepsVertical", "-1", "6",
                   [](auto& st, auto&) {
                     st.cbxLanguage.Select(kCzech);
                     cbxLanguageChange(st);
                   },
                   "10", false, 10, 6, "6", "-1"}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- Keeping at least one item ----

struct ItemCase {
  const char* name;
  const char* stored;
  std::vector<ItemBox> unchecked;  // clicked in this order
  const char* flags;               // the boxes, and "DispItems" after OK
};

std::vector<ItemBox> AllBut(ItemBox kept) {
  std::vector<ItemBox> boxes;
  for (int b = 0; b < kItemBoxCount; ++b)
    if (static_cast<ItemBox>(b) != kept) boxes.push_back(static_cast<ItemBox>(b));
  return boxes;
}

void PrintTo(const ItemCase& c, std::ostream* os) {
  *os << c.name;
}

class ItemRule : public ::testing::TestWithParam<ItemCase> {};

TEST_P(ItemRule, AtLeastOneItemStaysShownButIdleTimeAloneDoesNotCount) {
  const ItemCase& c = GetParam();
  Rig rig;
  rig.Start({{"Dispitems", c.stored}});
  SettingsDialogState st = rig.Open();
  for (ItemBox box : c.unchecked) SetItemBox(st, box, false);
  EXPECT_EQ(DispItems(st), c.flags);
  btnOKClick(st, *rig.logic, rig.host);
  EXPECT_EQ(rig.Stored("DispItems"), c.flags);
  EXPECT_EQ(rig.logic->settings().dispitems, c.flags);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ItemRule,
    ::testing::Values(
        ItemCase{"OnlyIdleTimeStoredOpensWithDistance", "00000000000100", {}, "10000000000100"},
        ItemCase{"NothingStoredOpensWithDistance", "00000000000000", {}, "10000000000000"},
        ItemCase{"OnlyRunningTimeStoredStaysAlone", "00000010000000", {}, "00000010000000"},
        ItemCase{"ShortStoredFlagsReadAsHidden", "101", {}, "10100000000000"},
        ItemCase{"UncheckingAllButIdleTimeRechecksDistance", "11111111111111",
                 AllBut(ItemBox::chkIdleTime), "10000000000100"},
        ItemCase{"UncheckingAllButRunningTimeLeavesRunningTime", "11111111111111",
                 AllBut(ItemBox::chktime), "00000010000000"},
        ItemCase{"RunningTimeUncheckedLastNeverTriggersTheRule",
                 "00000010000000",
                 {ItemBox::chktime},
                 "00000000000000"},
        ItemCase{"DistanceUncheckedBesideIdleTimeComesBack",
                 "10000000000100",
                 {ItemBox::chkDistance},
                 "10000000000100"},
        ItemCase{"AnyOtherItemLeftIsEnough", "11111111111111", AllBut(ItemBox::chkXButton2),
                 "00000000000001"}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- Running-time options ----

TEST(SettingsDialog, ShowTotalTimeForcesShowhistoryAndDisablesTheSinceOptions) {
  struct Case {
    bool running, history;
    bool enabled, showhistory, showrunning;
    const char *storedHistory, *storedRunning;
  } cases[] = {
      {true, true, true, true, true, "-1", "-1"},
      {true, false, true, false, true, "0", "-1"},
      {false, true, false, true, false, "-1", "0"},
      {false, false, false, true, false, "-1", "0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "running " << c.running << ", history " << c.history);
    Rig rig;
    rig.Start();
    SettingsDialogState st = rig.Open();
    st.btnRunning = c.running;
    st.btnTotal = !c.running;
    btnTotalClick(st);
    st.btnHistory = c.history;
    st.btnStart = !c.history;
    EXPECT_EQ(st.historyButtonsEnabled, c.enabled);
    btnOKClick(st, *rig.logic, rig.host);
    EXPECT_EQ(rig.logic->settings().showhistory, c.showhistory);
    EXPECT_EQ(rig.logic->settings().showrunning, c.showrunning);
    EXPECT_EQ(rig.Stored("showhistory"), c.storedHistory);
    EXPECT_EQ(rig.Stored("showRunning"), c.storedRunning);
  }
}

// ---- Spin edits: only numbers in range are taken ----

struct SpinCase {
  const char* name;
  SpinRange range;
  const char* typed;
  double fallback;
  char sep;
  double value;
  const char* text;
  bool corrected;
};

void PrintTo(const SpinCase& c, std::ostream* os) {
  *os << c.name;
}

class SpinValues : public ::testing::TestWithParam<SpinCase> {};

TEST_P(SpinValues, TakenValueIsANumberInRangeAndShown) {
  const SpinCase& c = GetParam();
  const SpinValue v = TakeSpinValue(c.typed, c.range, c.fallback, c.sep);
  EXPECT_DOUBLE_EQ(v.value, c.value);
  EXPECT_EQ(v.text, c.text);
  EXPECT_EQ(v.corrected, c.corrected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SpinValues,
    ::testing::Values(
        SpinCase{"MonitorInRange", kMonitorSizeSpin, "24.1", 23, '.', 24.1, "24.1", false},
        SpinCase{"MonitorWithTheOtherSeparator", kMonitorSizeSpin, "24,1", 23, '.', 24.1, "24.1",
                 false},
        SpinCase{"MonitorShownWithTheLocalesSeparator", kMonitorSizeSpin, "24.1", 23, ',', 24.1,
                 "24,1", false},
        SpinCase{"MonitorBelowRange", kMonitorSizeSpin, "5", 23, '.', 9.0, "9.0", true},
        SpinCase{"MonitorAboveRange", kMonitorSizeSpin, "250", 23, '.', 100.0, "100.0", true},
        SpinCase{"MonitorRoundedToOneDecimal", kMonitorSizeSpin, "24.16", 23, '.', 24.2, "24.2",
                 true},
        SpinCase{"MonitorNotANumberKeepsTheApplied", kMonitorSizeSpin, "abc", 23, '.', 23.0, "23.0",
                 true},
        SpinCase{"MonitorEmptyKeepsTheApplied", kMonitorSizeSpin, "", 21.3, '.', 21.3, "21.3",
                 true},
        SpinCase{"IdleFarAboveRange", kIdleDelaySpin, "99999", 10, '.', 3600, "3600", true},
        SpinCase{"IdleNegative", kIdleDelaySpin, "-3", 10, '.', 0, "0", true},
        // Rounded to zero from below: the edit shows "0", never "-0".
        SpinCase{"IdleRoundedToZeroFromBelow", kIdleDelaySpin, "-0.4", 10, '.', 0, "0", true},
        SpinCase{"IdleMinusZeroIsZero", kIdleDelaySpin, "-0", 10, '.', 0, "0", false},
        SpinCase{"IdleMinusZeroFraction", kIdleDelaySpin, "-0,2", 10, ',', 0, "0", true},
        SpinCase{"IdleFractionRounded", kIdleDelaySpin, "12.6", 10, '.', 13, "13", true},
        SpinCase{"IdleBlanksAround", kIdleDelaySpin, " 12 ", 10, '.', 12, "12", false},
        SpinCase{"IdleHugeExponent", kIdleDelaySpin, "1e300", 10, '.', 3600, "3600", true},
        SpinCase{"IntervalBelowRange", kIntervalSpin, "5", 60, '.', 30, "30", true},
        SpinCase{"IntervalWithWords", kIntervalSpin, "60 min", 45, '.', 45, "45", true},
        SpinCase{"IntervalFallbackOutOfRange", kIntervalSpin, "x", 5000, '.', 1440, "1440", true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SettingsDialog, SpinArrowsStepWithinTheRange) {
  struct Case {
    SpinRange range;
    const char* typed;
    int steps;
    const char* text;
  } cases[] = {
      {kMonitorSizeSpin, "23.0", 1, "23.1"},  {kMonitorSizeSpin, "23.0", -3, "22.7"},
      {kMonitorSizeSpin, "99.9", 5, "100.0"}, {kMonitorSizeSpin, "9.0", -1, "9.0"},
      {kMonitorSizeSpin, "abc", 1, "23.1"},   {kIdleDelaySpin, "3600", 1, "3600"},
      {kIdleDelaySpin, "9", 1, "10"},         {kIntervalSpin, "30", -1, "30"},
      {kIntervalSpin, "12", 1, "31"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(SpinStepText(c.typed, c.steps, c.range, 23, '.'), c.text)
        << c.typed << " " << c.steps;
}

TEST(SettingsDialog, TypedValuesOutOfRangeNeverReachTheStore) {
  Rig rig;
  rig.Start({{"Interval", "60"}, {"IdleDelay", "10"}});
  SettingsDialogState st = rig.Open();
  st.edtmonitorsize = "5";
  st.edtSpin = "99999";
  st.SpinEdit1 = "abc";
  const ApplyResult r = btnOKClick(st, *rig.logic, rig.host);
  EXPECT_EQ(st.edtmonitorsize, "9.0");
  EXPECT_EQ(st.edtSpin, "3600");
  EXPECT_EQ(st.SpinEdit1, "60");
  EXPECT_EQ(rig.Stored("MonitorSize"), "9");
  EXPECT_EQ(rig.Stored("IdleDelay"), "3600");
  EXPECT_EQ(rig.Stored("Interval"), "60");
  EXPECT_EQ(rig.logic->settings().idledelay, 3600);
  EXPECT_EQ(r.corrections,
            (std::vector<std::string>{
                "Monitor: \"5\" was taken as 9.0 (a number from 9.0 to 100.0).",
                "Idle Time Delay: \"99999\" was taken as 3600 (a whole number from 0 to 3600).",
                "Send every: \"abc\" was taken as 60 (a whole number from 30 to 1440)."}));
  // Values typed well are taken without a word.
  EXPECT_TRUE(btnOKClick(st, *rig.logic, rig.host).corrections.empty());
}

// ---- What applying writes, under which spelling, in which order ----

TEST(SettingsDialog, ApplyWritesInItsOrderWithItsSpellingsThenRebuildsAndSaves) {
  Rig rig;
  rig.Start({{"Background", "102030"}, {"Digits", "7"}});
  SettingsDialogState st = rig.Open();
  st.cbxUnits.Select(0);
  st.edtmonitorsize = "24.1";
  SelectOrientation(st, rig.logic->settings(), 1);
  ResetOriginalColor1Click(st);
  st.edtAlias = "ann";
  st.edtComment = "hello";
  st.edtURL = "https://results.example/mouse.php";
  st.SpinEdit1 = "45";
  st.chkenable = true;
  st.cbxLanguage.Select(kGerman);
  st.cbxTransparent.Select(1);
  st.chkTop = true;
  st.chkStartup = true;
  st.chkResetEveryday = false;
  btnOKClick(st, *rig.logic, rig.host);

  const std::vector<std::string> dialog = {
      "write Displaymode=-1",
      "texts 0",  // the unit captions follow at once
      "write MonitorSize=24.1000003814697",
      "write Digits=7",
      "panel colour 48A4FF",
      "write ResetEveryday=0",
      "write Alias=ann",
      "write Comment=hello",
      "write URL=https://results.example/mouse.php",
      "write Interval=45",
      "write Background=48A4FF",
      "debug menu hidden",
      "submit timer on 45",
      "write AutoSend=-1",
      "write Orientation=-1",
      "write Language=2",
      "write Transparent=1",
      "write AlwaysOnTop=-1",
      "write Hide=0",
      "auto-start Quillomat = \"C:\\Program Files\\Quillomat\\Quillomat.exe\"",
      "write DispItems=11111111111111",
      "write KeepHistory=-1",
      "off screen",
      "rebuild",
      "texts 2",
      "back",
  };
  ASSERT_GE(rig.events.size(), dialog.size() + 27);
  EXPECT_EQ(std::vector<std::string>(rig.events.begin(), rig.events.begin() + dialog.size()),
            dialog);
  // Then the full save, and the repaint last.
  const char* fullSave[] = {"Time",        "Idle",        "distance", "Transparent", "Displaymode",
                            "AlwaysOntop", "Running",     "Visible",  "Orientation", "Keystrokes",
                            "Leftclicks",  "Rightclicks", "Xclicks1", "Xclicks2",    "Midclicks",
                            "Dblclicks",   "Mousewheel",  "Digits",   "IdleDelay",   "Language",
                            "resetdate",   "showhistory", "Logging",  "Logdate",     "Measuredate",
                            "showRunning"};
  for (size_t i = 0; i < std::size(fullSave); ++i)
    EXPECT_EQ(rig.events[dialog.size() + i].rfind(std::string("write ") + fullSave[i] + "=", 0), 0u)
        << rig.events[dialog.size() + i];
  EXPECT_EQ(rig.events.back(), "repaint");
  EXPECT_EQ(rig.events.size(), dialog.size() + std::size(fullSave) + 1);

  const Settings& s = rig.logic->settings();
  EXPECT_TRUE(s.distmode);
  EXPECT_TRUE(s.orientation);
  EXPECT_EQ(s.monitorsize, 24.1f);
  EXPECT_EQ(s.background, 0xFFA448u);
  EXPECT_EQ(s.Language, kGerman);
  EXPECT_EQ(s.Transparent, 1);
  EXPECT_TRUE(s.ontop);
  EXPECT_TRUE(s.startup);
  EXPECT_TRUE(s.autosend);
  EXPECT_EQ(s.interval, 45);
  EXPECT_EQ(rig.view.language, kGerman);
}

TEST(SettingsDialog, MonitorSizeIsWrittenAsItsSinglePrecisionValueInTheLocalesNotation) {
  struct Case {
    char sep;
    const char* typed;
    const char* stored;
  } cases[] = {{'.', "24.1", "24.1000003814697"},
               {',', "24,1", "24,1000003814697"},
               {'.', "21.3", "21.2999992370605"},
               {',', "23.5", "23,5"},
               {'.', "23", "23"}};
  for (const Case& c : cases) {
    Rig rig;
    rig.system.separator = c.sep;
    rig.Start();
    SettingsDialogState st = rig.Open();
    st.edtmonitorsize = c.typed;
    btnOKClick(st, *rig.logic, rig.host);
    EXPECT_EQ(rig.Stored("MonitorSize"), c.stored) << c.typed;
  }
}

TEST(SettingsDialog, SubmitIntervalAndTimer) {
  struct Case {
    const char* typed;
    bool enable;
    int32_t minutes;
    bool timer;
    const char* autoSend;
  } cases[] = {{"30", true, 30, true, "-1"},      // a 1 800 000 ms timer
               {"1440", true, 1440, true, "-1"},  // 86 400 000 ms
               {"29", true, 30, true, "-1"},
               {"1441", true, 1440, true, "-1"},
               {"60", false, 60, false, "0"}};
  for (const Case& c : cases) {
    Rig rig;
    rig.Start();
    SettingsDialogState st = rig.Open();
    st.SpinEdit1 = c.typed;
    st.chkenable = c.enable;
    btnOKClick(st, *rig.logic, rig.host);
    EXPECT_EQ(rig.view.submitMinutes, c.minutes) << c.typed;
    EXPECT_EQ(rig.view.submit, c.timer) << c.typed;
    EXPECT_EQ(rig.Stored("Interval"), std::to_string(c.minutes));
    EXPECT_EQ(rig.Stored("AutoSend"), c.autoSend);
  }
}

TEST(SettingsDialog, EmptyAliasAndUrlAreRefilled) {
  Rig rig;
  rig.Start({{"Alias", "bob"}, {"URL", "https://elsewhere.example/mouse.php"}});
  SettingsDialogState st = rig.Open();
  EXPECT_EQ(st.edtAlias, "bob");
  st.edtAlias.clear();
  st.edtURL.clear();
  btnOKClick(st, *rig.logic, rig.host);
  EXPECT_EQ(st.edtAlias, "desk-7");
  EXPECT_EQ(rig.logic->settings().alias, "desk-7");
  EXPECT_EQ(rig.Stored("Alias"), "desk-7");
  EXPECT_EQ(st.edtURL, kDefaultSubmitUrl);
  EXPECT_EQ(rig.Stored("URL"), kDefaultSubmitUrl);
  // "Reset URL" restores that same address, never a plain http one.
  st.edtURL = "http://old.example/mouse.php";
  Reset1Click(st);
  EXPECT_EQ(st.edtURL, kDefaultSubmitUrl);
  EXPECT_EQ(std::string(kDefaultSubmitUrl).rfind("https://", 0), 0u);
}

TEST(SettingsDialog, AutoStartEntryFollowsTheBox) {
  for (bool checked : {true, false}) {
    Rig rig;
    rig.system.autoStart = !checked;
    rig.Start();
    SettingsDialogState st = rig.Open();
    EXPECT_EQ(st.chkStartup, !checked);
    st.chkStartup = checked;
    btnOKClick(st, *rig.logic, rig.host);
    ASSERT_TRUE(rig.host.autoStart);
    // The program's path has a space: the Run value quotes it.
    EXPECT_EQ(rig.host.autoStart->first, "\"C:\\Program Files\\Quillomat\\Quillomat.exe\"");
    EXPECT_EQ(rig.host.autoStart->second, !checked);  // removed when unchecked
    EXPECT_EQ(rig.logic->settings().startup, checked);
  }
}

TEST(SettingsDialog, RunValueQuotesAPathWithASpace) {
  // Unquoted, "C:\Users\First Last\q.exe" would let the system start "C:\Users\First.exe".
  const std::pair<const char*, const char*> cases[] = {
      {"C:\\Tools\\Quillomat.exe", "C:\\Tools\\Quillomat.exe"},
      {"C:\\Users\\First Last\\Quillomat.exe", "\"C:\\Users\\First Last\\Quillomat.exe\""},
      {"Z:\\work\\a b c\\Quillomat.exe", "\"Z:\\work\\a b c\\Quillomat.exe\""},
      {"\\\\server\\share\\Quillomat.exe", "\\\\server\\share\\Quillomat.exe"},
  };
  for (const auto& [path, value] : cases) EXPECT_EQ(AutoStartCommand(path), value) << path;
}

TEST(SettingsDialog, ColourChangesOnlyOnApply) {
  Rig rig;
  rig.Start({{"Background", "a0b0c0"}});
  SettingsDialogState st = rig.Open();
  EXPECT_EQ(st.background, 0xC0B0A0u);
  // A colour picked (as the colour picker leaves it) stays in the dialog while the user goes on
  // with it and the main window goes on with its timers and saves.
  st.background = 0x123456;
  st.cbxLanguage.Select(kDutch);
  cbxLanguageChange(st);
  btnDebugClick(st, *rig.logic);
  rig.logic->tmrDistanceTimer();
  rig.logic->tmrWriteValuesTimer();
  rig.logic->WriteValues();
  EXPECT_EQ(st.background, 0x123456u);
  EXPECT_EQ(rig.logic->settings().background, 0xC0B0A0u);
  EXPECT_EQ(rig.view.panelColor, 0xC0B0A0u);
  EXPECT_EQ(rig.Stored("Background"), "a0b0c0");
  EXPECT_EQ(std::count_if(rig.events.begin(), rig.events.end(),
                          [](const std::string& e) { return e.rfind("panel colour", 0) == 0; }),
            0);

  // Applied: stored as the store spells colours, painted on the panel, and the window repainted
  // after the panel took it.
  rig.events.clear();
  btnOKClick(st, *rig.logic, rig.host);
  EXPECT_EQ(rig.logic->settings().background, 0x123456u);
  EXPECT_EQ(rig.Stored("Background"), "563412");
  EXPECT_EQ(rig.view.panelColor, 0x123456u);
  const auto place = [&rig](const std::string& event) {
    return std::find(rig.events.begin(), rig.events.end(), event) - rig.events.begin();
  };
  EXPECT_LT(place("panel colour 563412"), place("repaint"));
  EXPECT_EQ(rig.events.back(), "repaint");

  // "Reset original colour" waits for OK as well.
  ResetOriginalColor1Click(st);
  EXPECT_EQ(st.background, 0xFFA448u);
  EXPECT_EQ(rig.view.panelColor, 0x123456u);
  btnOKClick(st, *rig.logic, rig.host);
  EXPECT_EQ(rig.Stored("Background"), "48A4FF");
  EXPECT_EQ(rig.view.panelColor, 0xFFA448u);
}

TEST(SettingsDialog, AStoreWriteThatFailsStopsApplyingBeforeThePanelIsTouched) {
  Rig rig;
  rig.Start();
  rig.store.failingWrites.insert("Alias");
  SettingsDialogState st = rig.Open();
  st.cbxUnits.Select(0);
  EXPECT_THROW(btnOKClick(st, *rig.logic, rig.host), StoreError);
  EXPECT_TRUE(rig.logic->settings().distmode);  // done before the failure stays done
  EXPECT_EQ(std::count(rig.events.begin(), rig.events.end(), "off screen"), 0);
}

// ---- Filling ----

TEST(SettingsDialog, FillingShowsTheMainWindowsSettings) {
  Rig rig;
  const double reset = EncodeDateTime({2025, 1, 5, 14, 7, 31});
  rig.Start({{"Resetdate", std::to_string(reset).c_str()},
             {"Measuredate", "45662"},  // 5 January 2025
             {"ResetEveryday", "0"},
             {"DisplayMode", "-1"},
             {"Transparent", "3"},
             {"AlwaysOnTop", "-1"},
             {"Hide", "-1"},
             {"Showhistory", "0"},
             {"Autosend", "-1"},
             {"Interval", "90"},
             {"IdleDelay", "25"},
             {"Monitorsize", "21.3"}});
  SettingsDialogState st = rig.Open();
  EXPECT_EQ(st.lblResolution, "1920 x 1080");
  EXPECT_EQ(st.lblSince, "Measuring since Jan 05, 2025 : 14:07");
  EXPECT_EQ(st.lblmeas, "Last Logging: Jan 05, 2025");
  EXPECT_EQ(st.lblLogHint, "C:\\Users\\ann\\Documents\\Quillomat\\Quillomat.log");
  EXPECT_EQ(st.cbxUnits.Text(), "Metric system");
  EXPECT_EQ(st.cbxOrientation.Text(), "Horizontal");
  EXPECT_EQ(st.cbxDigits.Text(), "7");
  EXPECT_EQ(st.cbxLanguage.Text(), "English / Anglais");
  EXPECT_EQ(st.cbxTransparent.Text(), "75 %");
  EXPECT_EQ(st.edtmonitorsize, "21.3");
  EXPECT_EQ(st.edtSpin, "25");
  EXPECT_EQ(st.SpinEdit1, "90");
  EXPECT_TRUE(st.chkenable);
  EXPECT_TRUE(st.chkTop);
  EXPECT_TRUE(st.chkHide);
  EXPECT_FALSE(st.chkStartup);
  EXPECT_TRUE(st.btnRunning);
  EXPECT_FALSE(st.btnHistory);
  EXPECT_TRUE(st.btnStart);
  EXPECT_EQ(st.edtAlias, "desk-7");
  EXPECT_EQ(st.activePage, SettingsPage::kGeneral);
  EXPECT_EQ(st.texts[DialogText::btnApply], "Apply");
  // Opening changes nothing outside the dialog: no store write, no auto-start entry, no rebuild,
  // no shell; only the main window's debug menu follows the comment.
  EXPECT_EQ(rig.opening, (fakes::Events{"debug menu hidden"}));

  rig.Start({{"Resetdate", std::to_string(reset).c_str()},
             {"Measuredate", "45662"},
             {"ResetEveryday", "0"},
             {"Language", "1"}});
  st = rig.Open();
  EXPECT_EQ(st.lblSince, "Gemeten sinds Jan 05, 2025 : 14:07");
  EXPECT_EQ(st.lblmeas, "Laatste registratie: Jan 05, 2025");
  EXPECT_EQ(st.cbxUnits.Text(), "Engels systeem");
}

TEST(SettingsDialog, AnUnknownStoredLanguageShowsEnglishAndIsKept) {
  Rig rig;
  rig.Start({{"Language", "42"}, {"Transparent", "7"}});
  SettingsDialogState st = rig.Open();
  EXPECT_EQ(st.cbxLanguage.index, -1);
  EXPECT_EQ(st.cbxTransparent.index, -1);
  EXPECT_EQ(st.texts.language, kEnglish);
  EXPECT_EQ(st.cbxOrientation.Text(), "Horizontal");
  btnOKClick(st, *rig.logic, rig.host);
  EXPECT_EQ(rig.Stored("Language"), "42");
  EXPECT_EQ(rig.Stored("Transparent"), "7");
}

// ---- Debug mode ----

TEST(SettingsDialog, OnlyTheExactCommentDebugShowsTheDebugPageAndMenu) {
  struct Case {
    const char* comment;
    bool on;
  } cases[] = {{"debug", true}, {"Debug", false}, {" debug", false}, {"debugging", false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.comment);
    Rig rig;
    rig.Start({{"Comment", c.comment}});
    rig.logic->Writelog("Key Hook : 101");
    SettingsDialogState st = rig.Open();
    EXPECT_EQ(st.debugTabVisible, c.on);
    EXPECT_EQ(rig.view.debugMenu, c.on);
    EXPECT_EQ(st.activePage, c.on ? SettingsPage::kDebug : SettingsPage::kGeneral);
    if (c.on) {
      EXPECT_NE(st.Memo1.find("Key Hook : 101\r\n"), std::string::npos);
    }
    // Applying decides again with the new comment.
    st.edtComment = c.on ? "quiet" : "debug";
    btnOKClick(st, *rig.logic, rig.host);
    EXPECT_EQ(st.debugTabVisible, !c.on);
    EXPECT_EQ(rig.view.debugMenu, !c.on);
  }
}

TEST(SettingsDialog, DebugButtonOnlyTogglesTheTab) {
  Rig rig;
  rig.Start();
  rig.logic->Writelog("Mouse Hook : 102");
  SettingsDialogState st = rig.Open();
  btnDebugClick(st, *rig.logic);
  EXPECT_TRUE(st.debugTabVisible);
  EXPECT_EQ(st.Memo1.find("Mouse Hook : 102"), st.Memo1.size() - 18);
  EXPECT_FALSE(rig.view.debugMenu);
  st.activePage = SettingsPage::kDebug;
  btnDebugClick(st, *rig.logic);
  EXPECT_FALSE(st.debugTabVisible);
  EXPECT_EQ(st.activePage, SettingsPage::kGeneral);
}

// ---- The language preview ----

TEST(SettingsDialog, LanguagePreviewKeepsUnitsAndOrientationAndLeavesTheMainWindow) {
  Rig rig;
  rig.Start();
  SettingsDialogState st = rig.Open();
  st.cbxUnits.Select(1);
  SelectOrientation(st, rig.logic->settings(), 1);
  st.cbxLanguage.Select(kDutch);
  cbxLanguageChange(st);
  EXPECT_EQ(st.texts[DialogText::btnApply], "Toepassen");
  EXPECT_EQ(st.cbxUnits.items, (std::vector<std::string>{"Metrisch systeem", "Engels systeem"}));
  EXPECT_EQ(st.cbxUnits.Text(), "Engels systeem");
  EXPECT_EQ(st.cbxOrientation.Text(), "Verticaal");
  EXPECT_FALSE(IsHorizontal(st));
  // The transparency list runs the same handler: the dialog stays in the chosen language.
  st.cbxTransparent.Select(2);
  cbxLanguageChange(st);
  EXPECT_EQ(st.cbxOrientation.Text(), "Verticaal");
  EXPECT_TRUE(rig.events.empty());  // nothing outside the dialog until OK/Apply
  btnOKClick(st, *rig.logic, rig.host);
  EXPECT_EQ(rig.view.language, kDutch);
  EXPECT_FALSE(rig.logic->settings().distmode);
  EXPECT_TRUE(rig.logic->settings().orientation);
}

// ---- Immediate actions ----

TEST(SettingsDialog, ViewResultsReportsTheShellsThirteenFailures) {
  const std::pair<int64_t, const char*> known[] = {
      {0, "The operating system is out of memory or resources."},
      {2, "The specified file was not found."},
      {3, "The specified path was not found."},
      {5, "The operating system denied access to the specified file."},
      {8, "There was not enough memory to complete the operation."},
      {11, "The .EXE file is invalid (non-Win32 .EXE or error in .EXE image)."},
      {26, "A sharing violation occurred."},
      {27, "The filename association is incomplete or invalid."},
      {28, "The DDE transaction could not be completed because the request timed out."},
      {29, "The DDE transaction failed."},
      {30,
       "The DDE transaction could not be completed because other DDE transactions were being "
       "processed."},
      {31, "There is no application associated with the given filename extension."},
      {32, "The specified dynamic-link library was not found."}};
  Rig rig;
  rig.Start({{"URL", "https://results.example/view"}});
  for (const auto& [result, message] : known) {
    rig.host.shellResult = result;
    EXPECT_EQ(btnBrowseClick(*rig.logic, rig.host), std::optional<std::string>(message));
  }
  for (int64_t other : {1, 4, 33, 42}) {
    rig.host.shellResult = other;
    EXPECT_EQ(btnBrowseClick(*rig.logic, rig.host), std::nullopt) << other;
  }
  const auto& call = rig.host.shellCalls.back();
  EXPECT_EQ(call.operation, "open");
  EXPECT_EQ(call.file, "https://results.example/view");
  EXPECT_EQ(call.parameters, "");
  EXPECT_EQ(call.directory, std::optional<std::string>(""));
  EXPECT_EQ(call.show, kShowDefault);
}

TEST(SettingsDialog, ShowLogfileWarnsWhenTheShellFails) {
  Rig rig;
  rig.host.shellResult = 31;
  EXPECT_EQ(btnViewFileClick(rig.host),
            "The following link is invalid :\n\rC:\\Users\\ann\\Documents\\Quillomat\\"
            "Quillomat.log");
  const auto& call = rig.host.shellCalls.back();
  EXPECT_EQ(call.file, "C:\\Users\\ann\\Documents\\Quillomat\\quillomat.log");
  EXPECT_EQ(call.directory, std::nullopt);
  EXPECT_EQ(call.show, kShowNormal);
  rig.host.shellResult = 32;
  EXPECT_EQ(btnViewFileClick(rig.host), std::nullopt);
}

TEST(SettingsDialog, LogNowWritesALineWhateverTheLoggingSetting) {
  Rig rig;
  rig.Start({{"Logging", "0"}});
  const int32_t measuredate = rig.logic->settings().measuredate;
  btnLogNowClick(*rig.logic);
  btnLogNowClick(*rig.logic);
  EXPECT_EQ(rig.logFile.Lines(), 3);  // the header and two lines
  EXPECT_EQ(rig.logic->settings().measuredate, measuredate);
}

}  // namespace
}  // namespace quillo
