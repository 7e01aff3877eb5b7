// The writing half of the bitmap list's data, apart from the reader so that a program
// that only reads (the plugin) links no compressor.
#include <zlib.h>

#include <memory>

#include "config/uBitmapListData.h"
#include "config/uFileStreamEx.h"

namespace velmora {

std::vector<std::uint8_t> DeflateBlock(const std::uint8_t* data, std::size_t size) {
  z_stream z{};
  if (deflateInit2(&z, Z_BEST_COMPRESSION, Z_DEFLATED, 15, 8, Z_DEFAULT_STRATEGY) != Z_OK)
    throw EBitmapListError("cannot start the compression");
  const std::unique_ptr<z_stream, int (*)(z_streamp)> end(&z, deflateEnd);
  std::vector<std::uint8_t> out(deflateBound(&z, static_cast<uLong>(size)));
  z.next_in = const_cast<Bytef*>(data);
  z.avail_in = static_cast<uInt>(size);
  z.next_out = out.data();
  z.avail_out = static_cast<uInt>(out.size());
  if (deflate(&z, Z_FINISH) != Z_STREAM_END) throw EBitmapListError("compression failed");
  out.resize(z.total_out);
  return out;
}

void TBitmapListData::WriteTable(std::vector<std::uint8_t>& out, const THash& table) {
  THashList keys;
  table.CopyTo(&keys);
  WriteInt32(out, static_cast<std::int32_t>(keys.size()));
  for (const auto& [key, value] : keys) {
    WriteLString(out, key);
    WriteInt32(out, static_cast<std::int32_t>(table.Get(key)));
  }
}

void TBitmapListData::WriteData(std::vector<std::uint8_t>& out) const {
  WriteTable(out, ImageTable);
  WriteTable(out, MaskTable);
  out.insert(out.end(), BitmapListMarker, BitmapListMarker + BitmapListMarkerSize);
  WriteLString(out, BitmapListVersion);
  WriteByte(out, Compressed ? 1 : 0);
  if (Compressed && !DataStream.empty()) {
    const auto packed = DeflateBlock(DataStream.data(), DataStream.size());
    WriteInt32(out, static_cast<std::int32_t>(packed.size()));
    out.insert(out.end(), packed.begin(), packed.end());
  } else {
    WriteInt32(out, static_cast<std::int32_t>(DataStream.size()));
    out.insert(out.end(), DataStream.begin(), DataStream.end());
  }
}

}  // namespace velmora
