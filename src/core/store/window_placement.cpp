// Text forms and coordinates of the stored window position.
#include "core/store/window_placement.h"

#include <algorithm>
#include <climits>

#include "core/util/numbers.h"

namespace quillo {

std::string FormatQuad(const std::array<int32_t, 4>& q) {
  return std::to_string(q[0]) + "," + std::to_string(q[1]) + "," + std::to_string(q[2]) + "," +
         std::to_string(q[3]);
}

std::optional<std::array<int32_t, 4>> ParseQuad(std::string_view text) {
  std::array<int32_t, 4> q{};
  for (int i = 0; i < 4; ++i) {
    const size_t comma = i < 3 ? text.find(',') : text.size();
    if (comma == std::string_view::npos) return std::nullopt;
    const auto v = ParseInt(text.substr(0, comma));
    if (!v) return std::nullopt;
    q[i] = *v;
    text.remove_prefix(i < 3 ? comma + 1 : comma);
  }
  return q;
}

std::string SizedName(std::string_view name, int32_t w, int32_t h) {
  return std::string(name) + "(" + std::to_string(w) + "x" + std::to_string(h) + ")";
}

namespace {
ScreenPoint WorkOffset(const MonitorAreas& m) {
  return {m.work.left - m.monitor.left, m.work.top - m.monitor.top};
}

// A stored position may be anything a tampered key holds: sums are taken in 64 bits and held at
// the ends of the range, where no monitor's pixel lies (right and bottom are exclusive), so a
// point beyond the range stays off every monitor instead of wrapping onto one.
int32_t Held(int64_t v) {
  return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}
ScreenPoint Moved(ScreenPoint p, int64_t dx, int64_t dy) {
  return {Held(int64_t{p.x} + dx), Held(int64_t{p.y} + dy)};
}
}  // namespace

ScreenPoint ScreenToWorkspace(ScreenPoint p, const std::vector<MonitorAreas>& monitors) {
  if (monitors.empty()) return p;
  const MonitorAreas* on = &monitors.front();
  for (const MonitorAreas& m : monitors)
    if (m.monitor.Contains(p)) {
      on = &m;
      break;
    }
  const ScreenPoint d = WorkOffset(*on);
  return Moved(p, -int64_t{d.x}, -int64_t{d.y});
}

ScreenPoint WorkspaceToScreen(ScreenPoint p, const std::vector<MonitorAreas>& monitors) {
  if (monitors.empty()) return p;
  // The inverse of the above: the monitor whose work area puts the point on that monitor.
  for (const MonitorAreas& m : monitors) {
    const ScreenPoint d = WorkOffset(m);
    const ScreenPoint s = Moved(p, d.x, d.y);
    if (m.monitor.Contains(s)) return s;
  }
  const ScreenPoint d = WorkOffset(monitors.front());
  return Moved(p, d.x, d.y);
}

std::optional<ScreenPoint> RestoredPosition(
    const std::array<int32_t, 4>& normPos, int32_t storedPixelsPerInch,
    int32_t currentPixelsPerInch, int32_t width, int32_t height,
    const std::vector<MonitorAreas>& monitors,
    const std::optional<std::array<int32_t, 4>>& screenPos) {
  if (storedPixelsPerInch != currentPixelsPerInch) return std::nullopt;
  const ScreenPoint workspace{normPos[0], normPos[1]};
  ScreenPoint topLeft = WorkspaceToScreen(workspace, monitors);
  if (screenPos) {
    const ScreenPoint saved{(*screenPos)[0], (*screenPos)[1]};
    if (ScreenToWorkspace(saved, monitors) == workspace) topLeft = saved;
  }
  const ScreenPoint bottomRight = Moved(topLeft, int64_t{width} - 1, int64_t{height} - 1);
  auto onAMonitor = [&monitors](ScreenPoint p) {
    for (const MonitorAreas& m : monitors)
      if (m.monitor.Contains(p)) return true;
    return false;
  };
  if (!onAMonitor(topLeft) || !onAMonitor(bottomRight)) return std::nullopt;
  return topLeft;
}

}  // namespace quillo
