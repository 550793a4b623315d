#include "commands.h"

#include <windows.h>

#include <limits>

#include "file_identity.h"
#include "log_file.h"
#include "options.h"
#include "removal_output.h"
#include "report.h"
#include "double_click_report.h"
#include "run_selection.h"
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
  int code = 0;
  if (options.command == Command::kExport) {
    if (SameFile(options.exportPath, options.logPath)) {
      err("dislist-log: " + Utf8(options.exportPath) + " is the log itself: name another file for the playlist\n");
      return 2;
    }
    PlaylistExport playlist(options.exportPath, PlaylistFile::Placing::kReplace,
                            Utf8(options.exportPath) + " is left as it was", err);
    code = WriteRemovalsPlaylist({options.logPath, facts.bytes, firstRun, lastRun, Selection(options), whole},
                                 playlist, out, err);
  } else {
    RemovalPrinter printer(out);
    DWORD error = 0;
    if (!ReadRemovals(options.logPath, facts.bytes, firstRun, lastRun, printer, error)) {
      err("dislist-log: " + ReadProblem(options, error) + "\n");
      return 1;
    }
    if (printer.count() == 0) err("nothing removed in " + Selection(options) + "; " + WhereRemovalsAre(whole) + "\n");
  }
  ReportOdd(whole, err);
  return code;
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

// Keeps what was said on the screen until Enter, where a person opened the
// window by a double-click or a drop and it closes with the program; an
// output sent to a file shows nothing to keep. What was typed while the
// program worked does not close it unseen.
void WaitForEnter(const Options& options, Console& console, CheckedOutput& err) {
  if (!options.forPerson || !console.PersonAtConsole() || !console.OwnsWindow()) return;
  err("\nPress Enter to close this window.");
  console.DropTypedAhead();
  std::string line;
  console.ReadLine(line);
}

}  // namespace

int RunDislistLog(const std::vector<std::wstring>& arguments, TextOutput& outText, TextOutput& errText, Console& console) {
  CheckedOutput out(outText), err(errText);
  Options options;
  std::string problem;
  int code = 2;
  try {
    if (ParseOptions(arguments, options, problem, KindOfPath)) {
      code = ExitCode(Run(options, console, out, err), out, err);
    } else {
      err("dislist-log: " + problem + (options.forPerson ? "\n" : "\n\n" + Usage()));
    }
  } catch (const std::exception& error) {
    // Out of memory, mostly: said, and still on the screen after a
    // double-click.
    err(std::string("dislist-log: ") + error.what() + "\n");
    code = 1;
  }
  WaitForEnter(options, console, err);
  return code;
}

}  // namespace dislist_log
