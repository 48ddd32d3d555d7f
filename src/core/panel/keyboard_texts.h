// The texts of the History window's pages and of its keyboard page, in the nine interface
// languages: the pages' names, the ranges, "Save picture...", the table's headings and the names
// of the keys the drawn keyboard does not have.
#pragma once

#include <string>
#include <string_view>

namespace quillo {

// clang-format off
enum class KeyboardText : int {
  chartsPage, keyboardPage, clicksPage,
  rangeDay, rangeWeek, rangeMonth, rangeYear, rangeAll,
  savePicture, pngFiles,
  mostUsed, keyHeading, countHeading, modifiers, allModifiers, notDrawn, keyCode,
  volumeMute, volumeDown, volumeUp, nextTrack, previousTrack, stopMedia, playPause,
};
// clang-format on
inline constexpr int kKeyboardTextCount = 24;

// One cell of the table (UTF-8); an index outside 0 … 8 reads the English column.
std::string_view KeyboardWindowText(KeyboardText row, int language);
// A text of the table with "{}" replaced by `value` ("Key {}" → "Key 0x0E8").
std::string KeyboardTextWith(KeyboardText row, int language, std::string_view value);

}  // namespace quillo
