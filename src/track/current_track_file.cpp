#include "track/current_track_file.h"

#include <windows.h>

#include "base/file_calls.h"
#include "base/owners.h"
#include "log/log.h"
#include "plugin/plugin.h"

namespace dislist {

FileCalls currentTrackFileCalls = {&::CreateFileW, &::WriteFile};

std::string NamePart(const std::string& fileName) {
  const std::size_t separator = fileName.find_last_of("\\/");
  if (separator == std::string::npos) return fileName;
  return fileName.substr(separator + 1);
}

void WriteCurrentTrackFile(const std::string& fileName) {
  const std::string name = NamePart(fileName);
  if (currentTrackFilePath.empty()) {
    WriteLogLine("CURRENT TRACK FILE: path is empty.");
    return;
  }
  if (name.empty()) {
    WriteLogLine("CURRENT TRACK FILE: filename is empty.");
    return;
  }

  // Full sharing, so a program watching the file never blocks the rewrite.
  UniqueFile file(currentTrackFileCalls.createFile(
      currentTrackFilePath.c_str(), GENERIC_WRITE,
      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, CREATE_ALWAYS,
      FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    const DWORD code = ::GetLastError();
    WriteLogLine("CURRENT TRACK FILE: CreateFileW FAILED.");
    LogWindowsError(code, ErrorReasons::kExplain);
    return;
  }

  const DWORD expected = static_cast<DWORD>(name.size());
  DWORD written = 0;
  if (!currentTrackFileCalls.writeFile(file.get(), name.data(), expected, &written, nullptr)) {
    const DWORD code = ::GetLastError();
    WriteLogLine("CURRENT TRACK FILE: WriteFile FAILED.");
    LogWindowsError(code, ErrorReasons::kOmit);
    return;
  }
  ::FlushFileBuffers(file.get());
  file.reset();

  if (written != expected) {
    WriteLogLine("CURRENT TRACK FILE: INCOMPLETE WRITE.");
    WriteLogLine("EXPECTED BYTES: " + DecimalText(static_cast<std::uint32_t>(expected)));
    WriteLogLine("WRITTEN BYTES: " + DecimalText(static_cast<std::uint32_t>(written)));
    return;
  }
  WriteLogLine("CURRENT TRACK FILE: UPDATED.");
  WriteLogLine("CURRENT TRACK: " + name);
}

}  // namespace dislist
