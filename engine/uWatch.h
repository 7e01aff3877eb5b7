// The command engine: a hidden window that receives what the hooks forward, matches hot
// keys and jog gestures to commands and runs them, each with its popup.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "engine/uEngine.h"
#include "engine/uForegroundPolicy.h"
#include "engine/uInfoDialog.h"
#include "engine/uSkinSet.h"
#include "engine/uWheelHook.h"
#include "hook/uCapture.h"
#include "settings/uPlayerCommand.h"
#include "ui/uTimer.h"

namespace velmora {

// The engine in the system: the rules (TEngine) given the real player, popups and message
// loop; the window the hooks forward to, the capture and the timers.
class TIniManager;
class TPopupForm;
class TWinampManager;

class TWatch final : private IPlayer, private IPopups, private IEngineSystem {
 public:
  // Both are the creator's and outlive the engine; the settings are read live (the dialog
  // changes them while the engine waits).
  TWatch(const TIniManager& settings, const TWinampManager& player);
  ~TWatch();
  TWatch(const TWatch&) = delete;
  TWatch& operator=(const TWatch&) = delete;

  void Reload();
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  void SaveForeground();
  void RestoreForeground();

  const HWND PlayerWindow;
  HWND MessageWindow = nullptr;
  HWND SavedForeground = nullptr;
  HWND SavedFocus = nullptr;
  HWND InfoDialog = nullptr;
  std::unique_ptr<ui::TTimer> CommandTimer;
  std::unique_ptr<ui::TTimer> RepeatTimer;  // the held volume key's next repeat
  std::unique_ptr<ui::TTimer> TrackTimer;   // the track watch's poll
  TEngine Engine;

 private:
  const TIniManager& settings_;
  const TWinampManager& player_;

  // IPlayer
  void Execute(PlayerCommand command) override;
  void Seek(bool forward) override;
  PlayStatus Status() override;
  int Position() override;
  std::wstring Title() override;
  bool InfoDialogShown() override;
  void OpenInfoDialog() override;
  void CloseInfoDialog() override;
  bool WindowShown() override;
  void ShowWindow() override;
  void HideWindow() override;
  // IPopups
  void Show(PlayerCommand command, bool disabled, bool again, const std::wstring& title) override;
  void ShowNowPlaying(PlayStatus status, const std::wstring& title) override;
  void ShowText(const char* text, bool again) override;
  // IEngineSystem
  void Reply() override;
  void ProcessMessages() override;
  bool HeldByAnotherProgram(TShortCut word) override;
  void StartCountdown(unsigned intervalMs) override;
  void StopCountdown() override;
  bool PlayerInFront() override;
  void StartTrackPoll(unsigned intervalMs) override;
  void StopTrackPoll() override;
  bool ForegroundExcluded() override;
  bool ChordHeld(TShortCut word) override;
  TKeyRepeat KeyboardRepeat() override;
  void StartRepeat(unsigned ms) override;
  void StopRepeat() override;

  LRESULT Receive(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void ShowPopup(const char* text, const std::shared_ptr<ui::TBitmap>& skin, bool again,
                 const std::wstring& title);
  void InstallEngineHooks();
  void SetWheel();
  void OnCreateWindow(HWND window);

  TSkinSet skins_;
  TForegroundPolicy foreground_;
  TInfoDialogStyle infoStyle_;
  // Made with the window it sends to, removed before it.
  std::optional<TCapture> capture_;
  // Set while the wheel is on; it posts to the window, so it goes before the window.
  std::unique_ptr<TWheelHook> wheel_;
  // The popup of the last command, which a held key's repeats show again.
  TPopupForm* lastPopup_ = nullptr;
};

}  // namespace velmora
