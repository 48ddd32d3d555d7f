// The history's files: any text reads without harm; every line is either a day or noted as
// damaged; a day read is written back as a line that reads as the same day; reading fewer parts
// gives the same day without them; and a day outside the range asked for is not read.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "check.h"
#include "core/history/day_record.h"
#include "core/history/history_data.h"

namespace {

using namespace quillo;

// What one line reads as, written and read again: the second reading must equal the first.
void CheckLine(std::string_view line) {
  const auto all = ParseDayRecord(line, RecordParts::kAll);
  if (!all) return;
  const std::string written = FormatDayRecord(*all);
  const auto again = ParseDayRecord(written, RecordParts::kAll);
  FUZZ_CHECK(again.has_value());
  // The distance is written with three decimals, so compare from the written line on.
  FUZZ_CHECK(FormatDayRecord(*again) == written);
  FUZZ_CHECK(again->places == all->places);
  FUZZ_CHECK(again->counts == all->counts);
  for (const RecordParts parts : {RecordParts::kCounts, RecordParts::kCountsAndKeys}) {
    const auto fewer = ParseDayRecord(line, parts);
    FUZZ_CHECK(fewer.has_value());
    FUZZ_CHECK(*fewer == RecordWith(*all, parts));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);

  for (std::string_view rest = text; !rest.empty();) {
    const size_t end = rest.find('\n');
    CheckLine(rest.substr(0, end));
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
  }

  HistoryData history;
  AddHistoryText(text, "history.csv", history);
  size_t lines = 0;
  for (std::string_view rest = text; !rest.empty(); ++lines) {
    const size_t end = rest.find('\n');
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
  }
  FUZZ_CHECK(history.damaged.size() <= lines);
  for (const auto& [day, record] : history.days) {
    FUZZ_CHECK(record.day == day);
    FUZZ_CHECK(!record.Empty());
    FUZZ_CHECK(ParseIsoDate(IsoDate(day)) == day);
  }

  // A range: the days read are those of the whole reading within it, no more.
  if (!history.days.empty()) {
    const int32_t middle = history.days.begin()->first;
    HistoryRead read;
    read.from = middle;
    read.to = middle;
    HistoryData one;
    AddHistoryText(text, "history.csv", one, read);
    FUZZ_CHECK(one.days.size() == 1);
    FUZZ_CHECK(one.days.begin()->second == history.days.begin()->second);
  }
  return 0;
}
