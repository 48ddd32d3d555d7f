// Values, body and messages of the statistics submission.
#include "core/online/submission.h"

#include <cmath>
#include <cstdio>

#include "core/online/form_encoding.h"
#include "core/util/datetime.h"
#include "core/util/numbers.h"
#include "core/util/utf.h"

namespace quillo {

SubmitValues CollectSubmitValues(const ActivityCounters& c, const Settings& s) {
  SubmitValues v;
  v.distanceInches = c.totalDistance;
  v.left = c.Total(Counter::kLeft);
  v.right = c.Total(Counter::kRight);
  v.dbl = c.Total(Counter::kDouble);
  v.keys = c.Total(Counter::kKeystrokes);
  v.middle = c.Total(Counter::kMiddle);
  v.wheel = c.Total(Counter::kWheel);
  v.x1 = c.Total(Counter::kX1);
  v.x2 = c.Total(Counter::kX2);
  v.resetdate = s.resetdate;
  v.alias = s.alias;
  v.comment = s.Comment;
  return v;
}

std::string DateYYYYMMDD(double moment) {
  const CivilDateTime t = DecodeDateTime(moment);
  char buf[32];
  std::snprintf(buf, sizeof buf, "%04d%02d%02d", t.year, t.month, t.day);
  return buf;
}

std::string MacIdFromUuid(const std::array<uint8_t, 16>& uuid) {
  char buf[13];
  std::snprintf(buf, sizeof buf, "%02X%02X%02X%02X%02X%02X", uuid[10], uuid[11], uuid[12], uuid[13],
                uuid[14], uuid[15]);
  return buf;
}

namespace {
std::string WholeInches(double inches) {
  // Rounded ties to even; never negative or beyond what a 64-bit figure holds.
  const double r = RoundHalfEven(inches);
  if (!(r > 0)) return "0";
  if (r >= 9.2e18) return "9200000000000000000";
  return std::to_string(static_cast<int64_t>(r));
}
}  // namespace

std::string SubmissionBody(const SubmitValues& v, const std::string& macId) {
  std::string body;
  auto add = [&body](const char* key, const std::string& value) {
    if (!body.empty()) body += '&';
    body += key;
    body += '=';
    body += value;
  };
  auto number = [](uint32_t n) { return std::to_string(n); };
  add("dist", FormEncode(std::string_view(WholeInches(v.distanceInches))));
  add("lb", number(v.left));
  add("rb", number(v.right));
  add("dc", number(v.dbl));
  add("ks", number(v.keys));
  add("mb", number(v.middle));
  add("scr", number(v.wheel));
  add("reset", DateYYYYMMDD(v.resetdate));
  add("m2", number(v.x1));
  add("m3", number(v.x2));
  add("al", FormEncode(std::string_view(v.alias)));
  add("mac", macId);
  add("cmt", FormEncode(std::string_view(v.comment)));
  add("ver", kSubmitVersion);
  return body;
}

bool IsSuccessStatus(int status) {
  return status >= 200 && status <= 299;
}

std::string HttpErrorMessage(int status, const std::string& statusText, const std::string& reply) {
  // Decoded as UTF-8 (ill-formed bytes become U+FFFD), then cut on a character boundary.
  std::u16string text = Utf8ToUtf16(reply);
  bool cut = false;
  if (text.size() > kQuotedReplyChars) {
    size_t n = kQuotedReplyChars;
    if (text[n - 1] >= 0xD800 && text[n - 1] <= 0xDBFF) --n;
    text.resize(n);
    cut = true;
  }
  std::string quoted = Utf16ToUtf8(text);
  if (cut) quoted += "\xE2\x80\xA6";  // …
  return "HTTP " + std::to_string(status) + " " + statusText + ": " + quoted;
}

}  // namespace quillo
