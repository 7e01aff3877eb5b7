// Byte-level text rules of the settings, the engine and the dialog: paths and texts in
// the system's ANSI code page. No Windows header.
#pragma once

#include <bitset>
#include <string>
#include <string_view>

namespace velmora {

// Without leading and trailing bytes of code 32 or below.
std::string TrimLowBytes(std::string_view text);
// a to z upper-cased, every other byte as it is.
std::string UpperAscii(std::string_view text);
// Tells the lead bytes of a double-byte code page: the system's ANSI code page in the
// plugin, a fixed one in tests.
using LeadBytePredicate = bool (*)(unsigned char);

// Index one past the last byte of separators that is not the second byte of a
// double-byte character, or 0 when there is none.
std::size_t AfterLastSeparator(std::string_view text, std::string_view separators,
                               LeadBytePredicate isLeadByte) noexcept;

// True when a byte before the last one is in the set; 0 or 1 bytes give false.
bool ContainsMarker(std::string_view text, const std::bitset<256>& markers) noexcept;

}  // namespace velmora
