#include "ui/uBinding.h"

#include "ui/uApplication.h"

namespace velmora::ui {

namespace {
// A window of a class of ours keeps its binding in its own extra bytes, read without
// leaving the process. Any other window (a system control we subclass, a dialog the system
// makes) keeps it in two properties: under Wine each property read is a round trip to the
// wineserver, too dear for the engine's window, which takes every forwarded key.
constexpr int kKindSlot = 0;
constexpr int kObjectSlot = sizeof(LONG_PTR);
constexpr char kObjectProp[] = "VelmoraObject";
constexpr char kKindProp[] = "VelmoraKind";

bool OfOurClass(HWND window) noexcept {
  return GetClassLongPtrW(window, GCL_CBWNDEXTRA) == ULONG_PTR{kBindingBytes} &&
         GetClassLongPtrW(window, GCLP_HMODULE) == reinterpret_cast<ULONG_PTR>(ModuleInstance());
}
}  // namespace

void BindWindow(HWND window, const void* kind, void* object) noexcept {
  if (OfOurClass(window)) {
    SetWindowLongPtrW(window, kKindSlot, reinterpret_cast<LONG_PTR>(kind));
    SetWindowLongPtrW(window, kObjectSlot, reinterpret_cast<LONG_PTR>(object));
    return;
  }
  SetPropA(window, kKindProp, const_cast<void*>(kind));
  SetPropA(window, kObjectProp, object);
}

void UnbindWindow(HWND window) noexcept {
  if (OfOurClass(window)) {
    SetWindowLongPtrW(window, kObjectSlot, 0);
    SetWindowLongPtrW(window, kKindSlot, 0);
    return;
  }
  RemovePropA(window, kObjectProp);
  RemovePropA(window, kKindProp);
}

void* BoundObject(HWND window, const void* kind) noexcept {
  if (!window) return nullptr;
  if (OfOurClass(window))
    return GetWindowLongPtrW(window, kKindSlot) == reinterpret_cast<LONG_PTR>(kind)
               ? reinterpret_cast<void*>(GetWindowLongPtrW(window, kObjectSlot))
               : nullptr;
  if (GetPropA(window, kKindProp) != kind) return nullptr;
  return GetPropA(window, kObjectProp);
}

LRESULT DispatchToObject(HWND window, UINT message, WPARAM wParam, LPARAM lParam, const void* kind,
                         TReceiver receive) noexcept {
  if (message == WM_NCCREATE) {
    void* made = IsWindowUnicode(window)
                     ? reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams
                     : reinterpret_cast<const CREATESTRUCTA*>(lParam)->lpCreateParams;
    if (made) BindWindow(window, kind, made);
  }
  void* self = BoundObject(window, kind);
  if (!self)
    return IsWindowUnicode(window) ? DefWindowProcW(window, message, wParam, lParam)
                                   : DefWindowProcA(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) UnbindWindow(window);
  TDispatchScope scope;
  return Guarded(LRESULT{0}, [&] { return receive(self, window, message, wParam, lParam); });
}

}  // namespace velmora::ui
