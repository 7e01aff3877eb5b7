#include "ui/uBitmap.h"

#include <cstring>
#include <stdexcept>

namespace velmora::ui {

namespace {

TPixelFormat FormatOf(const bmp::TDib& dib) {
  switch (dib.BitCount) {
    case 1:
      return TPixelFormat::Bit1;
    case 4:
      return TPixelFormat::Bit4;
    case 8:
      return TPixelFormat::Bit8;
    case 16:
      if (!dib.BitFields ||
          (dib.Masks[0] == 0x7C00 && dib.Masks[1] == 0x03E0 && dib.Masks[2] == 0x001F))
        return TPixelFormat::Bit15;
      if (dib.Masks[0] == 0xF800 && dib.Masks[1] == 0x07E0 && dib.Masks[2] == 0x001F)
        return TPixelFormat::Bit16;
      return TPixelFormat::Custom;
    case 24:
      return TPixelFormat::Bit24;
    case 32:
      return TPixelFormat::Bit32;
    default:
      return TPixelFormat::Custom;
  }
}

struct TBitmapInfo {
  BITMAPINFOHEADER Header;
  RGBQUAD Colors[256];
};

}  // namespace

TBitmap::~TBitmap() {
  Clear();
}

void TBitmap::Clear() noexcept {
  if (original_) {
    SelectObject(dc_.Get(), original_);
    original_ = nullptr;
  }
  handle_.Reset();
  width_ = height_ = 0;
  format_ = TPixelFormat::Device;
}

void TBitmap::Adopt(TBitmapHandle bitmap, int width, int height, TPixelFormat format) {
  Clear();
  if (!bitmap) throw std::runtime_error("cannot create the bitmap");
  if (!dc_) throw std::runtime_error("cannot create the bitmap's device context");
  handle_ = std::move(bitmap);
  original_ = SelectObject(dc_.Get(), handle_.Get());
  width_ = width;
  height_ = height;
  format_ = format;
}

void TBitmap::LoadFromDib(const bmp::TDib& dib) {
  TBitmapInfo info{};
  info.Header.biSize = sizeof info.Header;
  info.Header.biWidth = dib.Width;
  info.Header.biHeight = dib.Height;
  info.Header.biPlanes = 1;
  info.Header.biBitCount = dib.BitCount;
  info.Header.biCompression = dib.BitFields ? BI_BITFIELDS : BI_RGB;
  if (dib.BitFields) {
    std::memcpy(info.Colors, dib.Masks, sizeof dib.Masks);
  } else {
    const std::size_t n = std::min<std::size_t>(dib.Palette.size(), 256);
    info.Header.biClrUsed = static_cast<DWORD>(n);
    std::memcpy(info.Colors, dib.Palette.data(), n * sizeof(RGBQUAD));
  }
  void* bits = nullptr;
  TBitmapHandle bitmap(CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info),
                                        DIB_RGB_COLORS, &bits, nullptr, 0));
  if (bitmap && bits) std::memcpy(bits, dib.Bits.data(), dib.Stride() * dib.Height);
  Adopt(std::move(bitmap), dib.Width, dib.Height, FormatOf(dib));
}

std::size_t TBitmap::LoadFromStream(const std::uint8_t* data, std::size_t size) {
  bmp::TReadResult r = bmp::ReadBmp(data, size);
  LoadFromDib(r.Dib);
  return r.Consumed;
}

void TBitmap::LoadFromFile(const std::string& path) {
  const TFileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                     OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) throw std::runtime_error("cannot open " + path);
  LARGE_INTEGER size{};
  std::vector<std::uint8_t> data;
  DWORD read = 0;
  // The resize may throw: the file's owner closes it on that path too.
  const bool ok =
      GetFileSizeEx(file.Get(), &size) && size.QuadPart <= 0x10000000 &&
      (data.resize(static_cast<std::size_t>(size.QuadPart)), true) &&
      ReadFile(file.Get(), data.data(), static_cast<DWORD>(data.size()), &read, nullptr) &&
      read == data.size();
  if (!ok) throw std::runtime_error("cannot read " + path);
  LoadFromStream(data.data(), data.size());
}

void TBitmap::SetDeviceBitmap(int width, int height) {
  const TWindowDC screen(nullptr);
  TBitmapHandle bitmap(screen.Get() ? CreateCompatibleBitmap(screen.Get(), width, height)
                                    : nullptr);
  Adopt(std::move(bitmap), width, height, TPixelFormat::Device);
}

bmp::TDib TBitmap::ToDib() const {
  if (Empty()) throw std::runtime_error("the bitmap is empty");
  bmp::TDib dib;
  dib.Width = width_;
  dib.Height = height_;
  DIBSECTION section{};
  const bool isDib = GetObjectA(handle_.Get(), sizeof section, &section) == sizeof section;
  dib.BitCount = isDib ? section.dsBmih.biBitCount : 32;
  dib.BitFields = isDib && section.dsBmih.biCompression == BI_BITFIELDS;
  if (dib.BitFields) std::memcpy(dib.Masks, section.dsBitfields, sizeof dib.Masks);
  TBitmapInfo info{};
  info.Header.biSize = sizeof info.Header;
  info.Header.biWidth = width_;
  info.Header.biHeight = height_;
  info.Header.biPlanes = 1;
  info.Header.biBitCount = dib.BitCount;
  info.Header.biCompression = dib.BitFields ? BI_BITFIELDS : BI_RGB;
  if (dib.BitFields) std::memcpy(info.Colors, dib.Masks, sizeof dib.Masks);
  dib.Bits.assign(dib.Stride() * height_, 0);
  int rows = 0;
  {
    TUnselected unselected(*this);
    rows = GetDIBits(dc_.Get(), handle_.Get(), 0, height_, dib.Bits.data(),
                     reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
  }
  if (rows != height_) throw std::runtime_error("cannot read the bitmap's pixels");
  if (dib.BitCount <= 8) {
    const std::size_t n = isDib && section.dsBmih.biClrUsed ? section.dsBmih.biClrUsed
                                                            : std::size_t{1} << dib.BitCount;
    dib.Palette.resize(std::min<std::size_t>(n, 256));
    std::memcpy(dib.Palette.data(), info.Colors, dib.Palette.size() * sizeof(RGBQUAD));
  }
  return dib;
}

void TBitmap::SaveToStream(std::vector<std::uint8_t>& out) const {
  const auto image = bmp::WriteBmp(ToDib());
  out.insert(out.end(), image.begin(), image.end());
}

void TBitmap::Assign(const TBitmap& source) {
  if (&source == this) return;
  if (source.Empty()) {
    Clear();
    return;
  }
  if (source.format_ == TPixelFormat::Device) {
    SetDeviceBitmap(source.width_, source.height_);
    BitBlt(dc_.Get(), 0, 0, width_, height_, source.DC(), 0, 0, SRCCOPY);
    return;
  }
  LoadFromDib(source.ToDib());
}

}  // namespace velmora::ui
