// What the player's other actions changed, as their popups say it, and the volume's rules
// (the user's step, mute and its level kept). No Windows header.
#pragma once

#include <string>

namespace velmora {

// The player's volume runs from 0 to 255.
inline constexpr int MaxVolume = 255;

// The volume as a percent, rounded: 255 is 100 %, 163 is 64 %.
int VolumePercent(int level) noexcept;
// "Volume 64 %" with a bar of ten places, filled as far as the level goes; "Muted" at 0.
std::wstring VolumeLine(int level);
// The level a step of percent (signed: up or down) moves to, exactly in percent of the
// whole and within 0 to 255.
int StepVolume(int level, int percent) noexcept;

// Mute without a player command: the level before is kept while muted and given back by
// the next Mute or Volume Up; a level changed meanwhile is the one kept then.
class TMute {
 public:
  // The level the volume goes to: 0, or the kept one when muted and still silent.
  int Toggle(int level) noexcept;
  // Volume Up while muted and silent gives the kept level back; -1: step as usual.
  int OnVolumeUp(int level) noexcept;
  bool Muted() const noexcept { return kept_ >= 0; }

 private:
  int kept_ = -1;  // the level before the mute; -1: not muted
};

// Five places, filled and empty stars for a rating of 0 to 5 (code page 932: "★", "☆"),
// and the text for a font without them: "3/5".
std::string Stars(int rating);
std::string StarsFallback(int rating);
// The rating command's target: Rate 1 to 5 and Clear set it, up and down step it within 0
// to 5 from the rating now.
int TargetRating(int command, int rating) noexcept;

// "1:23 / 4:56": the playing time and the length (minutes and seconds, hours where the
// length has them); empty where the player gives neither.
std::wstring TimeLine(int positionMs, int lengthSeconds);

// "Repeat on", "Shuffle off".
std::string ToggleText(const char* name, bool on);

}  // namespace velmora
