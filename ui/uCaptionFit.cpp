#include "ui/uCaptionFit.h"

#include <algorithm>
#include <numeric>
#include <vector>

namespace velmora::ui {

void FitCaptions(std::span<TFitBox> boxes,
                 const std::function<int(std::size_t index, int width)>& wrappedHeight) {
  // Top to bottom, so that a box moved down by one above it is judged where it ends up.
  std::vector<std::size_t> order(boxes.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(),
                   [&](std::size_t a, std::size_t b) { return boxes[a].Top < boxes[b].Top; });
  for (const std::size_t i : order) {
    TFitBox& box = boxes[i];
    int height = std::max(box.Height, box.NeededHeight);
    if (box.NeededWidth > box.Width) {
      const int room = std::max(box.Width, box.Limit - box.Left);
      if (box.NeededWidth <= room) {
        box.Width = box.NeededWidth;
      } else {
        box.Width = room;
        height = std::max(height, wrappedHeight(i, room));
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
