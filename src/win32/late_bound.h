// Functions of system libraries that only some commands need, found when first asked for, so that
// the program does not map those libraries (nor pay for their memory) before then.
#pragma once

#include <windows.h>

namespace quillo {

// Binds `f` to the function `name` of the loaded `module`; `ok` becomes false when it is missing.
template <typename F>
void Bind(HMODULE module, F& f, const char* name, bool& ok) {
  f = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)));
  ok = ok && f != nullptr;
}

// The function `name` of `library`, loading the library if it is not loaded yet; nullptr when
// either is missing. Loaded libraries stay loaded.
template <typename F>
F LateBound(const wchar_t* library, const char* name) {
  HMODULE module = GetModuleHandleW(library);
  if (!module) module = LoadLibraryW(library);
  return module ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)))
                : nullptr;
}

}  // namespace quillo
