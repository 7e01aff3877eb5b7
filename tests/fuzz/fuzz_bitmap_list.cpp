// libFuzzer target: the "Bitmaps" blob reader must reject or read any input, never fault;
// what it accepts writes back and reads again to the same data.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "config/uBitmapListData.h"

namespace {
int ByteCompare(std::string_view a, std::string_view b, bool) {
  return a.compare(b);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  velmora::TBitmapListData list(ByteCompare);
  try {
    list.ReadData(data, size);
  } catch (const velmora::EBitmapListError&) {
    if (!list.DataStream.empty() || list.ImageTable.Count() || list.MaskTable.Count())
      __builtin_trap();  // a rejected blob leaves the list empty
    return 0;
  }
  std::vector<std::uint8_t> again;
  list.WriteData(again);
  velmora::TBitmapListData back(ByteCompare);
  back.ReadData(again.data(), again.size());
  if (back.DataStream != list.DataStream) __builtin_trap();
  return 0;
}
