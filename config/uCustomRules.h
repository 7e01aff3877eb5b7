// The configuration dialog's decisions that need no window: the numeric boxes' key filter
// and the skin directory's trailing backslash in the system's code page (the numbers and
// directory parts are the settings' own, settings/uIniValue.h).
// No Windows header.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "settings/uIniValue.h"
#include "settings/uTextRules.h"

namespace velmora {

// Backspace, the digits and character 127 pass; every other typed character is dropped.
bool NumericKeyPasses(std::uint32_t character) noexcept;

// The directory with "\" appended, unless it ends in a "\" of its own (not a trail byte);
// an empty text gives "\".
std::string WithTrailingBackslash(std::string_view directory, LeadBytePredicate isLeadByte);

}  // namespace velmora
