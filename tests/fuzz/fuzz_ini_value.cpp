// libFuzzer target: the settings file's value decoding (numbers, colours, hot-key words
// and booleans all come through ParseIniInteger; skin paths through DirectoryLength)
// must read any text, never fault, and keep its own promises.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "settings/uIniValue.h"

namespace {
bool ShiftJisLead(unsigned char b) {
  return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::int32_t a = velmora::ParseIniInteger(text, 17);
  const std::int32_t b = velmora::ParseIniInteger(text, -3);
  // A text that decodes gives the same value whatever the default; one that does not
  // gives the default.
  if (a != b && !(a == 17 && b == -3)) __builtin_trap();
  const std::size_t n = velmora::DirectoryLength(text, ShiftJisLead);
  if (n > size || (n > 0 && text[n - 1] != '\\')) __builtin_trap();
  return 0;
}
