// The monitor in front, on the bench of two monitors side by side (VELMORA_MONITORS=2): the
// primary 1024 x 768 at (0, 0) and a second one 800 x 600 at (1024, 0), neither with a task
// bar. Skipped on a bench of one monitor, where the path cannot be told from the primary's.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "host_fixture.h"
#include "support.h"

using namespace testsupport;

namespace {

constexpr RECT kPrimary{0, 0, 1024, 768}, kSecond{1024, 0, 1824, 600};
constexpr WORD kF6 = VK_F6, kF11 = VK_F11;

BOOL CALLBACK CountMonitor(HMONITOR, HDC, LPRECT, LPARAM count) {
  ++*reinterpret_cast<int*>(count);
  return TRUE;
}

POINT Centre(const RECT& r) {
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

class Monitors : public HostTest {
 protected:
  void SetUp() override {
    int count = 0;
    EnumDisplayMonitors(nullptr, nullptr, CountMonitor, reinterpret_cast<LPARAM>(&count));
    const char* bench = std::getenv("VELMORA_MONITORS");
    if (bench && std::string(bench) == "2") {
      ASSERT_EQ(count, 2) << "the bench has two monitors";
    }
    if (count < 2) GTEST_SKIP() << "one monitor: VELMORA_MONITORS=2 runs these";
    // Where no window of the case appears: one under the pointer would make X resend its
    // keymap, and the keys SendInput holds would read as up.
    MouseTo(1000, 760);
  }

  // Notepad in front, on the monitor whose area is given.
  void NotepadOn(const RECT& monitor) {
    FocusNotepad();
    SetWindowPos(notepad_->Main(), nullptr, monitor.left + 100, monitor.top + 100, 400, 300,
                 SWP_NOZORDER);
    FocusNotepad();
  }

  // The popup of one press of F6 (Play), once it is on the screen; gone before the next.
  RECT PlayPopup() {
    const DWORD pid = player_->Proc().Id();
    EXPECT_TRUE(WaitFor([&] { return ShownPopups(pid).empty(); }));
    RECT r{};
    const int before = player_->Count("command 40045");
    EXPECT_TRUE(Press(kF6, "command 40045"));
    EXPECT_GT(player_->Count("command 40045"), before);
    EXPECT_TRUE(WaitFor([&] { return ShownPopups(pid).size() == 1; }));
    if (const auto shown = ShownPopups(pid); !shown.empty()) GetWindowRect(shown[0].Window, &r);
    return r;
  }
};

const char kKeys[] =
    "[Use]\r\nKey=1\r\n[HotKeys]\r\n1=117\r\n9=122\r\n[Popup]\r\nUsePopup=1\r\n"
    "ShowTime=300\r\nShowTitle=0\r\n";

}  // namespace

// Centred in the work area of the monitor in front, and following it back.
TEST_F(Monitors, APopupIsCentredOnTheMonitorOfTheWindowInFrontAndFollowsIt) {
  Start(std::string(kKeys) + "ShowOnActiveMonitor=1\r\n");
  NotepadOn(kSecond);
  POINT c = Centre(PlayPopup());
  EXPECT_NEAR(c.x, Centre(kSecond).x, 1);
  EXPECT_NEAR(c.y, Centre(kSecond).y, 1);
  NotepadOn(kPrimary);
  c = Centre(PlayPopup());
  EXPECT_NEAR(c.x, Centre(kPrimary).x, 1);
  EXPECT_NEAR(c.y, Centre(kPrimary).y, 1);
}

// A position chosen on the primary keeps its offset from the corner of the monitor in front.
TEST_F(Monitors, AChosenPositionIsCarriedToTheMonitorInFront) {
  Start(std::string(kKeys) + "ShowOnActiveMonitor=1\r\nShowPointX=100\r\nShowPointY=50\r\n");
  NotepadOn(kSecond);
  RECT r = PlayPopup();
  EXPECT_EQ(r.left, kSecond.left + 100);
  EXPECT_EQ(r.top, kSecond.top + 50);
  NotepadOn(kPrimary);
  r = PlayPopup();
  EXPECT_EQ(r.left, 100);
  EXPECT_EQ(r.top, 50);
}

// With the switch off, popups stay on the primary monitor whatever is in front.
TEST_F(Monitors, WithTheSwitchOffPopupsStayOnThePrimary) {
  Start(kKeys);
  NotepadOn(kSecond);
  const POINT c = Centre(PlayPopup());
  EXPECT_NEAR(c.x, Centre(kPrimary).x, 1);
  EXPECT_NEAR(c.y, Centre(kPrimary).y, 1);
}

// The File-info dialog, centred, follows the same monitor.
TEST_F(Monitors, TheFileInfoDialogIsCentredOnTheMonitorInFront) {
  Start(std::string(kKeys) + "ShowOnActiveMonitor=1\r\n[System]\r\nID3AtCenter=1\r\n");
  NotepadOn(kSecond);
  ASSERT_TRUE(Press(kF11, "command 40188"));
  HWND dialog = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (dialog = FindOwnedWindow(player_->Window(), "#32770")); }));
  RECT r{};
  ASSERT_TRUE(WaitFor([&] {
    GetWindowRect(dialog, &r);
    return r.left >= kSecond.left;
  })) << r.left;
  EXPECT_NEAR(Centre(r).x, Centre(kSecond).x, 1);
  EXPECT_NEAR(Centre(r).y, Centre(kSecond).y, 1);
}
