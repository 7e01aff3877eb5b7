// The track-change popup: from an entry that ends by itself in the stand-in player to the
// popup on the screen, median and 99th percentile, beside the time this process takes to see
// the player's window title change, the same clock's floor; and the player's CPU time over a
// minute of playing with the watch off (0) and always on (2), the two players side by side.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "support.h"
#include "tools/player/player_ids.h"

using namespace testsupport;

namespace {

constexpr int kChanges = 60;
constexpr int kCpuSeconds = 60;

// The time stamp of the player's nth "track end" line, or 0 while there is none.
double TrackEnd(const Player& player, int n) {
  int seen = 0;
  for (const auto& l : player.TimedLog())
    if (l.Text.rfind("track end ", 0) == 0 && ++seen == n) return l.Ms;
  return 0;
}

std::wstring Caption(HWND w) {
  std::wstring text(GetWindowTextLengthW(w) + 1, L'\0');
  text.resize(GetWindowTextW(w, text.data(), static_cast<int>(text.size())));
  return text;
}

void Latency() {
  HostDir host;
  WriteFile(host.Ini(), "[Popup]\r\nShowTime=150\r\nShowOnTrackChange=2\r\n");
  Player player(host, "--track-ms 700");
  if (!player.Window()) return;
  PostMessageA(player.Window(), WM_COMMAND, player_ids::kPlay, 0);
  std::vector<double> popup, caption;
  std::vector<HWND> seen;
  std::wstring lastCaption = Caption(player.Window());
  double popupAt = 0, captionAt = 0;
  for (int n = 1; n <= kChanges;) {
    // Each change's popup and caption: the first moment this process sees each.
    const double now = NowMs();
    for (const ShownPopup& p : ShownPopups(player.Proc().Id()))
      if (std::find(seen.begin(), seen.end(), p.Window) == seen.end()) {
        seen.push_back(p.Window);
        popupAt = now;
      }
    if (const std::wstring c = Caption(player.Window()); c != lastCaption) {
      lastCaption = c;
      captionAt = now;
    }
    if (popupAt && captionAt) {
      if (!WaitFor([&] { return TrackEnd(player, n) > 0; }, 2000)) break;
      const double end = TrackEnd(player, n);
      popup.push_back(popupAt - end);
      caption.push_back(captionAt - end);
      popupAt = captionAt = 0;
      ++n;
    }
    Sleep(1);
  }
  const Stats p = Summarise(popup), c = Summarise(caption);
  std::printf("%-44s %8s %8s %8s\n", "from an entry's end to", "p50 ms", "p99 ms", "samples");
  std::printf("%-44s %8.1f %8.1f %8d\n", "the popup on the screen", p.Median, p.P99, p.Samples);
  std::printf("%-44s %8.1f %8.1f %8d\n", "  floor: the player's caption seen here", c.Median, c.P99,
              c.Samples);
}

// The player's own figure, from its log: Wine gives no other process's times.
double CpuMs(const Player& player) {
  const std::size_t before = player.Log().size();
  PostMessageA(player.Window(), WM_COMMAND, player_ids::kReportCpu, 0);
  double ms = -1;
  WaitFor([&] {
    const auto log = player.Log();
    for (std::size_t i = before; i < log.size(); ++i)
      if (log[i].rfind("cpu ms=", 0) == 0) ms = std::atof(log[i].c_str() + 7);
    return ms >= 0;
  });
  return ms;
}

void Cpu() {
  HostDir off, on;
  WriteFile(off.Ini(), "[Popup]\r\nShowOnTrackChange=0\r\n");
  WriteFile(on.Ini(), "[Popup]\r\nShowTime=300\r\nShowOnTrackChange=2\r\n");
  Player quiet(off, "--track-ms 3000"), watched(on, "--track-ms 3000");
  if (!quiet.Window() || !watched.Window()) return;
  for (const Player* p : {&quiet, &watched})
    PostMessageA(p->Window(), WM_COMMAND, player_ids::kPlay, 0);
  Sleep(500);
  const double quietStart = CpuMs(quiet), watchedStart = CpuMs(watched);
  Sleep(kCpuSeconds * 1000);
  std::printf("\n%-44s %8s\n", "the player's CPU time over a minute, playing", "ms");
  std::printf("%-44s %8.1f\n", "  ShowOnTrackChange=0 (floor)", CpuMs(quiet) - quietStart);
  std::printf("%-44s %8.1f\n", "  ShowOnTrackChange=2", CpuMs(watched) - watchedStart);
}

}  // namespace

int main() {
  Latency();
  Cpu();
  return 0;
}
