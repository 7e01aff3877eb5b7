// The release archive as a user takes it: unpacked (by the runner script) into a folder
// named by VELMORA_PACKAGE, installed into a fresh player folder as its README says, and
// the main job run from there with the sample settings and skins.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "host_fixture.h"
#include "support.h"

using namespace testsupport;

namespace {

// The folder the sample settings' skin paths assume.
const char kPlayerFolder[] = "C:\\Program Files\\Winamp\\";
constexpr int kSkinWidth = 120, kSkinHeight = 36;  // the sample skins' size

std::string Unpacked() {
  const char* v = std::getenv("VELMORA_PACKAGE");
  return v ? std::string(v) + "\\" : std::string();
}
// The folder of this program's architecture, whose DLL a player of the same kind takes.
std::string Architecture() {
  return Unpacked() + (sizeof(void*) == 8 ? "x64\\" : "x86\\");
}

class Package : public HostTest {
 protected:
  Package() : HostTest(kPlayerFolder) {}
  void SetUp() override {
    ASSERT_FALSE(Unpacked().empty()) << "VELMORA_PACKAGE names no unpacked archive";
  }
  // The README's step 2: the archive's Plugins folder into the player's, file by file. A
  // DLL of an earlier run in this session may still be there: Wine keeps a hook's module
  // loaded in the processes it reached, so the file can be neither removed nor replaced,
  // and it stands when it is the same file.
  void Install() {
    namespace fs = std::filesystem;
    const fs::path from = Architecture() + "Plugins";
    for (const auto& entry : fs::recursive_directory_iterator(from)) {
      const fs::path to = fs::path(host_.Plugins()) / fs::relative(entry.path(), from);
      if (entry.is_directory()) {
        CreateDirectoryA(to.string().c_str(), nullptr);
        continue;
      }
      ASSERT_TRUE(InstallFile(entry.path().string(), to.string()))
          << to.string() << " error " << GetLastError();
    }
    ASSERT_EQ(ReadFile(host_.Plugins() + "gen_velmora.dll"),
              ReadFile(Architecture() + "Plugins\\gen_velmora.dll"));
    ASSERT_EQ(ReadFile(host_.Ini()), ReadFile(Architecture() + "Plugins\\gen_velmora.Ini"));
  }
  int Commands(const char* id) { return player_->Count(std::string("command ") + id); }
  // Ctrl+Alt and the key, until the player got the command once more.
  bool Press(WORD vk, const char* id) {
    return HostTest::Press(
        [vk] {
          Chord({VK_CONTROL, VK_MENU}, vk);
        },
        std::string("command ") + id, Commands(id) + 1);
  }
  bool SkinShown(const char* text, int timeoutMs = 10000) {
    return WaitFor(
        [&] {
          for (const auto& p : ShownPopups(player_->Proc().Id()))
            // The skin exactly, or with the title's strip under it.
            if (p.Text == text &&
                (p.Title.empty() ? p.Width == kSkinWidth && p.Height == kSkinHeight
                                 : p.Width >= kSkinWidth && p.Height > kSkinHeight))
              return true;
          return false;
        },
        timeoutMs);
  }
  // Enable/Disable leaves no trace at the player: its popup tells that it ran.
  bool Toggle(const char* popup) {
    return Retry(
        "input", 5, 0,
        [] {
          Chord({VK_CONTROL, VK_MENU}, 'E');
        },
        [&] { return SkinShown(popup, 2500); });
  }
};

}  // namespace

TEST_F(Package, HoldsTheDllTheReadmeTheSampleSettingsAndEverySkin) {
  const std::string plugins = Architecture() + "Plugins\\";
  EXPECT_NE(GetFileAttributesA((plugins + "gen_velmora.dll").c_str()), INVALID_FILE_ATTRIBUTES);
  for (const char* skin : {"Prev", "Play", "Pause", "Stop", "Next", "Open", "VolumeUp",
                           "VolumeDown", "Enable", "Disable"}) {
    const std::string bmp = ReadFile(plugins + "velmora_skins\\" + skin + ".bmp");
    EXPECT_EQ(bmp.substr(0, 2), "BM") << skin;
  }
  const std::string readme = ReadFile(Unpacked() + "README.txt");
  for (const char* topic : {"Installing", "\"x86\" holds the 32-bit DLL", "hot keys", "Jog Dial",
                            "The settings file", "Skins", "Uninstalling"})
    EXPECT_NE(readme.find(topic), std::string::npos) << topic;
  EXPECT_EQ(readme.find('\n'), readme.find("\r\n") + 1);  // Windows line ends
  EXPECT_EQ(readme.find("%VERSION%"), std::string::npos);
  const std::string ini = ReadFile(plugins + "gen_velmora.Ini");
  EXPECT_NE(ini.find("1=C:\\Program Files\\Winamp\\Plugins\\velmora_skins\\Play.bmp\r\n"),
            std::string::npos);
}

TEST_F(Package, InstalledAsTheReadmeSaysTheHotKeysGesturesAndSkinsWork) {
  Install();
  player_ = std::make_unique<Player>(host_);
  ASSERT_NE(player_->Window(), nullptr);
  FocusNotepad();
  ASSERT_TRUE(Press('X', "40045"));  // Play, with its skin
  EXPECT_TRUE(SkinShown("Play"));
  ASSERT_TRUE(Press('V', "40047"));  // Stop
  EXPECT_TRUE(SkinShown("Stop"));
  // Next in one burst, as macro keys send it; stopped, so Play follows.
  const int plays = Commands("40045");
  Burst({VK_CONTROL, VK_MENU}, 'B');
  ASSERT_TRUE(WaitFor([&] { return Commands("40048") == 1 && Commands("40045") > plays; }));
  // Up on the Jog Dial: Next (playing now, so nothing follows).
  Process jog(JogdialCommand("up wait:1500"));
  ASSERT_TRUE(jog.Started());
  ASSERT_EQ(jog.Wait(30000), 0u);
  EXPECT_TRUE(WaitFor([&] { return Commands("40048") == 2; }));
  FocusNotepad();
  // Enable/Disable with its own skin each way; disabled, Stop does nothing.
  const int stops = Commands("40047");
  ASSERT_TRUE(Toggle("Disabled"));
  Chord({VK_CONTROL, VK_MENU}, 'V');
  ASSERT_TRUE(Toggle("Enabled"));
  EXPECT_EQ(Commands("40047"), stops);
  EXPECT_EQ(player_->Close(), 0u);
  player_.reset();
  // The first save kept the sample's values and its comment lines.
  const std::string ini = ReadFile(host_.Ini());
  EXPECT_NE(ini.find("; gen_velmora sample settings."), std::string::npos);
  EXPECT_EQ(GetPrivateProfileIntA("HotKeys", "1", 0, host_.Ini().c_str()), 49240u);
  EXPECT_EQ(GetPrivateProfileIntA("Popup", "ShowTime", 0, host_.Ini().c_str()), 1000u);
}
