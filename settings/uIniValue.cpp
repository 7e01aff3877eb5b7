#include "settings/uIniValue.h"

#include <charconv>

namespace velmora {

std::int32_t ParseIniInteger(std::string_view text, std::int32_t defaultValue) noexcept {
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    std::uint32_t value = 0;
    const std::string_view digits = text.substr(2);
    auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
    if (error != std::errc() || end != digits.data() + digits.size()) return defaultValue;
    return static_cast<std::int32_t>(value);
  }
  return ParseDecimal(text).value_or(defaultValue);
}

std::optional<std::int32_t> ParseDecimal(std::string_view text) noexcept {
  if (!text.empty() && text[0] == '+') text.remove_prefix(1);
  if (text.empty()) return std::nullopt;
  std::int32_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::size_t DirectoryLength(std::string_view path, LeadBytePredicate isLeadByte) {
  return AfterLastSeparator(path, "\\:", isLeadByte);
}

}  // namespace velmora
