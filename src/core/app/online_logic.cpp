// When the online requests start and how their replies are reported.
#include "core/app/online_logic.h"

#include "core/app/main_logic.h"
#include "core/online/submission.h"

namespace quillo {

OnlineLogic::OnlineLogic(const ActivityCounters& counters, const Settings& settings,
                         OnlinePlatform& platform, OnlineView& view,
                         std::function<void(const std::string&)> writelog)
    : c_(counters),
      s_(settings),
      platform_(platform),
      view_(view),
      writelog_(std::move(writelog)) {}

bool OnlineLogic::SubmitScores() {
  if (submitting_) return false;
  const SubmitValues values = CollectSubmitValues(c_, s_);
  // GetMacId: computed anew for every submission.
  const std::string macId = MacIdFromUuid(platform_.NewTimeBasedUuid());
  submitting_ = true;
  platform_.StartSubmit({kSubmitHost, kSubmitPort, kSubmitPath, SubmissionBody(values, macId)});
  return true;
}

std::string OnlineLogic::SubmitErrorText(const SubmitReply& reply) {
  if (!reply.received)
    return reply.error.empty() ? "The statistics could not be sent" : reply.error;
  if (IsSuccessStatus(reply.status)) return {};
  return HttpErrorMessage(reply.status, reply.statusText, reply.body);
}

void OnlineLogic::SubmitFinished(const SubmitReply& reply) {
  submitting_ = false;
  const std::string error = SubmitErrorText(reply);
  if (error.empty()) {
    writelog_(kSubmittedLine);
    return;
  }
  // A machine left alone with its network down gets one box, not one per interval: failures
  // that arrive while the box is open are not shown again.
  if (errorBoxOpen_) return;
  errorBoxOpen_ = true;
  view_.ShowSubmitError(error);
  errorBoxOpen_ = false;
}

bool OnlineLogic::CheckNewVersion(bool silent) {
  if (checking_) return false;
  checking_ = true;
  silent_ = silent;
  platform_.StartFetch({kVersionFileUrl});
  return true;
}

void OnlineLogic::VersionFetched(const FetchReply& reply) {
  const bool silent = silent_;
  std::optional<UpdateDialogState> state;
  if (reply.ok) state = EvaluateVersionFile(reply.text, kWindowVersion);
  // The check lasts until its dialog or warning is closed, so that a second one cannot open
  // over it from the notification-area menu.
  const bool shown = state && view_.ShowUpdateDialog(*state);
  if (!shown && !silent) view_.ShowWarning(kCannotConnect);
  checking_ = false;
}

}  // namespace quillo
