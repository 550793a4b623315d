// Start-up and shut-down of the loaded library, failure by failure.
#include <windows.h>

#include <limits>

#include "base/names.h"
#include "support/e2e_fixture.h"

namespace testing_support {
namespace {

using standin::CountMessageOnlyWindows;

constexpr const wchar_t* kNotifyClass = dislist::kNotifyWindowClass;

class StartUp : public EndToEnd {
 protected:
  // Lines from the banner up to the playlist manager query.
  std::vector<std::string> UpToTheQuery(const std::string& result = "00000000") {
    return Join(Banner(), {"PLUGIN DLL FOLDER:", Utf8(dir.path()), "CURRENT TRACK FILE PATH:",
                           Utf8(currentTrackPath), "CURRENT TRACK FILE: INITIAL CREATE SUCCESS.",
                           "Playlist manager QueryInterface HRESULT: 0x" + result});
  }
  void WriteStaleCurrentTrackFile() { WriteFileBytes(currentTrackPath, "old.mp3"); }
};

TEST_F(StartUp, RunsEveryStepAndRegisters) {
  player->remote->registerResult = 1;
  ASSERT_EQ(player->Start(), S_OK);
  EXPECT_EQ(Lines(), Join(Join(UpToTheQuery(), {"Playlist manager: OK.",
                                                "REMOTE: notification window created.",
                                                "REMOTE: AIMP Remote Access window found.",
                                                "REMOTE: REGISTER_NOTIFY result = 1",
                                                "REMOTE: notification registration returned 1"}),
                          ReadyBlock(Utf8(currentTrackPath))));
  ASSERT_EQ(player->remote->commands.size(), 1u);
  EXPECT_EQ(player->remote->commands[0].command, 11u);
  const HWND window = player->remote->registered;
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(CountMessageOnlyWindows(kNotifyClass), 1);
  EXPECT_EQ(::GetParent(window), nullptr);
  EXPECT_TRUE(FileExists(currentTrackPath));
  EXPECT_EQ(player->objects.manager().refs(), 2);  // one held by the plug-in

  log.Skip();
  EXPECT_EQ(player->Stop(), S_OK);
  EXPECT_EQ(Lines(), (std::vector<std::string>{"", "Finalize called.",
                                               "REMOTE: notification unregistered.",
                                               "Finalize finished."}));
  ASSERT_EQ(player->remote->commands.size(), 2u);
  EXPECT_EQ(player->remote->commands[1].command, 12u);
  EXPECT_EQ(player->remote->commands[1].argument, reinterpret_cast<LPARAM>(window));
  EXPECT_FALSE(::IsWindow(window));
  EXPECT_EQ(player->objects.manager().refs(), 1);
}

TEST_F(StartUp, NullCoreCreatesNothing) {
  EXPECT_EQ(player->plugin->Initialize(nullptr), E_FAIL);
  EXPECT_EQ(Lines(), Join(Banner(), {"ERROR: IAIMPCore is NULL."}));
  EXPECT_FALSE(FileExists(currentTrackPath));
  EXPECT_EQ(CountMessageOnlyWindows(kNotifyClass), 0);
  EXPECT_TRUE(player->remote->commands.empty());
}

TEST_F(StartUp, PlaylistManagerUnavailable) {
  WriteStaleCurrentTrackFile();
  player->objects.core().queryResult = E_NOINTERFACE;
  EXPECT_EQ(player->Start(), E_FAIL);
  EXPECT_EQ(Lines(), Join(UpToTheQuery("80004002"), {"ERROR: Playlist manager unavailable."}));
  EXPECT_EQ(CurrentTrackFile(), "");  // the stale name is gone all the same
  log.Skip();

  player->objects.core().queryResult = S_OK;
  player->objects.core().yieldNull = true;
  EXPECT_EQ(player->Start(), E_FAIL);
  EXPECT_EQ(Lines(), Join(UpToTheQuery(), {"ERROR: Playlist manager unavailable."}));
  EXPECT_EQ(CountMessageOnlyWindows(kNotifyClass), 0);
}

TEST_F(StartUp, NoRemoteAccessWindow) {
  WriteStaleCurrentTrackFile();
  player->remote.reset();
  EXPECT_EQ(player->Start(), E_FAIL);
  EXPECT_EQ(Lines(), Join(UpToTheQuery(), {"Playlist manager: OK.",
                                           "REMOTE: notification window created.",
                                           "REMOTE: AIMP Remote Access window NOT FOUND.",
                                           "REMOTE: registration FAILED."}));
  EXPECT_EQ(CountMessageOnlyWindows(kNotifyClass), 0);
  EXPECT_EQ(player->objects.manager().refs(), 1);  // released again
  EXPECT_EQ(CurrentTrackFile(), "");
  log.Skip();

  // Shut-down after it has nothing to send and nothing to destroy.
  EXPECT_EQ(player->Stop(), S_OK);
  EXPECT_EQ(Lines(), (std::vector<std::string>{"", "Finalize called.", "Finalize finished."}));
}

TEST_F(StartUp, WindowWithTheRightClassButAnotherNameIsNotFound) {
  player->remote.reset(new standin::RemoteAccessWindow(L"Some other title"));
  ASSERT_TRUE(player->remote->ok());
  EXPECT_EQ(player->Start(), E_FAIL);
  EXPECT_EQ(Count("REMOTE: AIMP Remote Access window NOT FOUND."), 1);
  EXPECT_TRUE(player->remote->commands.empty());
}

TEST_F(StartUp, CurrentTrackFileThatCannotBeCreatedDoesNotStopStartUp) {
  ASSERT_TRUE(::CreateDirectoryW(currentTrackPath.c_str(), nullptr));  // the path is a folder
  EXPECT_EQ(player->Start(), S_OK);
  const auto lines = Lines();
  ASSERT_GT(lines.size(), 20u);
  EXPECT_EQ(std::vector<std::string>(lines.begin() + 16, lines.begin() + 20),
            (std::vector<std::string>{"CURRENT TRACK FILE: INITIAL CREATE FAILED.",
                                      "WINDOWS ERROR: 5", "REASON: ACCESS DENIED.",
                                      "Windows does not allow writing to the plugin folder."}));
  EXPECT_EQ(lines.back(), std::string(40, '='));
}

// The result is pointer-sized: on 32-bit Windows its extremes are those of
// 32 bits, reported in the same signed form.
TEST_F(StartUp, RegisterResultsAreOnlyReported) {
  const std::pair<LRESULT, std::string> cases[] = {
      {0, "0"},
      {-1, "-1"},
      {std::numeric_limits<LRESULT>::min(),
       sizeof(LRESULT) == 8 ? "-9223372036854775808" : "-2147483648"},
      {std::numeric_limits<LRESULT>::max(),
       sizeof(LRESULT) == 8 ? "9223372036854775807" : "2147483647"}};
  for (const auto& [result, text] : cases) {
    player->remote->registerResult = result;
    ASSERT_EQ(player->Start(), S_OK) << text;
    EXPECT_EQ(Count("REMOTE: REGISTER_NOTIFY result = " + text), 1);
    EXPECT_EQ(Count("REMOTE: notification registration returned " + text), 1);
    player->Stop();
    log.Skip();
  }
}

TEST_F(StartUp, FinalizeTwiceAndStartingAgain) {
  ASSERT_EQ(player->Start(), S_OK);
  player->Play(standin::RecordFor(L"C:\\a.mp3"));
  EXPECT_EQ(player->Stop(), S_OK);
  log.Skip();
  EXPECT_EQ(player->Stop(), S_OK);
  EXPECT_EQ(Lines(), (std::vector<std::string>{"", "Finalize called.", "Finalize finished."}));
  log.Skip();

  // A second start-up begins from the banner with no track remembered.
  ASSERT_EQ(player->Start(), S_OK);
  EXPECT_EQ(Lines().front(), "");
  EXPECT_EQ(Lines()[2], "AIMP Dislist");
  EXPECT_EQ(CountMessageOnlyWindows(kNotifyClass), 1);
  log.Skip();
  player->Play(standin::RecordFor(L"C:\\a.mp3"));
  EXPECT_EQ(Count("TRACK START: first tracked track."), 1);
  EXPECT_EQ(Count("CURRENT TRACK FILE: UPDATED."), 1);
}

}  // namespace
}  // namespace testing_support
