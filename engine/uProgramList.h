// Programs the hot keys leave alone: the setting's list of executable file names and the
// match against the program in front. No Windows header.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// The names of a list separated by ";": each without surrounding blanks and quotes, a
// path reduced to its file name; empty entries dropped.
std::vector<std::wstring> ParseProgramList(std::wstring_view list);

// The image path's file name is one of the names, compared without regard to case (the
// Latin letters; every other character as it is).
bool IsListedProgram(const std::vector<std::wstring>& names, std::wstring_view imagePath) noexcept;

}  // namespace velmora
