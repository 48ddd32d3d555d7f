// How the indicator spreads its text over the digit cells.
#include <gtest/gtest.h>

#include <string>

#include "core/indicator/cell_layout.h"
#include "test_names.h"

namespace quillo::indicator {
namespace {

// One cell written as its character, followed by "." when its decimal point is lit.
std::string Describe(const Cells& cells) {
  std::string out;
  for (const Cell& c : cells) {
    out += c.ch < 128 ? char(c.ch) : '?';
    if (c.point) out += '.';
    out += '|';
  }
  return out;
}

struct LayoutCase {
  const char* text;
  int cells;
  IAIndicatorKind kind;
  const char* expected;
};

class LaidOutTexts : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(LaidOutTexts, SpreadsTextRightAligned) {
  const LayoutCase& c = GetParam();
  const Cells cells = LayoutCells(c.text, c.cells, c.kind);
  ASSERT_EQ(int(cells.size()), c.cells);
  EXPECT_EQ(Describe(cells), c.expected) << "text '" << c.text << "'";
}

INSTANTIATE_TEST_SUITE_P(
    Texts, LaidOutTexts,
    ::testing::Values(LayoutCase{"123", 5, ik7segment, " | |1|2|3|"},
                      LayoutCase{"12.5", 5, ik7segment, " | |1|2.|5|"},
                      LayoutCase{"12,5", 5, ik7segment, " | |1|2.|5|"},
                      LayoutCase{".5", 4, ik7segment, " | |.|5|"},
                      LayoutCase{"1..2", 5, ik7segment, " | |1.|.|2|"},
                      LayoutCase{"1.", 3, ik7segment, " | |1.|"},
                      LayoutCase{"123456", 4, ik7segment, "1|2|3|4|"},
                      // The point after the last cell shown still belongs to that cell.
                      LayoutCase{"12345.6", 5, ik7segment, "1|2|3|4|5.|"},
                      LayoutCase{"", 3, ik7segment, " | | |"},
                      LayoutCase{"12:34", 5, ik9segment, "1|2|:|3|4|"},
                      LayoutCase{",,", 3, ik9segment, " |,|,|"},
                      // In the matrix kind a point is a glyph of its own.
                      LayoutCase{"1.5", 4, ik5x7matrix, " |1|.|5|"},
                      LayoutCase{"a,b.", 3, ik5x7matrix, "a|,|b|"}),
    [](const ::testing::TestParamInfo<LayoutCase>& info) {
      const LayoutCase& c = info.param;
      const char* kind = c.kind == ik7segment ? "seg7" : c.kind == ik9segment ? "seg9" : "matrix";
      return std::string(kind) + "_" + testing_names::Spell(c.text) + "_in" +
             std::to_string(c.cells);
    });

TEST(LayoutCells, CountsUtf16CodeUnits) {
  // "é" is one code unit and "😀" two: every code unit is one (blank) cell.
  const Cells cells = LayoutCells(
      "\xC3\xA9"
      "1\xF0\x9F\x98\x80",
      6, ik7segment);
  ASSERT_EQ(cells.size(), 6u);
  EXPECT_EQ(cells[0].ch, u' ');
  EXPECT_EQ(cells[1].ch, u' ');
  EXPECT_EQ(cells[2].ch, u'\u00E9');
  EXPECT_EQ(cells[3].ch, u'1');
  EXPECT_EQ(cells[4].ch, char16_t(0xD83D));
  EXPECT_EQ(cells[5].ch, char16_t(0xDE00));
}

TEST(LayoutCells, MalformedUtf8TakesOneReplacementCellPerBadByte) {
  const Cells cells = LayoutCells("7\xFF\xC3", 4, ik7segment);
  EXPECT_EQ(Describe(cells), " |7|?|?|");
  EXPECT_EQ(cells[2].ch, u'\uFFFD');
}

}  // namespace
}  // namespace quillo::indicator
