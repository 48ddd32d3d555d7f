// Form encoding on 16-bit code units.
#include "core/online/form_encoding.h"

#include <cstdint>

#include "core/util/utf.h"

namespace quillo {
namespace {

bool CopiedUnchanged(char16_t c) {
  if ((c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9')) return true;
  switch (c) {
    case u'!':
    case u'$':
    case u'\'':
    case u'(':
    case u')':
    case u'*':
    case u'-':
    case u'.':
    case u'@':
    case u'_':
      return true;
    default:
      return false;
  }
}

void AppendPercent(std::string& out, uint8_t byte) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  out += '%';
  out += kHex[byte >> 4];
  out += kHex[byte & 0x0F];
}

}  // namespace

std::string FormEncode(std::u16string_view text) {
  std::string out;
  out.reserve(text.size() * 3);
  for (size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (CopiedUnchanged(c)) {
      out += static_cast<char>(c);
    } else if (c == u' ') {
      out += '+';
    } else if (c < 0x80) {
      AppendPercent(out, static_cast<uint8_t>(c));
    } else {
      // A high surrogate followed by a low one is one character; Utf16ToUtf8 turns a lone
      // surrogate into U+FFFD.
      size_t units = 1;
      if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
          text[i + 1] <= 0xDFFF)
        units = 2;
      for (const char byte : Utf16ToUtf8(text.substr(i, units)))
        AppendPercent(out, static_cast<uint8_t>(byte));
      i += units - 1;
    }
  }
  return out;
}

std::string FormEncode(std::string_view utf8) {
  return FormEncode(std::u16string_view(Utf8ToUtf16(utf8)));
}

}  // namespace quillo
