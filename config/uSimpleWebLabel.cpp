#include "config/uSimpleWebLabel.h"

#include "config/uBrowser.h"

namespace velmora {

TSimpleWebLabel::TSimpleWebLabel(ui::TComponent* owner) : ui::TGraphicControl(owner) {
  Font().SetColor(normalColor_);
}

void TSimpleWebLabel::SetNormalColor(ui::TColor color) {
  if (color == normalColor_) return;
  normalColor_ = color;
  Font().SetColor(color);
}

void TSimpleWebLabel::MouseEnter() {
  if (GetURL().empty()) return;
  Cursor = LoadCursor(nullptr, IDC_HAND);
  Font().SetColor(ButtonDown() ? ClickingColor : OverColor);
  Font().SetStyle(ui::fsUnderline);
}

void TSimpleWebLabel::MouseLeave() {
  Cursor = nullptr;
  Font().SetColor(normalColor_);
  Font().SetStyle(0);
}

void TSimpleWebLabel::MouseDown() {
  if (!GetURL().empty()) Font().SetColor(ClickingColor);
}

void TSimpleWebLabel::MouseUp() {
  Font().SetColor(normalColor_);
}

void TSimpleWebLabel::Click() {
  if (!OnClick) {
    TBrowser browser(this);  // freed at the end of the scope, also when a step fails
    browser.SetURL(GetURL());
    browser.RunBrowser();
  }
  ui::TGraphicControl::Click();
}

}  // namespace velmora
