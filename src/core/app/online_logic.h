// The online services as the main window runs them: statistics submission and update check.
// Requests run off the UI thread (OnlinePlatform); their replies come back to the UI thread and
// are reported here. At most one request of a kind is in flight, and at most one submission
// error box is open at a time.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "core/counting/activity_counters.h"
#include "core/online/version_file.h"
#include "core/store/settings_store.h"

namespace quillo {

// Everything a post needs, copied: nothing is shared with the UI thread while it runs.
struct SubmitRequest {
  std::string host;
  uint16_t port = 443;
  std::string path;
  std::string body;
};

struct SubmitReply {
  bool received = false;  // false: no reply (no connection, time-out, TLS failure…)
  int status = 0;
  std::string statusText;
  std::string body;   // as received (UTF-8), at most kMaxReplyBytes
  std::string error;  // the HTTP client's own message when nothing was received
};

struct FetchRequest {
  std::string url;
};

struct FetchReply {
  bool ok = false;
  std::string text;   // the content, converted from the system code page to UTF-8
  std::string error;  // why not (every failure is shown as the one warning)
};

class OnlinePlatform {
 public:
  virtual ~OnlinePlatform() = default;
  // A new time-based UUID's 16 bytes in memory order (UuidCreateSequential).
  virtual std::array<uint8_t, 16> NewTimeBasedUuid() = 0;
  // Start the request off the UI thread; its reply is later handed to OnlineLogic on the UI
  // thread (SubmitFinished, VersionFetched).
  virtual void StartSubmit(SubmitRequest request) = 0;
  virtual void StartFetch(FetchRequest request) = 0;
};

class OnlineView {
 public:
  virtual ~OnlineView() = default;
  // The standard error box; returns when the user has closed it.
  virtual void ShowSubmitError(const std::string& text) = 0;
  // A warning box with an OK button; returns when closed.
  virtual void ShowWarning(const std::string& text) = 0;
  // The update dialog, modal; false when it could not be created.
  virtual bool ShowUpdateDialog(const UpdateDialogState& state) = 0;
};

class OnlineLogic {
 public:
  OnlineLogic(const ActivityCounters& counters, const Settings& settings, OnlinePlatform& platform,
              OnlineView& view, std::function<void(const std::string&)> writelog);

  // SubmitScores: takes the values now and starts the post. False, and nothing started, while a
  // submission is still in flight.
  bool SubmitScores();
  // The post's outcome: "Data Submitted online" in the debug text, or the error box.
  void SubmitFinished(const SubmitReply& reply);

  // CheckNewVersion: starts fetching the version file. False while a check (its fetch or its
  // dialog) is still going on.
  bool CheckNewVersion(bool silent);
  // The fetch's outcome: the update dialog, or the warning unless the check is silent.
  void VersionFetched(const FetchReply& reply);

  bool submitting() const { return submitting_; }
  bool checking() const { return checking_; }

  // The message a submission reply is reported with; empty for a success.
  static std::string SubmitErrorText(const SubmitReply& reply);

 private:
  const ActivityCounters& c_;
  const Settings& s_;
  OnlinePlatform& platform_;
  OnlineView& view_;
  std::function<void(const std::string&)> writelog_;
  bool submitting_ = false;
  bool errorBoxOpen_ = false;
  bool checking_ = false;
  bool silent_ = false;
};

}  // namespace quillo
