// Dates, number formats, strict parsing and padding.
#include <gtest/gtest.h>

#include "core/util/datetime.h"
#include "core/util/numbers.h"
#include "core/util/utf.h"

namespace quillo {
namespace {

TEST(DateTime, KnownDayNumbers) {
  EXPECT_EQ(DayNumber(1899, 12, 30), 0);
  EXPECT_EQ(DayNumber(1900, 1, 1), 2);
  EXPECT_EQ(DayNumber(2024, 1, 1), 45292);
  EXPECT_EQ(DayNumber(2000, 2, 29), 36585);
  const CivilDateTime t = CivilFromDayNumber(45292);
  EXPECT_EQ(t.year * 10000 + t.month * 100 + t.day, 20240101);
  const CivilDateTime d = DecodeDateTime(EncodeDateTime({2026, 12, 10, 23, 59, 58, 500}));
  EXPECT_EQ(d.hour * 10000 + d.minute * 100 + d.second, 235958);
  EXPECT_EQ(d.millisecond, 500);
  EXPECT_EQ(DayOf(45292.99), 45292);
  EXPECT_EQ(SecondsBetween(45292.0, 45292.5), 43200u);
  // A whole-second span survives the binary fraction of the time of day.
  const double start = EncodeDateTime({2026, 12, 10, 8, 0, 0, 0});
  EXPECT_EQ(SecondsBetween(start, EncodeDateTime({2026, 12, 10, 9, 0, 30, 0})), 3630u);
  EXPECT_EQ(SecondsBetween(start, EncodeDateTime({2026, 12, 10, 8, 0, 0, 999})), 0u);
}

TEST(Numbers, GeneralFormat) {
  struct Case {
    double v;
    const char* text;
  } cases[] = {{23.5, "23.5"},
               {12345.6, "12345.6"},
               {static_cast<double>(21.3f), "21.2999992370605"},
               {4294967295.0, "4294967295"},
               {0, "0"},
               {-3, "-3"},
               {1e20, "1E20"},
               {1.5e-7, "1.5E-7"},
               {0.0001, "0.0001"},
               {45292.5, "45292.5"}};
  for (const Case& k : cases) EXPECT_EQ(FloatToStr(k.v), k.text);
  EXPECT_EQ(FloatToStr(23.5, ','), "23,5");
}

TEST(Numbers, RoundingTiesToEven) {
  EXPECT_EQ(RoundHalfEven32(0.5), 0);
  EXPECT_EQ(RoundHalfEven32(1.5), 2);
  EXPECT_EQ(RoundHalfEven32(2.5), 2);
  EXPECT_EQ(RoundHalfEven32(-2.5), -2);
  EXPECT_EQ(RoundHalfEven32(63395.5), 63396);
  EXPECT_EQ(RoundHalfEven32(1e12), 2147483647);
}

TEST(Numbers, StrictParsing) {
  EXPECT_EQ(ParseFloat("5e9"), 5e9);
  EXPECT_EQ(ParseFloat("23,5"), 23.5);  // either separator, whatever the locale
  EXPECT_EQ(ParseFloat(" 12345.6 "), 12345.6);
  EXPECT_EQ(ParseFloat("-.5"), -0.5);
  for (const char* bad : {"", "true", "1.2.3", "1e", "abc", "12a", "inf", "nan", "1e999", "."})
    EXPECT_FALSE(ParseFloat(bad).has_value()) << bad;
  EXPECT_EQ(ParseInt("-1"), -1);
  EXPECT_EQ(ParseInt("2147483647"), 2147483647);
  for (const char* bad : {"", "true", "1.0", "2147483648", "0x10", "-"})
    EXPECT_FALSE(ParseInt(bad).has_value()) << bad;
  EXPECT_EQ(ParseCounter("5e9"), 705032704u);  // low 32 bits of 5000000000
  EXPECT_EQ(ParseCounter("1"), 1u);
  EXPECT_EQ(ParseCounter("4294967296.7"), 0u);
  EXPECT_EQ(ParseCounter("-1"), 4294967295u);
  EXPECT_FALSE(ParseCounter("true").has_value());
  EXPECT_FALSE(ParseCounter("1e30").has_value());
}

TEST(Numbers, Padding) {
  EXPECT_EQ(PadRight("101", '0', 15), "101000000000000");
  EXPECT_EQ(PadRight(std::string(20, '1'), '0', 15).size(), 20u);
  EXPECT_EQ(PadLeft("42", ' ', 5), "   42");
  EXPECT_EQ(PadLeft("123456", ' ', 5), "123456");
  EXPECT_EQ(EnsureRange(3, 6, 10), 6);
  EXPECT_EQ(EnsureRange(15, 6, 10), 10);
}

TEST(Utf, RoundTrip) {
  const std::string s = "tla\xC4\x8D\xC3\xADtko \xF0\x9F\x98\x80";
  EXPECT_EQ(Utf16ToUtf8(Utf8ToUtf16(s)), s);
  EXPECT_EQ(Utf8ToUtf16("\xC4\x8D").size(), 1u);
  EXPECT_EQ(Utf8ToUtf16("\xFF"), std::u16string(1, u'\xFFFD'));
}

}  // namespace
}  // namespace quillo
