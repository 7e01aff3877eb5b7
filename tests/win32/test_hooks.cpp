// The hook procedures in real foreign processes: Wine's notepad receives typed keys,
// the stand-in Jog Dial utility delivers its messages, other programs create windows.
#include <gtest/gtest.h>

#include <cstring>
#include <thread>
#include <vector>

#include "hook/uMapMemory.h"
#include "support.h"

using namespace testsupport;
using velmora::HookBlockName;
using velmora::THookBlock;

extern "C" {
__declspec(dllimport) BOOL VT_InstallHooks(HWND, UINT, UINT, UINT, BOOL);
__declspec(dllimport) BOOL VT_UninstallHooks();
__declspec(dllimport) void VT_SetCbtHook(BOOL);
}

namespace {

constexpr UINT kKey = 1280, kJog = 1281, kCreate = 1282;
constexpr LPARAM kJogLParam = 0x4A4F47;

struct Notice {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  bool sent;
  bool peerDispatched;  // the utility's log already showed its own dispatch
};

std::vector<Notice> gNotices;
std::vector<WPARAM> gDirectJog;  // jog messages delivered to the target itself
std::string gPeerLog;
UINT gJogRegistered = 0;

LRESULT CALLBACK TargetProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (m == kKey || m == kJog || m == kCreate) {
    const bool dispatched =
        !gPeerLog.empty() && ReadFile(gPeerLog).find("dispatched 1") != std::string::npos;
    gNotices.push_back({m, wp, lp, InSendMessage() != FALSE, dispatched});
    return 0;
  }
  if (m == gJogRegistered) {
    gDirectJog.push_back(wp);
    return 0;
  }
  return DefWindowProcA(w, m, wp, lp);
}

bool BlockExists() {
  HANDLE h = OpenFileMappingA(FILE_MAP_READ, FALSE, HookBlockName);
  if (h) CloseHandle(h);
  return h != nullptr;
}

THookBlock ReadBlock() {
  THookBlock copy{};
  velmora::TScopedHookBlock b;
  if (b) std::memcpy(&copy, const_cast<const THookBlock*>(&*b.operator->()), sizeof copy);
  return copy;
}

std::vector<Notice> NoticesOf(UINT message) {
  std::vector<Notice> out;
  for (const auto& n : gNotices)
    if (n.message == message) out.push_back(n);
  return out;
}

int CountKey(WPARAM word) {
  int n = 0;
  for (const auto& k : NoticesOf(kKey)) n += k.wParam == word;
  return n;
}

class Hooks : public ::testing::Test {
 protected:
  void SetUp() override {
    gJogRegistered = RegisterWindowMessageA("SonyJogDialPlugIn");
    target_ = CreateMessageWindow("HookTarget", TargetProc);
    ASSERT_NE(target_, nullptr);
    ASSERT_FALSE(BlockExists()) << "a block is left from an earlier run";
    gNotices.clear();
    gDirectJog.clear();
    gPeerLog.clear();
  }
  void TearDown() override {
    VT_UninstallHooks();
    DestroyWindow(target_);
    WaitFor([] { return !BlockExists(); }, 5000);
  }
  // Runs the utility to its end and pumps until its notices are in.
  void RunJogdial(const std::string& script, size_t expected, const std::string& log = "") {
    Process p(JogdialCommand(script, log));
    ASSERT_TRUE(p.Started());
    ASSERT_EQ(p.Wait(20000), 0u);
    WaitFor([&] { return NoticesOf(kJog).size() >= expected; }, 5000);
    Pump(100);
  }
  HWND target_ = nullptr;
};

}  // namespace

TEST_F(Hooks, KeysTypedIntoNotepadReachTheTargetAndNotepad) {
  ASSERT_TRUE(VT_InstallHooks(target_, kKey, kJog, kCreate, FALSE));
  Notepad notepad;
  ASSERT_NE(notepad.Edit(), nullptr);
  ASSERT_TRUE(notepad.Focus());
  Tap('A');
  Tap('B');
  Tap('C');
  ASSERT_TRUE(WaitFor([&] { return notepad.Text() == "abc"; })) << notepad.Text();
  WaitFor([] { return CountKey('C') == 1; });
  EXPECT_EQ(CountKey('A'), 1);
  EXPECT_EQ(CountKey('B'), 1);
  EXPECT_EQ(CountKey('C'), 1);

  gNotices.clear();
  Tap(VK_F5);
  ASSERT_TRUE(WaitFor([] { return CountKey(0x74) == 1; }));

  Chord({VK_CONTROL, VK_SHIFT}, VK_F5);
  ASSERT_TRUE(WaitFor([] { return CountKey(0x6074) == 1; }));
  // The lParam of the stroke travels unchanged: a first stroke, repeat count 1.
  for (const auto& n : NoticesOf(kKey)) {
    EXPECT_EQ(static_cast<DWORD>(n.lParam) & 0xC0000000u, 0u);
    EXPECT_EQ(n.lParam & 0xFFFF, 1);
    EXPECT_FALSE(n.sent);
  }
}

TEST_F(Hooks, AHeldKeyForwardsOnceAndAReleaseNothing) {
  ASSERT_TRUE(VT_InstallHooks(target_, kKey, kJog, kCreate, FALSE));
  Notepad notepad;
  ASSERT_TRUE(notepad.Focus());
  Key('X', false);
  Key('X', false);  // auto-repeat: was down before
  Key('X', false);
  Key('X', true);
  ASSERT_TRUE(WaitFor([&] { return notepad.Text() == "xxx"; })) << notepad.Text();
  Tap('Y');  // a later key proves the hook has run past the held one
  ASSERT_TRUE(WaitFor([] { return CountKey('Y') == 1; }));
  EXPECT_EQ(CountKey('X'), 1);
  EXPECT_EQ(NoticesOf(kKey).size(), 2u);
}

TEST_F(Hooks, JogMessagesAreForwardedUnchangedInOrder) {
  ASSERT_TRUE(VT_InstallHooks(target_, kKey, kJog, kCreate, FALSE));
  RunJogdial("up down press release code:77 async:5", 6);
  const auto jog = NoticesOf(kJog);
  ASSERT_EQ(jog.size(), 6u);
  const WPARAM codes[] = {0x1001, 0x1002, 1, 2, 77, 5};
  for (size_t i = 0; i < jog.size(); ++i) {
    EXPECT_EQ(jog[i].wParam, codes[i]) << i;
    EXPECT_EQ(jog[i].lParam, kJogLParam) << i;
  }
}

TEST_F(Hooks, JogMessageToTheTargetItselfAndUnrelatedMessagesAreNotForwarded) {
  ASSERT_TRUE(VT_InstallHooks(target_, kKey, kJog, kCreate, FALSE));
  char handle[32];
  snprintf(handle, sizeof handle, "0x%lx",
           static_cast<unsigned long>(reinterpret_cast<uintptr_t>(target_)));
  RunJogdial(std::string("--target ") + handle + " target:down other:7 other:4097 up", 1);
  WaitFor([] { return !gDirectJog.empty(); }, 5000);
  ASSERT_EQ(gDirectJog.size(), 1u);
  EXPECT_EQ(gDirectJog[0], 0x1002u);
  const auto jog = NoticesOf(kJog);
  ASSERT_EQ(jog.size(), 1u);
  EXPECT_EQ(jog[0].wParam, 0x1001u);
}

TEST_F(Hooks, SendModeHoldsTheHookedThreadUntilTheTargetTakesIt) {
  ASSERT_TRUE(VT_InstallHooks(target_, kKey, kJog, kCreate, TRUE));
  TempDir dir;
  gPeerLog = dir.Path() + "jog.log";
  RunJogdial("up", 1, gPeerLog);
  const auto jog = NoticesOf(kJog);
  ASSERT_EQ(jog.size(), 1u);
  EXPECT_TRUE(jog[0].sent);
  EXPECT_FALSE(jog[0].peerDispatched);
}

TEST_F(Hooks, PostModeLetsTheHookedThreadGoOn) {
  ASSERT_TRUE(VT_InstallHooks(target_, kKey, kJog, kCreate, FALSE));
  TempDir dir;
  gPeerLog = dir.Path() + "jog.log";
  Process p(JogdialCommand("up", gPeerLog));
  // Without pumping here the utility still dispatches its own message.
  bool dispatched = false;
  for (int i = 0; i < 1000 && !dispatched; ++i) {
    dispatched = ReadFile(gPeerLog).find("dispatched 1") != std::string::npos;
    if (!dispatched) Sleep(10);
  }
  ASSERT_TRUE(dispatched);
  ASSERT_TRUE(WaitFor([] { return NoticesOf(kJog).size() == 1; }));
  EXPECT_FALSE(NoticesOf(kJog)[0].sent);
  EXPECT_EQ(p.Wait(), 0u);
}

TEST_F(Hooks, CbtHookReportsWindowCreationsOnlyWhileSet) {
  ASSERT_TRUE(VT_InstallHooks(target_, kKey, kJog, kCreate, TRUE));
  VT_SetCbtHook(FALSE);  // none set: changes nothing
  EXPECT_EQ(ReadBlock().CbtHook, 0u);

  VT_SetCbtHook(TRUE);
  EXPECT_NE(ReadBlock().CbtHook, 0u);
  TempDir dir;
  {
    Process p(JogdialCommand("wait:100", dir.Path() + "a.log"));
    ASSERT_EQ(p.Wait(), 0u);
  }
  ASSERT_TRUE(WaitFor([] { return !NoticesOf(kCreate).empty(); }));
  // Always posted, whatever the send mode says.
  for (const auto& n : NoticesOf(kCreate)) EXPECT_FALSE(n.sent);
  const std::string log = ReadFile(dir.Path() + "a.log");
  bool utilityWindowSeen = false;
  for (const auto& n : NoticesOf(kCreate)) {
    char text[32];
    snprintf(text, sizeof text, "ready %p", reinterpret_cast<void*>(n.wParam));
    utilityWindowSeen |= log.find(text) != std::string::npos;
  }
  EXPECT_TRUE(utilityWindowSeen) << log;

  VT_SetCbtHook(FALSE);
  EXPECT_EQ(ReadBlock().CbtHook, 0u);
  gNotices.clear();
  {
    Process p(JogdialCommand("wait:100"));
    ASSERT_EQ(p.Wait(), 0u);
  }
  Pump(300);
  EXPECT_TRUE(NoticesOf(kCreate).empty());
}

TEST_F(Hooks, InstallTwiceChangesNothing) {
  ASSERT_TRUE(VT_InstallHooks(target_, kKey, kJog, kCreate, FALSE));
  const THookBlock before = ReadBlock();
  EXPECT_NE(before.KeyHook, 0u);
  EXPECT_NE(before.GetMsgHook, 0u);
  EXPECT_EQ(before.OwnerThreadId, GetCurrentThreadId());
  EXPECT_EQ(before.JogDialMsgId, RegisterWindowMessageA("SonyJogDialPlugIn"));
  EXPECT_EQ(before.AsyncEventMsgId, RegisterWindowMessageA("SonyAsyncEvent"));
  EXPECT_FALSE(VT_InstallHooks(nullptr, 0, 0, 99, TRUE));
  const THookBlock after = ReadBlock();
  EXPECT_EQ(std::memcmp(&before, &after, sizeof before), 0);
}

TEST_F(Hooks, KeyOnlySetsTheKeyboardHookAndTheBlockIsTheTargets) {
  EXPECT_TRUE(VT_InstallHooks(target_, kKey, 0, kCreate, FALSE));
  EXPECT_TRUE(VT_InstallHooks(target_, kKey, 0, kCreate, FALSE));  // again: still the target's
  const THookBlock b = ReadBlock();
  EXPECT_NE(b.KeyHook, 0u);
  EXPECT_EQ(b.GetMsgHook, 0u);
  EXPECT_EQ(b.JogMsg, 0u);
}

TEST_F(Hooks, UninstallWithoutABlockLeavesNone) {
  EXPECT_FALSE(VT_UninstallHooks());
  EXPECT_FALSE(BlockExists());
}

TEST_F(Hooks, UninstallFromAnotherThreadRemovesNothing) {
  ASSERT_TRUE(VT_InstallHooks(target_, kKey, kJog, kCreate, FALSE));
  const THookBlock before = ReadBlock();
  BOOL result = FALSE;
  std::thread([&] { result = VT_UninstallHooks(); }).join();
  EXPECT_TRUE(result);
  EXPECT_TRUE(BlockExists());
  const THookBlock after = ReadBlock();
  EXPECT_EQ(std::memcmp(&before, &after, sizeof before), 0);
  EXPECT_TRUE(VT_UninstallHooks());
  EXPECT_TRUE(WaitFor([] { return !BlockExists(); }, 5000));
}

TEST_F(Hooks, ABlockMadeBySomeoneElseDisablesTheInstallation) {
  HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, "velmora_squat_ready");
  HANDLE finish = CreateEventA(nullptr, TRUE, FALSE, "velmora_squat_finish");
  Process squatter("\"" + ExeDirectory() + "win32_hooks.exe\" --squat");
  ASSERT_EQ(WaitForSingleObject(ready, 10000), WAIT_OBJECT_0);
  EXPECT_FALSE(VT_InstallHooks(target_, kKey, kJog, kCreate, FALSE));
  {
    Notepad notepad;
    ASSERT_TRUE(notepad.Focus());
    Tap('Q');
    ASSERT_TRUE(WaitFor([&] { return notepad.Text() == "q"; }));
    RunJogdial("up down", 0);
    Pump(200);
    EXPECT_TRUE(notepad.Alive());
  }
  EXPECT_TRUE(gNotices.empty());
  EXPECT_TRUE(VT_UninstallHooks());  // another thread's block: removes nothing
  SetEvent(finish);
  EXPECT_EQ(squatter.Wait(), 0u);
  CloseHandle(ready);
  CloseHandle(finish);
}

// Child mode: holds a mapping of another size, full of garbage, under the block's name.
int Squat() {
  HANDLE map =
      CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 13, HookBlockName);
  if (!map) return 1;
  void* view = MapViewOfFile(map, FILE_MAP_ALL_ACCESS, 0, 0, 0);
  if (!view) return 2;
  std::memset(view, 0xCD, 13);
  HANDLE ready = OpenEventA(EVENT_MODIFY_STATE, FALSE, "velmora_squat_ready");
  HANDLE finish = OpenEventA(SYNCHRONIZE, FALSE, "velmora_squat_finish");
  if (!ready || !finish) return 3;
  SetEvent(ready);
  WaitForSingleObject(finish, 60000);
  UnmapViewOfFile(view);
  CloseHandle(map);
  return 0;
}

int main(int argc, char** argv) {
  if (argc > 1 && std::strcmp(argv[1], "--squat") == 0) return Squat();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
