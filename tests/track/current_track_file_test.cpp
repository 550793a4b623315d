#include "track/current_track_file.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "base/file_calls.h"
#include "plugin/plugin.h"
#include "support/log_capture.h"
#include "support/log_text.h"
#include "support/temp_dir.h"

namespace dislist {
namespace {

using testing_support::ReadFileBytes;

class CurrentTrackFile : public ::testing::Test {
 protected:
  void SetUp() override {
    currentTrackFilePath = WideText((dir.path() + testing_support::kCurrentTrackFile).c_str());
  }
  void TearDown() override { currentTrackFilePath.clear(); }
  std::string Content() const { return ReadFileBytes(currentTrackFilePath.c_str()); }

  testing_support::TempDir dir;
  testing_support::LogCapture log;
};

TEST_F(CurrentTrackFile, HoldsExactlyTheNamePartBytes) {
  WriteCurrentTrackFile("C:\\Music\\Album\\Song.mp3");
  EXPECT_EQ(Content(), "Song.mp3");
  EXPECT_EQ(log.NewLines(),
            (std::vector<std::string>{"CURRENT TRACK FILE: UPDATED.", "CURRENT TRACK: Song.mp3"}));

  WriteCurrentTrackFile("D:\\x\\Long name of a track.flac");
  WriteCurrentTrackFile("D:\\x/Short.ogg");
  EXPECT_EQ(Content(), "Short.ogg");  // no remainder of the longer name

  WriteCurrentTrackFile("Caf\xC3\xA9 12.mp3");  // UTF-8, no byte-order mark
  EXPECT_EQ(Content(), "Caf\xC3\xA9 12.mp3");
}

TEST_F(CurrentTrackFile, TrailingSeparatorLeavesTheFileAlone) {
  WriteCurrentTrackFile("C:\\a\\kept.mp3");
  log.Skip();
  WriteCurrentTrackFile("http://radio.example/live/");
  EXPECT_EQ(Content(), "kept.mp3");
  EXPECT_EQ(log.NewLines(), std::vector<std::string>{"CURRENT TRACK FILE: filename is empty."});
}

TEST_F(CurrentTrackFile, EmptyPathIsCheckedFirst) {
  currentTrackFilePath.clear();
  WriteCurrentTrackFile("");
  WriteCurrentTrackFile("C:\\a.mp3");
  EXPECT_EQ(log.NewLines(), std::vector<std::string>(2, "CURRENT TRACK FILE: path is empty."));
  EXPECT_EQ(::GetFileAttributesW((dir.path() + testing_support::kCurrentTrackFile).c_str()),
            INVALID_FILE_ATTRIBUTES);
}

TEST_F(CurrentTrackFile, PathTakenByAFolderIsAccessDenied) {
  ASSERT_TRUE(::CreateDirectoryW(currentTrackFilePath.c_str(), nullptr));
  WriteCurrentTrackFile("C:\\a.mp3");
  EXPECT_EQ(log.NewLines(),
            (std::vector<std::string>{"CURRENT TRACK FILE: CreateFileW FAILED.", "WINDOWS ERROR: 5",
                                      "REASON: ACCESS DENIED.",
                                      "Windows does not allow writing to the plugin folder."}));
}

TEST_F(CurrentTrackFile, MissingFolderIsPathNotFound) {
  currentTrackFilePath = WideText((dir.path() + L"missing\\" + testing_support::kCurrentTrackFile).c_str());
  WriteCurrentTrackFile("C:\\a.mp3");
  EXPECT_EQ(log.NewLines(),
            (std::vector<std::string>{"CURRENT TRACK FILE: CreateFileW FAILED.", "WINDOWS ERROR: 3",
                                      "REASON: PATH NOT FOUND."}));
}

// A write that the system reports as short, or as failed: the file holds
// what was written and the log says which.
DWORD shortWriteBytes = 0;
BOOL WINAPI ShortWrite(HANDLE file, LPCVOID data, DWORD, LPDWORD written, LPOVERLAPPED overlapped) {
  return ::WriteFile(file, data, shortWriteBytes, written, overlapped);
}
BOOL WINAPI FailedWrite(HANDLE, LPCVOID, DWORD, LPDWORD written, LPOVERLAPPED) {
  *written = 0;
  ::SetLastError(ERROR_ACCESS_DENIED);
  return FALSE;
}

TEST_F(CurrentTrackFile, ShortAndFailedWritesAreReported) {
  shortWriteBytes = 3;
  currentTrackFileCalls.writeFile = ShortWrite;
  WriteCurrentTrackFile("C:\\Music\\Song.mp3");
  currentTrackFileCalls.writeFile = ::WriteFile;
  EXPECT_EQ(Content(), "Son");
  EXPECT_EQ(log.NewLines(),
            (std::vector<std::string>{"CURRENT TRACK FILE: INCOMPLETE WRITE.", "EXPECTED BYTES: 8",
                                      "WRITTEN BYTES: 3"}));
  log.Skip();

  currentTrackFileCalls.writeFile = FailedWrite;
  WriteCurrentTrackFile("C:\\Music\\Other.mp3");
  currentTrackFileCalls.writeFile = ::WriteFile;
  EXPECT_EQ(Content(), "");  // truncated by the open, nothing written
  // No reason lines after a failed write, whatever the code.
  EXPECT_EQ(log.NewLines(), (std::vector<std::string>{"CURRENT TRACK FILE: WriteFile FAILED.",
                                                      "WINDOWS ERROR: 5"}));
}

}  // namespace
}  // namespace dislist
