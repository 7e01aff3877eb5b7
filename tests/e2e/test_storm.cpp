// Load end to end: after a storm of keys and popups the player's process holds what it
// held before, no popup is left, and the hot keys still work.
#include <gtest/gtest.h>

#include "host_fixture.h"
#include "storm.h"

using namespace testsupport;

namespace {
class Storm : public HostTest {};
}  // namespace

TEST_F(Storm, KeysAndPopupsLeaveNothingBehindAndTheHotKeysStillWork) {
  Start(StormSettings());
  FocusNotepad();
  const StormResult s = RunStorm(*player_, *notepad_, 1000, 100, 40);
  ASSERT_TRUE(s.Ok) << s.Failure;
  EXPECT_EQ(s.KeysReceived, s.KeysTyped);  // the hook never eats a key
  EXPECT_EQ(s.Popups, 100);
  EXPECT_EQ(s.PopupsLeft, 0);
  EXPECT_TRUE(s.HotKeyAfterwards);
  EXPECT_GE(s.Commands, 1 + 100 + 1);  // plus those of the bursts that were not dropped
  ASSERT_GT(s.Before.Windows, 0);
  EXPECT_EQ(s.After.Windows, s.Before.Windows);
  EXPECT_EQ(s.After.Gdi, s.Before.Gdi);
  EXPECT_EQ(s.After.User, s.Before.User);
  ASSERT_GT(s.Before.GdiFree, 0);
  // Wine's device-context cache grows once, by a few handles, to what many popups at a
  // time need, in either half; a leak of one object per popup would be 50 in each half.
  EXPECT_LT(s.Middle.GdiFree - s.After.GdiFree, 16);
  EXPECT_LT(s.Before.GdiFree - s.After.GdiFree, 16);
  ASSERT_GT(s.Before.PrivateBytes, 0);
  // The heap may keep a little of what it handed out; a leak per popup would be more.
  EXPECT_LT(s.After.PrivateBytes - s.Middle.PrivateBytes, 1L << 20);
  EXPECT_LT(s.After.PrivateBytes - s.Before.PrivateBytes, 2L << 20);
}
