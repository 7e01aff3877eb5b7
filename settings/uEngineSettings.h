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

// What the wheel does while its chord is held, and the chord (a sum of these bits).
enum : std::int32_t { WheelVolume, WheelSeek, WheelTrack };
enum : std::int32_t { WheelShift = 1, WheelCtrl = 2, WheelAlt = 4, WheelWin = 8 };
inline constexpr std::int32_t DefaultWheelModifiers = WheelCtrl | WheelAlt;

// A chord of at least one of the four keys and none else; any other value (0 among them: a
// plain wheel must stay the wheel) is the default's.
constexpr std::int32_t WheelChord(std::int32_t modifiers) noexcept {
  return modifiers >= 1 && modifiers <= 15 ? modifiers : DefaultWheelModifiers;
}
constexpr std::int32_t WheelActionOf(std::int32_t action) noexcept {
  return action >= WheelVolume && action <= WheelTrack ? action : WheelVolume;
}

// Volume Up and Down move the volume by the player's own step (0), or by 1 to 25 percent
// exactly; any other value is 0.
inline constexpr std::int32_t MaxVolumeStep = 25;
constexpr std::int32_t VolumeStepOf(std::int32_t step) noexcept {
  return step >= 0 && step <= MaxVolumeStep ? step : 0;
}

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
  // The mouse wheel as a dial while its chord is held (WheelChord), or over the task bar.
  bool WheelUse = false;
  std::int32_t WheelModifiers = DefaultWheelModifiers;
  std::int32_t WheelAction = WheelVolume;
  bool WheelOverTaskbar = false;
  bool WheelAccelerate = true;  // volume and seek; a track step is always one
  std::int32_t VolumeStep = 0;  // VolumeStepOf
};

}  // namespace velmora
