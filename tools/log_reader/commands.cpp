#include "commands.h"

#include <algorithm>
#include <cstdint>

#include "base/text_rules.h"
#include "file_identity.h"
#include "log_file.h"
#include "report.h"
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

bool HasControlCharacter(std::string_view text) {
  return std::any_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; });
}

// The exit code once the work is done: a standard output that did not take
// everything fails the command.
int ExitCode(const CheckedOutput& out, CheckedOutput& err) {
  if (!out.failed()) return 0;
  err("dislist-log: cannot write to the standard output\n");
  return 1;
}

// Collects the selected removals: printed, or written to the playlist.
class RemovalWriter {
 public:
  RemovalWriter(const Options& options, CheckedOutput& out, CheckedOutput& err)
      : exporting_(options.command == L"export"), playlist_(options.exportPath), out_(out), err_(err) {}

  void Add(const Removal& removal) {
    if (!exporting_) {
      out_(removal.fileName + "\n");
      ++count_;
      return;
    }
    if (removal.fileName.empty() || !dislist::IsValidUtf8(removal.fileName) ||
        HasControlCharacter(removal.fileName)) {
      err_("dislist-log: line " + Number(removal.line) +
           ": the file name is not valid UTF-8 text, left out of the playlist\n");
      ++leftOut_;
      return;
    }
    if (!opened_) {
      opened_ = true;
      if (playlist_.Open()) playlist_.Write("#EXTM3U\r\n");
    }
    std::string title = PlaylistTitle(removal.displayText);
    if (title.empty()) title = std::string(dislist::NamePart(removal.fileName));
    playlist_.Write("#EXTINF:-1," + title + "\r\n" + removal.fileName + "\r\n");
    ++count_;
  }

  // Puts the playlist in place; false, said on `err`, when that failed.
  bool Finish(const Options& options) {
    if (!opened_ || playlist_.Commit()) return true;
    err_("dislist-log: " + playlist_.problem() + "; " + Utf8(options.exportPath) + " is left as it was\n");
    return false;
  }

  void Tell(const Options& options) {
    if (count_ == 0) {
      err_("nothing removed in " + Selection(options) + (exporting_ ? ": no playlist written" : "") + "\n");
    } else if (exporting_) {
      std::string line = Number(count_) + (count_ == 1 ? " removed entry" : " removed entries") +
                         " written to " + Utf8(options.exportPath);
      if (leftOut_) line += " (" + Number(leftOut_) + " left out, see above)";
      out_(line + "\n");
    }
  }

 private:
  bool exporting_;
  PlaylistFile playlist_;
  bool opened_ = false;
  std::uint64_t count_ = 0, leftOut_ = 0;
  CheckedOutput& out_;
  CheckedOutput& err_;
};

// removed and export: the log is read and checked whole before anything is
// written, then read again with the removals going out as they are found.
int ListRemovals(const Options& options, const LogScanner& whole, CheckedOutput& out, CheckedOutput& err) {
  int firstRun = 0, lastRun = 0;
  std::string problem;
  if (!SelectRuns(options, whole, firstRun, lastRun, problem)) {
    err("dislist-log: " + problem + "\n");
    return 2;
  }
  if (options.command == L"export" && SameFile(options.exportPath, options.logPath)) {
    err("dislist-log: " + Utf8(options.exportPath) + " is the log itself: name another file for the playlist\n");
    return 2;
  }
  RemovalWriter writer(options, out, err);
  LogScanner scanner([&](const Removal& removal) {
    if (removal.run >= firstRun && removal.run <= lastRun) writer.Add(removal);
  });
  DWORD error = 0;
  if (!ScanFile(options.logPath, scanner, error)) {
    err("dislist-log: " + ReadProblem(options, error) + "\n");
    return 1;
  }
  if (!writer.Finish(options)) return 1;
  writer.Tell(options);
  ReportOdd(scanner, err);
  return ExitCode(out, err);
}

}  // namespace

int RunDislistLog(const std::vector<std::wstring>& arguments, TextOut& outText, TextOut& errText) {
  CheckedOutput out(outText), err(errText);
  Options options;
  std::string problem;
  if (!ParseOptions(arguments, options, problem)) {
    err("dislist-log: " + problem + "\n\n" + Usage());
    return 2;
  }
  if (options.help) {
    out(Usage());
    return ExitCode(out, err);
  }
  DWORD error = 0;
  LogScanner whole;
  if (!ScanFile(options.logPath, whole, error)) {
    err("dislist-log: " + ReadProblem(options, error) + "\n");
    return 1;
  }
  if (NotThePluginsLog(options, whole, err)) return 1;
  if (options.command != L"summary") return ListRemovals(options, whole, out, err);
  ReportSummary(options, whole, out);
  ReportOdd(whole, err);
  return ExitCode(out, err);
}

}  // namespace dislist_log
