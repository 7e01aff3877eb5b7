#include "settings/uTextRules.h"

namespace velmora {

std::string TrimLowBytes(std::string_view text) {
  std::size_t begin = 0, end = text.size();
  while (begin < end && static_cast<unsigned char>(text[begin]) <= 32) ++begin;
  while (end > begin && static_cast<unsigned char>(text[end - 1]) <= 32) --end;
  return std::string(text.substr(begin, end - begin));
}

std::string UpperAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return out;
}

std::size_t AfterLastSeparator(std::string_view text, std::string_view separators,
                               LeadBytePredicate isLeadByte) noexcept {
  std::size_t after = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (isLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size()) {
      ++i;  // its trail byte may be 0x5C and is no "\"
      continue;
    }
    if (separators.find(text[i]) != std::string_view::npos) after = i + 1;
  }
  return after;
}

bool ContainsMarker(std::string_view text, const std::bitset<256>& markers) noexcept {
  if (text.size() < 2) return false;
  for (std::size_t i = 0; i + 1 < text.size(); ++i)
    if (markers[static_cast<unsigned char>(text[i])]) return true;
  return false;
}

}  // namespace velmora
