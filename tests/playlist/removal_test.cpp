#include <gtest/gtest.h>

#include "support/plugin_fixture.h"

namespace dislist {
namespace {

using testing_support::Deleted;
using testing_support::FoundItem;
using testing_support::Join;
using testing_support::KeptByMarker;
using testing_support::Refused;
using testing_support::RemovalHeader;

const char kSeparator[] = "========================================";

class Removal : public testing_support::LinkedPlugin {
 protected:
  void Remove(const std::string& previous) { plugin->DeletePreviousTrackFromPlaylist(previous); }
};

TEST_F(Removal, NoPreviousTrackCallsNothing) {
  host.AddItem(L"a.mp3");
  Remove("");
  EXPECT_EQ(Lines(), std::vector<std::string>{"PLAYLIST DELETE: no previous track."});
  EXPECT_EQ(host.manager().calls, 0);
}

TEST_F(Removal, NoPlaylistManager) {
  host.AddItem(L"a.mp3");
  plugin->playlistManager.reset();
  Remove("a.mp3");
  EXPECT_EQ(Lines(), std::vector<std::string>{"PLAYLIST DELETE: playlist manager unavailable."});
  EXPECT_EQ(host.manager().calls, 0);
}

TEST_F(Removal, PlayingPlaylistUnavailable) {
  host.AddItem(L"a.mp3");
  host.manager().playingResult = E_ACCESSDENIED;
  Remove("a.mp3");
  EXPECT_EQ(Lines(), Join(RemovalHeader("a.mp3"), {"PLAYLIST DELETE: GetPlayingPlaylist FAILED.",
                                                   "HRESULT: 0x80070005", kSeparator}));
  log.Skip();

  // Success with no playlist is a failure too, logged with its own result.
  host.manager().playingResult = S_FALSE;
  host.manager().yieldNull = true;
  Remove("a.mp3");
  EXPECT_EQ(Lines(), Join(RemovalHeader("a.mp3"), {"PLAYLIST DELETE: GetPlayingPlaylist FAILED.",
                                                   "HRESULT: 0x00000001", kSeparator}));
  EXPECT_EQ(host.FileNames().size(), 1u);
}

TEST_F(Removal, FoundAndDeleted) {
  host.AddItem(L"C:\\Music\\one.mp3", L"One");
  host.AddItem(L"C:\\Music\\two.mp3", L"Two");
  host.AddItem(L"C:\\Music\\three.mp3", L"Three");
  Remove("C:\\Music\\two.mp3");
  EXPECT_EQ(Lines(), Join(Join(FoundItem("C:\\Music\\two.mp3", 3, 1, "C:\\Music\\two.mp3", "Two"), Deleted()),
                          {kSeparator}));
  EXPECT_EQ(host.FileNames(), (std::vector<std::wstring>{L"C:\\Music\\one.mp3", L"C:\\Music\\three.mp3"}));
  // The count is read once, and the search stops at the match.
  EXPECT_EQ(host.playlist().countCalls, 1);
  EXPECT_EQ(host.playlist().fetchedIndexes, (std::vector<int>{0, 1}));
}

TEST_F(Removal, NotFoundAndEmptyPlaylist) {
  Remove("x.mp3");
  EXPECT_EQ(Lines(), Join(RemovalHeader("x.mp3"), {"PLAYLIST ITEM COUNT: 0",
                                                   "PLAYLIST DELETE: previous track NOT FOUND.",
                                                   kSeparator}));
  log.Skip();
  host.AddItem(L"a.mp3");
  host.AddItem(L"b.mp3");
  Remove("x.mp3");
  EXPECT_EQ(Lines(), Join(RemovalHeader("x.mp3"), {"PLAYLIST ITEM COUNT: 2",
                                                   "PLAYLIST DELETE: previous track NOT FOUND.",
                                                   kSeparator}));
  EXPECT_EQ(host.FileNames().size(), 2u);
}

TEST_F(Removal, ItemsThatCannotBeReadNeverMatch) {
  host.AddItem(L"a.mp3", L"fetch fails");
  host.AddItem(L"a.mp3", L"fetch yields nothing");
  host.AddItem(L"a.mp3", L"file name fails").behaviour[3].result = E_FAIL;
  host.AddItem(L"a.mp3", L"file name null object").behaviour[3].yieldNull = true;
  host.AddItem(L"a.mp3", L"file name null data").behaviour[3].nullData = true;
  host.AddItem(L"", L"empty file name");
  host.AddItem(L"a.mp3", L"readable");
  host.playlist().itemFailures[0] = E_FAIL;
  host.playlist().itemYieldsNull[1] = true;
  Remove("a.mp3");
  const auto lines = Lines();
  ASSERT_GE(lines.size(), 8u);
  EXPECT_EQ(lines[6], "INDEX: 6");
  EXPECT_EQ(lines[8], "DISPLAYTEXT: readable");
  EXPECT_EQ(host.FileNames().size(), 6u);
}

TEST_F(Removal, AsciiCaseMatchesButAccentedCapitalDoesNot) {
  host.AddItem(L"C:\\Music\\Caf\u00c9.mp3", L"accented capital");
  host.AddItem(L"c:\\MUSIC\\caf\u00e9.MP3", L"ascii case only");
  Remove("C:\\Music\\Caf\xC3\xA9.mp3");
  const auto lines = Lines();
  ASSERT_GE(lines.size(), 8u);
  EXPECT_EQ(lines[6], "INDEX: 1");
  // The item's own spelling is logged.
  EXPECT_EQ(lines[7], "FILENAME: c:\\MUSIC\\caf\xC3\xA9.MP3");
  EXPECT_EQ(host.FileNames(), std::vector<std::wstring>{L"C:\\Music\\Caf\u00c9.mp3"});
}

TEST_F(Removal, MarkerInDisplayTextProtects) {
  host.AddItem(L"a.mp3", L"My Song !DeLeTe");
  Remove("a.mp3");
  EXPECT_EQ(Lines(), Join(Join(FoundItem("a.mp3", 1, 0, "a.mp3", "My Song !DeLeTe"), KeptByMarker()), {kSeparator}));
  EXPECT_EQ(host.FileNames().size(), 1u);
  EXPECT_EQ(host.playlist().deleteCalls, 0);
}

TEST_F(Removal, MarkerOnlyInFileNameOrUnreadableDisplayTextProtectsNothing) {
  host.AddItem(L"C:\\!delete\\a.mp3", L"plain");
  host.AddItem(L"b.mp3", L"");
  host.AddItem(L"c.mp3", L"!delete").behaviour[1].result = E_FAIL;
  Remove("C:\\!delete\\a.mp3");
  Remove("b.mp3");
  Remove("c.mp3");
  EXPECT_TRUE(host.FileNames().empty());
  int emptyDisplayLines = 0;
  for (const auto& line : Lines()) emptyDisplayLines += line == "DISPLAYTEXT: ";
  EXPECT_EQ(emptyDisplayLines, 2);
}

TEST_F(Removal, DuplicatesOnlyTheFirstIsConsidered) {
  host.AddItem(L"a.mp3", L"first !delete");
  host.AddItem(L"A.MP3", L"second");
  Remove("a.mp3");
  EXPECT_EQ(host.FileNames().size(), 2u);
  EXPECT_EQ(host.playlist().fetchedIndexes, std::vector<int>{0});
  log.Skip();

  host.playlist().items[0]->displayText = L"first";
  Remove("a.mp3");
  EXPECT_EQ(host.FileNames(), std::vector<std::wstring>{L"A.MP3"});
}

TEST_F(Removal, DeleteRefusedLeavesTheItem) {
  host.AddItem(L"a.mp3", L"A");
  host.playlist().deleteResult = static_cast<HRESULT>(0x8000FFFFL);
  Remove("a.mp3");
  EXPECT_EQ(Lines(), Join(Join(FoundItem("a.mp3", 1, 0, "a.mp3", "A"), Refused("8000FFFF")), {kSeparator}));
  EXPECT_EQ(host.FileNames().size(), 1u);
}

}  // namespace
}  // namespace dislist
