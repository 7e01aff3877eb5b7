// The registry as the browser launch reads it: the program registered for a file type.
#pragma once

#include <windows.h>

#include <string>

namespace velmora {

// The key's default value without surrounding blanks and control bytes; empty when the
// key or value cannot be read. A value of any length is read whole.
std::string RegReadDefaultValue(HKEY root, const std::string& subkey);
// The command registered to open files of the extension (with or without its "."), as
// it stands, or empty.
std::string FindAssociatedCommand(std::string extension);
// The quoted program of that command, or empty.
std::string FindAssociatedProgram(std::string extension);

}  // namespace velmora
