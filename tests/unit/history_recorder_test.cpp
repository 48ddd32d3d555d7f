// The history kept while the program runs: the day and hour things were counted in, days that
// end, resets and imports, a clock set back, kills at every step of a write, damaged lines, and
// the setting that turns it off.
#include <gtest/gtest.h>

#include <memory>

#include "core/app/counter_transfer.h"
#include "core/app/main_logic.h"
#include "core/util/datetime.h"
#include "fakes/rig.h"

namespace quillo {
namespace {

using namespace fakes;

constexpr double kHour = 1.0 / 24;
constexpr char kPastFile[] = "history.csv";
constexpr char kTodayFile[] = "today.csv";

class History : public ::testing::Test, protected Rig {
 protected:
  // A start of the program (after a kill, too: the counters start afresh, the files stay).
  MainLogic& Start() { return Restart(); }
  void Type(uint32_t keys) { c.liveKeystrokes += keys; }
  void Click(uint32_t clicks) { c.liveLeft += clicks; }
  void Minute() { logic->tmrWriteValuesTimer(); }
  // The records a file holds, by day.
  std::map<int32_t, DayRecord> Records(const char* file) {
    HistoryData h;
    AddHistoryText(history.files[file], file, h);
    EXPECT_TRUE(h.damaged.empty()) << h.damaged.front();
    return h.days;
  }
  int Lines(const char* file) {
    const std::string& t = history.files[file];
    return static_cast<int>(std::count(t.begin(), t.end(), '\n'));
  }
};

TEST_F(History, CountsGoToTheDayAndTheHourTheyWereCountedIn) {
  Start();  // noon, 9 December 2025
  Type(5);
  Click(2);
  c.totalDistance += 100;
  c.liveRunSeconds = 600;
  Minute();
  DayRecord today = Records(kTodayFile).at(kToday);
  EXPECT_EQ(today.Count(Counter::kKeystrokes), 5u);
  EXPECT_EQ(today.hourKeystrokes[12], 5u);
  EXPECT_EQ(today.hourClicks[12], 2u);
  EXPECT_EQ(today.distance, 100.0);
  EXPECT_EQ(today.runningSeconds, 600u);
  // Typed before 13:00, seen by the first sample after it: the old hour's.
  Type(3);
  clock.now = kToday + 13 * kHour + 0.01 / 86400;
  logic->tmrDistanceTimer();
  Type(2);
  clock.now += 0.5 * kHour;
  Minute();
  today = Records(kTodayFile).at(kToday);
  EXPECT_EQ(today.hourKeystrokes[12], 8u);
  EXPECT_EQ(today.hourKeystrokes[13], 2u);
  EXPECT_EQ(today.Count(Counter::kKeystrokes), 10u);
  EXPECT_FALSE(history.files.count(kPastFile));  // no day has ended
  EXPECT_EQ(logic->HistoryToday(), today);
}

TEST_F(History, ADayThatEndsIsClosedAtTheFirstMinuteAfterMidnightAndADayOfNoUseHasNoRecord) {
  Start();
  Type(5);
  clock.now = kToday + 1 + 30.0 / 86400;  // 00:00:30 the next day
  Minute();
  EXPECT_EQ(Records(kPastFile).size(), 1u);
  EXPECT_EQ(Records(kPastFile).at(kToday).Count(Counter::kKeystrokes), 5u);
  EXPECT_TRUE(Records(kTodayFile).empty());
  // A whole day without use, then one with.
  clock.now += 1;
  Minute();
  Type(4);
  clock.now += 1;
  Minute();
  const auto past = Records(kPastFile);
  EXPECT_EQ(past.size(), 2u);
  EXPECT_FALSE(past.count(kToday + 1));
  EXPECT_EQ(past.at(kToday + 2).Count(Counter::kKeystrokes), 4u);
  EXPECT_EQ(Lines(kPastFile), 3);  // the header and two days
}

TEST_F(History, AResetAndAnImportChangeTheTotalsAndNeverTheHistory) {
  store.values = {{"Keystrokes", "1000"}};
  Start();
  Type(5);
  c.totalDistance += 50;
  logic->ResetCounters();
  EXPECT_EQ(c.Total(Counter::kKeystrokes), 0u);
  Type(2);
  CounterFigures f;
  f.distance = 9000;
  f.totals[static_cast<int>(Counter::kKeystrokes)] = 77;
  LoadCounterFigures(*logic, f);
  Type(1);
  c.totalDistance += 10;
  Minute();
  const DayRecord today = Records(kTodayFile).at(kToday);
  EXPECT_EQ(today.Count(Counter::kKeystrokes), 8u);
  EXPECT_EQ(today.distance, 60.0);  // neither the reset's zero nor the import's 9000 moved it
  EXPECT_EQ(c.Total(Counter::kKeystrokes), 78u);
}

TEST_F(History, AClockSetBackAddsToTheDayItNames) {
  Start();
  Type(5);
  Minute();
  clock.now -= 1;  // set back a day
  Type(3);         // typed before the minute noticed: still the day in effect then
  Minute();
  Type(2);
  Minute();
  clock.now += 1;  // and forward again: the day gets a second line
  Minute();
  Type(1);
  Minute();
  const HistoryData h = logic->LoadHistory();
  EXPECT_EQ(h.days.at(kToday).Count(Counter::kKeystrokes), 9u);
  EXPECT_EQ(h.days.at(kToday - 1).Count(Counter::kKeystrokes), 2u);
  EXPECT_EQ(Records(kPastFile).at(kToday).Count(Counter::kKeystrokes), 8u);
  EXPECT_EQ(Records(kTodayFile).at(kToday).Count(Counter::kKeystrokes), 1u);
}

TEST_F(History, AKillLosesAtMostTheLastMinute) {
  Start();
  Type(5);
  Minute();
  Type(2);  // after the last minute's write
  clock.now += 0.1 * kHour;
  Start();  // killed and started again the same day
  Type(1);
  Minute();
  EXPECT_EQ(Records(kTodayFile).at(kToday).Count(Counter::kKeystrokes), 6u);
}

TEST_F(History, AKillAtAnyStepOfClosingADayNeverLosesNorDoublesIt) {
  // Closing a day writes three times: today's file takes the closed day too, the past file gets
  // it, today's file lets it go. The program is killed where one of them fails, and started
  // again the next day.
  const struct {
    const char* kill;  // the write that fails
    uint64_t kept;     // what that day keeps: a kill before its last minute was written costs that
  } cases[] = {{"replace today.csv #1", 5},
               {"append history.csv #1", 7},
               {"replace today.csv #2", 7},
               {"nothing", 7}};
  for (const auto& k : cases) {
    SCOPED_TRACE(k.kill);
    history.files.clear();
    clock.now = kNow;
    Start();
    Type(5);
    Minute();  // today's file: 5
    Type(2);
    clock.now = kToday + 1 + 30.0 / 86400;
    std::map<std::string, int> seen;
    history.beforeWrite = [&](const std::string& op) -> std::optional<std::string> {
      if (op + " #" + std::to_string(++seen[op]) == k.kill) return "killed";
      return std::nullopt;
    };
    Minute();
    history.beforeWrite = nullptr;
    Start();
    Minute();
    const HistoryData h = logic->LoadHistory();
    ASSERT_EQ(h.days.count(kToday), 1u);
    EXPECT_EQ(h.days.at(kToday).Count(Counter::kKeystrokes), k.kept);
    EXPECT_EQ(Records(kPastFile).size(), 1u);
    EXPECT_TRUE(Records(kTodayFile).empty());
  }
}

TEST_F(History, DamagedLinesAreSkippedNotedOnceAndNeverLostToARewrite) {
  DayRecord old;
  old.day = kToday - 30;
  old.counts[0] = 40;
  const std::string cut = FormatDayRecord(old).substr(0, 25);
  history.files[kPastFile] = std::string(DayRecordHeader()) + "\r\n" + FormatDayRecord(old) +
                             "\r\nnot a record\r\n" + cut;  // a crash cut the last line short
  history.files[kTodayFile] = std::string(DayRecordHeader()) + "\r\n2025-12-0x,garbage\r\n";
  Start();
  EXPECT_NE(logic->logstring.find("History: line 2 of today.csv is no day record"),
            std::string::npos);
  Type(5);
  clock.now += 1;  // a day ends: its line goes after the cut one, on a line of its own
  Minute();
  const std::string& past = history.files[kPastFile];
  EXPECT_NE(past.find("\r\nnot a record\r\n" + cut + "\r\n"), std::string::npos);
  EXPECT_NE(past.find("2025-12-0x,garbage\r\n"), std::string::npos);  // kept, not lost
  const HistoryData h = logic->LoadHistory();
  EXPECT_EQ(h.days.at(kToday - 30).Count(Counter::kKeystrokes), 40u);
  EXPECT_EQ(h.days.at(kToday).Count(Counter::kKeystrokes), 5u);
  EXPECT_EQ(h.damaged.size(), 3u);
  // Noted in the debug text once, however often the history is looked at.
  logic->LoadHistory();
  const std::string& debug = logic->logstring;
  size_t notes = 0;
  for (size_t at = debug.find("History: skipped"); at != std::string::npos;
       at = debug.find("History: skipped", at + 1))
    ++notes;
  EXPECT_EQ(notes, 3u);
}

TEST_F(History, WriteFailuresAreShownOnceAndWhatIsDueIsTriedAgain) {
  Start();
  Type(5);
  history.failing = {"replace today.csv"};
  Minute();
  Type(1);
  Minute();
  ASSERT_EQ(view.errors.size(), 1u);
  EXPECT_EQ(view.errors[0].rfind("The history could not be written to C:\\Users\\me\\AppData\\Local"
                                 "\\Quillomat\\History\\: There is not enough space on the disk.",
                                 0),
            0u);
  history.failing.clear();
  Minute();
  EXPECT_EQ(Records(kTodayFile).at(kToday).Count(Counter::kKeystrokes), 6u);
  history.failing = {"replace today.csv"};
  Type(1);
  Minute();
  EXPECT_EQ(view.errors.size(), 2u);  // a new failure after a success is shown again
}

TEST_F(History, TurnedOffNothingIsKeptAndTurnedOnItPicksUpTheDay) {
  store.values = {{"KeepHistory", "0"}};
  Start();
  Type(5);
  Minute();
  logic->WriteValues();
  EXPECT_TRUE(history.files.empty());
  logic->SetKeepHistory(true);
  Type(2);
  Minute();
  EXPECT_EQ(Records(kTodayFile).at(kToday).Count(Counter::kKeystrokes), 2u);
  logic->SetKeepHistory(false);  // what was counted so far is written first
  Type(9);
  Minute();
  EXPECT_EQ(Records(kTodayFile).at(kToday).Count(Counter::kKeystrokes), 2u);
  EXPECT_EQ(logic->LoadHistory().days.at(kToday).Count(Counter::kKeystrokes), 2u);
  logic->SetKeepHistory(true);
  Type(1);
  Minute();
  EXPECT_EQ(Records(kTodayFile).at(kToday).Count(Counter::kKeystrokes), 3u);
}

TEST_F(History, DeletingTheHistoryStartsTheDayAgainFromNothing) {
  Start();
  Type(5);
  clock.now += 1;
  Minute();
  Type(3);
  ASSERT_FALSE(logic->DeleteHistory());
  EXPECT_TRUE(history.files.empty());
  Type(1);
  Minute();
  const HistoryData h = logic->LoadHistory();
  ASSERT_EQ(h.days.size(), 1u);
  EXPECT_EQ(h.days.at(kToday + 1).Count(Counter::kKeystrokes), 1u);
}

TEST_F(History, EachKeyAndEachPlaceGoesToTheDayAndStaysThroughAResetAndAKill) {
  system.monitors = {{0, 0, 1920, 1080}, {1920, -100, 3200, 924}};
  Start();
  auto key = [&](uint32_t vk, bool extended) {
    c.liveKeystrokes += 1;
    c.keyCounts[MakeKeyId(vk, extended)] += 1;
  };
  auto press = [&](int32_t x, int32_t y, ClickButton b) {
    c.liveLeft += 1;
    c.clicks.Push({x, y, b});
  };
  key(0x41, false);
  key(0x0D, true);
  press(9, 17, kLeftButton);       // cell 1,2 of the first monitor
  press(1930, -100, kX1Button);    // cell 1,0 of the second
  press(5000, 5000, kLeftButton);  // outside every monitor: in the totals only
  logic->tmrDistanceTimer();
  logic->ResetCounters();  // the totals start again; the history keeps what it has
  key(0x41, false);
  press(15, 23, kLeftButton);  // the same cell
  Minute();
  DayRecord today = Records(kTodayFile).at(kToday);
  EXPECT_EQ(today.places.KeyCount(MakeKeyId(0x41, false)), 2u);
  EXPECT_EQ(today.places.KeyCount(MakeKeyId(0x0D, true)), 1u);
  EXPECT_EQ(today.places.KeyCount(MakeKeyId(0x0D, false)), 0u);
  ASSERT_EQ(today.places.monitors.size(), 2u);
  const std::vector<std::pair<CellKey, uint64_t>> first = {
      {MakeCellKey(PlaceButton::kLeft, 1, 2), 2}};
  EXPECT_EQ(today.places.monitors[0].monitor, (ScreenRect{0, 0, 1920, 1080}));
  EXPECT_EQ(today.places.monitors[0].cells, first);
  const std::vector<std::pair<CellKey, uint64_t>> second = {
      {MakeCellKey(PlaceButton::kBack, 1, 0), 1}};
  EXPECT_EQ(today.places.monitors[1].cells, second);

  // A kill, then a start the same day: the day's keys go on from what today's file kept.
  key(0x42, false);  // typed after the last minute save: lost with the kill
  Start();
  key(0x41, false);
  Minute();
  today = Records(kTodayFile).at(kToday);
  EXPECT_EQ(today.places.KeyCount(MakeKeyId(0x41, false)), 3u);
  EXPECT_EQ(today.places.KeyCount(MakeKeyId(0x42, false)), 0u);
}

TEST_F(History, AMonitorAddedTheNextDayIsItsOwnAndTheDayBeforeKeepsItsPlaces) {
  Start();
  c.clicks.Push({100, 100, kRightButton});
  logic->tmrDistanceTimer();
  clock.now = kToday + 1 + 9 * kHour;  // the next morning, a second monitor plugged in
  system.monitors = {{0, 0, 1920, 1080}, {-1280, 0, 0, 1024}};
  logic->tmrDistanceTimer();  // the first sample of the new day moves the history on to it
  c.clicks.Push({-1280, 0, kMiddleButton});
  Minute();
  const auto past = Records(kPastFile);
  ASSERT_EQ(past.at(kToday).places.monitors.size(), 1u);
  const DayRecord next = Records(kTodayFile).at(kToday + 1);
  ASSERT_EQ(next.places.monitors.size(), 1u);
  EXPECT_EQ(next.places.monitors[0].monitor, (ScreenRect{-1280, 0, 0, 1024}));
  EXPECT_EQ(next.places.monitors[0].cells.front().first, MakeCellKey(PlaceButton::kMiddle, 0, 0));
}

TEST_F(History, TurnedOffTheQueueIsStillEmptiedAndNothingIsPlaced) {
  store.values = {{"KeepHistory", "0"}};
  Start();
  c.clicks.Push({1, 1, kLeftButton});
  logic->tmrDistanceTimer();
  EXPECT_FALSE(c.clicks.Waiting());
  EXPECT_FALSE(history.files.count(kTodayFile));
}

TEST_F(History, TheChartsReadCountsAndKeysAndTheClickMapReadsThePlacesOfItsDaysAlone) {
  Start();
  c.keyCounts[0x41] += 2;
  c.liveKeystrokes += 2;
  c.clicks.Push({10, 10, kLeftButton});
  c.liveLeft += 1;
  logic->tmrDistanceTimer();
  clock.now = kToday + 1 + 9 * kHour;  // the next day
  logic->tmrDistanceTimer();
  c.clicks.Push({20, 20, kRightButton});
  c.liveRight += 1;
  Minute();

  const HistoryData charts = logic->LoadHistory();
  ASSERT_EQ(charts.days.size(), 2u);
  EXPECT_EQ(charts.days.at(kToday).places.KeyCount(0x41), 2u);
  for (const auto& [day, r] : charts.days) EXPECT_TRUE(r.places.monitors.empty()) << day;

  const HistoryData yesterday = logic->LoadHistoryPlaces(kToday, kToday);
  ASSERT_EQ(yesterday.days.size(), 1u);
  ASSERT_EQ(yesterday.days.at(kToday).places.monitors.size(), 1u);
  EXPECT_EQ(yesterday.days.at(kToday).places.monitors[0].cells.front().first,
            MakeCellKey(PlaceButton::kLeft, 1, 1));
  const HistoryData today = logic->LoadHistoryPlaces(kToday + 1, kToday + 1);
  ASSERT_EQ(today.days.size(), 1u);  // the day in progress, from memory
  EXPECT_EQ(today.days.at(kToday + 1).places.monitors[0].cells.front().first,
            MakeCellKey(PlaceButton::kRight, 2, 2));
}

}  // namespace
}  // namespace quillo
