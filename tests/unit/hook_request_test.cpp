// The hand-over between the caller that stops waiting and the input thread that works late.
#include "core/counting/hook_request.h"

#include <gtest/gtest.h>

#include <thread>

namespace quillo {
namespace {

TEST(RequestHandOver, ALateRequestNeverTakesEffectBehindTheCallersBack) {
  {
    RequestHandOver r;  // answered in time
    EXPECT_TRUE(r.Claim());
    EXPECT_TRUE(r.Finish());
    EXPECT_EQ(r.GiveUp(), RequestHandOver::GaveUp::kTooLate);
  }
  {
    RequestHandOver r;  // the input thread was stalled: it must skip the request
    EXPECT_EQ(r.GiveUp(), RequestHandOver::GaveUp::kBeforeStart);
    EXPECT_FALSE(r.Claim());
  }
  {
    RequestHandOver r;  // stalled inside the work: it must undo what it did
    EXPECT_TRUE(r.Claim());
    EXPECT_EQ(r.GiveUp(), RequestHandOver::GaveUp::kWhileRunning);
    EXPECT_FALSE(r.Finish());
  }
}

TEST(RequestHandOver, EveryRaceEndsWithExactlyOneSideOwningTheResult) {
  for (int round = 0; round < 2000; ++round) {
    RequestHandOver r;
    bool kept = false, undone = false, skipped = false;
    std::thread input([&] {
      if (!r.Claim()) {
        skipped = true;
        return;
      }
      if (r.Finish())
        kept = true;
      else
        undone = true;
    });
    const auto gave = r.GiveUp();
    input.join();
    // The caller uses the result exactly when the input thread kept it.
    EXPECT_EQ(gave == RequestHandOver::GaveUp::kTooLate, kept);
    EXPECT_EQ(gave == RequestHandOver::GaveUp::kBeforeStart, skipped);
    EXPECT_EQ(gave == RequestHandOver::GaveUp::kWhileRunning, undone);
  }
}

}  // namespace
}  // namespace quillo
