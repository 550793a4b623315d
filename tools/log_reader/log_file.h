// Streams a log file through a scanner, a megabyte at a time.
#pragma once

#include <windows.h>

#include <cstdint>
#include <limits>
#include <string>

#include "log_scanner.h"

namespace dislist_log {

// What a reading learnt of the file besides its lines.
struct LogFileFacts {
  std::uint64_t bytes = 0;        // how many bytes were read
  bool haveTime = false;
  SYSTEMTIME lastWritten = {};    // local time, when haveTime
};

// The Windows read call ScanFile uses; ::ReadFile itself in the program.
extern BOOL(WINAPI* logReadFile)(HANDLE, LPVOID, DWORD, LPDWORD, LPOVERLAPPED);

// Reads at most `limit` bytes: a second pass reads exactly what the first
// one checked, however much the player appended since. False when the file
// cannot be opened or read; `error` is then the code.
bool ScanFile(const std::wstring& path, LogScanner& scanner, DWORD& error, LogFileFacts* facts = nullptr,
              std::uint64_t limit = std::numeric_limits<std::uint64_t>::max());

}  // namespace dislist_log
