// Value encodings of the settings file. No Windows header.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "settings/uTextRules.h"

namespace velmora {

// A valid 32-bit signed decimal integer (an optional sign, digits only), or nothing.
std::optional<std::int32_t> ParseDecimal(std::string_view text) noexcept;
// Text longer than two characters starting "0x" or "0X" is hexadecimal (up to 32 bits);
// otherwise signed decimal in the 32-bit range. Anything else gives the default.
std::int32_t ParseIniInteger(std::string_view text, std::int32_t defaultValue) noexcept;

// The position after the last "\" or ":" of a path, never taking the second byte of a
// double-byte character for one; isLeadByte tells the code page's lead bytes.
std::size_t DirectoryLength(std::string_view path, LeadBytePredicate isLeadByte);
// The text up to that position: the directory with its "\" (or a drive's "C:"); empty
// when there is none.
inline std::string DirectoryPart(std::string_view path, LeadBytePredicate isLeadByte) {
  return std::string(path.substr(0, DirectoryLength(path, isLeadByte)));
}

}  // namespace velmora
