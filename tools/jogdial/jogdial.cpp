// Stand-in for the Jog Dial utility: registers its two messages and, from a script on
// its command line, puts them with the dial's event codes into its own thread's queue
// for its own window, where the plugin's get-message hook sees them.
//
//   jogdial.exe [--log PATH] [--target HWND] EVENT...
//     press | release | up | down      the dial's events (codes 1, 2, 0x1001, 0x1002)
//     code:N                           "SonyJogDialPlugIn" with wParam N
//     async:N                          "SonyAsyncEvent" with wParam N
//     other:N                          an unrelated registered message with wParam N
//     target:EVENT                     EVENT posted to the --target window instead
//     wait:MS                          keep the message loop running for MS milliseconds
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr LPARAM kLParam = 0x4A4F47;  // "JOG": any value; the plugin passes it on
UINT gJogMsg, gAsyncMsg, gOtherMsg;
HANDLE gLog = INVALID_HANDLE_VALUE;
int gDispatched = 0;

// Lines start with "[ms] ", the performance counter every process of the session shares.
void Log(const char* format, ...) {
  if (gLog == INVALID_HANDLE_VALUE) return;
  char line[256];
  LARGE_INTEGER f, t;
  QueryPerformanceFrequency(&f);
  QueryPerformanceCounter(&t);
  int n = snprintf(line, 32, "[%.3f] ",
                   static_cast<double>(t.QuadPart) * 1000.0 / static_cast<double>(f.QuadPart));
  va_list args;
  va_start(args, format);
  const int m = vsnprintf(line + n, sizeof line - 2 - n, format, args);
  va_end(args);
  if (m < 0) return;
  n += m;
  if (n > static_cast<int>(sizeof line) - 3) n = sizeof line - 3;
  line[n++] = '\r';
  line[n++] = '\n';
  DWORD written;
  WriteFile(gLog, line, n, &written, nullptr);
  FlushFileBuffers(gLog);
}

LRESULT CALLBACK DialProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (m == gJogMsg || m == gAsyncMsg || m == gOtherMsg) {
    ++gDispatched;
    Log("dispatched %d %s 0x%lX", gDispatched,
        m == gJogMsg     ? "jog"
        : m == gAsyncMsg ? "async"
                         : "other",
        static_cast<unsigned long>(wp));
    return 0;
  }
  if (m == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcA(w, m, wp, lp);
}

bool Pump(DWORD ms, int untilDispatched = -1) {
  const DWORD start = GetTickCount();
  for (;;) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) return false;
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    if (untilDispatched >= 0 && gDispatched >= untilDispatched) return true;
    const DWORD elapsed = GetTickCount() - start;
    if (elapsed >= ms) return true;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, ms - elapsed, QS_ALLINPUT);
  }
}

bool Parse(const std::string& token, UINT* message, WPARAM* code) {
  auto number = [](const std::string& s) {
    return static_cast<WPARAM>(std::strtoul(s.c_str(), nullptr, 0));
  };
  if (token == "press")
    *message = gJogMsg, *code = 1;
  else if (token == "release")
    *message = gJogMsg, *code = 2;
  else if (token == "up")
    *message = gJogMsg, *code = 0x1001;
  else if (token == "down")
    *message = gJogMsg, *code = 0x1002;
  else if (token.rfind("code:", 0) == 0)
    *message = gJogMsg, *code = number(token.substr(5));
  else if (token.rfind("async:", 0) == 0)
    *message = gAsyncMsg, *code = number(token.substr(6));
  else if (token.rfind("other:", 0) == 0)
    *message = gOtherMsg, *code = number(token.substr(6));
  else
    return false;
  return true;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  gJogMsg = RegisterWindowMessageA("SonyJogDialPlugIn");
  gAsyncMsg = RegisterWindowMessageA("SonyAsyncEvent");
  gOtherMsg = RegisterWindowMessageA("VelmoraUnrelatedMessage");
  HWND target = nullptr;
  int first = 1;
  for (; first + 1 < __argc; first += 2) {
    if (!strcmp(__argv[first], "--log")) {
      gLog = CreateFileA(__argv[first + 1], GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                         nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    } else if (!strcmp(__argv[first], "--target")) {
      target = reinterpret_cast<HWND>(std::strtoul(__argv[first + 1], nullptr, 0));
    } else {
      break;
    }
  }
  WNDCLASSA wc{};
  wc.lpfnWndProc = DialProc;
  wc.hInstance = instance;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = "VelmoraJogDial";
  RegisterClassA(&wc);
  HWND dial = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, wc.lpszClassName, "Jog Dial",
                              WS_POPUP | WS_CAPTION | WS_VISIBLE, 900, 680, 110, 60, nullptr,
                              nullptr, instance, nullptr);
  if (!dial) return 2;
  Log("ready %p", static_cast<void*>(dial));
  Pump(50);
  int posted = 0;
  for (int i = first; i < __argc; ++i) {
    std::string token = __argv[i];
    if (token.rfind("wait:", 0) == 0) {
      if (!Pump(std::strtoul(token.c_str() + 5, nullptr, 0))) break;
      continue;
    }
    const bool toTarget = token.rfind("target:", 0) == 0;
    if (toTarget) token = token.substr(7);
    UINT message;
    WPARAM code;
    if (!Parse(token, &message, &code)) {
      Log("bad event %s", token.c_str());
      return 3;
    }
    if (toTarget) {
      PostMessageA(target, message, code, kLParam);
      Log("posted to target %s", token.c_str());
      continue;
    }
    PostMessageA(dial, message, code, kLParam);
    Log("posted %d %s", ++posted, token.c_str());
    if (!Pump(5000, posted)) break;
  }
  Log("done");
  DestroyWindow(dial);
  if (gLog != INVALID_HANDLE_VALUE) CloseHandle(gLog);
  return 0;
}
