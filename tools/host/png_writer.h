// Writing an 8-bit RGB picture as a PNG file, for the native tools that draw with the core's
// indicator renderer (the gallery, the help file's pictures).
#pragma once

#include <png.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <vector>

namespace quillo::tools {

// `rgb` holds width × height pixels, three bytes each, rows top-down. False when anything failed.
inline bool WritePng(const std::filesystem::path& path, int width, int height,
                     const std::vector<std::uint8_t>& rgb) {
  FILE* f = std::fopen(path.string().c_str(), "wb");
  if (!f) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!png || !info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    std::fclose(f);
    return false;
  }
  png_init_io(png, f);
  png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < height; ++y)
    png_write_row(png, const_cast<png_bytep>(rgb.data() + std::size_t(y) * width * 3));
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return std::fclose(f) == 0;
}

}  // namespace quillo::tools
