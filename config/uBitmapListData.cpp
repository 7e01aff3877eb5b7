#include "config/uBitmapListData.h"

#include <zlib.h>

#include <cstring>
#include <memory>

#include "config/uFileStreamEx.h"
#include "ui/uBmpFile.h"

namespace velmora {

std::vector<std::uint8_t> InflateBlock(const std::uint8_t* data, std::size_t size,
                                       std::size_t limit) {
  z_stream z{};
  if (inflateInit(&z) != Z_OK) throw EBitmapListError("cannot start the decompression");
  const std::unique_ptr<z_stream, int (*)(z_streamp)> end(&z, inflateEnd);
  z.next_in = const_cast<Bytef*>(data);
  z.avail_in = static_cast<uInt>(size);
  std::vector<std::uint8_t> out(
      std::min<std::size_t>(limit, std::max<std::size_t>(size * 4, 4096)));
  for (;;) {
    z.next_out = out.data() + z.total_out;
    z.avail_out = static_cast<uInt>(out.size() - z.total_out);
    const int r = inflate(&z, Z_NO_FLUSH);
    if (r == Z_STREAM_END) break;
    if (r != Z_OK && r != Z_BUF_ERROR) throw EBitmapListError("the compressed bitmaps are damaged");
    if (z.avail_out == 0) {
      if (out.size() >= limit) throw EBitmapListError("the compressed bitmaps are too large");
      out.resize(std::min(limit, out.size() * 2));
    } else if (z.avail_in == 0) {
      throw EBitmapListError("the compressed bitmaps end early");
    }
  }
  out.resize(z.total_out);
  return out;
}

void TBitmapListData::ReadTable(TStreamReader& in, THash& table) {
  const std::int32_t count = in.ReadInt32();
  // Each entry takes at least 8 bytes: a count beyond what is left is a lie.
  if (count < 0 || static_cast<std::size_t>(count) > in.Remaining() / 8)
    throw EBitmapListError("the bitmap table's count is invalid");
  for (std::int32_t i = 0; i < count; ++i) {
    const std::string name = in.ReadLString();
    const std::int32_t offset = in.ReadInt32();
    table.Set(name, offset);
  }
}

void TBitmapListData::ReadBody(TStreamReader& in) {
  const std::size_t start = in.Position();
  auto readRaw = [&](std::int32_t length) {
    if (length < 0) throw EBitmapListError("the bitmap data's length is negative");
    // Checked before anything is allocated: a stated length can be anything.
    if (static_cast<std::size_t>(length) > in.Remaining())
      throw EBitmapListError("the bitmap data ends early");
    DataStream.resize(static_cast<std::size_t>(length));
    in.Read(DataStream.data(), DataStream.size());
  };
  if (in.Remaining() >= BitmapListMarkerSize &&
      std::memcmp(in.Here(), BitmapListMarker, BitmapListMarkerSize) == 0) {
    in.Skip(BitmapListMarkerSize);
    (void)in.ReadLString();
    Compressed = in.ReadByte() != 0;
    const std::int32_t length = in.ReadInt32();
    if (Compressed && length > 0) {
      if (static_cast<std::size_t>(length) > in.Remaining())
        throw EBitmapListError("the bitmap data ends early");
      DataStream = InflateBlock(in.Here(), static_cast<std::size_t>(length), MaxBitmapListData);
      in.Skip(static_cast<std::size_t>(length));
    } else {
      readRaw(length);
    }
  } else {
    in.Seek(start);
    readRaw(in.ReadInt32());
  }
}

std::size_t TBitmapListData::ImageLength(std::intptr_t offset) const {
  if (offset < 0 || static_cast<std::size_t>(offset) >= DataStream.size())
    throw EBitmapListError("a bitmap's offset lies outside the data");
  const std::size_t rest = DataStream.size() - static_cast<std::size_t>(offset);
  try {
    const bmp::TReadResult r = bmp::ReadBmp(DataStream.data() + offset, rest);
    if (r.Consumed > rest) throw EBitmapListError("a bitmap runs past the end of the data");
    return r.Consumed;
  } catch (const bmp::EBmpError& e) {
    throw EBitmapListError(std::string("a bitmap entry is no BMP image: ") + e.what());
  }
}

void TBitmapListData::ReadData(const std::uint8_t* data, std::size_t size) {
  try {
    TStreamReader in(data, size);
    ReadTable(in, ImageTable);
    ReadTable(in, MaskTable);
    ReadBody(in);
    for (const THash* table : {&ImageTable, &MaskTable})
      for (int i = 0; i < table->Count(); ++i) ImageLength(table->GetAt(i));
  } catch (const EStreamError& e) {
    Clear();
    throw EBitmapListError(std::string("the bitmap list is damaged: ") + e.what());
  } catch (...) {
    Clear();
    throw;
  }
}

void TBitmapListData::StoreEntry(const std::string& name, THash& table,
                                 const std::vector<std::uint8_t>& image) {
  RemoveEntry(name, table);
  table.Set(name, static_cast<std::intptr_t>(DataStream.size()));
  DataStream.insert(DataStream.end(), image.begin(), image.end());
}

void TBitmapListData::RemoveEntry(const std::string& name, THash& table) {
  if (!table.Exists(name)) return;
  const std::intptr_t offset = table.Get(name);
  const std::size_t length = ImageLength(offset);
  DataStream.erase(DataStream.begin() + offset, DataStream.begin() + offset + length);
  table.Remove(name);
  ShiftOffsets(offset, static_cast<std::intptr_t>(length));
}

void TBitmapListData::ShiftOffsets(std::intptr_t offset, std::intptr_t length) {
  for (THash* table : {&ImageTable, &MaskTable}) {
    THashList keys;
    table->CopyTo(&keys);
    for (const auto& [key, value] : keys) {
      const std::intptr_t v = table->Get(key);
      if (v > offset) table->Set(key, v - length);
    }
  }
}

void TBitmapListData::Clear() noexcept {
  MaskTable.Clear();
  ImageTable.Clear();
  DataStream.clear();
}

}  // namespace velmora
