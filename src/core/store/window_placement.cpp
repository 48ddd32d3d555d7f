// Text forms of the stored window position.
#include "core/store/window_placement.h"

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

}  // namespace quillo
