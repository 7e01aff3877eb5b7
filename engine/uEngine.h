// The command engine's rules, apart from the system: which command a hot-key word or a jog
// gesture runs, the Busy and Enable/Disable rules, the toggles and the stopped-player
// rule. It works on what it is given; TWatch gives it the player, the popups and the
// message loop of the real system, the tests give it fakes. No Windows header.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>

#include "hook/uShortCutWord.h"
#include "settings/uEngineSettings.h"
#include "settings/uPlayerCommand.h"

namespace velmora {

// The system's keyboard repeat: the delay before the first repeat and the time between
// repeats, from its settings (SPI_GETKEYBOARDDELAY 0 to 3, SPI_GETKEYBOARDSPEED 0 to 31:
// 250 to 1000 ms, about 2.5 to 30 repeats a second); values outside take the nearest.
struct TKeyRepeat {
  unsigned DelayMs, IntervalMs;
};
TKeyRepeat KeyRepeatTiming(int delaySetting, int speedSetting) noexcept;

// The player as the engine drives it.
class IPlayer {
 public:
  virtual void Execute(PlayerCommand command) = 0;  // nothing for ID3 and Winamp
  virtual void Seek(bool forward) = 0;              // five seconds
  virtual PlayStatus Status() = 0;
  // The playlist entry the player is at now, and its title (empty when it names none).
  virtual int Position() = 0;
  virtual std::wstring Title() = 0;
  // Show/Hide File info: the open one is closed and the foreground it took goes back.
  virtual bool InfoDialogShown() = 0;
  virtual void OpenInfoDialog() = 0;
  virtual void CloseInfoDialog() = 0;
  // Show/Hide the player's window, the same way.
  virtual bool WindowShown() = 0;
  virtual void ShowWindow() = 0;
  virtual void HideWindow() = 0;

 protected:
  ~IPlayer() = default;
};

// Where a command's confirmation goes.
class IPopups {
 public:
  // disabled: the Enable/Disable command's popup as it turns the engine off. again: a
  // repeat of a held key, whose popup is the one still up, its time begun anew. title: the
  // track the command moved to, on a line of its own; empty: none.
  virtual void Show(PlayerCommand command, bool disabled, bool again,
                    const std::wstring& title) = 0;
  // The current entry's title under "Now Playing", or "Paused" or "Stopped" when the player
  // is so (NowPlayingText), in Play's skin.
  virtual void ShowNowPlaying(PlayStatus status, const std::wstring& title) = 0;
  // A popup of the text alone, as a command's without a skin; again as for Show.
  virtual void ShowText(const char* text, bool again) = 0;

 protected:
  ~IPopups() = default;
};

// The message loop the engine runs in, and the gesture countdown's timer.
class IEngineSystem {
 public:
  // Lets a sender waiting on the message go (the hooks send in send mode).
  virtual void Reply() = 0;
  // Runs what is queued after a command: a hot key that comes meanwhile finds the engine busy.
  virtual void ProcessMessages() = 0;
  // Only asked for a word from raw input that found a command: another program holds it as
  // a system hot key, so it never reached a hook.
  virtual bool HeldByAnotherProgram(TShortCut word) = 0;
  // The program in front is one the hot keys and gestures leave alone.
  virtual bool ForegroundExcluded() = 0;
  // The word's key and exactly its modifiers are held down now.
  virtual bool ChordHeld(TShortCut word) = 0;
  virtual TKeyRepeat KeyboardRepeat() = 0;
  // The repeat of a held volume key, started anew at every call; at its end the system
  // calls TEngine::OnRepeat.
  virtual void StartRepeat(unsigned ms) = 0;
  virtual void StopRepeat() = 0;
  // The gesture countdown, started anew at every call; at its end the system calls
  // TEngine::OnCountdown.
  virtual void StartCountdown(unsigned intervalMs) = 0;
  virtual void StopCountdown() = 0;
  // A window of the player's own process is in front.
  virtual bool PlayerInFront() = 0;
  // The track watch's poll, every intervalMs until stopped; each time the system calls
  // TEngine::OnTrackPoll.
  virtual void StartTrackPoll(unsigned intervalMs) = 0;
  virtual void StopTrackPoll() = 0;

 protected:
  ~IEngineSystem() = default;
};

class TEngine {
 public:
  TEngine(const TEngineSettings& settings, IPlayer& player, IPopups& popups,
          IEngineSystem& system) noexcept
      : settings_(settings), player_(player), popups_(popups), system_(system) {}
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

  // The track watch begun or ended as the setting now says (at init and when the dialog
  // closes); begun, it takes the entry the player is at as seen.
  void WatchTrack();
  // An entry (or at the same one a title, as a stream's next song) the player moved to by
  // itself while playing shows its popup; one a command of the engine moved to was seen
  // as the command ran.
  void OnTrackPoll();
  // What the poll asks the player: four times a second while it plays, once otherwise.
  static constexpr unsigned TrackPollPlayingMs = 250, TrackPollIdleMs = 1000;

 private:
  const TEngineSettings& settings_;
  IPlayer& player_;
  IPopups& popups_;
  IEngineSystem& system_;
  void EndRepeat();

  bool busy_ = false;
  TShortCut repeatWord_ = 0;  // the held volume key's word while it repeats
  PlayerCommand repeatCommand_ = PlayerCommand::VolumeUp;
  unsigned repeatIntervalMs_ = 0;
  std::int32_t lastJogTime_ = 0;
  std::string jogSequence_;
  bool jogPressed_ = false;

  int wheelPopup_ = -1;  // the action and way of the wheel's popup still up; -1: none
  void SeeTrack();
  void PollEvery(unsigned ms);
  unsigned trackPollMs_ = 0;  // 0: the watch is off
  int seenPosition_ = -1;
  std::wstring seenTitle_;
};

}  // namespace velmora
