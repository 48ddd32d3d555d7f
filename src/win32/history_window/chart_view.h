// One chart of the History window: a child window that paints the core's picture of it through a
// bitmap in memory (one copy to the screen, so nothing flickers); the pointer over a day, a bar or
// an hour shows its figure as a hint; a click or a key is handed to the owner, which moves the
// selection. Its window text is the selected figure's hint, which screen readers announce.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "core/history/history_view.h"
#include "win32/hint_window.h"

namespace quillo {

inline constexpr wchar_t kChartViewClass[] = L"QuillomatChart";

// Paints a picture's items in their order: on the screen, and into a bitmap to save.
void PaintChartPicture(HDC dc, const ChartPicture& p, HFONT font);

class ChartView {
 public:
  class Owner {
   public:
    virtual ~Owner() = default;
    virtual ChartPicture DrawChart(HistoryPane pane, int width, int height, bool focused) = 0;
    virtual std::string DescribeChart(HistoryPane pane, int32_t index) = 0;
    virtual int32_t ChartSelection(HistoryPane pane) = 0;
    virtual void ChartClicked(HistoryPane pane, int32_t index) = 0;
    virtual void ChartKeyPressed(HistoryPane pane, ChartKey key) = 0;
    virtual HFONT ChartFontHandle() = 0;
  };

  ChartView(HINSTANCE instance, HWND parent, int id, HistoryPane pane, Owner& owner,
            HintWindow& hint);
  ~ChartView();
  ChartView(const ChartView&) = delete;
  ChartView& operator=(const ChartView&) = delete;

  HWND hwnd() const { return hwnd_; }
  HistoryPane pane() const { return pane_; }
  // What is shown changed: painted anew, its window text and a hint it shows brought up to date.
  void Changed();
  // The hint of the selection, under it (after a key moved it).
  void ShowSelectionHint();
  // The picture as shown now, without the focus rectangle (for saving it).
  ChartPicture PictureToSave();

 private:
  static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept;
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp);
  void Paint();
  // The picture for the window's size now (kept for the pointer until the next change).
  const ChartPicture& Picture();
  // The hint of what is under the pointer; `again` shows it anew though the same is pointed at
  // (its figure may have changed).
  void PointerAt(int x, int y, bool again);
  void HideHint();

  HWND hwnd_ = nullptr;
  HistoryPane pane_;
  Owner& owner_;
  HintWindow& hint_;
  ChartPicture picture_;
  bool stale_ = true;
  // What the hint shows: pointed at, or selected by a key.
  enum class HintOf { kNothing, kPointer, kSelection } hintOf_ = HintOf::kNothing;
  std::optional<int32_t> pointed_;
  bool tracking_ = false;
};

}  // namespace quillo
