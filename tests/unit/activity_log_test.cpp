// The activity log: header, line pieces and widths, appending through the file, the daily rule
// and the once-only report of a failing write.
#include "core/store/activity_log.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "core/store/log_format.h"
#include "core/util/datetime.h"
#include "fakes/platform.h"

namespace quillo {
namespace {

constexpr double kInchesPerCm = 1 / 2.54;

TEST(LogFormat, Header) {
  EXPECT_EQ(kLogHeader.size(), 223u);
  EXPECT_EQ(kLogHeader.substr(0, 11), "       Date");
  EXPECT_EQ(kLogHeader.substr(kLogHeader.size() - 3), "sec");
  EXPECT_NE(kLogHeader.find("Distance 3    keystrokes       left"), std::string_view::npos);
}

TEST(LogFormat, DistancePieces) {
  struct Case {
    double inches;
    bool metric;
    std::string_view pieces;
  } cases[] = {
      {0, true, "      0 km          0 m         0 cm    "},
      {1234567 * kInchesPerCm, true, "     12 km        345 m        67 cm    "},
      {123456789 * kInchesPerCm, true, "   1234 km        567 m        89 cm    "},
      {63360, false, "      1 miles       0 yards     0 inch  "},
      {63360.0 * 12 + 36 * 1759 + 35, false, "     12 miles    1759 yards    35 inch  "},
  };
  for (const Case& c : cases) {
    LogFigures f;
    f.month = "Dec";
    f.distance = c.inches;
    f.distmode = c.metric;
    f.milestring = "miles";
    f.yardstring = "yards";
    f.inchstring = "inch";
    const std::string line = LogLine(f);
    EXPECT_EQ(line.substr(58, 40), c.pieces) << c.inches;
    EXPECT_EQ(c.pieces.size(), 40u);
  }
}

TEST(LogFormat, UnitWordsAreMeasuredInCharacters) {
  // "míle" is five bytes of UTF-8 but four characters in the 8-bit file.
  EXPECT_EQ(LogLeft("míle", 6), "míle  ");
  EXPECT_EQ(LogRight("ů", 3), "  ů");
  EXPECT_EQ(LogWidth("Анна"), 4u);
  EXPECT_EQ(LogWidth("😀"), 2u);  // a surrogate pair
  // A word longer than its column widens the line instead of being cut.
  EXPECT_EQ(LogLeft("polegadas", 6), "polegadas");
}

TEST(LogFormat, CounterColumns) {
  std::array<uint32_t, kCounterCount> totals{};
  totals[0] = 4294967295u;
  totals[7] = 12;
  const std::string pieces = LogCounters(totals);
  EXPECT_EQ(pieces.size(), 87u);
  EXPECT_EQ(pieces.substr(0, 11), "4294967295 ");  // fills its column exactly
  EXPECT_EQ(pieces.substr(11, 11), "         0 ");
  EXPECT_EQ(pieces.substr(77), "        12");
}

TEST(LogFormat, TimeBlock) {
  struct Case {
    uint32_t seconds;
    std::string_view block;
  } cases[] = {
      {86399, "    0 days 23 hours   59 min   59 sec "},
      {100 * 86400, "  100 days  0 hours    0 min    0 sec "},
      {0, "    0 days  0 hours    0 min    0 sec "},
      {4294967295u, "49710 days  6 hours   28 min   15 sec "},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(LogTimeBlock(c.seconds), c.block) << c.seconds;
    EXPECT_EQ(c.block.size(), 38u);
  }
}

TEST(LogFormat, DatePiece) {
  EXPECT_EQ(LogDate({2024, 1, 5, 7, 8, 9, 999}, "Jan"), "2024 Jan 05 07:08:09");
  EXPECT_EQ(LogDate({987, 12, 31, 23, 59, 59, 0}, "Dec"), "0987 Dec 31 23:59:59");
  EXPECT_EQ(LogDate({2024, 2, 1, 0, 0, 0, 0}, "févr."), "2024 févr. 01 00:00:00");
}

LogFigures Sample() {
  LogFigures f;
  f.when = {2025, 3, 14, 21, 5, 0, 0};
  f.month = "Mar";
  f.runSeconds = 3 * 86400 + 4 * 3600 + 5 * 60 + 6;
  f.distance = 1234567 * kInchesPerCm;
  f.distmode = true;
  f.milestring = "miles";
  f.yardstring = "yards";
  f.inchstring = "inch";
  f.counters = {123456, 2345, 345, 45, 5, 6789, 1, 4294967295u};
  f.idleSeconds = 86399;
  return f;
}

TEST(LogFormat, WholeLine) {
  const std::string line = LogLine(Sample());
  EXPECT_EQ(line.size(), 224u);
  EXPECT_EQ(line,
            "2025 Mar 14 21:05:00    3 days  4 hours    5 min    6 sec "
            "     12 km        345 m        67 cm    "
            "    123456       2345        345         45          5       6789          1 "
            "4294967295 "
            "    0 days 23 hours   59 min   59 sec ");
}

TEST(LogFormat, LongUnitWordsWidenTheLine) {
  LogFigures f = Sample();
  f.distmode = false;
  f.milestring = "milhas";
  f.yardstring = "yardas";
  f.inchstring = "polegadas";  // three characters over its column
  EXPECT_EQ(LogLine(f).size(), 227u);
  f.inchstring = "palec";
  f.milestring = "míle";
  EXPECT_EQ(LogWidth(LogLine(f)), 224u);
}

using fakes::FakeLogFile;

TEST(ActivityLog, NewFileGetsTheHeaderOnce) {
  FakeLogFile file;
  ActivityLog log(file);
  EXPECT_TRUE(log.WriteLine("first").written);
  EXPECT_TRUE(log.WriteLine("second").written);
  EXPECT_EQ(file.contents, std::string(kLogHeader) + "\r\nfirst\r\nsecond\r\n");
}

TEST(ActivityLog, ExistingEmptyFileGetsNoHeader) {
  FakeLogFile file;
  file.exists = true;
  ActivityLog log(file);
  EXPECT_TRUE(log.WriteLine("line").written);
  EXPECT_EQ(file.contents, "line\r\n");
}

TEST(ActivityLog, FailureIsReportedOnceUntilAWriteSucceeds) {
  FakeLogFile file;
  ActivityLog log(file);
  file.failure = "drive not ready";
  const LogWriteResult first = log.WriteLine("a");
  EXPECT_FALSE(first.written);
  EXPECT_EQ(first.error, "drive not ready");
  EXPECT_TRUE(first.report);
  for (int minute = 0; minute < 3; ++minute) {
    const LogWriteResult again = log.WriteLine("a");
    EXPECT_FALSE(again.written);
    EXPECT_TRUE(again.error);
    EXPECT_FALSE(again.report);
  }
  file.failure.reset();
  const LogWriteResult ok = log.WriteLine("b");
  EXPECT_TRUE(ok.written);
  EXPECT_FALSE(ok.error);
  EXPECT_FALSE(ok.report);
  // A new run of failures is reported again.
  file.failure = "";
  const LogWriteResult later = log.WriteLine("c");
  EXPECT_TRUE(later.report);
  EXPECT_FALSE(later.error->empty());
  // The header went out with the first line that was written, not with a failed attempt.
  EXPECT_EQ(file.contents, std::string(kLogHeader) + "\r\nb\r\n");
}

TEST(DailyLog, DueRule) {
  struct Case {
    bool logging;
    int32_t today, measuredate;
    bool due;
  } cases[] = {{true, 45001, 45000, true},
               {true, 45000, 45000, false},
               {true, 44999, 45000, false},  // clock set back: no line
               {false, 45001, 45000, false},
               {true, 45010, 45000, true}};
  for (const Case& c : cases)
    EXPECT_EQ(DailyLineDue(c.logging, c.today, c.measuredate), c.due)
        << c.today << " " << c.measuredate;
  EXPECT_EQ(DaysAfterDailyLine(45000, 45003), (LogDays{45000, 45003}));
}

TEST(DailyLog, WrittenLineMovesTheDaysOn) {
  FakeLogFile file;
  ActivityLog log(file);
  int32_t measuredate = 45000, logdate = 44990;
  int built = 0;
  auto line = [&] { return "day " + std::to_string(++built); };

  EXPECT_FALSE(log.WriteDailyLine(false, 45001, measuredate, logdate, line).written);
  EXPECT_FALSE(log.WriteDailyLine(true, 45000, measuredate, logdate, line).written);
  EXPECT_EQ(built, 0);  // not due: the figures are not even gathered
  EXPECT_EQ(file.appends, 0);

  const LogWriteResult r = log.WriteDailyLine(true, 45001, measuredate, logdate, line);
  EXPECT_TRUE(r.written);
  EXPECT_EQ(logdate, 45000);
  EXPECT_EQ(measuredate, 45001);
  // The next minute on the same day writes nothing.
  EXPECT_FALSE(log.WriteDailyLine(true, 45001, measuredate, logdate, line).written);
  EXPECT_EQ(built, 1);
}

TEST(DailyLog, FailedLineIsRetriedEachTickAndReportedOnce) {
  FakeLogFile file;
  file.failure = "access denied";
  ActivityLog log(file);
  int32_t measuredate = 45000, logdate = 44999;
  auto line = [] { return std::string("x"); };
  int reports = 0;
  for (int tick = 0; tick < 5; ++tick) {
    const LogWriteResult r = log.WriteDailyLine(true, 45001, measuredate, logdate, line);
    EXPECT_FALSE(r.written);
    reports += r.report;
  }
  EXPECT_EQ(reports, 1);
  EXPECT_EQ(file.appends, 5);
  EXPECT_EQ(measuredate, 45000);
  EXPECT_EQ(logdate, 44999);
  file.failure.reset();
  EXPECT_TRUE(log.WriteDailyLine(true, 45001, measuredate, logdate, line).written);
  EXPECT_EQ(measuredate, 45001);
  EXPECT_EQ(logdate, 45000);
}

TEST(LogPath, DocumentsSubfolder) {
  EXPECT_EQ(SubfolderPath("C:\\Users\\ann\\Documents", kLogSubfolder),
            "C:\\Users\\ann\\Documents\\Quillomat\\");
  EXPECT_EQ(SubfolderPath("D:\\", kLogSubfolder), "D:\\Quillomat\\");
  EXPECT_EQ(LogFilePath("C:\\Users\\ann\\Documents\\Quillomat\\"),
            "C:\\Users\\ann\\Documents\\Quillomat\\Quillomat.log");
  EXPECT_EQ(LogFilePath("C:\\Docs\\Quillomat"), "C:\\Docs\\Quillomat\\Quillomat.log");
}

const std::array<std::string, 12> kMonths = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                             "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

TEST(LogFigures, GatheredFromTheCounters) {
  ActivityCounters c;
  c.histKeystrokes = 4294967295u;
  c.liveKeystrokes = 2;  // wraps to 1
  c.histLeft = 10;
  c.liveLeft = 5;
  c.liveX2 = 7;
  c.totalDistance = 5000;
  c.histDistance = 4000;  // the log shows the total, whatever the panel shows
  c.shownIdleSeconds = 777;
  c.liveIdleSeconds = 1;  // not recomputed: the panel's last figure is used
  c.histRunSeconds = 1000;
  const double start = EncodeDateTime({2025, 7, 9, 8, 0, 0, 0});
  c.startTime = start;
  const double now = EncodeDateTime({2025, 7, 9, 9, 0, 30, 500});

  SamplerSettings s;
  s.distmode = true;
  s.showhistory = false;
  s.showrunning = true;
  const LogFigures f = CollectLogFigures(c, s, now, kMonths, TextsForLanguage(kFrench));
  EXPECT_EQ(f.month, "Jul");
  EXPECT_EQ(f.when.hour, 9);
  EXPECT_EQ(f.when.second, 30);
  EXPECT_EQ(c.liveRunSeconds, 3630u);
  EXPECT_EQ(c.shownRunSeconds, 3630u);
  EXPECT_EQ(f.runSeconds, 3630u);
  EXPECT_EQ(f.distance, 5000);
  EXPECT_EQ(f.counters[0], 1u);
  EXPECT_EQ(f.counters[1], 15u);
  EXPECT_EQ(f.counters[7], 7u);
  EXPECT_EQ(f.idleSeconds, 777u);
  EXPECT_EQ(f.inchstring, "pouces");  // the long word, not the panel's "po"

  s.showhistory = true;
  EXPECT_EQ(CollectLogFigures(c, s, now, kMonths, TextsForLanguage(kEnglish)).runSeconds, 4630u);
  // Not counted time: the wall clock since the last reset.
  s.showrunning = false;
  s.resetdate = EncodeDateTime({2025, 7, 1, 9, 0, 30, 0});
  EXPECT_EQ(CollectLogFigures(c, s, now, kMonths, TextsForLanguage(kEnglish)).runSeconds,
            8u * 86400u);
  EXPECT_EQ(c.shownRunSeconds, 8u * 86400u);
}

}  // namespace
}  // namespace quillo
