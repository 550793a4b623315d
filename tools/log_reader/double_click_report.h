// What dislist-log does for a person who double-clicked it or dropped a log
// on it: a short report, then, where that person can see and answer, the
// offer to give the entries of the last run that removed any back as a
// playlist beside the log.
#pragma once

#include <string>

#include "log_file.h"
#include "log_scanner.h"
#include "options.h"
#include "output.h"

namespace dislist_log {

// How many of the last runs the report shows line by line.
constexpr std::size_t kReportRuns = 10;

// Reports on the log read whole in `whole`, and asks only where the input
// and the standard output are both consoles. Returns the exit code.
int RunReport(const Options& options, const LogScanner& whole, const LogFileFacts& facts, Console& console,
              CheckedOutput& out, CheckedOutput& err);

// The first name of "AIMP_Dislist run N removed.m3u8", "... (2).m3u8", ...
// in `folder` (ending in a separator) that `exists` says is free; empty
// when a thousand are taken.
std::wstring FreePlaylistName(const std::wstring& folder, int run, bool (*exists)(const std::wstring& path));

// Whether a typed answer is yes: "y" or "yes" in any letter case, blanks
// around it allowed.
bool IsYes(const std::string& answer);

}  // namespace dislist_log
