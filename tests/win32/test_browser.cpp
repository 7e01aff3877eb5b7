// Browser launch against a stand-in browser of ours, registered in this prefix as the
// ".htm" and "http" handler for the length of each case.
#include <gtest/gtest.h>

#include <memory>

#include "config/uBrowser.h"
#include "config/uRegistry.h"
#include "support.h"

using namespace velmora;

namespace {
class Browser : public ::testing::Test {
 protected:
  testsupport::StandInBrowser browser_;
};
}  // namespace

TEST_F(Browser, TheHtmAssociationNamesTheProgramWithOrWithoutTheDot) {
  EXPECT_EQ(FindAssociatedProgram("htm"), "\"" + browser_.Program() + "\"");
  EXPECT_EQ(FindAssociatedProgram(".htm"), "\"" + browser_.Program() + "\"");
  EXPECT_EQ(FindAssociatedProgram(".velmora-none"), "");
  TBrowser b;
  EXPECT_EQ(b.BrowserPath(), browser_.Program());
}

TEST_F(Browser, ALongRegistryValueIsReadWhole) {
  const std::string longValue(400, 'x');
  testsupport::SetRegistryDefault(HKEY_CLASSES_ROOT, "VelmoraTest.Html\\long",
                                  "  " + longValue + " \t");
  EXPECT_EQ(RegReadDefaultValue(HKEY_CLASSES_ROOT, "VelmoraTest.Html\\long"), longValue);
  EXPECT_EQ(RegReadDefaultValue(HKEY_CLASSES_ROOT, "VelmoraTest.Html\\absent"), "");
}

TEST_F(Browser, RunBrowserStartsTheAssociationsCommandWithTheUrlWhereItAsks) {
  TBrowser b;  // registered: "<program>" -osint -url "%1"
  b.SetURL("http://example.org/velmora");
  b.RunBrowser();
  auto lines = browser_.Starts(1);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0], "\"" + browser_.Program() + "\" -osint -url \"http://example.org/velmora\"");
  // An unquoted program path followed by switches.
  testsupport::SetRegistryDefault(HKEY_CLASSES_ROOT, "VelmoraTest.Html\\shell\\open\\command",
                                  browser_.Program() + " -new-window %1 -foreground");
  TBrowser unquoted;
  unquoted.SetURL("http://example.org/two");
  unquoted.RunBrowser();
  lines = browser_.Starts(2);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[1], browser_.Program() + " -new-window http://example.org/two -foreground");
  TBrowser empty;
  empty.RunBrowser();  // no URL: nothing
  empty.OpenURL();
}

// A browser slow to come up: the launch returns while it is still starting.
TEST_F(Browser, RunBrowserDoesNotWaitForTheBrowserToComeUp) {
  testsupport::SetRegistryDefault(HKEY_CLASSES_ROOT, "VelmoraTest.Html\\shell\\open\\command",
                                  "\"" + browser_.Program() + "\" --slow \"%1\"");
  TBrowser b;
  b.SetURL("http://example.org/slow");
  b.RunBrowser();
  EXPECT_TRUE(browser_.Starts(1, 0).empty()) << "the launch waited for the browser";
  const auto lines = browser_.Starts(1);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0], "\"" + browser_.Program() + "\" --slow \"http://example.org/slow\"");
}

TEST_F(Browser, OpenUrlGoesThroughTheShellAndAutoOpensOncePerValue) {
  TBrowser b;
  b.Auto = true;
  b.SetURL("example.org/home");  // completed with http://
  EXPECT_EQ(b.URL(), "http://example.org/home");
  b.SetURL("example.org/home");  // the same value: not opened again
  auto lines = browser_.Starts(1);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_NE(lines[0].find("shell"), std::string::npos) << lines[0];
  EXPECT_NE(lines[0].find("http://example.org/home"), std::string::npos) << lines[0];
  testsupport::Pump(500);
  EXPECT_EQ(browser_.Starts(1).size(), 1u);
}
