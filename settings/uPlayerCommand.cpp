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
    case PlayerCommand::StopFadeOut:
      return IdStopFadeOut;
    case PlayerCommand::StopAfterCurrent:
      return IdStopAfterCurrent;
    case PlayerCommand::SeekForward:
      return IdSeekForward;
    case PlayerCommand::SeekBack:
      return IdSeekBack;
    case PlayerCommand::ListStart:
      return IdListStart;
    case PlayerCommand::ListEnd:
      return IdListEnd;
    case PlayerCommand::JumpToFile:
      return IdJumpToFile;
    case PlayerCommand::OpenLocation:
      return IdOpenLocation;
    case PlayerCommand::OpenFolder:
      return IdOpenFolder;
    case PlayerCommand::AlwaysOnTop:
      return IdAlwaysOnTop;
    case PlayerCommand::PlaylistWindow:
      return IdPlaylistWindow;
    case PlayerCommand::EqualiserWindow:
      return IdEqualiserWindow;
    case PlayerCommand::Preferences:
      return IdPreferences;
    default:
      return std::nullopt;
  }
}

bool CommandOpensWindow(PlayerCommand command) {
  return command == PlayerCommand::JumpToFile || command == PlayerCommand::OpenLocation ||
         command == PlayerCommand::OpenFolder || command == PlayerCommand::Preferences;
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
