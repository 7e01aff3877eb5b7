// The dialog's logo fading in: each step draws the pristine logo with noise that thins out
// and a palette that moves from the dialog's colour to the logo's own.
#pragma once

#include <cstdint>

#include "ui/uBitmap.h"
#include "ui/uColor.h"

namespace velmora {

class TLogoFade {
 public:
  explicit TLogoFade(ui::TColor background) noexcept : background_(background) {}

  // The pristine logo, filled by its owner and never modified.
  ui::TBitmap bmpLogo;
  std::int32_t logoStep = 0;

  // Draws the next step into picture; false once the last step has been drawn.
  bool Step(ui::TBitmap& picture);

 private:
  ui::TColor background_;
};

}  // namespace velmora
