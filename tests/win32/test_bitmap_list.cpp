// The bitmap list over GDI bitmaps, the logo blob linked in as a resource, and the name
// dictionary under the locale's real comparison.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "config/uBitmapList.h"
#include "config/uFileStreamEx.h"
#include "support.h"

using namespace velmora;

namespace {

std::vector<std::uint8_t> FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::uint8_t> Resource() {
  HRSRC info = FindResourceA(nullptr, "BMPLST_LOGO", MAKEINTRESOURCEA(10));
  const auto* p = static_cast<const std::uint8_t*>(LockResource(LoadResource(nullptr, info)));
  return {p, p + SizeofResource(nullptr, info)};
}

void Solid(ui::TBitmap& b, int w, int h, COLORREF c) {
  b.SetDeviceBitmap(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) SetPixel(b.DC(), x, y, c);
}

}  // namespace

TEST(Hash, TheLocalesOrderNotTheBytes) {
  THash h(LocaleCompare);
  for (const char* k : {"banana", "Apple", "cherry", "apricot", "Bean"}) h.Set(k, 1);
  // Bytes would put the capitals first.
  EXPECT_EQ(h.Keys(), (std::vector<std::string>{"Apple", "apricot", "banana", "Bean", "cherry"}));
  EXPECT_TRUE(h.Exists("APPLE"));
  EXPECT_EQ(LocaleCompare("logo", "LOGO", true), 0);
  EXPECT_NE(LocaleCompare("logo", "LOGO", false), 0);
  h.SetIgnoreCase(false);
  EXPECT_EQ(h.Count(), 5);
  for (int i = 1; i < h.Count(); ++i)
    EXPECT_LT(LocaleCompare(h.Keys()[i - 1], h.Keys()[i], false), 0);
}

TEST(BitmapList, TheLinkedLogoIsOneCompressedPaletteImage) {
  const auto blob = Resource();
  ASSERT_GT(blob.size(), 42u);
  TStreamReader in(blob.data(), blob.size());
  EXPECT_EQ(in.ReadInt32(), 1);
  EXPECT_EQ(in.ReadLString(), "Logo");
  EXPECT_EQ(in.ReadInt32(), 0);
  EXPECT_EQ(in.ReadInt32(), 0);  // no masks
  char marker[6];
  in.Read(marker, 6);
  EXPECT_EQ(std::string(marker, 6), "BmpLst");
  EXPECT_EQ(in.ReadLString(), "1.0.0.0");
  EXPECT_EQ(in.ReadByte(), 1);
  const auto length = static_cast<std::size_t>(in.ReadInt32());
  EXPECT_EQ(length, in.Remaining());
  EXPECT_EQ(in.Here()[0], 0x78);
  EXPECT_EQ(in.Here()[1], 0xDA);

  TBitmapList list;
  list.ReadResource("BMPLST_LOGO");
  EXPECT_TRUE(list.Compressed());
  EXPECT_EQ(list.Data().DataStream.size(), 6694u);
  EXPECT_EQ(list.Data().DataStream, FileBytes(VELMORA_LOGO_BMP));
  ui::TBitmap logo;
  list.GetBitmap("lOgO", &logo);
  EXPECT_EQ(logo.Width(), 214);
  EXPECT_EQ(logo.Height(), 26);
  EXPECT_EQ(logo.PixelFormat(), ui::TPixelFormat::Bit8);
  list.GetBitmap("Missing", &logo);
  EXPECT_TRUE(logo.Empty());
  list.GetBitmap("Logo", nullptr);
}

TEST(BitmapList, AddBitmapAndWriteDataHereMakeTheBlobTheBuildMade) {
  TBitmapList source;
  source.ReadResource("BMPLST_LOGO");
  ui::TBitmap logo;
  source.GetBitmap("Logo", &logo);
  TBitmapList list;
  list.SetCompressed(true);
  list.AddBitmap("Logo", logo, clNone);
  std::vector<std::uint8_t> blob;
  list.WriteData(blob);
  EXPECT_EQ(blob, Resource());
}

TEST(BitmapList, MasksReplaceDeleteRenameAndTheRoundTrip) {
  ui::TBitmap red, blue;
  Solid(red, 3, 2, RGB(255, 0, 0));
  Solid(blue, 2, 2, RGB(0, 0, 255));
  SetPixel(blue.DC(), 0, 0, RGB(255, 0, 255));
  TBitmapList list;
  list.AddBitmap("Red", red, clNone);
  list.AddBitmap("Blue", blue, RGB(255, 0, 255));
  EXPECT_FALSE(list.Data().MaskTable.Exists("Red"));
  ASSERT_TRUE(list.Data().MaskTable.Exists("blue"));
  // The mask: the key colour white, the rest black.
  TBitmapList copy;
  std::vector<std::uint8_t> blob;
  list.WriteData(blob);
  copy.ReadData(blob.data(), blob.size());
  ui::TBitmap got;
  copy.GetBitmap("BLUE", &got);
  EXPECT_EQ(GetPixel(got.DC(), 0, 0), RGB(255, 0, 255));
  EXPECT_EQ(copy.Data().DataStream, list.Data().DataStream);

  list.ReplaceBitmap("blue", red);  // the mask stays
  EXPECT_TRUE(list.Data().MaskTable.Exists("Blue"));
  list.DeleteBitmap("Red");  // the later entries move down by its length
  EXPECT_EQ(list.Data().MaskTable.Get("Blue"), 0);
  EXPECT_GT(list.Data().ImageTable.Get("blue"), 0);
  list.RenameBitmap("Blue", "Green");
  EXPECT_TRUE(list.Data().ImageTable.Exists("green"));
  EXPECT_TRUE(list.Data().MaskTable.Exists("green"));
  list.DeleteMask("Green");
  EXPECT_FALSE(list.Data().MaskTable.Exists("green"));
  list.CreateMask("Green", RGB(255, 0, 0));  // the image is red all over: an all-white mask
  ASSERT_TRUE(list.Data().MaskTable.Exists("green"));
  list.DeleteBitmap("Green");
  EXPECT_EQ(list.Data().ImageTable.Count() + list.Data().MaskTable.Count(), 0);
  EXPECT_TRUE(list.Data().DataStream.empty());
}
