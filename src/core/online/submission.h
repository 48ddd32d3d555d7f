// The statistics submission as data: where it goes, how the request is set up, the body in its
// fixed key order, the machine identifier's text and the message of a refused post.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "core/app/version.h"
#include "core/counting/activity_counters.h"
#include "core/store/settings_store.h"

namespace quillo {

// The fixed submission address (the "URL" setting only names the results page).
inline constexpr char kSubmitHost[] = "stats.quillomat.example";
inline constexpr uint16_t kSubmitPort = 443;
inline constexpr char kSubmitPath[] = "/mouse.php";
inline constexpr char kSubmitContentType[] = "application/x-www-form-urlencoded; charset=UTF-8";
inline constexpr char kSubmitUserAgent[] = "Quillomat/" QUILLO_VERSION_TEXT;
inline constexpr char kSubmitVersion[] = QUILLO_VERSION_TEXT;
inline constexpr int kSubmitConnectTimeoutMs = 15000;
inline constexpr int kSubmitResponseTimeoutMs = 30000;
// The post's overall limit: its own time-outs added up (resolving and connecting, sending and
// waiting for the reply), so it only ends a post that the system failed to end by them.
inline constexpr int kSubmitDeadlineMs = 2 * kSubmitConnectTimeoutMs + 2 * kSubmitResponseTimeoutMs;
// The HTTP client's errors start with this.
inline constexpr char kSubmitErrorPrefix[] = "Error sending data";
// The reply is not interpreted; past this much it is no longer read (a success stays one) and an
// error message quotes at most kQuotedReplyChars characters of it.
inline constexpr size_t kMaxReplyBytes = 1 << 20;
inline constexpr size_t kQuotedReplyChars = 1000;
inline constexpr char kSubmittedLine[] = "Data Submitted online";

// The values of one submission, taken at the moment of sending.
struct SubmitValues {
  double distanceInches = 0;
  uint32_t left = 0, right = 0, dbl = 0, keys = 0, middle = 0, wheel = 0, x1 = 0, x2 = 0;
  double resetdate = 0;  // a moment
  std::string alias, comment;
};

SubmitValues CollectSubmitValues(const ActivityCounters& c, const Settings& s);

// "YYYYMMDD" of a moment's local date.
std::string DateYYYYMMDD(double moment);

// GetMacId's text: the last six bytes of a time-based UUID (its node field, in the order they
// stand) as 12 upper-case hexadecimal digits.
std::string MacIdFromUuid(const std::array<uint8_t, 16>& uuid);

// "dist=…&lb=…&rb=…&dc=…&ks=…&mb=…&scr=…&reset=…&m2=…&m3=…&al=…&mac=…&cmt=…&ver=14.1".
std::string SubmissionBody(const SubmitValues& v, const std::string& macId);

bool IsSuccessStatus(int status);

// "HTTP %d %s: %s" with the status, its text and the reply decoded as UTF-8 (a long reply is cut
// to kQuotedReplyChars characters and an ellipsis).
std::string HttpErrorMessage(int status, const std::string& statusText, const std::string& reply);

}  // namespace quillo
