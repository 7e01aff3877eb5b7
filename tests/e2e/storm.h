// A storm of input on the plugin: keystrokes typed into a foreign program with hot keys
// among them, then one popup after another with a short show time. Shared by the load
// test (small counts) and the load benchmark (full counts).
#pragma once

#include <string>

#include "support.h"

namespace testsupport {

// What the player's process holds, as it reports it.
struct Resources {
  int Windows = -1;
  long Gdi = -1, User = -1;  // GetGuiResources (0 under Wine, where it is a stub)
  long GdiFree = -1;         // brushes the GDI handle table still takes
  long PrivateBytes = -1;
};
Resources ReportResources(Player& player);

struct StormResult {
  bool Ok = false;
  std::string Failure;              // the first step that did not complete, when not Ok
  Resources Before, Middle, After;  // Middle: after half the popups
  int KeysTyped = 0;                // letters sent to notepad
  int KeysReceived = 0;             // characters notepad holds afterwards
  int HotKeysInBursts = 0;          // hot keys sent inside the bursts
  int Commands = 0;                 // Volume Up commands the player got, in all
  int Popups = 0;                   // popups shown one after another (one per command)
  int PopupsLeft = 0;               // popups still on the screen at the end
  bool HotKeyAfterwards = false;    // Busy not stuck: one more hot key worked
  double KeyMs = 0, PopupMs = 0;    // the two phases' durations
};

// The storm's settings: Volume Up on its hot key, popups of 30 ms; with rawInput the plugin
// catches the keys through raw input, and nothing of it runs in notepad.
std::string StormSettings(bool rawInput = false);
// Runs the storm on a player started over those settings, typing into notepad: keys
// letters in bursts of burst keystrokes (each burst one SendInput, a hot key in its
// middle), then popups hot keys one at a time, each waited for. The player is closed at
// the end, and its clean exit is part of the result. plugin false: the player runs
// without the DLL (the baseline of typing).
StormResult RunStorm(Player& player, Notepad& notepad, int keys, int popups, int burst,
                     bool plugin = true);
// The same on a fresh host of its own, as the benchmark runs it.
StormResult RunStorm(int keys, int popups, int burst, bool plugin = true, bool rawInput = false);

}  // namespace testsupport
