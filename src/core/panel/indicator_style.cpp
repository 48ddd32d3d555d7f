// The main panel's indicator look.
#include "core/panel/indicator_style.h"

#include "core/panel/panel_layout.h"

namespace quillo {

void ApplyIndicatorStyle(indicator::IAeverLiquidIndicator& c) {
  using namespace indicator;
  const IndicatorLook& look = kIndicatorLook;
  c.SetBackColor(static_cast<Color>(look.BackColor));
  c.SetColorScheme(csBlack);
  c.SetIndicatorKind(ik7segment);
  c.SetIndicatorStyle(isThin);
  c.SetInnerBevel(bkNone);
  c.SetNumberBackColor(static_cast<Color>(look.NumberBackColor));
  c.SetNumberForeColor(static_cast<Color>(look.NumberForeColor));
  c.SetNumberForeColor1(static_cast<Color>(look.NumberForeColor1));
  c.SetOuterBevel(bkNone);
  c.SetMouseAction(maColor);
  c.SetTransparentMode(tmNone);
}

}  // namespace quillo
