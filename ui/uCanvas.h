// Drawing on a borrowed DC with a pen, a brush and a font; each operation selects its
// objects for its own length and restores the DC's previous ones.
#pragma once

#include <windows.h>

#include <string>

#include "ui/uBitmap.h"
#include "ui/uColor.h"
#include "ui/uFont.h"

namespace velmora::ui {

class TCanvas {
 public:
  TCanvas(HDC dc, TFont& font) noexcept : dc_(dc), font_(font) {}
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  HDC Handle() const noexcept { return dc_; }
  TFont& Font() noexcept { return font_; }
  TColor PenColor = 0;
  int PenWidth = 1;
  TColor BrushColor = 0x00FFFFFF;

  // Through the wide API: the plugin's own texts converted from code page 932, outside
  // texts (a track's title) in any script. Opaque, on the brush colour.
  void TextOut(int x, int y, const std::wstring& text);
  SIZE TextExtent(const std::wstring& text);
  void Rectangle(int left, int top, int right, int bottom);
  void Draw(int x, int y, const TBitmap& bitmap);  // unscaled, every pixel
  // Into the rectangle, smoothed where the size differs; unscaled where it does not.
  void StretchDraw(const RECT& r, const TBitmap& bitmap);

 private:
  HDC dc_;
  TFont& font_;
};

}  // namespace velmora::ui
