// The thread timer: a worker that sleeps, ticks handed to this (the UI) thread.
#include <gtest/gtest.h>

#include <memory>

#include "config/uThreadTimer.h"
#include "support.h"
#include "ui/uControls.h"

using namespace velmora;
using testsupport::Pump;
using testsupport::WaitFor;

TEST(ThreadTimer, DefaultsAndTheIntervalRules) {
  TThreadTimer t(nullptr);
  EXPECT_FALSE(t.Enabled());
  EXPECT_EQ(t.Interval(), 100);
  EXPECT_EQ(t.MessageNo, 768);
  EXPECT_EQ(t.TickMessage(), 0x700u);
  EXPECT_TRUE(t.Worker().Suspended());
  t.SetInterval(0);
  t.SetEnabled(true);  // no interval: stays off
  EXPECT_FALSE(t.Enabled());
  EXPECT_TRUE(t.Worker().Suspended());
  t.SetInterval(20);
  t.SetEnabled(true);
  EXPECT_TRUE(t.Enabled());
  EXPECT_FALSE(t.Worker().Suspended());
  t.SetInterval(-5);  // stored as 0, and that disables
  EXPECT_EQ(t.Interval(), 0);
  EXPECT_FALSE(t.Enabled());
  EXPECT_TRUE(t.Worker().Suspended());
}

TEST(ThreadTimer, PriorityGoesToTheWorkerThread) {
  TThreadTimer t(nullptr);
  EXPECT_EQ(t.Priority(), TThreadPriority::tpNormal);
  t.SetPriority(TThreadPriority::tpHigher);
  EXPECT_EQ(t.Priority(), TThreadPriority::tpHigher);
  t.SetPriority(TThreadPriority::tpIdle);
  EXPECT_EQ(t.Priority(), TThreadPriority::tpIdle);
  EXPECT_EQ(t.Worker().Priority(), THREAD_PRIORITY_IDLE);
}

TEST(ThreadTimer, TicksRunOnThisThreadAndAHandlerThatDisablesGetsNoMore) {
  TThreadTimer t(nullptr);
  t.SetInterval(10);
  int ticks = 0;
  DWORD thread = 0;
  t.OnTimer = [&](TThreadTimer& sender) {
    thread = GetCurrentThreadId();
    EXPECT_EQ(&sender, &t);
    EXPECT_TRUE(sender.InTick());
    if (++ticks == 3) sender.SetEnabled(false);
  };
  t.SetEnabled(true);
  ASSERT_TRUE(WaitFor([&] { return ticks >= 3; }, 5000));
  EXPECT_EQ(thread, GetCurrentThreadId());
  EXPECT_FALSE(t.InTick());
  Pump(200);
  EXPECT_EQ(ticks, 3);
  // Enabled again: ticking goes on, the first tick after one interval at the soonest.
  t.SetInterval(150);
  const DWORD start = GetTickCount();
  DWORD first = 0;
  t.OnTimer = [&](TThreadTimer& sender) {
    if (!first) first = GetTickCount();
    ++ticks;
    sender.SetEnabled(false);
  };
  t.SetEnabled(true);
  ASSERT_TRUE(WaitFor([&] { return ticks == 4; }, 5000));
  EXPECT_GE(first - start, 140u);
}

// The worker's hand-over was already on its way when the timer was disabled: it is served
// when this thread next pumps, and it runs no handler.
TEST(ThreadTimer, AHandOverPendingAcrossTheDisableRunsNoTick) {
  TThreadTimer t(nullptr);
  t.SetInterval(1);
  int ticks = 0;
  t.OnTimer = [&](TThreadTimer&) { ++ticks; };
  t.SetEnabled(true);
  ASSERT_TRUE(WaitFor([&] { return ticks > 0; }, 5000));
  Sleep(50);  // busy without serving sent messages: the worker waits in its hand-over
  const int before = ticks;
  t.SetEnabled(false);
  Pump(200);  // serves it
  EXPECT_EQ(ticks, before);
}

TEST(ThreadTimer, NoTickWhileDisabledAndAtMostOneTickMessageWaits) {
  ui::TForm owner;
  auto* t = new TThreadTimer(&owner);
  t->UseMessage = true;
  t->SetInterval(5);
  const HWND window = owner.Handle();
  t->SetEnabled(true);
  // Not pumping: ticks still run (the hand-over is a sent message, which a wait for sent
  // messages serves), but only one posted message may wait.
  for (int i = 0; i < 40; ++i) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_SENDMESSAGE);
    MSG m;
    PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  }
  // Disabled before counting: each PeekMessage of the count serves a pending hand-over,
  // whose tick would post again once the waiting message is gone.
  t->SetEnabled(false);
  int waiting = 0;
  MSG m;
  while (PeekMessageA(&m, window, t->TickMessage(), t->TickMessage(), PM_REMOVE)) ++waiting;
  EXPECT_EQ(waiting, 1);
  Pump(100);
  while (PeekMessageA(&m, window, t->TickMessage(), t->TickMessage(), PM_REMOVE)) {
  }
  Pump(200);
  EXPECT_FALSE(PeekMessageA(&m, window, t->TickMessage(), t->TickMessage(), PM_NOREMOVE));
  // A message timer without an owner control skips every tick.
  TThreadTimer orphan(nullptr);
  orphan.UseMessage = true;
  orphan.SetInterval(5);
  orphan.SetEnabled(true);
  Pump(100);
  EXPECT_FALSE(orphan.InTick());
}

TEST(ThreadTimer, DestructionEndsTheWorkerDisabledRunningOrWithAHandOverPending) {
  { TThreadTimer never(nullptr); }  // suspended from birth
  {
    TThreadTimer off(nullptr);
    off.SetInterval(5);
    off.SetEnabled(true);
    Pump(50);
    off.SetEnabled(false);
  }
  int ticks = 0;
  {
    auto* t = new TThreadTimer(nullptr);
    t->SetInterval(1);
    t->OnTimer = [&](TThreadTimer&) { ++ticks; };
    t->SetEnabled(true);
    ASSERT_TRUE(WaitFor([&] { return ticks > 0; }, 5000));
    // Busy without serving sent messages: the worker waits in its hand-over.
    Sleep(50);
    const int before = ticks;
    delete t;  // serves the pending hand-over, whose tick returns at once
    EXPECT_EQ(ticks, before);
  }
  {
    // A long interval does not hold up the end: the sleep ends with the terminate request.
    auto slow = std::make_unique<TThreadTimer>(nullptr);
    slow->SetInterval(60000);
    slow->SetEnabled(true);
    Pump(20);
    const DWORD start = GetTickCount();
    slow.reset();
    EXPECT_LT(GetTickCount() - start, 30000u);
  }
}
