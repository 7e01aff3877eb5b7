#include "engine/uWinampManager.h"

#include <cstring>

namespace velmora {

TWinampManager* WinampManager = nullptr;

void TWinampManager::Execute(PlayerCommand command) const {
  if (auto id = CommandIdentifier(static_cast<int>(command))) SendCommand(*id);
}

LRESULT TWinampManager::SendCommand(unsigned id) const {
  return SendMessageA(PlayerWindow, WM_COMMAND, id, 0);
}

PlayStatus TWinampManager::GetStatus() const {
  return StatusFromResult(SendMessageA(PlayerWindow, WM_USER, 0, RequestPlayState));
}

std::string TWinampManager::GetCurrentTitle() const {
  const LRESULT position = SendMessageA(PlayerWindow, WM_USER, 0, RequestListPosition);
  const auto* title = reinterpret_cast<const char*>(
      SendMessageA(PlayerWindow, WM_USER, static_cast<WPARAM>(position), RequestTitle));
  return title ? std::string(title) : std::string();
}

std::string TWinampManager::GetIniDirectory(HWND playerWindow) {
  if (!IsWindow(playerWindow)) return {};
  const auto* directory =
      reinterpret_cast<const char*>(SendMessageA(playerWindow, WM_USER, 0, RequestIniDirectory));
  // The player's own buffer in this process; a path is at most MAX_PATH bytes.
  return directory ? std::string(directory, strnlen(directory, MAX_PATH)) : std::string();
}

}  // namespace velmora
