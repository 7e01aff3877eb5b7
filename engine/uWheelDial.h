// The wheel as a dial: what a turn runs under the chosen action, and whether its steps keep
// the popup still up. No Windows header.
#pragma once

#include <cstdint>

#include "settings/uPlayerCommand.h"

namespace velmora {

// A turn's plan: Steps runs of Command; Again: the first keeps the wheel's popup still up
// (the same action turned the same way, no other popup since), as a held key's repeat.
struct TWheelTurn {
  PlayerCommand Command;
  int Steps;
  bool Again;
};

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
