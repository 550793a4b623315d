// The commands of dislist-log in this process, with outputs and file calls
// that fail on purpose: a failed write is reported and leaves every file as
// it was, and an exported playlist holds exactly the removed entries.
#include "commands.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "support/e2e_fixture.h"
#include "support/log_capture.h"
#include "support/temp_dir.h"

namespace dislist_log {
namespace {

using testing_support::ReadFileBytes;
using testing_support::TempDir;
using testing_support::WriteFileBytes;

class StringOut final : public TextOut {
 public:
  bool Write(std::string_view utf8) override {
    if (fails) return false;
    text.append(utf8);
    return true;
  }
  std::string text;
  bool fails = false;
};

int writes = 0;
// The second write reaches the disk only in half, as on a full disk.
BOOL WINAPI HalfOfTheSecondWrite(HANDLE file, LPCVOID data, DWORD size, LPDWORD written, LPOVERLAPPED) {
  const DWORD part = ++writes == 2 ? size / 2 : size;
  return ::WriteFile(file, data, part, written, nullptr);
}
BOOL WINAPI RefusedMove(LPCWSTR, LPCWSTR, DWORD) {
  ::SetLastError(ERROR_ACCESS_DENIED);
  return FALSE;
}

std::string Lines(const std::vector<std::string>& lines) { return testing_support::CrLf(lines); }

std::string Removal(const std::string& file, const std::string& display) {
  using testing_support::Join;
  return Lines(Join(Join(testing_support::FoundItem(file, 2, 0, file, display), testing_support::Deleted()),
                    {std::string(40, '=')}));
}

TEST(Commands, ExportWritesCleanPlaylistsOrLeavesEveryFileAsItWas) {
  TempDir dir;
  const std::wstring log = dir.path() + L"dislist.log";
  const std::wstring playlist = dir.path() + L"back.m3u8";
  const std::string eq(40, '=');
  // A title with a line break and a file name after it, one saved as ANSI,
  // one with a tab.
  WriteFileBytes(log, Lines({"", eq, "AIMP Dislist", eq, "Plugin initialized."}) +
                          Removal("C:\\x\\b.mp3", "B\rC:\\evil.mp3") + Removal("C:\\x\\c.mp3", "Caf\xE9") +
                          Removal("C:\\x\\d.mp3", "D\tE"));
  const std::vector<std::wstring> exportAll = {L"export", playlist, L"--file", log};

  StringOut out, err;
  EXPECT_EQ(RunDislistLog(exportAll, out, err), 0) << err.text;
  EXPECT_EQ(ReadFileBytes(playlist),
            "#EXTM3U\r\n#EXTINF:-1,B C:\\evil.mp3\r\nC:\\x\\b.mp3\r\n#EXTINF:-1,Caf\xEF\xBF\xBD\r\nC:\\x\\c.mp3\r\n"
            "#EXTINF:-1,D E\r\nC:\\x\\d.mp3\r\n");
  EXPECT_EQ(out.text, "3 removed entries written to " + testing_support::Utf8(playlist) + "\n");

  // A write that reaches the disk only in part, and a playlist that cannot
  // be put in place: each fails the export, says so, and leaves the old
  // playlist and no new file behind.
  const ExportFileCalls real = exportFileCalls;
  for (int fault = 0; fault < 2; ++fault) {
    WriteFileBytes(playlist, "an older playlist");
    writes = 0;
    if (fault == 0) exportFileCalls.writeFile = HalfOfTheSecondWrite;
    if (fault == 1) exportFileCalls.moveFile = RefusedMove;
    StringOut failedOut, failedErr;
    EXPECT_EQ(RunDislistLog(exportAll, failedOut, failedErr), 1) << fault;
    exportFileCalls = real;
    EXPECT_NE(failedErr.text.find(fault == 0 ? "cannot write" : "cannot put the playlist in place"),
              std::string::npos) << failedErr.text;
    // The failed call's own code: a full disk, a refused move.
    EXPECT_NE(failedErr.text.find(fault == 0 ? "(error 112)" : "(error 5)"), std::string::npos) << failedErr.text;
    EXPECT_NE(failedErr.text.find("is left as it was"), std::string::npos) << failedErr.text;
    EXPECT_EQ(failedOut.text.find("written"), std::string::npos) << failedOut.text;
    EXPECT_EQ(ReadFileBytes(playlist), "an older playlist") << fault;
    EXPECT_FALSE(testing_support::AnyFileMatches(dir.path() + L"*.tmp")) << fault;
  }

  // Standard output that takes nothing (a full device) fails the command.
  StringOut full, fullErr;
  full.fails = true;
  EXPECT_EQ(RunDislistLog({L"removed", L"--file", log}, full, fullErr), 1);
  EXPECT_NE(fullErr.text.find("cannot write to the standard output"), std::string::npos) << fullErr.text;
  StringOut summary, summaryErr;
  EXPECT_EQ(RunDislistLog({L"summary", L"--file", log}, summary, summaryErr), 0);
  EXPECT_NE(summary.text.find("1 line(s) are not valid UTF-8"), std::string::npos) << summary.text;
}

// A wrong command line says what was wrong and the valid range, with exit
// code 2, and writes nothing to the standard output.
TEST(Commands, WrongCommandLinesSayWhatIsWrong) {
  TempDir dir;
  const std::wstring log = dir.path() + L"copy.log";
  const std::string eq(40, '=');
  WriteFileBytes(log, Lines({"", eq, "AIMP Dislist", eq, "Plugin initialized."}));
  struct Case {
    std::vector<std::wstring> arguments;
    const char* says;
  } wrong[] = {
      {{}, "a command is needed"},
      {{L"removed", L"--run", L"0", L"--file", log}, "--run 0: no such run; the log has runs 1 to 1"},
      {{L"removed", L"--run", L"2", L"--file", log}, "--run 2: no such run; the log has runs 1 to 1"},
      {{L"removed", L"--run", L"99999999999999999999", L"--file", log}, "no such run; the log has runs 1 to 1"},
      {{L"removed", L"--last", L"0", L"--file", log}, "--last 0: takes a count of runs from 1; the log has runs 1 to 1"},
      {{L"removed", L"--run", L"1", L"--last", L"2", L"--file", log}, "--run and --last do not go together"},
      {{L"removed", L"--run", L"1", L"--run", L"1", L"--file", log}, "--run is given twice"},
      {{L"summary", L"--file", log, L"--file", log}, "--file is given twice"},
      {{L"summary", L"--file"}, "--file needs the log file to read"},
      {{L"export", L"--file", log}, "export needs the playlist file to write"},
      {{L"removed", L"--run", L"--file", log}, "--run needs a number"},
      {{L"export", L"x.m3u8", L"--last", L"--file", log}, "--last needs a number"},
      {{L"removed", L"--file", L"--run", L"1"}, "--file needs the log file to read"},
      {{L"tally", L"--file", log}, "unknown command tally"},
      {{L"summary", L"--run", L"1", L"--file", log}, "unexpected --run"},
  };
  for (const Case& c : wrong) {
    StringOut out, err;
    const std::string shown = c.arguments.empty() ? "(none)" : testing_support::Utf8(c.arguments[0]);
    EXPECT_EQ(RunDislistLog(c.arguments, out, err), 2) << shown << ": " << err.text;
    EXPECT_NE(err.text.find(c.says), std::string::npos) << shown << ": " << err.text;
    EXPECT_EQ(out.text, "") << shown;
  }
  // A file with no line of the plug-in's (here UTF-16 without its byte order
  // mark) is refused, not reported as a log with nothing removed.
  WriteFileBytes(log, std::string("P\0L\0A\0Y\0\r\0\n\0", 12));
  StringOut out, err;
  EXPECT_EQ(RunDislistLog({L"removed", L"--file", log}, out, err), 1) << err.text;
  EXPECT_NE(err.text.find("holds no line the plug-in writes"), std::string::npos) << err.text;
  EXPECT_EQ(err.text.find("nothing removed"), std::string::npos) << err.text;
}

}  // namespace
}  // namespace dislist_log
