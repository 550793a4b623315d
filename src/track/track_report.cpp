// The track report written on the host's track-information notification.
#include "log/log.h"
#include "log/log_lines.h"
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

  WriteLogLine(log_lines::kEmptyLine);
  WriteLogLine(log_lines::kReportSeparator);
  WriteLogLine(log_lines::kReportTitle);
  WriteLogLine(log_lines::kReportSeparator);
  WriteLogLine(log_lines::kTitle + title);
  WriteLogLine(log_lines::kArtist + artist);
  WriteLogLine(log_lines::kAlbum + album);
  WriteLogLine(log_lines::kFileName + fileName);
  WriteLogLine(log_lines::kGenre + genre);
  WriteLogLine(log_lines::kDate + date);
  WriteLogLine(log_lines::kDuration + DecimalText(duration) + " ms");
  WriteLogLine(log_lines::kBitRate + DecimalText(bitRate) + " kbps");
  WriteLogLine(log_lines::kSampleRate + DecimalText(sampleRate));
  WriteLogLine(log_lines::kChannels + DecimalText(channels));
  WriteLogLine(log_lines::kReportSeparator);
}

}  // namespace dislist
