// The command engine's rules, apart from the system: which command a hot-key word or a jog
// gesture runs, the Busy and Enable/Disable rules, the toggles, the stopped-player rule and
// a held volume key's repeat; the wheel's turns and the track watch in rooms of their own,
// which it hands their events. It works on what it is given (uEnginePorts.h). No Windows
// header.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>

#include "engine/uEnginePorts.h"
#include "engine/uPlayerActions.h"
#include "engine/uTrackWatch.h"
#include "engine/uWheelDial.h"
#include "hook/uShortCutWord.h"
#include "settings/uEngineSettings.h"
#include "settings/uPlayerCommand.h"

namespace velmora {

// The system's keyboard repeat from its settings (SPI_GETKEYBOARDDELAY 0 to 3,
// SPI_GETKEYBOARDSPEED 0 to 31: 250 to 1000 ms, about 2.5 to 30 repeats a second); values
// outside take the nearest.
TKeyRepeat KeyRepeatTiming(int delaySetting, int speedSetting) noexcept;

class TEngine {
 public:
  TEngine(const TEngineSettings& settings, IPlayer& player, IPopups& popups,
          IEngineSystem& system) noexcept
      : settings_(settings),
        player_(player),
        popups_(popups),
        system_(system),
        track_(settings, player, popups, system, Enabled),
        actions_(settings, player, popups, system) {}
  TEngine(const TEngine&) = delete;
  TEngine& operator=(const TEngine&) = delete;

  // Off: only Enable/Disable runs (the configuration dialog also turns it off meanwhile).
  // Read by the wheel's hook on its own thread.
  std::atomic<bool> Enabled = true;
  bool Busy() const noexcept { return busy_; }
  const std::string& JogSequence() const noexcept { return jogSequence_; }

  void ExecuteCommand(PlayerCommand command, bool again = false);
  // A keystroke's word from the keyboard hook or from raw input.
  void OnHotKey(TShortCut word, bool fromRawInput = false);
  // The held volume key's repeat is due.
  void OnRepeat();
  bool Repeating() const noexcept { return repeatWord_ != 0; }
  // A jog event (JogPress, JogRelease, JogUp, JogDown) at its message time in ms.
  void OnJogDial(unsigned code, std::int32_t timeMs);
  void OnCountdown();
  // Steps of the mouse wheel: commands, signed (positive: up), of the action the settings
  // name. One popup while the wheel turns the same way, its time begun anew at each step.
  void OnWheel(int commands);

  // The track watch (TTrackWatch): begun or ended as the setting says, and its poll. A
  // popup it shows ends the wheel's.
  void WatchTrack() { track_.Watch(); }
  void OnTrackPoll() {
    if (track_.OnPoll()) wheel_.PopupEnded();
  }
  static constexpr unsigned TrackPollPlayingMs = TTrackWatch::PlayingMs,
                            TrackPollIdleMs = TTrackWatch::IdleMs;

 private:
  const TEngineSettings& settings_;
  IPlayer& player_;
  IPopups& popups_;
  IEngineSystem& system_;
  void Run(PlayerCommand command, bool again);
  void EndRepeat();

  bool busy_ = false;
  TShortCut repeatWord_ = 0;  // the held volume key's word while it repeats
  PlayerCommand repeatCommand_ = PlayerCommand::VolumeUp;
  unsigned repeatIntervalMs_ = 0;
  std::int32_t lastJogTime_ = 0;
  std::string jogSequence_;
  bool jogPressed_ = false;

  TWheelDial wheel_;
  TTrackWatch track_;
  TPlayerActions actions_;
};

}  // namespace velmora
