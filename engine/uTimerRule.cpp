#include "engine/uTimerRule.h"

namespace velmora {

TTimerChange StartTimer(TTimerSlot& slot, unsigned ms, bool anew) noexcept {
  if (slot.Running && slot.IntervalMs == ms && !anew) return TTimerChange::None;
  slot = {ms, true};
  return ms ? TTimerChange::Set : TTimerChange::Kill;
}

TTimerChange StopTimer(TTimerSlot& slot) noexcept {
  if (!slot.Running) return TTimerChange::None;
  slot.Running = false;
  return TTimerChange::Kill;
}

}  // namespace velmora
