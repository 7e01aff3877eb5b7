// Browser launch against a stand-in browser of ours, registered in this prefix as the
// ".htm" and "http" handler for the length of each case.
#include <gtest/gtest.h>

#include <memory>

#include "config/uBrowser.h"
#include "engine/uUtils.h"
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

TEST_F(Browser, RunBrowserStartsTheProgramWithTheUrl) {
  TBrowser b;
  b.SetURL("http://example.org/velmora");
  b.RunBrowser();
  const auto lines = browser_.Starts(1);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0], "\"" + browser_.Program() + "\" http://example.org/velmora");
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
  auto lines = browser_.Starts(1);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_NE(lines[0].find("shell"), std::string::npos) << lines[0];
  EXPECT_NE(lines[0].find("http://example.org/home"), std::string::npos) << lines[0];
  testsupport::Pump(500);
  EXPECT_EQ(browser_.Starts(1).size(), 1u);
}
