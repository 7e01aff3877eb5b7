// The track watch: what counts as a new entry the player moved to by itself, shown under
// "Now Playing", and the pace of the poll that asks. No Windows header.
#pragma once

#include <atomic>
#include <string>

#include "engine/uEnginePorts.h"
#include "settings/uEngineSettings.h"

namespace velmora {

class TTrackWatch {
 public:
  // All are the engine's and outlive the watch; enabled is the engine's switch.
  TTrackWatch(const TEngineSettings& settings, IPlayer& player, IPopups& popups,
              IEngineSystem& system, const std::atomic<bool>& enabled) noexcept
      : settings_(settings), player_(player), popups_(popups), system_(system), enabled_(enabled) {}

  // Begun or ended as the setting now says (at init and when the dialog closes); begun from
  // off, it takes the entry the player is at as seen.
  void Watch();
  bool Watching() const noexcept { return pollMs_ != 0; }
  // The entry a command moved to is the command's: seen, so that the poll shows nothing.
  void See();
  // An entry (or at the same one a title, as a stream's next song) the player moved to by
  // itself while playing shows its popup. Says whether it showed one.
  bool OnPoll();

  // What the poll asks the player: four times a second while it plays, once otherwise.
  static constexpr unsigned PlayingMs = 250, IdleMs = 1000;

 private:
  void PollEvery(unsigned ms);

  const TEngineSettings& settings_;
  IPlayer& player_;
  IPopups& popups_;
  IEngineSystem& system_;
  const std::atomic<bool>& enabled_;
  unsigned pollMs_ = 0;  // 0: the watch is off
  int seenPosition_ = -1;
  std::wstring seenTitle_;
};

}  // namespace velmora
