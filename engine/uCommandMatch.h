// The engine's decisions that need no window: hot-key and gesture matching and the jog
// event rules. No Windows header.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "settings/uPlayerCommand.h"
#include "hook/uShortCutWord.h"

namespace velmora {

// Popup text of each command.
inline constexpr const char* CommandNames[CommandCount] = {"Prev",
                                                           "Play",
                                                           "Pause",
                                                           "Stop",
                                                           "Next",
                                                           "Open",
                                                           "Volume Up",
                                                           "Volume Down",
                                                           "Enabled",
                                                           "ID3",
                                                           "Winamp",
                                                           "Now Playing",
                                                           "Stop with fade-out",
                                                           "Stop after current",
                                                           "Forward 5 s",
                                                           "Back 5 s",
                                                           "Start of list",
                                                           "End of list",
                                                           "Repeat",
                                                           "Shuffle",
                                                           "Jump to file",
                                                           "Open location",
                                                           "Open folder",
                                                           "Rate 1",
                                                           "Rate 2",
                                                           "Rate 3",
                                                           "Rate 4",
                                                           "Rate 5",
                                                           "Clear rating",
                                                           "Rating up",
                                                           "Rating down",
                                                           "Mute",
                                                           "Always on top",
                                                           "Playlist window",
                                                           "Equaliser window",
                                                           "Preferences",
                                                           "Copy title"};
inline constexpr const char* DisabledText = "Disabled";
// The first line over the current entry's title: the Now Playing command's name while it
// plays.
constexpr const char* NowPlayingText(PlayStatus status) noexcept {
  return status == PlayStatus::Paused ? "Paused"
         : status == PlayStatus::Stopped
             ? "Stopped"
             : CommandNames[static_cast<int>(PlayerCommand::NowPlaying)];
}

inline constexpr int JogCodeCount = 15;
inline constexpr const char* JogCodes[JogCodeCount] = {
    "", "U", "D", "UU", "DD", "UD", "DU", "UUU", "DDD", "UUD", "DDU", "UDU", "DUD", "UDD", "DUU"};

inline constexpr unsigned JogPress = 1, JogRelease = 2, JogUp = 0x1001, JogDown = 0x1002;

// The lowest command whose hot key equals word, or -1; word 0 finds none.
int FindHotKeyCommand(const TShortCut (&hotKeys)[CommandCount], TShortCut word) noexcept;

// The first gesture index whose code equals sequence exactly, or -1; an empty
// sequence finds none.
int FindGesture(std::string_view sequence) noexcept;

// The lowest command whose gesture index equals index, or -1.
int FindJogCommand(const std::uint8_t (&jogDials)[CommandCount], int index) noexcept;

// One accepted jog event: appends its letter to sequence, updates pressed, and says
// whether the gesture's countdown runs afterwards (a letter came, and the dial is not held).
bool ApplyJogEvent(std::string& sequence, bool& pressed, unsigned code);

}  // namespace velmora
