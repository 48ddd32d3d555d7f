// Hand-rolled UTF-8/UTF-16 conversion: ill-formed input (overlong forms, surrogates, stray
// bytes) becomes U+FFFD rather than failing.
#include "core/util/utf.h"

#include <cstdint>

namespace quillo {

void AppendUtf16Units(std::string_view s, std::u16string& out) {
  const auto byte = [&](std::size_t i) { return std::uint8_t(s[i]); };
  const auto continuation = [&](std::size_t i) { return i < s.size() && (byte(i) & 0xC0) == 0x80; };
  for (std::size_t i = 0; i < s.size();) {
    const std::uint8_t b = byte(i);
    char32_t cp = 0xFFFD;
    std::size_t len = 1;
    if (b < 0x80) {
      cp = b;
    } else if (b >= 0xC2 && b < 0xE0 && continuation(i + 1)) {
      cp = char32_t(b & 0x1F) << 6 | (byte(i + 1) & 0x3F);
      len = 2;
    } else if (b >= 0xE0 && b < 0xF0 && continuation(i + 1) && continuation(i + 2)) {
      const char32_t c =
          char32_t(b & 0x0F) << 12 | char32_t(byte(i + 1) & 0x3F) << 6 | (byte(i + 2) & 0x3F);
      if (c >= 0x800 && (c < 0xD800 || c > 0xDFFF)) {
        cp = c;
        len = 3;
      }
    } else if (b >= 0xF0 && b < 0xF5 && continuation(i + 1) && continuation(i + 2) &&
               continuation(i + 3)) {
      const char32_t c = char32_t(b & 0x07) << 18 | char32_t(byte(i + 1) & 0x3F) << 12 |
                         char32_t(byte(i + 2) & 0x3F) << 6 | (byte(i + 3) & 0x3F);
      if (c >= 0x10000 && c <= 0x10FFFF) {
        cp = c;
        len = 4;
      }
    }
    if (cp >= 0x10000) {
      out.push_back(char16_t(0xD800 + ((cp - 0x10000) >> 10)));
      out.push_back(char16_t(0xDC00 + ((cp - 0x10000) & 0x3FF)));
    } else {
      out.push_back(char16_t(cp));
    }
    i += len;
  }
}

std::u16string Utf8ToUtf16(std::string_view s) {
  std::u16string out;
  out.reserve(s.size());
  AppendUtf16Units(s, out);
  return out;
}

std::string Utf16ToUtf8(std::u16string_view s) {
  std::string out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size(); ++i) {
    uint32_t cp = s[i];
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 &&
        s[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (s[i + 1] - 0xDC00);
      ++i;
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      cp = 0xFFFD;
    }
    if (cp < 0x80) {
      out += static_cast<char>(cp);
    } else if (cp < 0x800) {
      out += static_cast<char>(0xC0 | (cp >> 6));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
      out += static_cast<char>(0xE0 | (cp >> 12));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (cp >> 18));
      out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    }
  }
  return out;
}

}  // namespace quillo
