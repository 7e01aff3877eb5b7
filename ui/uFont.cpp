#include "ui/uFont.h"

#include "ui/uTexts.h"
#include "ui/uWide.h"

namespace velmora::ui {

int ScreenPixelsPerInch() {
  const TWindowDC screen(nullptr);
  const int ppi = screen.Get() ? GetDeviceCaps(screen.Get(), LOGPIXELSY) : 96;
  return ppi > 0 ? ppi : 96;
}

TDefaultFont DefaultFont() {
  if (GetSystemMetrics(SM_DBCSENABLED)) {
    bool shiftJis = false;
    if (const TWindowDC screen(nullptr); screen.Get()) {
      TEXTMETRICA tm{};
      TSelect select(screen.Get(), GetStockObject(SYSTEM_FONT));
      shiftJis = GetTextMetricsA(screen.Get(), &tm) && tm.tmCharSet == SHIFTJIS_CHARSET;
    }
    if (shiftJis) return {texts::JapaneseFontName.Cp932, 9, SHIFTJIS_CHARSET};
  }
  return {"MS Sans Serif", 8, DEFAULT_CHARSET};
}

TFont::TFont() {
  const TDefaultFont d = DefaultFont();
  name_ = d.Name;
  charset_ = d.Charset;
  height_ = -MulDiv(d.Size, ScreenPixelsPerInch(), 72);
}

int TFont::Size() const noexcept {
  return -MulDiv(height_, 72, ScreenPixelsPerInch());
}

void TFont::SetName(const std::string& name) {
  if (name == name_) return;
  name_ = name;
  Changed();
}

void TFont::SetSize(int points) {
  SetHeight(-MulDiv(points, ScreenPixelsPerInch(), 72));
}

void TFont::SetHeight(int height) {
  if (height == height_) return;
  height_ = height;
  Changed();
}

void TFont::SetStyle(std::uint8_t style) {
  if (style == style_) return;
  style_ = style;
  Changed();
}

void TFont::SetColor(TColor color) {
  if (color == color_) return;
  color_ = color;
  Changed();
}

void TFont::SetCharset(BYTE charset) {
  if (charset == charset_) return;
  charset_ = charset;
  Changed();
}

void TFont::Changed() {
  handle_.Reset();
  if (OnChange) OnChange();
}

HFONT TFont::Handle() {
  if (!handle_) {
    handle_.Reset(CreateFontW(
        height_, 0, 0, 0, (style_ & fsBold) ? FW_BOLD : FW_NORMAL, (style_ & fsItalic) != 0,
        (style_ & fsUnderline) != 0, (style_ & fsStrikeOut) != 0, charset_, OUT_DEFAULT_PRECIS,
        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, FromCp932(name_).c_str()));
  }
  return handle_.Get();
}

}  // namespace velmora::ui
