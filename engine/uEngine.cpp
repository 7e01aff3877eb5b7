#include "engine/uEngine.h"

#include <optional>
#include <utility>

#include "engine/uCommandMatch.h"
#include "ui/uScopeExit.h"

namespace velmora {

TKeyRepeat KeyRepeatTiming(int delaySetting, int speedSetting) noexcept {
  const int delay = delaySetting < 0 ? 0 : delaySetting > 3 ? 3 : delaySetting;
  const int speed = speedSetting < 0 ? 0 : speedSetting > 31 ? 31 : speedSetting;
  // 2.5 repeats a second at 0 to 30 at 31, in even steps: 1000 / (2.5 + speed * 27.5 / 31),
  // rounded to the millisecond.
  const unsigned steps = 155 + 55 * static_cast<unsigned>(speed);  // 62 × the repeats a second
  return {static_cast<unsigned>(250 * (delay + 1)), (62000 + steps / 2) / steps};
}

void TEngine::ExecuteCommand(PlayerCommand command, bool again) {
  wheel_.PopupEnded();
  Run(command, again);
}

void TEngine::Run(PlayerCommand command, bool again) {
  if (!Enabled && command != PlayerCommand::Enabled) return;
  if (command == PlayerCommand::NowPlaying) {  // changes nothing
    if (settings_.UsePopup) {
      const PlayStatus status = player_.Status();
      popups_.ShowNowPlaying(status, player_.Title());
    }
    return;
  }
  if (TPlayerActions::Handles(command)) return actions_.Run(command, again);
  // Only these three are followed by Play when stopped: the others need not ask the
  // player's state first, a round trip on every keystroke's path.
  const bool playWhenStopped = command == PlayerCommand::Prev || command == PlayerCommand::Pause ||
                               command == PlayerCommand::Next;
  const bool popup = settings_.UsePopup && CommandHasPopup(static_cast<int>(command));
  // Play, Next and Prev (and Pause when Play follows it) name the track they moved to: their
  // popup comes after the player has handled them, so that the title is the new one.
  bool titled = popup && settings_.ShowTitle &&
                (command == PlayerCommand::Play || command == PlayerCommand::Next ||
                 command == PlayerCommand::Prev || command == PlayerCommand::Pause);
  std::optional<bool> stopped;
  if (titled && command == PlayerCommand::Pause)
    titled = *(stopped = player_.Status() == PlayStatus::Stopped);
  if (popup && !titled)
    popups_.Show(command, command == PlayerCommand::Enabled && Enabled, again, {});

  if (command == PlayerCommand::Enabled) {
    Enabled = !Enabled;
    return;
  }
  if (command == PlayerCommand::ID3) {
    if (player_.InfoDialogShown())
      player_.CloseInfoDialog();
    else
      player_.OpenInfoDialog();
  }
  if (command == PlayerCommand::Winamp) {
    if (player_.WindowShown())
      player_.HideWindow();
    else
      player_.ShowWindow();
  }

  if (playWhenStopped && !stopped) stopped = player_.Status() == PlayStatus::Stopped;
  player_.Execute(command);
  if (stopped.value_or(false)) player_.Execute(PlayerCommand::Play);
  // The entry these moved to is the command's, not the player's own: seen before anything
  // pumps (a popup's first paint), which the watch's poll may run in.
  if (track_.Watching() && MovesTrack(command)) track_.See();
  if (titled) popups_.Show(command, false, again, player_.Title());
}

void TEngine::OnHotKey(TShortCut word, bool fromRawInput) {
  const int command = FindHotKeyCommand(settings_.HotKeys, word);
  // A key that runs nothing must not hold the engine busy: the rest of a chord sent in
  // one burst (Ctrl, Shift, F9) is already queued behind it. Nor must one whose command
  // will not run: off (all but Enable/Disable), held by another program, or a program in
  // front that the hot keys leave alone.
  if (command < 0 || busy_ || (!Enabled && command != static_cast<int>(PlayerCommand::Enabled)) ||
      (fromRawInput && system_.HeldByAnotherProgram(word)) || system_.ForegroundExcluded()) {
    system_.Reply();
    return;
  }
  // File info stays open in the player's modal loop: the hot key that closes it must come.
  busy_ = command != static_cast<int>(PlayerCommand::ID3);
  const TScopeExit idle([this] { busy_ = false; });
  system_.Reply();
  EndRepeat();
  const auto c = static_cast<PlayerCommand>(command);
  ExecuteCommand(c);
  // A held volume key goes on as the system's own volume keys do, judged from the key's
  // state rather than from repeats, which synthesised input does not make.
  if (settings_.RepeatVolume && (c == PlayerCommand::VolumeUp || c == PlayerCommand::VolumeDown)) {
    const TKeyRepeat timing = system_.KeyboardRepeat();
    repeatWord_ = word;
    repeatCommand_ = c;
    repeatIntervalMs_ = timing.IntervalMs;
    system_.StartRepeat(timing.DelayMs);
  }
  system_.ProcessMessages();
}

void TEngine::EndRepeat() {
  if (!repeatWord_) return;
  repeatWord_ = 0;
  system_.StopRepeat();
}

void TEngine::OnRepeat() {
  if (!repeatWord_) return system_.StopRepeat();
  if (!Enabled || !settings_.RepeatVolume || !system_.ChordHeld(repeatWord_) ||
      system_.ForegroundExcluded())
    return EndRepeat();
  system_.StartRepeat(repeatIntervalMs_);
  ExecuteCommand(repeatCommand_, true);
}

void TEngine::OnJogDial(unsigned code, std::int32_t timeMs) {
  system_.Reply();
  const auto elapsed = static_cast<std::int32_t>(static_cast<std::uint32_t>(timeMs) -
                                                 static_cast<std::uint32_t>(lastJogTime_));
  lastJogTime_ = timeMs;
  if (elapsed < settings_.IgnoreInterval) return;
  if (ApplyJogEvent(jogSequence_, jogPressed_, code))
    system_.StartCountdown(
        static_cast<unsigned>(settings_.CommandInterval < 0 ? 0 : settings_.CommandInterval));
  else
    system_.StopCountdown();
}

void TEngine::OnCountdown() {
  system_.StopCountdown();
  // The letters leave the sequence before the command runs: a step that comes while it
  // runs (inside a popup's pump or a modal loop of the player) begins a new gesture.
  const std::string sequence = std::exchange(jogSequence_, {});
  const int gesture = FindGesture(sequence);
  if (gesture < 0) return;
  const int command = FindJogCommand(settings_.JogDials, gesture);
  if (command >= 0 && !system_.ForegroundExcluded())
    ExecuteCommand(static_cast<PlayerCommand>(command));
}

void TEngine::OnWheel(int commands) {
  if (!commands || !Enabled || system_.ForegroundExcluded()) return;
  const TWheelTurn turn = wheel_.Turn(commands, settings_.WheelAction);
  for (int i = 0; i < turn.Steps; ++i) Run(turn.Command, turn.Again || i > 0);
}

}  // namespace velmora
