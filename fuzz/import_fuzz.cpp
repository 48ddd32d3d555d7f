// The counter import file: whatever a file holds, the reader either refuses it with a reason or
// takes figures that an export writes back and an import reads again unchanged; and any figures
// exported import as themselves.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "check.h"
#include "core/store/counter_export.h"

namespace {

void CheckExportsBack(const quillo::CounterFigures& f) {
  const quillo::ImportResult again = quillo::ParseExportFile(quillo::ExportFileText(f));
  FUZZ_CHECK(again.figures.has_value());
  FUZZ_CHECK(*again.figures == f);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);

  const quillo::ImportResult r = quillo::ParseExportFile(bytes);
  if (r.figures) {
    FUZZ_CHECK(r.figures->distance >= 0);
    CheckExportsBack(*r.figures);
  } else {
    FUZZ_CHECK(!r.problem.Message().empty());
    FUZZ_CHECK(r.problem.line >= 0 && r.problem.line <= quillo::kExportLineCount);
  }

  // The same bytes as figures: every figure of its type exports and imports as itself (a
  // negative distance is never written, so it is not one).
  quillo::CounterFigures f;
  constexpr size_t kFigureBytes = 4 + 8 + 4 + 4 + 4 * quillo::kCounterCount;
  if (size >= kFigureBytes) {
    const uint8_t* p = data;
    std::memcpy(&f.marker, p, 4), p += 4;
    std::memcpy(&f.distance, p, 8), p += 8;
    std::memcpy(&f.runSeconds, p, 4), p += 4;
    std::memcpy(&f.idleSeconds, p, 4), p += 4;
    std::memcpy(f.totals.data(), p, 4 * quillo::kCounterCount);
    if (f.distance < 0) f.distance = -(f.distance + 1);
    CheckExportsBack(f);
  }

  // Scrambling is undone by unscrambling, for any text and seed.
  std::u16string text;
  for (size_t i = 0; i + 1 < size; i += 2)
    text.push_back(static_cast<char16_t>(data[i] | data[i + 1] << 8));
  int32_t seed = quillo::kExportSeed;
  if (size >= 4) std::memcpy(&seed, data, 4);
  FUZZ_CHECK(quillo::UnscrambleText(quillo::ScrambleText(text, seed), seed) == text);
  return 0;
}
