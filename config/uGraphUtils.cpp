#include "config/uGraphUtils.h"

#include <cstring>

#include "config/uGraphMath.h"
#include "ui/uTexts.h"

namespace velmora {

EInvalidGraphic::EInvalidGraphic()
    : EInvalidGraphic(texts::InvalidBitmapError.Cp932, texts::InvalidBitmapError.Unicode) {}
EInvalidGraphic::EInvalidGraphic(const char* cp932, const wchar_t* unicode)
    : ui::ETextError(cp932, unicode) {}
EInvalidBitmap::EInvalidBitmap()
    : EInvalidGraphic(texts::BitmapFormatError.Cp932, texts::BitmapFormatError.Unicode) {}

void CheckPixelFormat(const ui::TBitmap& bitmap, TPixelFormats formats) {
  const unsigned ordinal = static_cast<unsigned>(bitmap.PixelFormat());
  if (ordinal > 15 || !(formats & (1u << ordinal))) throw EInvalidBitmap();
}

void SplitColor(COLORREF color, std::uint8_t& red, std::uint8_t& green, std::uint8_t& blue) {
  red = GetRValue(color);
  green = GetGValue(color);
  blue = GetBValue(color);
}

TDibCopy ReadDib(const ui::TBitmap& bitmap) {
  DIBSECTION section{};
  const int got = bitmap.Handle() ? GetObjectA(bitmap.Handle(), sizeof section, &section) : 0;
  if (got == 0) throw EInvalidGraphic();
  BITMAPINFOHEADER header{};
  if (got >= 64 && section.dsBmih.biSize >= sizeof header) {
    header = section.dsBmih;
  } else {
    // A device-dependent bitmap: its rows as GDI gives them at its own depth.
    header.biWidth = section.dsBm.bmWidth;
    header.biHeight = section.dsBm.bmHeight;
    header.biBitCount = section.dsBm.bmBitsPixel;
    header.biCompression = BI_RGB;
  }
  header.biSize = sizeof header;
  header.biPlanes = 1;
  const unsigned bits = header.biBitCount;
  if (bits <= 8) {
    const DWORD colors = header.biClrUsed ? header.biClrUsed : (1u << bits);
    if (header.biClrImportant > colors) header.biClrImportant = colors;
  }
  const std::size_t row = (static_cast<std::size_t>(header.biWidth) * bits + 31) / 32 * 4;
  const std::size_t height =
      static_cast<std::size_t>(header.biHeight < 0 ? -header.biHeight : header.biHeight);
  if (header.biSizeImage == 0) header.biSizeImage = static_cast<DWORD>(row * height);

  TDibCopy copy;
  copy.HeaderSize = bits <= 8 ? sizeof header + 256 * sizeof(RGBQUAD)
                              : sizeof header + (header.biCompression == BI_BITFIELDS ? 12 : 0);
  copy.ImageSize = header.biSizeImage;
  // Entries beyond the bitmap's own colours read as black, not as whatever was there.
  copy.Header.reset(new std::uint8_t[copy.HeaderSize]());
  copy.Bits.reset(new std::uint8_t[copy.ImageSize]());
  std::memcpy(copy.Header.get(), &header, sizeof header);
  ui::TMemoryDC dc;
  ui::TBitmap::TUnselected unselected(bitmap);
  copy.Delivered = GetDIBits(dc.Get(), bitmap.Handle(), 0, static_cast<UINT>(height),
                             copy.Bits.get(), copy.Info(), DIB_RGB_COLORS) != 0;
  return copy;
}

void BlendPalette(ui::TBitmap& bitmap, ui::TColor color, int percent) {
  CheckPixelFormat(bitmap, PaletteFormats);
  const int keep = ClampPercent(percent);
  std::uint8_t cr, cg, cb;
  SplitColor(ui::ColorToRGB(color), cr, cg, cb);
  TDibCopy dib = ReadDib(bitmap);
  RGBQUAD* table = dib.Info()->bmiColors;
  for (int i = 0; i < 256; ++i) {
    table[i].rgbRed = MixChannel(table[i].rgbRed, cr, keep);
    table[i].rgbGreen = MixChannel(table[i].rgbGreen, cg, keep);
    table[i].rgbBlue = MixChannel(table[i].rgbBlue, cb, keep);
  }
  SetDIBColorTable(bitmap.DC(), 0, 256, table);
}

void AddNoise(ui::TBitmap& bitmap, int percent) {
  CheckPixelFormat(bitmap, PaletteFormats);
  if (percent < 1) return;
  const auto p = static_cast<std::uint32_t>(ClampPercent(percent));
  TDibCopy dib = ReadDib(bitmap);
  std::uint8_t* bits = dib.Bits.get();
  for (std::size_t i = 0; i < dib.ImageSize; ++i)
    if (p > Random(100)) bits[i] = static_cast<std::uint8_t>(Random(256));
  const LONG height = dib.Info()->bmiHeader.biHeight;
  ui::TBitmap::TUnselected unselected(bitmap);
  SetDIBits(bitmap.DC(), bitmap.Handle(), 0, static_cast<UINT>(height < 0 ? -height : height), bits,
            dib.Info(), DIB_RGB_COLORS);
}

void MakeMask(ui::TBitmap& mask, const ui::TBitmap* source, ui::TColor color, bool invert) {
  if (!source || source->Empty()) return;
  CheckPixelFormat(*source, MaskFormats);
  const COLORREF key = ui::ColorToRGB(color);
  COLORREF mark = RGB(255, 255, 255), other = RGB(0, 0, 0);
  if (invert) std::swap(mark, other);
  // Marked in a bitmap of the screen's format, where black and white are exact: a copy
  // of a palette source would turn them into its nearest entries. The result is the
  // two-colour device bitmap the source's copy would end as.
  mask.SetDeviceBitmap(source->Width(), source->Height());
  for (int y = 0; y < source->Height(); ++y)
    for (int x = 0; x < source->Width(); ++x)
      SetPixel(mask.DC(), x, y, GetPixel(source->DC(), x, y) == key ? mark : other);
}

}  // namespace velmora
