#include "config/uCustomRules.h"

#include <charconv>

namespace velmora {

bool NumericKeyPasses(std::uint32_t character) noexcept {
  return character == 8 || character == 127 || (character >= '0' && character <= '9');
}

std::optional<std::int32_t> ParseInt32(std::string_view text) noexcept {
  if (!text.empty() && text[0] == '+') text.remove_prefix(1);
  if (text.empty()) return std::nullopt;
  std::int32_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::string DirectoryPart(std::string_view path, LeadBytePredicate isLeadByte) {
  return std::string(path.substr(0, AfterLastSeparator(path, "\\:", isLeadByte)));
}

std::string WithTrailingBackslash(std::string_view directory, LeadBytePredicate isLeadByte) {
  const std::size_t after = AfterLastSeparator(directory, "\\:", isLeadByte);
  if (!directory.empty() && after == directory.size() && directory.back() == '\\')
    return std::string(directory);
  return std::string(directory) + "\\";
}

}  // namespace velmora
