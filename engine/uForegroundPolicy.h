// Whether the program in front asks the plugin to keep out of its way: a program the hot
// keys leave alone, or one that fills its monitor, over which no popup shows.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace velmora {

class TIniManager;

// Whether the window in front belongs to one of a list of programs, its process looked up
// only when another window has come to the front.
class TFrontProgram {
 public:
  bool Knows(HWND front) const noexcept { return known_ && front == front_; }
  bool Listed() const noexcept { return listed_; }
  // Looks the window up unless it is the one last seen in front.
  bool LeftAlone(HWND front, const std::vector<std::wstring>& programs) noexcept;
  void Forget() noexcept { known_ = false; }

 private:
  HWND front_ = nullptr;
  bool known_ = false;
  bool listed_ = false;
};

class TForegroundPolicy {
 public:
  // The settings are the creator's and read live: the dialog changes them.
  explicit TForegroundPolicy(const TIniManager& settings) noexcept : settings_(settings) {}

  // A program of ExcludedPrograms owns the window in front. Its process is looked up only
  // when another window has come to the front.
  bool ProgramLeftAlone();
  // ExcludedPrograms parsed, as the setting is now.
  const std::vector<std::wstring>& ExcludedPrograms();
  // HideOverFullScreen is on and the program in front fills its monitor.
  bool PopupHidden() const;

 private:
  const TIniManager& settings_;
  // The list parsed from the setting as it was last read, and the answer for the window
  // last seen in front.
  std::string excludedSetting_;
  std::vector<std::wstring> excluded_;
  TFrontProgram front_;
};

// The window belongs to another process whose executable is one of the programs (their
// names as ParseProgramList gives them). Looks the process up: not for a hook procedure.
bool ListedProgramOwns(HWND window, const std::vector<std::wstring>& programs) noexcept;

// The window in front is another process's and covers its whole monitor (the shell's
// desktop does not count), or the system reports a full-screen Direct3D program or
// presentation mode. Not the system's "busy" state, which overlays of graphics drivers
// keep set.
bool ForegroundIsFullScreen();

}  // namespace velmora
