// Stand-in for a full-screen program (a game, a video player of its own): a borderless
// window of its own process covering the primary screen, brought to the front.
//
//   cover.exe [--window]
//
// --window makes an ordinary captioned window of 320 x 200 instead. Ends when its window
// is closed, or after a minute.
#include <windows.h>

#include <cstring>

namespace {

LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(window, &ps);
      FillRect(dc, &ps.rcPaint, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
      EndPaint(window, &ps);
      return 0;
    }
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

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  const bool windowed = std::strstr(commandLine, "--window") != nullptr;
  WNDCLASSW wc{};
  wc.lpfnWndProc = Proc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.lpszClassName = L"VelmoraCover";
  RegisterClassW(&wc);
  const HWND window =
      windowed ? CreateWindowExW(0, wc.lpszClassName, L"Cover", WS_OVERLAPPEDWINDOW, 100, 100, 320,
                                 200, nullptr, nullptr, instance, nullptr)
               : CreateWindowExW(0, wc.lpszClassName, L"Cover", WS_POPUP, 0, 0,
                                 GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                                 nullptr, nullptr, instance, nullptr);
  if (!window) return 1;
  ShowWindow(window, SW_SHOW);
  SetForegroundWindow(window);
  SetTimer(window, 1, 60000, nullptr);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
