// The activity log's line from what comes from outside: the locale's month name, the language's
// unit words, a stored distance (any text the store's float reader takes) and counters and times
// of any size. Whatever they are, the line is built without harm, every column is at least as
// wide as the header's, and the width counts UTF-16 code units as the log's 8-bit file does. An
// existing log only decides whether the header is written first.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>

#include "check.h"
#include "core/store/activity_log.h"
#include "core/store/log_format.h"
#include "core/util/numbers.h"
#include "core/util/utf.h"

namespace {

using namespace quillo;

struct MemoryLog : LogFile {
  std::string contents;
  bool Exists() override { return !contents.empty(); }
  std::optional<std::string> Append(std::string_view text) override {
    contents += text;
    return std::nullopt;
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  LogFigures f;
  f.when.year = in.ConsumeIntegralInRange(1900, 9999);
  f.when.month = in.ConsumeIntegralInRange(1, 12);
  f.when.day = in.ConsumeIntegralInRange(1, 31);
  f.when.hour = in.ConsumeIntegralInRange(0, 23);
  f.when.minute = in.ConsumeIntegralInRange(0, 59);
  f.when.second = in.ConsumeIntegralInRange(0, 59);
  f.runSeconds = in.ConsumeIntegral<uint32_t>();
  f.idleSeconds = in.ConsumeIntegral<uint32_t>();
  for (uint32_t& counter : f.counters) counter = in.ConsumeIntegral<uint32_t>();
  f.distmode = in.ConsumeBool();
  f.distance = ParseFloat(in.ConsumeRandomLengthString(40)).value_or(0);
  // The system and the language tables hand over text as UTF-16, which reaches the core as
  // well-formed UTF-8.
  const auto text = [&in] { return Utf16ToUtf8(Utf8ToUtf16(in.ConsumeRandomLengthString(16))); };
  f.month = text();
  f.milestring = text();
  f.yardstring = text();
  f.inchstring = text();
  const std::string existing = in.ConsumeRemainingBytesAsString();

  const std::string line = LogLine(f);
  // The month's name is written as the locale gives it: a shorter one than three characters
  // narrows the date, as it always has.
  const size_t monthWidth = LogWidth(f.month);
  FUZZ_CHECK(LogWidth(line) + (monthWidth < 3 ? 3 - monthWidth : 0) >= 224);
  FUZZ_CHECK(line.find_first_of("\r\n") == std::string::npos ||
             f.month.find_first_of("\r\n") != std::string::npos ||
             f.milestring.find_first_of("\r\n") != std::string::npos ||
             f.yardstring.find_first_of("\r\n") != std::string::npos ||
             f.inchstring.find_first_of("\r\n") != std::string::npos);
  for (const std::string* text : {&std::as_const(f.month), &std::as_const(f.milestring), &line}) {
    FUZZ_CHECK(LogWidth(*text) == Utf8ToUtf16(*text).size());
    for (const size_t width : {size_t{0}, size_t{9}, size_t{300}}) {
      const size_t expected = std::max(width, LogWidth(*text));
      FUZZ_CHECK(LogWidth(LogRight(*text, width)) == expected);
      FUZZ_CHECK(LogWidth(LogLeft(*text, width)) == expected);
    }
  }

  MemoryLog log;
  log.contents = existing;
  ActivityLog activity(log);
  const LogWriteResult written = activity.WriteLine(line);
  FUZZ_CHECK(written.written);
  const std::string header = existing.empty() ? std::string(kLogHeader) + "\r\n" : std::string();
  FUZZ_CHECK(log.contents == existing + header + line + "\r\n");
  return 0;
}
