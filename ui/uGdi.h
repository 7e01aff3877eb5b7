// Owners of GDI handles, and scoped DC state. Owning and borrowed handles are different
// types, so nothing deletes a stock object or a DC it was lent.
#pragma once

#include <windows.h>

#include <utility>

#include "ui/uHandle.h"

namespace velmora::ui {

// GDI objects and memory DCs are owned through THandle (uHandle.h).
template <class H>
using TGdiObject = THandle<TNullTraits<H, &DeleteObject>>;
using TFontHandle = TGdiObject<HFONT>;
using TPenHandle = TGdiObject<HPEN>;
using TBrushHandle = TGdiObject<HBRUSH>;
using TBitmapHandle = TGdiObject<HBITMAP>;

// A memory DC this object created.
class TMemoryDC : public THandle<TNullTraits<HDC, &DeleteDC>> {
 public:
  TMemoryDC() noexcept : THandle(CreateCompatibleDC(nullptr)) {}
};

// A window's DC for a scope (GetDC / ReleaseDC).
class TWindowDC {
 public:
  explicit TWindowDC(HWND window) noexcept : window_(window), dc_(GetDC(window)) {}
  ~TWindowDC() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  TWindowDC(const TWindowDC&) = delete;
  TWindowDC& operator=(const TWindowDC&) = delete;
  HDC Get() const noexcept { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// BeginPaint / EndPaint for a scope.
class TPaintDC {
 public:
  explicit TPaintDC(HWND window) noexcept : window_(window) { dc_ = BeginPaint(window, &ps_); }
  ~TPaintDC() { EndPaint(window_, &ps_); }
  TPaintDC(const TPaintDC&) = delete;
  TPaintDC& operator=(const TPaintDC&) = delete;
  HDC Get() const noexcept { return dc_; }

 private:
  HWND window_;
  PAINTSTRUCT ps_{};
  HDC dc_;
};

// SelectObject for a scope; the previous object is selected back.
class TSelect {
 public:
  TSelect(HDC dc, HGDIOBJ object) noexcept : dc_(dc), old_(SelectObject(dc, object)) {}
  ~TSelect() {
    if (old_) SelectObject(dc_, old_);
  }
  TSelect(const TSelect&) = delete;
  TSelect& operator=(const TSelect&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

}  // namespace velmora::ui
