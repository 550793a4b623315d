// The diagnostic log.
#pragma once

#include <cstddef>
#include <string>

#include "base/names.h"
#include "base/utf16.h"
#include "log/text.h"

namespace dislist {

// Appends one line. Never fails towards the caller: a log that cannot be
// opened or written loses the line and nothing else happens.
void WriteLogLine(const std::string& message) noexcept;

// Appends fixed lines in order, one append each: a block written from a table
// instead of one call (and one string made) per line.
template <std::size_t N>
void WriteLogLines(const char* const (&lines)[N]) {
  for (const char* line : lines) WriteLogLine(line);
}

// "WINDOWS ERROR: " and the code. Failures to create a file add the reason
// lines for the two codes the plug-in explains (5 and 3); other steps don't.
enum class ErrorReasons { kOmit, kExplain };
void LogWindowsError(unsigned long code, ErrorReasons reasons);

}  // namespace dislist
