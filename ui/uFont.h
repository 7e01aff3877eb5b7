// A logical font with a change notification; the GDI font is made when first needed.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "ui/uColor.h"
#include "ui/uGdi.h"

namespace velmora::ui {

enum TFontStyle : std::uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

// The plugin's default face, size and character set: "ＭＳ Ｐゴシック", 9 points and
// Shift-JIS on a DBCS system whose stock system font uses Shift-JIS; otherwise
// "MS Sans Serif", 8 points and the default character set.
struct TDefaultFont {
  std::string Name;
  int Size;
  BYTE Charset;
};
TDefaultFont DefaultFont();

int ScreenPixelsPerInch();

class TFont {
 public:
  TFont();

  // Face names are the plugin's own texts, in code page 932.
  const std::string& Name() const noexcept { return name_; }
  void SetName(const std::string& name);
  int Size() const noexcept;  // points
  void SetSize(int points);
  int Height() const noexcept { return height_; }  // pixels; negative: character height
  void SetHeight(int height);
  std::uint8_t Style() const noexcept { return style_; }
  void SetStyle(std::uint8_t style);
  TColor Color() const noexcept { return color_; }
  void SetColor(TColor color);
  BYTE Charset() const noexcept { return charset_; }
  void SetCharset(BYTE charset);

  HFONT Handle();  // owned by this object
  std::function<void()> OnChange;

 private:
  void Changed();

  std::string name_;
  int height_;
  std::uint8_t style_ = 0;
  TColor color_ = 0;
  BYTE charset_;
  TFontHandle handle_;
};

}  // namespace velmora::ui
