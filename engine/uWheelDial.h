// The wheel as a dial: what a turn runs under the chosen action, and whether its steps keep
// the popup still up. No Windows header.
#pragma once

#include <cstdint>
#include <optional>

#include "settings/uPlayerCommand.h"

namespace velmora {

// A turn's plan: Steps runs of Command; Again: the first keeps the wheel's popup still up
// (the same action turned the same way, no other popup since), as a held key's repeat.
struct TWheelTurn {
  PlayerCommand Command;
  int Steps;
  bool Again;
};

// The most steps one wheel event can make: a delta of 32,767 with a kept remainder of 119,
// four steps a notch.
inline constexpr int MaxWheelSteps = (32767 + 119) / 120 * 4;  // 1,096
// The steps a message to the engine's window claims, or nothing for a count no event makes:
// any program can post that message.
constexpr std::optional<int> WheelStepsOf(std::intptr_t posted) noexcept {
  if (posted < -MaxWheelSteps || posted > MaxWheelSteps) return std::nullopt;
  return static_cast<int>(posted);
}

class TWheelDial {
 public:
  // A turn of signed steps (positive: up) under the action setting (WheelActionOf): the
  // volume, the position (five seconds) or the track. Its popup is then the live one.
  TWheelTurn Turn(int commands, std::int32_t actionSetting) noexcept;
  // Another popup came up: the next turn shows its own anew.
  void PopupEnded() noexcept { popup_ = -1; }

 private:
  int popup_ = -1;  // the action and way of the wheel's popup still up; -1: none
};

}  // namespace velmora
