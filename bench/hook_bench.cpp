// Benchmarks of the input capture, each beside a baseline measured in the same run:
//  1. messages per second through a foreign process's PeekMessage loop: no hook, the
//     get-message hook opening the block for every message, and with the pre-filter;
//  2. latency from a keystroke in a foreign foreground program (Wine's notepad) to the
//     target window, posted and sent, beside RegisterHotKey's WM_HOTKEY.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "support.h"

using namespace testsupport;

extern "C" {
__declspec(dllimport) BOOL VT_InstallHooks(HWND, UINT, UINT, UINT, BOOL);
__declspec(dllimport) BOOL VT_UninstallHooks();
__declspec(dllimport) HOOKPROC VT_GetMsgProc(BOOL filtered);
}

namespace {

constexpr int kPumpMessages = 20000;
constexpr int kKeySamples = 150;
constexpr UINT kKeyMsg = 1280;

// Child: posts and retrieves messages in its own thread; writes messages per second.
int PumpChild(const char* resultPath) {
  HWND w = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  MSG msg;
  double start = NowMs();
  for (int i = 0; i < kPumpMessages; ++i) {
    PostMessageA(w, WM_USER + 1, i, 0);
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  }
  const double rate = kPumpMessages / ((NowMs() - start) / 1000.0);
  if (FILE* f = std::fopen(resultPath, "w")) {
    std::fprintf(f, "%.0f\n", rate);
    std::fclose(f);
  }
  DestroyWindow(w);
  return 0;
}

double MeasurePump(const TempDir& dir) {
  const std::string result = dir.Path() + "rate.txt";
  DeleteFileA(result.c_str());
  Process child("\"" + ExeDirectory() + "hook_bench.exe\" --pump \"" + result + "\"");
  child.Wait(120000);
  return std::atof(ReadFile(result).c_str());
}

std::vector<double> gArrivals;
UINT gAwaited = 0;
LRESULT CALLBACK TargetProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (m == gAwaited) {
    gArrivals.push_back(NowMs());
    return 0;
  }
  return DefWindowProcA(w, m, wp, lp);
}

// Presses vk kKeySamples times; the latency of each press is its first arrival.
std::vector<double> MeasureKeys(WORD vk, UINT awaited) {
  gAwaited = awaited;
  std::vector<double> latencies;
  for (int i = 0; i < kKeySamples; ++i) {
    gArrivals.clear();
    const double sent = NowMs();
    Key(vk, false);
    if (WaitFor([] { return !gArrivals.empty(); }, 2000)) latencies.push_back(gArrivals[0] - sent);
    Key(vk, true);
    Pump(2);
  }
  return latencies;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 2 && std::strcmp(argv[1], "--pump") == 0) return PumpChild(argv[2]);
  HMODULE hooks = GetModuleHandleA("velmora_hooktest.dll");
  WNDCLASSA wc{};
  wc.lpfnWndProc = TargetProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "BenchTarget";
  RegisterClassA(&wc);
  HWND target = CreateWindowExA(0, wc.lpszClassName, "", 0, 0, 0, 0, 0, nullptr, nullptr,
                                wc.hInstance, nullptr);
  TempDir dir;

  std::printf("get-message hook, %d messages through a foreign PeekMessage loop\n", kPumpMessages);
  const double none = MeasurePump(dir);
  // The block exists (keyboard hook only), and the get-message procedure is set directly.
  VT_InstallHooks(target, kKeyMsg, 0, 1282, FALSE);
  HHOOK plain = SetWindowsHookExA(WH_GETMESSAGE, VT_GetMsgProc(FALSE), hooks, 0);
  const double unfiltered = MeasurePump(dir);
  UnhookWindowsHookEx(plain);
  HHOOK filtered = SetWindowsHookExA(WH_GETMESSAGE, VT_GetMsgProc(TRUE), hooks, 0);
  const double prefiltered = MeasurePump(dir);
  UnhookWindowsHookEx(filtered);
  VT_UninstallHooks();
  std::printf("  %-36s %12s %10s\n", "variant", "messages/s", "vs none");
  std::printf("  %-36s %12.0f %9.2fx\n", "no hook (baseline)", none, 1.0);
  std::printf("  %-36s %12.0f %9.2fx\n", "block opened per message", unfiltered, none / unfiltered);
  std::printf("  %-36s %12.0f %9.2fx\n", "with pre-filter", prefiltered, none / prefiltered);

  std::printf("\nkeystroke in notepad to the target window, %d presses each, ms\n", kKeySamples);
  Process notepad("notepad.exe");
  HWND pad = nullptr;
  WaitFor([&] { return (pad = FindProcessWindow(notepad.Id(), "Notepad")) != nullptr; }, 20000);
  WaitFor([&] {
    SetForegroundWindow(pad);
    return GetForegroundWindow() == pad;
  });
  RegisterHotKey(target, 1, 0, VK_F7);
  const Stats hot = Summarise(MeasureKeys(VK_F7, WM_HOTKEY));
  UnregisterHotKey(target, 1);
  VT_InstallHooks(target, kKeyMsg, 1281, 1282, FALSE);
  const Stats post = Summarise(MeasureKeys(VK_F8, kKeyMsg));
  VT_UninstallHooks();
  WaitFor([] { return false; }, 200);
  VT_InstallHooks(target, kKeyMsg, 1281, 1282, TRUE);
  const Stats send = Summarise(MeasureKeys(VK_F8, kKeyMsg));
  VT_UninstallHooks();
  std::printf("  %-36s %10s %10s\n", "path", "median", "p99");
  std::printf("  %-36s %10.3f %10.3f\n", "RegisterHotKey, WM_HOTKEY (baseline)", hot.Median,
              hot.P99);
  std::printf("  %-36s %10.3f %10.3f\n", "keyboard hook, posted", post.Median, post.P99);
  std::printf("  %-36s %10.3f %10.3f\n", "keyboard hook, sent", send.Median, send.P99);
  DestroyWindow(target);
  return 0;
}
