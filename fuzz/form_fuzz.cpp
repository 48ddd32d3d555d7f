// The submission's form encoding: only the characters a form value may hold come out, and
// decoding them gives back the text's UTF-8 (a lone surrogate as U+FFFD).
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "check.h"
#include "core/online/form_encoding.h"
#include "core/util/utf.h"

namespace {

// The receiving side's decoding: "+" a space, "%XX" a byte; nothing for anything a form value
// may not hold.
std::optional<std::string> FormDecode(std::string_view encoded) {
  const auto hex = [](char c) -> int {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
  };
  std::string out;
  for (size_t i = 0; i < encoded.size(); ++i) {
    const char c = encoded[i];
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
        std::string_view("!$'()*-.@_").find(c) != std::string_view::npos) {
      out += c;
    } else if (c == '+') {
      out += ' ';
    } else if (c == '%' && i + 2 < encoded.size() && hex(encoded[i + 1]) >= 0 &&
               hex(encoded[i + 2]) >= 0) {
      out += static_cast<char>(hex(encoded[i + 1]) * 16 + hex(encoded[i + 2]));
      i += 2;
    } else {
      return std::nullopt;
    }
  }
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);

  const std::string encoded = quillo::FormEncode(bytes);
  const auto decoded = FormDecode(encoded);
  FUZZ_CHECK(decoded.has_value());
  FUZZ_CHECK(*decoded == quillo::Utf16ToUtf8(quillo::Utf8ToUtf16(bytes)));

  std::u16string units;
  for (size_t i = 0; i + 1 < size; i += 2)
    units.push_back(static_cast<char16_t>(data[i] | data[i + 1] << 8));
  const std::string encodedUnits = quillo::FormEncode(std::u16string_view(units));
  const auto decodedUnits = FormDecode(encodedUnits);
  FUZZ_CHECK(decodedUnits.has_value());
  FUZZ_CHECK(*decodedUnits == quillo::Utf16ToUtf8(units));
  return 0;
}
