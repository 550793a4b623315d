#include "log/log.h"

#include <share.h>
#include <windows.h>

#include <climits>
#include <cstdio>

#include "base/owners.h"

namespace dislist {

// Binary append with deny-none sharing: the line is encoded here (CR LF) and
// handed over in one write, then the file is closed so the line is on disk
// when the call returns and nothing stays open between lines.
void WriteLogLine(const std::string& message) noexcept {
  try {
    const std::string line = EncodeLogLine(message);
    UniqueStdioFile file(_wfsopen(kLogFilePath, L"ab", _SH_DENYNO));
    if (!file) return;
    std::fwrite(line.data(), 1, line.size(), file.get());
  } catch (...) {
    // Out of memory while building the line: the line is lost, as any
    // other failure to log.
  }
}

std::string WideToUtf8(const wchar_t* text, std::size_t count) {
  if (text == nullptr || count == 0 || count > static_cast<std::size_t>(INT_MAX)) return {};
  const int units = static_cast<int>(count);
  const int bytes = ::WideCharToMultiByte(CP_UTF8, 0, text, units, nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) return {};
  std::string result(static_cast<std::size_t>(bytes), '\0');
  // Keep only what the second call wrote, should it write less.
  const int written = ::WideCharToMultiByte(CP_UTF8, 0, text, units, &result[0], bytes, nullptr, nullptr);
  result.resize(written > 0 ? static_cast<std::size_t>(written) : 0);
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
