// The fixture of the end-to-end programs: one host with its settings file, the stand-in
// player over it, Wine's notepad when a case asks for it. How the cases wait for Wine and
// give input Wine lost again is written here once.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "support.h"

namespace testsupport {

class HostTest : public ::testing::Test {
 protected:
  HostTest() = default;
  explicit HostTest(const std::string& hostFolder) : host_(hostFolder) {}

  // Writes the settings file and starts the player over it; its init must have ended.
  void Start(const std::string& ini, const std::string& playerArgs = "");
  // Starts the player again over the files as they are now; the last one has ended.
  void StartAgain(const std::string& playerArgs = "");
  // A further host in a folder of its own, with its player, closed at the end like the
  // first unless the case ended it (Forget).
  Player& StartOther(const std::string& ini, const std::string& playerArgs = "");
  void Forget(Player& other);
  void FocusNotepad();
  bool WaitLog(const std::string& line, int count = 1, int timeoutMs = 10000) const;
  bool WaitLog(const Player& player, const std::string& line, int count = 1,
               int timeoutMs = 10000) const;
  // Gives the keys until the player logged line count times. The player's thread has
  // served messages first; a press the engine's Busy rule dropped (it leaves nothing
  // behind) is given again, and counted.
  bool Press(const std::function<void()>& keys, const std::string& line, int count);
  bool Press(Player& player, const std::function<void()>& keys, const std::string& line, int count);
  bool Press(WORD vk, const std::string& line);  // once more than so far
  // The commands the player received, in order.
  std::vector<std::string> Commands() const;
  int IniInt(const char* section, const char* key) const;
  std::string IniString(const char* section, const char* key) const;
  // The player closes with exit code 0; its log is printed when the case failed.
  void TearDown() override;

  HostDir host_;
  std::unique_ptr<Player> player_;
  std::unique_ptr<Notepad> notepad_;

 private:
  struct TOther {
    std::unique_ptr<HostDir> Host;
    std::unique_ptr<Player> Run;
  };
  std::vector<TOther> others_;
};

}  // namespace testsupport
