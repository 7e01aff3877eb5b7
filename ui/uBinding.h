// The one way a window of ours finds its object: a window property, set from the creation
// parameter as the window is made (or, for a system class we subclass or a dialog the
// system makes, right after) and removed when the window goes.
#pragma once

#include <windows.h>

namespace velmora::ui {

void BindWindow(HWND window, void* object) noexcept;
void UnbindWindow(HWND window) noexcept;
void* BoundObject(HWND window) noexcept;

template <class T>
T* Bound(HWND window) noexcept {
  return static_cast<T*>(BoundObject(window));
}

// For the procedure of a class of ours whose windows are made with their object as the
// creation parameter: binds at WM_NCCREATE, unbinds at WM_NCDESTROY, and gives the object
// (null before the binding, and for the last message).
template <class T>
T* BindOnCreate(HWND window, UINT message, LPARAM lParam) noexcept {
  if (message == WM_NCCREATE)
    BindWindow(window, reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
  T* object = Bound<T>(window);
  if (message == WM_NCDESTROY) UnbindWindow(window);
  return object;
}

}  // namespace velmora::ui
