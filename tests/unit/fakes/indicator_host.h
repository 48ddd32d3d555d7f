// The indicator control's window in memory.
#pragma once

#include <vector>

#include "core/indicator/liquid_indicator.h"

namespace quillo::fakes {

// Stands in for the window: records what the control asks and behaves as a real window does
// (a resize to a new size is reported back at once; requests wait in a queue).
class FakeIndicatorHost : public indicator::IndicatorHost {
 public:
  indicator::IAeverLiquidIndicator* control = nullptr;
  bool parent = true;
  int posted = 0;
  int invalidated = 0;
  int parentRepaints = 0;
  std::vector<indicator::Quad> shapes;
  std::vector<indicator::Quad> parentAreas;
  std::vector<bool> opaque;
  std::vector<indicator::Size> resizes;

  void DeliverPosted() {
    for (; posted > 0; --posted) control->HandleRebuildRequest();
  }

  void PostRebuildRequest() override { ++posted; }
  void InvalidateControl() override { ++invalidated; }
  void UpdateControl() override {}
  bool HasParent() const override { return parent; }
  void ApplyWindowShape(const indicator::Quad& shape) override { shapes.push_back(shape); }
  void SetOpaque(bool value) override { opaque.push_back(value); }
  void ResizeWindow(int width, int height, bool) override {
    resizes.push_back({width, height});
    if (width != control->Width() || height != control->Height())
      control->SizeChanged(width, height);
  }
  void InvalidateParentArea(const indicator::Quad& area) override { parentAreas.push_back(area); }
  void RepaintParent() override { ++parentRepaints; }
};

}  // namespace quillo::fakes
