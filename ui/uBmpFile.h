// Reading and writing BMP file images. No Windows header: the reader takes outside data
// and is tested and fuzzed natively.
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <vector>

namespace velmora::bmp {

class EBmpError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// An uncompressed DIB: rows bottom-up, each padded to 4 bytes, as GDI takes them.
struct TDib {
  std::int32_t Width = 0;
  std::int32_t Height = 0;             // always positive here
  std::uint16_t BitCount = 0;          // 1, 4, 8, 16, 24 or 32
  bool BitFields = false;              // Masks hold the channel masks (16 and 32 bits)
  std::uint32_t Masks[3] = {0, 0, 0};  // red, green, blue
  std::vector<std::uint32_t> Palette;  // RGBQUAD values: 0x00RRGGBB
  std::vector<std::uint8_t> Bits;

  std::size_t Stride() const noexcept { return RowBytes(Width, BitCount); }
  static std::size_t RowBytes(std::int32_t width, unsigned bitCount) noexcept {
    return ((static_cast<std::size_t>(width) * bitCount + 31) / 32) * 4;
  }
  // The pixel at (x, y), y counted from the top, as 0x00RRGGBB.
  std::uint32_t PixelRgb(std::int32_t x, std::int32_t y) const;
};

struct TReadResult {
  TDib Dib;
  std::size_t Consumed = 0;  // bytes of the file image, from its first byte
  bool TopDown = false;      // the file stored its rows top-down
  std::uint32_t HeaderSize = 0;
  std::uint32_t Compression = 0;
};

// Largest width or height accepted, and largest decoded pixel block.
inline constexpr std::int32_t MaxDimension = 32767;
inline constexpr std::size_t MaxBitsBytes = 256u << 20;

// Reads one BMP file image from data; throws EBmpError for anything malformed.
TReadResult ReadBmp(const std::uint8_t* data, std::size_t size);

// 72 dots per inch, what the writer states for both directions.
inline constexpr std::uint32_t PixelsPerMeter = 2834;

// Writes a BMP file image with a BITMAPINFOHEADER (BI_RGB, or BI_BITFIELDS with masks).
std::vector<std::uint8_t> WriteBmp(const TDib& dib);

}  // namespace velmora::bmp
