#include "engine/uCommandMatch.h"

namespace velmora {

int FindHotKeyCommand(const TShortCut (&hotKeys)[CommandCount], TShortCut word) noexcept {
  for (int c = 0; c < CommandCount; ++c)
    if (hotKeys[c] == word) return c;
  return -1;
}

int FindGesture(std::string_view sequence) noexcept {
  for (int i = 0; i < JogCodeCount; ++i)
    if (sequence == JogCodes[i]) return i;
  return -1;
}

int FindJogCommand(const std::uint8_t (&jogDials)[CommandCount], int index) noexcept {
  for (int c = 0; c < CommandCount; ++c)
    if (jogDials[c] == index) return c;
  return -1;
}

bool ApplyJogEvent(std::string& sequence, bool& pressed, unsigned code) {
  bool letter = true;
  switch (code) {
    case JogPress:
      sequence += 'S';
      pressed = true;
      break;
    case JogRelease:
      sequence += 's';
      pressed = false;
      break;
    case JogUp:
      sequence += 'U';
      break;
    case JogDown:
      sequence += 'D';
      break;
    default:
      letter = false;
      break;
  }
  return letter && !pressed;
}

}  // namespace velmora
