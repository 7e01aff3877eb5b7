#include "engine/uCommandMatch.h"

namespace velmora {

int FindHotKeyCommand(const TShortCut (&hotKeys)[CommandCount], TShortCut word) noexcept {
  // 0 is "none" in the table: a forwarded 0 (a key without a code, or any program posting
  // to the engine's window) must not run the commands that have no hot key.
  if (word == 0) return -1;
  for (int c = 0; c < CommandCount; ++c)
    if (hotKeys[c] == word) return c;
  return -1;
}

int FindGesture(std::string_view sequence) noexcept {
  // Index 0 is "none": an empty sequence is no gesture.
  if (sequence.empty()) return -1;
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
