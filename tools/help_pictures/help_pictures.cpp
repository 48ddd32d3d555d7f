// Draws the help file's pictures of the panel's figures with the program's own indicator
// renderer and look, at twice their size: help_pictures <output folder>.

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "core/indicator/liquid_indicator.h"
#include "core/panel/indicator_style.h"
#include "png_writer.h"

namespace {

using namespace quillo::indicator;
namespace fs = std::filesystem;
using quillo::tools::WritePng;

constexpr int kScale = 2;
constexpr int kRowHeight = 19;                  // every indicator on the panel is 19 pixels high
constexpr std::uint32_t kPanelBlue = 0x48A4FF;  // the panel's default background, RRGGBB

// One indicator of a group: its left edge in the group, width, digit cells and text.
struct Cell {
  int left, width, digits;
  const char* text;
};

struct Picture {
  const char* file;
  int width;
  std::vector<Cell> cells;
};

// The panel's own items at 96 DPI: a single figure is 137 pixels wide with 10 digits; the
// running-time and distance blocks are four and three narrow indicators side by side.
const Picture kPictures[] = {
    {"counter.png", 137, {{0, 137, 10, "12345"}}},
    {"speed.png", 137, {{0, 137, 10, "12.35"}}},
    {"running_time.png",
     137,
     {{0, 41, 3, "1"}, {44, 29, 2, "2"}, {76, 29, 2, "34"}, {108, 29, 2, "56"}}},
    {"distance.png", 137, {{0, 44, 3, "1"}, {47, 57, 4, "234"}, {107, 30, 2, "56"}}},
};

void Put(std::vector<std::uint8_t>& rgb, int width, int x, int y, std::uint32_t rrggbb) {
  for (int dy = 0; dy < kScale; ++dy)
    for (int dx = 0; dx < kScale; ++dx) {
      std::uint8_t* o = &rgb[(std::size_t(y * kScale + dy) * width * kScale + x * kScale + dx) * 3];
      o[0] = std::uint8_t(rrggbb >> 16);
      o[1] = std::uint8_t(rrggbb >> 8);
      o[2] = std::uint8_t(rrggbb);
    }
}

bool Draw(const Picture& p, const fs::path& dir) {
  std::vector<std::uint8_t> rgb(std::size_t(p.width) * kRowHeight * kScale * kScale * 3);
  for (int y = 0; y < kRowHeight; ++y)
    for (int x = 0; x < p.width; ++x) Put(rgb, p.width, x, y, kPanelBlue);
  for (const Cell& cell : p.cells) {
    IAeverLiquidIndicator c;
    c.Loaded();
    quillo::ApplyIndicatorStyle(c);
    c.SetSize(cell.width, kRowHeight);
    c.SetSignNumber(cell.digits);
    c.SetIndicatorstring(cell.text);
    const Bitmap& b = c.CanvasBitmap();
    const CoverageMask shape = c.WindowShapeMask();
    for (int y = 0; y < b.Height() && y < kRowHeight; ++y)
      for (int x = 0; x < b.Width() && cell.left + x < p.width; ++x)
        if (shape.Covered(x, y)) Put(rgb, p.width, cell.left + x, y, b.At(x, y));
  }
  return WritePng(dir / p.file, p.width * kScale, kRowHeight * kScale, rgb);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: help_pictures <output folder>\n");
    return 2;
  }
  const fs::path dir = argv[1];
  std::error_code ec;
  fs::create_directories(dir, ec);
  for (const Picture& p : kPictures)
    if (!Draw(p, dir)) {
      std::fprintf(stderr, "help_pictures: cannot write %s\n", (dir / p.file).string().c_str());
      return 1;
    }
  return 0;
}
