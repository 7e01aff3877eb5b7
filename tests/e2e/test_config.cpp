// The configuration dialog end to end: opened from the stand-in player's menu, driven by
// real input, closed; the settings file and the engine show what it did.
#include <gtest/gtest.h>

#include <map>
#include <memory>

#include "support.h"
#include "ui/uTexts.h"

using namespace testsupport;

namespace {

// The dialog lives in the player's process: its controls are found by class and place.
struct Dialog {
  HWND Window = nullptr;
  // The visible child of the class whose top-left corner, in the dialog's client
  // coordinates, is (x, y).
  HWND At(const char* className, int x, int y) const {
    for (HWND w : ChildWindows(Window)) {
      RECT r;
      GetWindowRect(w, &r);
      POINT o{r.left, r.top};
      ScreenToClient(Window, &o);
      if (ClassOf(w) == className && o.x == x && o.y == y && IsWindowVisible(w)) return w;
    }
    return nullptr;
  }
};

std::string Testdata(const char* name) {
  return ExeDirectory() + "testdata\\" + name;
}

class Config : public ::testing::Test {
 protected:
  void Start(const std::string& ini) {
    WriteFile(host_.Ini(), ini);
    player_ = std::make_unique<Player>(host_);
    ASSERT_NE(player_->Window(), nullptr);
  }
  // Opens the dialog the way a user does: the player's menu, File, Configure plugin.
  Dialog Open() {
    Dialog d;
    Focus(player_->Window());
    DWORD pid = player_->Proc().Id();
    PostMessageA(player_->Window(), WM_COMMAND, 40900, 0);
    WaitFor([&] { return (d.Window = FindProcessWindow(pid, "VelmoraForm")) != nullptr; }, 15000);
    if (d.Window) Focus(d.Window);
    return d;
  }
  void CloseBox(const Dialog& d) {
    PostMessageA(d.Window, WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(WaitFor([&] { return player_->LogHas("plugin config gen_velmora.dll done"); }, 15000));
  }
  void TearDown() override {
    if (!player_) return;
    EXPECT_EQ(player_->Close(), 0u);
  }
  std::string Ini() { return ReadFile(host_.Ini()); }

  HostDir host_;
  std::unique_ptr<Player> player_;
};

}  // namespace

TEST_F(Config, OpensFromTheMenuAndClosesWithTheCloseBox) {
  Start("[Use]\r\nKey=1\r\n[HotKeys]\r\n1=117\r\n");
  Dialog d = Open();
  ASSERT_NE(d.Window, nullptr);
  Pump(1500);
  SaveScreenshot(d.Window, "config-key");
  RECT client;
  GetClientRect(d.Window, &client);
  EXPECT_EQ(client.right, 427);
  EXPECT_EQ(client.bottom, 367);
  CloseBox(d);
}
