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
  l.client = {px(523), px(216)};
  l.logo = {px(8), px(8), px(201), px(200)};
  // The column right of the logo.
  const int left = px(216), width = px(299);
  const auto centred = [&](int w, int top, int h) -> Rect {
    return {left + (width - w) / 2, top, w, h};
  };
  l.icon = centred(px(32), px(8), px(32));
  l.name = {left, px(42), width, px(38)};
  l.copyright = {left, px(82), width, std::max(m.formTextHeight, px(15))};
  l.freeware = {left, px(100), width, px(30)};

  const int gap = px(4);
  const int lineHeight = std::max({m.formTextHeight, m.linkTextHeight, px(15)});
  const int labels = std::max(m.mailto, m.surfto);
  const int links = std::max(m.mailLink, m.webLink);
  const int total = m.support + gap + labels + gap + links;
  const int clientRight = l.client.width - px(4);
  // Centred in the column when they fit it; otherwise they reach further left, up to the logo.
  const int x0 = total <= width ? left + (width - total) / 2
                                : std::max(l.logo.right() + gap, clientRight - total);
  const int labelX = x0 + m.support + gap;
  const int linkX = labelX + labels + gap;
  const auto clipped = [&](int x, int w) { return std::max(0, std::min(w, clientRight - x)); };
  const int supportTop = px(138);
  const int webTop = supportTop + lineHeight + px(3);
  l.support = {x0, supportTop, clipped(x0, m.support), lineHeight};
  l.mailto = {labelX, supportTop, clipped(labelX, m.mailto), lineHeight};
  l.mailLink = {linkX, supportTop, clipped(linkX, m.mailLink), lineHeight};
  l.surfto = {labelX, webTop, clipped(labelX, m.surfto), lineHeight};
  l.webLink = {linkX, webTop, clipped(linkX, m.webLink), lineHeight};
  l.ok = {left + (width - px(75)) / 2, l.client.height - px(8) - px(25), px(75), px(25)};
  return l;
}

}  // namespace quillo
