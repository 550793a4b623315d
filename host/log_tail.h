// Files as bytes, and the tail of the plug-in's log: what the stand-in
// player, the tests and the benchmarks read back after the plug-in ran.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/names.h"

namespace standin {

// Appends the file's bytes from `offset` to its end. False, with the
// failed call's error in GetLastError, when it cannot be opened or read.
bool ReadFileFrom(const std::wstring& path, std::uint64_t offset, std::string& bytes);
// Makes the file hold exactly these bytes; false when any step fails.
bool WriteWholeFile(const std::wstring& path, const std::string& bytes);
// The file's size now; 0 when it cannot be had.
std::uint64_t FileSize(const std::wstring& path);

// What was appended to a log since a point. The log keeps growing across
// runs, so only its size is taken at that point, and only the new bytes are
// read after.
class LogTail {
 public:
  explicit LogTail(std::wstring path = dislist::kLogFilePath);

  std::string NewBytes() const;
  // The new bytes split at CR LF; a last line with no line end is kept,
  // marked "<no line end>".
  std::vector<std::string> NewLines() const;
  // Moves the point to the log's end now.
  void Skip();

 private:
  std::wstring path_;
  std::uint64_t start_ = 0;
};

}  // namespace standin
