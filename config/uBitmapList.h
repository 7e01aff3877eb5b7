// Named bitmaps, each with an optional mask, packed as BMP file images and persisted as
// the "Bitmaps" blob; the configuration dialog reads its logo from one.
#pragma once

#include <windows.h>

#include <string_view>

#include "config/uBitmapListData.h"
#include "ui/uBitmap.h"
#include "ui/uColor.h"
#include "ui/uComponent.h"

namespace velmora {

// The no-colour value: AddBitmap then makes no mask.
inline constexpr ui::TColor clNone = 0x1FFFFFFF;

// The locale's order (CompareStringA for the user's default locale), minus 2.
int LocaleCompare(std::string_view a, std::string_view b, bool ignoreCase);

class TBitmapList : public ui::TComponent {
 public:
  explicit TBitmapList(ui::TComponent* owner = nullptr)
      : ui::TComponent(owner), data_(LocaleCompare) {}
  ~TBitmapList() override { Clear(); }

  bool Compressed() const noexcept { return data_.Compressed; }
  void SetCompressed(bool value) noexcept { data_.Compressed = value; }

  void ReadData(const std::uint8_t* data, std::size_t size) { data_.ReadData(data, size); }
  void WriteData(std::vector<std::uint8_t>& out) const { data_.WriteData(out); }
  // The blob linked into the module as an RCDATA resource.
  void ReadResource(const char* name);

  void GetBitmap(const std::string& name, ui::TBitmap* bitmap) const;
  void AddBitmap(const std::string& name, const ui::TBitmap& bitmap, ui::TColor maskColor);
  void DeleteBitmap(const std::string& name);
  void ReplaceBitmap(const std::string& name, const ui::TBitmap& bitmap);
  void RenameBitmap(const std::string& oldName, const std::string& newName);
  void CreateMask(const std::string& name, ui::TColor maskColor);
  void DeleteMask(const std::string& name);
  void Clear() noexcept { data_.Clear(); }

  const TBitmapListData& Data() const noexcept { return data_; }

 private:
  void StoreEntry(const std::string& name, THash& table, const ui::TBitmap& bitmap);
  void StoreMask(const std::string& name, const ui::TBitmap& bitmap, ui::TColor maskColor);

  TBitmapListData data_;
};

}  // namespace velmora
