#include "options.h"

#include <algorithm>
#include <iterator>

#include "text.h"

namespace dislist_log {

std::string Usage() {
  return "Usage: dislist-log [LOG]\n"
         "       dislist-log summary [--file LOG]\n"
         "       dislist-log removed [--run N | --last K] [--file LOG]\n"
         "       dislist-log export PLAYLIST.m3u8 [--run N | --last K] [--file LOG]\n"
         "\n"
         "Reads the AIMP Dislist log (default " +
         Utf8(dislist::kLogFilePath) +
         ").\n"
         "  (none)   a short report of the last runs and what went wrong in them; in\n"
         "           a console it offers to give the entries of the last run that\n"
         "           removed any back as a playlist beside the log (also for a log\n"
         "           dropped on the program), and in a window of its own it waits\n"
         "           for Enter\n"
         "  summary  per run of the player: tracks started, entries removed, kept by\n"
         "           !delete, not found and refused, and what went wrong\n"
         "  removed  the file names of the entries actually removed, in order\n"
         "  export   the same as an M3U8 playlist, to give them back to AIMP; the\n"
         "           playlist is put in place only when it is complete\n"
         "  --run N  only run N (runs are counted from 1 at each start-up; run 0 is\n"
         "           what the log holds before its first start-up)\n"
         "  --last K only the last K runs\n"
         "The commands never wait and never ask.\n";
}

namespace {

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

bool IsHelp(const std::wstring& word) {
  return word == L"--help" || word == L"-h" || word == L"/?" || word == L"help";
}

bool TakesValue(const std::wstring& word) { return word == L"--file" || word == L"--run" || word == L"--last"; }

// The word after an option that takes a value, or null when there is none:
// another option in its place means the value was left out.
const std::wstring* ValueOf(const std::vector<std::wstring>& arguments, std::size_t at) {
  if (at + 1 >= arguments.size()) return nullptr;
  const std::wstring& next = arguments[at + 1];
  if (TakesValue(next) || IsHelp(next)) return nullptr;
  return &next;
}

bool Fail(std::string& problem, std::string text) {
  problem = std::move(text);
  return false;
}

// An option's value, or a problem: --run and --last select runs, which a
// summary does not.
bool TakeValue(const std::wstring& word, const std::wstring& value, Options& options, std::string& problem) {
  if (word == L"--file") {
    if (options.logGiven) return Fail(problem, "--file is given twice");
    options.logGiven = true;
    options.logPath = value;
    return true;
  }
  if (options.command == Command::kSummary) return Fail(problem, "unexpected " + Utf8(word));
  NumberOption& option = word == L"--run" ? options.run : options.last;
  if (option.given) return Fail(problem, Utf8(word) + " is given twice");
  option = ReadNumber(value);
  return true;
}

struct CommandName {
  const wchar_t* word;
  Command command;
};
constexpr CommandName kCommands[] = {
    {L"summary", Command::kSummary}, {L"removed", Command::kRemoved}, {L"export", Command::kExport}};

bool LooksLikePath(const std::wstring& word) { return word.find_first_of(L"\\/:.") != std::wstring::npos; }

// Paths dropped on the program: one log file, or a sentence of what they
// are instead.
bool TakeDropped(const std::vector<std::wstring>& arguments, Options& options, std::string& problem,
                 PathKind (*kindOf)(const std::wstring& path)) {
  options.forPerson = true;
  const std::wstring& path = arguments[0];
  if (arguments.size() > 1) {
    return Fail(problem, "dislist-log reads one log at a time: drop a single log file on it");
  }
  switch (kindOf(path)) {
    case PathKind::kFile:
      options.logPath = path;
      options.logGiven = true;
      return true;
    case PathKind::kFolder:
      return Fail(problem, Utf8(path) + " is a folder: drop the log file in it on dislist-log");
    case PathKind::kNothing:
      break;
  }
  return Fail(problem, "no such file: " + Utf8(path));
}

}  // namespace

bool ParseOptions(const std::vector<std::wstring>& arguments, Options& options, std::string& problem,
                  PathKind (*kindOf)(const std::wstring& path)) {
  options.command = Command::kReport;
  if (arguments.empty()) {
    options.forPerson = true;
    return true;
  }
  const std::wstring& first = arguments[0];
  if (IsHelp(first)) {
    options.help = true;
    return true;
  }
  const auto* named = std::find_if(std::begin(kCommands), std::end(kCommands),
                                   [&](const CommandName& name) { return first == name.word; });
  if (named == std::end(kCommands)) {
    if (LooksLikePath(first)) return TakeDropped(arguments, options, problem, kindOf);
    return Fail(problem, "unknown command " + Utf8(first));
  }
  options.command = named->command;
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    const std::wstring& word = arguments[i];
    if (IsHelp(word)) {
      options.help = true;
      return true;
    }
    if (TakesValue(word)) {
      const std::wstring* value = ValueOf(arguments, i);
      if (value == nullptr) {
        return Fail(problem, Utf8(word) + (word == L"--file" ? " needs the log file to read" : " needs a number"));
      }
      if (!TakeValue(word, *value, options, problem)) return false;
      ++i;
    } else if (options.command == Command::kExport && options.exportPath.empty() && !word.empty() &&
               word[0] != L'-') {
      options.exportPath = word;
    } else {
      return Fail(problem, "unexpected " + Utf8(word));
    }
  }
  if (options.run.given && options.last.given) {
    return Fail(problem, "--run and --last do not go together: choose one run, or the last runs");
  }
  if (options.command == Command::kExport && options.exportPath.empty()) {
    return Fail(problem, "export needs the playlist file to write");
  }
  return true;
}

}  // namespace dislist_log
