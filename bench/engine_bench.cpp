// From a keystroke in a foreign program (Wine's notepad) to WM_COMMAND at the stand-in
// player, through the whole plugin, posted and sent, beside the system's hot-key path
// (RegisterHotKey in the player) measured in the same run. Median and 99th percentile.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "support.h"

using namespace testsupport;

extern "C" {
__declspec(dllimport) BOOL BH_Install(HWND target, UINT message, WPARAM wParam, UINT key);
__declspec(dllimport) void BH_Uninstall();
}

namespace {

constexpr int kPresses = 100;
constexpr WORD kKey = VK_F8;  // 119

struct Stats {
  double Median, P99;
  int Samples;
};

Stats Summarise(std::vector<double> v) {
  if (v.empty()) return {0, 0, 0};
  std::sort(v.begin(), v.end());
  return {v[v.size() / 2], v[std::min(v.size() - 1, v.size() * 99 / 100)],
          static_cast<int>(v.size())};
}

// Each press's latency: the player's time stamp of the command minus the press's.
Stats Measure(const std::string& ini, const std::string& playerArgs, Notepad& notepad,
              bool bareHook = false) {
  HostDir host;
  WriteFile(host.Ini(), ini);
  Player player(host, playerArgs);
  std::vector<double> latencies;
  if (!player.Window()) return Summarise(latencies);
  if (bareHook && !BH_Install(player.Window(), WM_COMMAND, 40045, kKey)) return Summarise(latencies);
  for (int i = 0; i < kPresses; ++i) {
    notepad.Focus();
    const size_t before = player.TimedLog().size();
    double arrived = 0;
    const double sent = NowMs();
    Key(kKey, false);
    WaitFor(
        [&] {
          const auto log = player.TimedLog();
          for (size_t j = before; j < log.size(); ++j)
            if (log[j].Text == "command 40045" || log[j].Text == "hotkey 1")
              return (arrived = log[j].Ms) > 0;
          return false;
        },
        3000);
    Key(kKey, true);
    if (arrived > 0) latencies.push_back(arrived - sent);
    Pump(20);  // the engine drops a key that comes while the last one is handled
  }
  if (bareHook) BH_Uninstall();
  player.Close();
  return Summarise(latencies);
}

}  // namespace

int main() {
  Notepad notepad;
  if (!notepad.Focus()) {
    std::printf("notepad did not come to the front\n");
    return 1;
  }
  const std::string keys = "[HotKeys]\r\n1=119\r\n[Popup]\r\nUsePopup=0\r\n";
  const Stats hot = Measure(keys + "[Use]\r\nKey=0\r\n", "--hotkey 0x77", notepad);
  const Stats bare = Measure(keys + "[Use]\r\nKey=0\r\n", "", notepad, true);
  const Stats post =
      Measure(keys + "[Use]\r\nKey=1\r\n[System]\r\nUseSendMessage=0\r\n", "", notepad);
  const Stats send =
      Measure(keys + "[Use]\r\nKey=1\r\n[System]\r\nUseSendMessage=1\r\n", "", notepad);
  std::printf("keystroke in notepad to WM_COMMAND at the player, %d presses each, ms\n", kPresses);
  std::printf("  %-40s %8s %8s %8s\n", "path", "median", "p99", "samples");
  std::printf("  %-40s %8.3f %8.3f %8d\n", "RegisterHotKey, WM_HOTKEY (baseline)", hot.Median,
              hot.P99, hot.Samples);
  std::printf("  %-40s %8.3f %8.3f %8d\n", "bare global hook, posts (floor)", bare.Median,
              bare.P99, bare.Samples);
  std::printf("  %-40s %8.3f %8.3f %8d   %.2fx the floor's median\n", "plugin, posted", post.Median,
              post.P99, post.Samples, bare.Median > 0 ? post.Median / bare.Median : 0.0);
  std::printf("  %-40s %8.3f %8.3f %8d   %.2fx the floor's median\n",
              "plugin, sent (UseSendMessage)", send.Median, send.P99, send.Samples,
              bare.Median > 0 ? send.Median / bare.Median : 0.0);
  return 0;
}
