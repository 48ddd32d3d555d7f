// When submissions and update checks start, and how their replies are reported, over fakes.
#include "core/app/online_logic.h"

#include <gtest/gtest.h>

#include "core/app/main_logic.h"
#include "core/online/submission.h"
#include "core/util/datetime.h"
#include "fakes/online.h"

namespace quillo {
namespace {

using fakes::FakeOnlinePlatform;
using fakes::FakeOnlineView;

class Online : public ::testing::Test {
 protected:
  Online() {
    settings.alias = "my pc";
    settings.Comment = "a+b";
    settings.resetdate = EncodeDateTime({2024, 1, 5, 9});
  }
  SubmitReply Status(int status, std::string text = "", std::string body = "") {
    SubmitReply r;
    r.received = true;
    r.status = status;
    r.statusText = std::move(text);
    r.body = std::move(body);
    return r;
  }
  ActivityCounters counters;
  Settings settings;
  FakeOnlinePlatform platform;
  FakeOnlineView view;
  std::string log;
  OnlineLogic online{counters, settings, platform, view,
                     [this](const std::string& line) { log += line + "\r\n"; }};
};

TEST_F(Online, SubmissionCarriesTheWholeRequest) {
  ASSERT_TRUE(online.SubmitScores());
  ASSERT_EQ(platform.posts.size(), 1u);
  const SubmitRequest& r = platform.posts[0];
  EXPECT_EQ(r.host, "stats.quillomat.example");
  EXPECT_EQ(r.port, 443);
  EXPECT_EQ(r.path, "/mouse.php");
  EXPECT_EQ(r.body,
            "dist=0&lb=0&rb=0&dc=0&ks=0&mb=0&scr=0&reset=20240105&m2=0&m3=0&al=my+pc"
            "&mac=A0B1C2D3E4F5&cmt=a%2Bb&ver=" QUILLO_VERSION_TEXT);
}

TEST_F(Online, ValuesAreTakenAtTheMomentOfSendingAndTheIdIsNewEachTime) {
  online.SubmitScores();
  online.SubmitFinished(Status(200, "OK"));
  counters.liveLeft = 7;
  settings.alias = "other";
  online.SubmitScores();
  ASSERT_EQ(platform.posts.size(), 2u);
  EXPECT_NE(platform.posts[1].body.find("&lb=7&"), std::string::npos);
  EXPECT_NE(platform.posts[1].body.find("&al=other&mac=A0B1C2D3E4F6&"), std::string::npos);
}

TEST_F(Online, OnlyOneSubmissionInFlight) {
  EXPECT_TRUE(online.SubmitScores());
  EXPECT_FALSE(online.SubmitScores());
  EXPECT_EQ(platform.posts.size(), 1u);
  online.SubmitFinished(Status(201, "Created"));
  EXPECT_FALSE(online.submitting());
  EXPECT_TRUE(online.SubmitScores());
  EXPECT_EQ(platform.posts.size(), 2u);
}

TEST_F(Online, ASuccessIsADebugLineAndNothingElse) {
  for (int status : {200, 201, 299}) {
    online.SubmitScores();
    online.SubmitFinished(Status(status, "Fine", "ignored reply"));
  }
  EXPECT_EQ(log, "Data Submitted online\r\nData Submitted online\r\nData Submitted online\r\n");
  EXPECT_TRUE(view.errors.empty());
}

TEST_F(Online, RefusalsAndNetworkFailuresShowTheErrorBox) {
  online.SubmitScores();
  online.SubmitFinished(Status(404, "Not Found", "no such page"));
  online.SubmitScores();
  online.SubmitFinished(Status(300, "Multiple Choices", "pick one"));
  online.SubmitScores();
  online.SubmitFinished(Status(199, "Early", ""));
  SubmitReply timeout;
  timeout.error = "Sending the statistics failed: The operation timed out";
  online.SubmitScores();
  online.SubmitFinished(timeout);
  EXPECT_EQ(view.errors,
            (std::vector<std::string>{
                "HTTP 404 Not Found: no such page", "HTTP 300 Multiple Choices: pick one",
                "HTTP 199 Early: ", "Sending the statistics failed: The operation timed out"}));
  EXPECT_EQ(log, "");
}

TEST_F(Online, AtMostOneErrorBoxIsOpen) {
  // While the first box is open the timer fires again and that post fails too: no second box,
  // but the next post may start and report once the box is closed.
  view.whileOpen = [this] {
    EXPECT_TRUE(online.SubmitScores());
    online.SubmitFinished(Status(500, "Server Error", "again"));
  };
  online.SubmitScores();
  online.SubmitFinished(Status(500, "Server Error", "first"));
  EXPECT_EQ(view.errors, (std::vector<std::string>{"HTTP 500 Server Error: first"}));
  EXPECT_EQ(platform.posts.size(), 2u);
  online.SubmitScores();
  online.SubmitFinished(Status(500, "Server Error", "later"));
  EXPECT_EQ(view.errors.size(), 2u);
  EXPECT_EQ(view.errors.back(), "HTTP 500 Server Error: later");
}

TEST_F(Online, ASuccessWhileTheBoxIsOpenIsStillLogged) {
  view.whileOpen = [this] {
    online.SubmitScores();
    online.SubmitFinished(Status(200, "OK"));
  };
  online.SubmitScores();
  online.SubmitFinished(Status(404, "Not Found"));
  EXPECT_EQ(log, "Data Submitted online\r\n");
}

FetchReply Fetched(std::string text) {
  FetchReply r;
  r.ok = true;
  r.text = std::move(text);
  return r;
}

TEST_F(Online, UpdateCheckFetchesTheVersionFileAndShowsTheDialog) {
  ASSERT_TRUE(online.CheckNewVersion(false));
  ASSERT_EQ(platform.fetches.size(), 1u);
  EXPECT_EQ(platform.fetches[0].url, "http://www.ombrelune.example/version/quillomat.txt");
  online.VersionFetched(
      Fetched("<meta name=\"xVersion\" content=\"15.0\">\n"
              "<meta name=\"whatsnew2\" content=\"Two\">\n"));
  ASSERT_EQ(view.dialogs.size(), 1u);
  const UpdateDialogState& d = view.dialogs[0];
  EXPECT_EQ(d.current, "You are currently using version 14.1");
  EXPECT_EQ(d.version, "15.0");
  EXPECT_EQ(d.verdict, "Major upgrade found");
  EXPECT_EQ(d.features, "\r\nTwo\r\n\r\n\r\n");
  EXPECT_TRUE(d.showDownload);
  EXPECT_TRUE(view.warnings.empty());
  EXPECT_FALSE(online.checking());
}

TEST_F(Online, OneCheckAtATimeUntilItsDialogIsClosed) {
  online.CheckNewVersion(false);
  EXPECT_FALSE(online.CheckNewVersion(false));
  view.whileOpen = [this] { EXPECT_FALSE(online.CheckNewVersion(false)); };
  online.VersionFetched(Fetched("<meta name=\"xVersion\" content=\"14.1\">"));
  EXPECT_EQ(platform.fetches.size(), 1u);
  EXPECT_TRUE(online.CheckNewVersion(false));
}

TEST_F(Online, EveryFailureIsTheOneWarningUnlessSilent) {
  FetchReply unreachable;
  unreachable.error = "Cannot open URL http://www.ombrelune.example/version/quillomat.txt";
  const std::vector<FetchReply> failures = {unreachable, Fetched("<h1>404 Not Found</h1>"),
                                            Fetched("")};
  for (const FetchReply& r : failures) {
    online.CheckNewVersion(false);
    online.VersionFetched(r);
  }
  view.dialogWorks = false;
  online.CheckNewVersion(false);
  online.VersionFetched(Fetched("<meta name=\"xVersion\" content=\"15.0\">"));
  ASSERT_EQ(view.warnings.size(), 4u);
  for (const auto& w : view.warnings)
    EXPECT_EQ(w, "Cannot connect to the internet.  Please check your connection.");
  EXPECT_TRUE(view.dialogs.empty());

  online.CheckNewVersion(true);
  online.VersionFetched(unreachable);
  EXPECT_EQ(view.warnings.size(), 4u);
  EXPECT_FALSE(online.checking());
}

TEST_F(Online, SubmissionAndCheckRunSideBySide) {
  EXPECT_TRUE(online.SubmitScores());
  EXPECT_TRUE(online.CheckNewVersion(false));
  EXPECT_EQ(platform.posts.size(), 1u);
  EXPECT_EQ(platform.fetches.size(), 1u);
}

}  // namespace
}  // namespace quillo
