// The texts of the settings dialog's "History" page in the nine interface languages: its tab, the
// setting, where the history is kept, and deleting it.
#pragma once

#include <string_view>

namespace quillo {

// clang-format off
enum class HistoryText : int {
  TabHistory,        // the page's tab
  chkKeepHistory,    // the setting
  lblHistoryNote,    // the history never leaves the computer
  lblHistoryFolder,  // above the folder's path, and before it in the question
  btnDeleteHistory,
  deleteQuestion,    // asked before anything is deleted
  deleteFailed,      // followed by the system's reason
};
// clang-format on
inline constexpr int kHistoryTextCount = 7;

// One cell of the table (UTF-8). An index outside 0 … 8 reads the English column.
std::string_view HistorySettingText(HistoryText row, int language);

}  // namespace quillo
