// Keeping a window on its monitor's work area.
#include "core/panel/work_area.h"

#include <algorithm>

namespace quillo {
namespace {

// One axis: the window's start moved in just far enough, its start edge winning when it cannot fit.
int32_t KeepWithin(int32_t start, int32_t length, int32_t low, int32_t high) {
  if (start + length > high) start = high - length;
  return std::max(start, low);
}

}  // namespace

ScreenPoint KeepOnWorkArea(const ScreenRect& window, const ScreenRect& work) {
  return {KeepWithin(window.left, window.right - window.left, work.left, work.right),
          KeepWithin(window.top, window.bottom - window.top, work.top, work.bottom)};
}

}  // namespace quillo
