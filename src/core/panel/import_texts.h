// The texts of the import question and of its backup, in the nine interface languages.
#pragma once

#include <string_view>

namespace quillo {

// clang-format off
enum class ImportText : int {
  question, now, inFile, keystrokes, clicks, distance, runningTime, backupNote, undoNote,
  backupFailed,
};
// clang-format on
inline constexpr int kImportTextCount = 10;

// One cell of the table (UTF-8). An index outside 0 … 8 reads the English column.
std::string_view ImportQuestionText(ImportText row, int language);

}  // namespace quillo
