#include "ui/uApplication.h"

#include "ui/uBinding.h"
#include "ui/uWide.h"

#include <cstring>
#include <stdexcept>
#include <utility>
#include <vector>

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

bool CancelWhenUnwound(void (*action)() noexcept) noexcept {
  if (gOnUnwound != action) return false;
  gOnUnwound = nullptr;
  return true;
}

HINSTANCE ModuleInstance() noexcept {
  return gInstance ? gInstance : GetModuleHandleA(nullptr);
}

void SetModuleInstance(HINSTANCE instance) noexcept {
  gInstance = instance;
}

namespace {
// Class names this module registered; only the UI thread touches it.
std::vector<std::string>& Registered() {
  static std::vector<std::string> names;
  return names;
}
}  // namespace

void RegisterWindowClass(const char* name, WNDPROC proc, bool unicode) {
  for (const auto& n : Registered())
    if (n == name) return;
  const HINSTANCE instance = ModuleInstance();
  bool ok;
  if (unicode) {
    const std::wstring wide(name, name + std::strlen(name));  // class names are ASCII
    WNDCLASSW wc{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = proc;
    wc.cbWndExtra = kBindingBytes;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = wide.c_str();
    WNDCLASSW existing;
    ok = GetClassInfoW(instance, wide.c_str(), &existing) || RegisterClassW(&wc);
  } else {
    WNDCLASSA wc{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = proc;
    wc.cbWndExtra = kBindingBytes;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = name;
    WNDCLASSA existing;
    ok = GetClassInfoA(instance, name, &existing) || RegisterClassA(&wc);
  }
  if (!ok) throw std::runtime_error(std::string("cannot register the window class ") + name);
  Registered().push_back(name);
}

void UnregisterWindowClasses() noexcept {
  for (const auto& name : Registered()) UnregisterClassA(name.c_str(), ModuleInstance());
  Registered().clear();
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

namespace {
void ShowWideText(const wchar_t* text) noexcept {
  MessageBoxW(nullptr, text, L"gen_velmora", MB_OK | MB_ICONERROR | MB_TASKMODAL);
}
}  // namespace

void ShowErrorText(const char* text) noexcept {
  MessageBoxA(nullptr, text, ReportCaption, MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

void ShowException(const std::exception& error) noexcept {
  if (const auto* own = dynamic_cast<const ETextError*>(&error)) {
    ShowWideText(own->Text().c_str());
    return;
  }
  ShowErrorText(error.what());
}

}  // namespace velmora::ui
