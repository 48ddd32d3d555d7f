// UTF-8 (the core's text) <-> UTF-16 (the Win32 boundary) conversions.
#pragma once

#include <string>
#include <string_view>

namespace quillo {

std::u16string Utf8ToUtf16(std::string_view s);
// Appends the UTF-16 code units of `utf8` to `out` (no allocation when `out` has room).
void AppendUtf16Units(std::string_view utf8, std::u16string& out);
std::string Utf16ToUtf8(std::u16string_view s);

}  // namespace quillo
