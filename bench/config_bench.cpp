// The configuration dialog: time from the player's "Configure plugin" command to the
// dialog on the screen, ready for input, beside the player's own File-info dialog opened
// the same way in the same run (the floor: a dialog from a template, no plugin); and the
// logo's fade, 101 frames, as frames per second.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "tools/player/player_ids.h"
#include "support.h"

using namespace testsupport;

namespace {

constexpr int kOpenings = 10;

double Median(std::vector<double> v) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

}  // namespace

int main() {
  HostDir host;
  WriteFile(host.Ini(), "[Use]\r\nKey=0\r\n");
  Player player(host);
  if (!player.Window()) return 1;
  const DWORD pid = player.Proc().Id();
  std::vector<double> config, fileInfo, fade;
  for (int i = 0; i < kOpenings; ++i) {
    Focus(player.Window());
    double start = NowMs();
    PostMessageA(player.Window(), WM_COMMAND, player_ids::kConfigPlugin, 0);
    const ConfigDialog d = ConfigDialog::Find(pid);
    if (!d.Window) return 1;
    config.push_back(NowMs() - start);
    // The fade ends when the logo's first pixel stops changing for good: the timer stops.
    POINT o{2 + 100, 340 + 13};
    ClientToScreen(d.Window, &o);
    COLORREF last = ScreenPixel(o.x, o.y);
    double changed = NowMs();
    WaitFor(
        [&] {
          const COLORREF now = ScreenPixel(o.x, o.y);
          if (now != last) {
            last = now;
            changed = NowMs();
          }
          return NowMs() - changed > 500;
        },
        10000);
    fade.push_back(changed - start - config.back());
    PostMessageA(d.Window, WM_SYSCOMMAND, SC_CLOSE, 0);
    WaitFor([&] { return player.Count("plugin config gen_velmora.dll done") > i; }, 15000);

    start = NowMs();
    PostMessageA(player.Window(), WM_COMMAND, 40188, 0);  // File info
    HWND dialog = nullptr;
    WaitFor([&] { return (dialog = FindOwnedWindow(player.Window(), "#32770")) != nullptr; },
            10000);
    fileInfo.push_back(NowMs() - start);
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    WaitFor([&] { return !IsWindow(dialog); }, 10000);
  }
  player.Close();
  const double fadeMs = Median(fade);
  std::printf("opening a dialog from the player's command, %d times each, median ms\n", kOpenings);
  std::printf("  %-44s %8.1f\n", "player's File-info dialog (baseline)", Median(fileInfo));
  std::printf("  %-44s %8.1f\n", "configuration dialog, ready for input", Median(config));
  std::printf("logo fade: 101 frames at a 10 ms interval (floor 1010 ms, 100 frames/s)\n");
  std::printf("  %-44s %8.1f ms, %.1f frames/s\n", "measured, last change seen", fadeMs,
              fadeMs > 0 ? 101000.0 / fadeMs : 0.0);
  return 0;
}
