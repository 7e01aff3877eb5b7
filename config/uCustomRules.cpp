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

bool IsCp932LeadByte(unsigned char byte) noexcept {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

namespace {
// Index one past the last separator byte that stands alone, or 0.
std::size_t AfterLastSeparator(std::string_view path) noexcept {
  std::size_t after = 0;
  for (std::size_t i = 0; i < path.size(); ++i) {
    const auto b = static_cast<unsigned char>(path[i]);
    if (IsCp932LeadByte(b) && i + 1 < path.size()) {
      ++i;  // its trail byte may be 0x5C and is no "\"
      continue;
    }
    if (b == '\\' || b == ':') after = i + 1;
  }
  return after;
}
}  // namespace

std::string DirectoryPart(std::string_view path) {
  return std::string(path.substr(0, AfterLastSeparator(path)));
}

std::string WithTrailingBackslash(std::string_view directory) {
  const std::size_t after = AfterLastSeparator(directory);
  if (!directory.empty() && after == directory.size() && directory.back() == '\\')
    return std::string(directory);
  return std::string(directory) + "\\";
}

}  // namespace velmora
