// Seeds for the blob reader's fuzzing: for each BMP file given, a raw and a compressed
// blob holding it as an image and as a mask, written by our own writer.
//   make_blob_seeds OUTDIR FILE.bmp...
#include <fstream>
#include <iterator>
#include <string>

#include "config/uBitmapListData.h"

int main(int argc, char** argv) {
  auto compare = [](std::string_view a, std::string_view b, bool) { return a.compare(b); };
  for (int i = 2; i < argc; ++i) {
    std::ifstream in(argv[i], std::ios::binary);
    const std::vector<std::uint8_t> image{std::istreambuf_iterator<char>(in), {}};
    for (bool compressed : {false, true}) {
      velmora::TBitmapListData list(compare);
      list.Compressed = compressed;
      try {
        list.StoreEntry("Image", list.ImageTable, image);
        list.StoreEntry("Image", list.MaskTable, image);
      } catch (const velmora::EBitmapListError&) {
        continue;  // a seed bitmap our reader refuses
      }
      std::vector<std::uint8_t> blob;
      list.WriteData(blob);
      std::ofstream out(
          std::string(argv[1]) + "/seed" + std::to_string(i) + (compressed ? "z" : "r"),
          std::ios::binary);
      out.write(reinterpret_cast<const char*>(blob.data()),
                static_cast<std::streamsize>(blob.size()));
    }
  }
  return 0;
}
