#include "support/log_capture.h"

#include <gtest/gtest.h>

#include <windows.h>

#include "base/owners.h"

namespace testing_support {

std::string ReadFileBytes(const std::wstring& path) {
  std::string bytes;
  if (!standin::ReadFileFrom(path, 0, bytes)) return {};
  return bytes;
}

void WriteFileBytes(const std::wstring& path, const std::string& bytes) {
  ASSERT_TRUE(standin::WriteWholeFile(path, bytes)) << "cannot write a test file (error " << ::GetLastError() << ")";
}

bool FileExists(const std::wstring& path) {
  return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool AnyFileMatches(const std::wstring& pattern) {
  WIN32_FIND_DATAW found = {};
  return dislist::UniqueFind(::FindFirstFileW(pattern.c_str(), &found)).valid();
}

namespace {

// The log's path, once its folder exists: the tail takes the log's size
// only after that.
const wchar_t* LogInItsFolder() {
  ::CreateDirectoryW(kLogFolder, nullptr);
  return kLogFile;
}

}  // namespace

LogCapture::LogCapture() : tail_(LogInItsFolder()) {}

}  // namespace testing_support
