// Browser launch against a stand-in browser of ours, registered in this prefix as the
// ".htm" and "http" handler for the length of each case.
#include <gtest/gtest.h>

#include "config/uBrowser.h"
#include "engine/uUtils.h"
#include "support.h"

using namespace velmora;
using testsupport::WaitFor;

namespace {

std::string Default(const std::string& key) {
  return RegReadDefaultValue(HKEY_CLASSES_ROOT, key);
}

void SetDefault(const std::string& key, const std::string& value) {
  HKEY k;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                            &k, nullptr),
            ERROR_SUCCESS);
  RegSetValueExA(k, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                 static_cast<DWORD>(value.size() + 1));
  RegCloseKey(k);
}

class Browser : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* key : kKeys) saved_.push_back(Default(key));
    browser_ = testsupport::ExeDirectory() + "browser.exe";
    log_ = testsupport::ExeDirectory() + "browser.log";
    DeleteFileA(log_.c_str());
    SetDefault(".htm", "VelmoraTest.Html");
    SetDefault("VelmoraTest.Html\\shell\\open\\command", "\"" + browser_ + "\" -osint -url \"%1\"");
    SetDefault("http\\shell\\open\\command", "\"" + browser_ + "\" shell \"%1\"");
  }
  void TearDown() override {
    for (std::size_t i = 0; i < saved_.size(); ++i)
      if (!saved_[i].empty()) SetDefault(kKeys[i], saved_[i]);
    RegDeleteTreeA(HKEY_CLASSES_ROOT, "VelmoraTest.Html");
    DeleteFileA(log_.c_str());
  }
  std::vector<std::string> Starts(std::size_t atLeast) {
    std::vector<std::string> lines;
    WaitFor([&] { return (lines = testsupport::ReadLines(log_)).size() >= atLeast; }, 10000);
    return lines;
  }

  static constexpr const char* kKeys[] = {".htm", "http\\shell\\open\\command"};
  std::vector<std::string> saved_;
  std::string browser_, log_;
};

}  // namespace

TEST_F(Browser, TheHtmAssociationNamesTheProgramWithOrWithoutTheDot) {
  EXPECT_EQ(FindAssociatedProgram("htm"), "\"" + browser_ + "\"");
  EXPECT_EQ(FindAssociatedProgram(".htm"), "\"" + browser_ + "\"");
  EXPECT_EQ(FindAssociatedProgram(".velmora-none"), "");
  TBrowser b;
  EXPECT_EQ(b.BrowserPath(), browser_);
}

TEST_F(Browser, ALongRegistryValueIsReadWhole) {
  const std::string longValue(400, 'x');
  SetDefault("VelmoraTest.Html\\long", "  " + longValue + " \t");
  EXPECT_EQ(Default("VelmoraTest.Html\\long"), longValue);
  EXPECT_EQ(Default("VelmoraTest.Html\\absent"), "");
}

TEST_F(Browser, RunBrowserStartsTheProgramWithTheUrl) {
  TBrowser b;
  b.SetURL("http://example.org/velmora");
  b.RunBrowser();
  const auto lines = Starts(1);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0], "\"" + browser_ + "\" http://example.org/velmora");
  TBrowser empty;
  empty.RunBrowser();  // no URL: nothing
  empty.OpenURL();
}

TEST_F(Browser, OpenUrlGoesThroughTheShellAndAutoOpensOncePerValue) {
  TBrowser b;
  b.Auto = true;
  b.SetURL("example.org/home");  // completed with http://
  EXPECT_EQ(b.URL(), "http://example.org/home");
  b.SetURL("example.org/home");  // the same value: not opened again
  auto lines = Starts(1);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_NE(lines[0].find("shell"), std::string::npos) << lines[0];
  EXPECT_NE(lines[0].find("http://example.org/home"), std::string::npos) << lines[0];
  testsupport::Pump(500);
  EXPECT_EQ(testsupport::ReadLines(log_).size(), 1u);
}
