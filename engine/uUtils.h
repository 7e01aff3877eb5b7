// Foreground, window-text and lead-byte helpers of the engine and the dialog.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace velmora {

HWND GetForegroundFocus();
// A window of this process (the player's) is in front.
bool OwnProcessInFront();
void ForceForeground(HWND window);
void GetClassAndText(HWND window, bool upperClass, bool upperText, std::string& className,
                     std::string& text);
bool ContainsLeadByte(std::string_view text);

}  // namespace velmora
