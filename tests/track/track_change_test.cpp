#include <gtest/gtest.h>

#include "support/plugin_fixture.h"

namespace dislist {
namespace {

using testing_support::Join;
using testing_support::RemovalHeader;

const char kSeparator[] = "========================================";

class TrackChange : public testing_support::LinkedPlugin {
 protected:
  // What the track-start notification leaves behind, then the posted step.
  void Start(const std::string& fileName) {
    plugin->currentFileName = fileName;
    plugin->ProcessTrackChange();
  }
  std::vector<std::string> NewTrackBlock(const std::string& previous, const std::string& current) {
    return {"", kSeparator, "NEW TRACK STARTED", "PREVIOUS: " + previous, "CURRENT: " + current,
            kSeparator};
  }
};

TEST_F(TrackChange, FirstTrackIsOnlyRecorded) {
  host.AddItem(L"a.mp3");
  Start("a.mp3");
  EXPECT_EQ(Lines(), (std::vector<std::string>{"", "TRACK START: first tracked track.", "CURRENT: a.mp3"}));
  EXPECT_EQ(plugin->previousFileName, "a.mp3");
  EXPECT_EQ(host.manager().calls, 0);
}

TEST_F(TrackChange, NewTrackRemovesThePreviousOne) {
  host.AddItem(L"a.mp3", L"A");
  host.AddItem(L"b.mp3", L"B");
  Start("a.mp3");
  log.Skip();
  Start("b.mp3");
  EXPECT_EQ(Lines(), Join(Join(NewTrackBlock("a.mp3", "b.mp3"), RemovalHeader("a.mp3")),
                          {"PLAYLIST ITEM COUNT: 2", "PLAYLIST DELETE: FOUND.", "INDEX: 0",
                           "FILENAME: a.mp3", "DISPLAYTEXT: A", "PLAYLIST DELETE: DELETING ITEM.",
                           "PHYSICAL DELETE: NO.", "PLAYLIST DELETE: SUCCESS.", kSeparator}));
  EXPECT_EQ(host.FileNames(), std::vector<std::wstring>{L"b.mp3"});
  EXPECT_EQ(plugin->previousFileName, "b.mp3");
}

TEST_F(TrackChange, SameTrackAgainDoesNothing) {
  host.AddItem(L"a.mp3");
  Start("a.mp3");
  log.Skip();
  Start("a.mp3");
  Start("A.MP3");  // ASCII case only: still the same track
  EXPECT_TRUE(Lines().empty());
  EXPECT_EQ(plugin->previousFileName, "a.mp3");
  EXPECT_EQ(host.FileNames().size(), 1u);
}

TEST_F(TrackChange, NonAsciiCaseChangeIsANewTrack) {
  host.AddItem(L"caf\u00e9.mp3");
  Start("caf\xC3\xA9.mp3");
  Start("caf\xC3\x89.mp3");
  EXPECT_TRUE(host.FileNames().empty());
  EXPECT_EQ(plugin->previousFileName, "caf\xC3\x89.mp3");
}

TEST_F(TrackChange, EmptyNameChangesNothing) {
  Start("");
  EXPECT_TRUE(Lines().empty());
  EXPECT_EQ(plugin->previousFileName, "");
  Start("a.mp3");
  log.Skip();
  Start("");
  EXPECT_TRUE(Lines().empty());
  EXPECT_EQ(plugin->previousFileName, "a.mp3");
}

TEST_F(TrackChange, RefusedRemovalIsNotTriedAgain) {
  host.AddItem(L"a.mp3");
  host.AddItem(L"b.mp3");
  host.AddItem(L"c.mp3");
  host.playlist().deleteResult = E_FAIL;
  Start("a.mp3");
  Start("b.mp3");
  EXPECT_EQ(plugin->previousFileName, "b.mp3");
  host.playlist().deleteResult = S_OK;
  log.Skip();
  Start("c.mp3");
  const auto lines = Lines();
  ASSERT_GE(lines.size(), 10u);
  EXPECT_EQ(lines[9], "PREVIOUS FILE: b.mp3");
  EXPECT_EQ(host.FileNames(), (std::vector<std::wstring>{L"a.mp3", L"c.mp3"}));
}

// Track starts of B and C both stored before the first posted step runs.
TEST_F(TrackChange, TwoStartsBeforeTheLoopRunsSkipTheMiddleTrack) {
  host.AddItem(L"a.mp3");
  host.AddItem(L"b.mp3");
  host.AddItem(L"c.mp3");
  Start("a.mp3");
  plugin->currentFileName = "b.mp3";
  plugin->currentFileName = "c.mp3";
  plugin->ProcessTrackChange();
  plugin->ProcessTrackChange();
  EXPECT_EQ(host.FileNames(), (std::vector<std::wstring>{L"b.mp3", L"c.mp3"}));
  EXPECT_EQ(plugin->previousFileName, "c.mp3");
}

}  // namespace
}  // namespace dislist
