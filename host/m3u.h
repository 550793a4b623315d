// M3U and M3U8 playlists for the stand-in player program. Pure: bytes in,
// entries and problems out, so it is tested without Windows.
#pragma once

#include <string>
#include <vector>

namespace standin {

struct PlaylistEntry {
  std::string path;   // UTF-8; relative paths joined to the playlist's folder
  std::string title;  // from #EXTINF, empty when there was none
  int line = 0;       // where the path stood, from 1
};

struct ParsedPlaylist {
  std::vector<PlaylistEntry> entries;
  std::vector<std::string> problems;  // "line N: ..." for each line skipped
};

// `folder` ends with its separator; it is put before relative paths. Stream
// addresses (scheme://...) and absolute paths are kept as they are.
ParsedPlaylist ParseM3u(const std::string& bytes, const std::string& folder);

}  // namespace standin
