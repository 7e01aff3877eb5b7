// The stand-in player loads the DLL from its Plugins folder and drives its entries.
#include <gtest/gtest.h>

#include <algorithm>

#include "support.h"

using namespace testsupport;

namespace {

ptrdiff_t IndexOf(const std::vector<std::string>& lines, const std::string& line) {
  auto it = std::find(lines.begin(), lines.end(), line);
  return it == lines.end() ? -1 : it - lines.begin();
}

}  // namespace

TEST(Lifecycle, InitConfigQuitRunOnTheMainThreadInOrder) {
  HostDir host;
  Player player(host);
  ASSERT_NE(player.Window(), nullptr);
  ASSERT_TRUE(ConfigureAndClose(player));  // config of plugin 0, its dialog closed
  ASSERT_EQ(player.Close(), 0u);

  const auto log = player.Log();
  const auto load = IndexOf(log,
                            "plugin load gen_velmora.dll version=16 "
                            "description=\"DRAV v1.07   [gen_velmora.dll]\"");
  const auto init = IndexOf(log, "plugin init gen_velmora.dll thread=main");
  const auto initDone = IndexOf(log, "plugin init gen_velmora.dll result=0");
  const auto config = IndexOf(log, "plugin config gen_velmora.dll thread=main");
  const auto quit = IndexOf(log, "plugin quit gen_velmora.dll thread=main");
  const auto quitDone = IndexOf(log, "plugin quit gen_velmora.dll done");
  const auto unload = IndexOf(log, "plugin unload gen_velmora.dll");
  const auto exit = IndexOf(log, "player exit 0");
  ASSERT_GE(load, 0);
  EXPECT_LT(load, init);
  EXPECT_LT(init, initDone);
  EXPECT_LT(initDone, config);
  EXPECT_LT(config, quit);
  EXPECT_LT(quit, quitDone);
  EXPECT_LT(quitDone, unload);
  EXPECT_LT(unload, exit);
}
