// Text-to-cell layout of the segment indicator.
#include "core/indicator/cell_layout.h"

#include <algorithm>
#include <cstdint>

namespace quillo::indicator {

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

void LayoutCells(std::string_view text, int signNumber, IAIndicatorKind kind, Cells& cells) {
  const std::size_t n = std::size_t(std::max(signNumber, 0));
  cells.clear();
  thread_local std::u16string units;
  units.clear();
  AppendUtf16Units(text, units);

  const auto isPoint = [](char16_t c) { return c == u'.' || c == u','; };
  const bool joinPoints = kind != IAIndicatorKind::ik5x7matrix;
  for (std::size_t i = 0; i < units.size(); ++i) {
    const char16_t c = units[i];
    // A point straight after a character belongs to that character's cell, even when that
    // cell is the last one shown.
    if (joinPoints && isPoint(c) && i > 0 && !isPoint(units[i - 1]) && !cells.empty()) {
      cells.back().point = true;
      continue;
    }
    if (cells.size() == n) break;
    cells.push_back({c, false});
  }
  cells.insert(cells.begin(), n - cells.size(), Cell{});
}

}  // namespace quillo::indicator
