// Settings files and skins as other tools and people leave them: each gives the default
// or the text popup, never a fault, a hang or a lost setting.
#include <gtest/gtest.h>

#include <memory>
#include <tuple>

#include "host_fixture.h"
#include "support.h"

using namespace testsupport;

namespace {

class BadInput : public HostTest {};

}  // namespace

TEST_F(BadInput, GarbageAndOutOfRangeValuesInEveryKeyAndAHundredThousandLinesOfJunk) {
  std::string ini = "[HotKeys]\r\n1=117\r\n";  // Play stays usable: F6
  for (const char* k : {"0", "2", "3", "4", "5", "6", "7", "8", "9", "10"})
    ini += std::string(k) + "=\xFF\xFEjunk" + k + "\r\n";
  ini +=
      "[JogDials]\r\n0=-1\r\n1=99999999999999\r\n2=0x\r\n[Interval]\r\nIgnoreInterval=abc\r\n"
      "CommandInterval=-5\r\n[Use]\r\nKey=0x7fffffff\r\n[Popup]\r\nUsePopup=yes\r\nFontSize="
      "0xZZ\r\nFrameWidth=-2147483648\r\nShowTime=-1\r\nShowPointX=\r\n[System]\r\n"
      "UseSendMessage=\r\n";
  for (int i = 0; i < 100000; ++i) ini += i % 3 ? "=\x01\x02 junk line ]][[\r\n" : "[\r\n";
  Start(ini);
  FocusNotepad();
  ASSERT_TRUE(Press(VK_F6, "command 40045"));
  EXPECT_EQ(player_->Close(), 0u);
  player_.reset();
  // Saved back as what was loaded: the defaults where the text was no number.
  EXPECT_EQ(IniInt("HotKeys", "1"), 117);
  EXPECT_EQ(IniInt("HotKeys", "0"), 0);
  EXPECT_EQ(IniInt("JogDials", "0"), 255);  // -1, low 8 bits
  EXPECT_EQ(IniInt("Interval", "IgnoreInterval"), 100);
  EXPECT_EQ(IniInt("Interval", "CommandInterval"), -5);
  EXPECT_EQ(IniInt("Use", "Key"), 1);
  EXPECT_EQ(IniInt("Popup", "FontSize"), 10);
}

TEST_F(BadInput, SkinsThatAreFoldersTruncatedOrClaimingAGigabyteShowTheText) {
  const std::string dir = host_.dir.Path();
  CreateDirectoryA((dir + "Folder.bmp").c_str(), nullptr);
  std::string bmp = ReadFile(ExeDirectory() + "testdata\\rgb24.bmp");
  WriteFile(dir + "Truncated.bmp", bmp.substr(0, bmp.size() - 7));
  std::string huge = bmp;  // 32767 x 32767 at 24 bits: about 3 GB of pixels
  for (int at : {18, 22}) huge.replace(at, 4, std::string("\xFF\x7F\x00\x00", 4));
  huge.replace(2, 4, std::string("\x00\x00\x00\x40", 4));  // a file size of 1 GB
  WriteFile(dir + "Huge.bmp", huge);
  Start(
      "[Use]\r\nKey=1\r\n[Popup]\r\nShowTime=0\r\n[HotKeys]\r\n1=117\r\n6=118\r\n7=119\r\n"
      "[Skins]\r\n1=" +
      dir + "Folder.bmp\r\n6=" + dir + "Truncated.bmp\r\n7=" + dir + "Huge.bmp\r\n");
  FocusNotepad();
  const DWORD pid = player_->Proc().Id();
  int shown = 0;
  for (auto [vk, line, text] :
       {std::tuple{VK_F6, "command 40045", "Play"}, std::tuple{VK_F7, "command 40058", "Volume Up"},
        std::tuple{VK_F8, "command 40059", "Volume Down"}}) {
    ASSERT_TRUE(Press(vk, line)) << text;
    ++shown;
    // Each stays (ShowTime 0); the command's own is found by its text, whatever the order
    // of the windows.
    ShownPopup popup{};
    ASSERT_TRUE(WaitFor([&] {
      for (const ShownPopup& p : ShownPopups(pid))
        if (p.Text == text) popup = p;
      return popup.Window != nullptr;
    })) << text;
    EXPECT_EQ(static_cast<int>(ShownPopups(pid).size()), shown);
    EXPECT_GT(popup.Width, 12) << text << ": the text in its frame, not a bitmap";
  }
}

// The new keys as people leave them: a program list of ten thousand characters with
// spaces, quotes and empty entries, one of ";;;", RepeatVolume 7 (on), the two popup
// switches with text. Play still runs in notepad, which no list names; the list comes
// back whole.
TEST_F(BadInput, LongOrEmptyProgramListsAndOddSwitchesLoadAndAreSavedAsTheyWere) {
  std::string list = " ; \"C:\\Program Files\\A B\\x.exe\" ;;'y.exe';";
  while (list.size() < 10000) list += "program" + std::to_string(list.size()) + ".exe ; ";
  for (const std::string& value : {list, std::string(";;;")}) {
    Start(
        "[Use]\r\nKey=1\r\n[Popup]\r\nUsePopup=0\r\nShowOnActiveMonitor=yes\r\n"
        "HideOverFullScreen=\r\n[HotKeys]\r\n1=117\r\n6=118\r\n[System]\r\nRepeatVolume=7\r\n"
        "ExcludedPrograms=" +
        value + "\r\n");
    FocusNotepad();
    ASSERT_TRUE(Press(VK_F6, "command 40045"));
    ASSERT_TRUE(Press(VK_F7, "command 40058"));
    EXPECT_EQ(player_->Close(), 0u);
    player_.reset();
    std::vector<char> saved(20000);
    GetPrivateProfileStringA("System", "ExcludedPrograms", "", saved.data(),
                             static_cast<DWORD>(saved.size()), host_.Ini().c_str());
    // The profile API trims the value's ends, as it did when it was read.
    std::string expected = value;
    while (!expected.empty() && expected.back() == ' ') expected.pop_back();
    while (!expected.empty() && expected.front() == ' ') expected.erase(0, 1);
    EXPECT_EQ(std::string(saved.data()), expected);
    EXPECT_EQ(IniInt("System", "RepeatVolume"), 1);
    EXPECT_EQ(IniInt("Popup", "ShowOnActiveMonitor"), 0);  // not a number: the default
    EXPECT_EQ(IniInt("Popup", "HideOverFullScreen"), 1);
  }
}

// Posts any program can make to the engine's window: a wheel count of 2^31 - 1 and one past
// what one event makes run nothing; a window-creation notice naming a window of the
// player's that File info did not ask for is left alone; the engine works on.
TEST_F(BadInput, FloodsOfPostsToTheEnginesWindowRunNothing) {
  Start("[Use]\r\nKey=1\r\n[Wheel]\r\nUse=1\r\n[HotKeys]\r\n1=117\r\n");
  HWND engine = nullptr;  // hidden: found by its class
  ASSERT_TRUE(WaitFor([&] { return (engine = FindWindowA("VelmoraWatch", nullptr)) != nullptr; }));
  PostMessageA(engine, WM_USER + 259, 0x7FFFFFFF, 0);
  PostMessageA(engine, WM_USER + 259, 1097, 0);
  PostMessageA(engine, WM_USER + 258, reinterpret_cast<WPARAM>(player_->Window()), 0);
  FocusNotepad();
  ASSERT_TRUE(Press(VK_F6, "command 40045"));  // behind the posts: they were handled
  EXPECT_EQ(player_->Count("command 40058"), 0);
  EXPECT_EQ(player_->Count("command 40059"), 0);
}
