// Files written so that a failure never costs what was there: a whole file replaced through a
// temporary file beside it, and the system's reason for a failure in plain words.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace quillo {

// The system's reason for an error code, without the "what" that Win32ErrorText puts first.
std::string SystemReason(DWORD code);

// Puts `bytes` in place of the file at `path` as a whole: the new content goes to a temporary
// file beside it (same volume, so the final rename is atomic), flushed to the disk, and only then
// renamed over the target. If anything fails, a file that was there stays as it was and no
// temporary file is left. nullopt on success, otherwise the system's reason.
std::optional<std::string> ReplaceWholeFile(const std::wstring& path, std::string_view bytes,
                                            const wchar_t* tempPrefix);

// Appends `bytes` to the file at `path` (created when missing) all or nothing: a write that fails
// part way (a full disk takes what fits) is cut back to where the file ended, so no torn line is
// left for the next append to follow. nullopt on success, otherwise the error code.
std::optional<DWORD> AppendWhole(const std::wstring& path, std::string_view bytes, bool flush);

}  // namespace quillo
