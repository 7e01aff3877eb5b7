// Foreground, window-text, lead-byte and registry helpers of the engine and the dialog.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace velmora {

HWND GetForegroundFocus();
void ForceForeground(HWND window);
void GetClassAndText(HWND window, bool upperClass, bool upperText, std::string& className,
                     std::string& text);
bool ContainsLeadByte(std::string_view text);
// Another program (or another window of this one) holds the word's chord as a system hot
// key: registered for an instant for the window, and ERROR_HOTKEY_ALREADY_REGISTERED is
// the answer.
bool HotKeyHeldElsewhere(HWND window, std::uint16_t word);
// A file (not a folder) of that path exists.
bool FileExists(const std::string& path);

// The key's default value without surrounding blanks and control bytes; empty when the
// key or value cannot be read. A value of any length is read whole.
std::string RegReadDefaultValue(HKEY root, const std::string& subkey);
// The command registered to open files of the extension (with or without its "."), as
// it stands, or empty.
std::string FindAssociatedCommand(std::string extension);
// The quoted program of that command, or empty.
std::string FindAssociatedProgram(std::string extension);

}  // namespace velmora
