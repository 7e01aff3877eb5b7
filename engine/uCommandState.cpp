#include "engine/uCommandState.h"

#include <algorithm>
#include <utility>

#include "settings/uPlayerCommand.h"

namespace velmora {

namespace {
// Digits and plain letters only: each byte is its character.
std::wstring Widen(const std::string& ascii) {
  return std::wstring(ascii.begin(), ascii.end());
}
}  // namespace

int VolumePercent(int level) noexcept {
  level = std::clamp(level, 0, MaxVolume);
  return (level * 100 + MaxVolume / 2) / MaxVolume;
}

std::wstring VolumeLine(int level) {
  if (level <= 0) return L"Muted";
  const int percent = VolumePercent(level);
  std::wstring line = L"Volume " + Widen(std::to_string(percent)) + L" %  ";
  const int filled = (percent + 5) / 10;
  for (int i = 0; i < 10; ++i) line += i < filled ? L'\x25A0' : L'\x25A1';  // ■ □
  return line;
}

int StepVolume(int level, int percent) noexcept {
  // From the percent the level shows, so that steps of 10 read 60 %, 70 %, 80 %.
  const int target = std::clamp(VolumePercent(level) + percent, 0, 100);
  return (target * MaxVolume + 50) / 100;
}

int TMute::Toggle(int level) noexcept {
  if (kept_ >= 0 && level == 0) return std::exchange(kept_, -1);
  kept_ = level;  // a level changed while muted is the one kept
  return 0;
}

int TMute::OnVolumeUp(int level) noexcept {
  if (kept_ < 0) return -1;
  const int kept = std::exchange(kept_, -1);
  return level == 0 ? kept : -1;
}

std::string Stars(int rating) {
  std::string s;
  for (int i = 0; i < 5; ++i) s += i < rating ? "\x81\x9A" : "\x81\x99";
  return s;
}

std::string StarsFallback(int rating) {
  return std::to_string(std::clamp(rating, 0, 5)) + "/5";
}

int TargetRating(int command, int rating) noexcept {
  switch (static_cast<PlayerCommand>(command)) {
    case PlayerCommand::ClearRating:
      return 0;
    case PlayerCommand::RatingUp:
      return std::min(rating + 1, 5);
    case PlayerCommand::RatingDown:
      return std::max(rating - 1, 0);
    default:
      return std::clamp(command - static_cast<int>(PlayerCommand::Rate1) + 1, 0, 5);
  }
}

namespace {
std::wstring Clock(int seconds, bool hours) {
  auto two = [](int n) { return Widen(std::string(1, char('0' + n / 10)) + char('0' + n % 10)); };
  if (hours)
    return Widen(std::to_string(seconds / 3600)) + L":" + two(seconds / 60 % 60) + L":" +
           two(seconds % 60);
  return Widen(std::to_string(seconds / 60)) + L":" + two(seconds % 60);
}
}  // namespace

std::wstring TimeLine(int positionMs, int lengthSeconds) {
  if (positionMs < 0 && lengthSeconds <= 0) return {};
  const bool hours = lengthSeconds >= 3600 || positionMs / 1000 >= 3600;
  std::wstring line = Clock(std::max(positionMs, 0) / 1000, hours);
  if (lengthSeconds > 0) line += L" / " + Clock(lengthSeconds, hours);
  return line;
}

std::string ToggleText(const char* name, bool on) {
  return std::string(name) + (on ? " on" : " off");
}

}  // namespace velmora
