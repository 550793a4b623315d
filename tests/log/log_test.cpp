#include "log/log.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "support/log_capture.h"

namespace dislist {
namespace {

using testing_support::FileExists;
using testing_support::LogCapture;

TEST(WriteLogLine, BytesOnDiskAreTheMessageWithCrLf) {
  LogCapture log;
  WriteLogLine("");
  WriteLogLine("first");
  WriteLogLine("two\nparts");
  WriteLogLine("last");
  EXPECT_EQ(log.NewBytes(), "\r\nfirst\r\ntwo\r\nparts\r\nlast\r\n");
}

TEST(WriteLogLine, AppendsAfterWhatIsAlreadyThere) {
  LogCapture log;
  WriteLogLine("run one");
  const std::string before = testing_support::ReadFileBytes(testing_support::kLogFile);
  WriteLogLine("run two");
  const std::string after = testing_support::ReadFileBytes(testing_support::kLogFile);
  ASSERT_EQ(after.substr(0, before.size()), before);
  EXPECT_EQ(after.substr(before.size()), "run two\r\n");
}

TEST(WriteLogLine, AnotherProgramMayHoldTheLogOpen) {
  LogCapture log;
  HANDLE reader = ::CreateFileW(testing_support::kLogFile, GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(reader, INVALID_HANDLE_VALUE);
  WriteLogLine("while shared");
  ::CloseHandle(reader);
  EXPECT_EQ(log.NewBytes(), "while shared\r\n");
}

TEST(WriteLogLine, MissingFolderIsNeverCreated) {
  LogCapture keep;  // makes sure the folder exists, then we move it away
  const wchar_t* aside = L"C:\\AIMPPlugin.aside";
  ASSERT_TRUE(::MoveFileW(testing_support::kLogFolder, aside));
  WriteLogLine("lost");
  WriteLogLine("");
  const bool folderCreated = FileExists(testing_support::kLogFolder);
  if (folderCreated) ::RemoveDirectoryW(testing_support::kLogFolder);
  ASSERT_TRUE(::MoveFileW(aside, testing_support::kLogFolder));
  EXPECT_FALSE(folderCreated);
  EXPECT_EQ(keep.NewBytes(), "");
}

TEST(WideToUtf8, ConvertsExactlyTheCountedUnits) {
  const wchar_t cafe[] = L"Caf\u00e9 xy\u00e9";  // 7 units, last is U+00E9
  EXPECT_EQ(WideToUtf8(cafe + 3, 1), "\xC3\xA9");
  const std::string seven = WideToUtf8(L"abcdef\u00e9", 7);
  EXPECT_EQ(seven.size(), 8u);
  EXPECT_EQ(seven, "abcdef\xC3\xA9");
  EXPECT_EQ(WideToUtf8(L"\xD83C\xDFB5", 2), "\xF0\x9F\x8E\xB5");  // one 4-byte sequence
  EXPECT_EQ(WideToUtf8(L"a\xD800z", 3), "a\xEF\xBF\xBDz");         // unpaired surrogate
  EXPECT_EQ(WideToUtf8(L"a\0b", 3), std::string("a\0b", 3));        // embedded U+0000 kept
  EXPECT_EQ(WideToUtf8(L"abc", 2), "ab");                          // no terminator needed
  EXPECT_EQ(WideToUtf8(nullptr, 5), "");
  EXPECT_EQ(WideToUtf8(L"abc", 0), "");
}

}  // namespace
}  // namespace dislist
