#include "commands.h"

#include <windows.h>

#include <limits>

#include "file_identity.h"
#include "log_file.h"
#include "options.h"
#include "removal_output.h"
#include "report.h"
#include "report_session.h"
#include "text.h"

namespace dislist_log {

namespace {

// Tells what a failure to read the log means, where it means something.
std::string ReadProblem(const Options& options, DWORD error) {
  std::string text = "cannot read " + Utf8(options.logPath) + " (error " + Number(error) + ")";
  if (!options.logGiven && error == ERROR_PATH_NOT_FOUND) {
    text += ": the folder " + Utf8(dislist::kLogFolder) +
            " does not exist. The plug-in logs only when it does: create it, and the next start of AIMP "
            "begins the log";
  } else if (!options.logGiven && error == ERROR_FILE_NOT_FOUND) {
    text += ": the plug-in has logged nothing yet (is it installed and enabled in AIMP?)";
  }
  return text;
}

// A log with lines and not one of them the plug-in's is another file, or
// one saved in a form this reader does not know: saying "nothing removed"
// of it would be a guess.
bool NotThePluginsLog(const Options& options, const LogScanner& scanner, CheckedOutput& err) {
  if (scanner.lines() == 0 || scanner.pluginLines() > 0) return false;
  err("dislist-log: " + Utf8(options.logPath) + " holds no line the plug-in writes: not its log, or saved "
      "in a form this tool cannot read (UTF-8 or UTF-16 with its byte order mark are read)\n");
  return true;
}

// The exit code once the work is done: a standard output that did not take
// everything fails the command.
int ExitCode(int code, const CheckedOutput& out, CheckedOutput& err) {
  if (code != 0 || !out.failed()) return code;
  err("dislist-log: cannot write to the standard output\n");
  return 1;
}

// removed and export: the log was read and checked whole before anything is
// written; the removals come from a second pass over exactly the bytes the
// first one checked, however much the player appended since.
int ListRemovals(const Options& options, const LogScanner& whole, const LogFileFacts& facts, CheckedOutput& out,
                 CheckedOutput& err) {
  int firstRun = 0, lastRun = 0;
  std::string problem;
  if (!SelectRuns(options, whole, firstRun, lastRun, problem)) {
    err("dislist-log: " + problem + "\n");
    return 2;
  }
  const bool exporting = options.command == Command::kExport;
  if (exporting && SameFile(options.exportPath, options.logPath)) {
    err("dislist-log: " + Utf8(options.exportPath) + " is the log itself: name another file for the playlist\n");
    return 2;
  }
  RemovalPrinter printer(out);
  PlaylistExport playlist(options.exportPath, PlaylistFile::Placing::kReplace,
                          Utf8(options.exportPath) + " is left as it was", err);
  RemovalOutput& output = exporting ? static_cast<RemovalOutput&>(playlist) : printer;
  DWORD error = 0;
  if (!ReadRemovals(options.logPath, facts.bytes, firstRun, lastRun, output, error)) {
    err("dislist-log: " + ReadProblem(options, error) + "\n");
    return 1;
  }
  if (!output.Finish()) return 1;
  if (output.count() == 0) {
    err("nothing removed in " + Selection(options) + (exporting ? ": no playlist written" : "") + "; " +
        WhereRemovalsAre(whole) + "\n");
  } else if (exporting) {
    out(playlist.Written() + "\n");
  }
  ReportOdd(whole, err);
  return 0;
}

int Run(const Options& options, Console& console, CheckedOutput& out, CheckedOutput& err) {
  if (options.help) {
    out(Usage());
    return 0;
  }
  DWORD error = 0;
  LogScanner whole;
  LogFileFacts facts;
  if (!ScanFile(options.logPath, whole, error, &facts)) {
    err("dislist-log: " + ReadProblem(options, error) + "\n");
    return 1;
  }
  if (NotThePluginsLog(options, whole, err)) return 1;
  switch (options.command) {
    case Command::kReport:
      return RunReport(options, whole, facts, console, out, err);
    case Command::kSummary:
      ReportSummary(options.logPath, whole, facts, std::numeric_limits<std::size_t>::max(), out);
      ReportOdd(whole, err);
      return 0;
    case Command::kRemoved:
    case Command::kExport:
      break;
  }
  return ListRemovals(options, whole, facts, out, err);
}

}  // namespace

int RunDislistLog(const std::vector<std::wstring>& arguments, TextOutput& outText, TextOutput& errText, Console& console) {
  CheckedOutput out(outText), err(errText);
  Options options;
  std::string problem;
  int code = 2;
  if (ParseOptions(arguments, options, problem, IsExistingFile)) {
    code = ExitCode(Run(options, console, out, err), out, err);
  } else {
    err("dislist-log: " + problem + "\n\n" + Usage());
  }
  if (console.InputIsConsole() && console.OwnsWindow()) {
    err("\nPress Enter to close this window.");
    std::string line;
    console.ReadLine(line);
  }
  return code;
}

}  // namespace dislist_log
