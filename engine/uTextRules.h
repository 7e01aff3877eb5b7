// Byte-level text rules of the utilities unit. No Windows header.
#pragma once

#include <bitset>
#include <string>
#include <string_view>

namespace velmora {

// Without leading and trailing bytes of code 32 or below.
std::string TrimLowBytes(std::string_view text);
// a to z upper-cased, every other byte as it is.
std::string UpperAscii(std::string_view text);
// True when a byte before the last one is in the set; 0 or 1 bytes give false.
bool ContainsMarker(std::string_view text, const std::bitset<256>& markers) noexcept;

}  // namespace velmora
