#include "support/log_capture.h"

#include <gtest/gtest.h>

#include <windows.h>

#include "base/owners.h"

namespace testing_support {

std::string ReadFileBytes(const std::wstring& path) {
  dislist::UniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ,
                                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                         nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return {};
  std::string bytes;
  char buffer[65536];
  DWORD read = 0;
  while (::ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr) && read > 0) {
    bytes.append(buffer, read);
  }
  return bytes;
}

void WriteFileBytes(const std::wstring& path, const std::string& bytes) {
  dislist::UniqueFile file(
      ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD written = 0;
  ASSERT_TRUE(file.valid() && ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()),
                                          &written, nullptr) &&
              written == bytes.size())
      << "cannot write a test file";
}

bool FileExists(const std::wstring& path) {
  return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

LogCapture::LogCapture() {
  ::CreateDirectoryW(kLogFolder, nullptr);
  Skip();
}

void LogCapture::Skip() { start_ = ReadFileBytes(kLogFile).size(); }

std::string LogCapture::NewBytes() const {
  const std::string all = ReadFileBytes(kLogFile);
  return all.size() > start_ ? all.substr(start_) : std::string();
}

std::vector<std::string> LogCapture::NewLines() const {
  const std::string bytes = NewBytes();
  std::vector<std::string> lines;
  std::size_t begin = 0;
  while (begin < bytes.size()) {
    const std::size_t end = bytes.find("\r\n", begin);
    if (end == std::string::npos) {
      lines.push_back(bytes.substr(begin) + "<no line end>");
      break;
    }
    lines.push_back(bytes.substr(begin, end - begin));
    begin = end + 2;
  }
  return lines;
}

}  // namespace testing_support
