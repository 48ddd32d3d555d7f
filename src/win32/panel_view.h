// Panel1's controls on screen: the buttons (created in their tab order), the indicators, the
// painted caption labels and bevels, the buttons' hints, and the fonts they all use, built from
// the core's layout and torn down again.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <string>

#include "core/counting/sampler.h"
#include "core/panel/panel_layout.h"
#include "win32/hint_window.h"
#include "win32/indicator_view.h"

namespace quillo {

class PanelView {
 public:
  // `onDrag` runs for a left, middle or extra button press on an indicator (the window drags
  // until that button's release message, its argument).
  PanelView(HINSTANCE instance, HWND window, std::function<void(UINT upMessage)> onDrag);
  ~PanelView();
  PanelView(const PanelView&) = delete;
  PanelView& operator=(const PanelView&) = delete;

  // SetItems: creates every control of `layout` (at its DPI) for `language`'s script.
  void Build(PanelLayout layout, int language);
  // freeobjects: destroys every control.
  void Free();
  bool built() const { return built_; }
  const PanelLayout& layout() const { return layout_; }

  // A language's captions and hints. False when that language needs other fonts: the caller
  // rebuilds the panel instead.
  bool Relabel(const MainWindowTexts& texts, bool counting, bool distmode);
  void SetOnOffCaption(const std::string& caption);
  void SetButtonEnabled(ControlId id, bool enabled);

  // Panel1 (the colour within its bevels) and the labels.
  void Paint(HDC dc, const RECT& client, HBRUSH panelBrush);
  // The sample's texts into the indicators that exist.
  void ShowSample(const SampleView& view);
  PanelPresence Presence() const;
  // The buttons' hints follow the pointer through the messages the thread retrieves.
  void RelayHint(const MSG& msg) { hints_.Relay(msg); }

 private:
  void CreateFonts(int dpi, int language);
  // The cells of every figure the sample changed, drawn in one pass into one DC of the panel.
  void PaintChangedFigures();

  HINSTANCE instance_;
  HWND window_;
  std::function<void(UINT)> onDrag_;
  HintWindow hints_;
  HFONT labelFont_ = nullptr, symbolFont_ = nullptr, textFont_ = nullptr, hintFont_ = nullptr;
  int fontDpi_ = 0;
  BYTE fontCharset_ = DEFAULT_CHARSET;
  bool built_ = false;
  PanelLayout layout_;
  std::array<std::unique_ptr<IndicatorView>, kControlCount> indicators_;
  std::array<HWND, kControlCount> buttons_{};
};

// The command a panel button sends.
UINT ButtonCommand(ControlId id);

}  // namespace quillo
