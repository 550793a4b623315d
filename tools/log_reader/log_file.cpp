#include "log_file.h"

#include <vector>

#include "base/owners.h"
#include "line_splitter.h"

namespace dislist_log {

bool ScanFile(const std::wstring& path, LogScanner& scanner, DWORD& error) {
  // Shared for writing: the player may be appending while we read.
  dislist::UniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ,
                                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                         OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file) {
    error = ::GetLastError();
    return false;
  }
  LineSplitter splitter(scanner);
  std::vector<char> buffer(1 << 20);
  DWORD read = 0;
  bool ok = true;
  while ((ok = ::ReadFile(file.get(), buffer.data(), static_cast<DWORD>(buffer.size()), &read, nullptr) != FALSE) &&
         read > 0) {
    splitter.Feed(buffer.data(), read);
  }
  if (!ok) error = ::GetLastError();
  splitter.Finish();
  return ok;
}

}  // namespace dislist_log
