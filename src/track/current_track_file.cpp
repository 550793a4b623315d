#include "track/current_track_file.h"

#include <windows.h>

#include "base/file_calls.h"
#include "base/owners.h"
#include "log/log.h"
#include "log/log_lines.h"
#include "plugin/plugin.h"

namespace dislist {

FileCalls currentTrackFileCalls = {&::CreateFileW, &::WriteFile};

void WriteCurrentTrackFile(const std::string& fileName) {
  const std::string_view name = NamePart(fileName);
  if (currentTrackFilePath.empty()) {
    WriteLogLine(log_lines::kTrackFilePathEmpty);
    return;
  }
  if (name.empty()) {
    WriteLogLine(log_lines::kTrackFileNameEmpty);
    return;
  }

  // Full sharing, so a program watching the file never blocks the rewrite.
  UniqueFile file(currentTrackFileCalls.createFile(
      currentTrackFilePath.c_str(), GENERIC_WRITE,
      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, CREATE_ALWAYS,
      FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    const DWORD code = ::GetLastError();
    WriteLogLine(log_lines::kTrackFileCreateFailed);
    LogWindowsError(code, ErrorReasons::kExplain);
    return;
  }

  const DWORD expected = static_cast<DWORD>(name.size());
  DWORD written = 0;
  if (!currentTrackFileCalls.writeFile(file.get(), name.data(), expected, &written, nullptr)) {
    const DWORD code = ::GetLastError();
    WriteLogLine(log_lines::kTrackFileWriteFailed);
    LogWindowsError(code, ErrorReasons::kOmit);
    return;
  }
  ::FlushFileBuffers(file.get());
  file.reset();

  if (written != expected) {
    WriteLogLine(log_lines::kTrackFileIncomplete);
    WriteLogLine(log_lines::kExpectedBytes + DecimalText(static_cast<std::uint32_t>(expected)));
    WriteLogLine(log_lines::kWrittenBytes + DecimalText(static_cast<std::uint32_t>(written)));
    return;
  }
  WriteLogLine(log_lines::kTrackFileUpdated);
  WriteLogLine(std::string(log_lines::kTrackFileName).append(name.data(), name.size()));
}

}  // namespace dislist
