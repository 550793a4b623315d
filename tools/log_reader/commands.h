// The commands of dislist-log, apart from the process they run in: the
// program hands them its arguments, its two outputs and its console; tests
// hand them strings, outputs that fail and a stand-in console.
#pragma once

#include <string>
#include <vector>

#include "output.h"

namespace dislist_log {

// Runs one command line (without the program's name). Returns the exit
// code: 0 done, 1 a file could not be read or written or is not the
// plug-in's log, 2 a wrong command line. The report that a double-click or
// a dropped file asks for waits for Enter before it returns where the
// console window is the program's own, whatever happened, so that what it
// said stays on the screen; a command never waits.
int RunDislistLog(const std::vector<std::wstring>& arguments, TextOutput& out, TextOutput& err, Console& console);

}  // namespace dislist_log
