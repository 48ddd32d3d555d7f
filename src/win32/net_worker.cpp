// The two lanes of the online requests and the replies they give when their deadline passes.
#include "win32/net_worker.h"

#include <winhttp.h>

#include "core/online/submission.h"
#include "core/online/version_file.h"
#include "win32/http_client.h"

namespace quillo {
namespace {

std::function<void()> PostTo(HWND window, UINT message) {
  return [window, message] { PostMessageW(window, message, 0, 0); };
}

SubmitReply PostTimedOut() {
  SubmitReply reply;
  reply.error = NetErrorText(kSubmitErrorPrefix, ERROR_WINHTTP_TIMEOUT);
  return reply;
}

FetchReply FetchTimedOut() {
  FetchReply reply;
  reply.error = NetErrorText("Cannot open URL " + std::string(kVersionFileUrl), WSAETIMEDOUT);
  return reply;
}

}  // namespace

NetWorker::NetWorker(HWND window, UINT message)
    : submits_(HttpPostForm, PostTimedOut(), PostTo(window, message)),
      fetches_([](const FetchRequest& r, RequestAbort& abort) { return WebGetText(r.url, abort); },
               FetchTimedOut(), PostTo(window, message)) {}

std::array<uint8_t, 16> NetWorker::NewTimeBasedUuid() {
  return quillo::NewTimeBasedUuid();
}

void NetWorker::StartSubmit(SubmitRequest request) {
  submits_.Start(std::move(request), std::chrono::milliseconds(kSubmitDeadlineMs));
}

void NetWorker::StartFetch(FetchRequest request) {
  fetches_.Start(std::move(request), std::chrono::milliseconds(kVersionCheckDeadlineMs));
}

void NetWorker::DeliverReplies(OnlineLogic& online) {
  // Reporting may open a modal box, whose message loop can deliver the next reply: nothing is
  // held while a reply is reported.
  for (bool more = true; more;) {
    more = false;
    if (auto post = submits_.TakeReply()) {
      online.SubmitFinished(*post);
      more = true;
    }
    if (auto fetch = fetches_.TakeReply()) {
      online.VersionFetched(*fetch);
      more = true;
    }
  }
}

}  // namespace quillo
