// The drawn keyboard's keys, row by row, and the captions of the keys that carry a word.
#include "core/history/keyboard_layout.h"

#include <array>

#include "core/panel/main_window_texts.h"

namespace quillo {
namespace {

constexpr int U = 4;  // one key's width in quarters
// The rows' tops: the function row, then half a key's gap above the five rows of the main block.
constexpr int kRowTop[6] = {0, 6, 10, 14, 18, 22};
constexpr int kNavLeft = 61, kPadLeft = 78;

class Builder {
 public:
  explicit Builder(std::vector<PhysicalKey>& keys) : keys_(keys) {}

  // A key whose letter comes from the layout.
  PhysicalKey& Layout(uint16_t scan, int x, int row, int w, uint32_t vk, std::string_view us) {
    PhysicalKey& k = Add(scan, false, KeyBlock::kMain, {x, kRowTop[row], w, U});
    k.key = MakeKeyId(vk, false);
    k.fromLayout = true;
    k.usCaption = us;
    return k;
  }
  PhysicalKey& Named(uint16_t scan, bool ext, KeyBlock b, KeyQuarters q, uint32_t vk,
                     NamedKey named) {
    PhysicalKey& k = Add(scan, ext, b, q);
    k.key = MakeKeyId(vk, ext);
    k.named = named;
    return k;
  }
  PhysicalKey& Captioned(uint16_t scan, bool ext, KeyBlock b, KeyQuarters q, uint32_t vk,
                         std::string_view caption, uint32_t alternateVk = 0) {
    PhysicalKey& k = Add(scan, ext, b, q);
    k.key = MakeKeyId(vk, ext);
    if (alternateVk) k.alternate = MakeKeyId(alternateVk, false);
    k.usCaption = caption;
    return k;
  }

 private:
  PhysicalKey& Add(uint16_t scan, bool ext, KeyBlock b, KeyQuarters q) {
    PhysicalKey& k = keys_.emplace_back();
    k.scan = scan;
    k.extended = ext;
    k.block = b;
    k.place = q;
    return k;
  }
  std::vector<PhysicalKey>& keys_;
};

std::vector<PhysicalKey> Build(bool iso) {
  std::vector<PhysicalKey> keys;
  Builder b(keys);
  const KeyBlock F = KeyBlock::kFunction, M = KeyBlock::kMain, N = KeyBlock::kNavigation,
                 P = KeyBlock::kKeypad;
  auto at = [](int x, int row, int w = U, int h = U) { return KeyQuarters{x, kRowTop[row], w, h}; };

  // The function row: Escape, three groups of four, then the three keys above the navigation.
  b.Named(0x01, false, F, at(0, 0), 0x1B, NamedKey::kEscape);
  static constexpr std::array<std::string_view, 12> kF = {"F1", "F2", "F3", "F4",  "F5",  "F6",
                                                          "F7", "F8", "F9", "F10", "F11", "F12"};
  for (int i = 0; i < 12; ++i) {
    const uint16_t scan =
        i < 10 ? static_cast<uint16_t>(0x3B + i) : static_cast<uint16_t>(0x57 + i - 10);
    const int x = 2 * U + (i / 4) * (4 * U + 2) + (i % 4) * U;
    b.Captioned(scan, false, F, at(x, 0), 0x70 + static_cast<uint32_t>(i),
                kF[static_cast<size_t>(i)]);
  }
  b.Named(0x37, true, N, at(kNavLeft, 0), 0x2C, NamedKey::kPrintScreen);
  b.Named(0x46, false, N, at(kNavLeft + U, 0), 0x91, NamedKey::kScrollLock);
  b.Named(0x45, false, N, at(kNavLeft + 2 * U, 0), 0x13, NamedKey::kPause);

  // The number row.
  b.Layout(0x29, 0, 1, U, 0xC0, "`");
  static constexpr std::string_view kDigits = "1234567890";
  for (int i = 0; i < 10; ++i)
    b.Layout(static_cast<uint16_t>(0x02 + i), U + i * U, 1, U,
             static_cast<uint32_t>(kDigits[static_cast<size_t>(i)]),
             kDigits.substr(static_cast<size_t>(i), 1));
  b.Layout(0x0C, 11 * U, 1, U, 0xBD, "-");
  b.Layout(0x0D, 12 * U, 1, U, 0xBB, "=");
  b.Named(0x0E, false, M, at(13 * U, 1, 2 * U), 0x08, NamedKey::kBackspace);

  // The top letter row.
  b.Named(0x0F, false, M, at(0, 2, 6), 0x09, NamedKey::kTab);
  static constexpr std::string_view kTop = "QWERTYUIOP";
  for (int i = 0; i < 10; ++i)
    b.Layout(static_cast<uint16_t>(0x10 + i), 6 + i * U, 2, U,
             static_cast<uint32_t>(kTop[static_cast<size_t>(i)]),
             kTop.substr(static_cast<size_t>(i), 1));
  b.Layout(0x1A, 46, 2, U, 0xDB, "[");
  b.Layout(0x1B, 50, 2, U, 0xDD, "]");
  if (!iso) b.Layout(0x2B, 54, 2, 6, 0xDC, "\\");

  // The home row.
  b.Named(0x3A, false, M, at(0, 3, 7), 0x14, NamedKey::kCapsLock);
  static constexpr std::string_view kHome = "ASDFGHJKL";
  for (int i = 0; i < 9; ++i)
    b.Layout(static_cast<uint16_t>(0x1E + i), 7 + i * U, 3, U,
             static_cast<uint32_t>(kHome[static_cast<size_t>(i)]),
             kHome.substr(static_cast<size_t>(i), 1));
  b.Layout(0x27, 43, 3, U, 0xBA, ";");
  b.Layout(0x28, 47, 3, U, 0xDE, "'");
  if (iso) {
    b.Layout(0x2B, 51, 3, U, 0xDC, "\\");
    PhysicalKey& enter = b.Named(0x1C, false, M, at(54, 2, 6), 0x0D, NamedKey::kEnter);
    enter.extra = at(55, 3, 5);
  } else {
    b.Named(0x1C, false, M, at(51, 3, 9), 0x0D, NamedKey::kEnter);
  }

  // The bottom letter row.
  const int zLeft = iso ? 9 : 9;
  if (iso) {
    b.Named(0x2A, false, M, at(0, 4, 5), 0xA0, NamedKey::kShift);
    b.Layout(0x56, 5, 4, U, 0xE2, "\\");
  } else {
    b.Named(0x2A, false, M, at(0, 4, 9), 0xA0, NamedKey::kShift);
  }
  static constexpr std::string_view kBottom = "ZXCVBNM";
  for (int i = 0; i < 7; ++i)
    b.Layout(static_cast<uint16_t>(0x2C + i), zLeft + i * U, 4, U,
             static_cast<uint32_t>(kBottom[static_cast<size_t>(i)]),
             kBottom.substr(static_cast<size_t>(i), 1));
  b.Layout(0x33, 37, 4, U, 0xBC, ",");
  b.Layout(0x34, 41, 4, U, 0xBE, ".");
  b.Layout(0x35, 45, 4, U, 0xBF, "/");
  b.Named(0x36, false, M, at(49, 4, 11), 0xA1, NamedKey::kShift);

  // The space bar's row.
  b.Named(0x1D, false, M, at(0, 5, 5), 0xA2, NamedKey::kCtrl);
  b.Named(0x5B, true, M, at(5, 5, 5), 0x5B, NamedKey::kWin);
  b.Named(0x38, false, M, at(10, 5, 5), 0xA4, NamedKey::kAlt);
  b.Named(0x39, false, M, at(15, 5, 25), 0x20, NamedKey::kSpace);
  b.Named(0x38, true, M, at(40, 5, 5), 0xA5, NamedKey::kAlt);
  b.Named(0x5C, true, M, at(45, 5, 5), 0x5C, NamedKey::kWin);
  b.Named(0x5D, true, M, at(50, 5, 5), 0x5D, NamedKey::kMenu);
  b.Named(0x1D, true, M, at(55, 5, 5), 0xA3, NamedKey::kCtrl);

  // Navigation and arrows.
  b.Named(0x52, true, N, at(kNavLeft, 1), 0x2D, NamedKey::kInsert);
  b.Named(0x47, true, N, at(kNavLeft + U, 1), 0x24, NamedKey::kHome);
  b.Named(0x49, true, N, at(kNavLeft + 2 * U, 1), 0x21, NamedKey::kPageUp);
  b.Named(0x53, true, N, at(kNavLeft, 2), 0x2E, NamedKey::kDelete);
  b.Named(0x4F, true, N, at(kNavLeft + U, 2), 0x23, NamedKey::kEnd);
  b.Named(0x51, true, N, at(kNavLeft + 2 * U, 2), 0x22, NamedKey::kPageDown);
  b.Named(0x48, true, N, at(kNavLeft + U, 4), 0x26, NamedKey::kUp);
  b.Named(0x4B, true, N, at(kNavLeft, 5), 0x25, NamedKey::kLeft);
  b.Named(0x50, true, N, at(kNavLeft + U, 5), 0x28, NamedKey::kDown);
  b.Named(0x4D, true, N, at(kNavLeft + 2 * U, 5), 0x27, NamedKey::kRight);

  // The keypad: its digits send Home, the arrows... with Num Lock off; both are its presses.
  b.Named(0x45, true, P, at(kPadLeft, 1), 0x90, NamedKey::kNumLock);
  b.Captioned(0x35, true, P, at(kPadLeft + U, 1), 0x6F, "/");
  b.Captioned(0x37, false, P, at(kPadLeft + 2 * U, 1), 0x6A, "*");
  b.Captioned(0x4A, false, P, at(kPadLeft + 3 * U, 1), 0x6D, "-");
  b.Captioned(0x47, false, P, at(kPadLeft, 2), 0x67, "7", 0x24);
  b.Captioned(0x48, false, P, at(kPadLeft + U, 2), 0x68, "8", 0x26);
  b.Captioned(0x49, false, P, at(kPadLeft + 2 * U, 2), 0x69, "9", 0x21);
  b.Captioned(0x4E, false, P, at(kPadLeft + 3 * U, 2, U, 2 * U), 0x6B, "+");
  b.Captioned(0x4B, false, P, at(kPadLeft, 3), 0x64, "4", 0x25);
  b.Captioned(0x4C, false, P, at(kPadLeft + U, 3), 0x65, "5", 0x0C);
  b.Captioned(0x4D, false, P, at(kPadLeft + 2 * U, 3), 0x66, "6", 0x27);
  b.Captioned(0x4F, false, P, at(kPadLeft, 4), 0x61, "1", 0x23);
  b.Captioned(0x50, false, P, at(kPadLeft + U, 4), 0x62, "2", 0x28);
  b.Captioned(0x51, false, P, at(kPadLeft + 2 * U, 4), 0x63, "3", 0x22);
  b.Named(0x1C, true, P, at(kPadLeft + 3 * U, 4, U, 2 * U), 0x0D, NamedKey::kEnter);
  b.Captioned(0x52, false, P, at(kPadLeft, 5, 2 * U), 0x60, "0", 0x2D);
  b.Captioned(0x53, false, P, at(kPadLeft + 2 * U, 5), 0x6E, ".", 0x2E);
  return keys;
}

using Column = std::array<std::string_view, kLanguageCount>;

// Keyboards print these in the country's words; most languages keep the English legends.
// English, Dutch, German, Spanish, French, Swedish, Norwegian, Portuguese, Czech.
// clang-format off
constexpr std::array<Column, kNamedKeyCount> kNamed = {{
    {{"Esc", "Esc", "Esc", "Esc", "Échap", "Esc", "Esc", "Esc", "Esc"}},
    {{"Tab", "Tab", "Tab", "Tab", "Tab", "Tab", "Tab", "Tab", "Tab"}},
    {{"Caps", "Caps", "Feststell", "Bloq Mayús", "Verr Maj", "Caps", "Caps", "Caps", "Caps"}},
    {{"Shift", "Shift", "Umsch", "Mayús", "Maj", "Shift", "Shift", "Shift", "Shift"}},
    {{"Ctrl", "Ctrl", "Strg", "Ctrl", "Ctrl", "Ctrl", "Ctrl", "Ctrl", "Ctrl"}},
    {{"Win", "Win", "Win", "Win", "Win", "Win", "Win", "Win", "Win"}},
    {{"Alt", "Alt", "Alt", "Alt", "Alt", "Alt", "Alt", "Alt", "Alt"}},
    {{"Menu", "Menu", "Menü", "Menú", "Menu", "Meny", "Meny", "Menu", "Menu"}},
    {{"Space", "Spatie", "Leertaste", "Espacio", "Espace", "Mellanslag", "Mellomrom", "Espaço", "Mezerník"}},
    {{"Enter", "Enter", "Enter", "Intro", "Entrée", "Enter", "Enter", "Enter", "Enter"}},
    {{"Backspace", "Backspace", "Rück", "Retroceso", "Retour", "Backsteg", "Tilbake", "Backspace", "Backspace"}},
    {{"Ins", "Ins", "Einfg", "Insert", "Inser", "Insert", "Insert", "Insert", "Insert"}},
    {{"Del", "Del", "Entf", "Supr", "Suppr", "Delete", "Delete", "Delete", "Delete"}},
    {{"Home", "Home", "Pos1", "Inicio", "Début", "Home", "Home", "Home", "Home"}},
    {{"End", "End", "Ende", "Fin", "Fin", "End", "End", "End", "End"}},
    {{"PgUp", "PgUp", "BildAuf", "RePág", "PgPréc", "PgUp", "PgUp", "PgUp", "PgUp"}},
    {{"PgDn", "PgDn", "BildAb", "AvPág", "PgSuiv", "PgDn", "PgDn", "PgDn", "PgDn"}},
    {{"Left", "Links", "Links", "Izquierda", "Gauche", "Vänster", "Venstre", "Esquerda", "Vlevo"}},
    {{"Right", "Rechts", "Rechts", "Derecha", "Droite", "Höger", "Høyre", "Direita", "Vpravo"}},
    {{"Up", "Omhoog", "Auf", "Arriba", "Haut", "Upp", "Opp", "Cima", "Nahoru"}},
    {{"Down", "Omlaag", "Ab", "Abajo", "Bas", "Ned", "Ned", "Baixo", "Dolů"}},
    {{"PrtSc", "PrtSc", "Druck", "ImpPt", "ImprÉc", "PrtSc", "PrtSc", "PrtSc", "PrtSc"}},
    {{"ScrLk", "ScrLk", "Roll", "BloqDes", "ArrDéf", "ScrLk", "ScrLk", "ScrLk", "ScrLk"}},
    {{"Pause", "Pause", "Pause", "Pausa", "Pause", "Pause", "Pause", "Pause", "Pause"}},
    {{"Num", "Num", "Num", "BloqNum", "VerrNum", "Num", "Num", "Num", "Num"}},
}};
// clang-format on

}  // namespace

const std::vector<PhysicalKey>& FullKeyboard(bool iso) {
  static const std::vector<PhysicalKey> kIso = Build(true), kAnsi = Build(false);
  return iso ? kIso : kAnsi;
}

std::string_view NamedKeyCaption(NamedKey k, int language) {
  const int row = static_cast<int>(k);
  if (row < 0 || row >= kNamedKeyCount) return {};
  const int column = language >= 0 && language < kLanguageCount ? language : 0;
  return kNamed[static_cast<size_t>(row)][static_cast<size_t>(column)];
}

}  // namespace quillo
