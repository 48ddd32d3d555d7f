// The program's message boxes: plain, error, and the reset question with relabelled buttons. While
// a modal dialog of ours is open, it owns them whatever `owner` is given.
#pragma once

#include <windows.h>

#include <string>

namespace quillo {

// A plain box with an OK button, captioned with the application title.
void ShowMessageBox(HWND owner, const std::string& text);
// The error box.
void ShowErrorBox(HWND owner, const std::string& text);
// A warning with an OK button, captioned with the application title.
void ShowWarningBox(HWND owner, const std::string& text);
// A warning question captioned "Quillomat" whose Yes and No buttons read `yes` and `no`; true
// for the first. With `defaultNo`, Enter answers No.
bool AskYesNoBox(HWND owner, const std::string& text, const std::string& yes, const std::string& no,
                 bool defaultNo = false);

}  // namespace quillo
