#include "engine/uPlayerPort.h"

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

bool TPlayerPort::InfoDialogShown() {
  return infoDialog_ && IsWindow(infoDialog_) && IsWindowVisible(infoDialog_);
}

void TPlayerPort::OpenInfoDialog() {
  SaveForeground();
  capture_.WatchWindowCreation(true);  // the dialog's creation comes back to OnCreateWindow
  awaitingInfo_ = true;
  player_.OpenInfoDialog();
}

void TPlayerPort::OnCreateWindow(HWND window) {
  // Any program can post the notice: only the creation asked for, of a window of the player's.
  if (!awaitingInfo_ || !IsWindow(window) || GetWindow(window, GW_OWNER) != player_.PlayerWindow)
    return;
  awaitingInfo_ = false;
  capture_.WatchWindowCreation(false);
  infoDialog_ = window;
  infoStyle_.Apply(infoDialog_, savedForeground_, settings_);
  ForceForeground(infoDialog_);
}

void TPlayerPort::CloseInfoDialog() {
  awaitingInfo_ = false;
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
