// The player as the engine drives it: its commands and queries through the player control,
// and the two windows the hot keys show and hide, File info and the main window, each
// giving back the foreground it took.
#pragma once

#include <windows.h>

#include <string>

#include "engine/uEnginePorts.h"
#include "engine/uInfoDialog.h"

namespace velmora {

class TCapture;
class TIniManager;
class TWinampManager;

class TPlayerPort final : public IPlayer {
 public:
  // All are the engine window's and outlive this.
  TPlayerPort(const TWinampManager& player, const TIniManager& settings, TCapture& capture) noexcept
      : player_(player), settings_(settings), capture_(capture) {}

  // A window the player created while File info was asked for: its dialog is placed,
  // styled and brought to the front.
  void OnCreateWindow(HWND window);

  void Execute(PlayerCommand command) override;
  PlayStatus Status() override;
  int Position() override;
  std::wstring Title() override;
  int PlayingTime() override;
  int Length() override;
  int Volume() override;
  void SetVolume(int level) override;
  int Option(PlayerCommand which) override;
  void SetOption(PlayerCommand which, bool on) override;
  int Rating() override;
  void SetRating(int stars) override;
  bool InfoDialogShown() override;
  void OpenInfoDialog() override;
  void CloseInfoDialog() override;
  bool WindowShown() override;
  void ShowWindow() override;
  void HideWindow() override;

 private:
  void SaveForeground();
  void RestoreForeground();

  const TWinampManager& player_;
  const TIniManager& settings_;
  TCapture& capture_;
  TInfoDialogStyle infoStyle_;
  HWND savedForeground_ = nullptr;
  HWND savedFocus_ = nullptr;
  HWND infoDialog_ = nullptr;
  // A window asked for and not seen yet: File info, or another dialog of the player's
  // (brought to the front only).
  enum class TAwait { None, Info, Front } awaiting_ = TAwait::None;
};

}  // namespace velmora
