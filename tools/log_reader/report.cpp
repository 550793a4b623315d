#include "report.h"

#include <algorithm>
#include <vector>

#include "text.h"

namespace dislist_log {

void ReportOdd(const LogScanner& scanner, CheckedOutput& err) {
  const auto& odd = scanner.odd();
  const std::uint64_t total = odd.foreign + odd.misplaced + odd.unfinishedBlocks + odd.overlong +
                              (odd.truncatedLastLine ? 1 : 0);
  if (total == 0) return;
  std::string text = "note: " + Number(total) + " odd line(s) not counted as anything:";
  if (odd.foreign) text += " " + Number(odd.foreign) + " not from the plug-in;";
  if (odd.misplaced) text += " " + Number(odd.misplaced) + " outcome(s) outside a removal check;";
  if (odd.unfinishedBlocks) text += " " + Number(odd.unfinishedBlocks) + " removal check(s) with no outcome;";
  if (odd.overlong) text += " " + Number(odd.overlong) + " overlong;";
  if (odd.truncatedLastLine) text += " the last line is cut short;";
  std::vector<std::uint64_t> lines = odd.examples;
  std::sort(lines.begin(), lines.end());
  text += " first at line(s)";
  for (std::uint64_t line : lines) text += " " + Number(line);
  err(text + "\n");
  for (const UnfinishedCheck& check : odd.unfinished) {
    std::string note = "note: the removal check at line " + Number(check.line) + " has no outcome";
    if (!check.previousFile.empty()) note += ": it was looking for " + check.previousFile;
    if (!check.fileName.empty()) note += " and had found " + check.fileName;
    err(note + "; whether that entry was removed is not known\n");
  }
}

namespace {

std::string Counts(const RunSummary& run) {
  return Number(run.tracksStarted) + " tracks started, " + Number(run.removed) + " removed, " +
         Number(run.keptByMarker) + " kept by !delete, " + Number(run.notFound) + " not found, " +
         Number(run.refused) + " refused";
}

std::string RunLine(const RunSummary& run) {
  std::string line = "run " + std::to_string(run.number) + " (lines " + Number(run.firstLine) + "-" +
                     Number(run.lastLine) + (run.number == 0 ? ", before the first start-up" : "") + "):";
  if (!run.startupFailure.empty()) {
    line += " start-up FAILED (" + run.startupFailure + ");";
  } else if (run.number > 0 && !run.ready) {
    line += " start-up not finished;";
  }
  line += " " + Counts(run);
  if (run.playlistUnavailable) line += ", " + Number(run.playlistUnavailable) + " with no playing playlist";
  if (run.managerUnavailable) line += ", " + Number(run.managerUnavailable) + " with no playlist manager";
  if (run.noPreviousTrack) line += ", " + Number(run.noPreviousTrack) + " with no previous track";
  return line + "\n";
}

std::string TwoDigits(unsigned value) { return (value < 10 ? "0" : "") + std::to_string(value); }

}  // namespace

RunSummary Total(const std::vector<RunSummary>& runs) {
  RunSummary total;
  for (const RunSummary& run : runs) {
    total.tracksStarted += run.tracksStarted;
    total.removed += run.removed;
    total.keptByMarker += run.keptByMarker;
    total.notFound += run.notFound;
    total.refused += run.refused;
  }
  return total;
}

std::string MinuteText(const SYSTEMTIME& time) {
  return std::to_string(time.wYear) + "-" + TwoDigits(time.wMonth) + "-" + TwoDigits(time.wDay) + " " +
         TwoDigits(time.wHour) + ":" + TwoDigits(time.wMinute);
}

const RunSummary* LastRunThatRemoved(const std::vector<RunSummary>& runs) {
  for (auto run = runs.rbegin(); run != runs.rend(); ++run) {
    if (run->removed > 0) return &*run;
  }
  return nullptr;
}

void ReportSummary(const std::wstring& logPath, const LogScanner& scanner, const LogFileFacts& facts,
                   std::size_t mostRuns, CheckedOutput& out) {
  const auto& runs = scanner.runs();
  out(Utf8(logPath) + ": " + Number(scanner.lines()) + " lines, " + Number(runs.size()) +
      " run(s) of the player\n");
  const std::size_t hidden = runs.size() > mostRuns ? runs.size() - mostRuns : 0;
  if (hidden > 0) {
    out("(" + Number(hidden) + " earlier run(s) not shown; dislist-log summary lists them all)\n");
  }
  for (std::size_t i = hidden; i < runs.size(); ++i) out(RunLine(runs[i]));
  if (!runs.empty() && runs.front().number == 0 && hidden == 0) {
    out("run 0 is what the log holds before its first start-up; --run 0 selects it\n");
  }
  if (scanner.notUtf8() > 0) {
    out(Number(scanner.notUtf8()) + " line(s) are not valid UTF-8 (the log was saved in another "
        "encoding?): names in them may show wrongly\n");
  }
  out("total (" + Number(runs.size()) + (runs.size() == 1 ? " run): " : " runs): ") + Counts(Total(runs)) +
      "\n");
  out(facts.haveTime ? "last written " + MinuteText(facts.lastWritten) + " (local time)\n"
                     : std::string("last written: unknown (the file's time could not be read)\n"));
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
  if (options.last.given) return "the last " + options.last.text + " run(s)";
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
