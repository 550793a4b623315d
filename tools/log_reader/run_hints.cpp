#include "run_hints.h"

#include <string_view>

#include "log/log_lines.h"
#include "text.h"

namespace dislist_log {

namespace {

namespace lines = dislist::log_lines;

// The step that ended a failed start-up, by the line that ended it.
std::string FailedStep(const RunSummary& run) {
  const std::string_view line = run.startupFailure;
  if (run.remoteWindowMissing) return "AIMP's Remote Access window was not found";
  if (line == lines::kWindowFailed) return "its notification window could not be made";
  if (line == lines::kRegistrationFailed) return "its registration with AIMP's Remote Access window failed";
  if (line == lines::kManagerUnavailable) return "AIMP gave it no playlist manager";
  return "\"" + run.startupFailure + "\"";
}

}  // namespace

std::vector<std::string> RunHints(const RunSummary& run) {
  std::vector<std::string> hints;
  if (!run.startupFailure.empty()) {
    hints.push_back("the plug-in did not start: " + FailedStep(run) +
                    ". Restart AIMP, and make sure it is AIMP that loads the plug-in");
  } else if (run.ready && run.tracksStarted == 0) {
    hints.push_back("no track start was heard in this run: if AIMP played tracks in this run, it did not tell "
                    "the plug-in: restart AIMP");
  }
  if (run.trackFileAccessDenied > 0) {
    hints.push_back("AIMP_CURRENT_TRACK.txt could not be written, access denied (the plug-in's folder is under "
                    "Program Files?): give your user write access to that folder; removal works all the same");
  } else if (run.trackFileFailures > 0) {
    hints.push_back("AIMP_CURRENT_TRACK.txt could not be written (the log's WINDOWS ERROR line says why); "
                    "removal works all the same");
  }
  if (run.notFound > 0) {
    hints.push_back(Counted(run.notFound, "previous track", "previous tracks") +
                    " not found in the playing playlist (played from another playlist, or the file name written "
                    "differently there): play from the playlist that is to be emptied");
  }
  if (run.refused > 0) {
    hints.push_back("AIMP refused " + Counted(run.refused, "deletion", "deletions") +
                    ": the playlist is read-only or locked; unlock it in AIMP (those entries stay)");
  }
  if (run.playlistUnavailable > 0) {
    hints.push_back("no playlist was playing at " + Counted(run.playlistUnavailable, "track change", "track changes") +
                    ": play the tracks from a playlist, or nothing is removed");
  }
  return hints;
}

}  // namespace dislist_log
