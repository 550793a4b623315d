// The log reader on logs written by the real DLL in the stand-in player, and
// the dislist-log program on them.
#include <gtest/gtest.h>
#include <windows.h>

#include <sstream>

#include "base/names.h"

#include "support/e2e_fixture.h"
#include "line_splitter.h"
#include "log_scanner.h"
#include "support/run_program.h"

namespace testing_support {
namespace {

using standin::Player;
using standin::RecordFor;

// Three runs of the player: removed, protected, not found, refused; then a
// player that starts the next track inside its Delete, so the plug-in's
// track-start lines fall inside a running check.
std::string PlayThreeRuns(const TempDir& dir) {
  LogCapture log;
  const std::wstring dll = CopyDllInto(dir.path());
  {
    Player player(dll);
    player.objects.AddItem(L"C:\\Music\\a.mp3", L"Artist - A");
    player.objects.AddItem(L"C:\\Music\\b.mp3", L"Artist - B !delete");
    player.objects.AddItem(L"C:\\Music\\c.mp3", L"");
    player.objects.AddItem(L"C:\\Music\\d.mp3", L"Artist - D");
    EXPECT_EQ(player.Start(), S_OK);
    for (const wchar_t* name : {L"a", L"b", L"c", L"x", L"d"}) {
      player.Play(RecordFor(std::wstring(L"C:\\Music\\") + name + L".mp3"));
    }
    player.Stop();
  }
  {
    Player player(dll);
    player.objects.AddItem(L"C:\\Music\\e.mp3", L"Artist - E");
    player.objects.AddItem(L"C:\\Music\\f.mp3", L"Artist - F");
    player.objects.playlist().deleteResult = E_ACCESSDENIED;
    EXPECT_EQ(player.Start(), S_OK);
    player.Play(RecordFor(L"C:\\Music\\e.mp3"));
    player.Play(RecordFor(L"C:\\Music\\f.mp3"));
    player.objects.playlist().deleteResult = S_OK;
    player.Play(RecordFor(L"C:\\Music\\\u00e9t\u00e9.mp3"));
    player.Stop();
  }
  {
    Player player(dll);
    for (const wchar_t* name : {L"g", L"h", L"i", L"j"}) {
      player.objects.AddItem(std::wstring(L"C:\\Music\\") + name + L".mp3", L"Title");
    }
    EXPECT_EQ(player.Start(), S_OK);
    bool started = false;
    player.objects.playlist().beforeDelete = [&] {
      if (started) return;
      started = true;
      player.Announce(RecordFor(L"C:\\Music\\i.mp3"), standin::kNotifyTrackStart);
    };
    player.Play(RecordFor(L"C:\\Music\\g.mp3"));
    player.Play(RecordFor(L"C:\\Music\\h.mp3"));
    player.Play(RecordFor(L"C:\\Music\\j.mp3"));
    EXPECT_TRUE(started);
    player.Stop();
  }
  return log.NewBytes();
}

TEST(LogFromDll, EveryDecisionOfThreeRuns) {
  TempDir dir;
  const std::string bytes = PlayThreeRuns(dir);
  std::vector<dislist_log::Removal> removals;
  dislist_log::LogScanner scanner([&](const dislist_log::Removal& r) { removals.push_back(r); });
  dislist_log::LineSplitter splitter(scanner);
  splitter.Feed(bytes.data(), bytes.size());
  splitter.Finish();

  ASSERT_EQ(scanner.runs().size(), 3u);
  const auto& first = scanner.runs()[0];
  EXPECT_EQ(first.tracksStarted, 5u);
  EXPECT_EQ(first.removed, 2u);  // a, c
  EXPECT_EQ(first.keptByMarker, 1u);
  EXPECT_EQ(first.notFound, 1u);
  const auto& second = scanner.runs()[1];
  EXPECT_EQ(second.refused, 1u);
  EXPECT_EQ(second.removed, 1u);
  EXPECT_EQ(scanner.runs()[2].tracksStarted, 4u);
  EXPECT_EQ(scanner.runs()[2].removed, 3u);
  ASSERT_EQ(removals.size(), 6u);
  EXPECT_EQ(removals[0].fileName, "C:\\Music\\a.mp3");
  EXPECT_EQ(removals[0].displayText, "Artist - A");
  EXPECT_EQ(removals[1].fileName, "C:\\Music\\c.mp3");
  EXPECT_EQ(removals[2].fileName, "C:\\Music\\f.mp3");
  EXPECT_EQ(removals[2].run, 2);
  for (int i = 3; i < 6; ++i) EXPECT_EQ(removals[i].run, 3);
  EXPECT_EQ(removals[3].fileName, "C:\\Music\\g.mp3");
  EXPECT_EQ(removals[4].fileName, "C:\\Music\\h.mp3");
  EXPECT_EQ(removals[5].fileName, "C:\\Music\\i.mp3");
  const auto& odd = scanner.odd();
  EXPECT_EQ(odd.foreign + odd.misplaced + odd.unfinishedBlocks + odd.overlong, 0u);
  EXPECT_FALSE(odd.truncatedLastLine);
}

TEST(LogFromDll, ProgramListsAndExportsWhatWasRemoved) {
  TempDir dir;
  const std::wstring logPath = dir.path() + L"copy.log";
  WriteFileBytes(logPath, PlayThreeRuns(dir) + "half a li");

  const ProgramRun summary = RunProgram(L"dislist-log.exe", L"summary --file \"" + logPath + L"\"");
  EXPECT_EQ(summary.exitCode, 0u) << summary.output;
  EXPECT_NE(summary.output.find("run 1 (lines 1-"), std::string::npos) << summary.output;
  EXPECT_NE(summary.output.find("5 tracks started, 2 removed, 1 kept by !delete, 1 not found, 0 refused"),
            std::string::npos) << summary.output;
  EXPECT_NE(summary.output.find("total (3 runs): 12 tracks started, 6 removed, 1 kept by !delete, 1 not found, "
                                "1 refused\nlast written 20"),
            std::string::npos) << summary.output;
  EXPECT_NE(summary.output.find("the last line is cut short"), std::string::npos) << summary.output;

  const ProgramRun removed = RunProgram(L"dislist-log.exe", L"removed --run 2 --file \"" + logPath + L"\"");
  EXPECT_EQ(removed.exitCode, 0u);
  EXPECT_NE(removed.output.find("C:\\Music\\f.mp3"), std::string::npos) << removed.output;
  EXPECT_EQ(removed.output.find("a.mp3"), std::string::npos) << removed.output;

  // The log dropped on the program, with a pipe for input (y in it): the
  // report and the command that gives the entries back; nothing asked,
  // nothing written.
  const std::string yes = "y\r\n";
  const ProgramRun dropped = RunProgram(L"dislist-log.exe", L"\"" + logPath + L"\"", &yes);
  EXPECT_EQ(dropped.exitCode, 0u) << dropped.output;
  EXPECT_NE(dropped.output.find("total (3 runs): 12 tracks started"), std::string::npos) << dropped.output;
  EXPECT_NE(dropped.output.find("(local time)"), std::string::npos) << dropped.output;
  EXPECT_NE(dropped.output.find("dislist-log export back.m3u8 --run 3 --file \"" + Utf8(logPath) + "\""),
            std::string::npos) << dropped.output;
  EXPECT_EQ(dropped.output.find("Give back"), std::string::npos) << dropped.output;
  EXPECT_FALSE(testing_support::AnyFileMatches(dir.path() + L"*.m3u8"));

  // Export puts a complete playlist in place of the old one, and leaves
  // nothing else behind.
  const std::wstring playlist = dir.path() + L"back.m3u8";
  WriteFileBytes(playlist, "an older playlist");
  const ProgramRun exported =
      RunProgram(L"dislist-log.exe", L"export \"" + playlist + L"\" --run 1 --file \"" + logPath + L"\"");
  EXPECT_EQ(exported.exitCode, 0u) << exported.output;
  EXPECT_NE(exported.output.find("2 removed entries written to " + Utf8(playlist)), std::string::npos)
      << exported.output;
  EXPECT_EQ(ReadFileBytes(playlist),
            "#EXTM3U\r\n#EXTINF:-1,Artist - A\r\nC:\\Music\\a.mp3\r\n#EXTINF:-1,c.mp3\r\nC:\\Music\\c.mp3\r\n");
  EXPECT_FALSE(testing_support::AnyFileMatches(dir.path() + L"*.tmp")) << "a temporary file is left behind";

  // The log itself, named another way, is never an export's output.
  const std::string logBytes = ReadFileBytes(logPath);
  ::CreateDirectoryW((dir.path() + L"sub").c_str(), nullptr);
  const ProgramRun ontoLog = RunProgram(
      L"dislist-log.exe", L"export \"" + dir.path() + L"sub\\..\\copy.log\" --file \"" + logPath + L"\"");
  EXPECT_EQ(ontoLog.exitCode, 2u) << ontoLog.output;
  EXPECT_NE(ontoLog.output.find("is the log itself"), std::string::npos) << ontoLog.output;
  EXPECT_EQ(ReadFileBytes(logPath), logBytes);
  // A log that cannot be read leaves the output as it was.
  const ProgramRun noLog = RunProgram(
      L"dislist-log.exe", L"export \"" + playlist + L"\" --file \"" + dir.path() + L"missing.log\"");
  EXPECT_EQ(noLog.exitCode, 1u) << noLog.output;
  EXPECT_NE(ReadFileBytes(playlist).find("Artist - A"), std::string::npos);

  const ProgramRun third = RunProgram(L"dislist-log.exe", L"removed --run 3 --file \"" + logPath + L"\"");
  EXPECT_EQ(third.exitCode, 0u) << third.output;
  EXPECT_NE(third.output.find("C:\\Music\\i.mp3"), std::string::npos) << third.output;
}

// The program's exit codes for a missing log and a wrong command line, and
// help under every usual name.
// The default log's folder moved aside for a while; whatever stands in its
// place then (a log a test wrote) goes, and the folder comes back.
class LogFolderAside {
 public:
  LogFolderAside() : moved_(::MoveFileW(dislist::kLogFolder, kAside) != FALSE) {}
  ~LogFolderAside() {
    ::DeleteFileW(dislist::kLogFilePath);
    ::RemoveDirectoryW(dislist::kLogFolder);
    if (moved_) ::MoveFileW(kAside, dislist::kLogFolder);
  }
  LogFolderAside(const LogFolderAside&) = delete;
  LogFolderAside& operator=(const LogFolderAside&) = delete;

 private:
  static constexpr wchar_t kAside[] = L"C:\\AIMPPlugin.aside";
  bool moved_;
};

TEST(LogFromDll, ProgramErrors) {
  TempDir dir;
  const std::wstring logPath = dir.path() + L"copy.log";
  WriteFileBytes(logPath, "\r\n========================================\r\nAIMP Dislist\r\n"
                      "========================================\r\nPlugin initialized.\r\n");
  const std::wstring file = L" --file \"" + logPath + L"\"";
  EXPECT_EQ(RunProgram(L"dislist-log.exe", L"summary --file C:\\no\\such.log").exitCode, 1u);
  // Every wrong command line is checked in-process (the commands' tests);
  // here one of them through the program itself.
  const ProgramRun twice = RunProgram(L"dislist-log.exe", L"summary" + file + file);
  EXPECT_EQ(twice.exitCode, 2u) << twice.output;
  EXPECT_NE(twice.output.find("--file is given twice"), std::string::npos) << twice.output;
  const ProgramRun nothing = RunProgram(L"dislist-log.exe", L"removed --run 1" + file);
  EXPECT_EQ(nothing.exitCode, 0u);
  EXPECT_NE(nothing.output.find("nothing removed in run 1; no run of this log removed anything"),
            std::string::npos) << nothing.output;

  // Started with no argument and a pipe for input: the default log's report.
  // Its folder is moved aside meanwhile and put back after.
  {
    const LogFolderAside aside;
    const std::string enter = "\r\n";
    const ProgramRun missing = RunProgram(L"dislist-log.exe", L"", &enter);
    EXPECT_EQ(missing.exitCode, 1u) << missing.output;
    EXPECT_NE(missing.output.find("the folder C:\\AIMPPlugin does not exist"), std::string::npos) << missing.output;
    ASSERT_TRUE(::CreateDirectoryW(dislist::kLogFolder, nullptr));
    WriteFileBytes(dislist::kLogFilePath, ReadFileBytes(logPath));
    const ProgramRun report = RunProgram(L"dislist-log.exe", L"", &enter);
    EXPECT_EQ(report.exitCode, 0u) << report.output;
    EXPECT_NE(report.output.find("C:\\AIMPPlugin\\AIMP_Dislist.log: 5 lines, 1 run of the player\nrun 1 (lines 1-5)"), std::string::npos)
        << report.output;
    EXPECT_NE(report.output.find("Nothing was removed in any run of this log"), std::string::npos)
        << report.output;
    EXPECT_NE(report.output.find("last written 20"), std::string::npos) << report.output;
    EXPECT_EQ(report.output.find("Press Enter"), std::string::npos) << report.output;
  }
  for (const wchar_t* help : {L"--help", L"-h", L"/?", L"summary --help", L"export --help"}) {
    const ProgramRun run = RunProgram(L"dislist-log.exe", help);
    EXPECT_EQ(run.exitCode, 0u) << Utf8(help);
    EXPECT_NE(run.output.find("Usage: dislist-log [LOG]\n       dislist-log summary"), std::string::npos)
        << Utf8(help) << run.output;
  }
}

// What the report and summary say went wrong, per run, from logs the DLL
// wrote while the stand-in player misbehaved; a clean run gets no hint.
TEST(LogFromDll, HintsNameWhatWentWrongInEachRun) {
  TempDir dir;
  LogCapture log;
  const std::wstring dll = CopyDllInto(dir.path());
  const auto play = [](Player& player, std::initializer_list<const wchar_t*> names) {
    for (const wchar_t* name : names) player.Play(RecordFor(std::wstring(L"C:\\Music\\") + name + L".mp3"));
  };
  const auto items = [](Player& player, std::initializer_list<const wchar_t*> names) {
    for (const wchar_t* name : names) player.objects.AddItem(std::wstring(L"C:\\Music\\") + name + L".mp3");
  };
  {  // 1: clean
    Player player(dll);
    items(player, {L"a", L"b"});
    EXPECT_EQ(player.Start(), S_OK);
    play(player, {L"a", L"b"});
    player.Stop();
  }
  {  // 2: no Remote Access window
    Player player(dll);
    player.remote.reset();
    EXPECT_EQ(player.Start(), E_FAIL);
  }
  {  // 3: ready, and never a track start
    Player player(dll);
    EXPECT_EQ(player.Start(), S_OK);
    player.Stop();
  }
  {  // 4: a folder where the current-track file goes: access denied
    const std::wstring trackFile = dir.path() + dislist::kCurrentTrackFileName;
    ::DeleteFileW(trackFile.c_str());
    ASSERT_TRUE(::CreateDirectoryW(trackFile.c_str(), nullptr));
    Player player(dll);
    items(player, {L"c", L"d"});
    EXPECT_EQ(player.Start(), S_OK);
    play(player, {L"c", L"d"});
    player.Stop();
    ::RemoveDirectoryW(trackFile.c_str());
  }
  {  // 5: not found, refused, no playing playlist
    Player player(dll);
    items(player, {L"e", L"f", L"g"});
    EXPECT_EQ(player.Start(), S_OK);
    play(player, {L"e", L"x", L"g"});
    player.objects.playlist().deleteResult = E_ACCESSDENIED;
    play(player, {L"f"});
    player.objects.manager().playingResult = E_FAIL;
    play(player, {L"e"});
    player.Stop();
  }
  const std::wstring logPath = dir.path() + L"hints.log";
  WriteFileBytes(logPath, log.NewBytes());
  // Each run's hint lines, in order, by how they begin.
  const std::vector<std::string> expected[] = {
      {},
      {"the plug-in did not start: AIMP's Remote Access window was not found"},
      {"no track start was heard in this run"},
      {"AIMP_CURRENT_TRACK.txt could not be written, access denied"},
      {"1 previous track not found", "AIMP refused 1 deletion", "no playlist was playing at 1 track change"},
  };
  const std::string enter = "\r\n";
  for (const ProgramRun& run : {RunProgram(L"dislist-log.exe", L"summary --file \"" + logPath + L"\""),
                                RunProgram(L"dislist-log.exe", L"\"" + logPath + L"\"", &enter)}) {
    EXPECT_EQ(run.exitCode, 0u) << run.output;
    for (int number = 1; number <= 5; ++number) {
      const std::size_t begin = run.output.find("run " + std::to_string(number) + " (lines");
      ASSERT_NE(begin, std::string::npos) << number << run.output;
      const std::size_t end = run.output.find(number < 5 ? "\nrun " : "\ntotal", begin);
      std::istringstream block(run.output.substr(begin, end - begin));
      std::vector<std::string> lines;
      for (std::string line; std::getline(block, line);) lines.push_back(line);
      lines.erase(lines.begin());  // the run's own line
      ASSERT_EQ(lines.size(), expected[number - 1].size()) << "run " << number << ":\n" << run.output;
      for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].rfind("  hint: " + expected[number - 1][i], 0), 0u) << lines[i];
      }
    }
  }
}

}  // namespace
}  // namespace testing_support
