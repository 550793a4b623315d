// Turns a log file's bytes into the scanner's lines. Reads the plug-in's
// UTF-8 (with or without a byte order mark) and the forms an editor may save
// it in again: UTF-16 with its byte order mark, and lone CR line ends.
// Pure: bytes in, lines out.
#pragma once

#include <cstddef>
#include <string>

#include "log/log_lines.h"
#include "log_scanner.h"

namespace dislist_log {

class LineSplitter {
 public:
  explicit LineSplitter(LogScanner& scanner) : scanner_(scanner) {}
  LineSplitter(const LineSplitter&) = delete;
  LineSplitter& operator=(const LineSplitter&) = delete;

  // The file's bytes, in chunks of any size.
  void Feed(const char* bytes, std::size_t count);
  void Finish();

  // Every line the plug-in can write is read whole; a longer one is cut and
  // counted as overlong.
  static constexpr std::size_t kLongestLine = dislist::log_lines::kLongestLine;

 private:
  enum class Encoding { kUnknown, kUtf8, kUtf16Le, kUtf16Be };
  // Decided by the file's first line end: LF or CR LF, or a lone CR.
  enum class LineEnd { kUnknown, kLf, kCr };

  void FeedUtf16(const char* bytes, std::size_t count);
  void FeedText(const char* bytes, std::size_t count);
  void DecideLineEnd(const char* bytes, std::size_t count);
  void EndPendingLine();

  LogScanner& scanner_;
  Encoding encoding_ = Encoding::kUnknown;
  LineEnd lineEnd_ = LineEnd::kUnknown;
  bool crEndedLastChunk_ = false;  // while the line end is unknown
  std::string head_;               // the first bytes, until the encoding is known
  std::string pending_;            // a line that has not ended yet
  bool cutting_ = false;
  std::wstring units_;             // one chunk's UTF-16 units
  std::string utf8_;               // those converted; reused, never shrinks
  int carryByte_ = -1;             // a UTF-16 unit's first byte, from the last chunk
  wchar_t heldUnit_ = 0;           // a pair's first unit, from the last chunk
};

}  // namespace dislist_log
