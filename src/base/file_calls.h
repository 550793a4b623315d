// Test seams around the two Windows file calls whose effects a test cannot
// provoke or see on disk alone: how a line or a name is handed to the
// system, and a write that reports fewer bytes than asked. They hold the
// Windows functions themselves in the product.
#pragma once

#include <windows.h>

namespace dislist {

struct FileCalls {
  HANDLE(WINAPI* createFile)(LPCWSTR, DWORD, DWORD, LPSECURITY_ATTRIBUTES, DWORD, DWORD, HANDLE);
  BOOL(WINAPI* writeFile)(HANDLE, LPCVOID, DWORD, LPDWORD, LPOVERLAPPED);
};

// Used by the log writer, one open and one write per line.
extern FileCalls logFileCalls;
// Used by the current-track file writer.
extern FileCalls currentTrackFileCalls;

}  // namespace dislist
