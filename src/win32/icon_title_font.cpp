// The icon-title font for a DPI, through the core's UseSystemFont and ForDpi.
#include "win32/icon_title_font.h"

#include "core/app/system_font.h"
#include "win32/win_platform.h"

namespace quillo {

HFONT IconTitleFontFor(int dpi) {
  LOGFONTW lf{};
  int systemDpi = dpi;
  if (!SystemParametersInfoForDpi(SPI_GETICONTITLELOGFONT, sizeof lf, &lf, 0,
                                  static_cast<UINT>(dpi))) {
    if (!SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof lf, &lf, 0)) return nullptr;
    systemDpi = static_cast<int>(GetDpiForSystem());
  }
  IconTitleFont f;
  f.height = lf.lfHeight;
  f.orientation = lf.lfOrientation;
  f.weight = lf.lfWeight;
  f.italic = lf.lfItalic;
  f.underline = lf.lfUnderline;
  f.strikeOut = lf.lfStrikeOut;
  f.charSet = lf.lfCharSet;
  f.pitchAndFamily = lf.lfPitchAndFamily;
  f.faceName = Narrow(lf.lfFaceName);
  const FontDescription d = ForDpi(UseSystemFont(f), systemDpi, dpi);
  LOGFONTW out{};
  out.lfHeight = d.height;
  out.lfEscapement = out.lfOrientation = d.orientation;
  out.lfWeight = d.bold ? FW_BOLD : FW_NORMAL;
  out.lfItalic = d.italic;
  out.lfUnderline = d.underline;
  out.lfStrikeOut = d.strikeOut;
  out.lfCharSet = d.charSet;
  out.lfPitchAndFamily = d.pitch == FontPitch::kFixed      ? FIXED_PITCH
                         : d.pitch == FontPitch::kVariable ? VARIABLE_PITCH
                                                           : DEFAULT_PITCH;
  lstrcpynW(out.lfFaceName, Widen(d.name).c_str(), LF_FACESIZE);
  return CreateFontIndirectW(&out);
}

}  // namespace quillo
