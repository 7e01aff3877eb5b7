#include "engine/uWheelNotches.h"

namespace velmora {

int TWheelNotches::Turn(int delta, std::uint32_t timeMs, bool accelerate) noexcept {
  if (delta == 0) return 0;
  const bool up = delta > 0;
  if (turned_ && (timeMs - lastEventMs_ >= PauseMs || up != up_)) remainder_ = 0;
  if (up != up_) stepped_ = false;  // a turn the other way starts slowly
  up_ = up;
  turned_ = true;
  lastEventMs_ = timeMs;
  // A delta is at most 32767 a way: the sum stays far inside an int.
  remainder_ += delta;
  const int steps = remainder_ / Notch;  // towards zero, the remainder keeps the sign
  remainder_ -= steps * Notch;
  int commands = 0;
  for (int i = steps < 0 ? -steps : steps; i > 0; --i) {
    int weight = 1;
    if (accelerate && stepped_) {
      const std::uint32_t since = timeMs - lastStepMs_;
      weight = since <= FasterMs ? 4 : since <= FastMs ? 2 : 1;
    }
    stepped_ = true;
    lastStepMs_ = timeMs;
    commands += weight;
  }
  return steps < 0 ? -commands : commands;
}

}  // namespace velmora
