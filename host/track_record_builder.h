// Builds the bytes of the host's shared track record, the way the player
// publishes them; lengths can be made to lie for tests of damaged records.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace standin {

struct TrackRecord {
  std::wstring album, artist, date, fileName, genre, title;
  std::uint32_t duration = 0, bitRate = 0, sampleRate = 0, channels = 0;
  // Header lengths to write instead of the true ones, in record order:
  // album, artist, date, file name, genre, title.
  std::array<std::optional<std::uint32_t>, 6> lengthOverride;
};

inline constexpr std::size_t kRemoteBlockSize = 2048;  // the real player's

std::vector<unsigned char> BuildTrackRecord(const TrackRecord& record);

}  // namespace standin
