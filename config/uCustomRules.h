// The configuration dialog's decisions that need no window: the numeric boxes' key
// filter and parsing, directory parts of paths in the system's code page, and the skin
// directory.
// No Windows header.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "settings/uTextRules.h"

namespace velmora {

// Backspace, the digits and character 127 pass; every other typed character is dropped.
bool NumericKeyPasses(std::uint32_t character) noexcept;

// A valid 32-bit signed decimal integer (an optional sign, digits only), or nothing.
std::optional<std::int32_t> ParseInt32(std::string_view text) noexcept;

// The text up to and including the last "\" or ":" that is not the second byte of a
// double-byte character; empty when there is none. isLeadByte tells the code page's lead
// bytes.
std::string DirectoryPart(std::string_view path, LeadBytePredicate isLeadByte);

// The directory with "\" appended, unless it ends in a "\" of its own (not a trail byte);
// an empty text gives "\".
std::string WithTrailingBackslash(std::string_view directory, LeadBytePredicate isLeadByte);

}  // namespace velmora
