#include "config/uBitmapListData.h"

#include <zlib.h>

#include <cstring>

#include "config/uFileStreamEx.h"
#include "ui/uBmpFile.h"

namespace velmora {

namespace {

constexpr std::size_t kMarkerSize = 6;

// Owns a z_stream for one deflate or inflate run.
class TZStream {
 public:
  explicit TZStream(bool deflating) : deflating_(deflating) {}
  ~TZStream() {
    if (!started_) return;
    if (deflating_)
      deflateEnd(&z);
    else
      inflateEnd(&z);
  }
  TZStream(const TZStream&) = delete;
  TZStream& operator=(const TZStream&) = delete;
  void Started() noexcept { started_ = true; }
  z_stream z{};

 private:
  bool deflating_;
  bool started_ = false;
};

}  // namespace

std::vector<std::uint8_t> DeflateBlock(const std::uint8_t* data, std::size_t size) {
  TZStream s(true);
  if (deflateInit2(&s.z, Z_BEST_COMPRESSION, Z_DEFLATED, 15, 8, Z_DEFAULT_STRATEGY) != Z_OK)
    throw EBitmapListError("cannot start the compression");
  s.Started();
  std::vector<std::uint8_t> out(deflateBound(&s.z, static_cast<uLong>(size)));
  s.z.next_in = const_cast<Bytef*>(data);
  s.z.avail_in = static_cast<uInt>(size);
  s.z.next_out = out.data();
  s.z.avail_out = static_cast<uInt>(out.size());
  if (deflate(&s.z, Z_FINISH) != Z_STREAM_END) throw EBitmapListError("compression failed");
  out.resize(s.z.total_out);
  return out;
}

std::vector<std::uint8_t> InflateBlock(const std::uint8_t* data, std::size_t size,
                                       std::size_t limit) {
  TZStream s(false);
  if (inflateInit(&s.z) != Z_OK) throw EBitmapListError("cannot start the decompression");
  s.Started();
  s.z.next_in = const_cast<Bytef*>(data);
  s.z.avail_in = static_cast<uInt>(size);
  std::vector<std::uint8_t> out(
      std::min<std::size_t>(limit, std::max<std::size_t>(size * 4, 4096)));
  for (;;) {
    s.z.next_out = out.data() + s.z.total_out;
    s.z.avail_out = static_cast<uInt>(out.size() - s.z.total_out);
    const int r = inflate(&s.z, Z_NO_FLUSH);
    if (r == Z_STREAM_END) break;
    if (r != Z_OK && r != Z_BUF_ERROR) throw EBitmapListError("the compressed bitmaps are damaged");
    if (s.z.avail_out == 0) {
      if (out.size() >= limit) throw EBitmapListError("the compressed bitmaps are too large");
      out.resize(std::min(limit, out.size() * 2));
    } else if (s.z.avail_in == 0) {
      throw EBitmapListError("the compressed bitmaps end early");
    }
  }
  out.resize(s.z.total_out);
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
  if (in.Remaining() >= kMarkerSize && std::memcmp(in.Here(), BitmapListMarker, kMarkerSize) == 0) {
    in.Skip(kMarkerSize);
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
  out.insert(out.end(), BitmapListMarker, BitmapListMarker + kMarkerSize);
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
