// Virtual keys and captions from the layout: MapVirtualKeyExW for the key, ToUnicodeEx for what
// it types without a modifier, upper-cased as keycaps print letters.
#include "win32/history_window/keyboard_captions.h"

#include "win32/win_platform.h"

namespace quillo {
namespace {

// What the key types alone; a dead key (^ on a German keyboard) gives its mark, and the dead
// state it leaves in the layout is cleared by asking again. Windows clears it at the second
// ask; Wine answers every ask of a dead key as dead, so the asking is bounded.
std::wstring Typed(UINT vk, UINT scan, HKL layout) {
  BYTE state[256] = {};
  wchar_t text[8] = {};
  int n = ToUnicodeEx(vk, scan, state, text, 8, 0, layout);
  if (n < 0) {
    wchar_t again[8];
    for (int ask = 0; ask < 4 && ToUnicodeEx(vk, scan, state, again, 8, 0, layout) < 0; ++ask) {
    }
    n = 1;
  }
  if (n <= 0 || text[0] < L' ') return {};
  std::wstring s(text, static_cast<size_t>(n));
  CharUpperBuffW(s.data(), static_cast<DWORD>(s.size()));
  return s;
}

}  // namespace

std::vector<DrawnKey> KeysOfLayout(HKL layout, int language) {
  const bool iso = MapVirtualKeyExW(0x56, MAPVK_VSC_TO_VK_EX, layout) != 0;
  std::vector<DrawnKey> keys = UsKeys(iso, language);
  for (DrawnKey& k : keys) {
    if (!k.physical.fromLayout) continue;
    const UINT vk = MapVirtualKeyExW(k.physical.ScanWithPrefix(), MAPVK_VSC_TO_VK_EX, layout);
    if (!vk) continue;  // the layout leaves it out: the US key stands
    k.key = MakeKeyId(vk, false);
    const std::wstring typed = Typed(vk, k.physical.scan, layout);
    if (!typed.empty()) k.caption = Narrow(typed);
  }
  return keys;
}

}  // namespace quillo
