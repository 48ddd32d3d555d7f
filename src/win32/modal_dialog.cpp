// The open modal dialogs of this thread, innermost last.
#include "win32/modal_dialog.h"

#include <vector>

namespace quillo {
namespace {
thread_local std::vector<HWND> g_open;
}  // namespace

ModalDialogScope::ModalDialogScope(HWND dialog) {
  g_open.push_back(dialog);
}

ModalDialogScope::~ModalDialogScope() {
  g_open.pop_back();
}

HWND OpenModalDialog() {
  for (auto it = g_open.rbegin(); it != g_open.rend(); ++it)
    if (IsWindow(*it)) return *it;
  return nullptr;
}

HWND BoxOwner(HWND owner) {
  const HWND dialog = OpenModalDialog();
  return dialog ? dialog : owner;
}

}  // namespace quillo
