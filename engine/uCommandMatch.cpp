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

bool ApplyJogEvent(TJogState& state, unsigned code) {
  bool letter = true;
  switch (code) {
    case JogPress:
      state.Sequence += 'S';
      state.Pressed = true;
      break;
    case JogRelease:
      state.Sequence += 's';
      state.Pressed = false;
      break;
    case JogUp:
      state.Sequence += 'U';
      break;
    case JogDown:
      state.Sequence += 'D';
      break;
    default:
      letter = false;
      break;
  }
  return letter && !state.Pressed;
}

}  // namespace velmora
