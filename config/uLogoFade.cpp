#include "config/uLogoFade.h"

#include "config/uGraphUtils.h"

namespace velmora {

bool TLogoFade::Step(ui::TBitmap& picture) {
  picture.Assign(bmpLogo);
  AddNoise(picture, 70 - logoStep);
  BlendPalette(picture, background_, logoStep);
  return ++logoStep <= 100;
}

}  // namespace velmora
