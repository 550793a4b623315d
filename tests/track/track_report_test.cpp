#include <gtest/gtest.h>

#include "remote_access_host.h"
#include "support/plugin_fixture.h"
#include "support/temp_dir.h"

namespace dislist {
namespace {

using standin::FullRecord;
using standin::TrackRecord;

const char kDashes[] = "----------------------------------------";

class TrackReport : public testing_support::LinkedPlugin {
 protected:
  void SetUp() override {
    LinkedPlugin::SetUp();
    currentTrackFilePath = WideText((dir.path() + testing_support::kCurrentTrackFile).c_str());
  }
  void TearDown() override {
    currentTrackFilePath.clear();
    LinkedPlugin::TearDown();
  }
  void Report(const TrackRecord& record) {
    block.Publish(record);
    plugin->LogTrackReport();
  }

  testing_support::TempDir dir;
  standin::SharedTrackBlock block;
};

TEST_F(TrackReport, FileLinesThenTheFifteenLines) {
  TrackRecord record = FullRecord(L"Album", L"Artist", L"2001", L"C:\\Music\\Song.mp3", L"Genre",
      L"Title", 180000, 320, 48000, 2);
  Report(record);
  EXPECT_EQ(Lines(), (std::vector<std::string>{
                         "CURRENT TRACK FILE: UPDATED.", "CURRENT TRACK: Song.mp3", "", kDashes,
                         "CURRENT TRACK", kDashes, "TITLE: Title", "ARTIST: Artist",
                         "ALBUM: Album", "FILENAME: C:\\Music\\Song.mp3", "GENRE: Genre",
                         "DATE: 2001", "DURATION: 180000 ms", "BITRATE: 320 kbps",
                         "SAMPLE RATE: 48000", "CHANNELS: 2", kDashes}));
  EXPECT_EQ(plugin->lastWrittenFileName, "C:\\Music\\Song.mp3");
}

TEST_F(TrackReport, EmptyTextsAndZerosKeepTheirLabels) {
  TrackRecord record;
  record.fileName = L"a.mp3";
  Report(record);
  const auto lines = Lines();
  ASSERT_EQ(lines.size(), 17u);
  EXPECT_EQ(std::vector<std::string>(lines.begin() + 6, lines.end() - 1),
            (std::vector<std::string>{"TITLE: ", "ARTIST: ", "ALBUM: ", "FILENAME: a.mp3",
                                      "GENRE: ", "DATE: ", "DURATION: 0 ms", "BITRATE: 0 kbps",
                                      "SAMPLE RATE: 0", "CHANNELS: 0"}));
}

TEST_F(TrackReport, SameNameTwiceReportsOnceButACaseChangeReportsAgain) {
  TrackRecord record;
  record.fileName = L"C:\\a.mp3";
  Report(record);
  log.Skip();
  Report(record);
  EXPECT_TRUE(Lines().empty());
  record.fileName = L"C:\\A.mp3";
  Report(record);
  EXPECT_EQ(Lines().size(), 17u);
}

TEST_F(TrackReport, NothingWithoutAFileNameOrBlock) {
  Report(TrackRecord());  // empty file name: not even a line
  EXPECT_TRUE(Lines().empty());
  EXPECT_EQ(plugin->lastWrittenFileName, "");
}

TEST_F(TrackReport, FailedFileWriteStillReports) {
  currentTrackFilePath = WideText((dir.path() + L"missing\\" + testing_support::kCurrentTrackFile).c_str());
  TrackRecord record;
  record.fileName = L"a.mp3";
  Report(record);
  const auto lines = Lines();
  ASSERT_EQ(lines.size(), 18u);
  EXPECT_EQ(lines[0], "CURRENT TRACK FILE: CreateFileW FAILED.");
  EXPECT_EQ(lines[5], "CURRENT TRACK");
  EXPECT_EQ(plugin->lastWrittenFileName, "a.mp3");
}

}  // namespace
}  // namespace dislist
