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
  NowPlaying,   // shows what plays, sends the player nothing
  SeekForward,  // the wheel's five seconds: in the table, not bound to a key or gesture
  SeekBack,
};

// The commands a hot key or gesture can be bound to; the table holds the wheel's two more.
inline constexpr int CommandCount = 12;
inline constexpr int TableCommandCount = 14;
// The commands with a skin setting of their own: Now Playing shows Play's.
inline constexpr int SkinnedCommandCount = 11;

enum class PlayStatus : std::uint8_t { Playing = 1, Paused = 2, Stopped = 3 };

// The player's WM_COMMAND identifiers.
inline constexpr unsigned IdPrev = 40044;
inline constexpr unsigned IdOpen = 40029;
inline constexpr unsigned IdVolumeUp = 40058;
inline constexpr unsigned IdVolumeDown = 40059;
inline constexpr unsigned IdFileInfo = 40188;
inline constexpr unsigned IdSeekForward = 40148, IdSeekBack = 40144;  // five seconds

// The player's WM_USER request codes (lParam).
inline constexpr long RequestPlayState = 104;
inline constexpr long RequestPlayingTime = 105;  // wParam 0: milliseconds into the entry
inline constexpr long RequestListPosition = 125;
inline constexpr long RequestTitle = 212;
inline constexpr long RequestTitleW = 213;        // the same as UTF-16, where the player has it
inline constexpr long RequestIniDirectory = 335;  // the folder of the player's own settings

// WM_COMMAND identifier that Execute sends for a command, or none for the commands
// the engine carries out itself and for values outside the enumeration.
std::optional<unsigned> CommandIdentifier(int command);

// Maps the player's answer to the play-state request.
PlayStatus StatusFromResult(std::intptr_t result);

// Every command but Show/Hide File info and Show/Hide Winamp confirms itself with a popup.
bool CommandHasPopup(int command);

}  // namespace velmora
