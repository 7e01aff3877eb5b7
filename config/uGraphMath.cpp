#include "config/uGraphMath.h"

namespace velmora {

namespace {
std::uint32_t gSeed = 0;  // the UI thread's only
}

std::uint32_t Random(std::uint32_t n) noexcept {
  gSeed = gSeed * 134775813u + 1u;
  return static_cast<std::uint32_t>((static_cast<std::uint64_t>(gSeed) * n) >> 32);
}

std::uint32_t RandomSeed() noexcept {
  return gSeed;
}

void SetRandomSeed(std::uint32_t seed) noexcept {
  gSeed = seed;
}

std::uint8_t MixChannel(std::uint8_t entry, std::uint8_t target, int keep) noexcept {
  const int v = (entry * keep + target * (100 - keep)) / 100;
  return static_cast<std::uint8_t>(v > 255 ? 255 : v);
}

int ClampPercent(int percent) noexcept {
  return percent < 0 ? 0 : percent > 100 ? 100 : percent;
}

}  // namespace velmora
