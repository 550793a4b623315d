#include "log_tail.h"

#include <windows.h>

#include <utility>

#include "base/owners.h"

namespace standin {

bool ReadFileFrom(const std::wstring& path, std::uint64_t offset, std::string& bytes) {
  dislist::UniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ,
                                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  LARGE_INTEGER start;
  start.QuadPart = static_cast<LONGLONG>(offset);
  if (offset != 0 && !::SetFilePointerEx(file.get(), start, nullptr, FILE_BEGIN)) return false;
  char buffer[65536];
  DWORD read = 0;
  for (;;) {
    if (!::ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr)) return false;
    if (read == 0) return true;
    bytes.append(buffer, read);
  }
}

bool WriteWholeFile(const std::wstring& path, const std::string& bytes) {
  dislist::UniqueFile file(
      ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD written = 0;
  return file && ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
         written == bytes.size();
}

std::uint64_t FileSize(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data = {};
  if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return 0;
  return (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

LogTail::LogTail(std::wstring path) : path_(std::move(path)) { Skip(); }

void LogTail::Skip() { start_ = FileSize(path_); }

std::string LogTail::NewBytes() const {
  std::string bytes;
  ReadFileFrom(path_, start_, bytes);
  return bytes;
}

std::vector<std::string> LogTail::NewLines() const {
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

}  // namespace standin
