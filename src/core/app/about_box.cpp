// Texts and placement of the about dialog's controls.
#include "core/app/about_box.h"

#include <algorithm>

#include "core/app/main_logic.h"

namespace quillo {

AboutTexts AboutBoxTexts() {
  AboutTexts t;
  t.caption = "Quillomat Info";
  t.name = std::string("Quillomat ") + kWindowVersion;
  t.copyright = "Copyright \xC2\xA9 2004-2025 Ombrelune Software";
  t.freeware = "freeware";
  t.support = "Support : ";
  t.mailto = "mail to";
  t.surfto = "surf to";
  t.ok = "OK";
  t.mailLink = kSupportMailAddress;
  t.mailHint = std::string("mailto:") + kSupportMailAddress;
  t.webLink = "www.ombrelune.example";
  t.webHint = kMakerWebSite;
  return t;
}

AboutLayout LayoutAboutBox(int dpi, const AboutMeasures& m) {
  const auto px = [dpi](int v) { return ScalePx(v, dpi); };
  AboutLayout l;
  l.logo = {px(8), px(8), px(201), px(200)};
  const int gap = px(4);

  // The column right of the logo, wide enough for its widest centred text with a margin at
  // either side.
  const int left = px(216);
  const int okWidth = std::max(px(75), m.ok.width + px(16));
  const int widest = std::max({m.name.width, m.copyright.width, m.freeware.width});
  const int width = std::max({px(299), widest + 2 * gap, okWidth});
  const auto centred = [&](int w, int top, int h) -> Rect {
    return {left + (width - w) / 2, top, w, h};
  };
  // A line sits at its design place, or lower when the line above has grown down to it.
  const auto below = [](const Rect& above, int designTop, int designGap) {
    return std::max(designTop, above.bottom() + designGap);
  };
  l.icon = centred(px(32), px(8), px(32));
  l.name = {left, below(l.icon, px(42), px(2)), width, std::max(px(38), m.name.height)};
  l.copyright = {left, below(l.name, px(82), px(2)), width, std::max(px(15), m.copyright.height)};
  l.freeware = {left, below(l.copyright, px(100), px(3)), width,
                std::max(px(30), m.freeware.height)};

  // The support line ("Support : ", "mail to", the address) and under it the web line.
  const int lineHeight = std::max({px(15), m.support.height, m.mailto.height, m.surfto.height,
                                   m.mailLink.height, m.webLink.height});
  const int labels = std::max(m.mailto.width, m.surfto.width);
  const int links = std::max(m.mailLink.width, m.webLink.width);
  const int total = m.support.width + gap + labels + gap + links;
  const int rightLimit = left + width + px(4);
  // Centred in the column when they fit it; otherwise they reach further left, up to the logo.
  const int x0 = total <= width ? left + (width - total) / 2
                                : std::max(l.logo.right() + gap, rightLimit - total);
  const int labelX = x0 + m.support.width + gap;
  const int linkX = labelX + labels + gap;
  const int supportTop = below(l.freeware, px(138), px(8));
  const int webTop = supportTop + lineHeight + px(3);
  l.support = {x0, supportTop, m.support.width, lineHeight};
  l.mailto = {labelX, supportTop, m.mailto.width, lineHeight};
  l.mailLink = {linkX, supportTop, m.mailLink.width, lineHeight};
  l.surfto = {labelX, webTop, m.surfto.width, lineHeight};
  l.webLink = {linkX, webTop, m.webLink.width, lineHeight};

  const int okHeight = std::max(px(25), m.ok.height + px(10));
  const int designClientHeight = px(216);
  const int okTop = std::max(designClientHeight - px(8) - okHeight, l.webLink.bottom() + px(8));
  l.ok = centred(okWidth, okTop, okHeight);

  const int right =
      std::max({left + width + px(8), l.mailLink.right() + px(4), l.webLink.right() + px(4)});
  l.client = {std::max(px(523), right),
              std::max({designClientHeight, l.ok.bottom() + px(8), l.logo.bottom() + px(8)})};
  return l;
}

}  // namespace quillo
