// The day record's text line.
#include "core/history/day_record.h"

#include <charconv>
#include <cstdio>
#include <vector>

#include "core/util/datetime.h"

namespace quillo {
namespace {

// The counters in the order of the line's columns (not the canonical order).
constexpr std::array<Counter, kCounterCount> kColumns = {
    Counter::kKeystrokes, Counter::kLeft, Counter::kRight,  Counter::kMiddle,
    Counter::kX1,         Counter::kX2,   Counter::kDouble, Counter::kWheel};
constexpr std::array<Counter, 5> kButtons = {Counter::kLeft, Counter::kRight, Counter::kMiddle,
                                             Counter::kX1, Counter::kX2};
// A line of the first version ends after the hours; the current one has the keys and places too.
constexpr size_t kCountFields = 1 + kCounterCount + 3 + 2 * kHoursPerDay;
constexpr size_t kFieldCount = kCountFields + 2;

const std::string& Header() {
  static const std::string header = [] {
    std::string h =
        "date,keystrokes,left,right,middle,x1,x2,double,wheel,distance_inches,running_seconds,"
        "idle_seconds";
    char column[16];
    for (const char* kind : {"keys", "clicks"})
      for (int hour = 0; hour < kHoursPerDay; ++hour) {
        std::snprintf(column, sizeof column, ",%s_%02d", kind, hour);
        h += column;
      }
    return h + ",keys,clicks";
  }();
  return header;
}

std::optional<uint64_t> Whole(std::string_view t) {
  uint64_t v = 0;
  if (t.empty() || t.size() > 20) return std::nullopt;
  const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
  if (ec != std::errc() || end != t.data() + t.size()) return std::nullopt;
  return v;
}

// Digits, optionally a dot and more digits: the distance as this file writes it.
std::optional<double> Decimal(std::string_view t) {
  const size_t dot = t.find('.');
  if (!Whole(t.substr(0, dot))) return std::nullopt;
  if (dot != std::string_view::npos && !Whole(t.substr(dot + 1))) return std::nullopt;
  double v = 0;
  const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
  if (ec != std::errc() || end != t.data() + t.size()) return std::nullopt;
  return v;
}

}  // namespace

uint64_t DayRecord::Clicks() const {
  uint64_t sum = 0;
  for (Counter b : kButtons) sum += Count(b);
  return sum;
}

bool DayRecord::Empty() const {
  for (uint64_t c : counts)
    if (c != 0) return false;
  return !(distance > 0) && runningSeconds == 0 && idleSeconds == 0 && places.Empty();
}

void DayRecord::Add(const DayRecord& o) {
  for (size_t i = 0; i < counts.size(); ++i) counts[i] += o.counts[i];
  distance += o.distance;
  runningSeconds += o.runningSeconds;
  idleSeconds += o.idleSeconds;
  for (int h = 0; h < kHoursPerDay; ++h) {
    hourKeystrokes[h] += o.hourKeystrokes[h];
    hourClicks[h] += o.hourClicks[h];
  }
  places.Add(o.places);
}

std::string_view DayRecordHeader() {
  return Header();
}

std::string IsoDate(int32_t day) {
  const CivilDateTime t = CivilFromDayNumber(day);
  char buf[24];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", t.year, t.month, t.day);
  return buf;
}

std::optional<int32_t> ParseIsoDate(std::string_view t) {
  if (t.size() != 10 || t[4] != '-' || t[7] != '-') return std::nullopt;
  const auto y = Whole(t.substr(0, 4)), m = Whole(t.substr(5, 2)), d = Whole(t.substr(8, 2));
  if (!y || !m || !d || *y < 1900 || *m < 1 || *m > 12 || *d < 1 || *d > 31) return std::nullopt;
  const int32_t day = DayNumber(static_cast<int>(*y), static_cast<int>(*m), static_cast<int>(*d));
  // 31 February is no date: it would come back as another one.
  if (IsoDate(day) != t) return std::nullopt;
  return day;
}

std::string FormatDayRecord(const DayRecord& r) {
  std::string line = IsoDate(r.day);
  auto field = [&line](uint64_t v) {
    line += ',';
    line += std::to_string(v);
  };
  for (Counter c : kColumns) field(r.Count(c));
  char distance[64];
  std::snprintf(distance, sizeof distance, ",%.3f", r.distance > 0 ? r.distance : 0.0);
  line += distance;
  field(r.runningSeconds);
  field(r.idleSeconds);
  for (uint64_t v : r.hourKeystrokes) field(v);
  for (uint64_t v : r.hourClicks) field(v);
  line += ',';
  line += FormatKeysField(r.places);
  line += ',';
  line += FormatClicksField(r.places);
  return line;
}

DayRecord RecordWith(DayRecord r, RecordParts parts) {
  if (parts != RecordParts::kAll) r.places.monitors.clear();
  if (parts == RecordParts::kCounts) r.places.keys.clear();
  return r;
}

std::optional<DayRecord> ParseDayRecord(std::string_view line, RecordParts parts) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  std::vector<std::string_view> f;
  f.reserve(kFieldCount);
  for (size_t start = 0;;) {
    const size_t comma = line.find(',', start);
    f.push_back(line.substr(start, comma == std::string_view::npos ? line.npos : comma - start));
    if (comma == std::string_view::npos || f.size() > kFieldCount) break;
    start = comma + 1;
  }
  if (f.size() != kCountFields && f.size() != kFieldCount) return std::nullopt;
  DayRecord r;
  const auto day = ParseIsoDate(f[0]);
  if (!day) return std::nullopt;
  r.day = *day;
  size_t i = 1;
  for (Counter c : kColumns) {
    const auto v = Whole(f[i++]);
    if (!v) return std::nullopt;
    r.counts[static_cast<size_t>(c)] = *v;
  }
  const auto distance = Decimal(f[i++]);
  const auto running = Whole(f[i++]), idle = Whole(f[i++]);
  if (!distance || !running || !idle) return std::nullopt;
  r.distance = *distance;
  r.runningSeconds = *running;
  r.idleSeconds = *idle;
  for (auto* hours : {&r.hourKeystrokes, &r.hourClicks})
    for (uint64_t& v : *hours) {
      const auto h = Whole(f[i++]);
      if (!h) return std::nullopt;
      v = *h;
    }
  if (f.size() == kFieldCount) {
    if (parts != RecordParts::kCounts && !ParseKeysField(f[kCountFields], r.places))
      return std::nullopt;
    if (parts == RecordParts::kAll && !ParseClicksField(f[kCountFields + 1], r.places))
      return std::nullopt;
  }
  return r;
}

}  // namespace quillo
