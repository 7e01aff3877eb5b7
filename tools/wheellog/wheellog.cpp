// A foreign program for the wheel's and the buttons' tests: a window with a menu bar that
// logs every WM_MOUSEWHEEL it receives ("wheel D", D its delta), every press and release
// of the middle and side buttons ("down B", "up B": B 3 middle, 4 and 5 the side buttons)
// and every menu it enters ("menu").
//
//   wheellog.exe --log PATH [--tray]
//
// --tray makes a stand-in for the task bar instead: a borderless window of the shell's
// class Shell_TrayWnd along the bottom of the primary screen, never activated. Ends when its
// window is closed, or after two minutes.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

HANDLE gLog = INVALID_HANDLE_VALUE;

void Log(const char* line) {
  char text[64];
  const int n = std::snprintf(text, sizeof text, "%s\r\n", line);
  DWORD written = 0;
  if (gLog != INVALID_HANDLE_VALUE) WriteFile(gLog, text, static_cast<DWORD>(n), &written, nullptr);
}

LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_MOUSEWHEEL: {
      char line[32];
      std::snprintf(line, sizeof line, "wheel %d", GET_WHEEL_DELTA_WPARAM(wParam));
      Log(line);
      return 0;
    }
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_XBUTTONDOWN:
    case WM_XBUTTONUP: {
      const bool down = message == WM_MBUTTONDOWN || message == WM_XBUTTONDOWN;
      const int button = message == WM_MBUTTONDOWN || message == WM_MBUTTONUP ? 3
                         : GET_XBUTTON_WPARAM(wParam) == XBUTTON1             ? 4
                                                                              : 5;
      char line[16];
      std::snprintf(line, sizeof line, "%s %d", down ? "down" : "up", button);
      Log(line);
      return message == WM_XBUTTONDOWN || message == WM_XBUTTONUP ? TRUE : 0;
    }
    case WM_ENTERMENULOOP:
      Log("menu");
      break;
    case WM_MOUSEACTIVATE:
      if (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_NOACTIVATE) return MA_NOACTIVATE;
      break;
    case WM_TIMER:
    case WM_CLOSE:
      DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  bool tray = false;
  for (int i = 1; i < __argc; ++i) {
    if (!std::strcmp(__argv[i], "--tray")) tray = true;
    if (!std::strcmp(__argv[i], "--log") && i + 1 < __argc)
      gLog = CreateFileA(__argv[++i], GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  }
  WNDCLASSW wc{};
  wc.lpfnWndProc = Proc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = tray ? L"Shell_TrayWnd" : L"VelmoraWheelLog";
  RegisterClassW(&wc);
  HWND window;
  if (tray) {
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    window = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE, wc.lpszClassName,
                             L"", WS_POPUP, 0, h - 40, w, 40, nullptr, nullptr, instance, nullptr);
    if (window) ShowWindow(window, SW_SHOWNOACTIVATE);
  } else {
    HMENU menu = CreateMenu();
    HMENU file = CreatePopupMenu();
    AppendMenuW(file, MF_STRING, 1, L"E&xit");
    AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"&File");
    window = CreateWindowExW(0, wc.lpszClassName, L"Wheel log", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300,
                             nullptr, menu, instance, nullptr);
    if (window) {
      ShowWindow(window, SW_SHOW);
      SetForegroundWindow(window);
    }
  }
  if (!window) return 1;
  SetTimer(window, 1, 120000, nullptr);
  Log("ready");
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  if (gLog != INVALID_HANDLE_VALUE) CloseHandle(gLog);
  return 0;
}
