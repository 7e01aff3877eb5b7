// The wheel's notches: fine-grained deltas summed exactly, the remainder's life, and the
// acceleration of a fast turn.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "engine/uWheelNotches.h"
#include "settings/uEngineSettings.h"

using namespace velmora;

namespace {

struct Event {
  int Delta;
  std::uint32_t AtMs;
};

// The commands each event gives, on one counter.
std::vector<int> Turn(const std::vector<Event>& events, bool accelerate = false) {
  TWheelNotches notches;
  std::vector<int> out;
  for (const Event& e : events) out.push_back(notches.Turn(e.Delta, e.AtMs, accelerate));
  return out;
}

}  // namespace

TEST(WheelNotches, EachRuleOfTheRemainderAndTheSteps) {
  const struct {
    const char* Case;
    std::vector<Event> Events;
    bool Accelerate;
    std::vector<int> Expected;
  } rows[] = {
      {"whole notches both ways", {{120, 0}, {-120, 200}, {240, 400}}, false, {1, -1, 2}},
      {"eight eighths make one",
       {{15, 0}, {15, 70}, {15, 140}, {15, 210}, {15, 280}, {15, 350}, {15, 420}, {15, 490}},
       false,
       {0, 0, 0, 0, 0, 0, 0, 1}},
      {"the remainder is kept between events", {{90, 0}, {90, 400}, {60, 800}}, false, {0, 1, 1}},
      {"a turn the other way drops it",
       {{90, 0}, {-60, 100}, {-60, 200}, {90, 300}},
       false,
       {0, 0, -1, 0}},
      {"a pause of 500 ms drops it",
       {{90, 0}, {60, 499}, {90, 999}, {60, 1499}},
       false,
       {0, 1, 0, 0}},
      {"the clock wraps", {{60, 0xFFFFFF00u}, {60, 0x40}}, false, {0, 1}},
      {"a delta of 0 turns no way", {{90, 0}, {0, 100}, {30, 200}}, false, {0, 0, 1}},
      {"within 60 ms counts 2, within 30 ms 4",
       {{120, 0}, {120, 61}, {120, 121}, {120, 151}, {120, 181}},
       true,
       {1, 1, 2, 4, 4}},
      {"not accelerated: one each", {{120, 0}, {120, 10}, {120, 20}}, false, {1, 1, 1}},
      {"two notches at once are a fast turn", {{240, 0}}, true, {5}},
      {"the other way starts slowly",
       {{120, 0}, {120, 20}, {-120, 40}, {-120, 50}},
       true,
       {1, 4, -1, -4}},
  };
  for (const auto& row : rows)
    EXPECT_EQ(Turn(row.Events, row.Accelerate), row.Expected) << row.Case;
}

// A thousand slow events of mixed fine deltas lose nothing and invent nothing; a fast spin
// of 20 notches turns the volume at least 60 steps.
TEST(WheelNotches, SlowFineDeltasSumExactlyAndAFastSpinGoesFar) {
  TWheelNotches slow;
  const int deltas[] = {15, 30, 60, 120, 15, 60, 30};
  long sum = 0, steps = 0;
  for (int i = 0; i < 1000; ++i) {
    const int d = deltas[i % std::size(deltas)];
    sum += d;
    steps += slow.Turn(d, static_cast<std::uint32_t>(i) * 100, true);
  }
  EXPECT_EQ(steps, sum / TWheelNotches::Notch);
  TWheelNotches fast;
  int volume = 0;
  for (std::uint32_t i = 0; i < 20; ++i) volume += fast.Turn(120, i * 15, true);
  EXPECT_GE(volume, 60);
  EXPECT_EQ(TWheelNotches().Turn(-120 * 20, 0, false), -20);
}

TEST(WheelNotches, ChordAndActionOutsideTheirRangesReadAsTheDefaults) {
  EXPECT_EQ(WheelChord(0), WheelCtrl | WheelAlt);
  EXPECT_EQ(WheelChord(999), WheelCtrl | WheelAlt);
  EXPECT_EQ(WheelChord(-4), WheelCtrl | WheelAlt);
  EXPECT_EQ(WheelChord(WheelShift | WheelWin), WheelShift | WheelWin);
  EXPECT_EQ(WheelChord(15), 15);  // all four keys
  EXPECT_EQ(WheelChord(1), WheelShift);
  EXPECT_EQ(WheelActionOf(7), WheelVolume);
  EXPECT_EQ(WheelActionOf(-1), WheelVolume);
  EXPECT_EQ(WheelActionOf(WheelTrack), WheelTrack);
}
