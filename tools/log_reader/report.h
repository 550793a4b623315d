// What dislist-log tells of a scanned log: the runs, their total and the
// log's last-written time, the odd lines, and which runs --run or --last
// select.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

#include "log_file.h"
#include "log_scanner.h"
#include "options.h"
#include "output.h"

namespace dislist_log {

// The runs, the last `mostRuns` of them line by line (saying how many
// earlier ones are left out), then the total over all runs and when the log
// was last written.
void ReportSummary(const std::wstring& logPath, const LogScanner& scanner, const LogFileFacts& facts,
                   std::size_t mostRuns, CheckedOutput& out);
void ReportOdd(const LogScanner& scanner, CheckedOutput& err);

// Every count of the runs added up.
RunSummary Total(const std::vector<RunSummary>& runs);
// "2026-12-10 16:40": a local time to the minute.
std::string MinuteText(const SYSTEMTIME& time);
// The last run that removed any entry; null when none did.
const RunSummary* LastRunThatRemoved(const std::vector<RunSummary>& runs);

// The runs that --run or --last select, or a wrong choice explained.
bool SelectRuns(const Options& options, const LogScanner& scanner, int& firstRun, int& lastRun,
                std::string& problem);
// The selection in words: "run 3", "the last 2 run(s)" or "the log".
std::string Selection(const Options& options);
// For a selection that removed nothing: the run that last did, and how to
// choose it, or that no run did.
std::string WhereRemovalsAre(const LogScanner& scanner);

}  // namespace dislist_log
