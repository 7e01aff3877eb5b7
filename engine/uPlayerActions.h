// The player's actions beyond play and stop: the volume with its step and mute, repeat and
// shuffle, the rating, seeking, and the rest that the player runs by itself; each popup
// says what the action changed, read back from the player. No Windows header.
#pragma once

#include <string>

#include "engine/uCommandState.h"
#include "engine/uEnginePorts.h"
#include "settings/uEngineSettings.h"

namespace velmora {

class TPlayerActions {
 public:
  // All are the engine's and outlive this.
  TPlayerActions(const TEngineSettings& settings, IPlayer& player, IPopups& popups,
                 IEngineSystem& system) noexcept
      : settings_(settings), player_(player), popups_(popups), system_(system) {}

  // Volume Up and Down and every command from index 12 on but the list's ends.
  static bool Handles(PlayerCommand command) noexcept;
  // Runs it; its popup comes after the player has handled it. again: a held key's repeat or
  // a wheel's next step, under the popup still up.
  void Run(PlayerCommand command, bool again);

 private:
  void Volume(PlayerCommand command, bool again);
  void Show(PlayerCommand command, bool again, const std::string& text,
            const std::string& fallback = {}, const std::wstring& line = {});

  const TEngineSettings& settings_;
  IPlayer& player_;
  IPopups& popups_;
  IEngineSystem& system_;
  TMute mute_;
};

}  // namespace velmora
