#include "run_selection.h"

#include <algorithm>

#include "text.h"

namespace dislist_log {

const RunSummary* LastRunThatRemoved(const std::vector<RunSummary>& runs) {
  for (auto run = runs.rbegin(); run != runs.rend(); ++run) {
    if (run->removed > 0) return &*run;
  }
  return nullptr;
}

bool SelectRuns(const Options& options, const LogScanner& scanner, int& firstRun, int& lastRun,
                std::string& problem) {
  firstRun = 0;
  lastRun = 0x7FFFFFFF;
  const auto& runs = scanner.runs();
  const std::string range =
      runs.empty() ? std::string("the log has no runs")
                   : "the log has runs " + std::to_string(runs.front().number) + " to " +
                         std::to_string(runs.back().number);
  if (options.run.given) {
    const bool exists = options.run.valid &&
                        std::any_of(runs.begin(), runs.end(), [&](const RunSummary& run) {
                          return static_cast<std::uint64_t>(run.number) == options.run.value;
                        });
    if (!exists) {
      problem = "--run " + options.run.text + ": no such run; " + range;
      return false;
    }
    firstRun = lastRun = static_cast<int>(options.run.value);
  }
  if (options.last.given) {
    if (!options.last.valid || options.last.value == 0) {
      problem = "--last " + options.last.text + ": takes a count of runs from 1; " + range;
      return false;
    }
    const std::size_t count = static_cast<std::size_t>(std::min<std::uint64_t>(options.last.value, runs.size()));
    firstRun = runs.empty() ? 0 : runs[runs.size() - count].number;
  }
  return true;
}

std::string Selection(const Options& options) {
  if (options.run.given) return "run " + options.run.text;
  if (options.last.given) {
    return options.last.value == 1 ? std::string("the last run") : "the last " + options.last.text + " runs";
  }
  return "the log";
}

std::string WhereRemovalsAre(const LogScanner& scanner) {
  const RunSummary* run = LastRunThatRemoved(scanner.runs());
  if (run == nullptr) return "no run of this log removed anything";
  const std::string number = std::to_string(run->number);
  return "the last run that removed entries is run " + number + " (" + Number(run->removed) +
         " removed): choose it with --run " + number;
}

}  // namespace dislist_log
