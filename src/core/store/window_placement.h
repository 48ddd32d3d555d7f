// The main window's stored position (subkey "frmMain"): texts, names, the coordinate system it is
// kept in and the rule for applying it.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/util/screen_rect.h"

namespace quillo {

inline constexpr char kPlacementSubkey[] = "frmMain";

// "%d,%d,%d,%d".
std::string FormatQuad(const std::array<int32_t, 4>& q);
std::optional<std::array<int32_t, 4>> ParseQuad(std::string_view text);
// The name that carries the desktop size, "NormPos(1920x1080)".
std::string SizedName(std::string_view name, int32_t desktopWidth, int32_t desktopHeight);

// One monitor: its whole area and the part of it not taken by the taskbar and other bars.
struct MonitorAreas {
  ScreenRect monitor, work;
};

// "NormPos" keeps the window's rectangle in workspace coordinates, as the system's window placement
// gives it: relative to the top left corner of the work area of the monitor the window is on, so a
// taskbar at the top or on the left shifts them. Saving and restoring both convert here, through
// the same monitor, so a position survives any number of restarts unchanged. The first monitor is
// the primary one; it is used when no monitor holds the point.
ScreenPoint ScreenToWorkspace(ScreenPoint p, const std::vector<MonitorAreas>& monitors);
ScreenPoint WorkspaceToScreen(ScreenPoint p, const std::vector<MonitorAreas>& monitors);

// Workspace coordinates alone cannot tell two monitors apart when the work areas of both start at
// different offsets from their edges: the same numbers may name a point on either. So the window's
// screen rectangle is kept beside "NormPos" under this name, in the same "%d,%d,%d,%d" form.
inline constexpr char kScreenPosValue[] = "ScreenPos";

// Where to put a window of the given size from a stored "NormPos" (workspace coordinates): its
// top left corner in screen coordinates, or nullopt when the position must not be applied — it
// was saved at another pixel density, or a corner (the top left one, or the bottom right one less
// one pixel) lies on no monitor. A stored "ScreenPos" that stands for the same place as "NormPos"
// on today's monitors settles which monitor that is; one that does not (the work areas changed,
// or another program wrote "NormPos") is ignored.
std::optional<ScreenPoint> RestoredPosition(
    const std::array<int32_t, 4>& normPos, int32_t storedPixelsPerInch,
    int32_t currentPixelsPerInch, int32_t width, int32_t height,
    const std::vector<MonitorAreas>& monitors,
    const std::optional<std::array<int32_t, 4>>& screenPos = std::nullopt);

}  // namespace quillo
