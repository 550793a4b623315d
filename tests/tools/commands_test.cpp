// The commands of dislist-log in this process, with outputs and file calls
// that fail on purpose: a failed write is reported and leaves every file as
// it was, and an exported playlist holds exactly the removed entries.
#include "commands.h"
#include "log_file.h"
#include "playlist_file.h"
#include "double_click_report.h"
#include "report.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <regex>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/owners.h"

#include "support/e2e_fixture.h"
#include "support/log_capture.h"
#include "support/temp_dir.h"

namespace dislist_log {
namespace {

using testing_support::ReadFileBytes;
using testing_support::TempDir;
using testing_support::WriteFileBytes;

class StringOut final : public TextOutput {
 public:
  bool Write(std::string_view utf8) override {
    if (throws) throw std::runtime_error("no memory left, says the test");
    if (fails) return false;
    text.append(utf8);
    return true;
  }
  std::string text;
  bool fails = false;
  bool throws = false;
};

// The console a person may sit at, or none: what was typed before the
// program asked (dropped on request), its answers in order, and how often
// the program read from it. Its output is a console where its input is,
// unless said otherwise.
class StubConsole final : public Console {
 public:
  StubConsole(bool input, bool own, std::vector<std::string> answers = {}, std::vector<std::string> typedAhead = {})
      : output(input), input_(input), own_(own), lines_(std::move(typedAhead)) {
    ahead_ = lines_.size();
    lines_.insert(lines_.end(), answers.begin(), answers.end());
  }
  bool InputIsConsole() override { return input_; }
  bool OutputIsConsole() override { return output; }
  bool OwnsWindow() override { return own_; }
  void DropTypedAhead() override {
    if (ahead_ > next_) lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(next_),
                                     lines_.begin() + static_cast<std::ptrdiff_t>(ahead_));
    ahead_ = next_;
  }
  bool ReadLine(std::string& line) override {
    ++reads;
    if (next_ >= lines_.size()) return false;  // the end of input
    line = lines_[next_++];
    return true;
  }
  std::size_t reads = 0;
  bool output;

 private:
  bool input_, own_;
  std::vector<std::string> lines_;
  std::size_t ahead_ = 0, next_ = 0;
};

// No console: a pipe, a file or nothing for input.
int RunPiped(const std::vector<std::wstring>& arguments, TextOutput& out, TextOutput& err) {
  StubConsole none(false, false);
  return RunDislistLog(arguments, out, err, none);
}

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

// At the first pass's end of file the player appends one more removal.
std::wstring growingLog;
bool grew = false;
BOOL WINAPI ReadThenGrow(HANDLE file, LPVOID data, DWORD size, LPDWORD read, LPOVERLAPPED) {
  const BOOL ok = ::ReadFile(file, data, size, read, nullptr);
  if (ok && *read == 0 && !grew) {
    grew = true;
    const dislist::UniqueFile appender(::CreateFileW(growingLog.c_str(), FILE_APPEND_DATA,
                                                     FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                                     FILE_ATTRIBUTE_NORMAL, nullptr));
    const std::string late = Removal("C:\\x\\late.mp3", "Late");
    DWORD written = 0;
    ::WriteFile(appender.get(), late.data(), static_cast<DWORD>(late.size()), &written, nullptr);
  }
  return ok;
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
  EXPECT_EQ(RunPiped(exportAll, out, err), 0) << err.text;
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
    EXPECT_EQ(RunPiped(exportAll, failedOut, failedErr), 1) << fault;
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

  // A playlist named without its folder: the message gives it in full.
  wchar_t current[MAX_PATH] = {};
  ::GetCurrentDirectoryW(MAX_PATH, current);
  ::SetCurrentDirectoryW(dir.path().c_str());
  StringOut relative, relativeErr;
  EXPECT_EQ(RunPiped({L"export", L"rel.m3u8", L"--file", log}, relative, relativeErr), 0) << relativeErr.text;
  ::SetCurrentDirectoryW(current);
  EXPECT_EQ(relative.text, "3 removed entries written to " + testing_support::Utf8(dir.path()) + "rel.m3u8\n");

  // The player appends a removal while export reads: the playlist holds
  // exactly what the first pass checked, not the entry it never saw.
  growingLog = log;
  logReadFile = ReadThenGrow;
  StringOut grown, grownErr;
  EXPECT_EQ(RunPiped(exportAll, grown, grownErr), 0) << grownErr.text;
  logReadFile = ::ReadFile;
  EXPECT_TRUE(grew);
  EXPECT_EQ(grown.text, "3 removed entries written to " + testing_support::Utf8(playlist) + "\n");
  EXPECT_EQ(ReadFileBytes(playlist).find("late.mp3"), std::string::npos) << ReadFileBytes(playlist);
  EXPECT_NE(ReadFileBytes(log).find("late.mp3"), std::string::npos);

  // Standard output that takes nothing (a full device) fails the command.
  StringOut full, fullErr;
  full.fails = true;
  EXPECT_EQ(RunPiped({L"removed", L"--file", log}, full, fullErr), 1);
  EXPECT_NE(fullErr.text.find("cannot write to the standard output"), std::string::npos) << fullErr.text;
  StringOut summary, summaryErr;
  EXPECT_EQ(RunPiped({L"summary", L"--file", log}, summary, summaryErr), 0);
  EXPECT_NE(summary.text.find("1 line is not valid UTF-8"), std::string::npos) << summary.text;
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
    EXPECT_EQ(RunPiped(c.arguments, out, err), 2) << shown << ": " << err.text;
    EXPECT_NE(err.text.find(c.says), std::string::npos) << shown << ": " << err.text;
    EXPECT_EQ(out.text, "") << shown;
  }
  // A file with no line of the plug-in's (here UTF-16 without its byte order
  // mark) is refused, not reported as a log with nothing removed.
  WriteFileBytes(log, std::string("P\0L\0A\0Y\0\r\0\n\0", 12));
  StringOut out, err;
  EXPECT_EQ(RunPiped({L"removed", L"--file", log}, out, err), 1) << err.text;
  EXPECT_NE(err.text.find("holds no line the plug-in writes"), std::string::npos) << err.text;
  EXPECT_EQ(err.text.find("nothing removed"), std::string::npos) << err.text;
}

// A double-click or a dropped log: a short report of the last runs, their
// total and the log's time; at a console the offer to give the last
// removals back, and a wait for Enter only in the program's own window.
TEST(Commands, ReportOffersTheLastRemovalsAskingOnlyAtAConsole) {
  TempDir dir;
  const std::wstring log = dir.path() + L"AIMP_Dislist.log";
  const std::string eq(40, '=');
  // Twelve runs: runs 3 and 11 remove, run 12 (the last) removes nothing.
  std::string bytes;
  for (int run = 1; run <= 12; ++run) {
    bytes += Lines({"", eq, "AIMP Dislist", eq, "Plugin initialized."});
    if (run == 3) bytes += Removal("C:\\x\\three.mp3", "Three");
    if (run == 11) bytes += Removal("C:\\x\\a.mp3", "A") + Removal("C:\\x\\b.mp3", "B");
  }
  WriteFileBytes(log, bytes);
  // A file of the playlist's first name is the user's: never replaced.
  const std::wstring taken = dir.path() + L"AIMP_Dislist run 11 removed.m3u8";
  const std::wstring given = dir.path() + L"AIMP_Dislist run 11 removed (2).m3u8";
  WriteFileBytes(taken, "the user's own");
  const std::regex ending("total \\(12 runs\\): 0 tracks started, 3 removed, 0 kept by !delete, 0 not found, "
                          "0 refused\nlast written 20[0-9][0-9]-[01][0-9]-[0-3][0-9] [0-2][0-9]:[0-5][0-9] "
                          "\\(local time\\)\n");

  struct Case {
    const char* what;
    bool input, output, own;
    std::vector<std::string> answers, typedAhead;
    bool asks, writes, waits;
    std::size_t reads;
  } cases[] = {
      {"a pipe", false, false, false, {}, {}, false, false, false, 0},
      {"no input, own window", false, true, true, {}, {}, false, false, false, 0},
      {"a command prompt, no", true, true, false, {"n"}, {}, true, false, false, 1},
      {"a command prompt, output to a file", true, false, false, {"y"}, {}, false, false, false, 0},
      {"its own window, output to a file", true, false, true, {"y", ""}, {}, false, false, false, 0},
      {"a double-click, yes", true, true, true, {" Yes ", ""}, {}, true, true, true, 2},
      {"an Enter typed while the log was read", true, true, true, {"y", ""}, {""}, true, true, true, 2},
      {"input ends at the question", true, true, true, {}, {}, true, false, true, 2},
  };
  for (const Case& c : cases) {
    StubConsole console(c.input, c.own, c.answers, c.typedAhead);
    console.output = c.output;
    StringOut out, err;
    EXPECT_EQ(RunDislistLog({log}, out, err, console), 0) << c.what << ": " << err.text;
    const std::string report = out.text.substr(0, out.text.find("\nThe last run"));
    EXPECT_NE(report.find("(2 earlier runs not shown"), std::string::npos) << c.what << ": " << report;
    EXPECT_EQ(report.find("run 2 (lines"), std::string::npos) << c.what;
    EXPECT_NE(report.find("run 3 (lines"), std::string::npos) << c.what;
    EXPECT_NE(report.find("run 12 (lines"), std::string::npos) << c.what;
    EXPECT_TRUE(std::regex_search(report, ending)) << c.what << ": " << report;
    EXPECT_NE(out.text.find("The last run that removed entries is run 11: 2 entries."), std::string::npos)
        << c.what << ": " << out.text;
    EXPECT_EQ(err.text.find("Give back the 2 entries removed in run 11") != std::string::npos, c.asks) << c.what;
    EXPECT_EQ(out.text.find("dislist-log export back.m3u8 --run 11 --file \"" + testing_support::Utf8(log) +
                            "\"") != std::string::npos,
              !c.asks) << c.what << ": " << out.text;
    EXPECT_EQ(err.text.find("Press Enter to close this window.") != std::string::npos, c.waits) << c.what;
    EXPECT_EQ(console.reads, c.reads) << c.what;
    EXPECT_EQ(ReadFileBytes(taken), "the user's own") << c.what;
    EXPECT_EQ(::GetFileAttributesW(given.c_str()) != INVALID_FILE_ATTRIBUTES, c.writes) << c.what;
    if (!c.writes) continue;
    EXPECT_NE(out.text.find("2 removed entries written to " + testing_support::Utf8(given)), std::string::npos)
        << out.text;
    EXPECT_NE(out.text.find("drag this file into AIMP's playlist"), std::string::npos) << out.text;
    EXPECT_EQ(ReadFileBytes(given), "#EXTM3U\r\n#EXTINF:-1,A\r\nC:\\x\\a.mp3\r\n#EXTINF:-1,B\r\nC:\\x\\b.mp3\r\n");
    ::DeleteFileW(given.c_str());
  }
  EXPECT_FALSE(testing_support::AnyFileMatches(dir.path() + L"*.tmp"));

  // summary ends with the same total; a selection that removed nothing
  // names the run that did.
  StringOut summary, summaryErr, last, lastErr;
  EXPECT_EQ(RunPiped({L"summary", L"--file", log}, summary, summaryErr), 0);
  EXPECT_TRUE(std::regex_search(summary.text, std::regex("run 1 \\(lines[^\n]*\n(.*\n)*run 12 .*\n")));
  EXPECT_TRUE(std::regex_search(summary.text, ending)) << summary.text;
  EXPECT_EQ(summary.text.substr(summary.text.size() - 13), "(local time)\n");
  // The log's time as set, in the local time of a zone that is not UTC.
  const SYSTEMTIME utc = {2026, 3, 0, 1, 10, 7, 0, 0};
  FILETIME written = {}, localWritten = {};
  SYSTEMTIME local = {};
  ASSERT_TRUE(::SystemTimeToFileTime(&utc, &written));
  {
    const dislist::UniqueFile file(::CreateFileW(log.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(::SetFileTime(file.get(), nullptr, nullptr, &written));
  }
  ASSERT_TRUE(::FileTimeToLocalFileTime(&written, &localWritten) && ::FileTimeToSystemTime(&localWritten, &local));
  ASSERT_NE(MinuteText(local), MinuteText(utc)) << "the tests run with TZ set to a zone other than UTC";
  StringOut timed, timedErr;
  EXPECT_EQ(RunPiped({L"summary", L"--file", log}, timed, timedErr), 0);
  EXPECT_NE(timed.text.find("last written " + MinuteText(local) + " (local time)\n"), std::string::npos)
      << timed.text;
  EXPECT_EQ(RunPiped({L"export", dir.path() + L"x.m3u8", L"--last", L"1", L"--file", log}, last, lastErr), 0);
  EXPECT_NE(lastErr.text.find("nothing removed in the last run: no playlist written; the last run that "
                              "removed entries is run 11 (2 removed): choose it with --run 11"),
            std::string::npos) << lastErr.text;

  // The playlist's names: the first free one, none after a thousand.
  EXPECT_EQ(FreePlaylistName(L"D:\\l\\", 4, [](const std::wstring&) { return false; }),
            L"D:\\l\\AIMP_Dislist run 4 removed.m3u8");
  EXPECT_EQ(FreePlaylistName(L"D:\\l\\", 4, [](const std::wstring&) { return true; }), L"");
  for (const char* yes : {"y", "Y", "yes", " YES\r"}) EXPECT_TRUE(IsYes(yes)) << yes;
  for (const char* no : {"", "n", "no", "yess", "ja"}) EXPECT_FALSE(IsYes(no)) << no;
}

// The window stays until Enter only where a person double-clicked the
// program or dropped something on it, whatever came of it; a command never
// waits, as a script or a scheduled task would wait for ever.
TEST(Commands, WaitsOnlyWhereAPersonLooks) {
  TempDir dir;
  const std::wstring log = dir.path() + L"a.log";
  const std::wstring quiet = dir.path() + L"quiet.log";
  const std::wstring notLog = dir.path() + L"notes.txt";
  const std::wstring missing = dir.path() + L"missing.log";
  const std::wstring folder = dir.path().substr(0, dir.path().size() - 1);
  const std::string banner = Lines({"", std::string(40, '='), "AIMP Dislist", std::string(40, '='),
                                    "Plugin initialized."});
  WriteFileBytes(log, banner + Removal("C:\\x\\a.mp3", "A"));
  WriteFileBytes(quiet, banner);
  WriteFileBytes(notLog, "a shopping list\r\n");
  // `reads`: the question (answered no) and the wait each read a line; 0 is
  // no wait. What a person's window says is one sentence, never the usage.
  struct Case {
    std::vector<std::wstring> arguments;
    int code;
    std::size_t reads;
    const char* says;
  } cases[] = {
      {{log}, 0, 2, "Nothing written."},
      {{quiet}, 0, 1, "Nothing was removed in any run of this log"},
      {{notLog}, 1, 1, "holds no line the plug-in writes"},
      {{missing}, 2, 1, "dislist-log: no such file: "},
      {{folder}, 2, 1, " is a folder: drop the log file in it on dislist-log\n"},
      {{log, notLog}, 2, 1, "dislist-log: dislist-log reads one log at a time: drop a single log file on it\n"},
      {{L"summary", L"--file", log}, 0, 0, "total (1 run)"},
      {{L"summary", L"--file", missing}, 1, 0, "cannot read"},
      {{L"removed", L"--run", L"1", L"--file", log}, 0, 0, "C:\\x\\a.mp3\n"},
      {{L"export", dir.path() + L"back.m3u8", L"--run", L"1", L"--file", log}, 0, 0, "1 removed entry written"},
      {{L"--help"}, 0, 0, "Usage:"},
      {{L"summary", L"--help"}, 0, 0, "Usage:"},
      {{L"tally"}, 2, 0, "unknown command tally"},
  };
  for (const Case& c : cases) {
    const std::string shown = testing_support::Utf8(c.arguments[0]) + " (" + std::to_string(c.arguments.size()) + ")";
    StubConsole console(true, true, {"n", ""});
    StringOut out, err;
    EXPECT_EQ(RunDislistLog(c.arguments, out, err, console), c.code) << shown << ": " << err.text;
    const std::string said = out.text + err.text;
    EXPECT_NE(said.find(c.says), std::string::npos) << shown << ": " << said;
    EXPECT_EQ(err.text.find("Press Enter to close this window.") != std::string::npos, c.reads > 0) << shown;
    EXPECT_FALSE(c.reads > 0 && said.find("Usage:") != std::string::npos) << shown << ": " << said;
    EXPECT_EQ(console.reads, c.reads) << shown;
  }
  // An exception while reporting is said, and still waited on.
  StubConsole console(true, true, {""});
  StringOut throwing, err;
  throwing.throws = true;
  EXPECT_EQ(RunDislistLog({log}, throwing, err, console), 1);
  EXPECT_NE(err.text.find("dislist-log: no memory left, says the test\n"), std::string::npos) << err.text;
  EXPECT_NE(err.text.find("Press Enter to close this window."), std::string::npos) << err.text;
  EXPECT_EQ(console.reads, 1u);
}

// A hook that puts a file under the playlist's name just before the
// playlist is moved there, as a second give-back at the same moment would.
std::wstring racedName;
BOOL WINAPI TakenJustBefore(LPCWSTR from, LPCWSTR to, DWORD flags) {
  if (racedName.empty()) {
    racedName = to;
    WriteFileBytes(racedName, "raced");
  }
  return ::MoveFileExW(from, to, flags);
}

// The give-back writes beside the log under a name no file has, even one
// taken at the last moment, and fails only for a real fault, saying which;
// export and the give-back take names outside ASCII alike.
TEST(Commands, GiveBackTakesAFreeNameAndFailsOnlyForARealFault) {
  TempDir dir;
  const std::wstring folder = dir.path() + L"M\u00fcsik \u263a\\";
  ASSERT_TRUE(::CreateDirectoryW(folder.c_str(), nullptr));
  const std::wstring log = folder + L"Dislist \u00e9t\u00e9.log";
  const std::string eq(40, '=');
  const std::string banner = Lines({"", eq, "AIMP Dislist", eq, "Plugin initialized."});
  WriteFileBytes(log, banner + Removal("C:\\x\\a.mp3", "A") + banner + Removal("C:\\x\\b.mp3", "B"));
  const std::wstring first = folder + L"AIMP_Dislist run 2 removed.m3u8";
  const std::wstring second = folder + L"AIMP_Dislist run 2 removed (2).m3u8";
  const std::string playlistOfB = "#EXTM3U\r\n#EXTINF:-1,B\r\nC:\\x\\b.mp3\r\n";
  const auto giveBack = [&](StringOut& out, StringOut& err) {
    StubConsole yes(true, false, {"y"});
    return RunDislistLog({log}, out, err, yes);
  };

  // The first name taken between choosing it and moving the playlist there:
  // the next one, and the file that took it is left alone.
  const ExportFileCalls real = exportFileCalls;
  exportFileCalls.moveFile = TakenJustBefore;
  StringOut raced, racedErr;
  EXPECT_EQ(giveBack(raced, racedErr), 0) << racedErr.text;
  exportFileCalls = real;
  EXPECT_EQ(racedName, first);
  EXPECT_EQ(ReadFileBytes(first), "raced");
  EXPECT_EQ(ReadFileBytes(second), playlistOfB);
  EXPECT_NE(raced.text.find("1 removed entry written to " + testing_support::Utf8(second) + "\n"), std::string::npos)
      << raced.text;
  ::DeleteFileW(first.c_str());
  ::DeleteFileW(second.c_str());

  // A refused move: the real reason, exit 1, no file left.
  exportFileCalls.moveFile = RefusedMove;
  StringOut refused, refusedErr;
  EXPECT_EQ(giveBack(refused, refusedErr), 1);
  exportFileCalls = real;
  EXPECT_NE(refusedErr.text.find("cannot put the playlist in place of " + testing_support::Utf8(first) +
                                 " (error 5); no file was written or replaced"),
            std::string::npos) << refusedErr.text;
  EXPECT_FALSE(testing_support::AnyFileMatches(folder + L"*.m3u8"));
  EXPECT_FALSE(testing_support::AnyFileMatches(folder + L"*.tmp"));

  // Export into the same folder, under a name outside ASCII.
  const std::wstring exported = folder + L"zur\u00fcck \u266b.m3u8";
  StringOut exportOut, exportErr;
  EXPECT_EQ(RunPiped({L"export", exported, L"--run", L"2", L"--file", log}, exportOut, exportErr), 0) << exportErr.text;
  EXPECT_EQ(exportOut.text, "1 removed entry written to " + testing_support::Utf8(exported) + "\n");
  EXPECT_EQ(ReadFileBytes(exported), playlistOfB);

  // The player appends a removal to the run given back while it is read:
  // the playlist holds what the first pass checked.
  growingLog = log;
  grew = false;
  logReadFile = ReadThenGrow;
  StringOut grown, grownErr;
  EXPECT_EQ(giveBack(grown, grownErr), 0) << grownErr.text;
  logReadFile = ::ReadFile;
  EXPECT_TRUE(grew);
  EXPECT_EQ(ReadFileBytes(first), playlistOfB);
  EXPECT_NE(ReadFileBytes(log).find("late.mp3"), std::string::npos);

  // Every entry of the run unfit for a playlist: said, exit 1, no file.
  const std::wstring unfit = folder + L"unfit.log";
  WriteFileBytes(unfit, banner + Removal("C:\\x\\caf\xE9.mp3", "Caf\xE9"));
  StubConsole yes(true, false, {"y"});
  StringOut none, noneErr;
  EXPECT_EQ(RunDislistLog({unfit}, none, noneErr, yes), 1);
  EXPECT_NE(noneErr.text.find("the file name is not valid UTF-8, left out of the playlist"), std::string::npos)
      << noneErr.text;
  EXPECT_NE(noneErr.text.find("no entry of run 1 could be written (1 left out, see above): no playlist written"),
            std::string::npos) << noneErr.text;
  EXPECT_FALSE(testing_support::AnyFileMatches(folder + L"AIMP_Dislist run 1*"));
}

}  // namespace
}  // namespace dislist_log
