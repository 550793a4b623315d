// dislist-log's command line: what it asks for, or what is wrong with it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/names.h"

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
};

// Reads the command line (without the program's name); on a mistake says
// what was wrong and returns false. No argument asks for the report on the
// default log; one argument that is no command but an existing file
// (`isFile` tells) asks for the report on that log, as Explorer passes a
// file dropped on the program or opened with it.
bool ParseOptions(const std::vector<std::wstring>& arguments, Options& options, std::string& problem,
                  bool (*isFile)(const std::wstring& path));

}  // namespace dislist_log
