// A GDI bitmap (DIB section or device-dependent) selected into a memory DC of its own.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "ui/uBmpFile.h"
#include "ui/uGdi.h"

namespace velmora::ui {

// Pixel-format ordinals as sets of formats use them.
enum class TPixelFormat : std::uint8_t {
  Device = 0,
  Bit1 = 1,
  Bit4 = 2,
  Bit8 = 3,
  Bit15 = 4,
  Bit16 = 5,
  Bit24 = 6,
  Bit32 = 7,
  Custom = 8,
};

class TBitmap {
 public:
  TBitmap() = default;
  ~TBitmap();
  TBitmap(const TBitmap&) = delete;
  TBitmap& operator=(const TBitmap&) = delete;

  int Width() const noexcept { return width_; }
  int Height() const noexcept { return height_; }
  bool Empty() const noexcept { return !handle_; }
  TPixelFormat PixelFormat() const noexcept { return format_; }
  HBITMAP Handle() const noexcept { return handle_.Get(); }
  HDC DC() const noexcept { return dc_.Get(); }  // the bitmap is selected into it

  // Throws bmp::EBmpError (or std::runtime_error for GDI failures).
  void LoadFromFile(const std::string& path);
  // Loads one BMP file image from data; returns the bytes it consumed.
  std::size_t LoadFromStream(const std::uint8_t* data, std::size_t size);
  void SaveToStream(std::vector<std::uint8_t>& out) const;  // appends a BMP file image
  void LoadFromDib(const bmp::TDib& dib);
  bmp::TDib ToDib() const;
  void Assign(const TBitmap& source);           // a copy of the pixels and format
  void SetDeviceBitmap(int width, int height);  // a device-dependent bitmap
  void Clear() noexcept;

  // Takes the bitmap out of its DC for a scope: GetDIBits and SetDIBits want it so.
  class TUnselected {
   public:
    explicit TUnselected(const TBitmap& bitmap) noexcept : bitmap_(bitmap) {
      if (bitmap_.original_) SelectObject(bitmap_.dc_.Get(), bitmap_.original_);
    }
    ~TUnselected() {
      if (bitmap_.original_) SelectObject(bitmap_.dc_.Get(), bitmap_.handle_.Get());
    }
    TUnselected(const TUnselected&) = delete;
    TUnselected& operator=(const TUnselected&) = delete;

   private:
    const TBitmap& bitmap_;
  };

 private:
  void Adopt(TBitmapHandle bitmap, int width, int height, TPixelFormat format);

  TMemoryDC dc_;
  TBitmapHandle handle_;
  HGDIOBJ original_ = nullptr;  // the DC's stock bitmap, selected back before deletion
  int width_ = 0;
  int height_ = 0;
  TPixelFormat format_ = TPixelFormat::Device;
};

}  // namespace velmora::ui
