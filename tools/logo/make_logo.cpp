// Build-time maker of the configuration dialog's logo: composes the lettering's coverage
// over a colour band into a 214 x 26 palette bitmap (8 bits, 256 colours) and packs it as
// the bitmap list's "Bitmaps" blob with one image, "Logo".
//   make_logo GLYPHS.gray OUT.bmp OUT.blob
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "config/uBitmapListData.h"
#include "ui/uBmpFile.h"

using namespace velmora;

namespace {

constexpr int kWidth = 214, kHeight = 26;
constexpr int kBands = 16, kLevels = 16;  // 16 band colours x 16 coverage levels = 256

struct Rgb {
  double r, g, b;
};
Rgb Lerp(Rgb a, Rgb b, double t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}
std::uint32_t Pack(Rgb c) {  // RGBQUAD order: 0x00RRGGBB
  auto ch = [](double v) {
    return static_cast<std::uint32_t>(v < 0 ? 0 : v > 255 ? 255 : v + 0.5);
  };
  return ch(c.r) << 16 | ch(c.g) << 8 | ch(c.b);
}

// Ignores ASCII case, as the dialog's lookup does.
int FoldCompare(std::string_view a, std::string_view b, bool ignoreCase) {
  auto low = [&](char c) { return ignoreCase && c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c; };
  for (std::size_t i = 0; i < a.size() && i < b.size(); ++i)
    if (low(a[i]) != low(b[i])) return low(a[i]) < low(b[i]) ? -1 : 1;
  return a.size() == b.size() ? 0 : a.size() < b.size() ? -1 : 1;
}

bool Write(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: make_logo GLYPHS.gray OUT.bmp OUT.blob\n");
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  const std::vector<std::uint8_t> coverage{std::istreambuf_iterator<char>(in), {}};
  if (coverage.size() != static_cast<std::size_t>(kWidth * kHeight)) {
    std::fprintf(stderr, "make_logo: %s holds %zu bytes, not %d\n", argv[1], coverage.size(),
                 kWidth * kHeight);
    return 1;
  }
  // A deep-blue band that turns teal to the right; the lettering in warm white.
  const Rgb left{22, 36, 71}, right{24, 118, 128}, ink{250, 246, 234};
  bmp::TDib dib;
  dib.Width = kWidth;
  dib.Height = kHeight;
  dib.BitCount = 8;
  for (int band = 0; band < kBands; ++band) {
    const Rgb ground = Lerp(left, right, band / double(kBands - 1));
    for (int level = 0; level < kLevels; ++level)
      dib.Palette.push_back(Pack(Lerp(ground, ink, level / double(kLevels - 1))));
  }
  dib.Bits.assign(dib.Stride() * kHeight, 0);
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const int band = x * kBands / kWidth;
      const int level = (coverage[y * kWidth + x] * (kLevels - 1) + 127) / 255;
      // Rows are stored bottom-up.
      dib.Bits[(kHeight - 1 - y) * dib.Stride() + x] =
          static_cast<std::uint8_t>(band * kLevels + level);
    }
  }
  const auto image = bmp::WriteBmp(dib);
  TBitmapListData list(FoldCompare);
  list.Compressed = true;
  list.StoreEntry("Logo", list.ImageTable, image);
  std::vector<std::uint8_t> blob;
  list.WriteData(blob);
  if (!Write(argv[2], image) || !Write(argv[3], blob)) {
    std::fprintf(stderr, "make_logo: cannot write the output\n");
    return 1;
  }
  return 0;
}
