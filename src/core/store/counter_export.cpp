// Scrambling, writing and checking the counter export file.
#include "core/store/counter_export.h"

#include <cmath>
#include <limits>
#include <vector>

#include "core/util/numbers.h"

namespace quillo {
namespace {

// The generator: S := S * 134775813 + 1 (mod 2^32); each draw yields the top four bits of S.
class Offsets {
 public:
  explicit Offsets(int32_t seed) : s_(static_cast<uint32_t>(seed)) {}
  char16_t Next() {
    s_ = s_ * 134775813u + 1u;
    return static_cast<char16_t>((s_ >> 28) + 1);
  }

 private:
  uint32_t s_;
};

struct LineRule {
  const char* what;
  int64_t min;
  uint64_t max;
};

constexpr uint64_t kU32Max = std::numeric_limits<uint32_t>::max();
constexpr LineRule kLineRules[kExportLineCount] = {
    {"the format marker", std::numeric_limits<int32_t>::min(),
     static_cast<uint64_t>(std::numeric_limits<int32_t>::max())},
    {"the distance in inches", 0, static_cast<uint64_t>(std::numeric_limits<int64_t>::max())},
    {"the running time in seconds", 0, kU32Max},
    {"the idle time in seconds", 0, kU32Max},
    {"the keystrokes total", 0, kU32Max},
    {"the left-button total", 0, kU32Max},
    {"the right-button total", 0, kU32Max},
    {"the X1-button total", 0, kU32Max},
    {"the X2-button total", 0, kU32Max},
    {"the middle-button total", 0, kU32Max},
    {"the double-click total", 0, kU32Max},
    {"the wheel total", 0, kU32Max},
};

// A decimal integer with an optional minus sign: its sign and magnitude, or nullopt when the
// text is something else. `overflow` is set when the magnitude exceeds 64 bits.
struct Decimal {
  bool negative = false;
  uint64_t magnitude = 0;
  bool overflow = false;
};

std::optional<Decimal> ParseDecimal(std::u16string_view t) {
  Decimal d;
  size_t i = 0;
  if (!t.empty() && t[0] == u'-') d.negative = true, i = 1;
  if (i == t.size()) return std::nullopt;
  for (; i < t.size(); ++i) {
    if (t[i] < u'0' || t[i] > u'9') return std::nullopt;
    const uint64_t digit = static_cast<uint64_t>(t[i] - u'0');
    if (d.magnitude > (std::numeric_limits<uint64_t>::max() - digit) / 10) d.overflow = true;
    if (!d.overflow) d.magnitude = d.magnitude * 10 + digit;
  }
  return d;
}

// A number as the message shows it (only called for a sign and digits); a very long one is cut.
std::string AsText(std::u16string_view t) {
  constexpr size_t kShown = 24;
  std::string out;
  for (char16_t c : t.substr(0, kShown)) out += static_cast<char>(c);
  if (t.size() > kShown) out += "...";
  return out;
}

ImportResult Problem(int line, std::string reason) {
  ImportResult r;
  r.problem = {line, std::move(reason)};
  return r;
}

// The file's text as 16-bit code units. An export is plain ASCII, but an editor that saved it
// again may have written it as UTF-8 or UTF-16 with a byte-order mark: the mark is taken off and
// UTF-16 read as such. Otherwise each byte becomes the code unit of the same value: in any ANSI
// code page a byte of 0x80 or more stands for a character of 0x80 or more, which no unscrambling
// turns into a digit, so a foreign byte fails the same way. Nothing for UTF-16 cut off in the
// middle of a code unit.
std::optional<std::u16string> CodeUnits(std::string_view bytes) {
  auto byte = [&bytes](size_t i) { return static_cast<unsigned char>(bytes[i]); };
  const bool littleEndian = bytes.size() >= 2 && byte(0) == 0xFF && byte(1) == 0xFE;
  const bool bigEndian = bytes.size() >= 2 && byte(0) == 0xFE && byte(1) == 0xFF;
  std::u16string units;
  if (littleEndian || bigEndian) {
    if (bytes.size() % 2 != 0) return std::nullopt;
    for (size_t i = 2; i < bytes.size(); i += 2)
      units.push_back(static_cast<char16_t>(littleEndian ? byte(i) | byte(i + 1) << 8
                                                         : byte(i) << 8 | byte(i + 1)));
    return units;
  }
  if (bytes.size() >= 3 && byte(0) == 0xEF && byte(1) == 0xBB && byte(2) == 0xBF)
    bytes.remove_prefix(3);
  for (size_t i = 0; i < bytes.size(); ++i) units.push_back(static_cast<char16_t>(byte(i)));
  return units;
}

// The lines of the text, split at CR LF, LF or CR; the last line end is optional.
std::vector<std::u16string> SplitLines(std::u16string_view text) {
  std::vector<std::u16string> lines;
  std::u16string current;
  bool open = false;  // characters since the last line end
  for (size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c == u'\r' || c == u'\n') {
      lines.push_back(std::move(current));
      current.clear();
      open = false;
      if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
    } else {
      current.push_back(c);
      open = true;
    }
  }
  if (open) lines.push_back(std::move(current));
  return lines;
}

}  // namespace

std::u16string ScrambleText(std::u16string_view text, int32_t seed) {
  Offsets offsets(seed);
  std::u16string out(text);
  for (char16_t& c : out) c = static_cast<char16_t>(c + offsets.Next());
  return out;
}

std::u16string UnscrambleText(std::u16string_view text, int32_t seed) {
  Offsets offsets(seed);
  std::u16string out(text);
  for (char16_t& c : out) c = static_cast<char16_t>(c - offsets.Next());
  return out;
}

CounterFigures CollectCounterFigures(const ActivityCounters& c) {
  CounterFigures f;
  const double inches = RoundHalfEven(c.totalDistance);
  if (!(inches > 0))
    f.distance = 0;  // also a NaN
  else if (inches >= 9223372036854775808.0)
    f.distance = std::numeric_limits<int64_t>::max();
  else
    f.distance = static_cast<int64_t>(inches);
  f.runSeconds = c.histRunSeconds + c.liveRunSeconds;
  f.idleSeconds = c.histIdleSeconds + c.liveIdleSeconds;
  for (Counter counter : kAllCounters) f.totals[static_cast<int>(counter)] = c.Total(counter);
  return f;
}

std::array<std::string, kExportLineCount> ExportLines(const CounterFigures& f) {
  std::array<std::string, kExportLineCount> lines;
  lines[0] = std::to_string(f.marker);
  lines[1] = std::to_string(f.distance);
  lines[2] = std::to_string(f.runSeconds);
  lines[3] = std::to_string(f.idleSeconds);
  for (int i = 0; i < kCounterCount; ++i)
    lines[4 + i] = std::to_string(f.totals[static_cast<int>(kExportCounterOrder[i])]);
  return lines;
}

std::string ExportFileText(const CounterFigures& f) {
  std::string out;
  for (const std::string& line : ExportLines(f)) {
    std::u16string units(line.begin(), line.end());
    for (char16_t c : ScrambleText(units, kExportSeed)) out += static_cast<char>(c);
    out += "\r\n";
  }
  return out;
}

std::string ImportProblem::Message() const {
  if (line < 1 || line > kExportLineCount) return reason;
  return "Line " + std::to_string(line) + " (" + kLineRules[line - 1].what + ") " + reason;
}

ImportResult ParseExportFile(std::string_view bytes) {
  const std::optional<std::u16string> text = CodeUnits(bytes);
  if (!text) return Problem(0, "The file ends in the middle of a character.");
  if (text->empty()) return Problem(0, "The file is empty.");
  const std::vector<std::u16string> lines = SplitLines(*text);
  if (lines.size() != kExportLineCount)
    return Problem(0, "The file has " + std::to_string(lines.size()) +
                          (lines.size() == 1 ? " line" : " lines") +
                          "; a counter export has exactly 12.");

  std::array<int64_t, kExportLineCount> values{};
  for (int i = 0; i < kExportLineCount; ++i) {
    const std::u16string plain = UnscrambleText(lines[i], kExportSeed);
    if (plain.empty()) return Problem(i + 1, "is empty.");
    const auto d = ParseDecimal(plain);
    if (!d) return Problem(i + 1, "is not a number.");
    const LineRule& rule = kLineRules[i];
    if (d->negative && d->magnitude != 0 &&
        (rule.min == 0 || d->overflow || d->magnitude > static_cast<uint64_t>(-(rule.min + 1)) + 1))
      return Problem(i + 1, rule.min == 0 ? "is negative (" + AsText(plain) + ")."
                                          : "is too small (" + AsText(plain) + ").");
    if (!d->negative && (d->overflow || d->magnitude > rule.max))
      return Problem(
          i + 1, "is too large (" + AsText(plain) + "; at most " + std::to_string(rule.max) + ").");
    values[i] =
        d->negative ? -static_cast<int64_t>(d->magnitude) : static_cast<int64_t>(d->magnitude);
  }

  CounterFigures f;
  f.marker = static_cast<int32_t>(values[0]);
  f.distance = values[1];
  f.runSeconds = static_cast<uint32_t>(values[2]);
  f.idleSeconds = static_cast<uint32_t>(values[3]);
  for (int i = 0; i < kCounterCount; ++i)
    f.totals[static_cast<int>(kExportCounterOrder[i])] = static_cast<uint32_t>(values[4 + i]);
  ImportResult r;
  r.figures = f;
  return r;
}

}  // namespace quillo
