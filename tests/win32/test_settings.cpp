// The settings store on real ini files through Wine's profile API.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <vector>

#include <cstdio>
#include <memory>

#include "engine/uUtils.h"
#include "engine/uCommandMatch.h"
#include "settings/uIniManager.h"
#include "support.h"
#include "ui/uTexts.h"

using namespace velmora;
using testsupport::ReadFile;
using testsupport::WriteFile;

namespace {

class Settings : public ::testing::Test {
 protected:
  void SetUp() override {
    plugins_ = testsupport::ExeDirectory() + "Plugins\\";
    CreateDirectoryA(plugins_.c_str(), nullptr);
    path_ = plugins_ + "gen_velmora.Ini";
    Remove();
  }
  void TearDown() override { Remove(); }
  void Remove() {
    SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path_.c_str());
  }
  std::string Value(const char* section, const char* key) {
    std::vector<char> buffer(65536);
    GetPrivateProfileStringA(section, key, "<absent>", buffer.data(),
                             static_cast<DWORD>(buffer.size()), path_.c_str());
    return buffer.data();
  }
  // Loads without saving at the end: the destructor's save is not under test here.
  std::unique_ptr<TIniManager> Load() { return std::make_unique<TIniManager>(); }
  std::string plugins_, path_;
};

}  // namespace

TEST_F(Settings, PathIsThePluginsFolderBesideTheHostExecutable) {
  auto s = Load();
  EXPECT_EQ(s->FileName, path_);
  EXPECT_EQ(TIniManager::SettingsPath("C:\\Program Files\\Player\\player.exe"),
            "C:\\Program Files\\Player\\Plugins\\gen_velmora.Ini");
}

TEST_F(Settings, NoFileGivesTheDefaults) {
  auto s = Load();
  for (int i = 0; i < CommandCount; ++i) {
    EXPECT_EQ(s->HotKeys[i], 0);
    EXPECT_EQ(s->JogDials[i], 0);
  }
  for (const std::string& skin : s->Skins) EXPECT_EQ(skin, "");
  EXPECT_EQ(s->DisableSkin, "");
  EXPECT_EQ(s->IgnoreInterval, 100);
  EXPECT_EQ(s->CommandInterval, 1000);
  EXPECT_FALSE(s->UseJogDial);
  EXPECT_FALSE(s->UseKey);
  EXPECT_TRUE(s->UsePopup);
  EXPECT_EQ(s->FormColor, 0u);
  EXPECT_EQ(s->FrameColor, 65280u);
  EXPECT_EQ(s->FontColor, 65280u);
  EXPECT_EQ(s->FontSize, 10);
  EXPECT_EQ(s->FrameWidth, 2);
  EXPECT_EQ(s->ShowTime, 300);
  EXPECT_FALSE(s->ShowPointSet);
  EXPECT_EQ(s->ShowPoint.x, 0);
  EXPECT_EQ(s->ShowPoint.y, 0);
  EXPECT_FALSE(s->UseSendMessage);
  EXPECT_TRUE(s->UseJpFont);
  EXPECT_TRUE(s->ID3AtCenter);
  EXPECT_FALSE(s->UseRawInput);
  EXPECT_FALSE(s->ShowOnActiveMonitor);
  EXPECT_TRUE(s->HideOverFullScreen);
  EXPECT_TRUE(s->RepeatVolume);
  EXPECT_EQ(s->ExcludedPrograms, "");
}

// Bad values of the two keys: a list of ten thousand characters is read and saved whole,
// any number but 0 is on.
TEST_F(Settings, ALongProgramListIsKeptWholeAndRepeatVolumeReadsAsABoolean) {
  std::string list;
  while (list.size() < 10000) list += "program" + std::to_string(list.size()) + ".exe;";
  WriteFile(path_, "[System]\r\nExcludedPrograms=" + list + "\r\nRepeatVolume=7\r\n");
  auto s = Load();
  EXPECT_EQ(s->ExcludedPrograms, list);
  EXPECT_TRUE(s->RepeatVolume);
  s->Save();
  EXPECT_EQ(Value("System", "ExcludedPrograms"), list);
  WriteFile(path_, "[System]\r\nExcludedPrograms=;;;\r\nRepeatVolume=0\r\n");
  s = Load();
  EXPECT_EQ(s->ExcludedPrograms, ";;;");
  EXPECT_FALSE(s->RepeatVolume);
}

TEST_F(Settings, FirstSaveWritesEveryKeyButTheShowPointInOrder) {
  Load()->Save();
  const auto lines = testsupport::ReadLines(path_);
  std::vector<std::string> expected;
  auto section = [&](const char* s) { expected.push_back(std::string("[") + s + "]"); };
  section("HotKeys");
  for (int i = 0; i < 12; ++i) expected.push_back(std::to_string(i) + "=0");
  section("JogDials");
  for (int i = 0; i < 12; ++i) expected.push_back(std::to_string(i) + "=0");
  section("Skins");
  for (int i = 0; i < 11; ++i) expected.push_back(std::to_string(i) + "=");
  expected.push_back("Disable=");
  section("Interval");
  expected.insert(expected.end(), {"IgnoreInterval=100", "CommandInterval=1000"});
  section("Use");
  expected.insert(expected.end(), {"JogDial=0", "Key=0"});
  section("Popup");
  expected.insert(expected.end(),
                  {"UsePopup=1", "FormColor=0", "FrameColor=65280", "FontColor=65280",
                   "FontSize=10", "FrameWidth=2", "ShowTime=300", "ShowOnActiveMonitor=0",
                   "HideOverFullScreen=1", "ShowTitle=1", "ShowOnTrackChange=1"});
  section("System");
  expected.insert(expected.end(),
                  {"UseSendMessage=0", "UseJpFont=1", "ID3AtCenter=1", "UseRawInput=0",
                   "ExcludedPrograms=", "RepeatVolume=1", "VolumeStep=0"});
  section("Wheel");
  expected.insert(expected.end(),
                  {"Use=0", "Modifiers=6", "Action=0", "OverTaskbar=0", "Accelerate=1"});
  std::vector<std::string> nonEmpty;
  for (const auto& l : lines)
    if (!l.empty()) nonEmpty.push_back(l);
  EXPECT_EQ(nonEmpty, expected);
}

// A file written before the monitor and full-screen switches: every line it had stays as
// it was, the new keys come at the end of its Popup section with their defaults.
TEST_F(Settings, AnEarlierFileKeepsEveryLineAndGainsTheNewKeysWithTheirDefaults) {
  const std::string earlier =
      "[HotKeys]\r\n0=24696\r\n[Popup]\r\nUsePopup=0\r\nShowTime=700\r\nShowPointX=-5\r\n"
      "ShowPointY=40\r\n[System]\r\nUseJpFont=0\r\n";
  WriteFile(path_, earlier);
  auto s = Load();
  EXPECT_FALSE(s->ShowOnActiveMonitor);
  EXPECT_TRUE(s->HideOverFullScreen);
  s->Save();
  const auto lines = testsupport::ReadLines(path_);
  auto at = [&](const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) - lines.begin();
  };
  for (const char* kept : {"[HotKeys]", "0=24696", "[Popup]", "UsePopup=0", "ShowTime=700",
                           "ShowPointX=-5", "ShowPointY=40", "[System]", "UseJpFont=0"})
    EXPECT_LT(at(kept), static_cast<long>(lines.size())) << kept;
  EXPECT_LT(at("UsePopup=0"), at("ShowTime=700"));
  EXPECT_LT(at("ShowPointY=40"), at("ShowOnActiveMonitor=0"));
  EXPECT_EQ(at("ShowOnActiveMonitor=0") + 1, at("HideOverFullScreen=1"));
  EXPECT_EQ(at("HideOverFullScreen=1") + 1, at("ShowTitle=1"));
  EXPECT_EQ(at("ShowTitle=1") + 1, at("ShowOnTrackChange=1"));
  EXPECT_LT(at("ShowOnTrackChange=1"), at("[System]"));
}

// The track-change mode: its three values as they are, any other as the default, which is
// what is saved then; Now Playing's key and gesture are the twelfth of their sections.
TEST_F(Settings, TheTrackChangeModeTakesItsThreeValuesAndReadsAnyOtherAsTheDefault) {
  const std::pair<const char*, std::int32_t> values[] = {
      {"0", 0}, {"2", 2}, {"1", 1}, {"9", 1}, {"-1", 1}, {"", 1}, {"always", 1}};
  for (const auto& [text, mode] : values) {
    WriteFile(path_, std::string("[Popup]\r\nShowOnTrackChange=") + text +
                         "\r\n[HotKeys]\r\n11=1140\r\n[JogDials]\r\n11=3\r\n");
    auto s = Load();
    EXPECT_EQ(s->ShowOnTrackChange, mode) << text;
    EXPECT_EQ(s->GetHotKey(PlayerCommand::NowPlaying), 1140);
    EXPECT_EQ(s->GetJogDial(PlayerCommand::NowPlaying), 3);
    s->Save();
    EXPECT_EQ(Value("Popup", "ShowOnTrackChange"), std::to_string(mode)) << text;
    EXPECT_EQ(Value("Skins", "11"), "<absent>");  // Now Playing shows Play's skin
  }
}

TEST_F(Settings, AChosenPositionIsSavedLastInPopup) {
  auto s = Load();
  s->SetShowPoint({-5, 40});
  EXPECT_TRUE(s->ShowPointSet);
  s->Save();
  EXPECT_EQ(Value("Popup", "ShowPointX"), "-5");
  EXPECT_EQ(Value("Popup", "ShowPointY"), "40");
  auto again = Load();
  EXPECT_TRUE(again->ShowPointSet);
  EXPECT_EQ(again->ShowPoint.y, 40);
}

TEST_F(Settings, ALoneShowPointXLoadsButDoesNotCountAsAPosition) {
  WriteFile(path_, "[Popup]\r\nshowpointx=77\r\n");
  auto s = Load();
  EXPECT_EQ(s->ShowPoint.x, 77);
  EXPECT_FALSE(s->ShowPointSet);
  s->Save();
  EXPECT_EQ(Value("Popup", "ShowPointX"), "77");
  EXPECT_EQ(Value("Popup", "ShowPointY"), "<absent>");
}

TEST_F(Settings, WideNumbersHexLettersAndBooleans) {
  WriteFile(path_,
            "[HotKeys]\r\n3=65537\r\n01=49232\r\n[JogDials]\r\n0=256\r\n1=14\r\n"
            "[Popup]\r\nFontSize=0x1F\r\nFrameWidth=abc\r\nFormColor=0x80000005\r\n"
            "[Use]\r\nKey=2\r\n");
  auto s = Load();
  EXPECT_EQ(s->GetHotKey(PlayerCommand::Stop), 1);
  EXPECT_EQ(s->GetHotKey(PlayerCommand::Play), 0);  // "01" is not command 1's key
  EXPECT_EQ(s->GetJogDial(PlayerCommand::Prev), 0);
  EXPECT_EQ(s->GetJogDial(PlayerCommand::Play), 14);
  EXPECT_EQ(s->FontSize, 31);
  EXPECT_EQ(s->FrameWidth, 2);
  EXPECT_EQ(s->FormColor, 0x80000005u);
  EXPECT_TRUE(s->UseKey);
  s->Save();
  EXPECT_EQ(Value("HotKeys", "3"), "1");
  EXPECT_EQ(Value("HotKeys", "01"), "49232");  // never deleted
  EXPECT_EQ(Value("Use", "Key"), "1");
  EXPECT_EQ(Value("Popup", "FormColor"), "-2147483643");
}

// Every System key and a boolean written as -1 (true: anything but 0) from a file.
TEST_F(Settings, TheSystemSectionAndBooleansOtherThanOneLoadFromTheFile) {
  WriteFile(path_,
            "[System]\r\nUseSendMessage=-1\r\nUseJpFont=0\r\nID3AtCenter=0\r\nUseRawInput=2\r\n"
            "[Use]\r\nKey=-1\r\nJogDial=7\r\n[Popup]\r\nUsePopup=0\r\n"
            "showonactivemonitor=3\r\nHideOverFullScreen=0\r\n");
  auto s = Load();
  EXPECT_TRUE(s->ShowOnActiveMonitor);
  EXPECT_FALSE(s->HideOverFullScreen);
  EXPECT_TRUE(s->UseSendMessage);
  EXPECT_TRUE(s->UseRawInput);
  EXPECT_FALSE(s->UseJpFont);
  EXPECT_FALSE(s->ID3AtCenter);
  EXPECT_TRUE(s->UseKey);
  EXPECT_TRUE(s->UseJogDial);
  EXPECT_FALSE(s->UsePopup);
}

TEST_F(Settings, SetShowPointOfTheStoredPointChangesNothing) {
  auto s = Load();
  s->SetShowPoint({0, 0});
  EXPECT_FALSE(s->ShowPointSet);
  s->SetShowPoint({0, 1});
  EXPECT_TRUE(s->ShowPointSet);
}

TEST_F(Settings, AccessorsAndHotKeyWordsCompareExactly) {
  auto s = Load();
  s->SetHotKey(PlayerCommand::Next, 0x4050);
  s->SetSkin(PlayerCommand::Winamp, "C:\\skins\\x.bmp");
  s->SetJogDial(PlayerCommand::Open, 7);
  EXPECT_EQ(s->GetHotKey(PlayerCommand::Next), 0x4050);
  // Ctrl+Shift+P is another word than Ctrl+P: no command.
  EXPECT_EQ(FindHotKeyCommand(s->HotKeys, 0x6050), -1);
  EXPECT_EQ(FindHotKeyCommand(s->HotKeys, 0x4050), static_cast<int>(PlayerCommand::Next));
  s->Save();
  auto again = Load();
  EXPECT_EQ(again->GetHotKey(PlayerCommand::Next), 0x4050);
  EXPECT_EQ(again->GetSkin(PlayerCommand::Winamp), "C:\\skins\\x.bmp");
  EXPECT_EQ(again->GetJogDial(PlayerCommand::Open), 7);
}

// A file that cannot be written: the bench runs as root, which writes read-only files
// regardless, so the file is held open without sharing instead.
TEST_F(Settings, AnUnwritableFileFailsWithTheWriteErrorNamingThePath) {
  WriteFile(path_, "[HotKeys]\r\n0=5\r\n");
  auto s = Load();
  s->HotKeys[0] = 9;
  HANDLE lock = CreateFileA(path_.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  char expected[512];
  std::snprintf(expected, sizeof expected, texts::WriteError.Cp932, path_.c_str());
  try {
    s->Save();
    ADD_FAILURE() << "Save of a locked file succeeded";
  } catch (const EIniWriteError& e) {
    EXPECT_STREQ(e.what(), expected);
    // What the report shows: the Japanese words right on this Western system too.
    std::wstring text(texts::WriteError.Unicode);
    text.replace(0, 2, std::wstring(path_.begin(), path_.end()));
    EXPECT_EQ(e.Text(), text);
  }
  CloseHandle(lock);
  EXPECT_EQ(s->HotKeys[0], 9);  // in-memory values unchanged
  EXPECT_EQ(ReadFile(path_), "[HotKeys]\r\n0=5\r\n");
}

// Saving is the owner's explicit step (quit reports its failure): the object goes without
// writing, also where the file could be written.
TEST_F(Settings, AMissingPluginsFolderFailsTooAndOnlyTheExplicitSaveWrites) {
  RemoveDirectoryA(plugins_.c_str());
  CreateDirectoryA(plugins_.c_str(), nullptr);
  auto s = std::make_unique<TIniManager>();
  s->FileName = testsupport::ExeDirectory() + "NoSuchFolder\\gen_velmora.Ini";
  EXPECT_THROW(s->Save(), EIniWriteError);
  EXPECT_NO_THROW(s.reset());
  s = std::make_unique<TIniManager>();
  s->HotKeys[0] = 7;
  s.reset();
  EXPECT_EQ(GetFileAttributesA(path_.c_str()), INVALID_FILE_ATTRIBUTES);
}

// Each branch of the code-page rules is tested on the bench that has it: a bench whose
// locale did not take would pass the Western branch twice.
TEST(CodePage, TheSystemRunsTheCodePageTheBenchNames) {
  if (testsupport::JapaneseBench()) {
    EXPECT_EQ(GetACP(), 932u);
    EXPECT_NE(GetSystemMetrics(SM_DBCSENABLED), 0);
    EXPECT_TRUE(IsDBCSLeadByte(0x81) && IsDBCSLeadByte(0xFC) && !IsDBCSLeadByte(0xA0));
  } else {
    EXPECT_NE(GetACP(), 932u);
    EXPECT_EQ(GetSystemMetrics(SM_DBCSENABLED), 0);
  }
}

// "C:\dir\" then a file whose first character is 0x95 0x5C: under code page 932 one
// character whose second byte is no separator; elsewhere 0x5C is a backslash.
TEST(CodePage, TheSettingsPathNeverSplitsADoubleByteCharacter) {
  const std::string exe = "C:\\dir\\\x95\x5Cplayer.exe";
  const std::string expected = testsupport::JapaneseBench()
                                   ? "C:\\dir\\Plugins\\gen_velmora.Ini"
                                   : "C:\\dir\\\x95\\Plugins\\gen_velmora.Ini";
  EXPECT_EQ(TIniManager::SettingsPath(exe), expected);
  // A folder whose name ends in such a character keeps it whole either way.
  EXPECT_EQ(TIniManager::SettingsPath("C:\\\x95\x5C\\player.exe"),
            "C:\\\x95\x5C\\Plugins\\gen_velmora.Ini");
}

// 0x80 to 0x9F count everywhere; the code page's other lead bytes (0xE0 to 0xFC in 932)
// only on a double-byte system; the last byte never counts.
TEST(CodePage, ContainsLeadByteTakesTheSystemsLeadBytesBeforeTheLastByte) {
  EXPECT_FALSE(ContainsLeadByte(""));
  EXPECT_FALSE(ContainsLeadByte("\x82"));
  EXPECT_FALSE(ContainsLeadByte("Title\x82"));
  EXPECT_TRUE(ContainsLeadByte("\x82\xA0"));        // "あ"
  EXPECT_TRUE(ContainsLeadByte("\x93\x94 quote"));  // a typographic quote of 1252 too
  EXPECT_FALSE(ContainsLeadByte("plain ASCII \xA0\xDF"));
  EXPECT_EQ(ContainsLeadByte("\xE0\x40 "), testsupport::JapaneseBench());
  EXPECT_EQ(ContainsLeadByte("x\xFC\x4B"), testsupport::JapaneseBench());
}

// Double-byte skin paths (Japanese folder and file names, trail bytes of 0x5C among them)
// load and save byte for byte.
TEST_F(Settings, DoubleByteSkinPathsLoadAndSaveByteForByte) {
  // "C:\スキン\表示\再生.bmp" and "D:\ソフト\停止.bmp" in code page 932.
  const std::string play = "C:\\\x83\x58\x83\x4C\x83\x93\\\x95\x5C\x8E\xA6\\\x8D\xC4\x90\xB6.bmp";
  const std::string stop = "D:\\\x83\x5C\x83\x74\x83\x67\\\x92\xE2\x8E\x7E.bmp";
  WriteFile(path_, "[Skins]\r\n1=" + play + "\r\n3=" + stop + "\r\n");
  auto s = Load();
  EXPECT_EQ(s->GetSkin(PlayerCommand::Play), play);
  EXPECT_EQ(s->GetSkin(PlayerCommand::Stop), stop);
  s->SetSkin(PlayerCommand::Next, stop);
  s->Save();
  const std::string file = ReadFile(path_);
  EXPECT_NE(file.find("1=" + play + "\r\n"), std::string::npos);
  EXPECT_NE(file.find("4=" + stop + "\r\n"), std::string::npos);
  auto again = Load();
  EXPECT_EQ(again->GetSkin(PlayerCommand::Next), stop);
}

TEST(SystemTexts, EachCodePage932TextDecodesToItsUnicodeForm) {
  std::vector<texts::TSystemText> all(std::begin(texts::All), std::end(texts::All));
  all.insert(all.end(), std::begin(texts::JogDialTexts), std::end(texts::JogDialTexts));
  for (const auto& t : all) {
    wchar_t wide[256] = {};
    const int n = MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, t.Cp932, -1, wide, 256);
    ASSERT_GT(n, 0) << t.Cp932;
    EXPECT_EQ(std::wstring(wide), std::wstring(t.Unicode));
  }
}

// The wheel's chord of no key, or of keys that are none of the four, and an action of none:
// the defaults, Ctrl+Alt and the volume, in memory and in the file saved then.
TEST_F(Settings, TheWheelsChordAndActionOutsideTheirRangesReadAsTheDefaults) {
  const struct {
    const char* Modifiers;
    const char* Action;
    std::int32_t ReadModifiers, ReadAction;
  } rows[] = {
      {"0", "7", 6, 0}, {"999", "-1", 6, 0}, {"", "", 6, 0}, {"9", "2", 9, 2}, {"15", "1", 15, 1}};
  for (const auto& row : rows) {
    WriteFile(path_, std::string("[Wheel]\r\nUse=1\r\nModifiers=") + row.Modifiers +
                         "\r\nAction=" + row.Action + "\r\n");
    auto s = Load();
    EXPECT_TRUE(s->WheelUse);
    EXPECT_EQ(s->WheelModifiers, row.ReadModifiers) << row.Modifiers;
    EXPECT_EQ(s->WheelAction, row.ReadAction) << row.Action;
    s->Save();
    EXPECT_EQ(Value("Wheel", "Modifiers"), std::to_string(row.ReadModifiers));
  }
}
