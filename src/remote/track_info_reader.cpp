// Reads the current track from the host's shared record.
#include <windows.h>

#include <vector>

#include "log/log.h"
#include "log/log_lines.h"
#include "plugin/plugin.h"
#include "remote/remote_access.h"
#include "remote/track_info_reader.h"
#include "remote/track_record.h"

namespace dislist {

void (*afterTrackRecordCopy)() = nullptr;

namespace {

// How many bytes of the view can be read: the committed region from its base.
std::size_t ViewSize(const void* view) {
  MEMORY_BASIC_INFORMATION region = {};
  if (::VirtualQuery(view, &region, sizeof region) != sizeof region) return 0;
  return region.RegionSize;
}

std::string TextAt(const unsigned char* bytes, const RecordText& text) {
  if (text.units == 0) return {};
  return WideToUtf8(reinterpret_cast<const wchar_t*>(bytes + text.offset), text.units);
}

}  // namespace

// The player may rewrite the record while it is read, so the view is copied
// once and only the copy is parsed and converted: every text then comes from
// one moment of the record, and no length can change under a conversion.
bool AIMPDislistPlugin::ReadRemoteTrackInfo(std::string& title, std::string& artist,
                                            std::string& album, std::string& fileName,
                                            std::string& genre, std::string& date,
                                            std::uint32_t& duration, std::uint32_t& bitRate,
                                            std::uint32_t& sampleRate, std::uint32_t& channels) {
  title.clear();
  artist.clear();
  album.clear();
  fileName.clear();
  genre.clear();
  date.clear();
  duration = bitRate = sampleRate = channels = 0;

  UniqueHandle mapping(::OpenFileMappingA(FILE_MAP_READ, FALSE, kRemoteAccessName));
  if (!mapping) {
    WriteLogLine(log_lines::kOpenMappingFailed);
    return false;
  }
  UniqueMapView view(::MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, 0));
  if (!view) {
    mapping.reset();
    WriteLogLine(log_lines::kMapViewFailed);
    return false;
  }

  const auto* live = static_cast<const unsigned char*>(view.get());
  const std::vector<unsigned char> record(live, live + ViewSize(view.get()));
  view.reset();
  mapping.reset();
  if (afterTrackRecordCopy != nullptr) afterTrackRecordCopy();

  TrackRecordLayout layout;
  if (!ParseTrackRecord(record.data(), record.size(), layout)) {
    WriteLogLine(log_lines::kRecordOutOfBounds);
    return false;
  }
  const unsigned char* bytes = record.data();
  album = TextAt(bytes, layout.album);
  artist = TextAt(bytes, layout.artist);
  date = TextAt(bytes, layout.date);
  fileName = TextAt(bytes, layout.fileName);
  genre = TextAt(bytes, layout.genre);
  title = TextAt(bytes, layout.title);
  duration = layout.duration;
  bitRate = layout.bitRate;
  sampleRate = layout.sampleRate;
  channels = layout.channels;
  return !fileName.empty();
}

}  // namespace dislist
