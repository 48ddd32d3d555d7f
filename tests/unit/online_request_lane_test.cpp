// The way through for one kind of online request: replies in order, one request at a time, the
// deadline that ends a request stuck in the system, and a lane that nobody waits for.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

#include "core/online/request_lane.h"

namespace quillo {
namespace {

using namespace std::chrono_literals;

// A generous bound for conditions that come at once; it only ends a test that has failed.
constexpr auto kPatience = 20s;
// Deadlines: one that a test waits for, and one that never comes while a test runs.
constexpr std::chrono::milliseconds kShort{50};
constexpr std::chrono::milliseconds kNoDeadline = std::chrono::hours(1);

// A gate a request waits at, as a socket waits for a server; opened by the test or by the abort.
struct Gate {
  std::mutex mutex;
  std::condition_variable changed;
  bool open = false;
  int waiting = 0;
  void Open() {
    std::lock_guard lock(mutex);
    open = true;
    changed.notify_all();
  }
  void Wait() {
    std::unique_lock lock(mutex);
    ++waiting;
    changed.notify_all();
    changed.wait(lock, [&] { return open; });
    --waiting;
  }
  bool SomeoneWaits() {
    std::unique_lock lock(mutex);
    return changed.wait_for(lock, kPatience, [&] { return waiting > 0; });
  }
};

// The replies a lane hands out, collected as the window would when its message arrives.
struct Replies {
  std::mutex mutex;
  std::condition_variable arrived;
  int signals = 0;
  std::function<void()> Ready() {
    return [this] {
      std::lock_guard lock(mutex);
      ++signals;
      arrived.notify_all();
    };
  }
  template <class Lane>
  std::vector<std::string> Take(Lane& lane, size_t count) {
    std::vector<std::string> got;
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    std::unique_lock lock(mutex);
    while (got.size() < count) {
      lock.unlock();
      while (auto r = lane.TakeReply()) got.push_back(*r);
      lock.lock();
      if (got.size() >= count || !arrived.wait_until(lock, deadline, [&] { return signals > 0; }))
        break;
      signals = 0;
    }
    return got;
  }
};

using Lane = RequestLane<std::string, std::string>;

TEST(RequestLane, RunsItsRequestsOneAtATimeAndRepliesInOrder) {
  std::atomic<int> running{0}, mostAtOnce{0};
  Replies replies;
  Lane lane(
      [&](const std::string& request, RequestAbort&) {
        const int now = ++running;
        for (int seen = mostAtOnce; now > seen && !mostAtOnce.compare_exchange_weak(seen, now);) {
        }
        std::this_thread::yield();
        --running;
        return "reply to " + request;
      },
      "expired", replies.Ready());
  for (const char* request : {"a", "b", "c"}) lane.Start(request, kNoDeadline);
  EXPECT_EQ(replies.Take(lane, 3),
            (std::vector<std::string>{"reply to a", "reply to b", "reply to c"}));
  EXPECT_EQ(mostAtOnce, 1);
  EXPECT_FALSE(lane.TakeReply());
}

TEST(RequestLane, AStuckRequestIsEndedAtItsDeadlineThroughItsAbort) {
  Gate socket;
  std::atomic<int> aborts{0};
  Replies replies;
  Lane lane(
      [&](const std::string& request, RequestAbort& abort) -> std::string {
        if (request == "silent server") {
          // Closing the handle is what ends the wait.
          if (!abort.Arm([&] {
                ++aborts;
                socket.Open();
              }))
            return "gave up before starting";
          socket.Wait();
          return abort.Disarm() ? "answered" : "closed under it";
        }
        return "reply to " + request;
      },
      "timed out", replies.Ready());
  lane.Start("silent server", kShort);
  EXPECT_EQ(replies.Take(lane, 1), std::vector<std::string>{"timed out"});
  EXPECT_EQ(aborts, 1);
  // The next request of the kind goes through as usual.
  lane.Start("next", kNoDeadline);
  EXPECT_EQ(replies.Take(lane, 1), std::vector<std::string>{"reply to next"});
  EXPECT_EQ(aborts, 1);
}

TEST(RequestLane, ARequestThatIgnoresItsAbortStillHoldsTheWayButNoLongerThanEachDeadline) {
  Gate stuck;
  std::atomic<int> started{0};
  Replies replies;
  Lane lane(
      [&](const std::string& request, RequestAbort&) {
        ++started;
        if (request == "stuck") stuck.Wait();  // a system call that no closing ends
        return "reply to " + request;
      },
      "timed out", replies.Ready());
  lane.Start("stuck", kShort);
  EXPECT_EQ(replies.Take(lane, 1), std::vector<std::string>{"timed out"});
  // Never two of a kind at once: the next one waits for the stuck one, but only until its own
  // deadline.
  lane.Start("second", kShort);
  EXPECT_EQ(replies.Take(lane, 1), std::vector<std::string>{"timed out"});
  EXPECT_EQ(started, 1);
  stuck.Open();
  lane.Start("third", kNoDeadline);
  EXPECT_EQ(replies.Take(lane, 1), std::vector<std::string>{"reply to third"});
  EXPECT_EQ(started, 2);
}

TEST(RequestLane, OneKindStuckNeverHoldsBackTheOther) {
  Gate silent;
  Replies postReplies, checkReplies;
  auto run = [&](const std::string& request, RequestAbort&) {
    if (request == "silent") silent.Wait();
    return "reply to " + request;
  };
  Lane posts(run, "expired", postReplies.Ready());
  Lane checks(run, "expired", checkReplies.Ready());
  checks.Start("silent", kNoDeadline);
  ASSERT_TRUE(silent.SomeoneWaits());
  posts.Start("post", kNoDeadline);
  EXPECT_EQ(postReplies.Take(posts, 1), std::vector<std::string>{"reply to post"});
  silent.Open();
  EXPECT_EQ(checkReplies.Take(checks, 1), std::vector<std::string>{"reply to silent"});
}

TEST(RequestLane, NobodyWaitsForARequestInFlightWhenTheLaneGoes) {
  auto silent = std::make_shared<Gate>();
  auto lane = std::make_unique<Lane>(
      [silent](const std::string&, RequestAbort&) {
        silent->Wait();
        return std::string("late");
      },
      "expired", [] {});
  lane->Start("request", kNoDeadline);
  ASSERT_TRUE(silent->SomeoneWaits());
  lane.reset();  // returns while the request still waits
  silent->Open();
}

TEST(RequestAbort, ClosesTheHandleExactlyOnceWhoeverComesFirst) {
  struct Case {
    const char* name;
    bool deadlineFirst;
    bool ownerCloses, closedByDeadline;
  };
  for (const Case& c :
       {Case{"OwnerFirst", false, true, false}, Case{"DeadlineFirst", true, false, true}}) {
    SCOPED_TRACE(c.name);
    RequestAbort abort;
    int closed = 0;
    ASSERT_TRUE(abort.Arm([&] { ++closed; }));
    if (c.deadlineFirst) abort.Fire();
    EXPECT_EQ(abort.Disarm(), c.ownerCloses);
    abort.Fire();
    EXPECT_EQ(closed, c.closedByDeadline ? 1 : 0);
    EXPECT_TRUE(abort.fired());
    // Once the deadline has passed, nothing more is armed.
    EXPECT_FALSE(abort.Arm([&] { ++closed; }));
  }
}

}  // namespace
}  // namespace quillo
