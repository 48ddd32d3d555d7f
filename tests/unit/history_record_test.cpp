// The history's day record: its line of text, and a file's lines read into days.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/history/day_record.h"
#include "core/history/history_data.h"
#include "core/util/datetime.h"

namespace quillo {
namespace {

DayRecord Sample() {
  DayRecord r;
  r.day = DayNumber(2026, 12, 10);
  r.counts = {5123, 1200, 80, 4, 61, 340, 2, 1};  // canonical order: keys, left, right, middle…
  r.distance = 9135.25;
  r.runningSeconds = 28800;
  r.idleSeconds = 3600;
  for (int h = 0; h < kHoursPerDay; ++h) {
    r.hourKeystrokes[h] = h == 9 ? 5000 : h == 14 ? 123 : 0;
    r.hourClicks[h] = h == 9 ? 1000 : h == 14 ? 287 : 0;
  }
  return r;
}

TEST(DayRecord, LineRoundTripAndColumns) {
  const DayRecord r = Sample();
  const std::string line = FormatDayRecord(r);
  EXPECT_EQ(line.substr(0, 62), "2026-12-10,5123,1200,80,4,2,1,61,340,9135.250,28800,3600,0,0,0");
  EXPECT_EQ(ParseDayRecord(line), r);
  EXPECT_EQ(ParseDayRecord(line + "\r"), r);
  EXPECT_EQ(r.Clicks(), 1287u);
  // The header names every column.
  const std::string header(DayRecordHeader());
  EXPECT_EQ(std::count(header.begin(), header.end(), ','),
            std::count(line.begin(), line.end(), ','));
  EXPECT_EQ(header.substr(header.size() - 22), ",clicks_23,keys,clicks");
}

TEST(DayRecord, KeysAndPlacesRideAtTheEndAndOldLinesStillRead) {
  DayRecord r = Sample();
  r.places.AddKey(MakeKeyId(0x0D, true), 4);
  r.places.AddKey(MakeKeyId(0x41, false), 120);
  r.places.AddClick({0, 0, 1920, 1080}, PlaceButton::kLeft, 12, 40, 3);
  r.places.AddClick({-1280, -24, 0, 1000}, PlaceButton::kForward, 0, 0, 1);
  const std::string line = FormatDayRecord(r);
  EXPECT_NE(line.find(",041=120 10D=4,-1280 -24 0 1000 F0.0=1|0 0 1920 1080 L12.40=3"),
            std::string::npos)
      << line;
  EXPECT_EQ(ParseDayRecord(line), r);

  // Without the places: the counts alone, for charts over many years.
  DayRecord counts = r;
  counts.places = {};
  EXPECT_EQ(ParseDayRecord(line, RecordParts::kCounts), counts);

  // A line written before keys and places were kept: the same day without them.
  const std::string old = FormatDayRecord(counts);
  ASSERT_EQ(old.substr(old.size() - 2), ",,");
  EXPECT_EQ(ParseDayRecord(old.substr(0, old.size() - 2)), counts);

  // Damaged keys or places make the line no record (it is kept in the file and named).
  for (const char* tail : {",041=,", ",41=3,", ",041=3  042=1,", ",200=1,", ",,0 0 1920 L1.1=1",
                           ",,0 0 1920 1080 Q1.1=1", ",,0 0 1920 1080 L240.0=1",
                           ",,0 0 1920 1080 L1.1=0x", ",,0 0 0 1080", ",,0 0 1920 1080|"})
    EXPECT_FALSE(ParseDayRecord(old.substr(0, old.size() - 2) + tail)) << tail;
}

TEST(DayRecord, LinesThatAreNoRecord) {
  const std::string good = FormatDayRecord(Sample());
  const std::pair<const char*, std::string> cases[] = {
      {"cut off", good.substr(0, good.size() / 2)},
      {"a field too many", good + ",0"},
      {"not a date", "2026-13-10" + good.substr(10)},
      {"31 February", "2026-02-31" + good.substr(10)},
      {"letters in a count", "2026-12-10,51x3" + good.substr(15)},
      {"negative", "2026-12-10,-5123" + good.substr(15)},
      {"comma decimal distance",
       [&] {
         std::string s = good;
         s.replace(s.find("9135.250"), 8, "9135;250");
         return s;
       }()},
      {"header", std::string(DayRecordHeader())},
      {"empty", ""},
  };
  for (const auto& [what, line] : cases) EXPECT_FALSE(ParseDayRecord(line)) << what;
}

TEST(HistoryData, LinesOfOneDateAddUpAndDamagedOnesAreSkippedAndNamed) {
  DayRecord a = Sample(), b = Sample();
  b.counts = {};
  b.counts[0] = 7;
  b.hourKeystrokes = {};
  b.hourKeystrokes[23] = 7;
  DayRecord other = Sample();
  other.day -= 400;
  DayRecord empty;
  empty.day = a.day - 1;
  const std::string text = std::string(DayRecordHeader()) + "\r\n" + FormatDayRecord(other) +
                           "\r\n" + FormatDayRecord(a) + "\r\n" + "2026-12-1" + "\r\n" +
                           FormatDayRecord(empty) + "\n" + FormatDayRecord(b);  // last end missing
  HistoryData h;
  AddHistoryText(text, "history.csv", h);
  ASSERT_EQ(h.days.size(), 2u);
  EXPECT_EQ(h.days.at(a.day).Count(Counter::kKeystrokes), 5130u);
  EXPECT_EQ(h.days.at(a.day).hourKeystrokes[23], 7u);
  EXPECT_EQ(h.days.at(other.day), other);
  EXPECT_EQ(h.damaged, std::vector<std::string>{"history.csv line 4: 2026-12-1"});
}

}  // namespace
}  // namespace quillo
