// Layout of the host's shared track record. Pure: it works on the bytes and
// their count only, so it is tested and fuzzed without Windows.
#pragma once

#include <cstddef>
#include <cstdint>

namespace dislist {

inline constexpr std::size_t kTrackRecordHeaderSize = 88;

// Where one UTF-16 text lies in the record.
struct RecordText {
  std::size_t offset = 0;  // bytes from the start of the record
  std::size_t units = 0;   // UTF-16 code units
};

struct TrackRecordLayout {
  // In the order they lie in the record.
  RecordText album, artist, date, fileName, genre, title;
  std::uint32_t duration = 0;    // ms
  std::uint32_t bitRate = 0;     // kbit/s
  std::uint32_t sampleRate = 0;
  std::uint32_t channels = 0;
};

// Reads the header of `size` bytes at `bytes`. False when the header does not
// fit or any text reaches past the end: nothing outside the bytes given is
// ever read, and such a record is unreadable as a whole.
bool ParseTrackRecord(const unsigned char* bytes, std::size_t size, TrackRecordLayout& layout);

}  // namespace dislist
