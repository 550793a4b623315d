#include <gtest/gtest.h>

#include "remote/track_info_reader.h"
#include "remote_access_host.h"
#include "support/plugin_fixture.h"

namespace dislist {
namespace {

using standin::SharedTrackBlock;
using standin::FullRecord;
using standin::TrackRecord;

struct TrackInfo {
  std::string title = "x", artist = "x", album = "x", fileName = "x", genre = "x", date = "x";
  std::uint32_t duration = 9, bitRate = 9, sampleRate = 9, channels = 9;
  bool ok = false;
};

class TrackInfoReader : public testing_support::LinkedPlugin {
 protected:
  TrackInfo Read() {
    TrackInfo info;
    info.ok = plugin->ReadRemoteTrackInfo(info.title, info.artist, info.album, info.fileName,
                                          info.genre, info.date, info.duration, info.bitRate,
                                          info.sampleRate, info.channels);
    return info;
  }
  static void ExpectEmpty(const TrackInfo& info) {
    EXPECT_FALSE(info.ok);
    EXPECT_EQ(info.title + info.artist + info.album + info.fileName + info.genre + info.date, "");
    EXPECT_EQ(info.duration + info.bitRate + info.sampleRate + info.channels, 0u);
  }
};

TEST_F(TrackInfoReader, NoBlockGivesOneLine) {
  ExpectEmpty(Read());
  EXPECT_EQ(Lines(), std::vector<std::string>{"REMOTE: OpenFileMappingA failed."});
}

TEST_F(TrackInfoReader, ReadsEveryTextAndNumber) {
  SharedTrackBlock block;
  ASSERT_TRUE(block.ok());
  TrackRecord record = FullRecord(L"Alb\u00fcm", L"Artist", L"1999", L"C:\\Music\\\u266B.flac", L"Rock",
      L"Title", 215000, 1411, 44100, 2);
  block.Publish(record);
  const TrackInfo info = Read();
  EXPECT_TRUE(info.ok);
  EXPECT_EQ(info.album, "Alb\xC3\xBCm");
  EXPECT_EQ(info.artist, "Artist");
  EXPECT_EQ(info.date, "1999");
  EXPECT_EQ(info.fileName, "C:\\Music\\\xE2\x99\xAB.flac");
  EXPECT_EQ(info.genre, "Rock");
  EXPECT_EQ(info.title, "Title");
  EXPECT_EQ(info.duration, 215000u);
  EXPECT_EQ(info.bitRate, 1411u);
  EXPECT_EQ(info.sampleRate, 44100u);
  EXPECT_EQ(info.channels, 2u);
  EXPECT_TRUE(Lines().empty());
}

TEST_F(TrackInfoReader, EmptyFileNameKeepsTheOtherTextsButFails) {
  SharedTrackBlock block;
  TrackRecord record;
  record.title = L"Stream";
  record.bitRate = 128;
  block.Publish(record);
  const TrackInfo info = Read();
  EXPECT_FALSE(info.ok);
  EXPECT_EQ(info.title, "Stream");
  EXPECT_EQ(info.fileName, "");
  EXPECT_EQ(info.bitRate, 128u);
  EXPECT_TRUE(Lines().empty());
}

// The player rewrites the record while it is being read: what the reader
// reports must be one moment of the record, not the new texts at the old
// lengths nor a mix of two tracks.
standin::SharedTrackBlock* rewrittenBlock = nullptr;
void RewriteTheRecord() {
  TrackRecord next;
  next.album = L"Another album with a much longer name";
  next.fileName = L"D:\\Elsewhere\\next track.ogg";
  next.title = L"Next";
  next.duration = 1;
  rewrittenBlock->Publish(next);
}

TEST_F(TrackInfoReader, ARecordRewrittenDuringTheReadGivesTheFirstWhole) {
  SharedTrackBlock block;
  TrackRecord first;
  first.album = L"Album";
  first.fileName = L"C:\\Music\\first.mp3";
  first.title = L"First";
  first.duration = 215000;
  block.Publish(first);
  rewrittenBlock = &block;
  afterTrackRecordCopy = RewriteTheRecord;
  const TrackInfo info = Read();
  afterTrackRecordCopy = nullptr;
  EXPECT_TRUE(info.ok);
  EXPECT_EQ(info.album, "Album");
  EXPECT_EQ(info.fileName, "C:\\Music\\first.mp3");
  EXPECT_EQ(info.title, "First");
  EXPECT_EQ(info.duration, 215000u);
  EXPECT_EQ(Read().fileName, "D:\\Elsewhere\\next track.ogg");  // the next read sees the new one
}

// A record whose lengths lie must not make the reader leave the view.
TEST_F(TrackInfoReader, LengthsPastTheViewAreRejected) {
  SharedTrackBlock block;
  for (std::uint32_t lie : {0x7FFFFFFFu, 0xFFFFFFFFu, 5000u}) {
    TrackRecord record;
    record.fileName = L"C:\\a.mp3";
    record.duration = 1;
    record.lengthOverride[3] = lie;
    block.Publish(record);
    ExpectEmpty(Read());
  }
  TrackRecord wraps;
  wraps.fileName = L"C:\\a.mp3";
  wraps.lengthOverride[0] = 0x80000000u;
  wraps.lengthOverride[1] = 0x80000000u;
  block.Publish(wraps);
  ExpectEmpty(Read());
  EXPECT_EQ(Lines(), std::vector<std::string>(4, "REMOTE: track info record out of bounds."));
}

}  // namespace
}  // namespace dislist
