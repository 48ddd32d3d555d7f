// The panel's controls, fonts, hints and painting.
#include "win32/panel_view.h"

#include "core/panel/commands.h"
#include "core/panel/indicator_style.h"
#include "win32/icon_title_font.h"
#include "win32/win_platform.h"

namespace quillo {
namespace {

COLORREF ToColorRef(uint32_t c) {
  return static_cast<COLORREF>(c & 0xFFFFFF);
}

// Czech needs a font with the Central European letters; the font mapper finds one for the face.
BYTE CharsetFor(int language) {
  return language == kCzech ? EASTEUROPE_CHARSET : DEFAULT_CHARSET;
}

HFONT MakeFont(const FontSpec& font, BYTE charset) {
  return CreateFontW(font.height, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                     font.face == "Marlett" ? SYMBOL_CHARSET : charset, OUT_DEFAULT_PRECIS,
                     CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                     Widen(font.face).c_str());
}

int ShadeColor(BevelShade shade) {
  switch (shade) {
    case BevelShade::kLight:
      return COLOR_3DLIGHT;
    case BevelShade::kDarkShadow:
      return COLOR_3DDKSHADOW;
    case BevelShade::kHighlight:
      return COLOR_BTNHIGHLIGHT;
    default:
      return COLOR_BTNSHADOW;
  }
}

}  // namespace

UINT ButtonCommand(ControlId id) {
  switch (id) {
    case ControlId::btnExit:
      return static_cast<UINT>(Command::kBtnExit);
    case ControlId::btnMinimize:
      return static_cast<UINT>(Command::kBtnMinimize);
    case ControlId::btnHelp:
      return static_cast<UINT>(Command::kBtnHelp);
    case ControlId::btnonoff:
      return static_cast<UINT>(Command::kBtnOnOff);
    default:
      return static_cast<UINT>(Command::kBtnSetup);
  }
}

PanelView::PanelView(HINSTANCE instance, HWND window, std::function<void(UINT)> onDrag)
    : instance_(instance), window_(window), onDrag_(std::move(onDrag)), hints_(instance) {}

PanelView::~PanelView() {
  Free();
  for (HFONT f : {labelFont_, symbolFont_, textFont_, hintFont_})
    if (f) DeleteObject(f);
}

void PanelView::CreateFonts(int dpi, int language) {
  const BYTE charset = CharsetFor(language);
  if (fontDpi_ == dpi && fontCharset_ == charset && labelFont_) return;
  for (HFONT* f : {&labelFont_, &symbolFont_, &textFont_, &hintFont_})
    if (*f) DeleteObject(*f), *f = nullptr;
  labelFont_ =
      MakeFont({kLabelFont.face, kLabelFont.bold, ScalePx(kLabelFont.height, dpi)}, charset);
  symbolFont_ = MakeFont(
      {kSymbolButtonFont.face, kSymbolButtonFont.bold, ScalePx(kSymbolButtonFont.height, dpi)},
      charset);
  textFont_ = MakeFont(
      {kTextButtonFont.face, kTextButtonFont.bold, ScalePx(kTextButtonFont.height, dpi)}, charset);
  hintFont_ = IconTitleFontFor(dpi);
  hints_.SetFont(hintFont_);
  fontDpi_ = dpi;
  fontCharset_ = charset;
}

void PanelView::Build(PanelLayout layout, int language) {
  Free();
  layout_ = std::move(layout);
  CreateFonts(layout_.dpi, language);
  // Buttons first and in their tab order: the dialog manager's Tab follows the creation order.
  for (ControlId id : TabOrder(layout_)) {
    const PanelControl& pc = *layout_.Find(id);
    const Rect& b = pc.bounds;
    const bool symbol = pc.font.face == kSymbolButtonFont.face;
    HWND button = CreateWindowExW(
        0, L"BUTTON", Widen(pc.caption).c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
        b.left, b.top, b.width, b.height, window_,
        reinterpret_cast<HMENU>(static_cast<UINT_PTR>(ButtonCommand(pc.id))), instance_, nullptr);
    SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(symbol ? symbolFont_ : textFont_),
                 FALSE);
    hints_.Add(button, Widen(pc.hint));
    buttons_[static_cast<size_t>(pc.id)] = button;
  }
  for (const PanelControl& pc : layout_.controls) {
    if (pc.kind != ControlKind::kIndicator) continue;  // labels are painted by the panel itself
    const Rect& b = pc.bounds;
    auto view = std::make_unique<IndicatorView>();
    view->Create(window_, b.left, b.top, b.width, b.height);
    auto& c = view->Control();
    ApplyIndicatorStyle(c);
    c.SetSignNumber(pc.SignNumber);
    // A press on an indicator moves the window, as one on the panel does; a right press opens
    // the menu through the default handling.
    view->SetOnMouseDown([this](IndicatorView&, UINT message, WPARAM, LPARAM) {
      if (!onDrag_ || message == WM_RBUTTONDOWN) return;
      onDrag_(message == WM_LBUTTONDOWN   ? WM_LBUTTONUP
              : message == WM_MBUTTONDOWN ? WM_MBUTTONUP
                                          : WM_XBUTTONUP);
    });
    view->SetDeferredPainting(true);
    indicators_[static_cast<size_t>(pc.id)] = std::move(view);
  }
  built_ = true;
}

void PanelView::Free() {
  for (int i = 0; i < kControlCount; ++i) {
    if (buttons_[i]) {
      hints_.Remove(buttons_[i]);
      DestroyWindow(buttons_[i]);
      buttons_[i] = nullptr;
    }
    indicators_[i].reset();
  }
  layout_.controls.clear();
  built_ = false;
}

bool PanelView::Relabel(const MainWindowTexts& texts, bool counting, bool distmode) {
  if (!built_) return true;
  if (CharsetFor(texts.language) != fontCharset_) return false;
  SetLanguage(layout_, texts, counting, distmode);
  for (const PanelControl& pc : layout_.controls) {
    HWND button = buttons_[static_cast<size_t>(pc.id)];
    if (!button) continue;
    SetWindowTextW(button, Widen(pc.caption).c_str());
    hints_.Add(button, Widen(pc.hint));
  }
  InvalidateRect(window_, nullptr, FALSE);
  return true;
}

void PanelView::SetOnOffCaption(const std::string& caption) {
  const auto onoff = static_cast<size_t>(ControlId::btnonoff);
  if (buttons_[onoff]) SetWindowTextW(buttons_[onoff], Widen(caption).c_str());
  if (PanelControl* c = layout_.Find(ControlId::btnonoff)) c->caption = caption;
}

void PanelView::SetButtonEnabled(ControlId id, bool enabled) {
  if (HWND button = buttons_[static_cast<size_t>(id)]) EnableWindow(button, enabled);
}

void PanelView::Paint(HDC dc, const RECT& client, HBRUSH panelBrush) {
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  const Size panel = built_ ? layout_.frame.panel : Size{client.right, client.bottom};
  const int dpi = built_ ? layout_.dpi : 96;
  RECT area{0, 0, panel.width, panel.height};
  FillRect(dc, &area, panelBrush);
  for (const BevelBand& band : PanelBevel(panel, dpi)) {
    RECT r{band.rect.left, band.rect.top, band.rect.right(), band.rect.bottom()};
    FillRect(dc, &r, GetSysColorBrush(ShadeColor(band.shade)));
  }
  // The caption labels: yellow bold text centred on black.
  HGDIOBJ oldFont = SelectObject(dc, labelFont_ ? labelFont_ : GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ToColorRef(kLabelLook.fontColor));
  HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  for (const PanelControl& pc : layout_.controls) {
    if (pc.kind != ControlKind::kLabel) continue;
    RECT r{pc.bounds.left, pc.bounds.top, pc.bounds.right(), pc.bounds.bottom()};
    FillRect(dc, &r, black);
    const std::wstring caption = Widen(pc.caption);
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &r,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  }
  SelectObject(dc, oldFont);
}

PanelPresence PanelView::Presence() const {
  if (!built_) return {false, false};
  return {layout_.Has(ControlId::led17), layout_.Has(ControlId::led9)};
}

void PanelView::ShowSample(const SampleView& view) {
  if (!built_) return;
  for (int n = 1; n <= kLedCount; ++n) {
    const auto id = LedControl(n);
    if (!id) continue;
    IndicatorView* led = indicators_[static_cast<size_t>(*id)].get();
    if (!led) continue;
    auto& c = led->Control();
    const IndicatorUpdate& u = view.leds[n];
    const int length = static_cast<int>(u.text.size());
    switch (u.rule) {
      case DigitRule::kKeep:
        break;
      case DigitRule::kGrowToText:
        if (length > c.SignNumber()) c.SetSignNumber(length);
        break;
      case DigitRule::kSetToText:
        c.SetSignNumber(length);
        break;
      case DigitRule::kGrowToPrevious: {
        const int previous = static_cast<int>(c.Indicatorstring().size());
        if (previous > c.SignNumber()) c.SetSignNumber(previous);
        break;
      }
    }
    c.SetIndicatorstring(u.text);
  }
  PaintChangedFigures();
}

void PanelView::PaintChangedFigures() {
  std::array<IndicatorView*, kControlCount> views{};
  for (int i = 0; i < kControlCount; ++i) views[i] = indicators_[i].get();
  PaintPendingIn(window_, views.data(), views.size());
}

}  // namespace quillo
