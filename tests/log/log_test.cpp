#include "log/log.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <thread>

#include "base/file_calls.h"
#include "base/owners.h"
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
  dislist::UniqueFile reader(::CreateFileW(testing_support::kLogFile, GENERIC_READ,
                                           FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                           FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(reader.valid());
  WriteLogLine("while shared");
  reader.reset();
  EXPECT_EQ(log.NewBytes(), "while shared\r\n");
}

// Line n of one writer: its tag, its number, and a filling whose length
// depends on n; every 50th line is longer than 8 KiB, as long tags make them.
std::string AppenderLine(char tag, int n) {
  const std::size_t filling = n % 50 == 0 ? 9000 : 20 + n % 37;
  return std::string(1, tag) + " " + std::to_string(n) + " " + std::string(filling, tag);
}

// Appends `lines` lines of `tag` to `path`, opened once for appending only.
void PlainAppender(const std::wstring& path, char tag, int lines) {
  const dislist::UniqueFile file(::CreateFileW(path.c_str(), FILE_APPEND_DATA,
                                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                               OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  for (int n = 0; n < lines; ++n) {
    const std::string line = AppenderLine(tag, n) + "\r\n";
    DWORD written = 0;
    ::WriteFile(file.get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
  }
}

// Lines that are not the next whole line of their writer, and how many of
// each writer's lines came through whole and in order.
int DamagedLines(const std::vector<std::string>& lines, std::map<char, int>& whole) {
  whole = {{'P', 0}, {'Q', 0}};
  int damaged = 0;
  for (const std::string& line : lines) {
    const char tag = line.empty() ? '?' : line[0];
    if (whole.count(tag) == 0 || line != AppenderLine(tag, whole[tag])) {
      ++damaged;
      continue;
    }
    ++whole[tag];
  }
  return damaged;
}

// Windows appends atomically for handles opened for appending only. Wine
// does not: it finds the end and then writes, so two plain appenders
// already overwrite each other there (seen here with 2 x 500 lines).
bool RunningUnderWine() {
  return ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

// Another program appends to the log while the plug-in does: each line of
// both must land whole at the end, never over or inside another.
TEST(WriteLogLine, TwoAppendersAtOnceKeepEveryLineWhole) {
  if (RunningUnderWine()) {
    GTEST_SKIP() << "Wine does not append atomically, so two plain appenders damage each "
                    "other's lines there; the contract the plug-in relies on is checked by "
                    "EachLineIsOneAppendOnlyOpenAndOneWrite";
  }
  LogCapture log;
  constexpr int kLines = 2000;
  std::thread other([] { PlainAppender(testing_support::kLogFile, 'Q', kLines); });
  for (int n = 0; n < kLines; ++n) WriteLogLine(AppenderLine('P', n));
  other.join();
  std::map<char, int> whole;
  EXPECT_EQ(DamagedLines(log.NewLines(), whole), 0);
  EXPECT_EQ(whole['P'], kLines);
  EXPECT_EQ(whole['Q'], kLines);
}

// What the system needs to append a line atomically: a handle opened for
// appending only (so every write goes to the end as it happens), and the
// whole line, however long, in one write.
struct LoggedCall {
  DWORD access = 0, share = 0, disposition = 0, writes = 0, bytes = 0;
};
std::vector<LoggedCall> logCalls;
HANDLE WINAPI RecordingCreateFile(LPCWSTR path, DWORD access, DWORD share,
                                  LPSECURITY_ATTRIBUTES security, DWORD disposition, DWORD flags,
                                  HANDLE templateFile) {
  logCalls.push_back({access, share, disposition, 0, 0});
  return ::CreateFileW(path, access, share, security, disposition, flags, templateFile);
}
BOOL WINAPI RecordingWriteFile(HANDLE file, LPCVOID data, DWORD size, LPDWORD written,
                               LPOVERLAPPED overlapped) {
  logCalls.back().writes += 1;
  logCalls.back().bytes += size;
  return ::WriteFile(file, data, size, written, overlapped);
}

TEST(WriteLogLine, EachLineIsOneAppendOnlyOpenAndOneWrite) {
  LogCapture log;
  const std::string longTag(10000, 'x');
  logCalls.clear();
  logFileCalls = {RecordingCreateFile, RecordingWriteFile};
  WriteLogLine("TITLE: " + longTag);
  WriteLogLine("two\nparts");
  logFileCalls = {&::CreateFileW, &::WriteFile};

  ASSERT_EQ(logCalls.size(), 2u);
  for (const LoggedCall& call : logCalls) {
    EXPECT_EQ(call.access, static_cast<DWORD>(FILE_APPEND_DATA));
    EXPECT_EQ(call.share, static_cast<DWORD>(FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE));
    EXPECT_EQ(call.disposition, static_cast<DWORD>(OPEN_ALWAYS));
    EXPECT_EQ(call.writes, 1u);
  }
  EXPECT_EQ(logCalls[0].bytes, 7u + 10000u + 2u);
  EXPECT_EQ(logCalls[1].bytes, 12u);
  EXPECT_EQ(log.NewBytes(), "TITLE: " + longTag + "\r\ntwo\r\nparts\r\n");
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

// The reusing form gives the same bytes, whatever the buffer held before.
TEST(WideToUtf8, IntoAReusedBufferGivesTheSameBytes) {
  std::string buffer = std::string(100, 'x');
  const struct {
    const wchar_t* text;
    std::size_t count;
  } cases[] = {{L"\xD83C\xDFB5", 2}, {L"a\xD800z", 3}, {L"a\0b", 3}, {L"abcdef\u00e9", 7},
               {L"\xDFFF\xDFFF\xDFFF", 3}, {nullptr, 5}, {L"abc", 0}};
  for (const auto& c : cases) {
    const std::size_t size = WideToUtf8Into(c.text, c.count, buffer);
    EXPECT_EQ(buffer.substr(0, size), WideToUtf8(c.text, c.count));
  }
}

}  // namespace
}  // namespace dislist
