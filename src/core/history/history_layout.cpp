// The History window's layout at any size and DPI.
#include "core/history/history_layout.h"

#include <algorithm>

namespace quillo {
namespace {

struct Spacing {
  int margin, gap, wide, comboExtra, buttonExtra;
};

Spacing SpacingFor(int dpi) {
  auto px = [dpi](int at96) { return (at96 * dpi + 48) / 96; };
  // A combo box's arrow and borders; a push button's borders and padding.
  return {px(8), px(6), px(18), px(30), px(24)};
}

// The first row's parts, left to right, at `top`; returns where the last one ends.
int PlaceFirstRow(const HistoryLayoutInput& in, const Spacing& s, int top, HistoryLayout& l) {
  const int h = in.controlHeight;
  int x = s.margin;
  const int labelWidth = in.textWidth(in.measureLabel);
  l.measureLabel = {x, top, x + labelWidth, top + h};
  x += labelWidth + s.gap;
  l.measure = {x, top, x + in.measureWidth + s.comboExtra, top + h};
  x = l.measure.right + s.wide;
  l.previousYear = {x, top, x + h, top + h};
  x += h + s.gap;
  const int yearWidth = in.textWidth("0000") + s.gap;
  l.year = {x, top, x + yearWidth, top + h};
  x += yearWidth + s.gap;
  l.nextYear = {x, top, x + h, top + h};
  return l.nextYear.right;
}

int SaveWidth(const HistoryLayoutInput& in, const Spacing& s) {
  return in.textWidth(in.saveText) + s.buttonExtra;
}

// The second row's parts at `top`; returns where the last one ends.
int PlaceSecondRow(const HistoryLayoutInput& in, const Spacing& s, int top, HistoryLayout& l) {
  const int h = in.controlHeight;
  int x = s.margin;
  const int totals = in.textWidth(in.totalsLabel);
  l.totalsLabel = {x, top, x + totals, top + h};
  x += totals + s.gap;
  l.grouping = {x, top, x + in.groupingWidth + s.comboExtra, top + h};
  x = l.grouping.right + s.wide;
  const int range = in.textWidth(in.rangeLabel);
  l.rangeLabel = {x, top, x + range, top + h};
  x += range + s.gap;
  l.range = {x, top, x + in.rangeWidth + s.comboExtra, top + h};
  return l.range.right;
}

}  // namespace

HistoryLayout LayOutHistoryWindow(const HistoryLayoutInput& in) {
  const Spacing s = SpacingFor(in.dpi);
  HistoryLayout l;
  int top = s.margin;
  PlaceFirstRow(in, s, top, l);
  const int saveWidth = SaveWidth(in, s);
  const int saveLeft = std::max(l.nextYear.right + s.wide, in.width - s.margin - saveWidth);
  l.save = {saveLeft, top, saveLeft + saveWidth, top + in.controlHeight};
  top += in.controlHeight + s.gap;

  const int chartWidth = std::max(1, in.width - 2 * s.margin);
  l.calendar = {s.margin, top, s.margin + chartWidth, top + in.calendarHeight(chartWidth)};
  top = l.calendar.bottom + s.gap;
  PlaceSecondRow(in, s, top, l);
  top += in.controlHeight + s.gap;

  // The bars take three fifths of what is left, the hours the rest.
  const int rest = std::max(2, in.height - s.margin - top);
  const int bars = rest * 3 / 5;
  l.bars = {s.margin, top, s.margin + chartWidth, top + bars};
  l.hours = {s.margin, l.bars.bottom + s.gap / 2, s.margin + chartWidth, top + rest};
  return l;
}

ClientSize HistoryMinimumSize(const HistoryLayoutInput& in) {
  const Spacing s = SpacingFor(in.dpi);
  HistoryLayout l;
  const int first = PlaceFirstRow(in, s, 0, l) + s.wide + SaveWidth(in, s) + s.margin;
  const int second = PlaceSecondRow(in, s, 0, l) + s.margin;
  ClientSize size;
  size.width = std::max(first, second);
  // Room for the calendar at that width, and for six lines of bars and four of hours (a title,
  // two ticks and the labels).
  size.height = s.margin + in.controlHeight + s.gap + in.calendarHeight(size.width - 2 * s.margin) +
                s.gap + in.controlHeight + s.gap + 10 * in.controlHeight + s.gap / 2 + s.margin;
  return size;
}

PagesLayout LayOutPages(int width, int height, int dpi, int controlHeight,
                        const std::vector<int>& nameWidths) {
  const Spacing s = SpacingFor(dpi);
  PagesLayout l;
  int x = s.margin;
  const int top = s.margin;
  for (int w : nameWidths) {
    const int right = x + std::max(w + s.buttonExtra, controlHeight * 3);
    l.buttons.push_back({x, top, right, top + controlHeight});
    x = right;  // side by side, as tabs are
  }
  const int pageTop = top + controlHeight;
  l.page = {0, pageTop, std::max(1, width), std::max(pageTop + 1, height)};
  return l;
}

KeyboardPageLayout LayOutKeyboardPage(int width, int height, int dpi, int controlHeight,
                                      int labelWidth, int widestRange, int saveTextWidth) {
  const Spacing s = SpacingFor(dpi);
  KeyboardPageLayout l;
  const int top = s.margin, h = controlHeight;
  int x = s.margin;
  l.rangeLabel = {x, top, x + labelWidth, top + h};
  x += labelWidth + s.gap;
  l.range = {x, top, x + widestRange + s.comboExtra, top + h};
  const int saveWidth = saveTextWidth + s.buttonExtra;
  const int saveLeft = std::max(l.range.right + s.wide, width - s.margin - saveWidth);
  l.save = {saveLeft, top, saveLeft + saveWidth, top + h};
  const int pictureTop = top + h + s.gap;
  l.keyboard = {s.margin, pictureTop, std::max(s.margin + 1, width - s.margin),
                std::max(pictureTop + 1, height - s.margin)};
  return l;
}

ClicksPageLayout LayOutClicksPage(int width, int height, int dpi, int controlHeight, int labelWidth,
                                  int widestRange, int widestButtons, int saveTextWidth) {
  const Spacing s = SpacingFor(dpi);
  // The keyboard page's row, with room kept after the range for the choice of buttons.
  const int buttonsWidth = widestButtons + s.comboExtra;
  const KeyboardPageLayout k =
      LayOutKeyboardPage(width, height, dpi, controlHeight, labelWidth,
                         widestRange + s.gap + buttonsWidth, saveTextWidth);
  ClicksPageLayout l;
  l.rangeLabel = k.rangeLabel;
  l.range = {k.range.left, k.range.top, k.range.left + widestRange + s.comboExtra, k.range.bottom};
  l.buttons = {l.range.right + s.gap, k.range.top, l.range.right + s.gap + buttonsWidth,
               k.range.bottom};
  l.save = k.save;
  l.map = k.keyboard;
  return l;
}

}  // namespace quillo
