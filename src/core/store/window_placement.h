// The main window's stored position (subkey "frmMain"): texts, names and the rule for applying it.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quillo {

inline constexpr char kPlacementSubkey[] = "frmMain";

// "%d,%d,%d,%d".
std::string FormatQuad(const std::array<int32_t, 4>& q);
std::optional<std::array<int32_t, 4>> ParseQuad(std::string_view text);
// The name that carries the desktop size, "NormPos(1920x1080)".
std::string SizedName(std::string_view name, int32_t desktopWidth, int32_t desktopHeight);

}  // namespace quillo
