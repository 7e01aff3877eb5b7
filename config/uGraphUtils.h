// Effects that change a bitmap in place: the pixel-format guard, the DIB copy, the palette
// blend and the noise of the dialog's logo, and the mask maker of the bitmap list.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

#include "ui/uBitmap.h"
#include "ui/uColor.h"
#include "ui/uWide.h"

namespace velmora {

// A set of pixel formats: bit n stands for ordinal n.
using TPixelFormats = std::uint16_t;
inline constexpr TPixelFormats PaletteFormats = 0x000C;  // 4 and 8 bits per pixel
inline constexpr TPixelFormats MaskFormats = 0x00CF;     // device, 1, 4, 8, 24, 32 bits

// "ビットマップイメージが不正です": the graphics layer's invalid-graphic error.
class EInvalidGraphic : public ui::ETextError {
 public:
  EInvalidGraphic();

 protected:
  EInvalidGraphic(const char* cp932, const wchar_t* unicode);
};

// "演算できないビットマップ形式です。": a format the routine cannot work on.
class EInvalidBitmap : public EInvalidGraphic {
 public:
  EInvalidBitmap();
};

void CheckPixelFormat(const ui::TBitmap& bitmap, TPixelFormats formats);
void SplitColor(COLORREF color, std::uint8_t& red, std::uint8_t& green, std::uint8_t& blue);

// The DIB copy: header block (header and colour table) and pixel block, owned here.
struct TDibCopy {
  std::unique_ptr<std::uint8_t[]> Header;
  std::size_t HeaderSize = 0;
  std::unique_ptr<std::uint8_t[]> Bits;
  std::size_t ImageSize = 0;
  bool Delivered = false;  // GetDIBits gave the rows
  BITMAPINFO* Info() const noexcept { return reinterpret_cast<BITMAPINFO*>(Header.get()); }
};
TDibCopy ReadDib(const ui::TBitmap& bitmap);

void BlendPalette(ui::TBitmap& bitmap, ui::TColor color, int percent);
void AddNoise(ui::TBitmap& bitmap, int percent);
void MakeMask(ui::TBitmap& mask, const ui::TBitmap* source, ui::TColor color, bool invert);

}  // namespace velmora
