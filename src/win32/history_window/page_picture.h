// "Save picture..." of the History window's pages: a page's picture painted into a bitmap at the
// screen's DPI (with the same code that paints it on the screen) and written as a PNG file that
// the user names in the common save dialog.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/history/history_chart.h"

namespace quillo {

// A page's pixels, 0x00RRGGBB, rows top-down.
struct PageBitmap {
  int width = 0, height = 0;
  std::vector<uint32_t> pixels;
};

// A chart picture painted as the screen shows it; nothing when GDI could not make the bitmap.
std::optional<PageBitmap> PaintToBitmap(const ChartPicture& picture, HFONT font);

// Asks where to save (suggesting `suggestedName`) and writes the PNG; a failure is shown through
// `showError` in the panel's language. False when nothing was written.
bool SavePagePicture(HWND owner, const PageBitmap& bitmap, const std::string& suggestedName,
                     int language, const std::function<void(const std::string&)>& showError);

}  // namespace quillo
