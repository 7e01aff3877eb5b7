// A form's controls placed from a table in 96-dpi pixels: scaled to the form's dpi, each
// caption measured in its own font and fitted (ui/uCaptionFit.h). Run again when the form
// moves to a monitor of another dpi.
#pragma once

#include <windows.h>

#include <vector>

#include "ui/uControls.h"

namespace velmora::ui {

enum class TFit {
  None,       // no caption of its own (edits, boxes, containers)
  Label,      // its caption's lines in its bounds
  AutoLabel,  // sized to its caption; a negative left puts its right edge at -left
  Check,      // the caption beside a check glyph
  Button,     // the caption inside a push button's frame
};

class TLayout {
 public:
  void Add(TWinControl* control, int left, int top, int width, int height, TFit fit);
  // Places every control at dpi. A parent not in the table (a form, a page) lends its
  // client width as the captions' limit, fallbackWidth (96 dpi) while it has no window.
  void Apply(int dpi, int fallbackWidth);
  // How much the captions' wrapping added below the controls of that parent.
  int AddedHeight(const TWinControl* parent) const noexcept;

 private:
  struct TItem {
    TWinControl* Control;
    int Left, Top, Width, Height;
    TFit Fit;
    int Added = 0;  // how far its bottom lies below the table's, after the last Apply
  };
  std::vector<TItem> items_;
};

// A caption's extent in a font, its "&" marks taken as the system draws them; wrapped
// within width when it is above 0.
SIZE CaptionExtent(TFont& font, const std::wstring& text, int width = 0);
SIZE CaptionExtent(TWinControl& control, int width = 0);

}  // namespace velmora::ui
