// One way through for one kind of online request: its own thread, started on the first request,
// that runs the requests of its kind one at a time, each within an overall deadline. A request of
// one kind never waits behind another kind's, and a server that never answers costs the user no
// more than the deadline.
#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>

namespace quillo {

// How a request that is blocked in the system can be ended from another thread: the request arms
// it with the action that ends its wait (closing its handle) and disarms it before it closes that
// handle itself, so that the handle is closed exactly once.
class RequestAbort {
 public:
  // False when the deadline has already passed: the request must give up (and run nothing).
  bool Arm(std::function<void()> action) {
    std::lock_guard lock(mutex_);
    if (fired_) return false;
    action_ = std::move(action);
    return true;
  }
  // True when the action was still armed (the caller now owns the handle again); false when the
  // deadline's thread has run it already.
  bool Disarm() {
    std::lock_guard lock(mutex_);
    return std::exchange(action_, nullptr) != nullptr;
  }
  // Runs the armed action once. The lock is held while it runs, so a Disarm that comes meanwhile
  // waits until the handle is closed instead of closing it a second time.
  void Fire() {
    std::lock_guard lock(mutex_);
    fired_ = true;
    if (auto action = std::exchange(action_, nullptr)) action();
  }
  bool fired() const {
    std::lock_guard lock(mutex_);
    return fired_;
  }

 private:
  mutable std::mutex mutex_;
  std::function<void()> action_;
  bool fired_ = false;
};

template <class Request, class Reply>
class RequestLane {
 public:
  using Clock = std::chrono::steady_clock;
  // Runs one request to its end on a thread of its own; it arms `abort` around its waits.
  using Run = std::function<Reply(const Request&, RequestAbort& abort)>;

  // `expired` is the reply given for a request whose deadline passed first; `ready` is called on
  // the lane's thread whenever a reply is waiting to be taken.
  RequestLane(Run run, Reply expired, std::function<void()> ready)
      : shared_(std::make_shared<Shared>()) {
    shared_->run = std::move(run);
    shared_->expired = std::move(expired);
    shared_->ready = std::move(ready);
  }

  // Drops the requests not yet started and lets a request in flight end on its own, unseen:
  // nothing waits for the lane's threads (at exit or logoff least of all).
  ~RequestLane() {
    std::lock_guard lock(shared_->mutex);
    shared_->closing = true;
    shared_->requests.clear();
    shared_->replies.clear();
    shared_->wake.notify_all();
  }
  RequestLane(const RequestLane&) = delete;
  RequestLane& operator=(const RequestLane&) = delete;

  // The request's deadline is `limit` from now, also while it waits for an earlier one.
  void Start(Request request, std::chrono::milliseconds limit) {
    std::lock_guard lock(shared_->mutex);
    if (!shared_->started) {
      // Started on the first request, so a user who never goes online never has the thread.
      shared_->started = true;
      std::thread(&RequestLane::Keep, shared_).detach();
    }
    shared_->requests.push_back({std::move(request), Clock::now() + limit});
    shared_->wake.notify_all();
  }

  // The next finished reply, in the order the requests were made.
  std::optional<Reply> TakeReply() {
    std::lock_guard lock(shared_->mutex);
    if (shared_->replies.empty()) return std::nullopt;
    Reply reply = std::move(shared_->replies.front());
    shared_->replies.pop_front();
    return reply;
  }

 private:
  struct Pending {
    Request request;
    Clock::time_point deadline;
  };
  // One request's run, shared by the lane's thread and the thread that runs it.
  struct Running {
    std::mutex mutex;
    std::condition_variable done;
    std::optional<Reply> reply;
    RequestAbort abort;
  };
  struct Shared {
    std::mutex mutex;
    std::condition_variable wake;
    std::deque<Pending> requests;
    std::deque<Reply> replies;
    Run run;
    Reply expired;
    std::function<void()> ready;
    bool started = false;
    bool closing = false;
  };

  static void Deliver(const std::shared_ptr<Shared>& s, Reply reply) {
    std::lock_guard lock(s->mutex);
    if (s->closing) return;
    s->replies.push_back(std::move(reply));
    if (s->ready) s->ready();
  }

  static bool Finishes(Running& r, Clock::time_point deadline) {
    std::unique_lock lock(r.mutex);
    return r.done.wait_until(lock, deadline, [&] { return r.reply.has_value(); });
  }

  // The lane's thread keeps the deadlines; each request runs on a thread of its own, so that a
  // request stuck in the system cannot keep its deadline from passing.
  static void Keep(std::shared_ptr<Shared> s) {
    // A run given up at its deadline still holds the way until the system lets it go.
    std::shared_ptr<Running> abandoned;
    for (;;) {
      Pending next;
      {
        std::unique_lock lock(s->mutex);
        s->wake.wait(lock, [&] { return s->closing || !s->requests.empty(); });
        if (s->closing) return;
        next = std::move(s->requests.front());
        s->requests.pop_front();
      }
      if (abandoned) {
        if (!Finishes(*abandoned, next.deadline)) {
          Deliver(s, s->expired);
          continue;
        }
        abandoned.reset();
      }
      auto running = std::make_shared<Running>();
      std::thread([s, running, request = std::move(next.request)] {
        Reply reply = s->run(request, running->abort);
        std::lock_guard lock(running->mutex);
        running->reply = std::move(reply);
        running->done.notify_all();
      }).detach();
      if (Finishes(*running, next.deadline)) {
        Deliver(s, std::move(*running->reply));
      } else {
        running->abort.Fire();
        Deliver(s, s->expired);
        abandoned = std::move(running);
      }
    }
  }

  std::shared_ptr<Shared> shared_;
};

}  // namespace quillo
