// The UTF-8 <-> UTF-16 conversions: any bytes convert, well-formed text comes back unchanged, and
// what either side produces is well-formed.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "check.h"
#include "core/util/utf.h"

namespace {

// Well-formed UTF-8 by the standard's table (no overlong forms, no surrogates, nothing past
// U+10FFFF), written independently of the code under test.
bool WellFormedUtf8(std::string_view s) {
  for (size_t i = 0; i < s.size();) {
    const auto b = [&](size_t k) { return static_cast<uint8_t>(s[k]); };
    const uint8_t c = b(i);
    size_t n = 0;
    uint8_t lo = 0x80, hi = 0xBF;
    if (c < 0x80)
      n = 0;
    else if (c >= 0xC2 && c <= 0xDF)
      n = 1;
    else if (c == 0xE0)
      n = 2, lo = 0xA0;
    else if (c >= 0xE1 && c <= 0xEC)
      n = 2;
    else if (c == 0xED)
      n = 2, hi = 0x9F;
    else if (c >= 0xEE && c <= 0xEF)
      n = 2;
    else if (c == 0xF0)
      n = 3, lo = 0x90;
    else if (c >= 0xF1 && c <= 0xF3)
      n = 3;
    else if (c == 0xF4)
      n = 3, hi = 0x8F;
    else
      return false;
    if (n > 0 && i + n >= s.size()) return false;
    for (size_t k = 1; k <= n; ++k) {
      const uint8_t t = b(i + k);
      if (t < (k == 1 ? lo : 0x80) || t > (k == 1 ? hi : 0xBF)) return false;
    }
    i += n + 1;
  }
  return true;
}

bool NoLoneSurrogate(std::u16string_view u) {
  for (size_t i = 0; i < u.size(); ++i) {
    if (u[i] >= 0xD800 && u[i] <= 0xDBFF) {
      if (i + 1 == u.size() || u[i + 1] < 0xDC00 || u[i + 1] > 0xDFFF) return false;
      ++i;
    } else if (u[i] >= 0xDC00 && u[i] <= 0xDFFF) {
      return false;
    }
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);

  // The bytes as UTF-8.
  const std::u16string units = quillo::Utf8ToUtf16(bytes);
  FUZZ_CHECK(NoLoneSurrogate(units));
  FUZZ_CHECK(units.size() <= bytes.size());
  std::u16string appended = u"x";
  quillo::AppendUtf16Units(bytes, appended);
  FUZZ_CHECK(appended == u"x" + units);
  const std::string back = quillo::Utf16ToUtf8(units);
  FUZZ_CHECK(WellFormedUtf8(back));
  if (WellFormedUtf8(bytes)) FUZZ_CHECK(back == bytes);
  // Replacing the ill-formed parts once is final.
  FUZZ_CHECK(quillo::Utf8ToUtf16(back) == units);

  // The bytes as UTF-16 code units (little-endian pairs).
  std::u16string raw;
  for (size_t i = 0; i + 1 < size; i += 2)
    raw.push_back(static_cast<char16_t>(data[i] | data[i + 1] << 8));
  const std::string utf8 = quillo::Utf16ToUtf8(raw);
  FUZZ_CHECK(WellFormedUtf8(utf8));
  const std::u16string again = quillo::Utf8ToUtf16(utf8);
  FUZZ_CHECK(again.size() == raw.size());
  if (NoLoneSurrogate(raw)) FUZZ_CHECK(again == raw);
  return 0;
}
