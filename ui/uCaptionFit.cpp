#include "ui/uCaptionFit.h"

#include <algorithm>
#include <vector>

namespace velmora::ui {

void FitCaptions(std::span<TFitBox> boxes, TWrappedHeight wrappedHeight, void* context) {
  // Top to bottom, so that a box moved down by one above it is judged where it ends up.
  // A layout's hundred rows: an insertion sort, stable, is all it takes.
  std::vector<std::size_t> order;
  order.reserve(boxes.size());
  for (std::size_t i = 0; i < boxes.size(); ++i) {
    std::size_t at = order.size();
    while (at > 0 && boxes[order[at - 1]].Top > boxes[i].Top) --at;
    order.insert(order.begin() + static_cast<std::ptrdiff_t>(at), i);
  }
  for (const std::size_t i : order) {
    TFitBox& box = boxes[i];
    int height = std::max(box.Height, box.NeededHeight);
    if (box.NeededWidth > box.Width) {
      const int room = std::max(box.Width, box.Limit - box.Left);
      if (box.NeededWidth <= room) {
        box.Width = box.NeededWidth;
      } else {
        box.Width = room;
        height = std::max(height, wrappedHeight(i, room, context));
      }
    }
    if (height <= box.Height) continue;
    const int below = box.Top + box.Height, added = height - box.Height;
    box.Height = height;
    for (TFitBox& other : boxes)
      if (&other != &box && other.Parent == box.Parent && other.Top >= below) other.Top += added;
  }
}

}  // namespace velmora::ui
