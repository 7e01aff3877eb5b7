#pragma once

#include <windows.h>

namespace velmora {

// Top-most without moving, sizing or activating; flags are added to those three.
inline BOOL SetTopMost(HWND window, UINT flags) noexcept {
  return SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0,
                      flags | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
}

}  // namespace velmora
