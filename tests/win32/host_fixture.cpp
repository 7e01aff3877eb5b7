#include "host_fixture.h"

#include <cstdio>

namespace testsupport {

void HostTest::Start(const std::string& ini, const std::string& playerArgs) {
  WriteFile(host_.Ini(), ini);
  StartAgain(playerArgs);
}

void HostTest::StartAgain(const std::string& playerArgs) {
  player_ = std::make_unique<Player>(host_, playerArgs);
  ASSERT_NE(player_->Window(), nullptr) << "the plugin's init did not end";
}

Player& HostTest::StartOther(const std::string& ini, const std::string& playerArgs) {
  auto host = std::make_unique<HostDir>();
  WriteFile(host->Ini(), ini);
  auto player = std::make_unique<Player>(*host, playerArgs);
  EXPECT_NE(player->Window(), nullptr) << "the other host's init did not end";
  others_.push_back({std::move(host), std::move(player)});
  return *others_.back().Run;
}

void HostTest::Forget(Player& other) {
  for (auto& o : others_)
    if (o.Run.get() == &other) o.Run.reset();
}

void HostTest::FocusNotepad() {
  if (!notepad_) notepad_ = std::make_unique<Notepad>();
  ASSERT_TRUE(notepad_->Focus());
}

bool HostTest::WaitLog(const std::string& line, int count, int timeoutMs) const {
  return WaitLog(*player_, line, count, timeoutMs);
}

bool HostTest::WaitLog(const Player& player, const std::string& line, int count,
                       int timeoutMs) const {
  return WaitFor([&] { return player.Count(line) >= count; }, timeoutMs);
}

bool HostTest::Press(const std::function<void()>& keys, const std::string& line, int count) {
  return Press(*player_, keys, line, count);
}

bool HostTest::Press(Player& player, const std::function<void()>& keys, const std::string& line,
                     int count) {
  player.Idle();
  return PressUntil(keys, [&] { return player.Count(line) >= count; });
}

bool HostTest::Press(WORD vk, const std::string& line) {
  return Press([vk] { Tap(vk); }, line, player_->Count(line) + 1);
}

std::vector<std::string> HostTest::Commands() const {
  std::vector<std::string> out;
  for (const auto& l : player_->Log())
    if (l.rfind("command ", 0) == 0) out.push_back(l.substr(8));
  return out;
}

int HostTest::IniInt(const char* section, const char* key) const {
  return static_cast<int>(GetPrivateProfileIntA(section, key, -12345, host_.Ini().c_str()));
}

std::string HostTest::IniString(const char* section, const char* key) const {
  char v[512] = {};
  GetPrivateProfileStringA(section, key, "", v, sizeof v, host_.Ini().c_str());
  return v;
}

void HostTest::TearDown() {
  for (auto it = others_.rbegin(); it != others_.rend(); ++it) {
    if (!it->Run) continue;
    EXPECT_EQ(it->Run->Close(), 0u);
    if (HasFailure())
      for (const auto& l : it->Run->Log()) std::printf("  other player: %s\n", l.c_str());
  }
  others_.clear();
  if (!player_) return;
  EXPECT_EQ(player_->Close(), 0u);
  if (HasFailure())
    for (const auto& l : player_->Log()) std::printf("  player: %s\n", l.c_str());
}

}  // namespace testsupport
