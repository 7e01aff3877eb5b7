// The mouse wheel as a dial: its deltas turned into steps, exactly for wheels of any
// resolution, and faster when turned fast. No Windows header.
#pragma once

#include <cstdint>

namespace velmora {

class TWheelNotches {
 public:
  // One notch is 120; a pause this long, or a turn the other way, drops the remainder.
  static constexpr int Notch = 120;
  static constexpr std::uint32_t PauseMs = 500;
  // With acceleration a step at most this long after the previous one counts 2, or 4.
  static constexpr std::uint32_t FastMs = 60, FasterMs = 30;

  // One event of the wheel: its delta (positive away from the user) at timeMs (the
  // system's milliseconds, which wrap). Gives the commands to run, signed as the delta:
  // one per step, or with accelerate 2 or 4 for a step that came soon after the last.
  int Turn(int delta, std::uint32_t timeMs, bool accelerate) noexcept;

 private:
  int remainder_ = 0;  // of the direction being turned, signed
  bool up_ = true;     // that direction
  bool turned_ = false;
  std::uint32_t lastEventMs_ = 0;
  bool stepped_ = false;
  std::uint32_t lastStepMs_ = 0;
};

}  // namespace velmora
