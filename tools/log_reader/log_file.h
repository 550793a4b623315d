// Streams a log file through a scanner, a megabyte at a time.
#pragma once

#include <windows.h>

#include <string>

#include "log_scanner.h"

namespace dislist_log {

// False when the file cannot be opened or read; `error` is then the code.
bool ScanFile(const std::wstring& path, LogScanner& scanner, DWORD& error);

}  // namespace dislist_log
