// The plugin's capture as the engine's window uses it: the global hooks (keys, jog
// messages, the File-info dialog's creation) or, for the keys, raw input; the word of a raw
// keystroke; and the probes of who holds a chord.
#pragma once

#include <windows.h>

#include <optional>

#include "hook/uHook.h"
#include "hook/uRawKeys.h"
#include "hook/uShortCutWord.h"

namespace velmora {

class TCapture {
 public:
  // Keys from raw input instead of the keyboard hook: decided here, once (the switch is
  // effective in restart), and only where the host has no keyboard raw input of its own
  // (a process has one registration per device class).
  TCapture(HWND target, bool rawInput);
  ~TCapture();  // removes what it installed
  TCapture(const TCapture&) = delete;
  TCapture& operator=(const TCapture&) = delete;

  // The hooks for what is on; the installation of the first call stays in place, so a
  // later call changes them only when that one failed. Raw input is registered only by
  // the host whose window the hook block names: a second host runs without.
  void Install(bool keys, bool jog, bool sendMode);
  // The File-info dialog's creation comes back as WM_HOOK_CREATEWND while this is on.
  void WatchWindowCreation(bool on);
  // The word of a WM_INPUT keystroke that may be a hot key, or none.
  std::optional<TShortCut> RawKey(HRAWINPUT input) noexcept;
  // Another program (or another window of the player) holds the word's chord as a system
  // hot key, so that it never reaches a hook.
  bool HeldElsewhere(TShortCut word) const;
  // The word's key and exactly its modifiers are held down now.
  static bool ChordHeld(TShortCut word) noexcept;

 private:
  const HWND target_;
  const bool rawInput_;
  bool rawRegistered_ = false;  // this capture's registration, removed at its end
  TRawKeyboard rawKeys_;
};

// Registered for an instant for the window: ERROR_HOTKEY_ALREADY_REGISTERED is the answer
// that another program (or another window of this one) holds the chord.
bool HotKeyHeldElsewhere(HWND window, TShortCut word);

}  // namespace velmora
