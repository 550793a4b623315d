#include "track_record_builder.h"

namespace standin {

namespace {

void PutU32(std::vector<unsigned char>& bytes, std::size_t offset, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[offset + i] = static_cast<unsigned char>(value >> (8 * i));
}

}  // namespace

std::vector<unsigned char> BuildTrackRecord(const TrackRecord& record) {
  const std::wstring* texts[] = {&record.album, &record.artist, &record.date,
                                 &record.fileName, &record.genre, &record.title};
  std::vector<unsigned char> bytes(88, 0);
  // Host data the plug-in does not read: filled so it is never mistaken.
  for (std::size_t i : {0u, 1u, 2u, 3u, 20u, 24u, 28u, 36u, 64u, 70u, 80u, 87u}) bytes[i] = 0xA5;
  PutU32(bytes, 8, record.bitRate);
  PutU32(bytes, 12, record.channels);
  PutU32(bytes, 16, record.duration);
  PutU32(bytes, 32, record.sampleRate);
  for (int i = 0; i < 6; ++i) {
    const auto length = static_cast<std::uint32_t>(texts[i]->size());
    PutU32(bytes, 40 + 4 * i, record.lengthOverride[i].value_or(length));
    for (wchar_t unit : *texts[i]) {
      bytes.push_back(static_cast<unsigned char>(unit & 0xFF));
      bytes.push_back(static_cast<unsigned char>((unit >> 8) & 0xFF));
    }
  }
  return bytes;
}

}  // namespace standin
