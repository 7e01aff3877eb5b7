// The bitmap list's data without the bitmaps' GDI side: BMP file images packed back to
// back, the two name tables of their offsets, and the "Bitmaps" blob that carries them.
// No Windows header: the reader takes outside bytes and is tested and fuzzed natively.
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "config/uHash.h"

namespace velmora {

class EBitmapListError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

inline constexpr char BitmapListMarker[] = "BmpLst";  // in the blob without its terminator
inline constexpr std::size_t BitmapListMarkerSize = sizeof BitmapListMarker - 1;
inline constexpr char BitmapListVersion[] = "1.0.0.0";
// A compressed blob states no inflated size: inflating stops with an error past this.
inline constexpr std::size_t MaxBitmapListData = 64u << 20;

class TBitmapListData {
 public:
  explicit TBitmapListData(TKeyCompare compare) : ImageTable(compare), MaskTable(compare) {}

  std::vector<std::uint8_t> DataStream;
  THash ImageTable;
  THash MaskTable;
  bool Compressed = false;

  // Reads a blob into the empty list. Anything malformed (a count, length or offset past
  // the end, a negative length, an entry that is no complete BMP image, a broken or
  // oversized zlib stream) throws EBitmapListError and leaves the list empty.
  void ReadData(const std::uint8_t* data, std::size_t size);
  // In uBitmapListWriter.cpp, with DeflateBlock.
  void WriteData(std::vector<std::uint8_t>& out) const;

  // Appends image (one BMP file image) under name, replacing that name's old one.
  void StoreEntry(const std::string& name, THash& table, const std::vector<std::uint8_t>& image);
  // Cuts the name's image out of DataStream and moves the later offsets down.
  void RemoveEntry(const std::string& name, THash& table);
  void ShiftOffsets(std::intptr_t offset, std::intptr_t length);
  void Clear() noexcept;
  // The bytes of the BMP file image at offset; throws EBitmapListError when there is none.
  std::size_t ImageLength(std::intptr_t offset) const;

 private:
  void ReadTable(class TStreamReader& in, THash& table);
  void ReadBody(class TStreamReader& in);
  static void WriteTable(std::vector<std::uint8_t>& out, const THash& table);
};

// zlib: one finished stream at level 9, window bits 15, memory level 8, default strategy;
// and its inverse, bounded by limit bytes of output.
std::vector<std::uint8_t> DeflateBlock(const std::uint8_t* data, std::size_t size);
std::vector<std::uint8_t> InflateBlock(const std::uint8_t* data, std::size_t size,
                                       std::size_t limit);

}  // namespace velmora
