#include "engine/uWheelDial.h"

#include "settings/uEngineSettings.h"

namespace velmora {

TWheelTurn TWheelDial::Turn(int commands, std::int32_t actionSetting) noexcept {
  const bool up = commands > 0;
  const std::int32_t action = WheelActionOf(actionSetting);
  const PlayerCommand command =
      action == WheelSeek    ? (up ? PlayerCommand::SeekForward : PlayerCommand::SeekBack)
      : action == WheelTrack ? (up ? PlayerCommand::Next : PlayerCommand::Prev)
      : up                   ? PlayerCommand::VolumeUp
                             : PlayerCommand::VolumeDown;
  const int popup = action * 2 + (up ? 1 : 0);
  const bool again = popup_ == popup;
  popup_ = popup;
  return {command, up ? commands : -commands, again};
}

}  // namespace velmora
