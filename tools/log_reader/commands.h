// The commands of dislist-log, apart from the process they run in: the
// program hands them its arguments and its two outputs, and tests hand them
// outputs and file calls that fail on purpose.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "playlist_file.h"  // exportFileCalls, PlaylistTitle

namespace dislist_log {

// Where the program's text goes, as UTF-8. Write answers false when the text
// did not all arrive (a full disk, a closed pipe).
class TextOut {
 public:
  virtual ~TextOut() = default;
  virtual bool Write(std::string_view utf8) = 0;
};

// Runs one command line (without the program's name). Returns the exit
// code: 0 done, 1 a file could not be read or written or is not the
// plug-in's log, 2 a wrong command line.
int RunDislistLog(const std::vector<std::wstring>& arguments, TextOut& out, TextOut& err);

}  // namespace dislist_log
