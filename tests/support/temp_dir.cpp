#include "support/temp_dir.h"

#include <windows.h>

#include <string>

#include "base/owners.h"

namespace testing_support {

namespace {

// Removes everything in a folder.
void EmptyFolder(const std::wstring& folder);

// Removes a folder and everything in it. The folder's search is closed
// first: an open search keeps it from going.
void RemoveTree(const std::wstring& folder) {
  EmptyFolder(folder);
  ::RemoveDirectoryW(folder.c_str());
}

void EmptyFolder(const std::wstring& folder) {
  WIN32_FIND_DATAW entry;
  const dislist::UniqueFind search(::FindFirstFileW((folder + L"*").c_str(), &entry));
  if (!search) return;
  do {
    const std::wstring name = entry.cFileName;
    if (name == L"." || name == L"..") continue;
    const std::wstring full = folder + name;
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      RemoveTree(full + L"\\");
    } else {
      ::SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL);
      ::DeleteFileW(full.c_str());
    }
  } while (::FindNextFileW(search.get(), &entry));
}

}  // namespace

TempDir::TempDir() {
  wchar_t base[MAX_PATH];
  ::GetTempPathW(MAX_PATH, base);
  static unsigned counter = 0;
  for (;;) {
    path_ = std::wstring(base) + L"dislist-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
            std::to_wstring(++counter) + L"\\";
    if (::CreateDirectoryW(path_.c_str(), nullptr)) break;
  }
}

TempDir::~TempDir() { RemoveTree(path_); }

}  // namespace testing_support
