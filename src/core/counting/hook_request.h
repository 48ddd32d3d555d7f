// The hand-over of one install or remove request between the window's thread, which asks and
// waits a bounded time, and the input thread, which does the work when it gets to it. When the
// caller stops waiting, the request must not take effect behind its back: a late install would
// leave a hook that nobody owns, and every event would be counted twice.
#pragma once

#include <atomic>
#include <cstdint>

namespace quillo {

class RequestHandOver {
 public:
  // Input thread, before the work: false when the caller has given up (skip the request).
  bool Claim() {
    int expected = kPending;
    return state_.compare_exchange_strong(expected, kRunning);
  }
  // Input thread, after the work: false when the caller gave up meanwhile (undo an install).
  bool Finish() {
    int expected = kRunning;
    return state_.compare_exchange_strong(expected, kDone);
  }

  enum class GaveUp : uint8_t {
    kBeforeStart,   // the input thread will skip it
    kWhileRunning,  // the input thread will undo it when it finishes
    kTooLate,       // it was done after all: the result holds
  };
  // The caller, when its wait ran out.
  GaveUp GiveUp() {
    int expected = kPending;
    if (state_.compare_exchange_strong(expected, kAbandoned)) return GaveUp::kBeforeStart;
    if (expected == kRunning && state_.compare_exchange_strong(expected, kAbandoned))
      return GaveUp::kWhileRunning;
    return GaveUp::kTooLate;
  }

 private:
  enum : int { kPending, kRunning, kDone, kAbandoned };
  std::atomic<int> state_{kPending};
};

}  // namespace quillo
