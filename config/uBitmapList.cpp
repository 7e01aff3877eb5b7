#include "config/uBitmapList.h"

#include "config/uGraphUtils.h"
#include "ui/uApplication.h"

namespace velmora {

int LocaleCompare(std::string_view a, std::string_view b, bool ignoreCase) {
  return CompareStringA(LOCALE_USER_DEFAULT, ignoreCase ? NORM_IGNORECASE : 0, a.data(),
                        static_cast<int>(a.size()), b.data(), static_cast<int>(b.size())) -
         2;
}

void TBitmapList::ReadResource(const char* name) {
  const HMODULE module = ui::ModuleInstance();
  HRSRC info = FindResourceA(module, name, MAKEINTRESOURCEA(10));  // RT_RCDATA
  HGLOBAL loaded = info ? LoadResource(module, info) : nullptr;
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  if (!bytes) throw EBitmapListError(std::string("the bitmap list resource is missing: ") + name);
  ReadData(static_cast<const std::uint8_t*>(bytes), SizeofResource(module, info));
}

void TBitmapList::GetBitmap(const std::string& name, ui::TBitmap* bitmap) const {
  if (!bitmap) return;
  if (!data_.ImageTable.Exists(name)) {
    bitmap->Clear();
    return;
  }
  const std::intptr_t offset = data_.ImageTable.Get(name);
  const std::size_t length = data_.ImageLength(offset);
  bitmap->LoadFromStream(data_.DataStream.data() + offset, length);
}

void TBitmapList::StoreEntry(const std::string& name, THash& table, const ui::TBitmap& bitmap) {
  std::vector<std::uint8_t> image;
  bitmap.SaveToStream(image);
  data_.StoreEntry(name, table, image);
}

void TBitmapList::StoreMask(const std::string& name, const ui::TBitmap& bitmap,
                            ui::TColor maskColor) {
  ui::TBitmap mask;
  MakeMask(mask, &bitmap, maskColor, false);
  StoreEntry(name, data_.MaskTable, mask);
}

void TBitmapList::AddBitmap(const std::string& name, const ui::TBitmap& bitmap,
                            ui::TColor maskColor) {
  StoreEntry(name, data_.ImageTable, bitmap);
  if (maskColor != clNone) StoreMask(name, bitmap, maskColor);
}

void TBitmapList::DeleteBitmap(const std::string& name) {
  data_.RemoveEntry(name, data_.ImageTable);
  data_.RemoveEntry(name, data_.MaskTable);
}

void TBitmapList::ReplaceBitmap(const std::string& name, const ui::TBitmap& bitmap) {
  data_.RemoveEntry(name, data_.ImageTable);
  StoreEntry(name, data_.ImageTable, bitmap);
}

void TBitmapList::RenameBitmap(const std::string& oldName, const std::string& newName) {
  data_.ImageTable.Rename(oldName, newName);
  data_.MaskTable.Rename(oldName, newName);
}

void TBitmapList::CreateMask(const std::string& name, ui::TColor maskColor) {
  if (!data_.ImageTable.Exists(name)) return;
  ui::TBitmap image;
  GetBitmap(name, &image);
  StoreMask(name, image, maskColor);
}

void TBitmapList::DeleteMask(const std::string& name) {
  data_.RemoveEntry(name, data_.MaskTable);
}

}  // namespace velmora
