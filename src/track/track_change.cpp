// Deciding whether a new track has begun.
#include "log/log.h"
#include "log/separators.h"
#include "playlist/matching.h"
#include "plugin/plugin.h"

namespace dislist {

// Runs from the posted track-change message, so it sees the latest track
// start, not the one that posted it. The previous track is handed on whatever
// the removal's outcome, so a track is never tried twice.
void AIMPDislistPlugin::ProcessTrackChange() {
  const std::string current = currentFileName;
  if (current.empty()) return;

  if (previousFileName.empty()) {
    WriteLogLine("");
    WriteLogLine("TRACK START: first tracked track.");
    WriteLogLine("CURRENT: " + current);
    previousFileName = current;
    return;
  }
  if (SameTrackName(previousFileName, current)) return;

  WriteLogLine("");
  WriteLogLine(kBlockSeparator);
  WriteLogLine("NEW TRACK STARTED");
  WriteLogLine("PREVIOUS: " + previousFileName);
  WriteLogLine("CURRENT: " + current);
  WriteLogLine(kBlockSeparator);
  DeletePreviousTrackFromPlaylist(previousFileName);
  previousFileName = current;
}

}  // namespace dislist
