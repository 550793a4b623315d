// The commands of dislist-log, apart from the process they run in: the
// program hands them its arguments and its two outputs, and tests hand them
// outputs and file calls that fail on purpose.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace dislist_log {

// Where the program's text goes, as UTF-8. Write answers false when the text
// did not all arrive (a full disk, a closed pipe).
class TextOut {
 public:
  virtual ~TextOut() = default;
  virtual bool Write(std::string_view utf8) = 0;
};

// The Windows calls through which export writes its playlist and puts it in
// place; the Windows functions themselves in the program.
struct ExportFileCalls {
  HANDLE(WINAPI* createFile)(LPCWSTR, DWORD, DWORD, LPSECURITY_ATTRIBUTES, DWORD, DWORD, HANDLE);
  BOOL(WINAPI* writeFile)(HANDLE, LPCVOID, DWORD, LPDWORD, LPOVERLAPPED);
  BOOL(WINAPI* moveFile)(LPCWSTR, LPCWSTR, DWORD);
};
extern ExportFileCalls exportFileCalls;

// Runs one command line (without the program's name). Returns the exit
// code: 0 done, 1 a file could not be read or written, 2 a wrong command
// line.
int RunDislistLog(const std::vector<std::wstring>& arguments, TextOut& out, TextOut& err);

// A display text made safe as a playlist title: every control character
// becomes a space, and bytes that are not UTF-8 become U+FFFD.
std::string PlaylistTitle(std::string_view displayText);

}  // namespace dislist_log
