// The road of a track change through the loaded library: notification,
// record, current-track file, report, posted track change and removal.
#include <windows.h>

#include "support/e2e_fixture.h"

namespace testing_support {
namespace {

using standin::RecordFor;
using standin::kNotifyTrackInfo;
using standin::kNotifyTrackStart;

class TrackRoad : public EndToEnd {
 protected:
  void SetUp() override {
    EndToEnd::SetUp();
    player->objects.AddItem(L"C:\\Music\\a.mp3", L"A");
    player->objects.AddItem(L"C:\\Music\\b.mp3", L"B !delete");
    player->objects.AddItem(L"C:\\Music\\c.mp3", L"C");
    player->objects.AddItem(L"C:\\Music\\d.mp3", L"D");
    StartQuietly();
  }
  std::vector<std::wstring> Left() const { return player->objects.FileNames(); }
};

TEST_F(TrackRoad, TrackInfoThenTrackStartForTheSameFile) {
  player->Play(RecordFor(L"C:\\Music\\a.mp3", L"Song A"));
  const auto lines = Lines();
  ASSERT_EQ(lines.size(), 22u);
  EXPECT_EQ(lines[0], "REMOTE: AIMP_RA_NOTIFY_TRACK_INFO");
  EXPECT_EQ(lines[1], "CURRENT TRACK FILE: UPDATED.");
  EXPECT_EQ(lines[2], "CURRENT TRACK: a.mp3");
  EXPECT_EQ(lines[7], "TITLE: Song A");
  EXPECT_EQ(lines[18], "REMOTE: AIMP_RA_NOTIFY_TRACK_START");  // no second file write
  EXPECT_EQ(std::vector<std::string>(lines.begin() + 19, lines.end()),
            (std::vector<std::string>{"", "TRACK START: first tracked track.",
                                      "CURRENT: C:\\Music\\a.mp3"}));
  EXPECT_EQ(CurrentTrackFile(), "a.mp3");
}

TEST_F(TrackRoad, TrackStartThenTrackInfoWritesNoReport) {
  player->Announce(RecordFor(L"C:\\Music\\a.mp3"), kNotifyTrackStart);
  player->Announce(RecordFor(L"C:\\Music\\a.mp3"), kNotifyTrackInfo);
  EXPECT_EQ(Lines(), (std::vector<std::string>{
                         "REMOTE: AIMP_RA_NOTIFY_TRACK_START", "CURRENT TRACK FILE: UPDATED.",
                         "CURRENT TRACK: a.mp3", "", "TRACK START: first tracked track.",
                         "CURRENT: C:\\Music\\a.mp3", "REMOTE: AIMP_RA_NOTIFY_TRACK_INFO"}));
}

TEST_F(TrackRoad, TheTrackChangeRunsOnlyAfterTheNotificationReturns) {
  player->block->Publish(RecordFor(L"C:\\Music\\a.mp3"));
  EXPECT_EQ(player->remote->Notify(kNotifyTrackStart), 0);
  EXPECT_EQ(Count("TRACK START: first tracked track."), 0);
  standin::PumpMessages();
  EXPECT_EQ(Count("TRACK START: first tracked track."), 1);
}

TEST_F(TrackRoad, PlayingThroughRemovesPlayedTracksButNotProtectedOnes) {
  player->Play(RecordFor(L"C:\\Music\\a.mp3"));
  player->Play(RecordFor(L"C:\\Music\\b.mp3"));
  EXPECT_EQ(Count("PLAYLIST DELETE: SUCCESS."), 1);
  player->Play(RecordFor(L"C:\\Music\\c.mp3"));
  EXPECT_EQ(Count("PLAYLIST DELETE: SKIPPED."), 1);
  player->Play(RecordFor(L"C:\\Music\\elsewhere.mp3"));
  player->Play(RecordFor(L"C:\\Music\\d.mp3"));
  EXPECT_EQ(Count("PLAYLIST DELETE: previous track NOT FOUND."), 1);
  EXPECT_EQ(Left(), (std::vector<std::wstring>{L"C:\\Music\\b.mp3", L"C:\\Music\\d.mp3"}));
  EXPECT_EQ(CurrentTrackFile(), "d.mp3");

  // Names of three-byte characters (60 bytes of UTF-8 for 26 units) and of
  // four-byte ones come whole through the record, the current-track file,
  // the log and the removal.
  const std::wstring threeBytes =
      L"C:\\\u97F3\u697D\\\u591C\u306E\u66F2\u20AC\u591C\u306E\u66F2\u20AC\u591C\u306E\u66F2"
      L"\u20AC\u591C\u306E\u66F2.flac";
  const std::string threeBytesUtf8 = u8"C:\\音楽\\夜の曲€夜の曲€夜の曲€夜の曲.flac";
  const std::wstring fourBytes = L"C:\\Music\\\U0001F3B5\U0001F3B6.mp3";
  const std::string fourBytesUtf8 = u8"C:\\Music\\🎵🎶.mp3";
  player->objects.AddItem(threeBytes, L"\u591C");
  player->objects.AddItem(fourBytes, L"\U0001F3B5");
  log.Skip();
  player->Play(RecordFor(threeBytes));
  EXPECT_EQ(CurrentTrackFile(), u8"夜の曲€夜の曲€夜の曲€夜の曲.flac");
  player->Play(RecordFor(fourBytes));
  EXPECT_EQ(CurrentTrackFile(), u8"🎵🎶.mp3");
  player->Play(RecordFor(L"C:\\Music\\b.mp3"));
  EXPECT_EQ(Count("CURRENT: " + threeBytesUtf8), 1);
  EXPECT_EQ(Count("FILENAME: " + threeBytesUtf8), 2) << "the report and the removal";
  EXPECT_EQ(Count("PREVIOUS FILE: " + threeBytesUtf8), 1);
  EXPECT_EQ(Count("PREVIOUS FILE: " + fourBytesUtf8), 1);
  EXPECT_EQ(Count("DISPLAYTEXT: " + std::string(u8"🎵")), 1);
  EXPECT_EQ(Count("PLAYLIST DELETE: SUCCESS."), 3);
  EXPECT_EQ(Left(), std::vector<std::wstring>{L"C:\\Music\\b.mp3"});
}

TEST_F(TrackRoad, TwoTrackStartsBeforeTheLoopRuns) {
  player->Play(RecordFor(L"C:\\Music\\a.mp3"));
  log.Skip();
  player->block->Publish(RecordFor(L"C:\\Music\\c.mp3"));
  player->remote->Notify(kNotifyTrackStart);
  player->block->Publish(RecordFor(L"C:\\Music\\d.mp3"));
  player->remote->Notify(kNotifyTrackStart);
  standin::PumpMessages();
  EXPECT_EQ(Count("NEW TRACK STARTED"), 1);
  EXPECT_EQ(Count("CURRENT: C:\\Music\\d.mp3"), 1);
  EXPECT_EQ(Left(), (std::vector<std::wstring>{L"C:\\Music\\b.mp3", L"C:\\Music\\c.mp3",
                                               L"C:\\Music\\d.mp3"}));
}

TEST_F(TrackRoad, EmptyFileNameChangesNothing) {
  player->Play(RecordFor(L"C:\\Music\\a.mp3"));
  log.Skip();
  player->Play(RecordFor(L""));
  EXPECT_EQ(Lines(), (std::vector<std::string>{"REMOTE: AIMP_RA_NOTIFY_TRACK_INFO",
                                               "REMOTE: AIMP_RA_NOTIFY_TRACK_START"}));
  EXPECT_EQ(CurrentTrackFile(), "a.mp3");
  EXPECT_EQ(Left().size(), 4u);
}

TEST_F(TrackRoad, OtherCodesAndMessagesLogNothing) {
  player->block->Publish(RecordFor(L"C:\\Music\\a.mp3"));
  for (WPARAM code : {WPARAM{0}, WPARAM{3}, WPARAM{0x102}, ~WPARAM{0} - 1}) {
    EXPECT_EQ(player->remote->Notify(code), 0);
  }
  ::SendMessageW(player->remote->registered, WM_USER + 0x75, 11, 0);
  standin::PumpMessages();
  EXPECT_TRUE(Lines().empty());
  EXPECT_EQ(CurrentTrackFile(), "");
}

TEST_F(TrackRoad, SharedBlockMissing) {
  player->block.reset();
  player->Play(RecordFor(L"C:\\Music\\a.mp3"));
  EXPECT_EQ(Lines(), (std::vector<std::string>{
                         "REMOTE: AIMP_RA_NOTIFY_TRACK_INFO", "REMOTE: OpenFileMappingA failed.",
                         "REMOTE: AIMP_RA_NOTIFY_TRACK_START", "REMOTE: OpenFileMappingA failed."}));
}

TEST_F(TrackRoad, CaseChangeRewritesTheFileButIsTheSameTrack) {
  player->Play(RecordFor(L"C:\\Music\\a.mp3"));
  log.Skip();
  player->Announce(RecordFor(L"C:\\Music\\A.MP3"), kNotifyTrackStart);
  EXPECT_EQ(Lines(), (std::vector<std::string>{"REMOTE: AIMP_RA_NOTIFY_TRACK_START",
                                               "CURRENT TRACK FILE: UPDATED.",
                                               "CURRENT TRACK: A.MP3"}));
  EXPECT_EQ(CurrentTrackFile(), "A.MP3");
  EXPECT_EQ(Left().size(), 4u);
}

TEST_F(TrackRoad, RefusedDeleteIsReportedAndNotRetried) {
  player->objects.playlist().deleteResult = static_cast<HRESULT>(0x80070005L);
  player->Play(RecordFor(L"C:\\Music\\a.mp3"));
  player->Play(RecordFor(L"C:\\Music\\c.mp3"));
  player->objects.playlist().deleteResult = S_OK;
  player->Play(RecordFor(L"C:\\Music\\d.mp3"));
  EXPECT_EQ(Count("HRESULT: 0x80070005"), 1);
  EXPECT_EQ(Count("PREVIOUS FILE: C:\\Music\\a.mp3"), 1);
  EXPECT_EQ(Left(), (std::vector<std::wstring>{L"C:\\Music\\a.mp3", L"C:\\Music\\b.mp3",
                                               L"C:\\Music\\d.mp3"}));
}

// The player runs this thread's messages inside its calls, and the next
// track (C) starts there, in the middle of the removal of A: inside Delete,
// after the pass found A, or inside GetItem, when the pass has looked at B
// only. Each played track must be removed exactly once, and a track change
// never runs inside another (the items would move under the outer pass).
TEST_F(EndToEnd, TrackStartDuringARemovalLosesNoTrack) {
  const std::wstring a = L"C:\\Music\\a.mp3", b = L"C:\\Music\\b.mp3";
  const std::wstring c = L"C:\\Music\\c.mp3", d = L"C:\\Music\\d.mp3";
  for (const char* where : {"Delete", "GetItem"}) {
    SCOPED_TRACE(where);
    player->objects.playlist().items.clear();
    for (const auto& name : {b, a, c, d}) player->objects.AddItem(name, L"title");
    StartQuietly();
    bool arrived = false;
    auto cStarts = [&] {
      if (arrived) return;
      arrived = true;
      player->Announce(RecordFor(c), kNotifyTrackStart);
    };
    player->objects.playlist().beforeDelete = [&] {
      if (std::string(where) == "Delete") cStarts();
    };
    player->objects.playlist().beforeGetItem = [&](int index) {
      if (std::string(where) == "GetItem" && index == 1) cStarts();
    };
    player->Play(RecordFor(a));
    player->Play(RecordFor(b));
    ASSERT_TRUE(arrived);
    player->Play(RecordFor(d));
    player->Stop();

    EXPECT_EQ(player->objects.FileNames(), std::vector<std::wstring>{d});
    EXPECT_EQ(player->objects.playlist().deleteCalls, 3);
    EXPECT_EQ(Count("PLAYLIST DELETE: SUCCESS."), 3);
    EXPECT_EQ(Count("PLAYLIST DELETE: previous track NOT FOUND."), 0);
    for (const auto& name : {a, b, c}) {
      EXPECT_EQ(Count("PREVIOUS FILE: " + Utf8(name)), 1) << Utf8(name);
    }
    bool checkOpen = false;
    for (const auto& line : Lines()) {
      if (line == "PLAYLIST DELETE CHECK" || line == "NEW TRACK STARTED") {
        EXPECT_FALSE(checkOpen) << line << " inside a running check";
      }
      if (line == "PLAYLIST DELETE CHECK") checkOpen = true;
      if (line == "PLAYLIST DELETE: SUCCESS.") checkOpen = false;
    }
    player->objects.playlist().beforeDelete = nullptr;
    player->objects.playlist().beforeGetItem = nullptr;
    player->objects.playlist().deleteCalls = 0;
    log.Skip();
  }
}

}  // namespace
}  // namespace testing_support
