// The one way a window of ours finds its object: the object and its kind, set from the
// creation parameter as the window is made (or, for a system class we subclass or a dialog
// the system makes, right after) and cleared when the window goes; kept in the window's
// extra bytes for a class of ours, in two window properties for any other. The kind is
// checked, so a window never hands back an object of another kind than asked for.
// And the one shape of a window procedure of ours.
#pragma once

#include <windows.h>

namespace velmora::ui {

// One address per type, the same in every unit: the kind a window's object is bound as.
template <class T>
inline constexpr char kBindKind = 0;

// The extra bytes every window class of ours is registered with: the binding's.
inline constexpr int kBindingBytes = 2 * sizeof(LONG_PTR);

void BindWindow(HWND window, const void* kind, void* object) noexcept;
void UnbindWindow(HWND window) noexcept;
void* BoundObject(HWND window, const void* kind) noexcept;

template <class T>
void Bind(HWND window, T* object) noexcept {
  BindWindow(window, &kBindKind<T>, object);
}

// Null when the window is bound to nothing, or to an object of another kind.
template <class T>
T* Bound(HWND window) noexcept {
  return static_cast<T*>(BoundObject(window, &kBindKind<T>));
}

// What a window procedure hands its message to: the object's handler.
using TReceiver = LRESULT (*)(void* object, HWND, UINT, WPARAM, LPARAM);
// The work of every window procedure of ours (see WindowProcedure), in one place.
LRESULT DispatchToObject(HWND window, UINT message, WPARAM wParam, LPARAM lParam, const void* kind,
                         TReceiver receive) noexcept;

// The window procedure of every window class of ours, for objects of class T whose
// handler is Receive. The object comes as the creation parameter (made with the wide or
// the ANSI API) and is bound at WM_NCCREATE, or was bound by its maker; it is unbound at
// WM_NCDESTROY, which it still receives. Each message runs in a dispatch scope, and no
// exception leaves.
template <class T, LRESULT (T::*Receive)(HWND, UINT, WPARAM, LPARAM)>
LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  return DispatchToObject(window, message, wParam, lParam, &kBindKind<T>,
                          [](void* object, HWND w, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
                            return (static_cast<T*>(object)->*Receive)(w, m, wp, lp);
                          });
}

}  // namespace velmora::ui
