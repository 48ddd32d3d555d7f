// The counter export file: twelve scrambled decimal lines, the scrambling routines, and a reader
// that checks a whole file before anyone acts on it.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/counting/activity_counters.h"

namespace quillo {

inline constexpr char kExportFilter[] = "Quillomat Export Data (*.qlx)";
inline constexpr char kExportPattern[] = "*.qlx";
inline constexpr char kExportExtension[] = "qlx";
inline constexpr int32_t kExportSeed = 739;
inline constexpr int kExportLineCount = 12;
inline constexpr uint32_t kExportFormatMarker = 1;
// An export is at most 12 lines of 20 characters and a line end; anything far larger is not one,
// and is refused before it is read into memory.
inline constexpr size_t kExportFileSizeLimit = 4096;

// Moves each 16-bit code unit up by 1 to 16 (modulo 2^16), the offsets drawn from a linear
// congruential generator seeded with `seed` at every call; UnscrambleText moves them back.
std::u16string ScrambleText(std::u16string_view text, int32_t seed);
std::u16string UnscrambleText(std::u16string_view text, int32_t seed);

// The counters of lines 5 to 12, in the file's order (which is not the log's).
inline constexpr std::array<Counter, kCounterCount> kExportCounterOrder = {
    Counter::kKeystrokes, Counter::kLeft,   Counter::kRight,  Counter::kX1,
    Counter::kX2,         Counter::kMiddle, Counter::kDouble, Counter::kWheel};

// What an export holds. Each figure keeps the type it is written with, so that whatever an export
// writes, an import reads back exactly.
struct CounterFigures {
  int32_t marker = static_cast<int32_t>(kExportFormatMarker);
  int64_t distance = 0;  // whole inches
  uint32_t runSeconds = 0, idleSeconds = 0;
  std::array<uint32_t, kCounterCount> totals{};  // indexed by Counter, not by file order

  bool operator==(const CounterFigures&) const = default;
};

// The figures of an export taken now: totals are stored plus live (wrapping modulo 2^32), the
// distance rounded to whole inches with ties to even (a negative or unrepresentable distance,
// which only a tampered store can give, is written as 0 or the largest 64-bit figure).
CounterFigures CollectCounterFigures(const ActivityCounters& c);

// The twelve plain decimal texts, in the file's order.
std::array<std::string, kExportLineCount> ExportLines(const CounterFigures& f);
// The file's bytes: each line scrambled with the seed 739 and ended by CR LF (plain ASCII).
std::string ExportFileText(const CounterFigures& f);

// Why a file is not an export. `line` is 1 to 12 for a fault in one line, 0 for the whole file.
struct ImportProblem {
  int line = 0;
  std::string reason;
  std::string Message() const;
};

struct ImportResult {
  std::optional<CounterFigures> figures;  // set exactly when the file is valid
  ImportProblem problem;
};

// Checks a whole file: exactly twelve lines (CR LF, LF or CR between them, the last line end
// optional), each a decimal number once unscrambled, each within the range of its figure. A file
// saved again by an editor as UTF-8 or UTF-16 with a byte-order mark is read as its text.
ImportResult ParseExportFile(std::string_view bytes);

}  // namespace quillo
