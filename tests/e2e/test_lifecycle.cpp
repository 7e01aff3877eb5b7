// The stand-in player loads the DLL from its Plugins folder and drives its entries: in
// order, again in the same process, beside a second host, and with a file it cannot save.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "tools/player/player_ids.h"
#include "host_fixture.h"
#include "support.h"
#include "ui/uTexts.h"

using namespace testsupport;

namespace {

ptrdiff_t IndexOf(const std::vector<std::string>& lines, const std::string& line) {
  auto it = std::find(lines.begin(), lines.end(), line);
  return it == lines.end() ? -1 : it - lines.begin();
}

class Lifecycle : public HostTest {};

}  // namespace

TEST_F(Lifecycle, InitConfigQuitRunOnTheMainThreadInOrder) {
  Start("");
  ASSERT_TRUE(ConfigureAndClose(*player_));  // config of plugin 0, its dialog closed
  ASSERT_EQ(player_->Close(), 0u);

  const auto log = player_->Log();
  const auto load = IndexOf(log,
                            "plugin load gen_velmora.dll version=16 "
                            "description=\"DRAV v1.07   [gen_velmora.dll]\"");
  const auto init = IndexOf(log, "plugin init gen_velmora.dll thread=main");
  const auto initDone = IndexOf(log, "plugin init gen_velmora.dll result=0");
  const auto config = IndexOf(log, "plugin config gen_velmora.dll thread=main");
  const auto quit = IndexOf(log, "plugin quit gen_velmora.dll thread=main");
  const auto quitDone = IndexOf(log, "plugin quit gen_velmora.dll done");
  const auto unload = IndexOf(log, "plugin unload gen_velmora.dll");
  const auto exit = IndexOf(log, "player exit 0");
  ASSERT_GE(load, 0);
  EXPECT_LT(load, init);
  EXPECT_LT(init, initDone);
  EXPECT_LT(initDone, config);
  EXPECT_LT(config, quit);
  EXPECT_LT(quit, quitDone);
  EXPECT_LT(quitDone, unload);
  EXPECT_LT(unload, exit);
}

namespace {

using player_ids::kModalRelease, player_ids::kReloadPlugins;
constexpr WORD kPlayKey = VK_F8;
const char kKeys[] = "[Use]\r\nKey=1\r\nJogDial=1\r\n[HotKeys]\r\n1=119\r\n";

// One host and notepad in the foreground; the player's log is printed when a case fails.
class Reload : public HostTest {
 protected:
  void Start(const std::string& ini, const std::string& args = "") {
    HostTest::Start(ini, args);
    FocusNotepad();
  }
  // The host quits, unloads and loads the plugin again, and its init succeeded.
  bool ReloadPlugins() {
    const int inits = player_->Count("plugin init gen_velmora.dll result=0");
    PostMessageA(player_->Window(), WM_COMMAND, kReloadPlugins, 0);
    return WaitLog("plugin init gen_velmora.dll result=0", inits + 1);
  }
  bool Press(WORD key, const std::string& line, int count) {
    return HostTest::Press([key] { Tap(key); }, line, count);
  }
  void Jog(const std::string& script) {
    Process p(JogdialCommand(script));
    ASSERT_TRUE(p.Started());
    ASSERT_EQ(p.Wait(30000), 0u);
  }
};

}  // namespace

// The popups' window class and procedure go with the module: none may outlive it.
TEST_F(Reload, PopupsOnTheScreenGoWithTheQuitAndTheNextRunShowsItsOwn) {
  Start(std::string(kKeys) + "[Popup]\r\nUsePopup=1\r\nShowTime=20000\r\n");
  const DWORD pid = player_->Proc().Id();
  for (int shown = 1; shown <= 3; ++shown) {
    ASSERT_TRUE(Press(kPlayKey, "command 40045", shown));
    ASSERT_TRUE(WaitFor([&] { return ShownPopups(pid).size() == static_cast<size_t>(shown); }));
  }
  // A reload that the last hot key's own message processing dispatches is nested: that run
  // goes on, its popups with it. One from the player's own loop must take them all.
  Retry(
      "reload", 3, 0, [&] { ASSERT_TRUE(ReloadPlugins()); },
      [&] { return ShownPopups(pid).empty(); });
  EXPECT_TRUE(ShownPopups(pid).empty());
  Pump(300);  // the player's loop runs on with the new module: nothing of the old one left
  ASSERT_TRUE(Press(kPlayKey, "command 40045", 4)) << "no hot key after init again";
  EXPECT_TRUE(WaitFor([&] { return ShownPopups(pid).size() == 1; }));
}

TEST_F(Reload, AGesturesCountdownEndsWithTheQuit) {
  // "U" is Next, read 1.5 s after the step.
  Start(std::string(kKeys) +
        "[Popup]\r\nUsePopup=0\r\n[JogDials]\r\n4=1\r\n"
        "[Interval]\r\nIgnoreInterval=100\r\nCommandInterval=1500\r\n");
  const DWORD sent = GetTickCount();
  Jog("up");
  ASSERT_TRUE(ReloadPlugins());
  ASSERT_LT(GetTickCount() - sent, 1200u) << "the reload came after the countdown";
  Pump(2500);
  EXPECT_EQ(player_->Count("command 40048"), 0);
  Jog("up");
  EXPECT_TRUE(WaitLog("command 40048")) << "no gesture after init again";
}

// The host reloads its plugins from a message that comes inside the plugin's own handling
// of a hot key (here the player's modal loop for Play): the old run's objects are still in
// use below, and the new run must not free them or have them freed under it.
TEST_F(Reload, InitAgainBeforeTheQuitHasUnwoundKeepsThePluginWorking) {
  Start(std::string(kKeys) + "[Popup]\r\nUsePopup=0\r\n", "--modal-command 40045");
  ASSERT_TRUE(Press(kPlayKey, "modal enter", 1));
  ASSERT_TRUE(ReloadPlugins());
  PostMessageA(player_->Window(), WM_COMMAND, kModalRelease, 0);
  ASSERT_TRUE(WaitLog("modal leave"));
  ASSERT_TRUE(Press(kPlayKey, "modal enter", 2)) << "no hot key after the nested reload";
  PostMessageA(player_->Window(), WM_COMMAND, kModalRelease, 0);
  ASSERT_TRUE(WaitLog("modal leave", 2));
}

// The first host holds the hook block: a second one runs without hooks, leaves the first
// one's alone when it quits, and the block is free again once the first has quit.
TEST_F(Lifecycle, ASecondHostRunsWithoutHooksAndTheFirstKeepsThem) {
  const std::string ini = std::string(kKeys) + "[Popup]\r\nUsePopup=0\r\n";
  Start(ini);
  Player& second = StartOther(ini);
  ASSERT_NE(second.Window(), nullptr);  // init succeeded
  FocusNotepad();
  Tap(kPlayKey);
  ASSERT_TRUE(WaitFor([&] { return player_->Count("command 40045") == 1; }));
  Pump(500);
  EXPECT_EQ(second.Count("command 40045"), 0);
  EXPECT_EQ(second.Close(), 0u);
  Forget(second);
  FocusNotepad();
  EXPECT_TRUE(Press(kPlayKey, "command 40045")) << "the second host's quit took the first's hooks";
  EXPECT_EQ(player_->Count("command 40045"), 2);
  EXPECT_EQ(player_->Close(), 0u);

  Player& third = StartOther(ini);
  ASSERT_NE(third.Window(), nullptr);
  FocusNotepad();
  Tap(kPlayKey);
  EXPECT_TRUE(WaitFor([&] { return third.Count("command 40045") == 1; }))
      << "the block outlived its host";
}

// Quit saves; when the file cannot be written the user sees the plugin's own report, and
// the host's quit returns as usual.
TEST_F(Lifecycle, AFileThatCannotBeWrittenAtQuitIsReportedAndTheHostExitsCleanly) {
  Start("[HotKeys]\r\n1=119\r\n");
  Player& player = *player_;
  const HostDir& host = host_;
  // The bench runs as root, which writes read-only files regardless: the file is held
  // open without sharing instead.
  HANDLE lock = CreateFileA(host.Ini().c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  PostMessageA(player.Window(), WM_CLOSE, 0, 0);
  HWND box = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (box = FindProcessWindow(player.Proc().Id(), "#32770")); }));
  wchar_t caption[64] = {}, text[512] = {};
  SendMessageW(box, WM_GETTEXT, 64, reinterpret_cast<LPARAM>(caption));
  SendMessageW(GetDlgItem(box, 0xFFFF), WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text));
  std::wstring expected(velmora::texts::WriteError.Unicode);
  const std::string path = host.Ini();
  expected.replace(0, 2, std::wstring(path.begin(), path.end()));
  EXPECT_EQ(Utf8(caption), "gen_velmora");
  EXPECT_EQ(Utf8(text), Utf8(expected.c_str()));
  CloseHandle(lock);
  EXPECT_FALSE(player.LogHas("player exit 0")) << "quit returned before its report was read";
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(player.Proc().Wait(), 0u);
  EXPECT_TRUE(player.LogHas("plugin quit gen_velmora.dll done"));
  EXPECT_EQ(ReadFile(host.Ini()), "[HotKeys]\r\n1=119\r\n");
}

// Under Program Files a user can read the file beside the player but not write it: the
// folder the player keeps its own settings in takes the file, and comes first from then on.
TEST_F(Lifecycle, AFileThatCannotBeWrittenBesideThePlayerMovesToThePlayersSettingsFolder) {
  const std::string userIni = host_.dir.Path() + "UserData\\Plugins\\gen_velmora.Ini";
  auto playOnF6 = [this] {
    Focus(player_->Window());
    return Press(VK_F6, "command 40045");
  };
  Start("[Use]\r\nKey=1\r\n[Popup]\r\nUsePopup=0\r\n[HotKeys]\r\n1=117\r\n");
  EXPECT_EQ(player_->Close(), 0u);  // writable: the file stays where it is
  EXPECT_EQ(GetFileAttributesA(userIni.c_str()), INVALID_FILE_ATTRIBUTES);
  const std::string beside = ReadFile(host_.Ini());  // as the quit saved it
  // Readable, not writable (the bench runs as root: held open without write sharing).
  HANDLE hold = CreateFileA(host_.Ini().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(hold, INVALID_HANDLE_VALUE);
  StartAgain();
  EXPECT_TRUE(player_->LogHas(
      "request wparam=0 lparam=" + std::to_string(player_ids::kRequestIniDirectory) +
      " result=" + host_.dir.Path() + "UserData"));
  EXPECT_TRUE(playOnF6()) << "the hot keys of the file beside the player";
  EXPECT_EQ(player_->Close(), 0u);  // no error report: nothing keeps it from exiting
  EXPECT_EQ(FindProcessWindow(player_->Proc().Id(), "#32770"), nullptr);
  CloseHandle(hold);
  EXPECT_EQ(ReadFile(host_.Ini()), beside);
  EXPECT_EQ(GetPrivateProfileIntA("HotKeys", "1", 0, userIni.c_str()), 117u);
  EXPECT_EQ(GetPrivateProfileIntA("Use", "Key", 0, userIni.c_str()), 1u);
  // The next start reads the moved file, not the one beside the player (F6 is Stop there).
  Start("[Use]\r\nKey=1\r\n[HotKeys]\r\n3=117\r\n");
  EXPECT_TRUE(playOnF6());
  EXPECT_EQ(player_->Count("command 40047"), 0);
}
