// Which runs of the log --run and --last select, and how a selection and
// the runs that removed something are put in words.
#pragma once

#include <string>
#include <vector>

#include "log_scanner.h"
#include "options.h"

namespace dislist_log {

// The runs that --run or --last select, or a wrong choice explained.
bool SelectRuns(const Options& options, const LogScanner& scanner, int& firstRun, int& lastRun,
                std::string& problem);
// The selection in words: "run 3", "the last run", "the last 2 runs" or
// "the log".
std::string Selection(const Options& options);
// The last run that removed any entry; null when none did.
const RunSummary* LastRunThatRemoved(const std::vector<RunSummary>& runs);
// For a selection that removed nothing: the run that last did, and how to
// choose it, or that no run did.
std::string WhereRemovalsAre(const LogScanner& scanner);

}  // namespace dislist_log
