#include "settings/uPlayerCommand.h"

namespace velmora {

std::optional<unsigned> CommandIdentifier(int command) {
  if (command >= 0 && command <= static_cast<int>(PlayerCommand::Next)) {
    return IdPrev + static_cast<unsigned>(command);
  }
  switch (static_cast<PlayerCommand>(command)) {
    case PlayerCommand::Open:
      return IdOpen;
    case PlayerCommand::VolumeUp:
      return IdVolumeUp;
    case PlayerCommand::VolumeDown:
      return IdVolumeDown;
    case PlayerCommand::SeekForward:
      return IdSeekForward;
    case PlayerCommand::SeekBack:
      return IdSeekBack;
    default:
      return std::nullopt;
  }
}

PlayStatus StatusFromResult(std::intptr_t result) {
  switch (result) {
    case 1:
      return PlayStatus::Playing;
    case 3:
      return PlayStatus::Paused;
    default:
      return PlayStatus::Stopped;
  }
}

bool CommandHasPopup(int command) {
  return command != static_cast<int>(PlayerCommand::ID3) &&
         command != static_cast<int>(PlayerCommand::Winamp);
}

}  // namespace velmora
