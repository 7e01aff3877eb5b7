#include "ui/uApplication.h"

namespace velmora::ui {

namespace {
HINSTANCE gInstance = nullptr;
}

HINSTANCE ModuleInstance() noexcept { return gInstance ? gInstance : GetModuleHandleA(nullptr); }

void SetModuleInstance(HINSTANCE instance) noexcept { gInstance = instance; }

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

void ShowException(const std::exception& error) noexcept { ShowErrorText(error.what()); }

}  // namespace velmora::ui
