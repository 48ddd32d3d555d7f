// The settings dialog's pages: the tab control, its six pages and every control on them, laid
// out at the window's DPI, and the dialog's state copied to the controls and back.
#pragma once

#include <windows.h>

#include <array>
#include <map>
#include <string>
#include <vector>

#include "core/app/settings_dialog.h"
#include "win32/dialogs/settings_dialog_layout.h"

namespace quillo {

// A window's text, and a text set only when it differs (no flicker, no needless notification).
std::wstring WindowText(HWND h);
void SetText(HWND h, const std::string& utf8);
// An empty dialog template: the controls are created in code, in pixels.
std::vector<WORD> DialogTemplate(DWORD style, DWORD exStyle, const wchar_t* title);

class SettingsPages {
 public:
  SettingsPages() = default;
  ~SettingsPages();
  SettingsPages(const SettingsPages&) = delete;
  SettingsPages& operator=(const SettingsPages&) = delete;

  // Makes the tab control, the pages (child dialogs whose procedure is `pageProc`, called with
  // `param`) and the controls inside `dialog`, then lays them out at `dpi`.
  void Create(HWND dialog, DLGPROC pageProc, LPARAM param, int dpi);
  // The font and the layout for another DPI.
  void SetDpi(int dpi);
  int dpi() const { return dpi_; }

  HWND Control(int id) const {
    const auto it = controls_.find(id);
    return it == controls_.end() ? nullptr : it->second;
  }
  HWND tabs() const { return tabs_; }

  // What the user has done to the controls, into the state.
  void Read(SettingsDialogState& st) const;
  // The state shown: captions, lists, texts, boxes, the tabs and the active page.
  void Write(SettingsDialogState& st);
  // The page shown; the state remembers it.
  void ShowPage(SettingsDialogState& st, SettingsPage page);
  // The next (`delta` 1) or previous (-1) tab, wrapping round.
  void TurnPage(SettingsDialogState& st, int delta);

 private:
  void Layout();
  void WriteList(int id, const ListState& list);
  void SyncTabs(const SettingsDialogState& st);

  HWND dialog_ = nullptr, tabs_ = nullptr, tooltip_ = nullptr;
  std::array<HWND, settings_layout::kPages> pages_{};
  std::map<int, HWND> controls_;
  std::map<int, std::vector<std::string>> listItems_;  // what each list holds now
  HFONT font_ = nullptr;
  int dpi_ = 96;
};

}  // namespace quillo
