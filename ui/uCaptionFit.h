// Captions that read whole: a control whose caption does not fit its width grows to the
// right up to its parent's inner edge; still too long there, it wraps, and what stands
// below it on that parent moves down by the added height. No Windows header.
#pragma once

#include <cstddef>
#include <span>

namespace velmora::ui {

struct TFitBox {
  const void* Parent;  // boxes move only with those of the same parent
  int Left, Top, Width, Height;
  int NeededWidth = 0;  // the caption on one line with its glyph or padding; 0: nothing to fit
  int Limit = 0;        // the parent's inner right edge
  int NeededHeight = 0;  // the caption's lines as they are (a label of several lines)
};

// wrappedHeight(i, width, context): the height box i needs with its caption wrapped in
// that width (asked only for a box that must wrap).
using TWrappedHeight = int (*)(std::size_t index, int width, void* context);
void FitCaptions(std::span<TFitBox> boxes, TWrappedHeight wrappedHeight, void* context);
template <class F>
void FitCaptions(std::span<TFitBox> boxes, F wrappedHeight) {
  FitCaptions(
      boxes,
      [](std::size_t i, int width, void* f) -> int { return (*static_cast<F*>(f))(i, width); },
      &wrappedHeight);
}

}  // namespace velmora::ui
