// The load benchmark: 10,000 keystrokes into notepad with hot keys among them, then 1,000
// popups, against the same keystrokes typed with the player running without the plugin.
// Prints what the player's process held before and after, and the phases' rates.
//   storm_bench.exe [KEYS [POPUPS]]
#include <cstdio>
#include <cstdlib>

#include "storm.h"

using namespace testsupport;

int main(int argc, char** argv) {
  const int keys = argc > 1 ? std::atoi(argv[1]) : 10000;
  const int popups = argc > 2 ? std::atoi(argv[2]) : 1000;
  const StormResult bare = RunStorm(keys, 0, 40, false);
  const StormResult s = RunStorm(keys, popups, 40, true);
  // Raw input, the Jog Dial off: no module of the plugin in notepad.
  const StormResult raw = RunStorm(keys, 0, 40, true, true);
  auto rate = [](const StormResult& r) { return r.KeyMs > 0 ? r.KeysTyped * 1000.0 / r.KeyMs : 0; };
  std::printf("storm: %d keys in bursts of 40 (a hot key in each), then %d popups (ShowTime 30)\n",
              keys, popups);
  std::printf("%-34s %14s %14s %14s\n", "", "without plugin", "keyboard hook", "raw input");
  std::printf("%-34s %14d %14d %14d\n", "keys typed", bare.KeysTyped, s.KeysTyped, raw.KeysTyped);
  std::printf("%-34s %14d %14d %14d\n", "keys notepad received", bare.KeysReceived, s.KeysReceived,
              raw.KeysReceived);
  std::printf("%-34s %14.0f %14.0f %14.0f\n", "typing, keys/s", rate(bare), rate(s), rate(raw));
  std::printf("%-34s %14s %14.2f %14.2f\n", "  against without the plugin", "",
              rate(bare) > 0 ? rate(s) / rate(bare) : 0,
              rate(bare) > 0 ? rate(raw) / rate(bare) : 0);
  std::printf("%-34s %14s %14d %14d\n", "hot keys run (Volume Up)", "", s.Commands, raw.Commands);
  std::printf("\n%-34s %14s %14s %14s\n", "the player's process", "before", "half-way", "after");
  std::printf("%-34s %14d %14d %14d\n", "windows", s.Before.Windows, s.Middle.Windows,
              s.After.Windows);
  std::printf("%-34s %14ld %14ld %14ld\n", "GetGuiResources GDI", s.Before.Gdi, s.Middle.Gdi,
              s.After.Gdi);
  std::printf("%-34s %14ld %14ld %14ld\n", "GetGuiResources USER", s.Before.User, s.Middle.User,
              s.After.User);
  std::printf("%-34s %14ld %14ld %14ld\n", "GDI handles still free", s.Before.GdiFree,
              s.Middle.GdiFree, s.After.GdiFree);
  std::printf("%-34s %14ld %14ld %14ld\n", "private bytes", s.Before.PrivateBytes,
              s.Middle.PrivateBytes, s.After.PrivateBytes);
  std::printf("\npopups shown %d, left on the screen %d, %.1f popups/s; hot key afterwards %s\n",
              s.Popups, s.PopupsLeft, s.Popups * 1000.0 / s.PopupMs,
              s.HotKeyAfterwards ? "worked" : "FAILED");
  std::printf("Volume Up commands %d (%d hot keys in bursts, %d one at a time, 2 more)\n",
              s.Commands, s.HotKeysInBursts, s.Popups);
  if (!bare.Ok) std::printf("baseline: %s\n", bare.Failure.c_str());
  if (!s.Ok) std::printf("storm: %s\n", s.Failure.c_str());
  if (!raw.Ok) std::printf("raw input: %s\n", raw.Failure.c_str());
  return bare.Ok && s.Ok && raw.Ok ? 0 : 1;
}
