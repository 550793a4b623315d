// The dislist-player program as a person runs it: exit codes and messages.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "support/log_capture.h"
#include "support/run_program.h"
#include "support/temp_dir.h"

namespace testing_support {
namespace {

using Outcome = ProgramRun;

Outcome RunPlayer(const std::wstring& arguments) { return RunProgram(L"dislist-player.exe", arguments); }

bool Has(const Outcome& outcome, const std::string& text) {
  return outcome.output.find(text) != std::string::npos;
}

TEST(PlayerProgram, SamplePlaylistShowsRemovedAndKeptEntries) {
  LogCapture log;
  const Outcome run = RunPlayer(L"");
  EXPECT_EQ(run.exitCode, 0u) << run.output;
  EXPECT_TRUE(Has(run, "removed 01 Opening Lights.mp3")) << run.output;
  EXPECT_TRUE(Has(run, "kept Keep This One.flac (protected by !delete)")) << run.output;
  EXPECT_TRUE(Has(run, "AIMP_CURRENT_TRACK.txt: \"Terminus.ogg\"")) << run.output;
  EXPECT_TRUE(Has(run, "  | PLUGIN READY.")) << run.output;
}

TEST(PlayerProgram, OwnPlaylistWithRelativePathsAndABadLine) {
  LogCapture log;
  TempDir dir;
  testing_support::WriteFileBytes(dir.path() + L"mine.m3u8",
            "#EXTM3U\n#EXTINF:1,First\nsongs\\one.mp3\nbad|line\n#EXTINF:2,Second !DELETE\n"
            "songs\\two.mp3\n#EXTINF:3,Third\nsongs\\three.mp3\n");
  const Outcome run = RunPlayer(L"\"" + dir.path() + L"mine.m3u8\"");
  EXPECT_EQ(run.exitCode, 0u) << run.output;
  EXPECT_TRUE(Has(run, "playlist line 4: not a file path or address, skipped")) << run.output;
  EXPECT_TRUE(Has(run, "removed one.mp3")) << run.output;
  EXPECT_TRUE(Has(run, "kept two.mp3 (protected by !delete)")) << run.output;
  EXPECT_TRUE(Has(run, "songs\\two.mp3\r\n  ") || Has(run, "songs\\two.mp3\n  ")) << run.output;
}

TEST(PlayerProgram, FaultsShowWhatTheLogSays) {
  LogCapture log;
  const Outcome refused = RunPlayer(L"--fault delete-refused");
  EXPECT_EQ(refused.exitCode, 0u);
  EXPECT_TRUE(Has(refused, "AIMP refused to remove 01 Opening Lights.mp3 (HRESULT: 0x80070005)"))
      << refused.output;
  const Outcome noWindow = RunPlayer(L"--fault no-remote-window");
  EXPECT_TRUE(Has(noWindow, "plug-in start-up: FAILED")) << noWindow.output;
  EXPECT_TRUE(Has(noWindow, "REMOTE: AIMP Remote Access window NOT FOUND.")) << noWindow.output;
  const Outcome noPlaylist = RunPlayer(L"--fault no-playing-playlist");
  EXPECT_TRUE(Has(noPlaylist, "playing playlist unavailable (HRESULT: 0x80004005)")) << noPlaylist.output;
}

TEST(PlayerProgram, ClearErrorsAndExitCodes) {
  const Outcome missing = RunPlayer(L"C:\\no\\such\\list.m3u");
  EXPECT_EQ(missing.exitCode, 1u);
  EXPECT_TRUE(Has(missing, "cannot read playlist C:\\no\\such\\list.m3u")) << missing.output;

  TempDir dir;
  testing_support::WriteFileBytes(dir.path() + L"empty.m3u", "#EXTM3U\r\n");
  const Outcome empty = RunPlayer(L"\"" + dir.path() + L"empty.m3u\"");
  EXPECT_EQ(empty.exitCode, 1u);
  EXPECT_TRUE(Has(empty, "holds no tracks")) << empty.output;

  EXPECT_EQ(RunPlayer(L"--fault everything").exitCode, 2u);
  EXPECT_EQ(RunPlayer(L"--nonsense").exitCode, 2u);
  const Outcome help = RunPlayer(L"--help");
  EXPECT_EQ(help.exitCode, 0u);
  EXPECT_TRUE(Has(help, "Usage: dislist-player")) << help.output;
}

}  // namespace
}  // namespace testing_support
