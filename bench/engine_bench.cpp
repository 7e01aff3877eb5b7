// From a keystroke in a foreign program (Wine's notepad) to WM_COMMAND at the stand-in
// player, through the whole plugin, posted and sent, beside the system's hot-key path
// (RegisterHotKey in the player) measured in the same run; and through raw input, beside
// a bare raw-input sink in the player. Median and 99th percentile.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "hook/uMapMemory.h"
#include "support.h"

using namespace testsupport;

extern "C" {
__declspec(dllimport) BOOL
    BH_Install(HWND target, UINT message, WPARAM wParam, UINT key, const char* block);
__declspec(dllimport) void BH_Uninstall();
}

namespace {

constexpr int kPresses = 100;  // per path and round
constexpr int kRounds = 3;     // the paths take turns, so a drift of the machine meets each
constexpr WORD kKey = VK_F8;   // 119

// Each press's latency: the player's time stamp of the command minus the press's.
void Measure(const std::string& ini, const std::string& playerArgs, Notepad& notepad,
             std::vector<double>& latencies, bool bareHook = false, const char* block = nullptr) {
  HostDir host;
  WriteFile(host.Ini(), ini);
  Player player(host, playerArgs);
  if (!player.Window()) return;
  if (bareHook && !BH_Install(player.Window(), WM_COMMAND, 40045, kKey, block)) return;
  for (int i = 0; i < kPresses; ++i) {
    notepad.Focus();
    const size_t before = player.TimedLog().size();
    double arrived = 0;
    const double sent = NowMs();
    Key(kKey, false);
    // The log is read only after the keystroke has travelled: reading it is wineserver
    // work, which would share the server with the path being measured.
    Sleep(5);
    WaitFor(
        [&] {
          const auto log = player.TimedLog();
          for (size_t j = before; j < log.size(); ++j)
            if (log[j].Text == "command 40045" || log[j].Text == "hotkey 1" ||
                log[j].Text == "rawsink 1")
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
}

// From the keystroke to the plugin's popup on the screen (ShowTime short, so that each is
// gone before the next press): the popup without and with the track's title, whose popup
// comes after the player has handled the command.
void MeasurePopup(const std::string& ini, Notepad& notepad, std::vector<double>& latencies) {
  HostDir host;
  WriteFile(host.Ini(), ini);
  Player player(host);
  if (!player.Window()) return;
  const DWORD pid = player.Proc().Id();
  for (int i = 0; i < kPresses; ++i) {
    notepad.Focus();
    WaitFor([&] { return ShownPopups(pid).empty(); }, 3000);
    const double sent = NowMs();
    Key(kKey, false);
    Sleep(5);
    double arrived = 0;
    for (const double until = sent + 3000; NowMs() < until && arrived == 0; Sleep(1))
      if (!ShownPopups(pid).empty()) arrived = NowMs();
    Key(kKey, true);
    if (arrived > 0) latencies.push_back(arrived - sent);
    Pump(20);
  }
  player.Close();
}

}  // namespace

int main() {
  Notepad notepad;
  if (!notepad.Focus()) {
    std::printf("notepad did not come to the front\n");
    return 1;
  }
  const std::string keys = "[HotKeys]\r\n1=119\r\n[Popup]\r\nUsePopup=0\r\n";
  std::vector<double> hotMs, bareMs, blockMs, postMs, listMs, sendMs, sinkMs, rawMs, popupMs,
      titledMs, statedMs;
  for (int round = 0; round < kRounds; ++round) {
    Measure(keys + "[Use]\r\nKey=0\r\n", "--hotkey 0x77", notepad, hotMs);
    Measure(keys + "[Use]\r\nKey=0\r\n", "", notepad, bareMs, true);
    // The plugin with its keyboard hook off still holds the block.
    Measure(keys + "[Use]\r\nKey=0\r\n", "", notepad, blockMs, true, velmora::HookBlockName);
    Measure(keys + "[Use]\r\nKey=1\r\n[System]\r\nUseSendMessage=0\r\n", "", notepad, postMs);
    // A list of programs the hot keys leave alone, notepad not in it: the lookup's cost.
    Measure(
        keys + "[Use]\r\nKey=1\r\n[System]\r\nExcludedPrograms=mstsc.exe;vmware.exe;game.exe\r\n",
        "", notepad, listMs);
    Measure(keys + "[Use]\r\nKey=1\r\n[System]\r\nUseSendMessage=1\r\n", "", notepad, sendMs);
    // The raw-input floor: the player's own sink, which only records the stroke.
    Measure(keys + "[Use]\r\nKey=0\r\n", "--raw-sink 0x77", notepad, sinkMs);
    Measure(keys + "[Use]\r\nKey=1\r\n[System]\r\nUseRawInput=1\r\n", "", notepad, rawMs);
    const std::string popups =
        "[HotKeys]\r\n1=119\r\n[Use]\r\nKey=1\r\n[Popup]\r\nUsePopup=1\r\n"
        "ShowTime=40\r\nShowTitle=";
    MeasurePopup(popups + "0\r\n", notepad, popupMs);
    MeasurePopup(popups + "1\r\n", notepad, titledMs);
    // Volume Up's popup says the level the player reports after the command.
    MeasurePopup(
        "[HotKeys]\r\n6=119\r\n[Use]\r\nKey=1\r\n[Popup]\r\nShowTime=40\r\n"
        "[System]\r\nRepeatVolume=0\r\n",
        notepad, statedMs);
  }
  const Stats hot = Summarise(hotMs), bare = Summarise(bareMs), block = Summarise(blockMs),
              post = Summarise(postMs), send = Summarise(sendMs), sink = Summarise(sinkMs),
              raw = Summarise(rawMs);
  std::printf("keystroke in notepad to WM_COMMAND at the player, %d rounds of %d presses, ms\n",
              kRounds, kPresses);
  std::printf("  %-40s %8s %8s %8s\n", "path", "median", "p99", "samples");
  std::printf("  %-40s %8.3f %8.3f %8d\n", "RegisterHotKey, WM_HOTKEY (baseline)", hot.Median,
              hot.P99, hot.Samples);
  std::printf("  %-40s %8.3f %8.3f %8d\n", "bare global hook, posts (floor)", bare.Median, bare.P99,
              bare.Samples);
  std::printf("  %-40s %8.3f %8.3f %8d   %.2fx the floor's median\n",
              "bare hook opening the block per call", block.Median, block.P99, block.Samples,
              bare.Median > 0 ? block.Median / bare.Median : 0.0);
  // The plugin's hook keeps no state between calls: the bare hook that opens the block per
  // call is the floor it can reach.
  auto hookRow = [&](const char* path, const Stats& s) {
    std::printf(
        "  %-40s %8.3f %8.3f %8d   %.2fx the floor's median, %.2fx the block-opening one's\n", path,
        s.Median, s.P99, s.Samples, bare.Median > 0 ? s.Median / bare.Median : 0.0,
        block.Median > 0 ? s.Median / block.Median : 0.0);
  };
  hookRow("plugin, posted", post);
  hookRow("plugin, posted, three programs left alone", Summarise(listMs));
  hookRow("plugin, sent (UseSendMessage)", send);
  std::printf("  %-40s %8.3f %8.3f %8d\n", "bare raw-input sink, probes, records (floor)",
              sink.Median, sink.P99, sink.Samples);
  std::printf("  %-40s %8.3f %8.3f %8d   %.2fx the raw floor's median\n", "plugin, raw input",
              raw.Median, raw.P99, raw.Samples, sink.Median > 0 ? raw.Median / sink.Median : 0.0);
  const Stats popup = Summarise(popupMs), titled = Summarise(titledMs);
  std::printf("keystroke in notepad to Play's popup on the screen, polled every ms, ms\n");
  std::printf("  %-40s %8.3f %8.3f %8d\n", "popup without the title (ShowTitle=0)", popup.Median,
              popup.P99, popup.Samples);
  std::printf("  %-40s %8.3f %8.3f %8d   %.2fx the untitled median\n",
              "popup with the title (ShowTitle=1)", titled.Median, titled.P99, titled.Samples,
              popup.Median > 0 ? titled.Median / popup.Median : 0.0);
  const Stats stated = Summarise(statedMs);
  std::printf("  %-40s %8.3f %8.3f %8d   %.2fx the untitled median\n",
              "Volume Up with the level read back", stated.Median, stated.P99, stated.Samples,
              popup.Median > 0 ? stated.Median / popup.Median : 0.0);
  return 0;
}
