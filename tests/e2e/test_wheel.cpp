// The mouse wheel as a dial, end to end: wheel events from SendInput over a foreign program
// of the bench's own (wheellog, which logs every WM_MOUSEWHEEL it gets and every menu it
// enters), with and without the chord held, over a stand-in task bar of another process,
// and with the wheel turned on in the dialog.
#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <memory>
#include <string>

#include "config/uCustomIds.h"
#include "host_fixture.h"
#include "support.h"
#include "tools/player/player_ids.h"

using namespace testsupport;
using namespace velmora::dialog;

namespace {

// Popups stand away from the pointer: a window appearing under it makes X resend its
// keymap, and the held chord would read as up.
const std::string kPopupAway = "[Popup]\r\nShowPointX=700\r\nShowPointY=600\r\nShowTime=300\r\n";

class Wheel : public HostTest {
 protected:
  // A wheellog of its own process: the program in front under the pointer, or the task bar.
  struct Log {
    std::string Path;
    std::unique_ptr<Process> Run;
    HWND Window = nullptr;
  };
  Log StartLog(bool tray = false) {
    Log log;
    log.Path = host_.dir.Path() + (tray ? "tray.log" : "wheel.log");
    log.Run = std::make_unique<Process>("\"" + ExeDirectory() + "wheellog.exe\" --log \"" +
                                        log.Path + "\"" + (tray ? " --tray" : ""));
    WaitFor([&] {
      log.Window = FindProcessWindow(log.Run->Id(), tray ? "Shell_TrayWnd" : "VelmoraWheelLog");
      return log.Window != nullptr;
    });
    return log;
  }
  static int Count(const Log& log, const std::string& line) {
    int n = 0;
    for (const auto& l : ReadLines(log.Path)) n += l == line;
    return n;
  }
  static int Wheels(const Log& log) {
    int n = 0;
    for (const auto& l : ReadLines(log.Path)) n += l.rfind("wheel ", 0) == 0;
    return n;
  }
  // The program in front, the pointer in its middle, before any key is held: Wine resyncs
  // its key state from X after a focus change and when the pointer enters a window, which
  // would read the keys SendInput holds as up; that settles before the keys go down.
  void Front(const Log& log) {
    MouseTo(200, 150);
    ASSERT_TRUE(Focus(log.Window));
    Pump(300);
  }
  static void Turn(int delta, int events, int gapMs) {
    for (int i = 0; i < events; ++i) {
      INPUT in{};
      in.type = INPUT_MOUSE;
      in.mi.mouseData = static_cast<DWORD>(delta);
      in.mi.dwFlags = MOUSEEVENTF_WHEEL;
      SendInput(1, &in, sizeof in);
      Pump(gapMs);
    }
  }
  // The keys down as the system reads them (a press Wine dropped is given again, counted),
  // the turn, and once done() holds (or after a bound) the keys up in the order given: a
  // user lets go after the turn has had its effect.
  static void Holding(std::initializer_list<WORD> keys, const std::function<void()>& turn,
                      const std::function<bool()>& done) {
    auto down = [&] {
      for (WORD k : keys)
        if (!(GetAsyncKeyState(k) & 0x8000)) return false;
      return true;
    };
    Retry(
        "hold", 4, 500,
        [&] {
          for (WORD k : keys) Key(k, false);
        },
        down);
    turn();
    WaitFor(done, 5000);
    for (WORD k : keys) Key(k, true);
  }
  static void WithCtrlAlt(const std::function<void()>& turn, const std::function<bool()>& done) {
    Holding({VK_CONTROL, VK_MENU}, turn, done);  // Ctrl let go first: Alt is let go alone
  }
  int Threads() {
    const std::size_t before = player_->Log().size();
    PostMessageA(player_->Window(), WM_COMMAND, player_ids::kReportCpu, 0);
    int threads = -1;
    WaitFor([&] {
      const auto log = player_->Log();
      for (std::size_t i = before; i < log.size(); ++i)
        if (const auto at = log[i].find(" threads="); at != std::string::npos)
          threads = std::atoi(log[i].c_str() + at + 9);
      return threads >= 0;
    });
    return threads;
  }
};

}  // namespace

// With Ctrl+Alt held, five notches are five Volume Ups and the program under the cursor sees
// none of them; eight eighths of a notch are one; the plain wheel is the program's and runs
// nothing; letting the chord go opens no menu. The chord 999 and the action 7 read as the
// defaults.
TEST_F(Wheel, AChordTurnRunsItsCommandsAndTheProgramUnderTheCursorNeverSeesIt) {
  Start("[Wheel]\r\nUse=1\r\nModifiers=999\r\nAction=7\r\n" + kPopupAway);
  const Log log = StartLog();
  Front(log);
  Turn(120, 2, 100);
  ASSERT_TRUE(WaitFor([&] { return Wheels(log) == 2; }));
  WithCtrlAlt([] { Turn(120, 5, 100); }, [&] { return player_->Count("command 40058") >= 5; });
  WithCtrlAlt([] { Turn(-15, 8, 20); }, [&] { return player_->Count("command 40059") >= 1; });
  Turn(-120, 1, 100);
  ASSERT_TRUE(WaitFor([&] { return Wheels(log) == 3; }));
  Pump(300);
  EXPECT_EQ(player_->Count("command 40058"), 5);
  EXPECT_EQ(player_->Count("command 40059"), 1);
  EXPECT_EQ(Wheels(log), 3);
  EXPECT_EQ(Count(log, "menu"), 0) << "a released Alt opened the program's menu";
}

// Alt alone as the chord: its release after a turn is no lone tap, so the program in front
// opens no menu. One notch: under Wine the key the plugin types to mask the tap makes keys
// that SendInput holds (which X never saw) read as up for a moment.
TEST_F(Wheel, AltLetGoAfterATurnOpensNoMenu) {
  Start("[Wheel]\r\nUse=1\r\nModifiers=4\r\n" + kPopupAway);
  const Log log = StartLog();
  Front(log);
  Holding(
      {VK_MENU}, [] { Turn(120, 1, 100); }, [&] { return player_->Count("command 40058") >= 1; });
  Pump(300);
  EXPECT_EQ(player_->Count("command 40058"), 1);
  EXPECT_EQ(Wheels(log), 0);
  EXPECT_EQ(Count(log, "menu"), 0) << "a released Alt opened the program's menu";
}

// Off, no hook is set and its thread does not exist: the chord's wheel is the program's.
// Turned on in the dialog, the hook is there when it closes.
TEST_F(Wheel, OffThereIsNoHookUntilTheDialogTurnsItOn) {
  Start("[Use]\r\nKey=1\r\n" + kPopupAway);
  const int off = Threads();
  const Log log = StartLog();
  Front(log);
  WithCtrlAlt([] { Turn(120, 2, 100); }, [&] { return Wheels(log) == 2; });
  EXPECT_EQ(Wheels(log), 2);
  EXPECT_EQ(player_->Count("command 40058"), 0);

  ASSERT_TRUE(Focus(player_->Window()));
  PostMessageA(player_->Window(), WM_COMMAND, player_ids::kConfigPlugin, 0);
  const ConfigDialog d = ConfigDialog::Find(player_->Proc().Id());
  ASSERT_NE(d.Window, nullptr);
  ASSERT_TRUE(d.ShowPage(4));
  HWND use = d.ById(IdWheelUse);
  ASSERT_NE(use, nullptr);
  // The box, not the pointer, is what this case is about: clicked by message.
  PostMessageA(use, BM_CLICK, 0, 0);
  ASSERT_TRUE(WaitFor([&] { return SendMessageA(use, BM_GETCHECK, 0, 0) == BST_CHECKED; }));
  PostMessageA(d.Window, WM_SYSCOMMAND, SC_CLOSE, 0);
  ASSERT_TRUE(WaitLog("plugin config gen_velmora.dll done"));
  EXPECT_EQ(IniInt("Wheel", "Use"), 1);
  EXPECT_EQ(Threads(), off + 1);
  Front(log);
  WithCtrlAlt([] { Turn(120, 1, 100); }, [&] { return player_->Count("command 40058") >= 1; });
  Pump(200);
  EXPECT_EQ(player_->Count("command 40058"), 1);
  EXPECT_EQ(Wheels(log), 2);
}

// The track action over a stand-in task bar of another process, without keys: up is Next,
// down is Prev, and the bar gets neither; over the program in front the plain wheel is its
// own.
TEST_F(Wheel, OverTheTaskBarThePlainWheelChangesTheTrack) {
  Start("[Wheel]\r\nUse=1\r\nAction=2\r\nOverTaskbar=1\r\n" + kPopupAway);
  const Log log = StartLog();
  const Log tray = StartLog(true);
  ASSERT_NE(tray.Window, nullptr);
  Front(log);
  RECT bar;
  GetWindowRect(tray.Window, &bar);
  MouseTo((bar.left + bar.right) / 2, (bar.top + bar.bottom) / 2);
  Pump(100);
  Turn(120, 1, 100);
  EXPECT_TRUE(WaitLog("command 40048", 1));
  Turn(-120, 1, 100);
  EXPECT_TRUE(WaitLog("command 40044", 1));
  MouseTo(200, 150);
  Turn(120, 1, 100);
  ASSERT_TRUE(WaitFor([&] { return Wheels(log) == 1; }));
  Pump(200);
  EXPECT_EQ(Wheels(tray), 0);
  EXPECT_EQ(player_->Count("command 40048"), 1);
}

// A program the hot keys leave alone keeps the wheel, chord or not, and nothing runs.
TEST_F(Wheel, AProgramLeftAloneKeepsTheWheel) {
  Start("[Wheel]\r\nUse=1\r\n[System]\r\nExcludedPrograms=wheellog.exe\r\n" + kPopupAway);
  const Log log = StartLog();
  Front(log);
  WithCtrlAlt([] { Turn(120, 3, 100); }, [&] { return Wheels(log) == 3; });
  EXPECT_EQ(Wheels(log), 3);
  Pump(200);
  EXPECT_EQ(player_->Count("command 40058"), 0);
}

// A busy player: ten notches with Ctrl+Alt held while it stalls for 2 s. The notches it
// cannot take pass to the program under the pointer, none runs when it wakes, and letting
// Alt go last opens no menu.
TEST_F(Wheel, ABusyPlayerLetsTheNotchesPassAndRunsNothingWhenItWakes) {
  Start("[Wheel]\r\nUse=1\r\n" + kPopupAway);
  const Log log = StartLog();
  Front(log);
  PostMessageA(player_->Window(), WM_COMMAND, player_ids::kStall, 2000);
  ASSERT_TRUE(WaitLog("stall 2000 ms"));
  WithCtrlAlt([] { Turn(120, 10, 100); }, [] { return true; });
  ASSERT_TRUE(WaitLog("stall end"));
  Pump(1000);
  EXPECT_EQ(player_->Count("command 40058"), 0) << "steps ran when the player woke";
  EXPECT_GE(Wheels(log), 6);
  EXPECT_EQ(Count(log, "menu"), 0) << "a released Alt opened the program's menu";
}

namespace {
// A press or release of the middle (3) or a side button (4, 5), from SendInput.
void Button(int button, bool down) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  if (button == 3) {
    in.mi.dwFlags = down ? MOUSEEVENTF_MIDDLEDOWN : MOUSEEVENTF_MIDDLEUP;
  } else {
    in.mi.dwFlags = down ? MOUSEEVENTF_XDOWN : MOUSEEVENTF_XUP;
    in.mi.mouseData = button == 4 ? XBUTTON1 : XBUTTON2;
  }
  SendInput(1, &in, sizeof in);
}
void Click(int button) {
  Button(button, true);
  Pump(50);
  Button(button, false);
}
}  // namespace

// The mouse's buttons as keys: a side button bound to Next runs it, and the program under
// the pointer sees neither its press nor its release; the other side button, bound to
// nothing, is the program's.
TEST_F(Wheel, ABoundSideButtonRunsItsCommandAndTheProgramSeesNothingOfIt) {
  Start("[HotKeys]\r\n4=5\r\n" + kPopupAway);  // Next: Mouse 4 alone
  const Log log = StartLog();
  Front(log);
  Click(4);
  ASSERT_TRUE(WaitLog("command 40048"));
  Click(5);
  ASSERT_TRUE(WaitFor([&] { return Count(log, "up 5") == 1; }));
  EXPECT_EQ(Count(log, "down 5"), 1);
  EXPECT_EQ(Count(log, "down 4") + Count(log, "up 4"), 0);
  EXPECT_EQ(player_->Count("command 40048"), 1);
}

// A program the hot keys leave alone keeps its buttons, bound or not, and nothing runs.
TEST_F(Wheel, AProgramLeftAloneKeepsItsButtons) {
  Start("[HotKeys]\r\n4=5\r\n[System]\r\nExcludedPrograms=wheellog.exe\r\n" + kPopupAway);
  const Log log = StartLog();
  Front(log);
  Click(4);
  ASSERT_TRUE(WaitFor([&] { return Count(log, "up 4") == 1; }));
  EXPECT_EQ(Count(log, "down 4"), 1);
  Pump(200);
  EXPECT_EQ(player_->Count("command 40048"), 0);
}

// Ctrl with the middle button bound to Volume Up, held: it repeats as a held key does and
// stops at the release; the program sees neither.
TEST_F(Wheel, AHeldVolumeButtonRepeatsUntilItsRelease) {
  Start("[HotKeys]\r\n6=16388\r\n" + kPopupAway);  // Ctrl + middle button
  const Log log = StartLog();
  Front(log);
  int atRelease = 0;
  Holding(
      {VK_CONTROL},
      [&] {
        Button(3, true);
        WaitFor([&] { return player_->Count("command 40058") >= 4; }, 5000);
        Button(3, false);
        atRelease = player_->Count("command 40058");
      },
      [] { return true; });
  Pump(800);
  EXPECT_GE(atRelease, 4);
  EXPECT_LE(player_->Count("command 40058") - atRelease, 1) << "it went on after the release";
  EXPECT_EQ(Count(log, "down 3") + Count(log, "up 3"), 0);
}
