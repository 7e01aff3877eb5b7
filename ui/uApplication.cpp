#include "ui/uApplication.h"

#include <utility>

namespace velmora::ui {

namespace {
HINSTANCE gInstance = nullptr;
int gDispatchDepth = 0;  // the UI thread's only
void (*gOnUnwound)() noexcept = nullptr;
}  // namespace

TDispatchScope::TDispatchScope() noexcept {
  ++gDispatchDepth;
}

TDispatchScope::~TDispatchScope() {
  if (--gDispatchDepth == 0 && gOnUnwound) {
    auto action = std::exchange(gOnUnwound, nullptr);
    action();
  }
}

bool InDispatch() noexcept {
  return gDispatchDepth > 0;
}

void RunWhenUnwound(void (*action)() noexcept) noexcept {
  if (gDispatchDepth == 0) {
    action();
    return;
  }
  gOnUnwound = action;
}

HINSTANCE ModuleInstance() noexcept {
  return gInstance ? gInstance : GetModuleHandleA(nullptr);
}

void SetModuleInstance(HINSTANCE instance) noexcept {
  gInstance = instance;
}

void ProcessMessages() noexcept {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

void ShowErrorText(const char* text) noexcept {
  MessageBoxA(nullptr, text, ReportCaption, MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

void ShowException(const std::exception& error) noexcept {
  ShowErrorText(error.what());
}

}  // namespace velmora::ui
