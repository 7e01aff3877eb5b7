#include "ui/uBinding.h"

namespace velmora::ui {

namespace {
constexpr char kObjectProp[] = "VelmoraObject";
}  // namespace

void BindWindow(HWND window, void* object) noexcept {
  SetPropA(window, kObjectProp, object);
}

void UnbindWindow(HWND window) noexcept {
  RemovePropA(window, kObjectProp);
}

void* BoundObject(HWND window) noexcept {
  return window ? GetPropA(window, kObjectProp) : nullptr;
}

}  // namespace velmora::ui
