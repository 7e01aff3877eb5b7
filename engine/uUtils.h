// Foreground, window-text and lead-byte helpers of the engine and the dialog.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace velmora {

HWND GetForegroundFocus();
// A window of this process (the player's) is in front.
bool OwnProcessInFront();
// The text on the clipboard as Unicode text, owner the window that puts it there.
bool CopyToClipboard(HWND owner, const std::wstring& text);
void ForceForeground(HWND window);
void GetClassAndText(HWND window, bool upperClass, bool upperText, std::string& className,
                     std::string& text);
bool ContainsLeadByte(std::string_view text);

}  // namespace velmora
