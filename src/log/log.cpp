#include "log/log.h"
#include "log/log_lines.h"

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

void LogWindowsError(unsigned long code, ErrorReasons reasons) {
  WriteLogLine(log_lines::kWindowsError + DecimalText(static_cast<std::uint32_t>(code)));
  if (reasons == ErrorReasons::kOmit) return;
  if (code == ERROR_ACCESS_DENIED) {
    WriteLogLine(log_lines::kReasonAccessDenied);
    WriteLogLine(log_lines::kAccessDeniedHelp);
  } else if (code == ERROR_PATH_NOT_FOUND) {
    WriteLogLine(log_lines::kReasonPathNotFound);
  }
}

}  // namespace dislist
