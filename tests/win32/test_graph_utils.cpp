// The bitmap effects on real GDI bitmaps: palette blend, noise, masks, the format guard.
#include <gtest/gtest.h>

#include <cstring>

#include "config/uGraphMath.h"
#include "config/uGraphUtils.h"
#include "ui/uBmpFile.h"
#include "ui/uTexts.h"

using namespace velmora;

namespace {

// A palette bitmap whose entry i is grey i (8 bits) or i * 17 (4 bits); pixels i % colours.
void MakePalette(ui::TBitmap& bitmap, int width, int height, unsigned bits) {
  bmp::TDib dib;
  dib.Width = width;
  dib.Height = height;
  dib.BitCount = static_cast<std::uint16_t>(bits);
  const unsigned colours = 1u << bits;
  for (unsigned i = 0; i < colours; ++i) {
    const unsigned v = bits == 4 ? i * 17 : i;
    dib.Palette.push_back(v << 16 | v << 8 | v);
  }
  dib.Bits.assign(dib.Stride() * height, 0);
  for (std::size_t i = 0; i < dib.Bits.size(); ++i) dib.Bits[i] = static_cast<std::uint8_t>(i * 7);
  bitmap.LoadFromDib(dib);
}

void MakeRgb(ui::TBitmap& bitmap, int width, int height, unsigned bits, std::uint32_t fill) {
  bmp::TDib dib;
  dib.Width = width;
  dib.Height = height;
  dib.BitCount = static_cast<std::uint16_t>(bits);
  dib.Bits.assign(dib.Stride() * height, 0);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      for (unsigned b = 0; b < bits / 8; ++b)
        dib.Bits[y * dib.Stride() + x * (bits / 8) + b] =
            static_cast<std::uint8_t>(fill >> (8 * b));
  bitmap.LoadFromDib(dib);
}

std::vector<RGBQUAD> Table(const ui::TBitmap& bitmap) {
  std::vector<RGBQUAD> t(256);
  t.resize(GetDIBColorTable(bitmap.DC(), 0, 256, t.data()));
  return t;
}

// The DIB section's own memory, row padding included.
std::vector<std::uint8_t> Memory(const ui::TBitmap& bitmap) {
  DIBSECTION ds{};
  GetObjectA(bitmap.Handle(), sizeof ds, &ds);
  const auto* p = static_cast<const std::uint8_t*>(ds.dsBm.bmBits);
  return {p, p + ds.dsBm.bmWidthBytes * ds.dsBm.bmHeight};
}

}  // namespace

TEST(BlendPalette, MovesEveryEntryTowardsTheColourByTheShareThatStays) {
  ui::TBitmap b;
  MakePalette(b, 5, 3, 8);
  const auto pixels = Memory(b);
  BlendPalette(b, RGB(100, 0, 255), 50);
  auto t = Table(b);
  ASSERT_EQ(t.size(), 256u);
  EXPECT_EQ(t[200].rgbRed, 150);  // 200 towards 100
  EXPECT_EQ(t[200].rgbGreen, 100);
  EXPECT_EQ(t[255].rgbBlue, 255);      // 255 towards 255 stays
  EXPECT_EQ(t[1].rgbRed, 50);          // (1 + 100) / 2 truncates
  EXPECT_EQ(Memory(b), pixels);        // the pixel data is never rewritten
  BlendPalette(b, RGB(9, 9, 9), 150);  // counts as 100: unchanged
  EXPECT_EQ(Table(b)[200].rgbRed, 150);
  BlendPalette(b, RGB(9, 8, 7), -5);  // counts as 0: all the colour
  t = Table(b);
  EXPECT_EQ(t[17].rgbRed, 9);
  EXPECT_EQ(t[17].rgbGreen, 8);
  EXPECT_EQ(t[17].rgbBlue, 7);
  // A system colour is resolved first.
  BlendPalette(b, 0x80000000u | COLOR_WINDOW, 0);
  EXPECT_EQ(RGB(Table(b)[0].rgbRed, Table(b)[0].rgbGreen, Table(b)[0].rgbBlue),
            GetSysColor(COLOR_WINDOW));
}

TEST(BlendPalette, AFourBitBitmapTakesItsSixteenEntries) {
  ui::TBitmap b;
  MakePalette(b, 3, 2, 4);
  BlendPalette(b, RGB(0, 0, 0), 50);
  const auto t = Table(b);
  ASSERT_EQ(t.size(), 16u);
  EXPECT_EQ(t[15].rgbRed, 127);  // 255 * 50 / 100
}

TEST(Effects, OtherFormatsAreRefusedBeforeAnythingIsRead) {
  ui::TBitmap rgb;
  MakeRgb(rgb, 4, 4, 24, 0x123456);
  const auto before = Memory(rgb);
  SetRandomSeed(77);
  EXPECT_THROW(BlendPalette(rgb, 0, 50), EInvalidBitmap);
  EXPECT_THROW(AddNoise(rgb, 50), EInvalidBitmap);
  EXPECT_THROW(AddNoise(rgb, 0), EInvalidBitmap);  // the guard comes before the percent
  EXPECT_EQ(RandomSeed(), 77u);
  EXPECT_EQ(Memory(rgb), before);
  try {
    CheckPixelFormat(rgb, PaletteFormats);
    ADD_FAILURE();
  } catch (const EInvalidBitmap& e) {
    EXPECT_EQ(e.Text(), velmora::texts::BitmapFormatError.Unicode);
  }
  ui::TBitmap empty;
  EXPECT_THROW(ReadDib(empty), EInvalidGraphic);
}

TEST(AddNoise, ZeroReadsNothingAndAHundredReplacesEveryByteWithThePadding) {
  ui::TBitmap b;
  MakePalette(b, 5, 3, 8);  // rows of 5 bytes padded to 8
  const auto before = Memory(b);
  SetRandomSeed(1234);
  AddNoise(b, 0);
  AddNoise(b, -3);
  EXPECT_EQ(RandomSeed(), 1234u);  // no draw at all
  EXPECT_EQ(Memory(b), before);
  AddNoise(b, 250);  // counts as 100: two draws a byte, the second one the new byte
  // Every byte of the copy is drawn for, the three filler bytes of each row included
  // (GDI keeps its own filler, so those are seen in the draw count only).
  std::vector<std::uint8_t> expected(before.size());
  SetRandomSeed(1234);
  for (auto& v : expected) {
    (void)Random(100);
    v = static_cast<std::uint8_t>(Random(256));
  }
  EXPECT_EQ(RandomSeed(), [] {
    SetRandomSeed(1234);
    for (int i = 0; i < 2 * 8 * 3; ++i) (void)Random(1);
    return RandomSeed();
  }());
  const auto after = Memory(b);
  for (std::size_t i = 0; i < after.size(); ++i)
    if (i % 8 < 5) {
      EXPECT_EQ(after[i], expected[i]) << i;
    }
}

TEST(AddNoise, APercentReplacesAboutThatShare) {
  ui::TBitmap b;
  MakePalette(b, 100, 100, 8);
  const auto before = Memory(b);
  SetRandomSeed(5);
  AddNoise(b, 30);
  const auto after = Memory(b);
  int changed = 0;
  for (std::size_t i = 0; i < after.size(); ++i) changed += after[i] != before[i];
  EXPECT_GT(changed, 2500);  // 30 % of 10,000, less the draws that kept the byte
  EXPECT_LT(changed, 3300);
}

TEST(ReadDib, HeaderBlockHoldsRoomForTheFullTableUpToEightBits) {
  ui::TBitmap p, rgb;
  MakePalette(p, 5, 3, 8);
  MakeRgb(rgb, 5, 3, 24, 0);
  const TDibCopy a = ReadDib(p), c = ReadDib(rgb);
  EXPECT_EQ(a.HeaderSize, 1064u);
  EXPECT_EQ(a.ImageSize, 8u * 3);
  EXPECT_TRUE(a.Delivered);
  EXPECT_EQ(c.HeaderSize, 40u);
  EXPECT_EQ(c.ImageSize, 16u * 3);
}

TEST(MakeMask, TheKeyColourBecomesWhiteEverythingElseBlack) {
  ui::TBitmap rgb;
  MakeRgb(rgb, 4, 3, 24, 0x00FF00);  // bytes B G R: pure green
  SetPixel(rgb.DC(), 1, 1, RGB(255, 0, 255));
  SetPixel(rgb.DC(), 3, 0, RGB(255, 0, 255));
  ui::TBitmap mask;
  MakeMask(mask, &rgb, RGB(255, 0, 255), false);
  ASSERT_EQ(mask.Width(), 4);
  EXPECT_EQ(mask.PixelFormat(), ui::TPixelFormat::Device);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 4; ++x) {
      const bool key = (x == 1 && y == 1) || (x == 3 && y == 0);
      EXPECT_EQ(GetPixel(mask.DC(), x, y), key ? RGB(255, 255, 255) : RGB(0, 0, 0)) << x << y;
    }
  MakeMask(mask, &rgb, RGB(1, 2, 3), false);  // no pixel of the colour: all black
  EXPECT_EQ(GetPixel(mask.DC(), 1, 1), RGB(0, 0, 0));
  MakeMask(mask, &rgb, RGB(1, 2, 3), true);  // inverted: all white
  EXPECT_EQ(GetPixel(mask.DC(), 2, 2), RGB(255, 255, 255));
}

TEST(MakeMask, OneBitSourcesWorkSixteenBitOnesAreRefusedAbsentOnesChangeNothing) {
  bmp::TDib dib;
  dib.Width = 8;
  dib.Height = 1;
  dib.BitCount = 1;
  dib.Palette = {0x000000, 0xFF0000};  // black, red
  dib.Bits = {0xF0, 0, 0, 0};
  ui::TBitmap mono;
  mono.LoadFromDib(dib);
  ui::TBitmap mask;
  MakeMask(mask, &mono, RGB(255, 0, 0), false);
  EXPECT_EQ(GetPixel(mask.DC(), 0, 0), RGB(255, 255, 255));
  EXPECT_EQ(GetPixel(mask.DC(), 7, 0), RGB(0, 0, 0));

  ui::TBitmap sixteen;
  MakeRgb(sixteen, 2, 2, 16, 0);
  EXPECT_THROW(MakeMask(mask, &sixteen, 0, false), EInvalidBitmap);
  EXPECT_EQ(mask.Width(), 8);  // untouched
  ui::TBitmap empty;
  MakeMask(mask, &empty, 0, false);
  MakeMask(mask, nullptr, 0, false);
  EXPECT_EQ(mask.Width(), 8);
}
