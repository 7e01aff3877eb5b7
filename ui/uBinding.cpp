#include "ui/uBinding.h"

#include "ui/uApplication.h"

namespace velmora::ui {

namespace {
constexpr char kObjectProp[] = "VelmoraObject";
constexpr char kKindProp[] = "VelmoraKind";
}  // namespace

void BindWindow(HWND window, const void* kind, void* object) noexcept {
  SetPropA(window, kKindProp, const_cast<void*>(kind));
  SetPropA(window, kObjectProp, object);
}

void UnbindWindow(HWND window) noexcept {
  RemovePropA(window, kObjectProp);
  RemovePropA(window, kKindProp);
}

void* BoundObject(HWND window, const void* kind) noexcept {
  if (!window || GetPropA(window, kKindProp) != kind) return nullptr;
  return GetPropA(window, kObjectProp);
}

LRESULT DispatchToObject(HWND window, UINT message, WPARAM wParam, LPARAM lParam, const void* kind,
                         TReceiver receive) noexcept {
  const bool wide = IsWindowUnicode(window) != FALSE;
  if (message == WM_NCCREATE) {
    void* made = wide ? reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams
                      : reinterpret_cast<const CREATESTRUCTA*>(lParam)->lpCreateParams;
    if (made) BindWindow(window, kind, made);
  }
  void* self = BoundObject(window, kind);
  if (!self)
    return wide ? DefWindowProcW(window, message, wParam, lParam)
                : DefWindowProcA(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) UnbindWindow(window);
  TDispatchScope scope;
  return Guarded(LRESULT{0}, [&] { return receive(self, window, message, wParam, lParam); });
}

}  // namespace velmora::ui
