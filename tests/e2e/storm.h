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

// Runs the storm on a fresh host: keys letters in bursts of burst keystrokes (each burst
// one SendInput, a hot key in its middle), then popups hot keys one at a time, each waited
// for. With plugin false the player runs without the DLL (the baseline of typing); with
// rawInput the plugin catches the keys through raw input, and nothing of it runs in notepad.
StormResult RunStorm(int keys, int popups, int burst, bool plugin = true, bool rawInput = false);

}  // namespace testsupport
