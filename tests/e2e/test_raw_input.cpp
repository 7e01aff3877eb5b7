// Keys through raw input instead of the keyboard hook, end to end: the stand-in player
// with the switch on, Wine's notepad typed into, hot keys other programs hold, a second
// host, a killed one, and a host that reads the keyboard's raw input itself.
#include <gtest/gtest.h>

#include "hook/uMapMemory.h"
#include "support.h"

using namespace testsupport;

namespace {

constexpr char kRaw[] = "[Use]\r\nKey=1\r\n[Popup]\r\nUsePopup=0\r\n[System]\r\nUseRawInput=1\r\n";
constexpr char kHook[] = "[Use]\r\nKey=1\r\n[Popup]\r\nUsePopup=0\r\n[System]\r\nUseRawInput=0\r\n";

// The keyboard hook's handle in the shared block, or -1 when there is no block.
long long KeyHookInBlock() {
  velmora::TScopedHookBlock block;
  return block ? static_cast<long long>(block->KeyHook) : -1;
}

// The process whose engine window the block names, or 0.
DWORD BlockOwner() {
  velmora::TScopedHookBlock block;
  DWORD owner = 0;
  if (block)
    GetWindowThreadProcessId(reinterpret_cast<HWND>(static_cast<std::uintptr_t>(block->TargetWnd)),
                             &owner);
  return owner;
}

bool WaitCount(const Player& player, const std::string& line, int count) {
  return WaitFor([&] { return player.Count(line) >= count; }, 10000);
}

}  // namespace

TEST(RawInput, HotKeysTypedIntoAProgramRunWithoutAKeyboardHookAndTheKeysStayItsOwn) {
  HostDir host;
  WriteFile(host.Ini(),
            std::string(kRaw) + "[HotKeys]\r\n1=117\r\n3=24696\r\n");  // F6; Ctrl+Shift+F9
  Player player(host);
  ASSERT_NE(player.Window(), nullptr);
  EXPECT_EQ(KeyHookInBlock(), 0) << "a keyboard hook beside the raw input";
  Notepad notepad;
  ASSERT_TRUE(notepad.Focus());
  auto stops = [&](int n) { return [&player, n] { return player.Count("command 40047") >= n; }; };
  Tap(VK_F6);  // as a person types
  ASSERT_TRUE(WaitCount(player, "command 40045", 1));
  ASSERT_TRUE(player.Idle());
  // As macro keys send it; a chord the Busy rule dropped is given again (counted).
  ASSERT_TRUE(PressUntil([] { Burst({VK_CONTROL, VK_SHIFT}, VK_F9); }, stops(1)));
  ASSERT_TRUE(player.Idle());
  ASSERT_TRUE(PressUntil([] { Chord({VK_CONTROL, VK_SHIFT}, VK_F9); }, stops(2)));
  // Into the player's own window too.
  ASSERT_TRUE(Focus(player.Window()));
  ASSERT_TRUE(player.Idle());
  ASSERT_TRUE(PressUntil([] { Burst({VK_CONTROL, VK_SHIFT}, VK_F9); }, stops(3)));
  ASSERT_TRUE(notepad.Focus());
  Tap('A');  // never swallowed
  EXPECT_TRUE(WaitFor([&] { return notepad.Text() == "a"; })) << notepad.Text();
  Pump(300);
  EXPECT_EQ(player.Count("command 40045"), 1);
  EXPECT_EQ(player.Count("command 40047"), 3);
  EXPECT_EQ(player.Close(), 0u);
  EXPECT_TRUE(player.LogHas("raw keyboard none")) << "quit left the registration";
}

// A chord another program (here the player itself) holds as a system hot key never
// reaches the program in front: it runs no command of ours in either capture.
class Held : public ::testing::TestWithParam<bool> {};

TEST_P(Held, AChordAnotherProgramHoldsRunsNothing) {
  if (!GetParam() && Notepad64Bench())
    GTEST_SKIP() << "Wine calls no 32-bit keyboard hook for a 64-bit program";
  HostDir host;
  WriteFile(host.Ini(), std::string(GetParam() ? kRaw : kHook) + "[HotKeys]\r\n1=117\r\n3=123\r\n");
  Player player(host, "--hotkey 0x7B");  // F12, held by the player's main window
  ASSERT_NE(player.Window(), nullptr);
  Notepad notepad;
  ASSERT_TRUE(notepad.Focus());
  Tap(VK_F6);  // the capture works
  ASSERT_TRUE(WaitCount(player, "command 40045", 1));
  ASSERT_TRUE(player.Idle());
  Tap(VK_F12);  // Stop's hot key, and the held one
  ASSERT_TRUE(WaitCount(player, "hotkey 1", 1));
  Pump(500);
  EXPECT_EQ(player.Count("command 40047"), 0);
  EXPECT_EQ(player.Close(), 0u);
}

// The right Alt with Ctrl, as AltGr sends it (a left Ctrl the system adds, then the right
// Alt): on the bench's layout, which has no AltGr and types nothing there, the chord
// stays a hot key and notepad gets no text. (Where the layout types a character with
// AltGr the stroke is text: decided natively; Wine keeps the US layout whatever the X
// keymap, so the bench cannot show it.)
TEST_P(Held, TheRightAltWithCtrlStaysAHotKeyOnALayoutWithoutAltGr) {
  if (!GetParam() && Notepad64Bench())
    GTEST_SKIP() << "Wine calls no 32-bit keyboard hook for a 64-bit program";
  HostDir host;
  WriteFile(host.Ini(), std::string(GetParam() ? kRaw : kHook) + "[HotKeys]\r\n1=49233\r\n");
  Player player(host);  // Play: Ctrl+Alt+Q
  ASSERT_NE(player.Window(), nullptr);
  Notepad notepad;
  ASSERT_TRUE(notepad.Focus());
  auto stroke = [](WORD vk, WORD scan, bool extended, bool up) {
    INPUT in = KeyInput(vk, up);
    in.ki.wScan = scan;
    if (extended) in.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
    return in;
  };
  auto altGrQ = [&] {
    INPUT in[] = {stroke(VK_CONTROL, 0x1D, false, false),
                  stroke(VK_MENU, 0x38, true, false),
                  KeyInput('Q', false),
                  KeyInput('Q', true),
                  stroke(VK_MENU, 0x38, true, true),
                  stroke(VK_CONTROL, 0x1D, false, true)};
    SendInput(6, in, sizeof(INPUT));
  };
  EXPECT_TRUE(PressUntil(altGrQ, [&] { return player.Count("command 40045") >= 1; }));
  Pump(300);
  EXPECT_EQ(notepad.Text(), "");
  EXPECT_EQ(player.Close(), 0u);
}

INSTANTIATE_TEST_SUITE_P(BothCaptures, Held, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "RawInput" : "KeyboardHook"; });

TEST(RawInput, ASecondHostRunsWithoutAndAKilledHostsPlaceGoesToTheNext) {
  HostDir a, b, c;
  for (const HostDir* h : {&a, &b, &c})
    WriteFile(h->Ini(), std::string(kRaw) + "[HotKeys]\r\n1=117\r\n");
  auto first = std::make_unique<Player>(a);
  Player second(b);
  ASSERT_NE(first->Window(), nullptr);
  ASSERT_NE(second.Window(), nullptr);
  Notepad notepad;
  ASSERT_TRUE(notepad.Focus());
  Tap(VK_F6);
  ASSERT_TRUE(WaitCount(*first, "command 40045", 1));
  Pump(500);
  EXPECT_EQ(second.Count("command 40045"), 0);
  // Killed with its registration and the block in place: both go with the process (the
  // system may take a moment to close its handles).
  TerminateProcess(first->Proc().Handle(), 1);
  ASSERT_EQ(first->Proc().Wait(), 1u);
  first.reset();
  EXPECT_EQ(second.Close(), 0u);
  EXPECT_TRUE(WaitFor([] { return KeyHookInBlock() < 0; }, 5000))
      << "the killed host's block stays";
  Player third(c);
  ASSERT_NE(third.Window(), nullptr);
  EXPECT_EQ(BlockOwner(), third.Proc().Id());
  ASSERT_TRUE(notepad.Focus());
  EXPECT_TRUE(PressUntil([] { Tap(VK_F6); }, [&] { return third.Count("command 40045") >= 1; }));
  EXPECT_EQ(KeyHookInBlock(), 0);
  EXPECT_EQ(third.Close(), 0u);
}

// A process has one keyboard raw-input registration: the host's own stays, and the
// keyboard hook serves the plugin.
TEST(RawInput, AHostThatReadsTheKeyboardItselfKeepsItAndTheKeyboardHookServes) {
  if (Notepad64Bench()) GTEST_SKIP() << "Wine calls no 32-bit keyboard hook for a 64-bit program";
  HostDir host;
  WriteFile(host.Ini(), std::string(kRaw) + "[HotKeys]\r\n1=117\r\n");
  Player player(host, "--raw-keyboard");
  ASSERT_NE(player.Window(), nullptr);
  ASSERT_TRUE(player.LogHas("raw keyboard registered 1"));
  EXPECT_GT(KeyHookInBlock(), 0);
  Notepad notepad;
  ASSERT_TRUE(notepad.Focus());
  Tap(VK_F6);
  EXPECT_TRUE(WaitCount(player, "command 40045", 1));
  EXPECT_EQ(player.Close(), 0u);
  EXPECT_TRUE(player.LogHas("raw keyboard host"));
}
