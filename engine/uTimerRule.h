// When a timer of the engine's window is set, killed or left running. No Windows header.
#pragma once

namespace velmora {

struct TTimerSlot {
  unsigned IntervalMs = 0;
  bool Running = false;
};

enum class TTimerChange { None, Set, Kill };

// A start. One that runs at the same interval keeps its time (a gesture's later step does
// not lengthen its window) unless begun anew (a repeat's next step, the poll's new pace);
// a new interval begins it again; an interval of 0 never fires.
TTimerChange StartTimer(TTimerSlot& slot, unsigned ms, bool anew) noexcept;
TTimerChange StopTimer(TTimerSlot& slot) noexcept;

}  // namespace velmora
