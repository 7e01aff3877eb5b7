// Player commands and play states, shared by every subsystem. No Windows header:
// the command table and the status mapping are tested natively.
#pragma once

#include <cstdint>
#include <optional>

namespace velmora {

enum class PlayerCommand : std::uint8_t {
  Prev = 0,
  Play,
  Pause,
  Stop,
  Next,
  Open,
  VolumeUp,
  VolumeDown,
  Enabled,
  ID3,
  Winamp,
  NowPlaying,  // shows what plays, sends the player nothing
  // The player's other actions, from index 12 on: none has a key or gesture by default.
  StopFadeOut,
  StopAfterCurrent,
  SeekForward,  // five seconds, also the wheel's position steps
  SeekBack,
  ListStart,
  ListEnd,
  Repeat,   // toggled; the popup says the state read back
  Shuffle,  // the same
  JumpToFile,
  OpenLocation,
  OpenFolder,
  Rate1,
  Rate2,
  Rate3,
  Rate4,
  Rate5,
  ClearRating,
  RatingUp,
  RatingDown,
  Mute,  // the volume to 0, and back to the level before
  AlwaysOnTop,
  PlaylistWindow,
  EqualiserWindow,
  Preferences,
  CopyTitle,  // the playing entry's title on the clipboard
};

// Every command has a hot key and a gesture setting; the first twelve are the Key and
// JogDial pages' rows, the rest the "More keys" page's.
inline constexpr int CommandCount = 37;
inline constexpr int FirstMoreCommand = 12;
// The commands with a skin setting of their own: Now Playing shows Play's.
inline constexpr int SkinnedCommandCount = 11;

enum class PlayStatus : std::uint8_t { Playing = 1, Paused = 2, Stopped = 3 };

// The player's WM_COMMAND identifiers.
inline constexpr unsigned IdPrev = 40044;
inline constexpr unsigned IdOpen = 40029;
inline constexpr unsigned IdVolumeUp = 40058;
inline constexpr unsigned IdVolumeDown = 40059;
inline constexpr unsigned IdFileInfo = 40188;
inline constexpr unsigned IdStopFadeOut = 40147, IdStopAfterCurrent = 40157;
inline constexpr unsigned IdSeekForward = 40148, IdSeekBack = 40144;  // five seconds
inline constexpr unsigned IdListStart = 40154, IdListEnd = 40158;
inline constexpr unsigned IdJumpToFile = 40194, IdOpenLocation = 40185, IdOpenFolder = 40187;
inline constexpr unsigned IdAlwaysOnTop = 40019, IdPlaylistWindow = 40040,
                          IdEqualiserWindow = 40036, IdPreferences = 40012;

// The player's WM_USER request codes (lParam).
inline constexpr long RequestPlayState = 104;
inline constexpr long RequestPlayingTime = 105;  // wParam 0: ms into the entry; 1: its length in s
inline constexpr long RequestSetVolume = 122;    // wParam 0 to 255; -666 asks the volume
inline constexpr long RequestListPosition = 125;
inline constexpr long RequestTitle = 212;
inline constexpr long RequestTitleW = 213;  // the same as UTF-16, where the player has it
inline constexpr long RequestShuffle = 250, RequestRepeat = 251;  // 1 on, 0 off
inline constexpr long RequestSetShuffle = 252, RequestSetRepeat = 253;
inline constexpr long RequestIniDirectory = 335;  // the folder of the player's own settings
inline constexpr long RequestSetRating = 639, RequestRating = 640;  // 0 (none) to 5 stars
inline constexpr int AskVolume = -666;

// WM_COMMAND identifier that Execute sends for a command, or none for the commands
// the engine carries out itself and for values outside the enumeration.
std::optional<unsigned> CommandIdentifier(int command);

// The commands whose window (a dialog of the player's) is brought to the front and given the
// focus, as File info is.
bool CommandOpensWindow(PlayerCommand command);

// The commands that move the player to another entry.
constexpr bool MovesTrack(PlayerCommand command) noexcept {
  return command <= PlayerCommand::Next || command == PlayerCommand::ListStart ||
         command == PlayerCommand::ListEnd;
}

// Maps the player's answer to the play-state request.
PlayStatus StatusFromResult(std::intptr_t result);

// Every command but Show/Hide File info and Show/Hide Winamp confirms itself with a popup.
bool CommandHasPopup(int command);

}  // namespace velmora
