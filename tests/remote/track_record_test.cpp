#include "remote/track_record.h"

#include <gtest/gtest.h>

#include "track_record_builder.h"

namespace dislist {
namespace {

using standin::BuildTrackRecord;
using standin::FullRecord;
using standin::TrackRecord;

TrackRecordLayout Parse(const std::vector<unsigned char>& bytes, bool expectOk = true) {
  TrackRecordLayout layout;
  EXPECT_EQ(ParseTrackRecord(bytes.data(), bytes.size(), layout), expectOk);
  return layout;
}

TEST(TrackRecord, TextsLieBackToBackInRecordOrder) {
  TrackRecord record = FullRecord(L"abc", L"12345", L"2024", L"C:\\a.mp3", L"",
      L"T", 215000, 320, 44100, 2);
  const TrackRecordLayout layout = Parse(BuildTrackRecord(record));
  EXPECT_EQ(layout.album.offset, 88u);
  EXPECT_EQ(layout.album.units, 3u);
  EXPECT_EQ(layout.artist.offset, 94u);
  EXPECT_EQ(layout.artist.units, 5u);
  EXPECT_EQ(layout.date.offset, 104u);
  EXPECT_EQ(layout.fileName.offset, 112u);
  EXPECT_EQ(layout.fileName.units, 8u);
  EXPECT_EQ(layout.genre.units, 0u);
  EXPECT_EQ(layout.title.offset, 128u);
  EXPECT_EQ(layout.duration, 215000u);
  EXPECT_EQ(layout.bitRate, 320u);
  EXPECT_EQ(layout.sampleRate, 44100u);
  EXPECT_EQ(layout.channels, 2u);
}

TEST(TrackRecord, EmptyAlbumPutsTheArtistAtTheHeaderEnd) {
  TrackRecord record;
  record.artist = L"Artist";
  EXPECT_EQ(Parse(BuildTrackRecord(record)).artist.offset, 88u);
}

TEST(TrackRecord, AllLengthsZeroStillGivesTheNumbers) {
  TrackRecord record;
  record.duration = 1;
  record.channels = 6;
  const TrackRecordLayout layout = Parse(BuildTrackRecord(record));
  EXPECT_EQ(layout.fileName.units, 0u);
  EXPECT_EQ(layout.duration, 1u);
  EXPECT_EQ(layout.channels, 6u);
}

TEST(TrackRecord, TextEndingExactlyAtTheLastByteFits) {
  TrackRecord record;
  record.fileName = L"abc";
  const auto bytes = BuildTrackRecord(record);
  EXPECT_EQ(bytes.size(), 94u);
  EXPECT_EQ(Parse(bytes).fileName.units, 3u);
}

TEST(TrackRecord, RecordsThatReachPastTheBytesAreRejected) {
  std::vector<unsigned char> header(87, 0);
  Parse(header, false);  // the header itself does not fit
  TrackRecordLayout untouched;
  EXPECT_FALSE(ParseTrackRecord(nullptr, 0, untouched));

  TrackRecord longer;
  longer.fileName = L"abc";
  longer.lengthOverride[3] = 4;  // one unit more than the bytes hold
  Parse(BuildTrackRecord(longer), false);

  TrackRecord huge;
  huge.title = L"x";
  huge.lengthOverride[5] = 0x7FFFFFFF;
  Parse(BuildTrackRecord(huge), false);

  // Two lengths of 2^31 units: 2^33 bytes, which wraps to 0 in 32 bits.
  TrackRecord wraps;
  wraps.lengthOverride[0] = 0x80000000u;
  wraps.lengthOverride[1] = 0x80000000u;
  wraps.fileName = L"a";
  const TrackRecordLayout rejected = Parse(BuildTrackRecord(wraps), false);
  EXPECT_EQ(rejected.fileName.units, 0u);
  EXPECT_EQ(rejected.duration, 0u);

  TrackRecord allMax;
  for (auto& length : allMax.lengthOverride) length = 0xFFFFFFFFu;
  Parse(BuildTrackRecord(allMax), false);
}

}  // namespace
}  // namespace dislist
