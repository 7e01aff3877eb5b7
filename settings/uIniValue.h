// Value encodings of the settings file. No Windows header.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "settings/uTextRules.h"

namespace velmora {

// Text longer than two characters starting "0x" or "0X" is hexadecimal (up to 32 bits);
// otherwise signed decimal in the 32-bit range. Anything else gives the default.
std::int32_t ParseIniInteger(std::string_view text, std::int32_t defaultValue) noexcept;

// The position after the last backslash of a path, never taking the second byte of a
// double-byte character for one; isLeadByte tells the code page's lead bytes.
std::size_t DirectoryLength(std::string_view path, LeadBytePredicate isLeadByte);

}  // namespace velmora
