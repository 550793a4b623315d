#include "log/log.h"

#include <windows.h>

#include <climits>

#include "base/file_calls.h"
#include "base/owners.h"

namespace dislist {

FileCalls logFileCalls = {&::CreateFileW, &::WriteFile};

// Opened per line for appending only, so the system puts every write at the
// file's end at the moment it happens, even while another program appends
// too; the encoded line (CR LF) goes out in one write, whatever its length.
// Full sharing, so readers and other appenders are never locked out. Closed
// before returning: the line is on disk and nothing stays open between lines.
void WriteLogLine(const std::string& message) noexcept {
  try {
    const std::string line = EncodeLogLine(message);
    if (line.size() > MAXDWORD) return;
    UniqueFile file(logFileCalls.createFile(kLogFilePath, FILE_APPEND_DATA,
                                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                            nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return;
    DWORD written = 0;
    logFileCalls.writeFile(file.get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
  } catch (...) {
    // Out of memory while building the line: the line is lost, as any
    // other failure to log.
  }
}

// One converter call, into room for the largest result: three bytes per
// UTF-16 unit, as far as the converter can count.
std::size_t WideToUtf8Into(const wchar_t* text, std::size_t count, std::string& buffer) {
  if (text == nullptr || count == 0 || count > static_cast<std::size_t>(INT_MAX)) return 0;
  const std::size_t room = count > static_cast<std::size_t>(INT_MAX / 3) ? INT_MAX : 3 * count;
  if (buffer.size() < room) buffer.resize(room);
  const int written = ::WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(count), &buffer[0],
                                            static_cast<int>(room), nullptr, nullptr);
  return written > 0 ? static_cast<std::size_t>(written) : 0;
}

// Only what the converter wrote is kept.
std::string WideToUtf8(const wchar_t* text, std::size_t count) {
  std::string result;
  result.resize(WideToUtf8Into(text, count, result));
  return result;
}

void LogWindowsError(unsigned long code, ErrorReasons reasons) {
  WriteLogLine("WINDOWS ERROR: " + DecimalText(static_cast<std::uint32_t>(code)));
  if (reasons == ErrorReasons::kOmit) return;
  if (code == ERROR_ACCESS_DENIED) {
    WriteLogLine("REASON: ACCESS DENIED.");
    WriteLogLine("Windows does not allow writing to the plugin folder.");
  } else if (code == ERROR_PATH_NOT_FOUND) {
    WriteLogLine("REASON: PATH NOT FOUND.");
  }
}

}  // namespace dislist
