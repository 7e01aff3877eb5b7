// The wheel's cost to every mouse move: from SendInput to WM_MOUSEMOVE at a window of this
// process (foreign to the player), with the plugin's wheel hook set in the stand-in player,
// beside a bare low-level mouse hook that only chains on a thread of the player's own (the
// floor of any such hook), and beside no hook at all. Median and 99th percentile; the
// three take turns in every order, so a drift of the machine meets each. With a hook,
// SendInput returns once the hook's thread has answered, the move already queued; without
// one, the sink's thread is woken for it: "no hook" is not the lowest figure.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "support.h"

using namespace testsupport;

namespace {

constexpr int kMoves = 100;  // per path and round
constexpr int kRounds = 6;   // each path first, second and third twice

HWND gSink = nullptr;
bool gMoved = false;

LRESULT CALLBACK SinkProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_MOUSEMOVE) gMoved = true;
  return DefWindowProcW(window, message, wParam, lParam);
}

// Each move's time from SendInput until the sink's thread has its WM_MOUSEMOVE.
void Measure(const std::string& ini, const std::string& playerArgs, std::vector<double>& out) {
  HostDir host;
  WriteFile(host.Ini(), ini);
  Player player(host, playerArgs);
  if (!player.Window()) return;
  if (playerArgs.find("--mouse-hook") != std::string::npos &&
      !WaitFor([&] { return player.LogHas("mouse hook 1"); }))
    return;
  Focus(gSink);
  for (int i = 0; i < kMoves; ++i) {
    gMoved = false;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    gMoved = false;
    const double sent = NowMs();
    MouseTo(200 + (i % 2) * 20, 150 + (i % 2) * 20);
    const double deadline = sent + 2000;
    while (!gMoved && NowMs() < deadline) {
      if (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&msg);
      else
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
    if (gMoved) out.push_back(NowMs() - sent);
  }
  player.Close();
}

}  // namespace

int main() {
  WNDCLASSW wc{};
  wc.lpfnWndProc = SinkProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"VelmoraMoveSink";
  RegisterClassW(&wc);
  gSink = CreateWindowExW(0, wc.lpszClassName, L"Move sink", WS_POPUP | WS_VISIBLE, 0, 0, 600, 400,
                          nullptr, nullptr, wc.hInstance, nullptr);
  if (!gSink) return 1;
  std::vector<double> none, bare, wheel;
  for (int round = 0; round < kRounds; ++round)
    for (int k = 0; k < 3; ++k) switch ((round + k) % 3) {
        case 0:
          Measure("", "", none);
          break;
        case 1:
          Measure("", "--mouse-hook", bare);
          break;
        default:
          Measure("[Wheel]\r\nUse=1\r\n", "", wheel);
      }
  const Stats n = Summarise(none), b = Summarise(bare), w = Summarise(wheel);
  std::printf("%-46s %8s %8s %8s\n", "a mouse move to a foreign window", "p50 ms", "p99 ms",
              "samples");
  std::printf("%-46s %8.3f %8.3f %8d\n", "no low-level mouse hook", n.Median, n.P99, n.Samples);
  std::printf("%-46s %8.3f %8.3f %8d\n", "  floor: a bare hook that only chains", b.Median, b.P99,
              b.Samples);
  std::printf("%-46s %8.3f %8.3f %8d\n", "the wheel's hook (Use=1)", w.Median, w.P99, w.Samples);
  if (b.Median > 0 && b.P99 > 0)
    std::printf("%-46s %8.2f %8.2f\n", "  the wheel's hook / the bare hook", w.Median / b.Median,
                w.P99 / b.P99);
  DestroyWindow(gSink);
  return 0;
}
