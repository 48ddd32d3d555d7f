// The History window's click map: a child window that paints the core's picture of where the
// buttons were pressed (the monitors as arranged, their heat layer, the legend) through a DIB
// section at its own DPI, in one copy to the screen so that nothing flickers; the pointer over a
// monitor shows the presses under it as a hint; and the picture it shows can be taken for saving.
// The choice of buttons and range belongs to its owner (the page's own controls, filled from
// ClickButtonChoices and ClickRangeChoices): the owner says what to show with Show().
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "core/history/click_map.h"
#include "core/util/picture_scale.h"
#include "win32/hint_window.h"

namespace quillo {

inline constexpr wchar_t kClickMapViewClass[] = L"QuillomatClickMap";

class ClickMapView {
 public:
  ClickMapView(HINSTANCE instance, HWND parent, int id, HintWindow& hint);
  ~ClickMapView();
  ClickMapView(const ClickMapView&) = delete;
  ClickMapView& operator=(const ClickMapView&) = delete;

  HWND hwnd() const { return hwnd_; }
  // Sums the history's presses of `buttons` over `span` and shows them; called again when the
  // day in progress, the range or the buttons change. The history need not outlive the call.
  void Show(const HistoryData& history, DaySpan span, ClickButtons buttons);
  // The texts' font (the owner's, made for the view's DPI; it stays the owner's), the panel's
  // language and how its numbers are written.
  void SetLook(HFONT font, int language, const NumberStyle& style);
  const ClickMap& map() const { return map_; }
  // The picture last composed: where its monitors lie, for an owner that points into it.
  const ClickMapPicture& picture() const { return picture_; }
  // The picture as shown now, texts included, opaque, at the view's size and DPI: what
  // "Save picture…" writes.
  ArgbPicture Snapshot();
  // The hint shown for the pointer, empty when none is.
  const std::wstring& hintText() const { return hintText_; }

 private:
  static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept;
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp);
  // The picture for the window's size and DPI, composed with its texts into the DIB section.
  void Compose();
  void Changed();
  void Paint();
  void PointerAt(int x, int y);
  void HideHint();
  void FreeBitmap();

  HWND hwnd_ = nullptr;
  HintWindow& hint_;
  HFONT font_ = nullptr;
  int language_ = 0;
  NumberStyle style_;
  ClickMap map_;
  ClickMapPicture picture_;
  bool stale_ = true;
  HDC memory_ = nullptr;  // holds the DIB section while it exists
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ oldBitmap_ = nullptr;
  uint32_t* bits_ = nullptr;
  // The cells the hint names, so that a move within them does not show it again.
  std::optional<ClickSpot> pointed_;
  std::wstring hintText_;
  bool tracking_ = false;
};

}  // namespace quillo
