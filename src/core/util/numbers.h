// Number <-> text rules shared by the store, the panel and the log: rounding ties to even, the
// general float format, strict parsing, padding.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quillo {

// Nearest integer, ties to even, as a signed 32-bit figure (values outside the range saturate).
int32_t RoundHalfEven32(double x);
// Same, as a double (no range limit).
double RoundHalfEven(double x);

// General format with up to 15 significant digits, no grouping, `sep` as decimal separator;
// exponent written as "E" followed by the exponent without leading zeros ("1E20", "1.5E-7").
std::string FloatToStr(double value, char sep = '.');
// Fixed-point with `decimals` decimals and `sep` as decimal separator ("12.35").
std::string FloatToStrFixed(double value, int decimals, char sep = '.');

// Strict decimal floating-point text: optional blanks around, sign, digits with one decimal
// separator ("." or "," are both accepted, so a locale change never makes a stored number
// unreadable), optional exponent. nullopt for anything else ("", "true", "1.2.3", "inf").
std::optional<double> ParseFloat(std::string_view text);
// Strict 32-bit decimal integer: optional blanks around, optional sign, digits. nullopt when the
// text is not an integer or is out of range.
std::optional<int32_t> ParseInt(std::string_view text);
// A stored counter: parsed as a float, truncated toward zero, kept as its low 32 bits
// ("5e9" -> 705032704). nullopt when the text is not a number or beyond 64-bit range.
std::optional<uint32_t> ParseCounter(std::string_view text);

std::string PadLeft(std::string text, char fill, size_t width);
std::string PadRight(std::string text, char fill, size_t width);

template <typename T>
constexpr T EnsureRange(T value, T min, T max) {
  return value < min ? min : (value > max ? max : value);
}

}  // namespace quillo
