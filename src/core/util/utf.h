// UTF-8 (the core's text) <-> UTF-16 (the Win32 boundary) conversions.
#pragma once

#include <string>
#include <string_view>

namespace quillo {

std::u16string Utf8ToUtf16(std::string_view s);
std::string Utf16ToUtf8(std::u16string_view s);

}  // namespace quillo
