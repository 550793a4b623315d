// Reads what the plug-in appends to its fixed log during one test.
#pragma once

#include <string>
#include <vector>

#include "base/names.h"

namespace testing_support {

inline constexpr wchar_t kLogFolder[] = L"C:\\AIMPPlugin";
inline constexpr const wchar_t* kLogFile = dislist::kLogFilePath;

// Whole content of a file as bytes; empty when it cannot be read.
std::string ReadFileBytes(const std::wstring& path);
// Makes the file hold exactly these bytes; fails the test when it cannot.
void WriteFileBytes(const std::wstring& path, const std::string& bytes);
bool FileExists(const std::wstring& path);

class LogCapture {
 public:
  // Makes sure the log folder exists and remembers where the log ends now.
  LogCapture();

  // The bytes appended since construction (or the last Skip).
  std::string NewBytes() const;
  // The same, split at CR LF; the final line end closes the last line.
  std::vector<std::string> NewLines() const;
  // Forget what was logged so far.
  void Skip();

 private:
  std::size_t start_ = 0;
};

}  // namespace testing_support
