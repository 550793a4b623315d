// Which of the plug-in's lines a log line is, by the shared list of the
// lines the plug-in writes. Pure: no file access and no Windows call.
#pragma once

#include <cstddef>
#include <string_view>

#include "log/log_lines.h"

namespace dislist_log {

using LineRole = dislist::log_lines::Role;

struct LineClass {
  LineRole role = LineRole::kForeign;
  bool fixed = false;       // the whole line is text of the list: no value in it
  std::size_t valueAt = 0;  // where a labelled line's value begins
};

// About one hash lookup a line, whatever the number of lines in the list.
LineClass ClassifyLine(std::string_view line);

// The outcome lines: whole, they prove what they say even as the last line
// of a file that ends without its line end.
bool IsOutcome(LineRole role);

}  // namespace dislist_log
