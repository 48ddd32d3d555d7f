// Painting a page into a 32-bit DIB and saving it as a PNG.
#include "win32/history_window/page_picture.h"

#include "core/panel/history_texts.h"
#include "core/panel/keyboard_texts.h"
#include "core/util/png.h"
#include "win32/file_dialog.h"
#include "win32/file_io.h"
#include "win32/history_window/chart_view.h"
#include "win32/win_platform.h"

namespace quillo {

std::optional<PageBitmap> PaintToBitmap(const ChartPicture& picture, HFONT font) {
  if (picture.width <= 0 || picture.height <= 0) return std::nullopt;
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = picture.width;
  bi.bmiHeader.biHeight = -picture.height;  // top-down
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP dib = dc ? CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0) : nullptr;
  std::optional<PageBitmap> out;
  if (dib && bits) {
    const HGDIOBJ old = SelectObject(dc, dib);
    PaintChartPicture(dc, picture, font);
    GdiFlush();
    PageBitmap b;
    b.width = picture.width;
    b.height = picture.height;
    const auto* p = static_cast<const uint32_t*>(bits);
    b.pixels.assign(p, p + static_cast<size_t>(b.width) * static_cast<size_t>(b.height));
    for (uint32_t& px : b.pixels) px &= 0xFFFFFF;  // GDI leaves the fourth byte undefined
    out = std::move(b);
    SelectObject(dc, old);
  }
  if (dib) DeleteObject(dib);
  if (dc) DeleteDC(dc);
  return out;
}

bool SavePagePicture(HWND owner, const PageBitmap& bitmap, const std::string& suggestedName,
                     int language, const std::function<void(const std::string&)>& showError) {
  FileDialogRequest request;
  request.owner = owner;
  request.save = true;
  request.filterName = KeyboardWindowText(KeyboardText::pngFiles, language);
  request.pattern = "*.png";
  request.defaultExtension = "png";
  request.suggestedName = suggestedName;
  request.askBeforeReplacing = true;
  const auto path = AskFilePath(request, showError);
  if (!path) return false;
  const std::vector<uint8_t> png = EncodePng(bitmap.width, bitmap.height, bitmap.pixels.data());
  const auto error = ReplaceWholeFile(
      Widen(*path), std::string_view(reinterpret_cast<const char*>(png.data()), png.size()),
      L"png");
  if (error) {
    showError(std::string(HistoryWindowText(HistoryText::saveFailed, language)) + "\n" + *path +
              ": " + *error);
    return false;
  }
  return true;
}

}  // namespace quillo
