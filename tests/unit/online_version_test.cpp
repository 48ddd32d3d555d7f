// The version file: lines, values (with the ninth-character quirk), version numbers, verdicts.
#include <gtest/gtest.h>

#include "core/online/version_file.h"

namespace quillo {
namespace {

using Lines = std::vector<std::string>;

TEST(VersionFileLines, SplitAtCrLfCrOrLf) {
  EXPECT_EQ(SplitLines("a\r\nb\rc\nd"), (Lines{"a", "b", "c", "d"}));
  EXPECT_EQ(SplitLines("a\n\r\nb\r\n"), (Lines{"a", "", "b"}));
  EXPECT_EQ(SplitLines("\r\r"), (Lines{"", ""}));
  EXPECT_EQ(SplitLines(""), Lines{});
}

struct ValueCase {
  const char* name;
  std::string line;
  std::string value;
};

class ContentValues : public ::testing::TestWithParam<ValueCase> {};

TEST_P(ContentValues, OfOneLine) {
  EXPECT_EQ(ContentValue(GetParam().line), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ContentValues,
    ::testing::Values(ValueCase{"MetaElement", R"(<meta name="xVersion" CONTENT="14.2">)", "14.2"},
                      ValueCase{"MarkerFoundWithoutCaseValueKeepsCase",
                                R"(<META name=x content="AbC d">)", "AbC d"},
                      ValueCase{"FirstMarkerCounts", R"(content="one" content="two")", "one"},
                      // Whatever follows "CONTENT=" is skipped as the opening quote.
                      ValueCase{"UnquotedValueLosesItsFirstCharacter", R"(CONTENT=14.2")", "4.2"},
                      ValueCase{"NoClosingQuote", R"(<meta CONTENT="14.2>)", ""},
                      ValueCase{"NothingAfterTheMarker", "CONTENT=", ""},
                      ValueCase{"NinthCharacterQuirk", R"(12345678abc"def)", "abc"},
                      ValueCase{"NinthCharacterQuirkKeyFirst", R"(xVersion 14.5" extra")", " 14.5"},
                      ValueCase{"ShortLineWithoutMarker", "xVersion", ""},
                      ValueCase{"QuoteWithin255", "CONTENT=\"" + std::string(254, 'v') + "\"",
                                std::string(254, 'v')},
                      ValueCase{"QuoteJustBeyond255", "CONTENT=\"" + std::string(255, 'v') + "\"",
                                ""},
                      ValueCase{"Utf16UnitsCount",
                                "\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9"
                                "\xC3\xA9\xC3\xA9\xC3\xA9\"",
                                "\xC3\xA9\xC3\xA9"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FindContentValue, LastLineWithTheKeyWinsAndMatchIsWithCase) {
  const Lines lines = {R"(<meta name="xVersion" content="14.2">)",
                       R"(<meta name="xversion" content="99.0">)",
                       R"(<meta name="xVersion" content="15.0">)", "nothing"};
  EXPECT_EQ(FindContentValue(lines, "xVersion"), "15.0");
  EXPECT_EQ(FindContentValue(lines, "xversion"), "99.0");
  EXPECT_EQ(FindContentValue(lines, "whatsnew1"), "");
}

TEST(FindContentValue, Whatsnew10AlsoMatchesTheFirstFeatureKey) {
  const Lines lines = {R"(<meta name="whatsnew1" content="first">)",
                       R"(<meta name="whatsnew10" content="tenth">)"};
  EXPECT_EQ(FindContentValue(lines, "whatsnew1"), "tenth");
  const Lines before = {R"(<meta name="whatsnew10" content="tenth">)",
                        R"(<meta name="whatsnew1" content="first">)"};
  EXPECT_EQ(FindContentValue(before, "whatsnew1"), "first");
}

struct VersionCase {
  const char* name;
  const char* text;
  int32_t major, minor;
};

class VersionParts : public ::testing::TestWithParam<VersionCase> {};

TEST_P(VersionParts, MajorAndMinor) {
  EXPECT_EQ(MajorOf(GetParam().text), GetParam().major);
  EXPECT_EQ(MinorOf(GetParam().text), GetParam().minor);
}

const VersionCase kVersionCases[] = {
    {"Plain", "14.1", 14, 1},
    {"TwoDigitMinor", "14.10", 14, 10},
    {"LeadingZero", "14.01", 14, 1},
    {"NoDot", "15", 0, 15},
    {"LetterMinor", "14.x", 14, 0},
    {"ThreeParts", "14.1.2", 14, 0},
    {"Negative", "-3.-2", -3, -2},
    {"Empty", "", 0, 0},
    {"JustADot", ".", 0, 0},
    {"Overflow", "99999999999.1", 0, 1},
    {"PlusSigns", "+15.+2", 15, 2},
    // A blank anywhere makes that part no number.
    {"BlankBeforeMajor", " 15.0", 0, 0},
    {"BlankAfterMajor", "15 .0", 0, 0},
    {"BlankBeforeMinor", "15. 2", 15, 0},
    {"BlankAfterMinor", "15.2 ", 15, 0},
    {"TabBeforeMinor", "15.\t2", 15, 0},
    {"TabBeforeMajor", "\t15.2", 0, 2},
    {"BlankInsideMajor", "1 5.2", 0, 2},
    {"BlankAfterSign", "- 3.1", 0, 1},
    {"BlanksWithoutDot", " 15 ", 0, 0},
    {"OnlyBlanks", " . ", 0, 0},
};

INSTANTIATE_TEST_SUITE_P(Cases, VersionParts, ::testing::ValuesIn(kVersionCases),
                         [](const auto& info) { return std::string(info.param.name); });

std::string File(const std::string& version) {
  return "<html>\r\n<meta name=\"xVersion\" CONTENT=\"" + version +
         "\">\r\n<meta name=\"whatsnew1\" content=\"Faster panel\">\r\n"
         "<meta name=\"whatsnew3\" content=\"New languages\">\r\n</html>\r\n";
}

struct VerdictCase {
  const char* name;
  const char* online;
  const char* verdict;
  bool download;
};

class Verdicts : public ::testing::TestWithParam<VerdictCase> {};

TEST_P(Verdicts, Against14_1) {
  const auto d = EvaluateVersionFile(File(GetParam().online), "14.1");
  ASSERT_TRUE(d);
  EXPECT_EQ(d->verdict, GetParam().verdict);
  EXPECT_EQ(d->showDownload, GetParam().download);
  EXPECT_EQ(d->version, GetParam().online);
  EXPECT_EQ(d->current, "You are currently using version 14.1");
  // The feature lines are filled in every case; a missing key gives an empty line.
  EXPECT_EQ(d->features, "Faster panel\r\n\r\nNew languages\r\n\r\n");
}

constexpr char kMajor[] = "Major upgrade found";
constexpr char kMinor[] = "Minor upgrade found";
constexpr char kLatest[] = "You are already using the latest version.";

INSTANTIATE_TEST_SUITE_P(Cases, Verdicts,
                         ::testing::Values(VerdictCase{"Major15_0", "15.0", kMajor, true},
                                           VerdictCase{"Minor14_2", "14.2", kMinor, true},
                                           VerdictCase{"Minor14_10", "14.10", kMinor, true},
                                           VerdictCase{"Same14_1", "14.1", kLatest, false},
                                           VerdictCase{"Same14_01", "14.01", kLatest, false},
                                           VerdictCase{"Older13_9", "13.9", kLatest, false},
                                           VerdictCase{"NoDot15", "15", kLatest, false},
                                           VerdictCase{"Letter14_x", "14.x", kLatest, false},
                                           VerdictCase{"Garbage", "soon", kLatest, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(VersionFile, WithoutXVersionThereIsNoDialog) {
  EXPECT_FALSE(EvaluateVersionFile("<html><body>404 Not Found</body></html>", "14.1"));
  EXPECT_FALSE(EvaluateVersionFile("", "14.1"));
  // A key whose value is empty counts as missing too.
  EXPECT_FALSE(EvaluateVersionFile(R"(<meta name="xVersion" content="">)", "14.1"));
}

TEST(VersionFile, TwoXVersionLinesUseTheSecond) {
  const auto d = EvaluateVersionFile(
      "<meta name=\"xVersion\" content=\"15.0\">\n<meta name=\"xVersion\" content=\"14.2\">\n",
      "14.1");
  ASSERT_TRUE(d);
  EXPECT_EQ(d->version, "14.2");
  EXPECT_EQ(d->verdict, kMinor);
}

}  // namespace
}  // namespace quillo
