#include "engine/uWinampManager.h"

#include <cstring>

#include "popup/uPopupText.h"
#include "ui/uWide.h"

namespace velmora {

void TWinampManager::Execute(PlayerCommand command) const {
  if (auto id = CommandIdentifier(static_cast<int>(command))) SendCommand(*id);
}

LRESULT TWinampManager::SendCommand(unsigned id) const {
  return SendMessageA(PlayerWindow, WM_COMMAND, id, 0);
}

bool TWinampManager::WindowShown() const {
  return IsWindowVisible(PlayerWindow) != FALSE;
}

void TWinampManager::RestoreWindow() const {
  SendMessageA(PlayerWindow, WM_SYSCOMMAND, SC_RESTORE, 0);
}

void TWinampManager::MinimiseWindow() const {
  SendMessageA(PlayerWindow, WM_SYSCOMMAND, SC_MINIMIZE, 0);
}

void TWinampManager::OpenInfoDialog() const {
  SendCommand(IdFileInfo);
}

void TWinampManager::CloseInfoDialog(HWND dialog) const {
  SendMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
}

PlayStatus TWinampManager::GetStatus() const {
  return StatusFromResult(SendMessageA(PlayerWindow, WM_USER, 0, RequestPlayState));
}

LRESULT TWinampManager::Request(long code, WPARAM value) const {
  return SendMessageA(PlayerWindow, WM_USER, value, code);
}

int TWinampManager::GetPlayingTime() const {
  return static_cast<int>(SendMessageA(PlayerWindow, WM_USER, 0, RequestPlayingTime));
}

int TWinampManager::GetPosition() const {
  return static_cast<int>(SendMessageA(PlayerWindow, WM_USER, 0, RequestListPosition));
}

// The answers are the player's own buffers in this process.
std::wstring TWinampManager::GetCurrentTitleW() const {
  const auto position =
      static_cast<WPARAM>(SendMessageA(PlayerWindow, WM_USER, 0, RequestListPosition));
  const auto* wide = reinterpret_cast<const wchar_t*>(
      SendMessageW(PlayerWindow, WM_USER, position, RequestTitleW));
  const auto* ansi = wide ? nullptr
                          : reinterpret_cast<const char*>(
                                SendMessageA(PlayerWindow, WM_USER, position, RequestTitle));
  return PickTitle(wide, ansi, [](std::string_view a) { return ui::FromAnsi(a); });
}

std::string TWinampManager::GetIniDirectory(HWND playerWindow) {
  if (!IsWindow(playerWindow)) return {};
  const auto* directory =
      reinterpret_cast<const char*>(SendMessageA(playerWindow, WM_USER, 0, RequestIniDirectory));
  // The player's own buffer in this process; a path is at most MAX_PATH bytes.
  return directory ? std::string(directory, strnlen(directory, MAX_PATH)) : std::string();
}

}  // namespace velmora
