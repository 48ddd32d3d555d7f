// Number formatting and strict parsing with the conventions of the stored values.
#include "core/util/numbers.h"

#include <cfenv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace quillo {

double RoundHalfEven(double x) {
  // nearbyint honours the current rounding mode, which is to-nearest-even unless someone changed
  // it; rint/nearbyint are exactly the tie rule the figures are defined with.
  return std::nearbyint(x);
}

int32_t RoundHalfEven32(double x) {
  const double r = RoundHalfEven(x);
  if (!(r == r)) return 0;
  if (r >= 2147483647.0) return std::numeric_limits<int32_t>::max();
  if (r <= -2147483648.0) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(r);
}

std::string FloatToStr(double value, char sep) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.15G", value);
  std::string out;
  const char* p = buf;
  for (; *p && *p != 'E'; ++p) out += (*p == '.') ? sep : *p;
  if (*p == 'E') {
    ++p;
    out += 'E';
    if (*p == '-') out += '-';
    if (*p == '-' || *p == '+') ++p;
    while (*p == '0' && p[1]) ++p;
    out += p;
  }
  return out;
}

std::string FloatToStrFixed(double value, int decimals, char sep) {
  char buf[400];
  std::snprintf(buf, sizeof buf, "%.*f", decimals, value);
  std::string out(buf);
  for (char& c : out)
    if (c == '.') c = sep;
  return out;
}

namespace {
std::string_view Trim(std::string_view t) {
  while (!t.empty() && (t.front() == ' ' || t.front() == '\t')) t.remove_prefix(1);
  while (!t.empty() && (t.back() == ' ' || t.back() == '\t')) t.remove_suffix(1);
  return t;
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
}  // namespace

std::optional<double> ParseFloat(std::string_view text) {
  const std::string_view t = Trim(text);
  std::string norm;
  size_t i = 0;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) norm += t[i++];
  size_t digits = 0;
  while (i < t.size() && IsDigit(t[i])) norm += t[i++], ++digits;
  if (i < t.size() && (t[i] == '.' || t[i] == ',')) {
    norm += '.';
    ++i;
    while (i < t.size() && IsDigit(t[i])) norm += t[i++], ++digits;
  }
  if (digits == 0) return std::nullopt;
  if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
    norm += 'e';
    ++i;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) norm += t[i++];
    size_t expDigits = 0;
    while (i < t.size() && IsDigit(t[i])) norm += t[i++], ++expDigits;
    if (expDigits == 0) return std::nullopt;
  }
  if (i != t.size()) return std::nullopt;
  const double v = std::strtod(norm.c_str(), nullptr);
  if (std::isinf(v)) return std::nullopt;
  return v;
}

std::optional<int32_t> ParseInt(std::string_view text) {
  const std::string_view t = Trim(text);
  size_t i = 0;
  bool neg = false;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) neg = t[i++] == '-';
  if (i == t.size()) return std::nullopt;
  int64_t v = 0;
  for (; i < t.size(); ++i) {
    if (!IsDigit(t[i])) return std::nullopt;
    v = v * 10 + (t[i] - '0');
    if (v > 2147483648LL) return std::nullopt;
  }
  if (neg) v = -v;
  if (v > std::numeric_limits<int32_t>::max() || v < std::numeric_limits<int32_t>::min())
    return std::nullopt;
  return static_cast<int32_t>(v);
}

std::optional<uint32_t> ParseCounter(std::string_view text) {
  const auto f = ParseFloat(text);
  if (!f) return std::nullopt;
  const double t = std::trunc(*f);
  if (t >= 9223372036854775808.0 || t < -9223372036854775808.0) return std::nullopt;
  return static_cast<uint32_t>(static_cast<uint64_t>(static_cast<int64_t>(t)));
}

std::string PadLeft(std::string text, char fill, size_t width) {
  if (text.size() < width) text.insert(0, width - text.size(), fill);
  return text;
}

std::string PadRight(std::string text, char fill, size_t width) {
  if (text.size() < width) text.append(width - text.size(), fill);
  return text;
}

}  // namespace quillo
