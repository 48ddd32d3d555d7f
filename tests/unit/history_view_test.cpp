// The History window's state: what is selected first, the day in progress refreshed, the keys'
// moves among days, periods and hours, the year's arrows, and the hints.
#include "core/history/history_view.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/panel/main_window_texts.h"
#include "core/util/datetime.h"
#include "history_days.h"

namespace quillo {
namespace {

using history_days::D;
using history_days::Keys;

const int32_t kToday = D(2026, 12, 10);  // a Thursday

// Two years of history: the first recorded day is 2025-03-05.
HistoryView View(HistoryViewOptions options = {}) {
  HistoryData h;
  h.Add(Keys(D(2025, 3, 5), 7));
  h.Add(Keys(D(2026, 12, 1), 5123, 14));
  h.Add(Keys(kToday, 40, 14));
  return HistoryView(std::move(h), kToday, 14, options);
}

TEST(HistoryView, OpensOnTodayItsPeriodAndTheHourItIs) {
  const HistoryView v = View();
  EXPECT_EQ(v.year(), 2026);
  EXPECT_EQ(v.Selected(HistoryPane::kCalendar), kToday);
  EXPECT_EQ(v.Selected(HistoryPane::kBars), 29);  // the last of 30 days
  EXPECT_EQ(v.Selected(HistoryPane::kHours), 14);
  EXPECT_EQ(v.periods().size(), 30u);
  EXPECT_EQ(v.hours()[14], 5163);
  EXPECT_EQ(v.RangeChoices(), (std::vector<std::string>{"Last 30 days", "Last 12 months",
                                                        "Year 2026", "The whole history"}));
  EXPECT_EQ(v.GroupingChoices(), (std::vector<std::string>{"day", "week", "month"}));
  EXPECT_EQ(v.MeasureChoices()[1], "Clicks (all buttons)");
  EXPECT_EQ(v.MeasureChoices()[2], "    Left button");  // one button, under all of them
  EXPECT_EQ(v.MeasureChoices().size(), 10u);
}

TEST(HistoryView, TheDayInProgressIsRefreshedAndANewDayTakesOver) {
  HistoryView v = View();
  EXPECT_FALSE(v.UpdateToday(Keys(kToday, 40, 14)));  // nothing new: nothing to repaint
  EXPECT_TRUE(v.UpdateToday(Keys(kToday, 45, 14)));
  EXPECT_EQ(v.periods().back().value, 45);
  EXPECT_EQ(v.hours()[14], 5168);
  EXPECT_NE(v.Describe(HistoryPane::kCalendar, kToday).find("Keystrokes: 45"), std::string::npos);
  // Midnight: the calendar, the range and the bars' selection move on with the day.
  EXPECT_TRUE(v.UpdateToday(Keys(kToday + 1, 3, 0)));
  EXPECT_EQ(v.today(), kToday + 1);
  EXPECT_EQ(v.Selected(HistoryPane::kCalendar), kToday + 1);
  EXPECT_EQ(v.span().last, kToday + 1);
  EXPECT_EQ(v.Selected(HistoryPane::kBars), 29);
  EXPECT_EQ(v.periods().back().value, 3);
  // A day looked at elsewhere stays selected.
  HistoryView w = View();
  ASSERT_TRUE(w.Select(HistoryPane::kCalendar, D(2026, 12, 1)));
  w.UpdateToday(Keys(kToday + 1, 3, 0));
  EXPECT_EQ(w.Selected(HistoryPane::kCalendar), D(2026, 12, 1));
  // New Year's Eve to New Year's Day: the calendar shows the new year.
  HistoryView y(HistoryData{}, D(2026, 12, 31), 23, {});
  y.UpdateToday(Keys(D(2027, 1, 1), 1));
  EXPECT_EQ(y.year(), 2027);
}

TEST(HistoryView, KeysMoveAsTheChartsAreLaidOut) {
  const struct {
    HistoryPane pane;
    int32_t from;
    ChartKey key;
    int32_t to;
    int year;
  } cases[] = {
      // The calendar: across is a week, down a day; never after today nor before the first year.
      {HistoryPane::kCalendar, D(2026, 6, 10), ChartKey::kLeft, D(2026, 6, 3), 2026},
      {HistoryPane::kCalendar, D(2026, 6, 10), ChartKey::kRight, D(2026, 6, 17), 2026},
      {HistoryPane::kCalendar, D(2026, 6, 10), ChartKey::kUp, D(2026, 6, 9), 2026},
      {HistoryPane::kCalendar, D(2026, 6, 10), ChartKey::kDown, D(2026, 6, 11), 2026},
      {HistoryPane::kCalendar, D(2026, 6, 10), ChartKey::kHome, D(2026, 1, 1), 2026},
      {HistoryPane::kCalendar, D(2026, 6, 10), ChartKey::kEnd, kToday, 2026},
      {HistoryPane::kCalendar, D(2025, 6, 10), ChartKey::kEnd, D(2025, 12, 31), 2025},
      {HistoryPane::kCalendar, kToday - 3, ChartKey::kRight, kToday, 2026},
      {HistoryPane::kCalendar, D(2026, 1, 2), ChartKey::kLeft, D(2025, 12, 26), 2025},
      {HistoryPane::kCalendar, D(2025, 3, 8), ChartKey::kLeft, D(2025, 3, 5), 2025},
      {HistoryPane::kCalendar, D(2025, 6, 10), ChartKey::kHome, D(2025, 3, 5), 2025},
      {HistoryPane::kCalendar, D(2026, 6, 10), ChartKey::kPageUp, D(2025, 6, 10), 2025},
      {HistoryPane::kCalendar, D(2025, 12, 20), ChartKey::kPageDown, kToday, 2026},
      // Bars and hours: one step, a page, either end.
      {HistoryPane::kBars, 10, ChartKey::kLeft, 9, 2026},
      {HistoryPane::kBars, 10, ChartKey::kDown, 11, 2026},
      {HistoryPane::kBars, 10, ChartKey::kPageUp, 3, 2026},
      {HistoryPane::kBars, 25, ChartKey::kPageDown, 29, 2026},
      {HistoryPane::kBars, 10, ChartKey::kHome, 0, 2026},
      {HistoryPane::kBars, 10, ChartKey::kEnd, 29, 2026},
      {HistoryPane::kHours, 0, ChartKey::kLeft, 0, 2026},
      {HistoryPane::kHours, 14, ChartKey::kRight, 15, 2026},
      {HistoryPane::kHours, 14, ChartKey::kPageDown, 20, 2026},
      {HistoryPane::kHours, 14, ChartKey::kEnd, 23, 2026},
  };
  for (const auto& c : cases) {
    HistoryView v = View();
    ASSERT_TRUE(v.Select(c.pane, c.from) || v.Selected(c.pane) == c.from);
    EXPECT_EQ(v.Move(c.pane, c.key), c.from != c.to) << c.from << " " << static_cast<int>(c.key);
    EXPECT_EQ(v.Selected(c.pane), c.to) << c.from << " " << static_cast<int>(c.key);
    EXPECT_EQ(v.year(), c.year) << c.from << " " << static_cast<int>(c.key);
  }
}

TEST(HistoryView, TheYearsArrowsStopAtTheFirstYearAndThisOne) {
  HistoryView v = View();
  EXPECT_FALSE(v.CanStepYear(1));
  EXPECT_TRUE(v.CanStepYear(-1));
  EXPECT_TRUE(v.StepYear(-1));
  EXPECT_EQ(v.year(), 2025);
  EXPECT_EQ(v.Selected(HistoryPane::kCalendar), D(2025, 12, 10));
  EXPECT_FALSE(v.StepYear(-1));
  ASSERT_TRUE(v.Select(HistoryPane::kCalendar, D(2025, 12, 20)));
  EXPECT_TRUE(v.StepYear(1));
  EXPECT_EQ(v.Selected(HistoryPane::kCalendar), kToday);  // never after today
  // A date before the history's first day in the year before: its first day.
  ASSERT_TRUE(v.Select(HistoryPane::kCalendar, D(2026, 1, 20)));
  EXPECT_TRUE(v.StepYear(-1));
  EXPECT_EQ(v.Selected(HistoryPane::kCalendar), D(2025, 3, 5));
  EXPECT_TRUE(v.StepYear(1));
  EXPECT_EQ(v.Selected(HistoryPane::kCalendar), D(2026, 3, 5));
  // 29 February has no day in the next year but the 28th.
  HistoryData leap;
  leap.Add(Keys(D(2024, 2, 29), 1));
  HistoryView l(std::move(leap), kToday, 0, {});
  ASSERT_TRUE(l.Select(HistoryPane::kCalendar, D(2024, 2, 29)));
  EXPECT_TRUE(l.StepYear(1));
  EXPECT_EQ(l.Selected(HistoryPane::kCalendar), D(2025, 2, 28));
}

TEST(HistoryView, ADaySelectsItsBarAndAChoiceKeepsThePeriodOfTheDay) {
  HistoryView v = View();
  ASSERT_TRUE(v.Select(HistoryPane::kCalendar, D(2026, 12, 1)));
  EXPECT_EQ(v.Selected(HistoryPane::kBars), 20);
  v.SetGrouping(HistoryGrouping::kWeek);
  EXPECT_EQ(v.periods()[static_cast<size_t>(v.Selected(HistoryPane::kBars))].days.first,
            D(2026, 11, 30));
  v.SetRange(HistoryRange::kWhole);
  v.SetGrouping(HistoryGrouping::kMonth);
  EXPECT_EQ(v.periods().size(), 22u);  // March 2025 to December 2026
  EXPECT_EQ(v.Selected(HistoryPane::kBars), 21);
  EXPECT_EQ(v.periods()[21].value, 5163);
  // The year's range follows the calendar.
  v.SetRange(HistoryRange::kYear);
  ASSERT_TRUE(v.StepYear(-1));
  EXPECT_EQ(v.span(), (DaySpan{D(2025, 1, 1), D(2025, 12, 31)}));
  EXPECT_EQ(v.RangeChoices()[2], "Year 2025");
  // What names nothing is not selected.
  EXPECT_FALSE(v.Select(HistoryPane::kCalendar, kToday + 1));
  EXPECT_FALSE(v.Select(HistoryPane::kCalendar, D(2025, 3, 4)));  // before the history
  EXPECT_FALSE(v.Select(HistoryPane::kBars, 12));
  EXPECT_FALSE(v.Select(HistoryPane::kHours, 24));
}

TEST(HistoryView, HintsNameTheDayOrPeriodAndItsFigureInTheLanguage) {
  const HistoryViewOptions en;
  HistoryViewOptions de;
  de.language = kGerman;
  de.style = {',', "."};
  HistoryViewOptions fr;
  fr.language = kFrench;
  fr.style = {',', " "};
  struct Case {
    HistoryViewOptions options;
    HistoryGrouping grouping;
    HistoryPane pane;
    int32_t index;
    const char* hint;
  };
  const std::vector<Case> cases = {
      {en, HistoryGrouping::kDay, HistoryPane::kCalendar, D(2026, 12, 1),
       "Tue 2026-12-01 — Keystrokes: 5,123"},
      {de, HistoryGrouping::kDay, HistoryPane::kCalendar, D(2026, 12, 1),
       "Di 2026-12-01 — Tastenanschläge: 5.123"},
      {fr, HistoryGrouping::kDay, HistoryPane::kCalendar, D(2026, 12, 2),
       "mer. 2026-12-02 — Frappes : 0"},
      {en, HistoryGrouping::kWeek, HistoryPane::kBars, 2,
       "2026-11-23 – 2026-11-29 — Keystrokes: 0"},
      {en, HistoryGrouping::kWeek, HistoryPane::kBars, 3,
       "2026-11-30 – 2026-12-06 — Keystrokes: 5,123"},
      {en, HistoryGrouping::kMonth, HistoryPane::kBars, 1, "December 2026 — Keystrokes: 5,163"},
      {en, HistoryGrouping::kDay, HistoryPane::kHours, 14, "14:00–15:00 — Keystrokes: 5,163"},
      {en, HistoryGrouping::kDay, HistoryPane::kHours, 23, "23:00–00:00 — Keystrokes: 0"},
  };
  for (const auto& c : cases) {
    HistoryView v = View(c.options);
    v.SetGrouping(c.grouping);
    EXPECT_EQ(v.Describe(c.pane, c.index), c.hint);
  }
  HistoryViewOptions es;
  es.language = kSpanish;
  HistoryView v = View(es);
  v.SetGrouping(HistoryGrouping::kMonth);
  EXPECT_EQ(v.Describe(HistoryPane::kBars, 1).substr(0, 17), "diciembre de 2026");
}

TEST(HistoryView, BarsAreLabelledWithTheYearWhenTheRangeHasMoreThanOne) {
  const ChartFont font{13, [](std::string_view t) { return static_cast<int>(t.size()) * 6; }};
  auto labels = [&font](const HistoryView& v) {
    std::vector<std::string> out;
    for (const ChartItem& i : v.Picture(HistoryPane::kBars, 3000, 300, font, false).items)
      if (i.kind == ChartItemKind::kText) out.push_back(i.text);
    return out;
  };
  auto has = [](const std::vector<std::string>& texts, const std::string& t) {
    return std::find(texts.begin(), texts.end(), t) != texts.end();
  };
  HistoryView v = View();
  EXPECT_TRUE(has(labels(v), "1 Dec"));
  v.SetRange(HistoryRange::kWhole);
  EXPECT_TRUE(has(labels(v), "5 Mar 2025"));
  v.SetGrouping(HistoryGrouping::kMonth);
  EXPECT_TRUE(has(labels(v), "Mar 2025"));
  EXPECT_TRUE(has(labels(v), "Apr"));
  EXPECT_TRUE(has(labels(v), "Jan 2026"));
}

TEST(HistoryView, HoursAreShownForMeasuresThatKeepThem) {
  const ChartFont font{13, [](std::string_view t) { return static_cast<int>(t.size()) * 6; }};
  const struct {
    HistoryMeasure m;
    const char* title;
    bool note;
  } cases[] = {
      {HistoryMeasure::kKeystrokes, "Hours of the day: Keystrokes", false},
      {HistoryMeasure::kRight, "Hours of the day: Clicks (all buttons)", false},
      {HistoryMeasure::kWheel, "Hours of the day", true},
      {HistoryMeasure::kActiveTime, "Hours of the day", true},
  };
  for (const auto& c : cases) {
    HistoryView v = View();
    v.SetMeasure(c.m);
    const ChartPicture p = v.Picture(HistoryPane::kHours, 500, 200, font, false);
    bool title = false, note = false;
    for (const ChartItem& i : p.items) {
      title = title || i.text == c.title;
      note = note || i.text == "The history keeps the hours of keystrokes and clicks only.";
    }
    EXPECT_TRUE(title) << c.title;
    EXPECT_EQ(note, c.note) << c.title;
    EXPECT_EQ(p.targets.size(), c.note ? 0u : 24u) << c.title;
  }
}

}  // namespace
}  // namespace quillo
