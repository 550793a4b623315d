// What dislist-log tells of a scanned log: the per-run summary, the odd
// lines, and which runs --run or --last select.
#pragma once

#include <string>

#include "commands.h"
#include "log_scanner.h"
#include "options.h"

namespace dislist_log {

// An output that remembers whether every write arrived.
class CheckedOutput {
 public:
  explicit CheckedOutput(TextOut& out) : out_(out) {}
  void operator()(const std::string& text) {
    if (!out_.Write(text)) failed_ = true;
  }
  bool failed() const { return failed_; }

 private:
  TextOut& out_;
  bool failed_ = false;
};

void ReportSummary(const Options& options, const LogScanner& scanner, CheckedOutput& out);
void ReportOdd(const LogScanner& scanner, CheckedOutput& err);

// The runs that --run or --last select, or a wrong choice explained.
bool SelectRuns(const Options& options, const LogScanner& scanner, int& firstRun, int& lastRun,
                std::string& problem);
// The selection in words: "run 3", "the last 2 run(s)" or "the log".
std::string Selection(const Options& options);

}  // namespace dislist_log
