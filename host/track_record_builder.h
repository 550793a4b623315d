// Builds the bytes of the host's shared track record, the way the player
// publishes them; lengths can be made to lie for tests of damaged records.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace standin {

struct TrackRecord {
  std::wstring album, artist, date, fileName, genre, title;
  std::uint32_t duration = 0, bitRate = 0, sampleRate = 0, channels = 0;
  // Header lengths to write instead of the true ones, in record order:
  // album, artist, date, file name, genre, title.
  std::array<std::optional<std::uint32_t>, 6> lengthOverride;
};

// A record with all ten fields: the texts in the order the record holds
// them, then the numbers.
inline TrackRecord FullRecord(std::wstring album, std::wstring artist, std::wstring date, std::wstring fileName,
                              std::wstring genre, std::wstring title, std::uint32_t duration,
                              std::uint32_t bitRate, std::uint32_t sampleRate, std::uint32_t channels) {
  TrackRecord record;
  record.album = std::move(album);
  record.artist = std::move(artist);
  record.date = std::move(date);
  record.fileName = std::move(fileName);
  record.genre = std::move(genre);
  record.title = std::move(title);
  record.duration = duration;
  record.bitRate = bitRate;
  record.sampleRate = sampleRate;
  record.channels = channels;
  return record;
}

inline constexpr std::size_t kRemoteBlockSize = 2048;  // the real player's

std::vector<unsigned char> BuildTrackRecord(const TrackRecord& record);

}  // namespace standin
