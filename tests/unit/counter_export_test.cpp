// The counter export file (scrambling, lines, the whole-file check) and the export and import
// commands over fakes: a valid file replaces the totals and is saved at once, anything else
// changes nothing.
#include "core/store/counter_export.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <limits>
#include <map>

#include "core/app/counter_transfer.h"
#include "fakes/counter_file_ui.h"
#include "fakes/rig.h"

namespace quillo {
namespace {

using namespace fakes;

constexpr uint32_t kMax32 = std::numeric_limits<uint32_t>::max();

// --- Scrambling -----------------------------------------------------------------------------

TEST(Scramble, OffsetsFollowTheGeneratorFromTheSeed) {
  // The first draws after seeding with 739 are 3, 2, 4, 2, 14, 13, 5, 10, 13, 7 (top four bits
  // of S := S * 134775813 + 1), so each character moves up by one more than that.
  EXPECT_EQ(ScrambleText(u"0", kExportSeed), u"4");
  EXPECT_EQ(ScrambleText(u"0123456789", kExportSeed), u"4476CC<BFA");
  EXPECT_EQ(ScrambleText(u"4294967295", kExportSeed), u"85>7HD==G=");
  // Every call starts from the seed again: each line of a file is scrambled alike.
  EXPECT_EQ(ScrambleText(u"00", kExportSeed), u"43");
  EXPECT_EQ(ScrambleText(u"", kExportSeed), u"");
  EXPECT_EQ(UnscrambleText(u"", kExportSeed), u"");
}

TEST(Scramble, CodeUnitsWrapModulo65536) {
  EXPECT_EQ(ScrambleText(u"\xFFFF", kExportSeed), std::u16string(1, u'\x0003'));
  EXPECT_EQ(UnscrambleText(std::u16string(1, u'\x0001'), kExportSeed), u"\xFFFD");
  const std::u16string texts[] = {u"\xFFFF\xFFFE\xFFF0\xFFF1", std::u16string(3, u'\0') + u"\xFFFF",
                                  u"Quillomat \x00E9\x20AC\xD83D\xDE00", u"0123456789012345678"};
  for (int32_t seed : {kExportSeed, 0, -1, std::numeric_limits<int32_t>::min()})
    for (const auto& t : texts)
      EXPECT_EQ(UnscrambleText(ScrambleText(t, seed), seed), t) << "seed " << seed;
}

TEST(Scramble, DigitsBecomePrintableAsciiWithoutSpaces) {
  for (size_t position = 0; position < 20; ++position)
    for (char16_t digit = u'0'; digit <= u'9'; ++digit) {
      std::u16string text(position, u'0');
      text += digit;
      const char16_t c = ScrambleText(text, kExportSeed).back();
      EXPECT_GE(c, u'1');
      EXPECT_LE(c, u'I');
    }
}

// --- The file's lines -----------------------------------------------------------------------

CounterFigures Distinct() {
  CounterFigures f;
  f.distance = 1000;
  f.runSeconds = 2000;
  f.idleSeconds = 3000;
  const std::map<Counter, uint32_t> totals = {{Counter::kKeystrokes, 5}, {Counter::kLeft, 6},
                                              {Counter::kRight, 7},      {Counter::kX1, 8},
                                              {Counter::kX2, 9},         {Counter::kMiddle, 10},
                                              {Counter::kDouble, 11},    {Counter::kWheel, 12}};
  for (const auto& [counter, value] : totals) f.totals[static_cast<int>(counter)] = value;
  return f;
}

TEST(ExportFile, TwelveLinesInTheFilesOwnOrder) {
  const std::array<std::string, 12> expected = {"1", "1000", "2000", "3000", "5",  "6",
                                                "7", "8",    "9",    "10",   "11", "12"};
  EXPECT_EQ(ExportLines(Distinct()), expected);
  std::string file;
  for (const auto& line : expected) {
    std::u16string units(line.begin(), line.end());
    const std::u16string scrambled = ScrambleText(units, kExportSeed);
    file += std::string(scrambled.begin(), scrambled.end()) + "\r\n";
  }
  EXPECT_EQ(ExportFileText(Distinct()), file);
}

TEST(ExportFile, FiguresAreTotalsAndTheRoundedDistance) {
  ActivityCounters c;
  c.histKeystrokes = kMax32;
  c.liveKeystrokes = 2;  // the sum wraps as the saves' does
  c.histX2 = 40;
  c.liveX2 = 2;
  c.histRunSeconds = 100;
  c.liveRunSeconds = 5;
  c.histIdleSeconds = 7;
  c.liveIdleSeconds = 1;
  struct Case {
    double inches;
    int64_t written;
  } cases[] = {{2.5, 2},
               {3.5, 4},
               {12345.6, 12346},
               {4294967296.0 + 0.4, 4294967296},
               {-3, 0},
               {1e30, std::numeric_limits<int64_t>::max()},
               {std::numeric_limits<double>::quiet_NaN(), 0}};
  for (const Case& k : cases) {
    c.totalDistance = k.inches;
    const CounterFigures f = CollectCounterFigures(c);
    EXPECT_EQ(f.distance, k.written) << k.inches;
    EXPECT_EQ(f.totals[static_cast<int>(Counter::kKeystrokes)], 1u);
    EXPECT_EQ(f.totals[static_cast<int>(Counter::kX2)], 42u);
    EXPECT_EQ(f.runSeconds, 105u);
    EXPECT_EQ(f.idleSeconds, 8u);
  }
}

TEST(ExportFile, EveryExportReadsBackExactly) {
  CounterFigures big;
  big.distance = (int64_t{1} << 31) + 5;  // beyond a signed 32-bit figure
  big.runSeconds = big.idleSeconds = kMax32;
  big.totals.fill(kMax32);
  CounterFigures extremes = big;
  extremes.distance = std::numeric_limits<int64_t>::max();
  CounterFigures zeros;
  zeros.totals.fill(0);
  for (const CounterFigures& f : {big, extremes, zeros, Distinct()}) {
    const ImportResult r = ParseExportFile(ExportFileText(f));
    ASSERT_TRUE(r.figures) << r.problem.Message();
    EXPECT_EQ(*r.figures, f);
  }
}

TEST(ExportFile, LineEndsAsAnEditorMightLeaveThem) {
  const std::string crlf = ExportFileText(Distinct());
  std::string lf, noFinalEnd = crlf.substr(0, crlf.size() - 2), cr;
  for (char ch : crlf) {
    if (ch != '\r') lf += ch;
    if (ch != '\n') cr += ch;
  }
  for (const std::string& file : {noFinalEnd, lf, cr}) {
    const ImportResult r = ParseExportFile(file);
    ASSERT_TRUE(r.figures) << r.problem.Message();
    EXPECT_EQ(*r.figures, Distinct());
  }
}

// --- Files that are not an export -----------------------------------------------------------

// The file of Distinct() with line `n` (1 to 12) replaced by the scrambled `plain`.
std::string WithLine(int n, std::string_view plain) {
  auto lines = ExportLines(Distinct());
  lines[n - 1] = plain;
  std::string file;
  for (const auto& line : lines) {
    std::u16string units(line.begin(), line.end());
    const std::u16string scrambled = ScrambleText(units, kExportSeed);
    file += std::string(scrambled.begin(), scrambled.end()) + "\r\n";
  }
  return file;
}

struct BadFile {
  const char* name;
  std::string bytes;
  int line;
  const char* why;
};

class InvalidFile : public ::testing::TestWithParam<BadFile> {};

TEST_P(InvalidFile, IsRefusedWithItsLineAndReason) {
  const BadFile& k = GetParam();
  const ImportResult r = ParseExportFile(k.bytes);
  EXPECT_FALSE(r.figures);
  EXPECT_EQ(r.problem.line, k.line);
  EXPECT_NE(r.problem.Message().find(k.why), std::string::npos) << r.problem.Message();
  if (k.line > 0) {
    EXPECT_EQ(r.problem.Message().rfind("Line " + std::to_string(k.line), 0), 0u);
  }
}

const std::string kGood = ExportFileText(Distinct());

INSTANTIATE_TEST_SUITE_P(
    Cases, InvalidFile,
    ::testing::Values(
        BadFile{"Empty", "", 0, "The file is empty."},
        BadFile{"OnlyALineEnd", "\r\n", 0, "has 1 line;"},
        BadFile{"ElevenLines", kGood.substr(0, kGood.rfind("\r\n", kGood.size() - 3) + 2), 0,
                "has 11 lines; a counter export has exactly 12."},
        BadFile{"ThirteenLines", kGood + "4\r\n", 0, "has 13 lines"},
        BadFile{"TrailingEmptyLine", kGood + "\r\n", 0, "has 13 lines"},
        BadFile{"PlainDigitsNotScrambled",
                "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n1\r\n2\r\n3\r\n", 1,
                "is not a number"},
        BadFile{"NotANumber", WithLine(5, "12a4"), 5, "(the keystrokes total) is not a number."},
        BadFile{"Decimals", WithLine(2, "12.5"), 2, "(the distance in inches) is not a number."},
        BadFile{"Blank", WithLine(3, " 12"), 3, "is not a number"},
        BadFile{"PlusSign", WithLine(6, "+12"), 6, "is not a number"},
        BadFile{"LoneMinus", WithLine(6, "-"), 6, "is not a number"},
        BadFile{"EmptyLine", WithLine(12, ""), 12, "(the wheel total) is empty."},
        BadFile{"Negative", WithLine(6, "-3"), 6, "(the left-button total) is negative (-3)."},
        BadFile{"NegativeDistance", WithLine(2, "-1"), 2, "is negative"},
        BadFile{"OverflowingTotal", WithLine(7, "4294967296"), 7,
                "(the right-button total) is too large (4294967296; at most 4294967295)."},
        BadFile{"OverflowingTime", WithLine(4, "4294967296"), 4, "is too large"},
        BadFile{"OverflowingDistance", WithLine(2, "9223372036854775808"), 2, "is too large"},
        BadFile{"BeyondSixtyFourBits", WithLine(11, std::string(30, '9')), 11,
                "is too large (999999999999999999999999...;"},
        BadFile{"MarkerBeyondItsType", WithLine(1, "2147483648"), 1, "is too large"},
        BadFile{"ForeignBytes", std::string("\xA0") + kGood, 1, "is not a number"},
        BadFile{"Utf16CutOff", std::string("\xFF\xFE" "1\0" "2", 5), 0,
                "ends in the middle of a character"},
        BadFile{"Utf16ForeignCharacter", [] {
                  std::string f = "\xFF\xFE";
                  for (char c : kGood) f += std::string{c, '\0'};
                  f[2 + 1] = '\x01';  // the first character is U+01xx
                  return f;
                }(), 1, "is not a number"}),
    [](const ::testing::TestParamInfo<BadFile>& info) { return std::string(info.param.name); });

TEST(ExportFile, SavedAgainByAnEditorInAnotherEncodingIsReadAsItsText) {
  auto utf16 = [](const std::string& text, bool littleEndian) {
    std::string out = littleEndian ? "\xFF\xFE" : "\xFE\xFF";
    for (char c : text) out += littleEndian ? std::string{c, '\0'} : std::string{'\0', c};
    return out;
  };
  std::string lfOnly;
  for (char c : kGood)
    if (c != '\r') lfOnly += c;
  const std::pair<const char*, std::string> cases[] = {
      {"UTF-8 with a byte-order mark", "\xEF\xBB\xBF" + kGood},
      {"UTF-16 little-endian", utf16(kGood, true)},
      {"UTF-16 big-endian", utf16(kGood, false)},
      {"UTF-16 without the last line end", utf16(kGood.substr(0, kGood.size() - 2), true)},
      {"UTF-8, line feeds only", "\xEF\xBB\xBF" + lfOnly},
  };
  for (const auto& [name, bytes] : cases) {
    const ImportResult r = ParseExportFile(bytes);
    ASSERT_TRUE(r.figures) << name << ": " << r.problem.Message();
    EXPECT_EQ(*r.figures, Distinct()) << name;
  }
}

TEST(ExportFile, ValuesAtTheEdgesOfTheirRanges) {
  // Leading zeros, a zero with a minus sign, any 32-bit format marker.
  for (const auto& [line, text] : std::vector<std::pair<int, std::string>>{
           {1, "-2147483648"}, {1, "7"}, {5, "0004294967295"}, {6, "-0"}}) {
    const ImportResult r = ParseExportFile(WithLine(line, text));
    EXPECT_TRUE(r.figures) << line << " " << text << ": " << r.problem.Message();
  }
  EXPECT_FALSE(ParseExportFile(WithLine(1, "-2147483649")).figures);
}

// --- Export and import through the program's logic ------------------------------------------

// One program over the fakes, keeping no history: two of them stand for two computers.
struct Program : Rig {
  explicit Program(std::initializer_list<std::pair<const char*, const char*>> stored = {}) {
    historyFiles = nullptr;
    Start(stored);
  }
};

TEST(CounterTransfer, ExportThenImportOnAnotherComputerRestoresAndSavesEveryTotal) {
  Program from({{"Keystrokes", "4294967290"},
                {"Leftclicks", "4294967295"},
                {"Rightclicks", "3"},
                {"Midclicks", "4"},
                {"Dblclicks", "5"},
                {"Mousewheel", "6"},
                {"Xclicks1", "7"},
                {"Xclicks2", "8"},
                {"Distance", "3000000000.4"},
                {"Time", "4294967295"},
                {"Idle", "99"}});
  from.c.liveKeystrokes = 5;
  FakeCounterFileUi files;
  ExportCounters1Click(*from.logic, files);
  ASSERT_EQ(files.files.count("C:\\out.qlx"), 1u);
  EXPECT_TRUE(files.errors.empty());

  Program to;
  to.c.liveLeft = 17;  // counted here before the import: replaced, not added
  to.clock.now = kNow + 0.5;
  files.importPath = "C:\\out.qlx";
  const int writesBefore = to.store.writeCount;
  ImportCounters1Click(*to.logic, files);
  EXPECT_TRUE(files.errors.empty());
  const ActivityCounters& c = to.c;
  EXPECT_EQ(c.Total(Counter::kKeystrokes), kMax32);
  EXPECT_EQ(c.Total(Counter::kLeft), kMax32);
  EXPECT_EQ(c.LiveValue(Counter::kLeft), 0u);
  EXPECT_EQ(c.histX2, 8u);
  EXPECT_EQ(c.totalDistance, 3000000000.0);
  EXPECT_EQ(c.histDistance, 3000000000.0);
  EXPECT_EQ(c.histRunSeconds, kMax32);
  EXPECT_EQ(c.liveRunSeconds, 0u);
  EXPECT_EQ(c.histIdleSeconds, 99u);
  EXPECT_EQ(c.startTime, kNow + 0.5);
  EXPECT_EQ(to.logic->settings().resetdate, kNow + 0.5);
  // Stored at once, by the full save.
  EXPECT_GT(to.store.writeCount, writesBefore);
  const std::map<std::string, std::string> expected = {{"Keystrokes", "4294967295"},
                                                       {"Leftclicks", "4294967295"},
                                                       {"Rightclicks", "3"},
                                                       {"Midclicks", "4"},
                                                       {"Dblclicks", "5"},
                                                       {"Mousewheel", "6"},
                                                       {"Xclicks1", "7"},
                                                       {"Xclicks2", "8"},
                                                       {"distance", "3000000000"},
                                                       {"Time", "4294967295"},
                                                       {"Idle", "99"}};
  for (const auto& [name, value] : expected) EXPECT_EQ(to.store.values[name], value) << name;
  // The next minute has nothing newer to write.
  const int writesAfter = to.store.writeCount;
  to.logic->tmrWriteValuesTimer();
  EXPECT_EQ(to.store.writeCount, writesAfter + 1);  // "Running" alone
}

TEST(CounterTransfer, ExportTakesTheFiguresWhenTheItemIsChosen) {
  Program p({{"Keystrokes", "10"}});
  FakeCounterFileUi files;
  files.whileDialogOpen = [&] { p.c.liveKeystrokes = 500; };
  ExportCounters1Click(*p.logic, files);
  const ImportResult r = ParseExportFile(files.files["C:\\out.qlx"]);
  ASSERT_TRUE(r.figures);
  EXPECT_EQ(r.figures->totals[static_cast<int>(Counter::kKeystrokes)], 10u);
}

TEST(CounterTransfer, CancelledDialogsChangeNothing) {
  Program p({{"Keystrokes", "10"}});
  FakeCounterFileUi files;
  files.exportPath.reset();
  files.importPath.reset();
  files.files["C:\\in.qlx"] = kGood;
  ExportCounters1Click(*p.logic, files);
  ImportCounters1Click(*p.logic, files);
  EXPECT_EQ(files.files.size(), 1u);
  EXPECT_EQ(p.c.histKeystrokes, 10u);
  EXPECT_EQ(p.store.writeCount, 0);
  EXPECT_TRUE(files.errors.empty());
}

TEST(CounterTransfer, FailedExportIsReportedWithTheFileAndTheReason) {
  Program p;
  FakeCounterFileUi files;
  files.writeFailure = "Access is denied.";
  ExportCounters1Click(*p.logic, files);
  ASSERT_EQ(files.errors.size(), 1u);
  EXPECT_NE(files.errors[0].find("\"C:\\out.qlx\""), std::string::npos);
  EXPECT_NE(files.errors[0].find("Access is denied."), std::string::npos);
}

// What must hold after an import that was refused: nothing of the program has moved.
void ExpectUntouched(const Program& p, uint32_t keystrokes, int writes) {
  EXPECT_EQ(p.c.Total(Counter::kKeystrokes), keystrokes);
  EXPECT_EQ(p.c.totalDistance, 50.0);
  EXPECT_EQ(p.c.startTime, kNow);
  EXPECT_EQ(p.store.writeCount, writes);
}

TEST(CounterTransfer, RefusedImportsChangeNothingAndSayWhy) {
  struct Case {
    const char* name;
    std::optional<std::string> file;  // nullopt: no such file
    std::optional<std::string> readFailure;
    const char* message;  // empty: no message at all
  } cases[] = {
      {"corrupt", WithLine(9, "x"), {}, "Line 9 (the X2-button total) is not a number."},
      {"short", kGood.substr(0, 30), {}, "a counter export has exactly 12"},
      {"huge", std::string(kExportFileSizeLimit + 1, '4'), {}, "far larger than a counter export"},
      {"unreadable", kGood, "The file is locked.", "cannot be read: The file is locked."},
      {"missing", std::nullopt, {}, ""},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    Program p({{"Keystrokes", "10"}, {"Distance", "50"}});
    p.c.liveKeystrokes = 2;
    FakeCounterFileUi files;
    if (k.file) files.files["C:\\in.qlx"] = *k.file;
    files.readFailure = k.readFailure;
    ImportCounters1Click(*p.logic, files);
    ExpectUntouched(p, 12, 0);
    if (*k.message == '\0') {
      EXPECT_TRUE(files.errors.empty());
      continue;
    }
    ASSERT_EQ(files.errors.size(), 1u);
    EXPECT_EQ(files.errors[0].rfind("\"C:\\in.qlx\" was not imported; the counters have not been "
                                    "changed.",
                                    0),
              0u);
    EXPECT_NE(files.errors[0].find(k.message), std::string::npos) << files.errors[0];
  }
}

TEST(CounterTransfer, ImportReplacesTotalsThatFailedToLoad) {
  // "lots" could not be read at start, so the saves kept it; an import is a real figure.
  Program p({{"KeyStrokes", "lots"}});
  ASSERT_EQ(p.logic->startupErrors().size(), 1u);
  FakeCounterFileUi files;
  files.files["C:\\in.qlx"] = kGood;
  ImportCounters1Click(*p.logic, files);
  EXPECT_EQ(p.store.values["KeyStrokes"], "5");
}

TEST(CounterTransfer, APausedPanelShowsTheImportedTotalsAtOnce) {
  Program p({{"Running", "0"}, {"Distance", "7"}});
  p.system.cursor = {900, 900};  // moved while paused: never measured
  const int samples = p.view.samples;
  FakeCounterFileUi files;
  files.files["C:\\in.qlx"] = kGood;
  ImportCounters1Click(*p.logic, files);
  EXPECT_EQ(p.view.samples, samples + 1);
  EXPECT_EQ(p.c.totalDistance, 1000.0);
}

TEST(CounterTransfer, ImportWhoseSaveFailsSaysSo) {
  Program p;
  p.store.failingWrites.insert("Leftclicks");
  FakeCounterFileUi files;
  files.files["C:\\in.qlx"] = kGood;
  ImportCounters1Click(*p.logic, files);
  EXPECT_EQ(p.c.histLeft, 6u);  // imported all the same
  ASSERT_EQ(files.errors.size(), 1u);
  EXPECT_NE(files.errors[0].find("Quillomat : error writing leftclicks"), std::string::npos);
  EXPECT_EQ(p.store.values["Keystrokes"], "5");  // the other steps went on
}

// --- The question an import asks, and its backups ----------------------------------------------

constexpr char kFirstBackup[] = "Quillomat 2025-12-09 12-00-00.qlx";

TEST(ImportQuestion, ShowsBothSidesAndTheBackupAndNoChangesNothing) {
  Program p({{"Keystrokes", "10"},
             {"Distance", "50"},
             {"Leftclicks", "100"},
             {"Xclicks2", "1"},
             {"Time", "90061"},
             {"DisplayMode", "-1"}});
  p.c.liveKeystrokes = 2;
  FakeCounterFileUi files;
  files.files["C:\\in.qlx"] = kGood;
  files.answerYes = false;
  ImportCounters1Click(*p.logic, files);
  ExpectUntouched(p, 12, 0);
  EXPECT_TRUE(files.Backups().empty());  // nothing is written for a No
  ASSERT_EQ(files.questions.size(), 1u);
  EXPECT_EQ(files.questions[0],
            "Replace the current totals with the totals in this file?\n"
            "C:\\in.qlx\n\n"
            "Now:\n"
            "      Keystrokes: 12\n"
            "      Clicks (all buttons): 101\n"
            "      Distance: 1 m 27 cm\n"
            "      Running time: 1 days 01:01:01\n\n"
            "In the file:\n"
            "      Keystrokes: 5\n"
            "      Clicks (all buttons): 40\n"
            "      Distance: 25 m 40 cm\n"
            "      Running time: 00:33:20\n\n"
            "Before the import, the current totals are saved to:\n" +
                std::string(FakeCounterFileUi::kBackups) + kFirstBackup +
                "\n"
                "To undo the import, import that file.|Yes|No");
}

TEST(ImportQuestion, IsAskedInTheProgramsLanguage) {
  Program p({{"Language", "2"}});
  FakeCounterFileUi files;
  files.files["C:\\in.qlx"] = kGood;
  files.answerYes = false;
  ImportCounters1Click(*p.logic, files);
  ASSERT_EQ(files.questions.size(), 1u);
  const std::string& q = files.questions[0];
  EXPECT_EQ(q.rfind("Die aktuellen Summen durch die Summen in dieser Datei ersetzen?", 0), 0u);
  EXPECT_NE(q.find("Tastenanschläge: 5"), std::string::npos) << q;
  EXPECT_NE(q.find("27 Yard 28 Inch"), std::string::npos) << q;  // imperial, in German words
  EXPECT_EQ(q.substr(q.size() - 8), "|Ja|Nein");
}

TEST(ImportQuestion, YesFirstSavesTheTotalsOfThatMomentAndImportingTheBackupUndoesIt) {
  Program p({{"Keystrokes", "10"}, {"Distance", "50"}, {"Time", "700"}, {"Idle", "80"}});
  FakeCounterFileUi files;
  files.files["C:\\in.qlx"] = kGood;
  files.whileAsking = [&] { p.c.liveKeystrokes = 3; };  // typed while the question was open
  ImportCounters1Click(*p.logic, files);
  ASSERT_TRUE(files.errors.empty());
  EXPECT_EQ(p.c.Total(Counter::kKeystrokes), 5u);
  ASSERT_EQ(files.Backups(), std::vector<std::string>{kFirstBackup});
  const std::string backup = std::string(FakeCounterFileUi::kBackups) + kFirstBackup;
  const ImportResult saved = ParseExportFile(files.files[backup]);
  ASSERT_TRUE(saved.figures);
  EXPECT_EQ(saved.figures->totals[static_cast<int>(Counter::kKeystrokes)], 13u);

  // The mistake undone: the backup imported (a second backup is made of the mistaken totals).
  p.clock.now += 1.0 / 86400;
  files.importPath = backup;
  ImportCounters1Click(*p.logic, files);
  EXPECT_EQ(p.c.Total(Counter::kKeystrokes), 13u);
  EXPECT_EQ(p.c.totalDistance, 50.0);
  EXPECT_EQ(p.c.histRunSeconds, 700u);
  EXPECT_EQ(p.c.histIdleSeconds, 80u);
  EXPECT_EQ(files.Backups().size(), 2u);
}

TEST(ImportQuestion, ASecondImportInTheSameSecondKeepsTheFirstBackup) {
  Program p({{"Keystrokes", "10"}});
  FakeCounterFileUi files;
  files.files["C:\\in.qlx"] = kGood;
  ImportCounters1Click(*p.logic, files);
  ImportCounters1Click(*p.logic, files);
  EXPECT_EQ(files.Backups(),
            (std::vector<std::string>{"Quillomat 2025-12-09 12-00-00 (2).qlx", kFirstBackup}));
  EXPECT_NE(files.questions[1].find("12-00-00 (2).qlx"), std::string::npos);
}

TEST(ImportQuestion, WithoutABackupNothingIsImported) {
  struct Case {
    const char* name;
    bool noFolder;
    std::optional<std::string> writeFailure;
    const char* reason;
  } cases[] = {{"no folder", true, {}, "Access is denied."},
               {"backup not written", false, "There is not enough space on the disk.",
                "There is not enough space on the disk."}};
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    Program p({{"Keystrokes", "10"}, {"Distance", "50"}});
    p.c.liveKeystrokes = 2;
    FakeCounterFileUi files;
    files.files["C:\\in.qlx"] = kGood;
    if (k.noFolder) files.backupFolder.reset();
    files.writeFailure = k.writeFailure;
    ImportCounters1Click(*p.logic, files);
    ExpectUntouched(p, 12, 0);
    ASSERT_EQ(files.errors.size(), 1u);
    EXPECT_EQ(files.errors[0].rfind("The current totals could not be saved to the backups folder, "
                                    "so the file was not imported; the counters have not been "
                                    "changed.",
                                    0),
              0u);
    EXPECT_NE(files.errors[0].find(k.reason), std::string::npos) << files.errors[0];
  }
}

TEST(ImportQuestion, TheNewestTwentyBackupsAreKeptAndNothingElseIsTouched) {
  std::vector<std::string> names = {"notes.txt", "Quillomat 2025-13-09.qlx",
                                    "Quillomat 2025-12-09 12-00-00 (1).qlx",
                                    "quillomat 2020-01-01 00-00-00.qlx"};
  for (int day = 1; day <= 22; ++day) {
    char name[64];
    std::snprintf(name, sizeof name, "Quillomat 2025-11-%02d 08-30-00.qlx", day);
    names.push_back(name);
  }
  names.push_back("Quillomat 2025-11-01 08-30-00 (2).qlx");
  names.push_back("Quillomat 2025-11-01 08-30-00 (10).qlx");
  EXPECT_EQ(BackupsToRemove(names, kBackupsKept),
            (std::vector<std::string>{
                "Quillomat 2025-11-01 08-30-00.qlx", "Quillomat 2025-11-01 08-30-00 (2).qlx",
                "Quillomat 2025-11-01 08-30-00 (10).qlx", "Quillomat 2025-11-02 08-30-00.qlx"}));
  EXPECT_TRUE(BackupsToRemove(names, 100).empty());

  // Through an import: the oldest go, the foreign file stays.
  Program p;
  FakeCounterFileUi files;
  files.files["C:\\in.qlx"] = kGood;
  files.files[std::string(FakeCounterFileUi::kBackups) + "notes.txt"] = "mine";
  for (int day = 1; day <= 20; ++day) {
    char name[64];
    std::snprintf(name, sizeof name, "Quillomat 2025-11-%02d 08-30-00.qlx", day);
    files.files[std::string(FakeCounterFileUi::kBackups) + name] = kGood;
  }
  ImportCounters1Click(*p.logic, files);
  const std::vector<std::string> left = files.Backups();
  EXPECT_EQ(left.size(), 21u);  // 20 backups and the notes
  EXPECT_EQ(std::count(left.begin(), left.end(), "Quillomat 2025-11-01 08-30-00.qlx"), 0);
  EXPECT_EQ(std::count(left.begin(), left.end(), kFirstBackup), 1);
  EXPECT_EQ(std::count(left.begin(), left.end(), "notes.txt"), 1);
}

TEST(ImportQuestion, TheImportedIdleTimeIsWhatThePanelAndTheLogShow) {
  // The idle item hidden: nothing works the idle figure out again after the import.
  Program p({{"Idle", "77"}, {"Dispitems", "11111111111011"}});
  FakeCounterFileUi files;
  files.files["C:\\in.qlx"] = kGood;
  ImportCounters1Click(*p.logic, files);
  p.logic->tmrDistanceTimer();
  const LogFigures f = CollectLogFigures(p.c, p.logic->samplerSettings(), kNow,
                                         p.system.ShortMonthNames(), p.logic->texts);
  EXPECT_EQ(f.idleSeconds, 3000u);
}

}  // namespace
}  // namespace quillo
