// The arithmetic of the bitmap effects: the library's pseudo-random generator and the
// palette blend. No Windows header.
#pragma once

#include <cstdint>

namespace velmora {

// seed := seed * 134775813 + 1 (mod 2^32); the result is the upper 32 bits of seed * n,
// in 0 .. n - 1. The seed is 0 when the library is loaded and never reseeded, so the
// noise is the same sequence at every load.
std::uint32_t Random(std::uint32_t n) noexcept;
std::uint32_t RandomSeed() noexcept;
void SetRandomSeed(std::uint32_t seed) noexcept;  // for tests

// (entry * keep + target * (100 - keep)) div 100, at most 255; keep in 0 .. 100.
std::uint8_t MixChannel(std::uint8_t entry, std::uint8_t target, int keep) noexcept;
// percent limited to 0 .. 100.
int ClampPercent(int percent) noexcept;

}  // namespace velmora
