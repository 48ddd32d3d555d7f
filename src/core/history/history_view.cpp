// The History window's state, its charts' inputs, hints and keyboard moves.
#include "core/history/history_view.h"

#include <algorithm>

#include "core/panel/history_texts.h"
#include "core/panel/main_window_texts.h"
#include "core/util/datetime.h"
#include "core/util/numbers.h"

namespace quillo {
namespace {

std::string Text(HistoryText row, int language) {
  return std::string(HistoryWindowText(row, language));
}

// French sets its colon apart.
std::string Colon(int language) {
  return language == kFrench ? " : " : ": ";
}

std::string TwoDigits(int v) {
  return PadLeft(std::to_string(v), '0', 2);
}

int DaysInMonth(int year, int month) {
  const int next = month == 12 ? DayNumber(year + 1, 1, 1) : DayNumber(year, month + 1, 1);
  return next - DayNumber(year, month, 1);
}

// The measure whose name and unit an hour series is shown with.
HistoryMeasure SeriesMeasure(HourSeries s) {
  return s == HourSeries::kKeystrokes ? HistoryMeasure::kKeystrokes : HistoryMeasure::kClicks;
}

}  // namespace

HistoryView::HistoryView(HistoryData history, int32_t today, int hour, HistoryViewOptions options)
    : history_(std::move(history)),
      today_(today),
      options_(std::move(options)),
      year_(YearOf(today)),
      day_(today),
      hour_(std::clamp(hour, 0, kHoursPerDay - 1)) {
  Recompute();
  bar_ = static_cast<int>(periods_.size()) - 1;
}

void HistoryView::Recompute() {
  span_ = RangeSpan(range_, today_, year_, history_);
  periods_ = GroupDays(history_, span_, grouping_, measure_, options_.firstWeekday);
  hours_ = HourTotals(history_, span_, HoursOf(measure_));
  bar_ = std::clamp(bar_, 0, std::max(0, static_cast<int>(periods_.size()) - 1));
}

bool HistoryView::UpdateToday(const DayRecord& today) {
  bool changed = false;
  const bool barWasLast = bar_ == static_cast<int>(periods_.size()) - 1;
  if (today.day != today_) {
    // Past midnight (or a clock set back): what followed today follows the new one.
    const bool followed = day_ == today_;
    today_ = today.day;
    if (followed || day_ > today_) {
      day_ = today_;
      year_ = YearOf(today_);
    }
    changed = true;
  }
  const auto it = history_.days.find(today.day);
  if (today.Empty()) {
    if (it != history_.days.end()) {
      history_.days.erase(it);
      changed = true;
    }
  } else if (it == history_.days.end() || !(it->second == today)) {
    history_.days[today.day] = today;
    changed = true;
  }
  if (!changed) return false;
  Recompute();
  if (barWasLast) bar_ = static_cast<int>(periods_.size()) - 1;
  return true;
}

void HistoryView::SetOptions(const HistoryViewOptions& options) {
  options_ = options;
  Recompute();
}

void HistoryView::SetMeasure(HistoryMeasure m) {
  measure_ = m;
  Recompute();
}

void HistoryView::SetGrouping(HistoryGrouping g) {
  grouping_ = g;
  Recompute();
  const int at = PeriodIndexOf(periods_, day_);
  bar_ = at >= 0 ? at : static_cast<int>(periods_.size()) - 1;
}

void HistoryView::SetRange(HistoryRange r) {
  range_ = r;
  Recompute();
  const int at = PeriodIndexOf(periods_, day_);
  bar_ = at >= 0 ? at : static_cast<int>(periods_.size()) - 1;
}

int32_t HistoryView::FirstDay() const {
  return history_.days.empty() ? today_ : std::min(history_.days.begin()->first, today_);
}

bool HistoryView::CanStepYear(int delta) const {
  const int to = year_ + delta;
  return to >= YearOf(FirstDay()) && to <= YearOf(today_);
}

bool HistoryView::StepYear(int delta) {
  if (delta == 0 || !CanStepYear(delta)) return false;
  const CivilDateTime d = CivilFromDayNumber(day_);
  const int to = year_ + delta;
  // The same date in that year (29 February becomes the 28th), within the history.
  const int32_t same = DayNumber(to, d.month, std::min(d.day, DaysInMonth(to, d.month)));
  SelectDay(std::clamp(same, FirstDay(), today_));
  return true;
}

void HistoryView::SelectDay(int32_t day) {
  day_ = day;
  const int year = YearOf(day);
  if (year != year_) {
    year_ = year;
    if (range_ == HistoryRange::kYear) Recompute();
  }
  const int at = PeriodIndexOf(periods_, day);
  if (at >= 0) bar_ = at;
}

int32_t HistoryView::Selected(HistoryPane pane) const {
  switch (pane) {
    case HistoryPane::kCalendar:
      return day_;
    case HistoryPane::kBars:
      return bar_;
    case HistoryPane::kHours:
      return hour_;
    case HistoryPane::kKeyboard:
      break;
  }
  return 0;
}

bool HistoryView::Select(HistoryPane pane, int32_t index) {
  switch (pane) {
    case HistoryPane::kCalendar:
      if (index > today_ || index < FirstDay()) return false;
      SelectDay(index);
      return true;
    case HistoryPane::kBars:
      if (index < 0 || index >= static_cast<int>(periods_.size())) return false;
      bar_ = index;
      return true;
    case HistoryPane::kHours:
      if (index < 0 || index >= kHoursPerDay) return false;
      hour_ = index;
      return true;
    case HistoryPane::kKeyboard:
      break;
  }
  return false;
}

bool HistoryView::Move(HistoryPane pane, ChartKey key) {
  if (pane == HistoryPane::kKeyboard) return false;
  if (pane == HistoryPane::kCalendar) {
    // The weeks are columns: across is a week, down a day.
    int32_t to = day_;
    switch (key) {
      case ChartKey::kLeft:
        to -= 7;
        break;
      case ChartKey::kRight:
        to += 7;
        break;
      case ChartKey::kUp:
        to -= 1;
        break;
      case ChartKey::kDown:
        to += 1;
        break;
      case ChartKey::kHome:
        to = std::max(NewYearsDay(year_), FirstDay());
        break;
      case ChartKey::kEnd:
        to = std::min(NewYearsDay(year_ + 1) - 1, today_);
        break;
      case ChartKey::kPageUp:
        return StepYear(-1);
      case ChartKey::kPageDown:
        return StepYear(1);
    }
    to = std::clamp(to, FirstDay(), today_);
    if (to == day_) return false;
    SelectDay(to);
    return true;
  }
  const int count = pane == HistoryPane::kBars ? static_cast<int>(periods_.size()) : kHoursPerDay;
  int& at = pane == HistoryPane::kBars ? bar_ : hour_;
  // A page is a week of days, a month of weeks, a year of months, a quarter of the day's hours.
  const int page = pane == HistoryPane::kHours           ? 6
                   : grouping_ == HistoryGrouping::kDay  ? 7
                   : grouping_ == HistoryGrouping::kWeek ? 4
                                                         : 12;
  int to = at;
  switch (key) {
    case ChartKey::kLeft:
    case ChartKey::kUp:
      to -= 1;
      break;
    case ChartKey::kRight:
    case ChartKey::kDown:
      to += 1;
      break;
    case ChartKey::kHome:
      to = 0;
      break;
    case ChartKey::kEnd:
      to = count - 1;
      break;
    case ChartKey::kPageUp:
      to -= page;
      break;
    case ChartKey::kPageDown:
      to += page;
      break;
  }
  to = std::clamp(to, 0, std::max(0, count - 1));
  if (to == at) return false;
  at = to;
  return true;
}

int HistoryView::CalendarHeight(int width, const ChartFont& font) const {
  return quillo::CalendarHeight(width, font, options_.language);
}

std::vector<std::string> HistoryView::BarLabels() const {
  std::vector<std::string> labels;
  labels.reserve(periods_.size());
  const int language = options_.language;
  // Days and weeks of more than one year carry the year, or "5 Nov" would name two days.
  const bool years = YearOf(span_.first) != YearOf(span_.last);
  for (size_t i = 0; i < periods_.size(); ++i) {
    const CivilDateTime d = CivilFromDayNumber(periods_[i].days.first);
    const std::string month(HistoryMonthName(d.month, true, language));
    if (grouping_ == HistoryGrouping::kMonth)
      labels.push_back(d.month == 1 || i == 0 ? month + " " + std::to_string(d.year) : month);
    else if (years)
      labels.push_back(std::to_string(d.day) + " " + month + " " + std::to_string(d.year));
    else
      labels.push_back(std::to_string(d.day) + " " + month);
  }
  return labels;
}

ChartPicture HistoryView::Picture(HistoryPane pane, int width, int height, const ChartFont& font,
                                  bool focused) const {
  if (pane == HistoryPane::kKeyboard) return {};
  if (pane == HistoryPane::kCalendar) {
    CalendarInput in;
    in.history = &history_;
    in.year = year_;
    in.firstDay = FirstDay();
    in.today = today_;
    in.selected = day_;
    in.focused = focused;
    in.measure = measure_;
    in.metric = options_.metric;
    in.style = options_.style;
    in.language = options_.language;
    in.firstWeekday = options_.firstWeekday;
    return DrawCalendar(in, width, font);
  }
  BarsInput in;
  in.focused = focused;
  in.metric = options_.metric;
  in.style = options_.style;
  in.language = options_.language;
  if (pane == HistoryPane::kBars) {
    for (const Period& p : periods_) in.values.push_back(p.value);
    in.labels = BarLabels();
    in.selected = bar_;
    in.measure = measure_;
    in.title = Text(MeasureName(measure_), options_.language);
  } else {
    const HourSeries series = HoursOf(measure_);
    in.values.assign(hours_.begin(), hours_.end());
    for (int h = 0; h < kHoursPerDay; ++h) in.labels.push_back(std::to_string(h));
    in.selected = hour_;
    in.measure = SeriesMeasure(series);
    in.title = Text(HistoryText::hoursOfDay, options_.language);
    if (series == HourSeries::kNone)
      in.note = Text(HistoryText::noHours, options_.language);
    else
      in.title += Colon(options_.language) + Text(MeasureName(in.measure), options_.language);
  }
  return DrawBars(in, width, height, font);
}

std::string HistoryView::DayText(int32_t day) const {
  return std::string(HistoryWeekdayName(WeekdayOf(day), options_.language)) + " " + IsoDate(day);
}

std::string HistoryView::PeriodText(const Period& p) const {
  switch (grouping_) {
    case HistoryGrouping::kDay:
      return DayText(p.days.first);
    case HistoryGrouping::kWeek:
      return IsoDate(p.days.first) + " \xE2\x80\x93 " + IsoDate(p.days.last);  // an en dash
    case HistoryGrouping::kMonth:
      break;
  }
  const CivilDateTime d = CivilFromDayNumber(p.days.first);
  return HistoryMonthYear(d.month, d.year, options_.language);
}

std::string HistoryView::Valued(const std::string& what, HistoryMeasure m, double figure) const {
  return what + " \xE2\x80\x94 " +  // an em dash
         Text(MeasureName(m), options_.language) + Colon(options_.language) +
         FormatMeasure(m, figure, options_.metric, options_.style, options_.language);
}

std::string HistoryView::Describe(HistoryPane pane, int32_t index) const {
  switch (pane) {
    case HistoryPane::kCalendar: {
      const auto it = history_.days.find(index);
      return Valued(DayText(index), measure_,
                    it == history_.days.end() ? 0 : MeasureOf(it->second, measure_));
    }
    case HistoryPane::kBars:
      if (index < 0 || index >= static_cast<int>(periods_.size())) return {};
      return Valued(PeriodText(periods_[static_cast<size_t>(index)]), measure_,
                    periods_[static_cast<size_t>(index)].value);
    case HistoryPane::kHours: {
      if (index < 0 || index >= kHoursPerDay) return {};
      const std::string hours =
          TwoDigits(index) + ":00\xE2\x80\x93" + TwoDigits((index + 1) % 24) + ":00";
      const HourSeries series = HoursOf(measure_);
      if (series == HourSeries::kNone) return hours;
      return Valued(hours, SeriesMeasure(series), hours_[static_cast<size_t>(index)]);
    }
    case HistoryPane::kKeyboard:
      break;
  }
  return {};
}

std::vector<std::string> HistoryView::MeasureChoices() const {
  std::vector<std::string> out;
  for (int m = 0; m < kHistoryMeasureCount; ++m) {
    const auto measure = static_cast<HistoryMeasure>(m);
    // The single buttons stand under "Clicks (all buttons)".
    const bool oneButton = measure >= HistoryMeasure::kLeft && measure <= HistoryMeasure::kX2;
    out.push_back((oneButton ? "    " : "") + Text(MeasureName(measure), options_.language));
  }
  return out;
}

std::vector<std::string> HistoryView::GroupingChoices() const {
  return {Text(HistoryText::day, options_.language), Text(HistoryText::week, options_.language),
          Text(HistoryText::month, options_.language)};
}

std::vector<std::string> HistoryView::RangeChoices() const {
  const int l = options_.language;
  return {Text(HistoryText::last30Days, l), Text(HistoryText::last12Months, l),
          HistoryTextWith(HistoryText::yearOf, l, std::to_string(year_)),
          Text(HistoryText::wholeHistory, l)};
}

}  // namespace quillo
