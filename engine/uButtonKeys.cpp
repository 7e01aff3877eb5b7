#include "engine/uButtonKeys.h"

#include <algorithm>

namespace velmora {

TShortCut TButtonKeys::Press(unsigned vk, bool shift, bool ctrl, bool alt, bool win) noexcept {
  const TShortCut word = MakeButtonWord(vk, shift, ctrl, alt, win);
  if (!word || std::find(words_.begin(), words_.end(), word) == words_.end()) return 0;
  taken_[vk - vkMiddleButton] = true;
  return word;
}

bool TButtonKeys::Release(unsigned vk) noexcept {
  return IsButtonKey(vk) && taken_[vk - vkMiddleButton].exchange(false);
}

void TButtonKeys::GiveBack(unsigned vk) noexcept {
  if (IsButtonKey(vk)) taken_[vk - vkMiddleButton] = false;
}

bool TButtonKeys::Held(unsigned vk) const noexcept {
  return IsButtonKey(vk) && taken_[vk - vkMiddleButton];
}

std::vector<TShortCut> ButtonWords(const TShortCut* words, int count) {
  std::vector<TShortCut> out;
  for (int i = 0; i < count; ++i)
    if (IsButtonWord(words[i]) && std::find(out.begin(), out.end(), words[i]) == out.end())
      out.push_back(words[i]);
  return out;
}

}  // namespace velmora
