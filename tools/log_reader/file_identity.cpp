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

}  // namespace dislist_log
