// The only talker to the player: commands and queries as window messages to its main
// window. The plugin runs on the player's main thread, so every message is sent.
#pragma once

#include <windows.h>

#include <string>

#include "settings/uPlayerCommand.h"

namespace velmora {

class TWinampManager {
 public:
  explicit TWinampManager(HWND playerWindow) noexcept : PlayerWindow(playerWindow) {}

  void Execute(PlayerCommand command) const;
  LRESULT SendCommand(unsigned id) const;
  PlayStatus GetStatus() const;
  int GetPosition() const;
  // The playing entry's time in milliseconds; -1 where the player has none.
  int GetPlayingTime() const;
  // Any other request: its answer.
  LRESULT Request(long code, WPARAM value = 0) const;
  // The current entry's title in any script: the player's wide answer where it has one,
  // else its ANSI one converted from the system's code page.
  std::wstring GetCurrentTitleW() const;
  // The folder the player keeps its own settings in, or empty when it names none. Asked
  // before the player-control object exists: the settings come first.
  static std::string GetIniDirectory(HWND playerWindow);
  static bool HasPopup(PlayerCommand command) { return CommandHasPopup(static_cast<int>(command)); }

  // The player's main window: whether it shows, restored, minimised.
  bool WindowShown() const;
  void RestoreWindow() const;
  void MinimiseWindow() const;
  // The File-info dialog: the player's command that opens it, and the closing of the one
  // it opened.
  void OpenInfoDialog() const;
  void CloseInfoDialog(HWND dialog) const;

  // Borrowed: the player owns its window.
  const HWND PlayerWindow;
};

}  // namespace velmora
