// The BMP reader on files ImageMagick wrote, on variants made from them, and on
// malformed data of every kind it must reject.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "ui/uBmpFile.h"

using namespace velmora::bmp;

namespace {

std::vector<std::uint8_t> Load(const std::string& name) {
  std::ifstream in(std::string(VELMORA_TESTDATA) + "/" + name, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TReadResult Read(const std::vector<std::uint8_t>& d) {
  return ReadBmp(d.data(), d.size());
}

std::uint32_t RgbPattern(int x, int y) {
  return static_cast<std::uint32_t>(x * 30) << 16 | static_cast<std::uint32_t>(y * 50) << 8 |
         static_cast<std::uint32_t>((x + y) * 10);
}
std::uint32_t FourPattern(int x, int y) {
  const std::uint32_t c[] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};
  return c[(x + y) % 4];
}

void Put32(std::vector<std::uint8_t>& d, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) d[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

void ExpectRgb(const TDib& dib) {
  ASSERT_EQ(dib.Width, 7);
  ASSERT_EQ(dib.Height, 5);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 7; ++x) EXPECT_EQ(dib.PixelRgb(x, y), RgbPattern(x, y)) << x << "," << y;
}

void ExpectRejected(const std::vector<std::uint8_t>& d, const char* why) {
  EXPECT_THROW(Read(d), EBmpError) << why;
}

}  // namespace

TEST(BmpReaderImageMagick, TrueColourFiles) {
  for (const char* name : {"rgb24.bmp", "rgb32.bmp"}) {
    const auto d = Load(name);
    ASSERT_FALSE(d.empty()) << name;
    const auto r = Read(d);
    SCOPED_TRACE(name);
    ExpectRgb(r.Dib);
    EXPECT_EQ(r.Consumed, d.size());
  }
  EXPECT_EQ(Read(Load("rgb24.bmp")).Dib.BitCount, 24);
  const auto v5 = Read(Load("rgb32.bmp"));
  EXPECT_EQ(v5.Dib.BitCount, 32);
  EXPECT_EQ(v5.HeaderSize, 124u);
  EXPECT_TRUE(v5.Dib.BitFields);
}

TEST(BmpReaderImageMagick, SixteenBitsWithMasks) {
  const auto r = Read(Load("rgb16.bmp"));
  EXPECT_EQ(r.Dib.BitCount, 16);
  ASSERT_TRUE(r.Dib.BitFields);
  EXPECT_EQ(r.Dib.Masks[0], 0xF800u);
  // 5-6-5 bits: every channel within one step of the source.
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 7; ++x) {
      const auto got = r.Dib.PixelRgb(x, y), want = RgbPattern(x, y);
      for (int shift : {0, 8, 16})
        EXPECT_NEAR(static_cast<int>((got >> shift) & 0xFF),
                    static_cast<int>((want >> shift) & 0xFF), 8);
    }
}

TEST(BmpReaderImageMagick, PaletteFilesPlainAndRle8) {
  const auto plain = Read(Load("rgb8.bmp"));
  EXPECT_EQ(plain.Dib.BitCount, 8);
  EXPECT_EQ(plain.Compression, 0u);
  ExpectRgb(plain.Dib);
  const auto rle = Read(Load("rgb8rle.bmp"));
  EXPECT_EQ(rle.Dib.BitCount, 8);
  EXPECT_EQ(rle.Compression, 1u);
  ExpectRgb(rle.Dib);
  EXPECT_EQ(rle.Dib.Bits, plain.Dib.Bits);
}

TEST(BmpReaderImageMagick, FourAndOneBitFilesAndTheCoreHeader) {
  for (const char* name : {"four4.bmp", "four_core.bmp"}) {
    SCOPED_TRACE(name);
    const auto r = Read(Load(name));
    EXPECT_EQ(r.Dib.BitCount, 4);
    ASSERT_EQ(r.Dib.Width, 9);
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 9; ++x) EXPECT_EQ(r.Dib.PixelRgb(x, y), FourPattern(x, y));
  }
  EXPECT_EQ(Read(Load("four_core.bmp")).HeaderSize, 12u);
  const auto mono = Read(Load("mono1.bmp"));
  EXPECT_EQ(mono.Dib.BitCount, 1);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 10; ++x)
      EXPECT_EQ(mono.Dib.PixelRgb(x, y), (x + y) % 3 == 0 ? 0xFFFFFFu : 0u);
}

TEST(BmpReaderVariants, TopDownRowsAndTheV4Header) {
  auto d = Load("rgb24.bmp");
  const std::size_t off = 54, stride = 24;
  std::vector<std::uint8_t> flipped(d.begin(), d.begin() + off);
  for (int r = 4; r >= 0; --r)
    flipped.insert(flipped.end(), d.begin() + off + r * stride, d.begin() + off + (r + 1) * stride);
  Put32(flipped, 22, static_cast<std::uint32_t>(-5));
  const auto top = Read(flipped);
  EXPECT_TRUE(top.TopDown);
  ExpectRgb(top.Dib);

  auto v4 = Load("rgb32.bmp");
  Put32(v4, 14, 108);  // a V5 header is a V4 header with more fields after it
  ExpectRgb(Read(v4).Dib);
}

TEST(BmpReaderVariants, Rle4WithDeltaAndAbsoluteRuns) {
  // 6x2, bottom row: run of 3 x (1,2 alternating), absolute 3 pixels 3,4,5; EOL;
  // top row: delta (2, 0), run 2 x 7, EOB.
  std::vector<std::uint8_t> d(14 + 40 + 16 * 4, 0);
  d[0] = 'B';
  d[1] = 'M';
  Put32(d, 14, 40);
  Put32(d, 18, 6);
  Put32(d, 22, 2);
  d[26] = 1;
  d[28] = 4;
  Put32(d, 30, 2);
  for (int i = 0; i < 16; ++i) Put32(d, 54 + i * 4, static_cast<std::uint32_t>(i * 0x101010));
  const std::uint8_t rle[] = {3, 0x12, 0, 3, 0x34, 0x50, 0, 0, 0, 2, 2, 0, 2, 0x77, 0, 1};
  Put32(d, 10, static_cast<std::uint32_t>(d.size()));
  d.insert(d.end(), std::begin(rle), std::end(rle));
  Put32(d, 2, static_cast<std::uint32_t>(d.size()));
  const auto r = Read(d);
  const unsigned bottom[] = {1, 2, 1, 3, 4, 5}, top[] = {0, 0, 7, 7, 0, 0};
  for (int x = 0; x < 6; ++x) {
    EXPECT_EQ(r.Dib.PixelRgb(x, 1), bottom[x] * 0x101010u) << x;
    EXPECT_EQ(r.Dib.PixelRgb(x, 0), top[x] * 0x101010u) << x;
  }
}

TEST(BmpWriter, RoundTripsEveryFormat) {
  for (const char* name :
       {"rgb24.bmp", "rgb32.bmp", "rgb16.bmp", "rgb8.bmp", "four4.bmp", "mono1.bmp"}) {
    SCOPED_TRACE(name);
    const auto first = Read(Load(name));
    const auto written = WriteBmp(first.Dib);
    const auto again = Read(written);
    EXPECT_EQ(again.Consumed, written.size());
    EXPECT_EQ(again.Dib.BitCount, first.Dib.BitCount);
    EXPECT_EQ(again.Dib.Bits, first.Dib.Bits);
    for (int y = 0; y < first.Dib.Height; ++y)
      for (int x = 0; x < first.Dib.Width; ++x)
        EXPECT_EQ(again.Dib.PixelRgb(x, y), first.Dib.PixelRgb(x, y));
  }
}

TEST(BmpReaderStream, ConsumesOneFileImageOfSeveral) {
  auto a = Load("rgb24.bmp"), b = Load("four4.bmp");
  std::vector<std::uint8_t> both = a;
  both.insert(both.end(), b.begin(), b.end());
  const auto first = Read(both);
  ASSERT_EQ(first.Consumed, a.size());
  const auto second = ReadBmp(both.data() + first.Consumed, both.size() - first.Consumed);
  EXPECT_EQ(second.Dib.Width, 9);
  EXPECT_EQ(second.Consumed, b.size());
}

TEST(BmpReaderRejects, EveryTruncation) {
  for (const char* name : {"rgb24.bmp", "rgb8rle.bmp", "four_core.bmp", "rgb32.bmp"}) {
    const auto d = Load(name);
    // Cutting before the last pixel byte always fails; RLE may stop before its padding.
    const std::size_t upTo = std::string(name) == "rgb8rle.bmp" ? d.size() - 2 : d.size();
    for (std::size_t n = 0; n < upTo; ++n) {
      std::vector<std::uint8_t> cut(d.begin(), d.begin() + n);
      EXPECT_THROW(Read(cut), EBmpError) << name << " cut at " << n;
    }
  }
}

TEST(BmpReaderRejects, BadHeadersDimensionsOffsetsAndColourCounts) {
  const auto good = Load("rgb8.bmp");
  auto edit = [&](std::size_t at, std::uint32_t v) {
    auto d = good;
    Put32(d, at, v);
    return d;
  };
  auto bad = good;
  bad[0] = 'X';
  ExpectRejected(bad, "magic");
  ExpectRejected(edit(14, 41), "header size");
  ExpectRejected(edit(18, 0), "zero width");
  ExpectRejected(edit(18, static_cast<std::uint32_t>(-7)), "negative width");
  ExpectRejected(edit(22, 0), "zero height");
  ExpectRejected(edit(18, 40000), "width over the limit");
  ExpectRejected(edit(22, 0x80000000u), "most negative height");
  {
    auto d = edit(18, 30000);
    Put32(d, 22, 30000);
    ExpectRejected(d, "oversized: pixel data not there");
  }
  ExpectRejected(edit(10, 20), "pixel offset inside the header");
  ExpectRejected(edit(10, static_cast<std::uint32_t>(good.size())), "pixel offset at the end");
  ExpectRejected(edit(10, 0xFFFFFFF0u), "pixel offset far beyond");
  ExpectRejected(edit(46, 257), "more colours than 8 bits hold");
  ExpectRejected(edit(30, 7), "unknown compression");
  ExpectRejected(edit(30, 3), "bit fields on 8 bits");
  {
    auto d = good;
    d[26] = 2;
    ExpectRejected(d, "two planes");
  }
  {
    auto d = good;
    d[28] = 7;
    ExpectRejected(d, "bit count 7");
  }
  // Without a colour table only the header guards the offset: true-colour files too.
  for (const char* name : {"rgb24.bmp", "rgb32.bmp"}) {
    auto d = Load(name);
    Put32(d, 10, 30);
    ExpectRejected(d, (std::string(name) + ": pixel offset inside the header").c_str());
  }
  auto rgb24 = Load("rgb24.bmp");
  Put32(rgb24, 30, 1);
  ExpectRejected(rgb24, "RLE8 on 24 bits");
  auto rle = Load("rgb8rle.bmp");
  Put32(rle, 22, static_cast<std::uint32_t>(-5));
  ExpectRejected(rle, "top-down RLE");
}

TEST(BmpReaderRejects, BadCompressionData) {
  const auto good = Load("rgb8rle.bmp");
  const std::size_t off = good[10] | good[11] << 8;
  auto withRle = [&](std::vector<std::uint8_t> rle) {
    std::vector<std::uint8_t> d(good.begin(), good.begin() + off);
    d.insert(d.end(), rle.begin(), rle.end());
    Put32(d, 34, static_cast<std::uint32_t>(rle.size()));
    Put32(d, 2, static_cast<std::uint32_t>(d.size()));
    return d;
  };
  EXPECT_NO_THROW(Read(withRle({7, 1, 0, 0, 0, 1})));
  EXPECT_NO_THROW(Read(withRle({8, 1, 0, 0, 0, 1})));  // into the row's padding
  ExpectRejected(withRle({9, 1, 0, 1}), "run longer than the row's bytes");
  ExpectRejected(withRle({0, 9, 1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 0, 1}),
                 "absolute run longer than the row");
  ExpectRejected(withRle({0, 2, 9, 0, 0, 1}), "delta beyond the row");
  ExpectRejected(withRle({0, 2, 0, 9, 0, 1}), "delta beyond the image");
  ExpectRejected(withRle({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 0, 1}),
                 "pixels after the last row");
  ExpectRejected(withRle({2, 1, 2, 1}), "no end of bitmap");
  ExpectRejected(withRle({0, 5, 1, 2}), "absolute run cut short");
}
