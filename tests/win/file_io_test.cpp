// Files written all or nothing: an append goes after what is there and leaves it as it was; a
// whole-file replacement leaves nothing beside the file.
#include "win32/file_io.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace quillo {
namespace {

std::string ReadAll(const std::wstring& path) {
  std::ifstream in(path.c_str(), std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

class Files : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH, temp);
    folder = std::wstring(temp) + L"quillo-file-io\\";
    CreateDirectoryW(folder.c_str(), nullptr);
    DeleteFileW((folder + L"log.txt").c_str());
    DeleteFileW((folder + L"day.csv").c_str());
  }
  std::wstring folder;
};

TEST_F(Files, AnAppendGoesAfterWhatIsThereAndCreatesAMissingFile) {
  const std::wstring log = folder + L"log.txt";
  ASSERT_FALSE(AppendWhole(log, "header\r\n", false));
  ASSERT_FALSE(AppendWhole(log, "first line\r\n", true));
  ASSERT_FALSE(AppendWhole(log, "second line\r\n", false));
  EXPECT_EQ(ReadAll(log), "header\r\nfirst line\r\nsecond line\r\n");
}

TEST_F(Files, AnAppendToAFolderThatIsNotThereSaysWhy) {
  const auto error = AppendWhole(folder + L"missing\\log.txt", "x", false);
  ASSERT_TRUE(error);
  EXPECT_EQ(*error, static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
}

TEST_F(Files, AReplacementTakesThePlaceOfTheFileAndLeavesNothingBesideIt) {
  const std::wstring day = folder + L"day.csv";
  ASSERT_FALSE(ReplaceWholeFile(day, "old", L"qh"));
  ASSERT_FALSE(ReplaceWholeFile(day, "new and longer", L"qh"));
  EXPECT_EQ(ReadAll(day), "new and longer");
  WIN32_FIND_DATAW found;
  HANDLE h = FindFirstFileW((folder + L"qh*").c_str(), &found);
  EXPECT_EQ(h, INVALID_HANDLE_VALUE);
  if (h != INVALID_HANDLE_VALUE) FindClose(h);
}

}  // namespace
}  // namespace quillo
