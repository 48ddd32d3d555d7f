// The network workers: each kind of online request (the statistics post, the version file) has a
// way through of its own, started on its first request, so that a server that stays silent to one
// never holds back the other; every request ends within its overall deadline. A reply is posted
// to the window that asked; the UI thread never waits on a socket, and nothing waits for the
// workers at exit or logoff.
#pragma once

#include <windows.h>

#include "core/app/online_logic.h"
#include "core/online/request_lane.h"

namespace quillo {

class NetWorker : public OnlinePlatform {
 public:
  // `message` is posted to `window` whenever a reply is ready.
  NetWorker(HWND window, UINT message);
  NetWorker(const NetWorker&) = delete;
  NetWorker& operator=(const NetWorker&) = delete;

  std::array<uint8_t, 16> NewTimeBasedUuid() override;
  void StartSubmit(SubmitRequest request) override;
  void StartFetch(FetchRequest request) override;

  // On the UI thread, when `message` arrives: hands each finished reply to `online`.
  void DeliverReplies(OnlineLogic& online);

 private:
  // Destroyed with the window: requests not yet started are dropped, and one in flight ends on
  // its own, unseen.
  RequestLane<SubmitRequest, SubmitReply> submits_;
  RequestLane<FetchRequest, FetchReply> fetches_;
};

}  // namespace quillo
