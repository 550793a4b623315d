// Deciding whether a new track has begun.
#include <string>

#include "log/log.h"
#include "log/log_lines.h"
#include "playlist/matching.h"
#include "plugin/plugin.h"

namespace dislist {

// Runs from the posted track-change message, so it sees the latest track
// start, not the one that posted it. The previous track is handed on whatever
// the removal's outcome, so a track is never tried twice.
void AIMPDislistPlugin::ProcessTrackChange() {
  std::string current = currentFileName;
  if (current.empty()) return;

  if (previousFileName.empty()) {
    WriteLogLine(log_lines::kEmptyLine);
    WriteLogLine(log_lines::kFirstTrack);
    WriteLogLine(log_lines::kCurrent + current);
    previousFileName = current;
    return;
  }
  if (SameTrackName(previousFileName, current)) return;

  WriteLogLine(log_lines::kEmptyLine);
  WriteLogLine(log_lines::kBlockSeparator);
  WriteLogLine(log_lines::kNewTrack);
  WriteLogLine(log_lines::kPrevious + previousFileName);
  WriteLogLine(log_lines::kCurrent + current);
  WriteLogLine(log_lines::kBlockSeparator);
  // The new track is recorded before any host call, by a swap that cannot
  // throw, so running out of memory never loses the previous track: `current`
  // now holds the track whose item goes.
  previousFileName.swap(current);
  DeletePreviousTrackFromPlaylist(current);
}

namespace {

// Clears the running flag however the change ends.
class TrackChangeScope {
 public:
  explicit TrackChangeScope(bool& running) noexcept : running_(running) { running_ = true; }
  ~TrackChangeScope() { running_ = false; }
  TrackChangeScope(const TrackChangeScope&) = delete;
  TrackChangeScope& operator=(const TrackChangeScope&) = delete;

 private:
  bool& running_;
};

}  // namespace

// A message that arrives while a change runs is only remembered; the change
// runs again right after, reading the latest track, as many times as asked.
// Nothing is posted again: a player that pumps until its queue is empty
// would then spin.
void AIMPDislistPlugin::RunTrackChange() {
  if (trackChangeRunning) {
    trackChangePending = true;
    return;
  }
  const TrackChangeScope scope(trackChangeRunning);
  do {
    trackChangePending = false;
    ProcessTrackChange();
  } while (trackChangePending);
}

}  // namespace dislist
