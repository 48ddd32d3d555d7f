// Colour schemes, stock system colours and frame shading of the segment indicator.
#include "core/indicator/colors.h"

namespace quillo::indicator {

Color DefaultSystemColor(int index) {
  // Written as 0xRRGGBB for reading; converted below.
  static constexpr int kStock[] = {
      0xC8C8C8, 0x000000, 0x99B4D1, 0xBFCDDB, 0xF0F0F0, 0xFFFFFF, 0x646464, 0x000000,
      0x000000, 0x000000, 0xB4B4B4, 0xF4F7FC, 0xABABAB, 0x0078D7, 0xFFFFFF, 0xF0F0F0,
      0xA0A0A0, 0x6D6D6D, 0x000000, 0x000000, 0xFFFFFF, 0x696969, 0xE3E3E3, 0x000000,
      0xFFFFE1, 0xB5B5B5, 0x0066CC, 0xB9D1EA, 0xD7E4F2, 0x3399FF, 0xF0F0F0};
  if (index < 0 || index >= int(sizeof kStock / sizeof kStock[0])) return 0;
  const int v = kStock[index];
  return MakeColor((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

const SchemeColors& SchemeColorsOf(IAColorScheme scheme) {
  static constexpr SchemeColors kSchemes[] = {
      {0xDDDDDD, 0xDDDDDD, 0xD3D3D3, 0x363636, 0x0000FF},  // csSilver
      {0x000000, 0xDDDDDD, 0x363636, 0xDDDDDD, 0x0000FF},  // csInvSilver
      {0xFFFFFF, 0xDDDDDD, 0xFFFFFF, 0x000000, 0x0000FF},  // csWhite
      {0x000000, 0x808080, 0x000000, 0xFFFFFF, 0x0080FF},  // csBlack
      {0x000080, 0x000080, 0x400080, 0x48BFFF, 0x80FFFF},  // csPlasma
      {0x48BFFF, 0x48BFFF, 0x57A3F7, 0x000080, 0x2747FC},  // csInvPlasma
      {0xA00000, 0xA00000, 0x804000, 0xDAF376, 0x00FFFF},  // csTIAN
  };
  const int i = int(scheme);
  return kSchemes[i < 7 ? i : 0];
}

Color LighterColor(Color rgb) {
  const auto up = [](int v) { return v >= 224 ? 255 : v + 32; };
  return MakeColor(up(RedOf(rgb)), up(GreenOf(rgb)), up(BlueOf(rgb)));
}

Color DarkerColor(Color rgb) {
  const auto down = [](int v) { return v >= 32 ? v - 32 : 0; };
  return MakeColor(down(RedOf(rgb)), down(GreenOf(rgb)), down(BlueOf(rgb)));
}

}  // namespace quillo::indicator
