// libFuzzer target: the BMP reader must reject or read any input, never fault.
#include <cstddef>
#include <cstdint>

#include "ui/uBmpFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  try {
    auto r = velmora::bmp::ReadBmp(data, size);
    if (r.Consumed > size && r.Consumed != r.Dib.Bits.size()) __builtin_trap();
    // Reading every pixel touches the whole decoded block.
    std::uint32_t sum = 0;
    for (std::int32_t y = 0; y < r.Dib.Height && y < 64; ++y)
      for (std::int32_t x = 0; x < r.Dib.Width && x < 64; ++x) sum += r.Dib.PixelRgb(x, y);
    auto again = velmora::bmp::WriteBmp(r.Dib);
    (void)again;
    (void)sum;
  } catch (const velmora::bmp::EBmpError&) {
  }
  return 0;
}
