// The track report written on the host's track-information notification.
#include "log/log.h"
#include "log/separators.h"
#include "plugin/plugin.h"
#include "track/current_track_file.h"

namespace dislist {

void AIMPDislistPlugin::LogTrackReport() {
  std::string title, artist, album, fileName, genre, date;
  std::uint32_t duration = 0, bitRate = 0, sampleRate = 0, channels = 0;
  if (!ReadRemoteTrackInfo(title, artist, album, fileName, genre, date, duration, bitRate,
                           sampleRate, channels)) {
    return;
  }
  // Exact comparison, shared with the track-start handling: whichever
  // notification brings a new name first rewrites the file.
  if (fileName == lastWrittenFileName) return;
  lastWrittenFileName = fileName;
  WriteCurrentTrackFile(fileName);

  WriteLogLine("");
  WriteLogLine(kReportSeparator);
  WriteLogLine("CURRENT TRACK");
  WriteLogLine(kReportSeparator);
  WriteLogLine("TITLE: " + title);
  WriteLogLine("ARTIST: " + artist);
  WriteLogLine("ALBUM: " + album);
  WriteLogLine("FILENAME: " + fileName);
  WriteLogLine("GENRE: " + genre);
  WriteLogLine("DATE: " + date);
  WriteLogLine("DURATION: " + DecimalText(duration) + " ms");
  WriteLogLine("BITRATE: " + DecimalText(bitRate) + " kbps");
  WriteLogLine("SAMPLE RATE: " + DecimalText(sampleRate));
  WriteLogLine("CHANNELS: " + DecimalText(channels));
  WriteLogLine(kReportSeparator);
}

}  // namespace dislist
