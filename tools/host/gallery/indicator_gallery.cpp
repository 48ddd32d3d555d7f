// Writes PNG pictures of the segment indicator in all its looks, and an index.html that shows
// them with captions, so that a person can judge them: indicator_gallery <output folder>.

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "core/indicator/liquid_indicator.h"
#include "core/panel/indicator_style.h"
#include "png_writer.h"

namespace {

using namespace quillo::indicator;
namespace fs = std::filesystem;
using quillo::tools::WritePng;

constexpr int kScale = 2;  // pictures are small; doubled pixels are easier to judge

struct Entry {
  std::string section;
  std::string file;
  std::string caption;
};

// What the screen would show: the picture inside the window shape and, when see-through, inside
// the clip region; a checkerboard wherever whatever lies behind the control would show.
std::vector<std::uint8_t> Composite(const IAeverLiquidIndicator& c) {
  const Bitmap& b = c.CanvasBitmap();
  const CoverageMask shape = c.WindowShapeMask();
  const CoverageMask* clip = c.ClipRGN();
  const int w = b.Width() * kScale, h = b.Height() * kScale;
  std::vector<std::uint8_t> rgb(std::size_t(w) * h * 3);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const int sx = x / kScale, sy = y / kScale;
      Pixel p;
      if (shape.Covered(sx, sy) && (!clip || clip->Covered(sx, sy)))
        p = b.At(sx, sy);
      else
        p = ((x / 8 + y / 8) % 2) ? 0xC8C8C8 : 0x969696;
      std::uint8_t* o = &rgb[(std::size_t(y) * w + x) * 3];
      o[0] = std::uint8_t(p >> 16);
      o[1] = std::uint8_t(p >> 8);
      o[2] = std::uint8_t(p);
    }
  return rgb;
}

// Textures made here, so the gallery needs no picture files.
Bitmap WoodTexture() {
  Bitmap b(64, 48);
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) {
      const int ring = (x * x / 40 + y * 3 + (x * y) % 7) % 24;
      const int r = 150 + ring * 3, g = 100 + ring * 2, bl = 50 + ring;
      b.Set(x, y, Pixel(r) << 16 | Pixel(g) << 8 | Pixel(bl));
    }
  return b;
}

Bitmap CheckTexture() {
  Bitmap b(8, 8);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) b.Set(x, y, ((x / 4 + y / 4) % 2) ? 0x3060A0 : 0x5080C0);
  return b;
}

Bitmap StripeTexture() {
  Bitmap b(6, 6);
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 6; ++x) b.Set(x, y, ((x + y) % 6 < 3) ? 0xFFD040 : 0xFF6000);
  return b;
}

const char* Name(IAIndicatorKind k) {
  static const char* n[] = {"ik7segment", "ik5x7matrix", "ik9segment"};
  return n[k];
}
const char* Name(IAIndicatorStyle s) {
  static const char* n[] = {"isThin", "isNormal", "isThick"};
  return n[s];
}
const char* Name(IAColorScheme s) {
  static const char* n[] = {"csSilver", "csInvSilver", "csWhite", "csBlack",
                            "csPlasma", "csInvPlasma", "csTIAN"};
  return n[s];
}
const char* Name(IABevelKind b) {
  static const char* n[] = {"bkUP", "bkDown", "bkNone"};
  return n[b];
}
const char* Name(IAMouseAction a) {
  static const char* n[] = {"maNone", "maColor", "maWidth", "maBoth"};
  return n[a];
}
const char* Name(IATransparentMode m) {
  static const char* n[] = {"tmNone", "tmBackOnly", "tmAll"};
  return n[m];
}
const char* Name(IAMaterialShadowMode m) {
  static const char* n[] = {"msmDark", "msmLight", "msmNone"};
  return n[m];
}

const char* SampleText(IAIndicatorKind k) {
  return k == ik5x7matrix ? "Ab1.%" : k == ik9segment ? "12:34.5" : "-12.34";
}

class Gallery {
 public:
  explicit Gallery(fs::path dir) : dir_(std::move(dir)) {}

  // A control as a form designer would leave it: loaded, so every property takes full effect.
  void Add(const std::string& section, const std::string& file, const std::string& caption,
           const std::function<void(IAeverLiquidIndicator&)>& setup) {
    IAeverLiquidIndicator c;
    c.Loaded();
    setup(c);
    const std::string name = file + ".png";
    if (!WritePng(dir_ / name, c.Width() * kScale, c.Height() * kScale, Composite(c))) {
      std::fprintf(stderr, "cannot write %s\n", (dir_ / name).string().c_str());
      ok_ = false;
    }
    entries_.push_back({section, name, caption});
  }

  bool WriteIndex() const {
    std::ofstream html(dir_ / "index.html");
    html << "<!doctype html><meta charset=utf-8><title>Segment indicator gallery</title>\n"
            "<style>body{font:14px sans-serif;background:#eee}figure{display:inline-block;"
            "margin:8px;vertical-align:top}img{image-rendering:pixelated}"
            "figcaption{max-width:360px}</style>\n"
            "<h1>Segment indicator gallery</h1><p>Every picture is drawn by the core at twice "
            "its size; a checkerboard marks where the control is see-through or outside its "
            "window shape.</p>\n";
    std::string section;
    for (const Entry& e : entries_) {
      if (e.section != section) html << "<h2>" << (section = e.section) << "</h2>\n";
      html << "<figure><img src=\"" << e.file << "\"><figcaption>" << e.caption
           << "</figcaption></figure>\n";
    }
    return bool(html);
  }

  bool ok() const { return ok_; }
  std::size_t size() const { return entries_.size(); }

 private:
  fs::path dir_;
  std::vector<Entry> entries_;
  bool ok_ = true;
};

void Build(Gallery& g) {
  for (IAIndicatorKind kind : {ik7segment, ik9segment, ik5x7matrix})
    for (IAIndicatorStyle style : {isThin, isNormal, isThick})
      for (int s = csSilver; s <= csTIAN; ++s) {
        const auto scheme = IAColorScheme(s);
        g.Add("Kinds, styles and schemes",
              std::string("kind_") + Name(kind) + "_" + Name(style) + "_" + Name(scheme),
              std::string(Name(kind)) + ", " + Name(style) + ", " + Name(scheme),
              [=](IAeverLiquidIndicator& c) {
                c.SetColorScheme(scheme);
                c.SetIndicatorKind(kind);
                c.SetIndicatorStyle(style);
                c.SetSignNumber(8);
                c.SetIndicatorstring(SampleText(kind));
              });
      }

  for (IABevelKind outer : {bkUP, bkDown, bkNone})
    for (IABevelKind inner : {bkUP, bkDown, bkNone})
      for (int width : {2, 4})
        g.Add(
            "Frames",
            std::string("frame_") + Name(outer) + "_" + Name(inner) + "_w" + std::to_string(width),
            std::string("outer ") + Name(outer) + ", inner " + Name(inner) + ", widths " +
                std::to_string(width),
            [=](IAeverLiquidIndicator& c) {
              c.SetOuterBevel(outer);
              c.SetInnerBevel(inner);
              c.SetOuterBevelWidth(width);
              c.SetInnerBevelWidth(width);
              c.SetIndicatorstring("8.8.8.8.");
            });

  for (int angle : {0, 300, 450, 900, 1800, 2700})
    for (IAColorScheme scheme : {csSilver, csTIAN})
      for (IAIndicatorKind kind : {ik7segment, ik5x7matrix})
        g.Add("Angles (light stays top left)",
              "angle_" + std::to_string(angle) + "_" + Name(scheme) + "_" + Name(kind),
              "IndicatorAngle " + std::to_string(angle) + ", " + Name(scheme) + ", " + Name(kind),
              [=](IAeverLiquidIndicator& c) {
                c.SetColorScheme(scheme);
                c.SetIndicatorKind(kind);
                c.SetIndicatorWidth(200);
                c.SetIndicatorHeight(44);
                c.SetSignNumber(6);
                c.SetIndicatorAngle(angle);
                c.SetIndicatorstring(kind == ik5x7matrix ? "Tilt!" : "45.67");
              });

  for (IAIndicatorKind kind : {ik7segment, ik5x7matrix})
    for (IAMouseAction action : {maNone, maColor, maWidth, maBoth})
      for (bool moused : {false, true})
        g.Add(
            "Hover",
            std::string("hover_") + Name(kind) + "_" + Name(action) + (moused ? "_over" : "_away"),
            std::string(Name(kind)) + ", " + Name(action) +
                (moused ? ", pointer over it" : ", pointer away"),
            [=](IAeverLiquidIndicator& c) {
              c.SetIndicatorKind(kind);
              c.SetMouseAction(action);
              c.SetIndicatorstring(SampleText(kind));
              if (moused) c.MouseEnter();
            });

  struct MaterialCase {
    const char* file;
    const char* caption;
    std::function<void(IAeverLiquidIndicator&)> setup;
  };
  const MaterialCase materials[] = {
      {"material_back_stretch", "wood background, stretched (frames and unlit shaded from it)",
       [](auto& c) { c.SetBackMaterial(WoodTexture()); }},
      {"material_back_tile", "checked background, tiled",
       [](auto& c) {
         c.SetMaterialMode(mmTile);
         c.SetBackMaterial(CheckTexture());
       }},
      {"material_fore_tile", "striped lit segments, tiled",
       [](auto& c) {
         c.SetColorScheme(csBlack);
         c.SetForeMaterialMode(mmTile);
         c.SetForeMaterial(StripeTexture());
       }},
      {"material_fore_stretch", "wood lit segments, stretched",
       [](auto& c) {
         c.SetColorScheme(csInvSilver);
         c.SetForeMaterial(WoodTexture());
       }},
      {"material_fore_hover", "striped lit segments while hovered with maColor: flat colour",
       [](auto& c) {
         c.SetColorScheme(csBlack);
         c.SetForeMaterialMode(mmTile);
         c.SetForeMaterial(StripeTexture());
         c.SetMouseAction(maColor);
         c.MouseEnter();
       }},
  };
  for (const MaterialCase& m : materials)
    g.Add("Materials", m.file, m.caption, [&](IAeverLiquidIndicator& c) {
      c.SetIndicatorstring("-12.34");
      m.setup(c);
    });
  for (IAMaterialShadowMode mode : {msmDark, msmLight, msmNone})
    g.Add("Materials", std::string("material_shadow_") + Name(mode),
          std::string("tiled check background, unlit segments ") + Name(mode),
          [=](IAeverLiquidIndicator& c) {
            c.SetMaterialMode(mmTile);
            c.SetMaterialShadowMode(mode);
            c.SetBackMaterial(CheckTexture());
            c.SetIndicatorstring("-12.34");
          });

  for (IATransparentMode mode : {tmNone, tmBackOnly, tmAll})
    for (IAColorScheme scheme : {csSilver, csPlasma})
      for (int angle : {0, 300})
        g.Add("See-through modes",
              std::string("transparent_") + Name(mode) + "_" + Name(scheme) + "_" +
                  std::to_string(angle),
              std::string(Name(mode)) + ", " + Name(scheme) + ", angle " + std::to_string(angle),
              [=](IAeverLiquidIndicator& c) {
                c.SetColorScheme(scheme);
                c.SetTransparentMode(mode);
                c.SetIndicatorAngle(angle);
                c.SetIndicatorstring("1.2 3");
              });

  // The main panel's own look: created in code, sized through the window, as the panel does.
  struct PanelCase {
    const char* file;
    int width, cells;
    const char* text;
  } panel[] = {{"panel_single_10", 137, 10, "1234567890"},
               {"panel_single_7", 95, 7, "48213"},
               {"panel_block_3", 44, 3, "12"},
               {"panel_block_4", 57, 4, "345"},
               {"panel_block_2", 29, 2, "07"}};
  for (const PanelCase& p : panel)
    g.Add("Main panel style", p.file,
          std::to_string(p.width) + " x 19, " + std::to_string(p.cells) + " cells, isThin",
          [&](IAeverLiquidIndicator& c) {
            quillo::ApplyIndicatorStyle(c);
            c.SetSignNumber(p.cells);
            c.SetSize(p.width, 19);
            c.SetIndicatorstring(p.text);
          });
}

}  // namespace

int main(int argc, char** argv) {
  const fs::path dir = argc > 1 ? fs::path(argv[1]) : fs::path("build/gallery");
  std::error_code ec;
  fs::create_directories(dir, ec);
  Gallery gallery(dir);
  Build(gallery);
  const bool indexed = gallery.WriteIndex();
  std::printf("%zu pictures in %s\n", gallery.size(), dir.string().c_str());
  return gallery.ok() && indexed ? 0 : 1;
}
