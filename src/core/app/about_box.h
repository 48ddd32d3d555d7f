// The about dialog as data: what each control says, the links and the addresses they open, the
// colours and fonts, and where everything sits at a given DPI.
#pragma once

#include <cstdint>
#include <string>

#include "core/panel/panel_layout.h"

namespace quillo {

inline constexpr char kMakerWebSite[] = "https://www.ombrelune.example/";
inline constexpr char kSupportMailAddress[] = "support@ombrelune.example";

struct AboutTexts {
  std::string caption, name, copyright, freeware, support, mailto, surfto, ok;
  // Each link shows one text and opens its hint, the address the pointer's tip tells.
  std::string mailLink, mailHint, webLink, webHint;
};
AboutTexts AboutBoxTexts();

// Colours are 0x00BBGGRR.
inline constexpr uint32_t kAboutBackground = 0x85F5FF;  // red 255, green 245, blue 133
inline constexpr uint32_t kAboutText = 0x000000;
inline constexpr uint32_t kAboutLink = 0xFF0000;     // blue
inline constexpr uint32_t kAboutLinkHot = 0x0000FF;  // red, underlined, under the pointer

// Fonts at 96 DPI. The form font is the system's icon-title font when it can be read; the name,
// the "freeware" line and the links keep their own.
inline constexpr FontSpec kAboutDesignFont{"Segoe UI", false, -12};
inline constexpr FontSpec kAboutNameFont{"Arial Black", false, -27};
inline constexpr FontSpec kAboutFreewareFont{"Arial Black", false, -21};
inline constexpr FontSpec kAboutLinkFont{"MS Sans Serif", true, -12};

// Text extents measured at the dialog's DPI, in pixels.
struct AboutMeasures {
  int support = 0, mailto = 0, surfto = 0, mailLink = 0, webLink = 0;
  int formTextHeight = 0, linkTextHeight = 0;
};

struct AboutLayout {
  Size client;
  Rect logo, icon, name, copyright, freeware, support, mailto, mailLink, surfto, webLink, ok;
};

// Top to bottom on the right of the logo: icon, name, notice line, "freeware", the support line,
// the web line and the OK button. The two link lines share their columns and are centred
// together; when a wide font makes them longer than the column they start further left, towards
// the logo, and what still does not fit is cut at the dialog's right edge.
AboutLayout LayoutAboutBox(int dpi, const AboutMeasures& m);

}  // namespace quillo
