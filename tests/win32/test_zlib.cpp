// zlib is linked statically with the parameters the bitmap list uses.
#include <gtest/gtest.h>
#include <zlib.h>

#include <string>
#include <vector>

TEST(ZlibStatic, DeflatesAndInflatesAStream) {
  std::string input;
  for (int i = 0; i < 5000; ++i) input += "BmpLst" + std::to_string(i % 37);
  z_stream d{};
  ASSERT_EQ(deflateInit2(&d, 9, Z_DEFLATED, 15, 8, Z_DEFAULT_STRATEGY), Z_OK);
  std::vector<unsigned char> packed(deflateBound(&d, input.size()));
  d.next_in = reinterpret_cast<Bytef*>(input.data());
  d.avail_in = static_cast<uInt>(input.size());
  d.next_out = packed.data();
  d.avail_out = static_cast<uInt>(packed.size());
  ASSERT_EQ(deflate(&d, Z_FINISH), Z_STREAM_END);
  packed.resize(d.total_out);
  deflateEnd(&d);
  EXPECT_LT(packed.size(), input.size() / 4);
  EXPECT_EQ(packed[0], 0x78);  // zlib stream header, window bits 15

  std::vector<char> output(input.size());
  uLongf outSize = static_cast<uLongf>(output.size());
  ASSERT_EQ(uncompress(reinterpret_cast<Bytef*>(output.data()), &outSize, packed.data(),
                       static_cast<uLong>(packed.size())),
            Z_OK);
  EXPECT_EQ(std::string(output.data(), outSize), input);
}
