#include "ui/uCanvas.h"

namespace velmora::ui {

void TCanvas::TextOut(int x, int y, const std::wstring& text) {
  TSelect font(dc_, font_.Handle());
  SetTextColor(dc_, ColorToRGB(font_.Color()));
  SetBkColor(dc_, ColorToRGB(BrushColor));
  SetBkMode(dc_, OPAQUE);
  ::TextOutW(dc_, x, y, text.data(), static_cast<int>(text.size()));
}

SIZE TCanvas::TextExtent(const std::wstring& text) {
  SIZE size{0, 0};
  TSelect font(dc_, font_.Handle());
  GetTextExtentPoint32W(dc_, text.data(), static_cast<int>(text.size()), &size);
  return size;
}

void TCanvas::Rectangle(int left, int top, int right, int bottom) {
  TPenHandle pen(CreatePen(PS_SOLID, PenWidth, ColorToRGB(PenColor)));
  TBrushHandle brush(CreateSolidBrush(ColorToRGB(BrushColor)));
  TSelect selectPen(dc_, pen.Get());
  TSelect selectBrush(dc_, brush.Get());
  ::Rectangle(dc_, left, top, right, bottom);
}

void TCanvas::Draw(int x, int y, const TBitmap& bitmap) {
  if (bitmap.Empty()) return;
  BitBlt(dc_, x, y, bitmap.Width(), bitmap.Height(), bitmap.DC(), 0, 0, SRCCOPY);
}

void TCanvas::StretchDraw(const RECT& r, const TBitmap& bitmap) {
  if (bitmap.Empty()) return;
  const int w = r.right - r.left, h = r.bottom - r.top;
  if (w == bitmap.Width() && h == bitmap.Height()) return Draw(r.left, r.top, bitmap);
  const int mode = SetStretchBltMode(dc_, HALFTONE);
  POINT origin;
  SetBrushOrgEx(dc_, 0, 0, &origin);  // HALFTONE asks for it
  StretchBlt(dc_, r.left, r.top, w, h, bitmap.DC(), 0, 0, bitmap.Width(), bitmap.Height(),
             SRCCOPY);
  SetBrushOrgEx(dc_, origin.x, origin.y, nullptr);
  SetStretchBltMode(dc_, mode);
}

}  // namespace velmora::ui
