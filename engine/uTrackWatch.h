// The track watch: what counts as a new entry the player moved to by itself, shown under
// "Now Playing", and the pace of the poll that asks. No Windows header.
#pragma once

#include <atomic>
#include <string>

#include "engine/uEnginePorts.h"
#include "settings/uEngineSettings.h"

namespace velmora {

// What a user means by a new track: its title changed (a stream's next song too), or it
// moved in the list and its playing time began again. Moved alone (the list sorted, an entry
// inserted or deleted above it) the same song plays on. Times are milliseconds, negative
// where the player gives none.
bool IsNewTrack(bool movedInList, bool titleChanged, int seenTimeMs, int timeMs) noexcept;

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
  // A new track (IsNewTrack) the player moved to by itself while playing shows "Now
  // Playing", or its title in the popup still up that names one. Says whether it showed a
  // popup of its own.
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
  int seenTimeMs_ = -1;
};

}  // namespace velmora
