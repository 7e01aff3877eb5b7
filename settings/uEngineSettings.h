// The settings the command engine's rules read. No Windows header.
#pragma once

#include <cstdint>

#include "hook/uShortCutWord.h"
#include "settings/uPlayerCommand.h"

namespace velmora {

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
};

}  // namespace velmora
