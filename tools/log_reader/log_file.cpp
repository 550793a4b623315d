#include "log_file.h"

#include <algorithm>
#include <vector>

#include "base/owners.h"
#include "line_splitter.h"

namespace dislist_log {

BOOL(WINAPI* logReadFile)(HANDLE, LPVOID, DWORD, LPDWORD, LPOVERLAPPED) = ::ReadFile;

namespace {

// The file's last-written time in the local time of that day.
bool LastWritten(HANDLE file, SYSTEMTIME& local) {
  FILETIME written = {};
  SYSTEMTIME utc = {};
  return ::GetFileTime(file, nullptr, nullptr, &written) && ::FileTimeToSystemTime(&written, &utc) &&
         ::SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local);
}

}  // namespace

bool ScanFile(const std::wstring& path, LogScanner& scanner, DWORD& error, LogFileFacts* facts,
              std::uint64_t limit) {
  // Shared for writing: the player may be appending while we read.
  dislist::UniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ,
                                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                         OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file) {
    error = ::GetLastError();
    return false;
  }
  if (facts != nullptr) facts->haveTime = LastWritten(file.get(), facts->lastWritten);
  LineSplitter splitter(scanner);
  std::vector<char> buffer(1 << 20);
  std::uint64_t total = 0;
  bool ok = true;
  while (total < limit) {
    const auto want = static_cast<DWORD>(std::min<std::uint64_t>(buffer.size(), limit - total));
    DWORD read = 0;
    ok = logReadFile(file.get(), buffer.data(), want, &read, nullptr) != FALSE;
    if (!ok) {
      error = ::GetLastError();
      break;
    }
    if (read == 0) break;
    splitter.Feed(buffer.data(), read);
    total += read;
  }
  splitter.Finish();
  if (facts != nullptr) facts->bytes = total;
  return ok;
}

}  // namespace dislist_log
