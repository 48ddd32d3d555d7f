// The network worker: one background thread that runs the online requests one at a time and
// posts a message to the window that asked when a reply is ready. The UI thread never waits on a
// socket, and nothing waits for the worker at exit or logoff.
#pragma once

#include <windows.h>

#include <memory>

#include "core/app/online_logic.h"

namespace quillo {

class NetWorker : public OnlinePlatform {
 public:
  // `message` is posted to `window` whenever a reply is ready.
  NetWorker(HWND window, UINT message);
  // Drops the requests not yet started and lets a request in flight end on its own, unseen.
  ~NetWorker() override;
  NetWorker(const NetWorker&) = delete;
  NetWorker& operator=(const NetWorker&) = delete;

  std::array<uint8_t, 16> NewTimeBasedUuid() override;
  void StartSubmit(SubmitRequest request) override;
  void StartFetch(FetchRequest request) override;

  // On the UI thread, when `message` arrives: hands each finished reply to `online`.
  void DeliverReplies(OnlineLogic& online);

 private:
  struct Shared;
  void Start();
  std::shared_ptr<Shared> shared_;
};

}  // namespace quillo
