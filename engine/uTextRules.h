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

namespace velmora {

// q, then text with every q doubled, then q.
std::string QuoteStr(std::string_view text, char q);
// What lies between an opening q and its closing q, a doubled q standing for one; empty
// when text does not begin with q.
std::string UnquoteStr(std::string_view text, char q);
// The program of a registered "open" command, quoted: the first quoted part when there is
// one, else the command without "%1", single quotes and surrounding blanks.
std::string ProgramOfCommand(std::string_view command);
// The command line that opens url with a registered "open" command: the URL where "%1"
// stands (quoted or not, as the command has it), or after the command when it has none.
std::string CommandLineForUrl(std::string_view command, std::string_view url);
// A URL as the browser gets it: with "http://" in front when it names no scheme (no ":"
// before its first "/") or is made of colons alone; an empty URL stays empty.
std::string CompleteUrl(std::string_view url);

}  // namespace velmora
