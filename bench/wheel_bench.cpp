// The wheel's cost to every mouse move and button press: from SendInput to WM_MOUSEMOVE (or
// WM_MBUTTONDOWN, a press no command has) at a window of this process (foreign to the
// player), with the plugin's wheel hook set in the stand-in player (a side button bound too),
// beside a bare low-level mouse hook that only chains on a thread of the player's own (the
// floor of any such hook), and beside no hook at all. Median and 99th percentile; the
// three take turns in every order, so a drift of the machine meets each. With a hook,
// SendInput returns once the hook's thread has answered, the move already queued; without
// one, the sink's thread is woken for it: "no hook" is not the lowest figure.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "support.h"

using namespace testsupport;

namespace {

// Per path and round, and the rounds (each path first, second and third twice); a quicker
// run gives fewer: wheel_bench.exe ROUNDS EVENTS.
int gMoves = 100;
int gRounds = 6;

HWND gSink = nullptr;
bool gMoved = false;
UINT gAwaited = WM_MOUSEMOVE;

LRESULT CALLBACK SinkProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == gAwaited) gMoved = true;
  return DefWindowProcW(window, message, wParam, lParam);
}

void MiddleButton() {
  INPUT in[2] = {};
  in[0].type = in[1].type = INPUT_MOUSE;
  in[0].mi.dwFlags = MOUSEEVENTF_MIDDLEDOWN;
  in[1].mi.dwFlags = MOUSEEVENTF_MIDDLEUP;
  SendInput(2, in, sizeof(INPUT));
}

// Each event's time from SendInput until the sink's thread has its message: a move, or with
// press a middle-button press.
void Measure(const std::string& ini, const std::string& playerArgs, std::vector<double>& out,
             bool press = false) {
  gAwaited = press ? WM_MBUTTONDOWN : WM_MOUSEMOVE;
  HostDir host;
  WriteFile(host.Ini(), ini);
  Player player(host, playerArgs);
  if (!player.Window()) return;
  if (playerArgs.find("--mouse-hook") != std::string::npos &&
      !WaitFor([&] { return player.LogHas("mouse hook 1"); }))
    return;
  Focus(gSink);
  for (int i = 0; i < gMoves; ++i) {
    gMoved = false;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    gMoved = false;
    // Under Wine a press right after the move that brought the pointer reaches no window:
    // the pointer is settled over the sink first, outside the timing.
    if (press) {
      MouseTo(200, 150);
      WaitFor([] { return false; }, 30);
    }
    const double sent = NowMs();
    if (press)
      MiddleButton();
    else
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

int main(int argc, char** argv) {
  if (argc > 2) {
    gRounds = std::max(1, std::atoi(argv[1]));
    gMoves = std::max(1, std::atoi(argv[2]));
  }
  WNDCLASSW wc{};
  wc.lpfnWndProc = SinkProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"VelmoraMoveSink";
  RegisterClassW(&wc);
  gSink = CreateWindowExW(0, wc.lpszClassName, L"Move sink", WS_POPUP | WS_VISIBLE, 0, 0, 600, 400,
                          nullptr, nullptr, wc.hInstance, nullptr);
  if (!gSink) return 1;
  const std::string plugin = "[Wheel]\r\nUse=1\r\n[HotKeys]\r\n4=5\r\n";  // Next: Mouse 4
  std::vector<double> none, bare, wheel, barePress, wheelPress;
  for (int round = 0; round < gRounds; ++round)
    for (int k = 0; k < 3; ++k) switch ((round + k) % 3) {
        case 0:
          Measure("", "", none);
          break;
        case 1:
          Measure("", "--mouse-hook", bare);
          Measure("", "--mouse-hook", barePress, true);
          break;
        default:
          Measure(plugin, "", wheel);
          Measure(plugin, "", wheelPress, true);
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
  const Stats bp = Summarise(barePress), wp = Summarise(wheelPress);
  std::printf("%-46s %8s %8s %8s\n", "a middle-button press to a foreign window", "p50 ms",
              "p99 ms", "samples");
  std::printf("%-46s %8.3f %8.3f %8d\n", "  floor: a bare hook that only chains", bp.Median, bp.P99,
              bp.Samples);
  std::printf("%-46s %8.3f %8.3f %8d\n", "the wheel's hook, a side button bound", wp.Median, wp.P99,
              wp.Samples);
  if (bp.Median > 0 && bp.P99 > 0)
    std::printf("%-46s %8.2f %8.2f\n", "  the wheel's hook / the bare hook", wp.Median / bp.Median,
                wp.P99 / bp.P99);
  DestroyWindow(gSink);
  return 0;
}
