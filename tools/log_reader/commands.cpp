#include "commands.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "log_file.h"
#include "log_scanner.h"

namespace dislist_log {

ExportFileCalls exportFileCalls = {::CreateFileW, ::WriteFile, ::MoveFileExW};

namespace {

const char kUsage[] =
    "Usage: dislist-log summary [--file LOG]\n"
    "       dislist-log removed [--run N | --last K] [--file LOG]\n"
    "       dislist-log export PLAYLIST.m3u8 [--run N | --last K] [--file LOG]\n"
    "\n"
    "Reads the AIMP Dislist log (default C:\\AIMPPlugin\\AIMP_Dislist.log).\n"
    "  summary  per run of the player: tracks started, entries removed, kept by\n"
    "           !delete, not found and refused\n"
    "  removed  the file names of the entries actually removed, in order\n"
    "  export   the same as an M3U8 playlist, to give them back to AIMP; the\n"
    "           playlist is put in place only when it is complete\n"
    "  --run N  only run N (runs are counted from 1 at each start-up; run 0 is\n"
    "           what the log holds before its first start-up)\n"
    "  --last K only the last K runs\n";

constexpr wchar_t kDefaultLog[] = L"C:\\AIMPPlugin\\AIMP_Dislist.log";

std::string Utf8(const std::wstring& text) {
  if (text.empty()) return {};
  const int bytes = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                          nullptr, 0, nullptr, nullptr);
  std::string result(static_cast<std::size_t>(bytes > 0 ? bytes : 0), '\0');
  if (bytes > 0) {
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &result[0], bytes,
                          nullptr, nullptr);
  }
  return result;
}

std::string Number(std::uint64_t value) {
  char text[24];
  std::snprintf(text, sizeof text, "%llu", static_cast<unsigned long long>(value));
  return text;
}

// A run number or count as typed: digits only; anything else, or a number
// too large to read, is kept as not valid and reported with the valid range.
struct NumberOption {
  bool given = false;
  bool valid = false;
  std::uint64_t value = 0;
  std::string text;
};

NumberOption ReadNumber(const std::wstring& text) {
  NumberOption option;
  option.given = true;
  option.text = Utf8(text);
  option.valid = !text.empty() && text.size() <= 9;
  for (wchar_t c : text) {
    if (c < L'0' || c > L'9') option.valid = false;
  }
  if (option.valid) option.value = std::stoull(text);
  return option;
}

struct Options {
  std::wstring command;
  std::wstring logPath = kDefaultLog;
  bool logGiven = false;
  std::wstring exportPath;
  NumberOption run;
  NumberOption last;
  bool help = false;
};

bool IsHelp(const std::wstring& word) {
  return word == L"--help" || word == L"-h" || word == L"/?" || word == L"help";
}

// Reads the command line; on a mistake says what was wrong and returns false.
bool ParseOptions(const std::vector<std::wstring>& arguments, Options& options, std::string& problem) {
  if (arguments.empty()) {
    problem = "a command is needed";
    return false;
  }
  options.command = arguments[0];
  if (IsHelp(options.command)) {
    options.help = true;
    return true;
  }
  if (options.command != L"summary" && options.command != L"removed" && options.command != L"export") {
    problem = "unknown command " + Utf8(options.command);
    return false;
  }
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    const std::wstring& word = arguments[i];
    if (IsHelp(word)) {
      options.help = true;
      return true;
    }
    const bool takesValue = word == L"--file" || word == L"--run" || word == L"--last";
    if (takesValue && i + 1 >= arguments.size()) {
      problem = Utf8(word) + (word == L"--file" ? " needs the log file to read" : " needs a number");
      return false;
    }
    if (word == L"--file") {
      if (options.logGiven) {
        problem = "--file is given twice";
        return false;
      }
      options.logGiven = true;
      options.logPath = arguments[++i];
    } else if ((word == L"--run" || word == L"--last") && options.command != L"summary") {
      NumberOption& option = word == L"--run" ? options.run : options.last;
      if (option.given) {
        problem = Utf8(word) + " is given twice";
        return false;
      }
      option = ReadNumber(arguments[++i]);
    } else if (options.command == L"export" && options.exportPath.empty() && !word.empty() &&
               word[0] != L'-') {
      options.exportPath = word;
    } else {
      problem = "unexpected " + Utf8(word);
      return false;
    }
  }
  if (options.run.given && options.last.given) {
    problem = "--run and --last do not go together: choose one run, or the last runs";
    return false;
  }
  if (options.command == L"export" && options.exportPath.empty()) {
    problem = "export needs the playlist file to write";
    return false;
  }
  return true;
}

// Tells what a failure to read the log means, where it means something.
std::string ReadProblem(const Options& options, DWORD error) {
  std::string text = "cannot read " + Utf8(options.logPath) + " (error " + Number(error) + ")";
  if (!options.logGiven && error == ERROR_PATH_NOT_FOUND) {
    text += ": the folder C:\\AIMPPlugin does not exist. The plug-in logs only when it does: "
            "create it, and the next start of AIMP begins the log";
  } else if (!options.logGiven && error == ERROR_FILE_NOT_FOUND) {
    text += ": the plug-in has logged nothing yet (is it installed and enabled in AIMP?)";
  }
  return text;
}

// The same file, judged by volume and file index, not by name.
bool SameFile(const std::wstring& a, const std::wstring& b) {
  auto identify = [](const std::wstring& path, BY_HANDLE_FILE_INFORMATION& info) {
    HANDLE file = ::CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    const bool known = ::GetFileInformationByHandle(file, &info) != FALSE;
    ::CloseHandle(file);
    return known;
  };
  BY_HANDLE_FILE_INFORMATION first = {}, second = {};
  return identify(a, first) && identify(b, second) &&
         first.dwVolumeSerialNumber == second.dwVolumeSerialNumber &&
         first.nFileIndexHigh == second.nFileIndexHigh && first.nFileIndexLow == second.nFileIndexLow;
}

// The playlist, written to a new file in the output's folder and put in
// place of the output only when complete; removed again on any failure, so a
// failed export leaves every file as it was.
class PlaylistFile {
 public:
  explicit PlaylistFile(std::wstring target) : target_(std::move(target)) {}
  ~PlaylistFile() {
    Close();
    if (!temporary_.empty()) ::DeleteFileW(temporary_.c_str());
  }
  PlaylistFile(const PlaylistFile&) = delete;
  PlaylistFile& operator=(const PlaylistFile&) = delete;

  bool Open() {
    wchar_t full[MAX_PATH * 4] = {};
    const DWORD length = ::GetFullPathNameW(target_.c_str(), MAX_PATH * 4, full, nullptr);
    if (length == 0 || length >= MAX_PATH * 4) return Fail("cannot resolve " + Utf8(target_));
    std::wstring folder(full, length);
    folder.erase(folder.find_last_of(L"\\/") + 1);
    wchar_t name[MAX_PATH * 4] = {};
    if (::GetTempFileNameW(folder.c_str(), L"dsl", 0, name) == 0) {
      return Fail("cannot make a new file in " + Utf8(folder));
    }
    temporary_ = name;
    file_ = exportFileCalls.createFile(temporary_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                       FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file_ == INVALID_HANDLE_VALUE) return Fail("cannot write " + Utf8(temporary_));
    return true;
  }

  bool Write(const std::string& text) {
    if (!problem_.empty()) return false;
    DWORD written = 0;
    if (!exportFileCalls.writeFile(file_, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) ||
        written != text.size()) {
      return Fail("cannot write " + Utf8(temporary_) + " (" + Number(written) + " of " +
                  Number(text.size()) + " bytes written)");
    }
    return true;
  }

  // Flushes, closes and puts the playlist in place of the output.
  bool Commit() {
    if (!problem_.empty()) return false;
    const bool flushed = ::FlushFileBuffers(file_) != FALSE;
    if (!Close() || !flushed) return Fail("cannot write " + Utf8(temporary_));
    if (!exportFileCalls.moveFile(temporary_.c_str(), target_.c_str(),
                                  MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      return Fail("cannot put the playlist in place of " + Utf8(target_));
    }
    temporary_.clear();
    return true;
  }

  const std::string& problem() const { return problem_; }

 private:
  bool Close() {
    if (file_ == INVALID_HANDLE_VALUE) return true;
    const bool closed = ::CloseHandle(file_) != FALSE;
    file_ = INVALID_HANDLE_VALUE;
    return closed;
  }
  bool Fail(const std::string& what) {
    if (problem_.empty()) problem_ = what + " (error " + Number(::GetLastError()) + ")";
    return false;
  }

  std::wstring target_;
  std::wstring temporary_;
  HANDLE file_ = INVALID_HANDLE_VALUE;
  std::string problem_;
};

bool HasControlCharacter(std::string_view text) {
  return std::any_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; });
}

// Both outputs remember whether every write arrived.
class Checked {
 public:
  explicit Checked(TextOut& out) : out_(out) {}
  void operator()(const std::string& text) {
    if (!out_.Write(text)) failed_ = true;
  }
  bool failed() const { return failed_; }

 private:
  TextOut& out_;
  bool failed_ = false;
};

void ReportOdd(const LogScanner& scanner, Checked& err) {
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

void Summary(const Options& options, const LogScanner& scanner, Checked& out) {
  out(Utf8(options.logPath) + ": " + Number(scanner.lines()) + " lines, " +
      Number(scanner.runs().size()) + " run(s) of the player\n");
  for (const RunSummary& run : scanner.runs()) {
    std::string line = "run " + std::to_string(run.number) + " (lines " + Number(run.firstLine) + "-" +
                       Number(run.lastLine) + (run.number == 0 ? ", before the first start-up" : "") + "):";
    if (!run.startupFailure.empty()) {
      line += " start-up FAILED (" + run.startupFailure + ");";
    } else if (run.number > 0 && !run.ready) {
      line += " start-up not finished;";
    }
    line += " " + Number(run.tracksStarted) + " tracks started, " + Number(run.removed) + " removed, " +
            Number(run.keptByMarker) + " kept by !delete, " + Number(run.notFound) + " not found, " +
            Number(run.refused) + " refused";
    if (run.playlistUnavailable) line += ", " + Number(run.playlistUnavailable) + " with no playing playlist";
    if (run.managerUnavailable) line += ", " + Number(run.managerUnavailable) + " with no playlist manager";
    if (run.noPreviousTrack) line += ", " + Number(run.noPreviousTrack) + " with no previous track";
    out(line + "\n");
  }
  if (!scanner.runs().empty() && scanner.runs().front().number == 0) {
    out("run 0 is what the log holds before its first start-up; --run 0 selects it\n");
  }
  if (scanner.notUtf8() > 0) {
    out(Number(scanner.notUtf8()) + " line(s) are not valid UTF-8 (the log was saved in another "
        "encoding?): names in them may show wrongly\n");
  }
  out("time span: unknown (the log has no timestamps)\n");
}

// The runs that --run or --last select, or a wrong choice explained.
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

// The exit code once the work is done: a standard output that did not take
// everything fails the command.
int Finished(const Checked& out, Checked& err) {
  if (!out.failed()) return 0;
  err("dislist-log: cannot write to the standard output\n");
  return 1;
}

std::string Selection(const Options& options) {
  if (options.run.given) return "run " + options.run.text;
  if (options.last.given) return "the last " + options.last.text + " run(s)";
  return "the log";
}

}  // namespace

std::string PlaylistTitle(std::string_view displayText) {
  std::string title;
  title.reserve(displayText.size());
  std::size_t at = 0;
  while (at < displayText.size()) {
    // The longest well-formed sequence here, or one bad byte.
    std::size_t length = 1;
    while (length <= 4 && at + length <= displayText.size() && !IsValidUtf8(displayText.substr(at, length))) {
      ++length;
    }
    if (length > 4 || at + length > displayText.size()) {
      title += "\xEF\xBF\xBD";
      ++at;
      continue;
    }
    const auto lead = static_cast<unsigned char>(displayText[at]);
    if (length == 1 && (lead < 0x20 || lead == 0x7F)) {
      title += ' ';
    } else {
      title.append(displayText.substr(at, length));
    }
    at += length;
  }
  return title;
}

int RunDislistLog(const std::vector<std::wstring>& arguments, TextOut& outText, TextOut& errText) {
  Checked out(outText), err(errText);
  Options options;
  std::string problem;
  if (!ParseOptions(arguments, options, problem)) {
    err("dislist-log: " + problem + "\n\n" + kUsage);
    return 2;
  }
  if (options.help) {
    out(kUsage);
    return Finished(out, err);
  }

  // Read and check everything before anything is written.
  DWORD error = 0;
  LogScanner whole;
  if (!ScanFile(options.logPath, whole, error)) {
    err("dislist-log: " + ReadProblem(options, error) + "\n");
    return 1;
  }
  if (options.command == L"summary") {
    Summary(options, whole, out);
    ReportOdd(whole, err);
    return Finished(out, err);
  }
  int firstRun = 0, lastRun = 0;
  if (!SelectRuns(options, whole, firstRun, lastRun, problem)) {
    err("dislist-log: " + problem + "\n");
    return 2;
  }
  const bool exporting = options.command == L"export";
  if (exporting && SameFile(options.exportPath, options.logPath)) {
    err("dislist-log: " + Utf8(options.exportPath) + " is the log itself: name another file for the playlist\n");
    return 2;
  }

  std::uint64_t count = 0, leftOut = 0;
  PlaylistFile playlist(options.exportPath);
  bool opened = false;
  LogScanner scanner([&](const Removal& removal) {
    if (removal.run < firstRun || removal.run > lastRun) return;
    if (!exporting) {
      out(removal.fileName + "\n");
      ++count;
      return;
    }
    if (removal.fileName.empty() || !IsValidUtf8(removal.fileName) || HasControlCharacter(removal.fileName)) {
      err("dislist-log: line " + Number(removal.line) +
          ": the file name is not valid UTF-8 text, left out of the playlist\n");
      ++leftOut;
      return;
    }
    if (!opened) {
      opened = true;
      if (playlist.Open()) playlist.Write("#EXTM3U\r\n");
    }
    std::string title = PlaylistTitle(removal.displayText);
    if (title.empty()) title = removal.fileName.substr(removal.fileName.find_last_of("\\/") + 1);
    playlist.Write("#EXTINF:-1," + title + "\r\n" + removal.fileName + "\r\n");
    ++count;
  });
  if (!ScanFile(options.logPath, scanner, error)) {
    err("dislist-log: " + ReadProblem(options, error) + "\n");
    return 1;
  }
  if (opened && !playlist.Commit()) {
    err("dislist-log: " + playlist.problem() + "; " + Utf8(options.exportPath) + " is left as it was\n");
    return 1;
  }
  if (count == 0) {
    err("nothing removed in " + Selection(options) + (exporting ? ": no playlist written" : "") + "\n");
  } else if (exporting) {
    std::string line = Number(count) + (count == 1 ? " removed entry" : " removed entries") + " written to " +
                       Utf8(options.exportPath);
    if (leftOut) line += " (" + Number(leftOut) + " left out, see above)";
    out(line + "\n");
  }
  ReportOdd(scanner, err);
  return Finished(out, err);
}

}  // namespace dislist_log
