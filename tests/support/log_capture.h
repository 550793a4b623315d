// Reads what the plug-in appends to its fixed log during one test.
#pragma once

#include <string>
#include <vector>

#include "base/names.h"
#include "log_tail.h"

namespace testing_support {

inline constexpr const wchar_t* kLogFolder = dislist::kLogFolder;
inline constexpr const wchar_t* kLogFile = dislist::kLogFilePath;

// Whole content of a file as bytes; empty when it cannot be read.
std::string ReadFileBytes(const std::wstring& path);
// Makes the file hold exactly these bytes; fails the test when it cannot.
void WriteFileBytes(const std::wstring& path, const std::string& bytes);
bool FileExists(const std::wstring& path);
// Whether any file matches a wildcard pattern such as L"C:\\x\\*.tmp": what a
// tool that writes through a temporary file must never leave behind.
bool AnyFileMatches(const std::wstring& pattern);

class LogCapture {
 public:
  // Makes sure the log folder exists and remembers where the log ends now.
  LogCapture();

  // The bytes appended since construction (or the last Skip).
  std::string NewBytes() const { return tail_.NewBytes(); }
  // The same, split at CR LF; the final line end closes the last line.
  std::vector<std::string> NewLines() const { return tail_.NewLines(); }
  // Forget what was logged so far.
  void Skip() { tail_.Skip(); }

 private:
  standin::LogTail tail_;
};

}  // namespace testing_support
