#include "ui/uBmpFile.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace velmora::bmp {

namespace {

constexpr std::uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3;

class Reader {
 public:
  Reader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  void Need(std::size_t offset, std::size_t length) const {
    if (offset > size_ || length > size_ - offset) throw EBmpError("BMP data is truncated");
  }
  std::uint32_t U32(std::size_t at) const {
    Need(at, 4);
    return data_[at] | data_[at + 1] << 8 | data_[at + 2] << 16 |
           static_cast<std::uint32_t>(data_[at + 3]) << 24;
  }
  std::int32_t I32(std::size_t at) const { return static_cast<std::int32_t>(U32(at)); }
  std::uint16_t U16(std::size_t at) const {
    Need(at, 2);
    return static_cast<std::uint16_t>(data_[at] | data_[at + 1] << 8);
  }
  std::uint8_t U8(std::size_t at) const {
    Need(at, 1);
    return data_[at];
  }
  const std::uint8_t* At(std::size_t at) const { return data_ + at; }
  std::size_t Size() const { return size_; }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
};

void SetIndex(TDib& dib, std::int32_t x, std::int32_t row, unsigned value) {
  std::uint8_t* line = dib.Bits.data() + static_cast<std::size_t>(row) * dib.Stride();
  if (dib.BitCount == 8) {
    line[x] = static_cast<std::uint8_t>(value);
  } else {  // 4 bits: high nibble first
    std::uint8_t& b = line[x / 2];
    if (x % 2 == 0)
      b = static_cast<std::uint8_t>((b & 0x0F) | (value << 4));
    else
      b = static_cast<std::uint8_t>((b & 0xF0) | (value & 0x0F));
  }
}

// Decodes RLE8 or RLE4 into dib's bottom-up rows; every run must stay inside the image.
void DecodeRle(const Reader& in, std::size_t at, std::size_t end, TDib& dib, bool four) {
  const std::int32_t w = dib.Width, h = dib.Height;
  std::int32_t x = 0, row = 0;
  auto bad = [] { throw EBmpError("BMP compression data is invalid"); };
  // Encoders may fill a row's padding too (ImageMagick does); those pixels are dropped,
  // and nothing may run past the row's bytes.
  const auto rowPixels = static_cast<std::int32_t>(dib.Stride() * 8 / dib.BitCount);
  auto put = [&](unsigned value) {
    if (row >= h || x >= rowPixels) bad();
    if (x < w) SetIndex(dib, x, row, value);
    ++x;
  };
  for (;;) {
    if (at + 2 > end) throw EBmpError("BMP data is truncated");
    const unsigned count = in.U8(at), value = in.U8(at + 1);
    at += 2;
    if (count > 0) {
      for (unsigned i = 0; i < count; ++i) put(four ? (i % 2 ? value & 0x0F : value >> 4) : value);
      continue;
    }
    if (value == 0) {  // end of line
      x = 0;
      ++row;
    } else if (value == 1) {  // end of bitmap
      return;
    } else if (value == 2) {  // delta
      if (at + 2 > end) throw EBmpError("BMP data is truncated");
      const std::int32_t dx = in.U8(at), dy = in.U8(at + 1);
      at += 2;
      x += dx;
      row += dy;
      if (x > rowPixels || row > h || (row == h && x > 0)) bad();
    } else {  // absolute run of value pixels, padded to a 16-bit boundary
      const std::size_t bytes = four ? (value + 1) / 2 : value;
      const std::size_t padded = (bytes + 1) & ~std::size_t{1};
      if (at + padded > end) throw EBmpError("BMP data is truncated");
      for (unsigned i = 0; i < value; ++i) {
        const unsigned b = in.U8(at + (four ? i / 2 : i));
        put(four ? (i % 2 ? b & 0x0F : b >> 4) : b);
      }
      at += padded;
    }
    if (row > h) bad();
  }
}

int MaskShift(std::uint32_t mask) {
  int s = 0;
  while (mask && !(mask & 1)) mask >>= 1, ++s;
  return s;
}

std::uint32_t Channel(std::uint32_t value, std::uint32_t mask) {
  if (!mask) return 0;
  const int shift = MaskShift(mask);
  const std::uint32_t m = mask >> shift;
  const std::uint32_t v = (value & mask) >> shift;
  return m == 0 ? 0 : (v * 255 + m / 2) / m;
}

}  // namespace

std::uint32_t TDib::PixelRgb(std::int32_t x, std::int32_t y) const {
  if (x < 0 || y < 0 || x >= Width || y >= Height) throw EBmpError("pixel outside the bitmap");
  const std::uint8_t* line = Bits.data() + static_cast<std::size_t>(Height - 1 - y) * Stride();
  auto fromPalette = [&](unsigned index) -> std::uint32_t {
    return index < Palette.size() ? Palette[index] & 0xFFFFFF : 0;
  };
  switch (BitCount) {
    case 1:
      return fromPalette((line[x / 8] >> (7 - x % 8)) & 1);
    case 4:
      return fromPalette(x % 2 ? line[x / 2] & 0x0F : line[x / 2] >> 4);
    case 8:
      return fromPalette(line[x]);
    case 16: {
      const std::uint32_t v = line[x * 2] | line[x * 2 + 1] << 8;
      const std::uint32_t r = BitFields ? Masks[0] : 0x7C00, g = BitFields ? Masks[1] : 0x03E0,
                          b = BitFields ? Masks[2] : 0x001F;
      return Channel(v, r) << 16 | Channel(v, g) << 8 | Channel(v, b);
    }
    case 24:
      return line[x * 3 + 2] << 16 | line[x * 3 + 1] << 8 | line[x * 3];
    default: {
      const std::uint8_t* p = line + x * 4;
      const std::uint32_t v =
          p[0] | p[1] << 8 | p[2] << 16 | static_cast<std::uint32_t>(p[3]) << 24;
      if (!BitFields) return v & 0xFFFFFF;
      return Channel(v, Masks[0]) << 16 | Channel(v, Masks[1]) << 8 | Channel(v, Masks[2]);
    }
  }
}

TReadResult ReadBmp(const std::uint8_t* data, std::size_t size) {
  Reader in(data, size);
  if (size < 14 + 12) throw EBmpError("BMP data is truncated");
  if (data[0] != 'B' || data[1] != 'M') throw EBmpError("not a BMP file image");
  const std::uint32_t fileSize = in.U32(2);
  const std::uint32_t offBits = in.U32(10);
  TReadResult result;
  TDib& dib = result.Dib;
  const std::uint32_t headerSize = in.U32(14);
  result.HeaderSize = headerSize;
  std::int64_t width, height;
  std::uint32_t planes, compression = kRgb, colorsUsed = 0;
  std::size_t paletteEntry = 4;
  std::size_t afterHeader = 14 + static_cast<std::size_t>(headerSize);
  if (headerSize == 12) {
    width = in.U16(18);
    height = in.U16(20);
    planes = in.U16(22);
    dib.BitCount = in.U16(24);
    paletteEntry = 3;
  } else if (headerSize == 40 || headerSize == 52 || headerSize == 56 || headerSize == 108 ||
             headerSize == 124) {
    in.Need(14, headerSize);
    width = in.I32(18);
    height = in.I32(22);
    planes = in.U16(26);
    dib.BitCount = in.U16(28);
    compression = in.U32(30);
    colorsUsed = in.U32(46);
  } else {
    throw EBmpError("unsupported BMP header");
  }
  if (planes != 1) throw EBmpError("BMP plane count is invalid");
  const unsigned bc = dib.BitCount;
  if (bc != 1 && bc != 4 && bc != 8 && bc != 16 && bc != 24 && bc != 32)
    throw EBmpError("unsupported BMP bit count");
  if (height < 0) {
    result.TopDown = true;
    height = -height;
  }
  if (width <= 0 || height <= 0 || width > MaxDimension || height > MaxDimension)
    throw EBmpError("BMP dimensions are invalid");
  dib.Width = static_cast<std::int32_t>(width);
  dib.Height = static_cast<std::int32_t>(height);
  // In 64 bits: on the 32-bit target the product of two maximal dimensions overflows.
  const std::uint64_t bits64 =
      static_cast<std::uint64_t>(dib.Stride()) * static_cast<std::uint64_t>(dib.Height);
  if (bits64 > MaxBitsBytes) throw EBmpError("BMP dimensions are too large");
  const auto bitsBytes = static_cast<std::size_t>(bits64);

  switch (compression) {
    case kRgb:
      break;
    case kRle8:
      if (bc != 8 || result.TopDown) throw EBmpError("BMP compression is invalid");
      break;
    case kRle4:
      if (bc != 4 || result.TopDown) throw EBmpError("BMP compression is invalid");
      break;
    case kBitFields:
      if (bc != 16 && bc != 32) throw EBmpError("BMP compression is invalid");
      dib.BitFields = true;
      if (headerSize == 40) {  // masks follow the header
        in.Need(afterHeader, 12);
        afterHeader += 12;
      }
      for (int i = 0; i < 3; ++i) dib.Masks[i] = in.U32(14 + 40 + 4 * i);
      if (!dib.Masks[0] && !dib.Masks[1] && !dib.Masks[2])
        throw EBmpError("BMP bit masks are invalid");
      break;
    default:
      throw EBmpError("unsupported BMP compression");
  }
  result.Compression = compression;

  // Colour table: required up to 8 bits, optional (and skipped) above.
  std::size_t colors = 0;
  if (bc <= 8) {
    const std::size_t max = std::size_t{1} << bc;
    if (colorsUsed > max) throw EBmpError("BMP colour count is invalid");
    colors = colorsUsed ? colorsUsed : max;
    if (headerSize == 12) colors = max;
  } else if (colorsUsed > 256) {
    throw EBmpError("BMP colour count is invalid");
  } else {
    colors = colorsUsed;
  }
  const std::size_t paletteEnd = afterHeader + colors * paletteEntry;
  if (offBits < afterHeader || offBits >= size) throw EBmpError("BMP pixel offset is invalid");
  if (bc <= 8) {
    // A table cut short by the pixel offset keeps the entries that fit.
    const std::size_t room =
        (std::min<std::size_t>(paletteEnd, offBits) - afterHeader) / paletteEntry;
    if (room == 0) throw EBmpError("BMP colour table is missing");
    in.Need(afterHeader, room * paletteEntry);
    dib.Palette.resize(room);
    for (std::size_t i = 0; i < room; ++i) {
      const std::size_t at = afterHeader + i * paletteEntry;
      dib.Palette[i] = in.U8(at) | in.U8(at + 1) << 8 | in.U8(at + 2) << 16;
    }
  }

  dib.Bits.assign(bitsBytes, 0);
  std::size_t end;
  if (compression == kRle8 || compression == kRle4) {
    const std::uint32_t sizeImage = headerSize == 12 ? 0 : in.U32(34);
    end = size;
    if (sizeImage) {
      in.Need(offBits, sizeImage);
      end = offBits + sizeImage;
    }
    DecodeRle(in, offBits, end, dib, compression == kRle4);
  } else {
    in.Need(offBits, bitsBytes);
    const std::size_t stride = dib.Stride();
    for (std::int32_t r = 0; r < dib.Height; ++r) {
      const std::int32_t source = result.TopDown ? dib.Height - 1 - r : r;
      std::memcpy(dib.Bits.data() + r * stride, in.At(offBits + source * stride), stride);
    }
    end = offBits + bitsBytes;
  }
  result.Consumed = std::max<std::size_t>(end, std::min<std::size_t>(fileSize, size));
  return result;
}

std::vector<std::uint8_t> WriteBmp(const TDib& dib) {
  const unsigned bc = dib.BitCount;
  if (dib.Width <= 0 || dib.Height <= 0 ||
      (bc != 1 && bc != 4 && bc != 8 && bc != 16 && bc != 24 && bc != 32))
    throw EBmpError("bitmap cannot be written");
  const std::size_t bitsBytes = dib.Stride() * static_cast<std::size_t>(dib.Height);
  if (dib.Bits.size() < bitsBytes) throw EBmpError("bitmap cannot be written");
  const bool masks = dib.BitFields && (bc == 16 || bc == 32);
  const std::size_t colors =
      bc <= 8 ? std::min<std::size_t>(dib.Palette.size(), std::size_t{1} << bc) : 0;
  const std::size_t offBits = 14 + 40 + (masks ? 12 : 0) + colors * 4;
  std::vector<std::uint8_t> out(offBits + bitsBytes, 0);
  auto put32 = [&](std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
  };
  auto put16 = [&](std::size_t at, std::uint16_t v) {
    out[at] = static_cast<std::uint8_t>(v);
    out[at + 1] = static_cast<std::uint8_t>(v >> 8);
  };
  out[0] = 'B';
  out[1] = 'M';
  put32(2, static_cast<std::uint32_t>(out.size()));
  put32(10, static_cast<std::uint32_t>(offBits));
  put32(14, 40);
  put32(18, static_cast<std::uint32_t>(dib.Width));
  put32(22, static_cast<std::uint32_t>(dib.Height));
  put16(26, 1);
  put16(28, static_cast<std::uint16_t>(bc));
  put32(30, masks ? kBitFields : kRgb);
  put32(34, static_cast<std::uint32_t>(bitsBytes));
  put32(38, PixelsPerMeter);
  put32(42, PixelsPerMeter);
  put32(46, static_cast<std::uint32_t>(colors));
  std::size_t at = 54;
  if (masks) {
    for (int i = 0; i < 3; ++i, at += 4) put32(at, dib.Masks[i]);
  }
  for (std::size_t i = 0; i < colors; ++i, at += 4) put32(at, dib.Palette[i] & 0xFFFFFF);
  std::memcpy(out.data() + offBits, dib.Bits.data(), bitsBytes);
  return out;
}

}  // namespace velmora::bmp
