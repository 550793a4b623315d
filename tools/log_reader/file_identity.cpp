#include "file_identity.h"

#include <windows.h>

#include "base/owners.h"

namespace dislist_log {

namespace {

bool Identify(const std::wstring& path, BY_HANDLE_FILE_INFORMATION& info) {
  const dislist::UniqueFile file(::CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                               nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  return file && ::GetFileInformationByHandle(file.get(), &info) != FALSE;
}

}  // namespace

bool SameFile(const std::wstring& a, const std::wstring& b) {
  BY_HANDLE_FILE_INFORMATION first = {}, second = {};
  return Identify(a, first) && Identify(b, second) && first.dwVolumeSerialNumber == second.dwVolumeSerialNumber &&
         first.nFileIndexHigh == second.nFileIndexHigh && first.nFileIndexLow == second.nFileIndexLow;
}

bool PathExists(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

PathKind KindOfPath(const std::wstring& path) {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return PathKind::kNothing;
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? PathKind::kFolder : PathKind::kFile;
}

// Asked for the length first, then with room for it: a path longer than any
// fixed buffer still resolves. The current folder may change in between,
// so the answer is checked once more.
std::wstring FullPath(const std::wstring& path, std::wstring* folder) {
  std::wstring result;
  ::SetLastError(ERROR_SUCCESS);
  DWORD room = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  for (int attempt = 0; attempt < 3 && room != 0; ++attempt) {
    result.assign(room, L'\0');
    const DWORD length = ::GetFullPathNameW(path.c_str(), room, &result[0], nullptr);
    if (length == 0) break;
    if (length < room) {
      result.resize(length);
      if (folder != nullptr) *folder = result.substr(0, result.find_last_of(L"\\/") + 1);
      return result;
    }
    room = length;
  }
  if (::GetLastError() == ERROR_SUCCESS) ::SetLastError(ERROR_FILENAME_EXCED_RANGE);
  return std::wstring();
}

}  // namespace dislist_log
