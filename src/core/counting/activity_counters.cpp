// Whole-layer operations of the counter record.
#include "core/counting/activity_counters.h"

namespace quillo {

void ActivityCounters::ZeroLive() {
  for (Counter c : kAllCounters)
    liveBase[static_cast<int>(c)] = Live(c).load(std::memory_order_relaxed);
}
void ActivityCounters::ZeroHist() {
  for (Counter c : kAllCounters) Hist(c) = 0;
}

}  // namespace quillo
