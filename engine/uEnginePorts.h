// What the engine's rules are given: the player, the popups and the system they run in.
// TWatch gives the real ones, the native tests fakes. No Windows header.
#pragma once

#include <string>

#include "hook/uShortCutWord.h"
#include "settings/uPlayerCommand.h"

namespace velmora {

// The system's keyboard repeat: the delay before the first repeat and the time between
// repeats, from its settings (SPI_GETKEYBOARDDELAY 0 to 3, SPI_GETKEYBOARDSPEED 0 to 31:
// 250 to 1000 ms, about 2.5 to 30 repeats a second); values outside take the nearest.
struct TKeyRepeat {
  unsigned DelayMs, IntervalMs;
};

// The player as the engine drives it.
class IPlayer {
 public:
  virtual void Execute(PlayerCommand command) = 0;  // nothing for ID3 and Winamp
  virtual PlayStatus Status() = 0;
  // The playlist entry the player is at now, and its title (empty when it names none).
  virtual int Position() = 0;
  virtual std::wstring Title() = 0;
  // How long the entry has played, in milliseconds, and its length in seconds; negative
  // where the player does not say.
  virtual int PlayingTime() = 0;
  virtual int Length() = 0;
  // The volume, 0 to 255 (negative: the player does not say), and its setting.
  virtual int Volume() = 0;
  virtual void SetVolume(int level) = 0;
  // Repeat and Shuffle (1 on, 0 off), the playing entry's rating (0 to 5), and their
  // settings. A player without them answers as it does to any request it does not know.
  virtual int Option(PlayerCommand which) = 0;
  virtual void SetOption(PlayerCommand which, bool on) = 0;
  virtual int Rating() = 0;
  virtual void SetRating(int stars) = 0;
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
  // A command's popup with what it changed: text its first line (code page 932), where the
  // popup's font has every glyph of it, else fallback; line the second (empty: none). again
  // as for Show.
  virtual void ShowState(PlayerCommand command, bool again, const std::string& text,
                         const std::string& fallback, const std::wstring& line) = 0;
  // The popup still up that names a track (a command's titled one, Now Playing) takes this
  // title and begins its time anew, as a repeat does; false when no such popup is up.
  virtual bool Retitle(const std::wstring& title) = 0;

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
  // The gesture countdown: a call while it runs at the same interval keeps its time (a
  // later step does not lengthen the gesture's window), a new interval begins it again;
  // at its end the system calls TEngine::OnCountdown.
  virtual void StartCountdown(unsigned intervalMs) = 0;
  virtual void StopCountdown() = 0;
  // A window of the player's own process is in front.
  virtual bool PlayerInFront() = 0;
  // The text on the clipboard, as Unicode text.
  virtual void CopyText(const std::wstring& text) = 0;
  // The track watch's poll, every intervalMs until stopped; each time the system calls
  // TEngine::OnTrackPoll.
  virtual void StartTrackPoll(unsigned intervalMs) = 0;
  virtual void StopTrackPoll() = 0;

 protected:
  ~IEngineSystem() = default;
};

}  // namespace velmora
