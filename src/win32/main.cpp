// Program entry: one copy at a time; creates the main window and runs the message loop.
#include <windows.h>

#include <shellapi.h>

#include "win32/main_window.h"
#include "win32/single_instance.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  // Parameters are not interpreted; their presence only turns on the save error messages.
  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (argv) LocalFree(argv);

  // Another copy runs: it comes forward instead, and this one ends before reading anything.
  if (!quillo::ClaimInstance(quillo::kMainWindowClass, quillo::kMainWindowTitle, 10000)) return 0;

  quillo::MainWindow window(instance, argc > 1);
  if (!window.Create()) {
    MessageBoxW(nullptr, L"The main window could not be created.", L"Quillomat 14.0",
                MB_OK | MB_ICONERROR);
    return 1;
  }
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (window.PreTranslate(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
