// The command engine: a hidden window that receives what the hooks forward, matches hot
// keys and jog gestures to commands and runs them, each with its popup.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/uPlayerCommand.h"
#include "hook/uRawKeys.h"
#include "ui/uBitmap.h"
#include "ui/uGdi.h"
#include "ui/uTimer.h"

namespace velmora {

class TWatch {
 public:
  explicit TWatch(HWND playerWindow);
  ~TWatch();
  TWatch(const TWatch&) = delete;
  TWatch& operator=(const TWatch&) = delete;

  void Reload();
  void LoadSkins();
  void FreeSkins();
  void ExecuteCommand(PlayerCommand command);
  void OnCommandTimer();
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  void SaveForeground();
  void RestoreForeground();

  HWND PlayerWindow = nullptr;
  HWND MessageWindow = nullptr;
  HWND SavedForeground = nullptr;
  HWND SavedFocus = nullptr;
  HWND InfoDialog = nullptr;
  bool EngineEnabled = true;
  std::int32_t LastJogTime = 0;
  std::string JogSequence;
  std::unique_ptr<ui::TTimer> CommandTimer;
  // Shared with the popups that show them, so a popup never draws a freed skin.
  std::shared_ptr<ui::TBitmap> DisabledBitmap;
  bool JogPressed = false;
  std::shared_ptr<ui::TBitmap> CommandBitmaps[CommandCount];
  bool Busy = false;

 private:
  static LRESULT CALLBACK MessageWindowProc(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam);
  static LRESULT CALLBACK InfoDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR id, DWORD_PTR data);
  void InstallEngineHooks();
  // fromRawInput: a combination another program holds as a system hot key runs nothing,
  // as it never reaches the keyboard hook.
  void OnHotKey(WPARAM wParam, bool fromRawInput = false);
  void OnRawInput(HRAWINPUT input);
  bool HeldByAnotherProgram(TShortCut word);
  void OnJogDial(WPARAM wParam);
  void OnCreateWindow(HWND window);
  void ReleaseInfoFont(HWND dialog) noexcept;
  void PruneInfoFonts() noexcept;

  // The File-info fonts: one per recognised dialog, freed when that dialog is destroyed
  // (where the subclass took) or when the engine is, whichever comes first.
  struct TInfoFont {
    HWND Dialog;
    ui::TFontHandle Font;
    bool Subclassed;
  };
  std::vector<TInfoFont> infoFonts_;

  // Keys from raw input instead of the keyboard hook: decided once, at creation (the
  // switch is effective in restart), and only where the host has no keyboard raw input
  // of its own (a process has one registration per device class).
  bool useRawInput_ = false;
  bool rawRegistered_ = false;  // this engine's registration, removed at its end
  TRawKeyboard rawKeyboard_;
};

}  // namespace velmora
