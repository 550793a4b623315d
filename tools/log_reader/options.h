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

struct Options {
  std::wstring command;
  std::wstring logPath = dislist::kLogFilePath;
  bool logGiven = false;
  std::wstring exportPath;
  NumberOption run;
  NumberOption last;
  bool help = false;
};

// Reads the command line (without the program's name); on a mistake says
// what was wrong and returns false.
bool ParseOptions(const std::vector<std::wstring>& arguments, Options& options, std::string& problem);

}  // namespace dislist_log
