// The update check's version file: any reply is read without harm, its lines hold no line ends,
// a value is at most 255 UTF-16 code units and holds no double quote, version numbers read as
// they are written, and the verdict agrees with the numbers.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "check.h"
#include "core/app/version.h"
#include "core/online/version_file.h"
#include "core/util/utf.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);

  const std::vector<std::string> lines = quillo::SplitLines(text);
  size_t kept = 0;
  for (const std::string& line : lines) {
    FUZZ_CHECK(line.find_first_of("\r\n") == std::string::npos);
    kept += line.size();
    const std::string value = quillo::ContentValue(line);
    FUZZ_CHECK(value.find('"') == std::string::npos);
    FUZZ_CHECK(quillo::Utf8ToUtf16(value).size() <= 255);
  }
  FUZZ_CHECK(lines.size() <= size);
  size_t breaks = 0;
  for (const char c : text) breaks += c == '\r' || c == '\n';
  FUZZ_CHECK(kept + breaks == size);

  constexpr std::string_view kCurrent = quillo::kVersion;
  const auto state = quillo::EvaluateVersionFile(text, kCurrent);
  if (state) {
    FUZZ_CHECK(!state->version.empty());
    FUZZ_CHECK(state->version == quillo::FindContentValue(lines, "xVersion"));
    const int32_t major = quillo::MajorOf(state->version), minor = quillo::MinorOf(state->version);
    const bool newer = major > 14 || (major == 14 && minor > 1);
    FUZZ_CHECK(state->showDownload == newer);
  }

  // Version numbers: what is written as "<major>.<minor>" reads back as those numbers.
  if (size >= 8) {
    int32_t major = 0, minor = 0;
    __builtin_memcpy(&major, data, 4);
    __builtin_memcpy(&minor, data + 4, 4);
    const std::string written = std::to_string(major) + "." + std::to_string(minor);
    FUZZ_CHECK(quillo::MajorOf(written) == major);
    FUZZ_CHECK(quillo::MinorOf(written) == minor);
  }
  // A part that is not a sign and digits is 0.
  const std::string_view part = text.substr(0, text.find('.'));
  if (part.find_first_not_of("+-0123456789") != std::string_view::npos &&
      text.find('.') != std::string_view::npos)
    FUZZ_CHECK(quillo::MajorOf(text) == 0);
  return 0;
}
