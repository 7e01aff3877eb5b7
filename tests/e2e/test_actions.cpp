// The player's other actions end to end: keys typed into notepad run the player's own
// commands and requests, each popup says what the player reports after it, a gesture runs
// one too, and the windows they open come to the front.
#include <gtest/gtest.h>

#include <string>

#include "host_fixture.h"
#include "support.h"
#include "tools/player/player_ids.h"

using namespace testsupport;
namespace ids = player_ids;

namespace {

class Actions : public HostTest {
 protected:
  // A popup up now whose first line starts with text and whose second does with line.
  ShownPopup PopupStarting(const std::string& text, const std::string& line = "") {
    ShownPopup found{};
    WaitFor([&] {
      for (const ShownPopup& p : ShownPopups(player_->Proc().Id()))
        if (p.Text.rfind(text, 0) == 0 && Utf8(p.Title.c_str()).rfind(line, 0) == 0) found = p;
      return found.Window != nullptr;
    });
    return found;
  }
  void Player(unsigned id) { PostMessageA(player_->Window(), WM_COMMAND, id, 0); }
};

// Stop with fade-out F2, stop after current F3, forward F4, the list's start F5 and end F6.
const char kCommands[] =
    "[Use]\r\nKey=1\r\n[Popup]\r\nShowTime=2000\r\nShowOnTrackChange=0\r\n"
    "[HotKeys]\r\n12=113\r\n13=114\r\n14=115\r\n16=116\r\n17=117\r\n";

}  // namespace

TEST_F(Actions, SeekTheListsEndsStopAfterCurrentAndFadeOutRunThePlayersCommands) {
  Start(kCommands, "--track-ms 2500");
  FocusNotepad();
  Player(ids::kPlay);
  ASSERT_TRUE(WaitLog("command 40045"));
  ASSERT_TRUE(Press(VK_F4, "command 40148"));
  // The playing time and the length as the player reports them after the step.
  const ShownPopup seek = PopupStarting("Forward 5 s");
  EXPECT_NE(Utf8(seek.Title.c_str()).find(" / 4:56"), std::string::npos)
      << Utf8(seek.Title.c_str());
  ASSERT_TRUE(Press(VK_F6, "command 40158"));
  ASSERT_TRUE(Press(VK_F5, "command 40154"));
  ASSERT_TRUE(Press(VK_F3, "command 40157"));
  EXPECT_TRUE(WaitLog("stop after current 1"));
  EXPECT_TRUE(WaitLog("stopped after current"));  // the entry ended, the next did not play
  Player(ids::kPlay);
  ASSERT_TRUE(Press(VK_F2, "command 40147"));
  EXPECT_TRUE(WaitLog("fade end"));
}

// Repeat F7 and shuffle F8 toggled, the popup saying the state read back; Rate 3 F9 with
// its stars over the title; Mute F11 twice gives the level back; Volume Up F12 shows the
// level, and with a step of 10 % moves it by 10 %.
TEST_F(Actions, TogglesRatingsMuteAndVolumeSayWhatThePlayerReports) {
  const std::string keys =
      "[Use]\r\nKey=1\r\n[Popup]\r\nShowTime=2500\r\n[HotKeys]\r\n6=123\r\n18=118\r\n19=119\r\n"
      "25=120\r\n31=122\r\n";
  Start(keys);
  FocusNotepad();
  ASSERT_TRUE(Press(VK_F7, "repeat 1"));
  EXPECT_EQ(PopupStarting("Repeat on").Text, "Repeat on");
  ASSERT_TRUE(Press(VK_F7, "repeat 0"));
  EXPECT_EQ(PopupStarting("Repeat off").Text, "Repeat off");
  ASSERT_TRUE(Press(VK_F8, "shuffle 1"));
  EXPECT_EQ(PopupStarting("Shuffle on").Text, "Shuffle on");
  ASSERT_TRUE(Press(VK_F9, "rating 3"));
  const ShownPopup rated = PopupStarting("Rate 3  ");
  // Stars where the popup's font has them (their low bytes as the case reads them), else
  // the plain text.
  EXPECT_TRUE(rated.Text == "Rate 3  \x05\x05\x05\x06\x06" || rated.Text == "Rate 3  3/5")
      << rated.Text;
  EXPECT_EQ(Utf8(rated.Title.c_str()), Utf8(ids::kEntryTitles[0]));
  ASSERT_TRUE(Press(VK_F11, "volume 0"));
  EXPECT_NE(PopupStarting("Mute", "Muted").Window, nullptr);
  ASSERT_TRUE(Press(VK_F11, "volume 200"));
  ASSERT_TRUE(Press(VK_F12, "command 40058"));  // the player's own step: 208
  EXPECT_NE(PopupStarting("Volume Up", "Volume 82 %").Window, nullptr);
  ASSERT_EQ(player_->Close(), 0u);
  Start(keys + "[System]\r\nVolumeStep=10\r\n");
  FocusNotepad();
  ASSERT_TRUE(Press(VK_F12, "volume 224"));  // 200 reads 78 %: 88 %
}

// Start of list on the dial's Up; the jump box comes to the front; Copy title puts the
// title on the clipboard.
TEST_F(Actions, AGestureRunsANewCommandItsWindowComesToTheFrontAndTheTitleIsCopied) {
  Start(
      "[Use]\r\nKey=1\r\nJogDial=1\r\n[Popup]\r\nShowTime=300\r\n[JogDials]\r\n16=1\r\n"
      "[HotKeys]\r\n20=113\r\n36=114\r\n");
  Process jog(JogdialCommand("up wait:1500"));
  ASSERT_TRUE(jog.Started());
  ASSERT_EQ(jog.Wait(30000), 0u);
  EXPECT_TRUE(WaitLog("command 40154"));
  FocusNotepad();
  ASSERT_TRUE(Press(VK_F2, "window Jump to file"));
  EXPECT_TRUE(WaitFor([] {
    char title[64] = {};
    GetWindowTextA(GetForegroundWindow(), title, sizeof title);
    return std::string(title) == "Jump to file";
  })) << "the jump box did not come to the front";
  FocusNotepad();
  ASSERT_TRUE(Press(VK_F3, "request wparam=0 lparam=213 result=title"));
  std::wstring copied;
  ASSERT_TRUE(WaitFor([&] {
    if (!OpenClipboard(nullptr)) return false;
    if (const HANDLE h = GetClipboardData(CF_UNICODETEXT)) {
      if (const auto* text = static_cast<const wchar_t*>(GlobalLock(h))) {
        copied = text;
        GlobalUnlock(h);
      }
    }
    CloseClipboard();
    return copied == ids::kEntryTitles[0];
  })) << Utf8(copied.c_str());
}
