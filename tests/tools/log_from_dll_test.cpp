// The log reader on logs written by the real DLL in the stand-in player, and
// the dislist-log program on them.
#include <gtest/gtest.h>
#include <windows.h>

#include "e2e/e2e_fixture.h"
#include "log_scanner.h"
#include "support/run_program.h"

namespace testing_support {
namespace {

using standin::Player;
using standin::RecordFor;

// Two runs of the player: removed, protected, not found, refused.
std::string PlayTwoRuns(const TempDir& dir) {
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
  return log.NewBytes();
}

void WriteBytes(const std::wstring& path, const std::string& bytes) {
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  ::CloseHandle(file);
}

TEST(LogFromDll, EveryDecisionOfTwoRuns) {
  TempDir dir;
  const std::string bytes = PlayTwoRuns(dir);
  std::vector<dislist_log::Removal> removals;
  dislist_log::LogScanner scanner([&](const dislist_log::Removal& r) { removals.push_back(r); });
  dislist_log::LineSplitter splitter(scanner);
  splitter.Feed(bytes.data(), bytes.size());
  splitter.Finish();

  ASSERT_EQ(scanner.runs().size(), 2u);
  const auto& first = scanner.runs()[0];
  EXPECT_EQ(first.tracksStarted, 5u);
  EXPECT_EQ(first.removed, 2u);  // a, c
  EXPECT_EQ(first.keptByMarker, 1u);
  EXPECT_EQ(first.notFound, 1u);
  const auto& second = scanner.runs()[1];
  EXPECT_EQ(second.refused, 1u);
  EXPECT_EQ(second.removed, 1u);
  ASSERT_EQ(removals.size(), 3u);
  EXPECT_EQ(removals[0].fileName, "C:\\Music\\a.mp3");
  EXPECT_EQ(removals[0].displayText, "Artist - A");
  EXPECT_EQ(removals[1].fileName, "C:\\Music\\c.mp3");
  EXPECT_EQ(removals[2].fileName, "C:\\Music\\f.mp3");
  EXPECT_EQ(removals[2].run, 2);
  const auto& odd = scanner.odd();
  EXPECT_EQ(odd.foreign + odd.misplaced + odd.unfinishedBlocks + odd.overlong, 0u);
  EXPECT_FALSE(odd.truncatedLastLine);
}

TEST(LogFromDll, ProgramListsAndExportsWhatWasRemoved) {
  TempDir dir;
  const std::wstring logPath = dir.path() + L"copy.log";
  WriteBytes(logPath, PlayTwoRuns(dir) + "half a li");

  const ProgramRun summary = RunProgram(L"dislist-log.exe", L"summary --file \"" + logPath + L"\"");
  EXPECT_EQ(summary.exitCode, 0u) << summary.output;
  EXPECT_NE(summary.output.find("run 1 (lines 1-"), std::string::npos) << summary.output;
  EXPECT_NE(summary.output.find("5 tracks started, 2 removed, 1 kept by !delete, 1 not found, 0 refused"),
            std::string::npos) << summary.output;
  EXPECT_NE(summary.output.find("time span: unknown (the log has no timestamps)"), std::string::npos);
  EXPECT_NE(summary.output.find("the last line is cut short"), std::string::npos) << summary.output;

  const ProgramRun removed = RunProgram(L"dislist-log.exe", L"removed --last 1 --file \"" + logPath + L"\"");
  EXPECT_EQ(removed.exitCode, 0u);
  EXPECT_NE(removed.output.find("C:\\Music\\f.mp3"), std::string::npos) << removed.output;
  EXPECT_EQ(removed.output.find("a.mp3"), std::string::npos) << removed.output;

  const std::wstring playlist = dir.path() + L"back.m3u8";
  const ProgramRun exported =
      RunProgram(L"dislist-log.exe", L"export \"" + playlist + L"\" --run 1 --file \"" + logPath + L"\"");
  EXPECT_EQ(exported.exitCode, 0u) << exported.output;
  EXPECT_EQ(ReadFileBytes(playlist),
            "#EXTM3U\r\n#EXTINF:-1,Artist - A\r\nC:\\Music\\a.mp3\r\n#EXTINF:-1,c.mp3\r\nC:\\Music\\c.mp3\r\n");
}

TEST(LogFromDll, ProgramErrors) {
  EXPECT_EQ(RunProgram(L"dislist-log.exe", L"summary --file C:\\no\\such.log").exitCode, 1u);
  EXPECT_EQ(RunProgram(L"dislist-log.exe", L"").exitCode, 2u);
  EXPECT_EQ(RunProgram(L"dislist-log.exe", L"removed --run 0").exitCode, 2u);
  EXPECT_EQ(RunProgram(L"dislist-log.exe", L"removed --run 1 --last 2").exitCode, 2u);
  EXPECT_EQ(RunProgram(L"dislist-log.exe", L"export").exitCode, 2u);
  EXPECT_EQ(RunProgram(L"dislist-log.exe", L"--help").exitCode, 0u);
}

}  // namespace
}  // namespace testing_support
