#include "engine/uPlayerPort.h"

#include <utility>

#include "engine/uUtils.h"
#include "engine/uWinampManager.h"
#include "hook/uCapture.h"

namespace velmora {

void TPlayerPort::SaveForeground() {
  savedForeground_ = GetForegroundWindow();
  savedFocus_ = GetForegroundFocus();
}

void TPlayerPort::RestoreForeground() {
  ForceForeground(savedFocus_);
  ForceForeground(savedForeground_);
}

void TPlayerPort::Execute(PlayerCommand command) {
  // Its dialog comes to the front and takes the focus, as File info does.
  if (CommandOpensWindow(command)) {
    capture_.WatchWindowCreation(true);
    awaiting_ = TAwait::Front;
  }
  player_.Execute(command);
}

PlayStatus TPlayerPort::Status() {
  return player_.GetStatus();
}

int TPlayerPort::Position() {
  return player_.GetPosition();
}

std::wstring TPlayerPort::Title() {
  return player_.GetCurrentTitleW();
}

int TPlayerPort::PlayingTime() {
  return player_.GetPlayingTime();
}

int TPlayerPort::Length() {
  return static_cast<int>(player_.Request(RequestPlayingTime, 1));
}

int TPlayerPort::Volume() {
  return static_cast<int>(player_.Request(RequestSetVolume, static_cast<WPARAM>(AskVolume)));
}

void TPlayerPort::SetVolume(int level) {
  player_.Request(RequestSetVolume, static_cast<WPARAM>(level));
}

int TPlayerPort::Option(PlayerCommand which) {
  return static_cast<int>(
      player_.Request(which == PlayerCommand::Repeat ? RequestRepeat : RequestShuffle));
}

void TPlayerPort::SetOption(PlayerCommand which, bool on) {
  player_.Request(which == PlayerCommand::Repeat ? RequestSetRepeat : RequestSetShuffle, on);
}

int TPlayerPort::Rating() {
  return static_cast<int>(player_.Request(RequestRating));
}

void TPlayerPort::SetRating(int stars) {
  player_.Request(RequestSetRating, static_cast<WPARAM>(stars));
}

bool TPlayerPort::InfoDialogShown() {
  return infoDialog_ && IsWindow(infoDialog_) && IsWindowVisible(infoDialog_);
}

void TPlayerPort::OpenInfoDialog() {
  SaveForeground();
  capture_.WatchWindowCreation(true);  // the dialog's creation comes back to OnCreateWindow
  awaiting_ = TAwait::Info;
  player_.OpenInfoDialog();
}

void TPlayerPort::OnCreateWindow(HWND window) {
  // Any program can post the notice: only the creation asked for, of a window of the player's.
  if (awaiting_ == TAwait::None || !IsWindow(window) ||
      GetWindow(window, GW_OWNER) != player_.PlayerWindow)
    return;
  capture_.WatchWindowCreation(false);
  if (std::exchange(awaiting_, TAwait::None) == TAwait::Front) return ForceForeground(window);
  infoDialog_ = window;
  infoStyle_.Apply(infoDialog_, savedForeground_, settings_);
  ForceForeground(infoDialog_);
}

void TPlayerPort::CloseInfoDialog() {
  awaiting_ = TAwait::None;
  capture_.WatchWindowCreation(false);
  player_.CloseInfoDialog(infoDialog_);
  infoDialog_ = nullptr;
  RestoreForeground();
}

bool TPlayerPort::WindowShown() {
  return player_.WindowShown();
}

void TPlayerPort::ShowWindow() {
  SaveForeground();
  ForceForeground(player_.PlayerWindow);
  player_.RestoreWindow();
}

void TPlayerPort::HideWindow() {
  player_.MinimiseWindow();
  RestoreForeground();
}

}  // namespace velmora
