// The settings the command engine's rules read. No Windows header.
#pragma once

#include <cstdint>

#include "hook/uShortCutWord.h"
#include "settings/uPlayerCommand.h"

namespace velmora {

// When a new entry the player moved to by itself shows its popup.
enum : std::int32_t {
  TrackPopupNever,
  TrackPopupUnlessPlayerInFront,  // no window of the player's process is in front
  TrackPopupAlways,
};

// The settings the rules read, live: the settings object is one of these, and the
// engine holds it for its lifetime.
struct TEngineSettings {
  TShortCut HotKeys[CommandCount] = {};
  std::uint8_t JogDials[CommandCount] = {};
  std::int32_t IgnoreInterval = 100;
  std::int32_t CommandInterval = 1000;
  bool UsePopup = true;
  bool RepeatVolume = true;  // Volume Up/Down again while its hot key is held
  bool ShowTitle = true;     // the track's title under Play, Next and Prev
  // The popup of a new entry the player moved to by itself.
  std::int32_t ShowOnTrackChange = TrackPopupUnlessPlayerInFront;
};

}  // namespace velmora
