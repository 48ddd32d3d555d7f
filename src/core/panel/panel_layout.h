// The main panel as data: which controls the settings call for, where they sit, how they look,
// the window's size and shape and its transparency, at 96 DPI and scaled for any other DPI.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/panel/main_window_texts.h"
#include "core/panel/panel_controls.h"

namespace quillo {

// The main window's settings the panel is built from.
struct PanelSettings {
  bool orientation = false;  // true: vertical (one item per row)
  int digits = 7;  // digit cells of a single item in the horizontal orientation (6 … 10)
  std::string dispitems = "11111111111111";  // "1" shows the item at that position
  bool distmode = false;                     // metric units
  int Transparent = 0;                       // see-through level 0 … 3
};

struct Rect {
  int left = 0, top = 0, width = 0, height = 0;
  int right() const { return left + width; }
  int bottom() const { return top + height; }
  bool operator==(const Rect&) const = default;
};

struct Size {
  int width = 0, height = 0;
  bool operator==(const Size&) const = default;
};

// A rectangle by its corners, right and bottom exclusive (the window region's convention).
struct Corners {
  int left = 0, top = 0, right = 0, bottom = 0;
  bool operator==(const Corners&) const = default;
};

// A font: face, weight and height in pixels as a font request takes it (negative: the
// character height without internal leading).
struct FontSpec {
  std::string_view face;
  bool bold = false;
  int height = 0;
  bool operator==(const FontSpec&) const = default;
};

// The window's alpha blending on the 0 (invisible) … 255 (opaque) scale.
struct AlphaBlend {
  bool enabled = false;
  uint8_t alpha = 0;
  bool operator==(const AlphaBlend&) const = default;
};
// The blending for a "Transparent" level: 0 off, 1 → 140, 2 → 110, 3 → 70. Any other value
// leaves the window's blending as it is (nullopt).
std::optional<AlphaBlend> TransparencyFor(int Transparent);

// Colours are 0x00BBGGRR (red in the low byte).
// The look every indicator of the panel gets, in the order the properties are written (each write
// that changes a value redraws the indicator, so the order is kept). Everything not named keeps
// the indicator's defaults.
struct IndicatorLook {
  uint32_t BackColor = 0x000000;  // black
  std::string_view ColorScheme = "csBlack";
  std::string_view IndicatorKind = "ik7segment";
  std::string_view IndicatorStyle = "isThin";
  std::string_view InnerBevel = "bkNone";
  uint32_t NumberBackColor = 0x00003A;   // unlit segments: a very dark red
  uint32_t NumberForeColor = 0x00FF00;   // lime
  uint32_t NumberForeColor1 = 0x00FF00;  // the same, so hovering changes nothing
  std::string_view OuterBevel = "bkNone";
  int Height = 19;  // at 96 DPI; the control's rectangle carries the scaled height
  std::string_view MouseAction = "maColor";
  bool dragsWindow = true;  // a button press on it moves the window
  std::string_view TransparentMode = "tmNone";
  int IndicatorGap = 2;
  int Angle = 0;
};
inline constexpr IndicatorLook kIndicatorLook{};

// The look of every caption label: yellow bold text on black, no bevel, the caption centred.
struct LabelLook {
  uint32_t color = 0x000000;      // black
  uint32_t fontColor = 0x00FFFF;  // yellow
  bool bevel = false;
  bool centred = true;
  bool dragsWindow = true;
};
inline constexpr LabelLook kLabelLook{};

// The panel's fonts at 96 DPI. Faces and weights are fixed; 8 point (11 pixels) fits the
// 13-pixel labels and the 18-pixel buttons.
inline constexpr FontSpec kLabelFont{"MS Sans Serif", true, -11};
inline constexpr FontSpec kSymbolButtonFont{"Marlett", false, -11};
inline constexpr FontSpec kTextButtonFont{"Arial", true, -11};

// One control of the built panel. Buttons: btnHelp opens the help, btnMinimize hides or shows
// the window, btnExit closes it (which hides it), btnonoff switches counting, btnSetup opens
// the settings; all show their hint.
struct PanelControl {
  ControlId id{};
  ControlKind kind{};
  PanelItem item = PanelItem::kNone;
  Rect bounds;          // on the panel, which sits at the window's top left corner
  int SignNumber = 0;   // indicators: digit cells
  std::string caption;  // labels and buttons
  std::string hint;     // buttons
  FontSpec font;        // labels and buttons
  int tabOrder = 0;     // buttons
};

// The window's size and shape for the content.
struct PanelFrame {
  Size panel;  // Panel1, at (0, 0), raised outer and inner bevels, the "Background" colour
  Size window;
  Corners region;  // window region in window coordinates (cuts the top row and left column)
  bool operator==(const PanelFrame&) const = default;
};

struct PanelLayout {
  bool vertical = false;
  int digits = 7;
  int dpi = 96;
  // Buttons first, then each shown item's labels and indicators in placement order.
  std::vector<PanelControl> controls;
  int vispanels = 0;    // items placed
  int shortBlocks = 0;  // of which distance, running time and idle time
  PanelFrame frame;
  std::optional<AlphaBlend> alpha;

  const PanelControl* Find(ControlId id) const;
  PanelControl* Find(ControlId id);
  bool Has(ControlId id) const { return Find(id) != nullptr; }
};

// Builds the panel's controls for the settings at 96 DPI (SetItems without its closing language
// step): geometry, digit cells, fonts, tab order, the button captions, empty label captions, the
// transparency. vispanels and shortBlocks are set; the frame is left to SetSize.
PanelLayout SetItems(const PanelSettings& settings);

// The window's size and shape for `vispanels` items of which `shortBlocks` are short blocks.
PanelFrame SetSize(bool vertical, int digits, int vispanels, int shortBlocks);
void SetSize(PanelLayout& layout);

// The distance unit captions ("km", "m", "cm" or the language's imperial words) and the speed
// caption with its unit, when the distance item is shown; with it hidden nothing changes.
void SetDistmode(PanelLayout& layout, const MainWindowTexts& texts, bool distmode);

// Every caption and hint of a language: label words, the fixed English captions ("X coord",
// "hr", …), button hints from the menu captions, the on/off button's caption for the counting
// state, then SetDistmode. Labels that are not on the panel are skipped.
void SetLanguage(PanelLayout& layout, const MainWindowTexts& texts, bool counting, bool distmode);

// A length at 96 DPI scaled to `dpi`, rounded to nearest (halves away from zero).
int ScalePx(int px, int dpi);
// The layout at another DPI. Rectangles are scaled by their edges so that neighbours stay
// neighbours; fonts and the frame scale alike. Scale from the 96 DPI layout, not repeatedly.
PanelLayout ScaledToDpi(const PanelLayout& layout, int dpi);

// The buttons in the order Tab moves through them (ascending tab order numbers).
std::vector<ControlId> TabOrder(const PanelLayout& layout);

// Panel1's raised outer and inner bevels as bands of one shade each, in painting order (a later
// band owns the corner it shares with an earlier one). Every line is as thick as one pixel at
// 96 DPI becomes at `dpi`, exactly like the window region's inset, so the region always cuts the
// outer top and left lines and leaves the inner ones: every DPI shows the 96-DPI look.
enum class BevelShade : uint8_t {
  kLight,       // outer top and left
  kDarkShadow,  // outer bottom and right
  kHighlight,   // inner top and left
  kShadow,      // inner bottom and right
};
struct BevelBand {
  Rect rect;
  BevelShade shade;
  bool operator==(const BevelBand&) const = default;
};
std::vector<BevelBand> PanelBevel(Size panel, int dpi);

// The whole build a shown window needs: SetItems, SetLanguage, SetSize, scaled to `dpi`.
PanelLayout BuildPanel(const PanelSettings& settings, const MainWindowTexts& texts, bool counting,
                       int dpi = 96);

}  // namespace quillo
