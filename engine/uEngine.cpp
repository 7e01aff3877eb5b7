#include "engine/uEngine.h"

#include <utility>

#include "engine/uCommandMatch.h"
#include "ui/uScopeExit.h"

namespace velmora {

void TEngine::ExecuteCommand(PlayerCommand command) {
  if (!Enabled && command != PlayerCommand::Enabled) return;
  if (settings_.UsePopup && CommandHasPopup(static_cast<int>(command)))
    popups_.Show(command, command == PlayerCommand::Enabled && Enabled);

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

  // Only these three are followed by Play when stopped: the others need not ask the
  // player's state first, a round trip on every keystroke's path.
  const bool playWhenStopped = command == PlayerCommand::Prev || command == PlayerCommand::Pause ||
                               command == PlayerCommand::Next;
  const bool stopped = playWhenStopped && player_.Status() == PlayStatus::Stopped;
  player_.Execute(command);
  if (stopped) player_.Execute(PlayerCommand::Play);
}

void TEngine::OnHotKey(TShortCut word, bool fromRawInput) {
  const int command = FindHotKeyCommand(settings_.HotKeys, word);
  // A key that runs nothing must not hold the engine busy: the rest of a chord sent in
  // one burst (Ctrl, Shift, F9) is already queued behind it.
  if (command < 0 || busy_ || (fromRawInput && system_.HeldByAnotherProgram(word))) {
    system_.Reply();
    return;
  }
  // File info stays open in the player's modal loop: the hot key that closes it must come.
  busy_ = command != static_cast<int>(PlayerCommand::ID3);
  const TScopeExit idle([this] { busy_ = false; });
  system_.Reply();
  ExecuteCommand(static_cast<PlayerCommand>(command));
  system_.ProcessMessages();
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
  if (command >= 0) ExecuteCommand(static_cast<PlayerCommand>(command));
}

}  // namespace velmora
