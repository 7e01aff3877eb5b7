// The player control against a window that records what it receives.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "engine/uForegroundPolicy.h"
#include "engine/uWinampManager.h"
#include "settings/uIniManager.h"
#include "support.h"
#include "tools/player/player_ids.h"

using namespace velmora;

namespace {

struct Received {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

std::vector<Received> gReceived;
LRESULT gAnswer = 0;
const char* gTitle = nullptr;

LRESULT CALLBACK RecorderProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (m == WM_COMMAND || m == WM_USER) {
    gReceived.push_back({m, wp, lp});
    if (m == WM_USER && lp == player_ids::kRequestTitle) return reinterpret_cast<LRESULT>(gTitle);
    if (m == WM_USER && lp == player_ids::kRequestTitleW) return 0;  // an older player
    return gAnswer;
  }
  return DefWindowProcA(w, m, wp, lp);
}

class PlayerControl : public ::testing::Test {
 protected:
  void SetUp() override {
    window_ = testsupport::CreateMessageWindow("Recorder", RecorderProc);
    ASSERT_NE(window_, nullptr);
    gReceived.clear();
    gAnswer = 0;
  }
  void TearDown() override { DestroyWindow(window_); }
  HWND window_ = nullptr;
};

}  // namespace

TEST_F(PlayerControl, EachCommandSendsItsIdentifierWithZeroLParam) {
  TWinampManager player(window_);
  const unsigned ids[] = {40044, 40045, 40046, 40047, 40048, 40029, 40058, 40059};
  for (int c = 0; c < 8; ++c) player.Execute(static_cast<PlayerCommand>(c));
  ASSERT_EQ(gReceived.size(), 8u);
  for (int c = 0; c < 8; ++c) {
    EXPECT_EQ(gReceived[c].message, static_cast<UINT>(WM_COMMAND));
    EXPECT_EQ(gReceived[c].wParam, ids[c]);
    EXPECT_EQ(gReceived[c].lParam, 0);
  }
}

TEST_F(PlayerControl, EngineCommandsAndUnknownValuesSendNothing) {
  TWinampManager player(window_);
  player.Execute(PlayerCommand::Enabled);
  player.Execute(PlayerCommand::ID3);
  player.Execute(PlayerCommand::Winamp);
  player.Execute(static_cast<PlayerCommand>(11));
  player.Execute(static_cast<PlayerCommand>(200));
  EXPECT_TRUE(gReceived.empty());
}

TEST_F(PlayerControl, SendCommandReturnsThePlayersResult) {
  TWinampManager player(window_);
  gAnswer = 1234;
  EXPECT_EQ(player.SendCommand(40188), 1234);
  ASSERT_EQ(gReceived.size(), 1u);
  EXPECT_EQ(gReceived[0].wParam, 40188u);
}

TEST_F(PlayerControl, StatusRequestAndMapping) {
  TWinampManager player(window_);
  const std::pair<LRESULT, PlayStatus> cases[] = {{1, PlayStatus::Playing},
                                                  {3, PlayStatus::Paused},
                                                  {0, PlayStatus::Stopped},
                                                  {2, PlayStatus::Stopped},
                                                  {-7, PlayStatus::Stopped}};
  for (auto [answer, status] : cases) {
    gAnswer = answer;
    EXPECT_EQ(player.GetStatus(), status) << answer;
  }
  for (const auto& r : gReceived) {
    EXPECT_EQ(r.message, static_cast<UINT>(WM_USER));
    EXPECT_EQ(r.wParam, 0u);
    EXPECT_EQ(r.lParam, player_ids::kRequestState);
  }
}

TEST_F(PlayerControl, TitleOfTheCurrentEntryIsCopied) {
  TWinampManager player(window_);
  char title[] = "Glass Harbour";
  gTitle = title;
  gAnswer = 5;  // the playlist position
  EXPECT_EQ(player.GetCurrentTitleW(), L"Glass Harbour");
  title[0] = 'X';  // the copy is private
  ASSERT_EQ(gReceived.size(), 3u);
  EXPECT_EQ(gReceived[0].lParam, player_ids::kRequestPosition);
  EXPECT_EQ(gReceived[1].lParam, player_ids::kRequestTitleW);
  EXPECT_EQ(gReceived[2].wParam, 5u);
  EXPECT_EQ(gReceived[2].lParam, player_ids::kRequestTitle);
}

TEST_F(PlayerControl, NullTitleAddressGivesEmptyString) {
  TWinampManager player(window_);
  gTitle = nullptr;
  EXPECT_EQ(player.GetCurrentTitleW(), L"");
}

// The programs the hot keys leave alone: a listed program in front is matched by its file
// name; the player's own windows never are, even where the list names the player.
TEST(ForegroundPolicy, AListedProgramInFrontIsLeftAloneThePlayersOwnWindowsNever) {
  CreateDirectoryA((testsupport::ExeDirectory() + "Plugins").c_str(), nullptr);
  TIniManager settings;
  char self[MAX_PATH];
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  settings.ExcludedPrograms = std::string("notepad.exe;") + (std::strrchr(self, '\\') + 1);
  TForegroundPolicy policy(settings);
  testsupport::Notepad notepad;
  ASSERT_TRUE(notepad.Focus());
  EXPECT_TRUE(policy.ProgramLeftAlone());
  HWND own = CreateWindowExA(0, "STATIC", "own", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr,
                             nullptr, nullptr, nullptr);
  ASSERT_TRUE(testsupport::Focus(own));
  EXPECT_FALSE(policy.ProgramLeftAlone());
  settings.ExcludedPrograms = "";  // the dialog emptied the list
  ASSERT_TRUE(notepad.Focus());
  EXPECT_FALSE(policy.ProgramLeftAlone());
  DestroyWindow(own);
}
