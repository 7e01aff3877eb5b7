// One move-only owner for every kind of handle the plugin holds. A kind is its traits: the
// handle's type, its empty value and the call that releases it; nothing else in the code
// releases a handle by hand.
#pragma once

#include <windows.h>

#include <utility>

namespace velmora::ui {

template <class Traits>
class THandle {
 public:
  using Type = typename Traits::Type;

  THandle() noexcept = default;
  explicit THandle(Type h) noexcept : h_(h) {}
  ~THandle() { Reset(); }
  THandle(THandle&& o) noexcept : h_(o.Release()) {}
  THandle& operator=(THandle&& o) noexcept {
    if (this != &o) Reset(o.Release());
    return *this;
  }
  THandle(const THandle&) = delete;
  THandle& operator=(const THandle&) = delete;

  Type Get() const noexcept { return h_; }
  explicit operator bool() const noexcept { return h_ != Traits::Empty(); }
  [[nodiscard]] Type Release() noexcept { return std::exchange(h_, Traits::Empty()); }
  void Reset(Type h = Traits::Empty()) noexcept {
    if (h_ != Traits::Empty()) Traits::Close(h_);
    h_ = h;
  }

 private:
  Type h_ = Traits::Empty();
};

// A kind whose empty value is null and whose release is one call.
template <class T, auto Release>
struct TNullTraits {
  using Type = T;
  static constexpr Type Empty() noexcept { return nullptr; }
  static void Close(Type h) noexcept { Release(h); }
};
// CreateFile's handles: empty is INVALID_HANDLE_VALUE.
struct TFileTraits {
  using Type = HANDLE;
  static Type Empty() noexcept { return INVALID_HANDLE_VALUE; }
  static void Close(Type h) noexcept { CloseHandle(h); }
};

using TKernelHandle = THandle<TNullTraits<HANDLE, &CloseHandle>>;  // events, mappings, threads
using TFileHandle = THandle<TFileTraits>;
using TView = THandle<TNullTraits<void*, &UnmapViewOfFile>>;
using TRegKey = THandle<TNullTraits<HKEY, &RegCloseKey>>;
using THookHandle = THandle<TNullTraits<HHOOK, &UnhookWindowsHookEx>>;

}  // namespace velmora::ui
