// The built DLL's record, through its one export.
#include <gtest/gtest.h>

#include <cstring>

#include "hook/uMapMemory.h"
#include "plugin/uPlugin.h"
#include "support.h"

using velmora::TPluginRecord;

namespace {

class PluginRecordTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // The settings file lives in the host's Plugins folder; quit saves it there.
    CreateDirectoryA((testsupport::ExeDirectory() + "Plugins").c_str(), nullptr);
    module_ = LoadLibraryA((testsupport::ExeDirectory() + "gen_velmora.dll").c_str());
    ASSERT_NE(module_, nullptr);
    get_ = reinterpret_cast<TPluginRecord* (*)()>(
        reinterpret_cast<void*>(GetProcAddress(module_, "winampGetGeneralPurposePlugin")));
    ASSERT_NE(get_, nullptr);
  }
  void TearDown() override { FreeLibrary(module_); }
  HMODULE module_ = nullptr;
  TPluginRecord* (*get_)() = nullptr;
};

}  // namespace

TEST_F(PluginRecordTest, VersionDescriptionAndEntries) {
  TPluginRecord* r = get_();
  EXPECT_EQ(r->Version, 16);
  ASSERT_NE(r->Description, nullptr);
  EXPECT_STREQ(r->Description, "DRAV v1.07   [gen_velmora.dll]");
  EXPECT_NE(r->Init, nullptr);
  EXPECT_NE(r->Config, nullptr);
  EXPECT_NE(r->Quit, nullptr);
  // The entries and the description live in the DLL's own image.
  MEMORY_BASIC_INFORMATION mbi;
  VirtualQuery(reinterpret_cast<void*>(r->Init), &mbi, sizeof mbi);
  EXPECT_EQ(mbi.AllocationBase, module_);
  EXPECT_EQ(r->ParentWindow, nullptr);
  EXPECT_EQ(r->LibraryInstance, nullptr);
}

TEST_F(PluginRecordTest, SecondCallReturnsTheSameRecordReset) {
  TPluginRecord* first = get_();
  first->ParentWindow = reinterpret_cast<HWND>(0x1234);
  first->LibraryInstance = reinterpret_cast<HINSTANCE>(0x5678);
  first->Version = 3;
  TPluginRecord* second = get_();
  EXPECT_EQ(first, second);
  EXPECT_EQ(second->ParentWindow, nullptr);
  EXPECT_EQ(second->LibraryInstance, nullptr);
  EXPECT_EQ(second->Version, 16);
  unsigned char bytes[sizeof(TPluginRecord)];
  std::memcpy(bytes, second, sizeof bytes);
  for (std::size_t i = offsetof(TPluginRecord, ParentWindow); i < sizeof bytes; ++i)
    EXPECT_EQ(bytes[i], 0) << i;
}

TEST_F(PluginRecordTest, InitWithAnyParentSucceedsAndQuitReleases) {
  auto blockOpen = [] {
    const HANDLE h = OpenFileMappingA(FILE_MAP_READ, FALSE, velmora::HookBlockName);
    if (h) CloseHandle(h);
    return h != nullptr;
  };
  TPluginRecord* r = get_();
  r->ParentWindow = GetDesktopWindow();
  EXPECT_EQ(r->Init(), 0);
  EXPECT_NE(FindWindowA("VelmoraWatch", nullptr), nullptr);
  EXPECT_TRUE(blockOpen());
  r->Quit();
  // The engine's window, the hook block and the window class are gone with it.
  EXPECT_EQ(FindWindowA("VelmoraWatch", nullptr), nullptr);
  EXPECT_FALSE(blockOpen());
  WNDCLASSEXA info{};
  info.cbSize = sizeof info;
  EXPECT_FALSE(GetClassInfoExA(module_, "VelmoraWatch", &info));
}

// The hooks load the DLL into every program that takes a key: there it brings none of the
// libraries only the player's process uses (the dialog's, the shell's). A fresh program
// loads it as the system does; the player's process binds them when it first needs them.
TEST(Guest, AProgramTheHooksReachLoadsNoneOfTheDialogsLibraries) {
  testsupport::TempDir out;
  const std::string report = out.Path() + "guest.txt";
  testsupport::Process guest("\"" + testsupport::ExeDirectory() + "guest.exe\" \"" +
                                 testsupport::ExeDirectory() + "gen_velmora.dll\" \"" + report +
                                 "\"",
                             false);
  ASSERT_EQ(guest.Wait(), 0u);
  const std::string line = testsupport::ReadFile(report);
  const size_t at = line.find("added=");
  ASSERT_NE(at, std::string::npos) << line;
  const std::string added =
      "," + line.substr(at + 6, line.find_first_of("\r\n", at) - at - 6) + ",";
  EXPECT_NE(added.find(",gen_velmora.dll,"), std::string::npos) << line;
  for (const char* library : {"comctl32.dll", "comdlg32.dll", "shell32.dll", "ole32.dll"})
    EXPECT_EQ(added.find("," + std::string(library) + ","), std::string::npos)
        << library << " came with the DLL: " << line;
}
