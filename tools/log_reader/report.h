// What dislist-log tells of a scanned log: the runs with what went wrong in
// them, their total and the log's last-written time, and the odd lines.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

#include "log_file.h"
#include "log_scanner.h"
#include "output.h"

namespace dislist_log {

// The runs, the last `mostRuns` of them line by line (saying how many
// earlier ones are left out), each with its hints, then the total over all
// runs and when the log was last written.
void ReportSummary(const std::wstring& logPath, const LogScanner& scanner, const LogFileFacts& facts,
                   std::size_t mostRuns, CheckedOutput& out);
void ReportOdd(const LogScanner& scanner, CheckedOutput& err);

// Every count of the runs added up.
RunSummary Total(const std::vector<RunSummary>& runs);
// "2026-12-10 16:40": a local time to the minute.
std::string MinuteText(const SYSTEMTIME& time);

}  // namespace dislist_log
