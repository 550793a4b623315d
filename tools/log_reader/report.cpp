#include "report.h"

#include <algorithm>
#include <vector>

#include "run_hints.h"
#include "text.h"

namespace dislist_log {

void ReportOdd(const LogScanner& scanner, CheckedOutput& err) {
  const auto& odd = scanner.odd();
  const std::uint64_t total = odd.foreign + odd.misplaced + odd.unfinishedBlocks + odd.overlong +
                              (odd.truncatedLastLine ? 1 : 0);
  if (total == 0) return;
  std::string text = "note: " + Counted(total, "odd line", "odd lines") + " not counted as anything:";
  if (odd.foreign) text += " " + Number(odd.foreign) + " not from the plug-in;";
  if (odd.misplaced) {
    text += " " + Counted(odd.misplaced, "outcome", "outcomes") + " outside a removal check;";
  }
  if (odd.unfinishedBlocks) {
    text += " " + Counted(odd.unfinishedBlocks, "removal check", "removal checks") + " with no outcome;";
  }
  if (odd.overlong) text += " " + Number(odd.overlong) + " overlong;";
  if (odd.truncatedLastLine) text += " the last line is cut short;";
  std::vector<std::uint64_t> lines = odd.examples;
  std::sort(lines.begin(), lines.end());
  text += lines.size() == 1 ? " at line" : " first at lines";
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
  return Counted(run.tracksStarted, "track", "tracks") + " started, " + Number(run.removed) + " removed, " +
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
  line += "\n";
  for (const std::string& hint : RunHints(run)) line += "  hint: " + hint + "\n";
  return line;
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

void ReportSummary(const std::wstring& logPath, const LogScanner& scanner, const LogFileFacts& facts,
                   std::size_t mostRuns, CheckedOutput& out) {
  const auto& runs = scanner.runs();
  out(Utf8(logPath) + ": " + Counted(scanner.lines(), "line", "lines") + ", " +
      Counted(runs.size(), "run", "runs") + " of the player\n");
  const std::size_t hidden = runs.size() > mostRuns ? runs.size() - mostRuns : 0;
  if (hidden > 0) {
    out("(" + Counted(hidden, "earlier run", "earlier runs") + " not shown; dislist-log summary lists them all)\n");
  }
  for (std::size_t i = hidden; i < runs.size(); ++i) out(RunLine(runs[i]));
  if (!runs.empty() && runs.front().number == 0 && hidden == 0) {
    out("run 0 is what the log holds before its first start-up; --run 0 selects it\n");
  }
  if (scanner.notUtf8() > 0) {
    out(Counted(scanner.notUtf8(), "line is", "lines are") +
        " not valid UTF-8 (the log was saved in another encoding?): names in " +
        (scanner.notUtf8() == 1 ? "it" : "them") + " may show wrongly\n");
  }
  out("total (" + Counted(runs.size(), "run", "runs") + "): " + Counts(Total(runs)) + "\n");
  out(facts.haveTime ? "last written " + MinuteText(facts.lastWritten) + " (local time)\n"
                     : std::string("last written: unknown (the file's time could not be read)\n"));
}

}  // namespace dislist_log
