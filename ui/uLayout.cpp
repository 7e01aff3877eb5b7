#include "ui/uLayout.h"

#include <algorithm>
#include <cstdlib>

#include "ui/uCaptionFit.h"
#include "ui/uDialogControls.h"
#include "ui/uGdi.h"
#include "ui/uWide.h"

namespace velmora::ui {

namespace {
// At 96 dpi: the check glyph and its gap before the caption, as the system draws them
// (13 and 3 or 4), with a pixel to spare; a push button's frame, two pixels a side, and a
// pixel of air.
constexpr int kCheckExtra = 18;
constexpr int kButtonExtra = 6;
// The parent's inner edge: a pixel inside its client area (a group box's frame line).
constexpr int kInnerMargin = 1;
}  // namespace

SIZE CaptionExtent(TWinControl& control, int width) {
  return CaptionExtent(control.EffectiveFont(), ToWide(control.Text(), control.TextCodePage), width);
}

SIZE CaptionExtent(TFont& f, const std::wstring& text, int width) {
  TWindowDC screen(nullptr);
  TSelect font(screen.Get(), f.Handle());
  RECT r{0, 0, width > 0 ? width : 0, 0};
  DrawTextW(screen.Get(), text.c_str(), static_cast<int>(text.size()), &r,
            DT_CALCRECT | (width > 0 ? DT_WORDBREAK : 0));
  return {r.right - r.left, r.bottom - r.top};
}

void TLayout::Add(TWinControl* control, int left, int top, int width, int height, TFit fit) {
  items_.push_back({control, left, top, width, height, fit});
}

int TLayout::AddedHeight(const TWinControl* parent) const noexcept {
  int added = 0;
  for (const TItem& it : items_)
    if (it.Control->Parent() == parent) added = std::max(added, it.Added);
  return added;
}

void TLayout::Apply(int dpi, int fallbackWidth) {
  auto scale = [dpi](int v) { return ScaleDpi(v, dpi); };
  std::vector<TFitBox> boxes;
  boxes.reserve(items_.size());
  std::vector<int> lineHeights(items_.size(), 0);
  for (std::size_t i = 0; i < items_.size(); ++i) {
    const TItem& it = items_[i];
    TFitBox b{it.Control->Parent(), scale(std::abs(it.Left)), scale(it.Top), scale(it.Width),
              scale(it.Height)};
    if (it.Fit != TFit::None) {
      const SIZE text = CaptionExtent(*it.Control);
      lineHeights[i] = text.cy;
      switch (it.Fit) {
        case TFit::AutoLabel:
          b.Width = text.cx;
          b.Height = text.cy;
          if (it.Left < 0) b.Left -= text.cx;
          break;
        case TFit::Label:
          b.NeededWidth = text.cx;
          b.NeededHeight = text.cy;
          break;
        case TFit::Check:
          b.NeededWidth = text.cx + scale(kCheckExtra);
          break;
        case TFit::Button:
          b.NeededWidth = text.cx + scale(kButtonExtra);
          break;
        case TFit::None:
          break;
      }
    }
    boxes.push_back(b);
  }
  // Everything at its scaled place first: a page takes its new size from its page control
  // before its inner edge is read.
  for (std::size_t i = 0; i < items_.size(); ++i)
    if (items_[i].Control->HandleAllocated())
      items_[i].Control->SetBounds(boxes[i].Left, boxes[i].Top, boxes[i].Width, boxes[i].Height);
  // Each parent's inner right edge: the table's width for a parent in it, else the
  // window's client width.
  for (TFitBox& b : boxes) {
    const auto* parent = static_cast<const TWinControl*>(b.Parent);
    int width = -1;
    for (std::size_t j = 0; j < items_.size(); ++j)
      if (items_[j].Control == parent) width = boxes[j].Width;
    if (width < 0 && parent) {
      auto* p = const_cast<TWinControl*>(parent);
      RECT client{0, 0, 0, 0};
      if (p->HandleAllocated() && GetClientRect(p->Handle(), &client) && client.right > 0)
        width = client.right;
      else
        width = scale(fallbackWidth);
    }
    b.Limit = std::max(0, width) - scale(kInnerMargin);
  }
  FitCaptions(boxes, [&](std::size_t i, int width) {
    const int padding = boxes[i].Height - lineHeights[i];
    const int extra = items_[i].Fit == TFit::Check    ? scale(kCheckExtra)
                      : items_[i].Fit == TFit::Button ? scale(kButtonExtra)
                                                      : 0;
    return CaptionExtent(*items_[i].Control, width - extra).cy + std::max(0, padding);
  });
  for (std::size_t i = 0; i < items_.size(); ++i) {
    TItem& it = items_[i];
    const TFitBox& b = boxes[i];
    if (auto* check = dynamic_cast<TCheckBox*>(it.Control))
      check->SetWordWrap(b.Height > scale(it.Height));
    it.Control->SetBounds(b.Left, b.Top, b.Width, b.Height);
    it.Added = std::max(0, b.Top + b.Height - scale(it.Top + it.Height));
  }
}

}  // namespace velmora::ui
