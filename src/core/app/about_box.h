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

// The pixels one line of text takes in the font its control draws it with, at the dialog's DPI.
struct TextExtent {
  int width = 0, height = 0;
};

// Every text of the dialog, measured in its own font: the form font follows the system's text
// size, so nothing about it may be assumed.
struct AboutMeasures {
  TextExtent name, copyright, freeware, support, mailto, surfto, mailLink, webLink, ok;
};

struct AboutLayout {
  Size client;
  Rect logo, icon, name, copyright, freeware, support, mailto, mailLink, surfto, webLink, ok;
};

// Top to bottom on the right of the logo: icon, name, notice line, "freeware", the support line,
// the web line and the OK button. Each line keeps its place of the design unless the line above,
// grown with a larger text size, reaches down to it: then it goes below that line by the same gap,
// and the dialog grows to hold everything. The column widens for a text wider than it. The two
// link lines share their columns and are centred together; when they are longer than the column
// they start further left, towards the logo, and then widen the dialog: no text is ever cut.
AboutLayout LayoutAboutBox(int dpi, const AboutMeasures& m);

}  // namespace quillo
