// dislist-log's command line: what it asks for, or what is wrong with it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/names.h"
#include "file_identity.h"

namespace dislist_log {

// The help text, naming the log it reads by default.
std::string Usage();

// A run number or count as typed: digits only; anything else, or a number
// too large to read, is kept as not valid and reported with the valid range.
struct NumberOption {
  bool given = false;
  bool valid = false;
  std::uint64_t value = 0;
  std::string text;
};

// What dislist-log is asked to do. kReport is what a double-click or a log
// dropped on the program asks for: a short report, and the offer to give
// the last removals back.
enum class Command { kReport, kSummary, kRemoved, kExport };

struct Options {
  Command command = Command::kReport;
  std::wstring logPath = dislist::kLogFilePath;
  bool logGiven = false;
  std::wstring exportPath;
  NumberOption run;
  NumberOption last;
  bool help = false;
  // A person double-clicked the program or dropped something on it: what
  // it says must stay on the screen, and a problem with what was dropped is
  // one sentence, without the usage. Commands typed at a prompt, run by a
  // script or a scheduled task, never wait.
  bool forPerson = false;
};

// Reads the command line (without the program's name); on a mistake says
// what was wrong and returns false. No argument asks for the report on the
// default log; an argument that is no command but a path (it holds a
// separator, a drive's colon or a dot) is a log to report on, as Explorer
// passes a file dropped on the program or opened with it: one existing file
// (`kindOf` tells), or else a plain sentence of what it is instead.
bool ParseOptions(const std::vector<std::wstring>& arguments, Options& options, std::string& problem,
                  PathKind (*kindOf)(const std::wstring& path));

}  // namespace dislist_log
