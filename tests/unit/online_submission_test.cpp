// The submission's body, form encoding, date, machine identifier and error message.
#include <gtest/gtest.h>

#include "core/online/form_encoding.h"
#include "core/online/submission.h"
#include "core/util/datetime.h"

namespace quillo {
namespace {

struct EncodingCase {
  const char* name;
  std::u16string input;
  std::string encoded;
};

class FormEncoding : public ::testing::TestWithParam<EncodingCase> {};

TEST_P(FormEncoding, OnUtf16Units) {
  EXPECT_EQ(FormEncode(std::u16string_view(GetParam().input)), GetParam().encoded);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FormEncoding,
    ::testing::Values(
        EncodingCase{"Unreserved", u"AZaz09!$'()*-.@_", "AZaz09!$'()*-.@_"},
        EncodingCase{"SpaceIsPlus", u"my pc", "my+pc"},
        EncodingCase{"PlusIsEncoded", u"a+b", "a%2Bb"},
        EncodingCase{"AmpersandAndEquals", u"a&b=c", "a%26b%3Dc"},
        EncodingCase{"OtherAscii", u"~/?#%\"\t\x7f", "%7E%2F%3F%23%25%22%09%7F"},
        EncodingCase{"ControlZero", std::u16string(1, u'\0'), "%00"},
        EncodingCase{"LatinSmallEAcute", u"\u00e9", "%C3%A9"},
        EncodingCase{"ThreeByteEuro", u"\u20ac", "%E2%82%AC"},
        EncodingCase{"SurrogatePairTakenTogether", u"\U0001F600", "%F0%9F%98%80"},
        EncodingCase{"LoneHighSurrogateIsReplacement", std::u16string{0xD83D, u'x'}, "%EF%BF%BDx"},
        EncodingCase{"LoneLowSurrogateIsReplacement", std::u16string{0xDE00}, "%EF%BF%BD"},
        EncodingCase{"Empty", u"", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FormEncoding, Utf8TextGoesThroughTheSameUnits) {
  EXPECT_EQ(FormEncode(std::string_view("caf\xC3\xA9 \xF0\x9F\x98\x80")), "caf%C3%A9+%F0%9F%98%80");
}

TEST(SubmissionBody, TheExampleWithAllCountersZero) {
  SubmitValues v;
  v.resetdate = EncodeDateTime({2024, 1, 5, 17, 30});
  v.alias = "my pc";
  v.comment = "a+b";
  EXPECT_EQ(SubmissionBody(v, "0A1B2C3D4E5F"),
            "dist=0&lb=0&rb=0&dc=0&ks=0&mb=0&scr=0&reset=20240105&m2=0&m3=0&al=my+pc"
            "&mac=0A1B2C3D4E5F&cmt=a%2Bb&ver=" QUILLO_VERSION_TEXT);
}

TEST(SubmissionBody, EveryValueInItsPlace) {
  ActivityCounters c;
  c.histLeft = 10, c.liveLeft = 1;
  c.histRight = 20, c.liveRight = 2;
  c.histDouble = 30, c.liveDouble = 3;
  c.histKeystrokes = 4000000000u, c.liveKeystrokes = 300000000u;  // wraps as 32 bits
  c.histMiddle = 50;
  c.liveWheel = 60;
  c.histX1 = 7;
  c.liveX2 = 8;
  c.totalDistance = 12.5;  // ties to even
  Settings s;
  s.resetdate = EncodeDateTime({1999, 12, 31, 23, 59, 59});
  s.alias = "Zo\xC3\xAB & co";
  s.Comment = "x=1";
  EXPECT_EQ(SubmissionBody(CollectSubmitValues(c, s), "001122AABBCC"),
            "dist=12&lb=11&rb=22&dc=33&ks=5032704&mb=50&scr=60&reset=19991231&m2=7&m3=8"
            "&al=Zo%C3%AB+%26+co&mac=001122AABBCC&cmt=x%3D1&ver=" QUILLO_VERSION_TEXT);
  c.totalDistance = 13.5;
  EXPECT_EQ(SubmissionBody(CollectSubmitValues(c, s), "X").substr(0, 8), "dist=14&");
}

TEST(SubmissionBody, DateHasFourDigitYearAndTwoDigitMonthAndDay) {
  EXPECT_EQ(DateYYYYMMDD(EncodeDateTime({2024, 1, 5})), "20240105");
  EXPECT_EQ(DateYYYYMMDD(EncodeDateTime({2025, 12, 31, 23, 59, 59, 999})), "20251231");
  EXPECT_EQ(DateYYYYMMDD(EncodeDateTime({812, 3, 4})), "08120304");
}

TEST(SubmissionBody, MacIdIsTheNodeFieldInUpperCaseHex) {
  std::array<uint8_t, 16> uuid{};
  for (int i = 0; i < 16; ++i) uuid[i] = static_cast<uint8_t>(0x10 * i + 0x0A);
  EXPECT_EQ(MacIdFromUuid(uuid), "AABACADAEAFA");
  EXPECT_EQ(MacIdFromUuid({}), "000000000000");
}

TEST(SubmissionBody, TheDefaultUrlSettingNamesTheFixedAddress) {
  EXPECT_EQ(std::string("https://") + kSubmitHost + kSubmitPath, kDefaultSubmitUrl);
}

TEST(SubmissionStatus, SuccessIs200To299) {
  for (int s : {200, 201, 204, 299}) EXPECT_TRUE(IsSuccessStatus(s)) << s;
  for (int s : {0, 100, 199, 300, 302, 404, 500}) EXPECT_FALSE(IsSuccessStatus(s)) << s;
}

TEST(SubmissionStatus, ErrorMessageQuotesStatusTextAndReply) {
  EXPECT_EQ(HttpErrorMessage(404, "Not Found", "no such page"), "HTTP 404 Not Found: no such page");
  EXPECT_EQ(HttpErrorMessage(300, "Multiple Choices", ""), "HTTP 300 Multiple Choices: ");
  // Decoded as UTF-8: a broken byte shows as the replacement character.
  EXPECT_EQ(HttpErrorMessage(500, "Oops", "caf\xC3\xA9 \xFF"),
            "HTTP 500 Oops: caf\xC3\xA9 \xEF\xBF\xBD");
}

TEST(SubmissionStatus, ALongReplyIsCutOnACharacterBoundary) {
  const std::string reply = std::string(kQuotedReplyChars - 1, 'a') + "\xF0\x9F\x98\x80" + "tail";
  const std::string m = HttpErrorMessage(500, "Internal Server Error", reply);
  EXPECT_EQ(m, "HTTP 500 Internal Server Error: " + std::string(kQuotedReplyChars - 1, 'a') +
                   "\xE2\x80\xA6");
  const std::string exact(kQuotedReplyChars, 'b');
  EXPECT_EQ(HttpErrorMessage(500, "X", exact), "HTTP 500 X: " + exact);
}

}  // namespace
}  // namespace quillo
