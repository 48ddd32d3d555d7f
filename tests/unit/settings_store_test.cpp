// Stored values: reading rules, colours, the full save and the minute save.
#include "core/store/settings_store.h"

#include <gtest/gtest.h>

namespace quillo {
namespace {

TEST(KeyValue, NamesMatchWithoutRegardToCase) {
  MemoryStore store;
  WriteStr(store, "Displaymode", "-1");
  EXPECT_EQ(ReadInt(store, "DisplayMode", 0), -1);
  WriteStr(store, "DISPLAYMODE", "0");
  EXPECT_EQ(store.values.size(), 1u);
  EXPECT_EQ(store.values.begin()->first, "Displaymode");  // first writer's spelling stays
}

TEST(KeyValue, ReadIntFallsBackForAnythingButAnInteger) {
  MemoryStore store;
  struct Case {
    const char* text;
    int32_t def, expect;
  } cases[] = {{"-1", 0, -1},  {"1", 0, 1}, {"true", -1, -1},
               {"true", 0, 0}, {"", 7, 7},  {"1.5", 7, 7}};
  for (const Case& k : cases) {
    store.values["Running"] = k.text;
    EXPECT_EQ(ReadInt(store, "Running", k.def), k.expect) << k.text;
  }
  EXPECT_EQ(ReadInt(store, "Absent", 10), 10);
  store.nonText.insert("Running");
  EXPECT_EQ(ReadInt(store, "Running", 3), 3);
  // That a Boolean is true only as exactly -1 is start-up's rule, tested there
  // (Logic.AStoredBooleanIsTrueOnlyAsMinusOne).
}

TEST(Colours, HexToColorAndBack) {
  struct Case {
    const char* text;
    std::optional<uint32_t> color;
  } cases[] = {{"48A4FF", 0xFFA448}, {"48a4ff", 0xFFA448},     {"48A4FF99", 0xFFA448},
               {"000000", 0},        {"48A4F", 0x0FA448},      {"48A4", std::nullopt},
               {"", std::nullopt},   {"48G4FF", std::nullopt}, {"FFFFFF", 0xFFFFFF}};
  for (const Case& k : cases) EXPECT_EQ(HexToColor(k.text), k.color) << k.text;
  EXPECT_EQ(ColorToHex(0xFFA448), "48A4FF");
  EXPECT_EQ(ColorToHex(0x12FFA448), "48A4FF");
  EXPECT_EQ(ColorToHex(0x0000FF), "FF0000");
}

TEST(StrictReads, BadValueIsReportedDefaultedAndProtected) {
  MemoryStore store;
  SaveGuard guard;
  store.values["KeyStrokes"] = "lots";
  store.values["LeftClicks"] = "5e9";
  store.values["Background"] = "zz0000";
  StrictReader r(store, guard);
  EXPECT_EQ(r.Counter("KeyStrokes"), 0u);
  EXPECT_EQ(r.Counter("LeftClicks"), 705032704u);
  EXPECT_EQ(r.Counter("RightClicks"), 0u);
  EXPECT_EQ(r.Color("Background", "48A4FF"), 0xFFA448u);
  EXPECT_EQ(r.Float("Monitorsize", "23"), 23.0);
  ASSERT_EQ(r.errors().size(), 2u);
  EXPECT_NE(r.errors()[0].find("KeyStrokes"), std::string::npos);
  EXPECT_NE(r.errors()[0].find("'lots'"), std::string::npos);
  EXPECT_FALSE(guard.MayWrite("Keystrokes"));  // the writer's spelling is the same value
  EXPECT_TRUE(guard.MayWrite("Leftclicks"));
  guard.TotalsReplaced();
  EXPECT_TRUE(guard.MayWrite("Keystrokes"));
}

TEST(StrictReads, TimeAcceptsWhatTheSaveWrites) {
  MemoryStore store;
  SaveGuard guard;
  store.values["Time"] = "3000000000";
  store.values["Idle"] = "12.5";
  StrictReader r(store, guard);
  EXPECT_EQ(r.UInt("Time", "0"), 3000000000u);
  EXPECT_EQ(r.UInt("Idle", "0"), 0u);
  EXPECT_EQ(r.errors().size(), 1u);
}

class Saves : public ::testing::Test {
 protected:
  void SetUp() override {
    c.histKeystrokes = 10;
    c.liveKeystrokes = 5;
    c.liveLeft = 3;
    c.liveDouble = 1;
    c.totalDistance = 12345.6;
    c.histRunSeconds = 100;
    c.liveRunSeconds = 20;
    c.histIdleSeconds = 7;
    c.liveIdleSeconds = 3;
    c.logdate = 45290;
    s.resetdate = 45292.5;
    s.showrunning = true;
  }
  SaveContext Ctx() { return SaveContext{c, s, true, true, 45300, '.'}; }
  ActivityCounters c;
  Settings s;
  MemoryStore store;
  SaveGuard guard;
};

TEST_F(Saves, FullSaveWritesTheTwentySixValues) {
  EXPECT_TRUE(WriteValues(store, Ctx(), guard).empty());
  EXPECT_EQ(store.values.size(), 26u);
  const std::pair<const char*, const char*> expect[] = {
      {"Time", "120"},          {"Idle", "10"},           {"distance", "12345.6"},
      {"Keystrokes", "15"},     {"Leftclicks", "3"},      {"Dblclicks", "1"},
      {"Running", "-1"},        {"Visible", "-1"},        {"Displaymode", "0"},
      {"resetdate", "45292.5"}, {"Measuredate", "45300"}, {"Logdate", "45290"},
      {"showRunning", "-1"},    {"showhistory", "-1"},    {"Digits", "7"},
      {"IdleDelay", "10"},      {"AlwaysOntop", "0"},     {"Language", "0"}};
  for (const auto& [name, text] : expect) EXPECT_EQ(store.values[name], text) << name;
}

TEST_F(Saves, FullSaveGoesOnPastAFailedStepAndSparesUnreadValues) {
  store.failingWrites.insert("distance");
  guard.unreadable.insert("KeyStrokes");
  store.values["KeyStrokes"] = "garbage";
  const auto failures = WriteValues(store, Ctx(), guard);
  ASSERT_EQ(failures.size(), 1u);
  EXPECT_EQ(failures[0], "Quillomat : error writing distance");
  EXPECT_EQ(store.values["KeyStrokes"], "garbage");
  EXPECT_EQ(store.values["showRunning"], "-1");  // the last step still ran
}

TEST_F(Saves, MinuteSaveWritesOnlyWhenSomethingChanged) {
  guard.lastMinuteValues = MinuteSaveValues(c, '.');
  EXPECT_EQ(MinuteSave(store, c, true, '.', guard), "");
  EXPECT_EQ(store.values.size(), 1u);  // "Running" alone
  EXPECT_EQ(store.values["Running"], "-1");

  c.liveKeystrokes = 6;  // typing only, the pointer never moved
  EXPECT_EQ(MinuteSave(store, c, false, '.', guard), "");
  EXPECT_EQ(store.values["Keystrokes"], "16");
  EXPECT_EQ(store.values["Distance"], "12346");  // whole inches
  EXPECT_EQ(store.values["Running"], "0");
  EXPECT_EQ(store.values.size(), 12u);

  const int writes = store.writeCount;
  EXPECT_EQ(MinuteSave(store, c, false, '.', guard), "");
  EXPECT_EQ(store.writeCount, writes + 1);  // nothing new but "Running"
}

TEST_F(Saves, MinuteSaveStopsAtTheFirstFailure) {
  store.failingWrites.insert("Time");
  EXPECT_EQ(MinuteSave(store, c, true, '.', guard), "Quillomat : error writing values");
  EXPECT_EQ(store.values.count("Keystrokes"), 0u);
  EXPECT_EQ(store.values.count("Running"), 0u);
  store.failingWrites.clear();
  EXPECT_EQ(MinuteSave(store, c, true, '.', guard), "");  // retried next minute
  EXPECT_EQ(store.values["Keystrokes"], "15");
}

TEST_F(Saves, CommaLocaleWritesCommas) {
  SaveContext ctx{c, s, true, true, 45300, ','};
  WriteValues(store, ctx, guard);
  EXPECT_EQ(store.values["distance"], "12345,6");
}

}  // namespace
}  // namespace quillo
