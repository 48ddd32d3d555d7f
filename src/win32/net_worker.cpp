// The worker thread and its two queues. The thread owns a share of the queues, so the window may
// go away (or the process end) while a request is still waiting for a server.
#include "win32/net_worker.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <variant>

#include "win32/http_client.h"

namespace quillo {

struct NetWorker::Shared {
  std::mutex mutex;
  std::condition_variable wake;
  std::deque<std::variant<SubmitRequest, FetchRequest>> requests;
  std::deque<std::variant<SubmitReply, FetchReply>> replies;
  HWND window = nullptr;
  UINT message = 0;
  bool running = false;
  bool closing = false;
};

NetWorker::NetWorker(HWND window, UINT message) : shared_(std::make_shared<Shared>()) {
  shared_->window = window;
  shared_->message = message;
}

NetWorker::~NetWorker() {
  std::lock_guard lock(shared_->mutex);
  shared_->closing = true;
  shared_->window = nullptr;
  shared_->requests.clear();
  shared_->wake.notify_all();
}

std::array<uint8_t, 16> NetWorker::NewTimeBasedUuid() {
  return quillo::NewTimeBasedUuid();
}

void NetWorker::Start() {
  // Started on the first request, so a user who never goes online never has the thread.
  if (shared_->running) return;
  shared_->running = true;
  std::thread([shared = shared_] {
    for (;;) {
      std::variant<SubmitRequest, FetchRequest> request;
      {
        std::unique_lock lock(shared->mutex);
        shared->wake.wait(lock, [&] { return shared->closing || !shared->requests.empty(); });
        if (shared->closing) return;
        request = std::move(shared->requests.front());
        shared->requests.pop_front();
      }
      std::variant<SubmitReply, FetchReply> reply;
      if (const auto* post = std::get_if<SubmitRequest>(&request))
        reply = HttpPostForm(*post);
      else
        reply = WebGetText(std::get<FetchRequest>(request).url);
      std::lock_guard lock(shared->mutex);
      if (shared->closing) return;
      shared->replies.push_back(std::move(reply));
      PostMessageW(shared->window, shared->message, 0, 0);
    }
  }).detach();
}

void NetWorker::StartSubmit(SubmitRequest request) {
  std::lock_guard lock(shared_->mutex);
  Start();
  shared_->requests.emplace_back(std::move(request));
  shared_->wake.notify_one();
}

void NetWorker::StartFetch(FetchRequest request) {
  std::lock_guard lock(shared_->mutex);
  Start();
  shared_->requests.emplace_back(std::move(request));
  shared_->wake.notify_one();
}

void NetWorker::DeliverReplies(OnlineLogic& online) {
  for (;;) {
    std::variant<SubmitReply, FetchReply> reply;
    {
      std::lock_guard lock(shared_->mutex);
      if (shared_->replies.empty()) return;
      reply = std::move(shared_->replies.front());
      shared_->replies.pop_front();
    }
    // Reporting may open a modal box, whose message loop can deliver the next reply: the lock is
    // not held here.
    if (const auto* post = std::get_if<SubmitReply>(&reply))
      online.SubmitFinished(*post);
    else
      online.VersionFetched(std::get<FetchReply>(reply));
  }
}

}  // namespace quillo
