#include "config/uCustomRules.h"

namespace velmora {

bool NumericKeyPasses(std::uint32_t character) noexcept {
  return character == 8 || character == 127 || (character >= '0' && character <= '9');
}

std::string WithTrailingBackslash(std::string_view directory, LeadBytePredicate isLeadByte) {
  const std::size_t after = AfterLastSeparator(directory, "\\:", isLeadByte);
  if (!directory.empty() && after == directory.size() && directory.back() == '\\')
    return std::string(directory);
  return std::string(directory) + "\\";
}

}  // namespace velmora
