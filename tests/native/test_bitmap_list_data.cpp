#include <gtest/gtest.h>

#include <cctype>
#include <cstring>

#include "config/uBitmapListData.h"
#include "config/uFileStreamEx.h"
#include "ui/uBmpFile.h"

using namespace velmora;

namespace {

int FoldCompare(std::string_view a, std::string_view b, bool ignoreCase) {
  std::string x(a), y(b);
  if (ignoreCase)
    for (std::string* s : {&x, &y})
      for (char& c : *s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return x.compare(y);
}

std::vector<std::uint8_t> Image(int width, int height, std::uint8_t fill) {
  bmp::TDib dib;
  dib.Width = width;
  dib.Height = height;
  dib.BitCount = 8;
  dib.Palette.assign(256, 0);
  for (std::uint32_t i = 0; i < 256; ++i) dib.Palette[i] = i * 0x010101;
  dib.Bits.assign(dib.Stride() * height, fill);
  return bmp::WriteBmp(dib);
}

std::vector<std::uint8_t> Blob(const TBitmapListData& list) {
  std::vector<std::uint8_t> out;
  list.WriteData(out);
  return out;
}

TBitmapListData Read(const std::vector<std::uint8_t>& blob) {
  TBitmapListData list(FoldCompare);
  list.ReadData(blob.data(), blob.size());
  return list;
}

}  // namespace

TEST(BitmapList, AnEmptyListIsCountsMarkerVersionFlagAndLengthZero) {
  for (bool compressed : {false, true}) {
    TBitmapListData list(FoldCompare);
    list.Compressed = compressed;
    std::vector<std::uint8_t> expected = {
        0,   0, 0, 0, 0, 0,   0,   0,   'B', 'm', 'p', 'L', 's',
        't', 7, 0, 0, 0, '1', '.', '0', '.', '0', '.', '0', static_cast<std::uint8_t>(compressed),
        0,   0, 0, 0};
    EXPECT_EQ(Blob(list), expected);
    auto back = Read(expected);
    EXPECT_EQ(back.ImageTable.Count(), 0);
    EXPECT_TRUE(back.DataStream.empty());
    EXPECT_EQ(back.Compressed, compressed);
  }
}

TEST(BitmapList, RoundTripsCompressedAndRawWithTheTablesInOrder) {
  const auto a = Image(5, 3, 1), b = Image(2, 2, 9);
  for (bool compressed : {false, true}) {
    TBitmapListData list(FoldCompare);
    list.Compressed = compressed;
    list.StoreEntry("Zeta", list.ImageTable, a);
    list.StoreEntry("alpha", list.ImageTable, b);
    list.StoreEntry("Zeta", list.MaskTable, b);
    const auto blob = Blob(list);
    // Entries in the table's order: "alpha" first, at offset a.size().
    TStreamReader in(blob.data(), blob.size());
    EXPECT_EQ(in.ReadInt32(), 2);
    EXPECT_EQ(in.ReadLString(), "alpha");
    EXPECT_EQ(in.ReadInt32(), static_cast<std::int32_t>(a.size()));
    EXPECT_EQ(in.ReadLString(), "Zeta");
    EXPECT_EQ(in.ReadInt32(), 0);
    auto back = Read(blob);
    EXPECT_EQ(back.DataStream, list.DataStream);
    EXPECT_EQ(back.Compressed, compressed);
    EXPECT_EQ(back.ImageTable.Get("ZETA"), 0);
    EXPECT_EQ(back.MaskTable.Get("zeta"), static_cast<std::intptr_t>(a.size() + b.size()));
    // After the tables: marker, version, flag, length, then the body.
    in.Seek(0);
    for (int t = 0; t < 2; ++t)
      for (std::int32_t n = in.ReadInt32(); n > 0; --n) {
        in.ReadLString();
        in.ReadInt32();
      }
    in.Skip(6);
    EXPECT_EQ(in.ReadLString(), "1.0.0.0");
    EXPECT_EQ(in.ReadByte(), compressed ? 1 : 0);
    const auto length = static_cast<std::size_t>(in.ReadInt32());
    EXPECT_EQ(length, in.Remaining());
    if (compressed) {
      EXPECT_EQ(in.ReadByte(), 0x78);  // zlib, maximum compression
      EXPECT_EQ(in.ReadByte(), 0xDA);
    } else {
      EXPECT_TRUE(std::equal(list.DataStream.begin(), list.DataStream.end(), in.Here()));
    }
  }
}

TEST(BitmapList, TheOlderLayoutIsReadRawAndKeepsTheCompressedFlag) {
  const auto a = Image(3, 3, 4);
  std::vector<std::uint8_t> blob;
  WriteInt32(blob, 1);
  WriteLString(blob, "Logo");
  WriteInt32(blob, 0);
  WriteInt32(blob, 0);
  WriteInt32(blob, static_cast<std::int32_t>(a.size()));
  blob.insert(blob.end(), a.begin(), a.end());
  TBitmapListData list(FoldCompare);
  list.Compressed = true;
  list.ReadData(blob.data(), blob.size());
  EXPECT_TRUE(list.Compressed);
  EXPECT_EQ(list.DataStream, a);
  EXPECT_EQ(list.ImageTable.Get("logo"), 0);
}

TEST(BitmapList, RemovingAnImageMovesTheLaterOnesDownInBothTables) {
  const auto a = Image(7, 4, 1), b = Image(2, 2, 2), m = Image(3, 1, 3);
  TBitmapListData list(FoldCompare);
  list.StoreEntry("A", list.ImageTable, a);
  list.StoreEntry("B", list.ImageTable, b);
  list.StoreEntry("B", list.MaskTable, m);
  const std::size_t total = list.DataStream.size();
  list.RemoveEntry("a", list.ImageTable);
  EXPECT_FALSE(list.ImageTable.Exists("A"));
  EXPECT_EQ(list.ImageTable.Get("B"), 0);
  EXPECT_EQ(list.MaskTable.Get("B"), static_cast<std::intptr_t>(b.size()));
  EXPECT_EQ(list.DataStream.size(), total - a.size());
  EXPECT_TRUE(std::equal(b.begin(), b.end(), list.DataStream.begin()));
  // Storing under an existing name cuts the old image out and appends the new one.
  const auto b2 = Image(4, 4, 8);
  list.StoreEntry("b", list.ImageTable, b2);
  EXPECT_EQ(list.ImageTable.Count(), 1);
  EXPECT_EQ(list.MaskTable.Get("B"), 0);
  EXPECT_EQ(list.ImageTable.Get("b"), static_cast<std::intptr_t>(m.size()));
  EXPECT_EQ(list.DataStream.size(), m.size() + b2.size());
}

TEST(BitmapListRejects, EveryMalformedBlobAndLeavesTheListEmpty) {
  const auto a = Image(3, 2, 5);
  auto make = [&](std::int32_t count, std::int32_t offset, std::int32_t length,
                  const std::vector<std::uint8_t>& data, bool marker, std::uint8_t flag) {
    std::vector<std::uint8_t> blob;
    WriteInt32(blob, count);
    if (count == 1) {
      WriteLString(blob, "Logo");
      WriteInt32(blob, offset);
    }
    WriteInt32(blob, 0);
    if (marker) {
      blob.insert(blob.end(), BitmapListMarker, BitmapListMarker + 6);
      WriteLString(blob, BitmapListVersion);
      WriteByte(blob, flag);
    }
    WriteInt32(blob, length);
    blob.insert(blob.end(), data.begin(), data.end());
    return blob;
  };
  const auto good = make(1, 0, static_cast<std::int32_t>(a.size()), a, true, 0);
  ASSERT_NO_THROW(Read(good));
  std::vector<std::uint8_t> junk(64, 0x41);
  auto packed = DeflateBlock(a.data(), a.size());
  std::vector<std::uint8_t> truncatedZ(packed.begin(), packed.end() - 5);
  std::vector<std::uint8_t> brokenZ = packed;
  brokenZ[3] ^= 0xFF;
  const std::vector<std::uint8_t> bomb(MaxBitmapListData + 4096, 0);
  const auto bombZ = DeflateBlock(bomb.data(), bomb.size());
  const std::vector<std::vector<std::uint8_t>> bad = {
      {},                                                                // nothing at all
      {1, 0, 0},                                                         // a short count
      make(0x7FFFFFFF, 0, 0, {}, true, 0),                               // a count past the end
      make(-1, 0, 0, {}, true, 0),                                       // a negative count
      make(1, 0, -5, a, true, 0),                                        // a negative length
      make(1, 0, static_cast<std::int32_t>(a.size()) + 1, a, true, 0),   // a length past the end
      make(1, 0, static_cast<std::int32_t>(a.size()) + 1, a, false, 0),  // the same, older layout
      make(1, 0, 0x7FFFFFFF, {}, true, 0),  // 2 GiB stated, nothing there: never allocated
      make(1, 1, static_cast<std::int32_t>(a.size()), a, true, 0),   // an offset into the image
      make(1, -4, static_cast<std::int32_t>(a.size()), a, true, 0),  // a negative offset
      make(1, 0x10000, static_cast<std::int32_t>(a.size()), a, true, 0),  // an offset past the data
      make(1, 0, 64, junk, true, 0),                                      // an entry that is no BMP
      make(1, 0, static_cast<std::int32_t>(a.size()) - 1,
           std::vector<std::uint8_t>(a.begin(), a.end() - 1), true, 0),  // a cut-off image
      make(1, 0, static_cast<std::int32_t>(truncatedZ.size()), truncatedZ, true, 1),
      make(1, 0, static_cast<std::int32_t>(brokenZ.size()), brokenZ, true, 1),
      make(1, 0, static_cast<std::int32_t>(bombZ.size()), bombZ, true,
           1),  // inflates past the bound
  };
  for (std::size_t i = 0; i < bad.size(); ++i) {
    TBitmapListData list(FoldCompare);
    EXPECT_THROW(list.ReadData(bad[i].data(), bad[i].size()), EBitmapListError) << "case " << i;
    EXPECT_EQ(list.ImageTable.Count() + list.MaskTable.Count(), 0) << "case " << i;
    EXPECT_TRUE(list.DataStream.empty()) << "case " << i;
  }
}
