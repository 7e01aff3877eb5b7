// A text label that behaves like a hyperlink: another colour and an underline under the
// mouse, the hand cursor, a third colour while pressed, the URL in the browser on a click.
// Windowless: its parent paints it and routes the mouse to it.
#pragma once

#include <string>

#include "ui/uColor.h"
#include "ui/uControls.h"

namespace velmora {

class TSimpleWebLabel : public ui::TGraphicControl {
 public:
  explicit TSimpleWebLabel(ui::TComponent* owner = nullptr);

  ui::TColor NormalColor() const noexcept { return normalColor_; }
  void SetNormalColor(ui::TColor color);
  ui::TColor OverColor = 0xFF0000;
  ui::TColor ClickingColor = 0xFF;
  // The address a click opens: the caption.
  virtual std::string GetURL() const { return Text(); }

  void MouseEnter() override;
  void MouseLeave() override;
  void MouseDown() override;
  void MouseUp() override;
  void Click() override;

 private:
  ui::TColor normalColor_ = 0;
};

// The same label with an address of its own; the caption is only what is shown.
class TSimpleWebLabelEx : public TSimpleWebLabel {
 public:
  using TSimpleWebLabel::TSimpleWebLabel;
  std::string URL;
  std::string GetURL() const override { return URL; }
};

}  // namespace velmora
