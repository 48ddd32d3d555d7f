// The keys of the keyboard page as the user's active keyboard layout gives them: ISO or ANSI by
// whether the layout has the key beside the left Shift, and the main block's letters and marks
// from the layout, so that a German keyboard shows Z where a US one shows Y.
#pragma once

#include <windows.h>

#include <vector>

#include "core/history/keyboard_view.h"

namespace quillo {

std::vector<DrawnKey> KeysOfLayout(HKL layout, int language);

}  // namespace quillo
