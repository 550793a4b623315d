#include "remote/track_record.h"

namespace dislist {

namespace {

std::uint32_t ReadU32(const unsigned char* bytes, std::size_t offset) {
  return static_cast<std::uint32_t>(bytes[offset]) |
         static_cast<std::uint32_t>(bytes[offset + 1]) << 8 |
         static_cast<std::uint32_t>(bytes[offset + 2]) << 16 |
         static_cast<std::uint32_t>(bytes[offset + 3]) << 24;
}

}  // namespace

bool ParseTrackRecord(const unsigned char* bytes, std::size_t size, TrackRecordLayout& layout) {
  layout = TrackRecordLayout();
  if (bytes == nullptr || size < kTrackRecordHeaderSize) return false;

  // Lengths are at offsets 40..60 in text order; texts follow back to back.
  // 64-bit arithmetic: six lengths of up to 2^32 units cannot overflow it.
  RecordText* texts[] = {&layout.album, &layout.artist, &layout.date,
                         &layout.fileName, &layout.genre, &layout.title};
  std::uint64_t cursor = kTrackRecordHeaderSize;
  for (int i = 0; i < 6; ++i) {
    const std::uint64_t units = ReadU32(bytes, 40 + 4 * static_cast<std::size_t>(i));
    if (units > (size - cursor) / 2) {
      layout = TrackRecordLayout();
      return false;
    }
    texts[i]->offset = units == 0 ? 0 : static_cast<std::size_t>(cursor);
    texts[i]->units = static_cast<std::size_t>(units);
    cursor += 2 * units;
  }

  layout.bitRate = ReadU32(bytes, 8);
  layout.channels = ReadU32(bytes, 12);
  layout.duration = ReadU32(bytes, 16);
  layout.sampleRate = ReadU32(bytes, 32);
  return true;
}

}  // namespace dislist
