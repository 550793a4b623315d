// Deciding whether a new track has begun.
#include <string>
#include <utility>

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
  // The new track is recorded before any host call: the player may run this
  // thread's messages inside the removal, and a track change handled there
  // must see this track as its previous one, not the one being removed.
  const std::string previous = std::move(previousFileName);
  previousFileName = current;
  DeletePreviousTrackFromPlaylist(previous);
}

}  // namespace dislist
