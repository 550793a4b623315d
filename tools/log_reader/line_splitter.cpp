#include "line_splitter.h"

#include <algorithm>
#include <cstring>

#include "base/utf16.h"

namespace dislist_log {

namespace {

constexpr wchar_t kReplacement = 0xFFFD;  // for a unit cut by the file's end

}  // namespace

void LineSplitter::Feed(const char* bytes, std::size_t count) {
  if (encoding_ == Encoding::kUnknown) {
    // Two bytes tell: FF FE or FE FF can begin no UTF-8 text.
    const std::size_t take = std::min(count, 2 - head_.size());
    head_.append(bytes, take);
    bytes += take;
    count -= take;
    if (head_.size() < 2) return;
    if (head_ == "\xFF\xFE") {
      encoding_ = Encoding::kUtf16Le;
    } else if (head_ == "\xFE\xFF") {
      encoding_ = Encoding::kUtf16Be;
    } else {
      encoding_ = Encoding::kUtf8;
      FeedText(head_.data(), head_.size());
    }
  }
  if (encoding_ == Encoding::kUtf8) {
    FeedText(bytes, count);
  } else {
    FeedUtf16(bytes, count);
  }
}

// The units are gathered and converted by the shared conversion (an
// unpaired surrogate becomes U+FFFD there); a unit cut between two chunks,
// and a pair's first unit at a chunk's end, wait for the next chunk.
void LineSplitter::FeedUtf16(const char* bytes, std::size_t count) {
  units_.clear();
  if (heldUnit_ != 0) units_.push_back(heldUnit_);
  heldUnit_ = 0;
  const bool little = encoding_ == Encoding::kUtf16Le;
  for (std::size_t at = 0; at < count; ++at) {
    const auto byte = static_cast<unsigned char>(bytes[at]);
    if (carryByte_ < 0) {
      carryByte_ = byte;
      continue;
    }
    const unsigned unit = little ? (byte << 8 | static_cast<unsigned>(carryByte_))
                                 : (static_cast<unsigned>(carryByte_) << 8 | byte);
    carryByte_ = -1;
    units_.push_back(static_cast<wchar_t>(unit));
  }
  if (!units_.empty() && units_.back() >= 0xD800 && units_.back() <= 0xDBFF) {
    heldUnit_ = units_.back();
    units_.pop_back();
  }
  const std::size_t length = dislist::WideToUtf8Into(units_.data(), units_.size(), utf8_);
  FeedText(utf8_.data(), length);
}

// The first line end decides for the whole file: the plug-in ends every line
// with CR LF, so a CR on its own means a file saved again with CR ends, and
// a CR inside a line of an LF file stays text.
void LineSplitter::DecideLineEnd(const char* bytes, std::size_t count) {
  if (crEndedLastChunk_ && count > 0) {
    crEndedLastChunk_ = false;
    if (bytes[0] == '\n') {
      lineEnd_ = LineEnd::kLf;
    } else {
      lineEnd_ = LineEnd::kCr;
      if (!cutting_ && !pending_.empty()) pending_.pop_back();  // the CR that ended it
      EndPendingLine();
    }
    return;
  }
  for (std::size_t at = 0; at < count; ++at) {
    if (bytes[at] == '\n') {
      lineEnd_ = LineEnd::kLf;
      return;
    }
    if (bytes[at] != '\r') continue;
    if (at + 1 == count) {
      crEndedLastChunk_ = true;
    } else {
      lineEnd_ = bytes[at + 1] == '\n' ? LineEnd::kLf : LineEnd::kCr;
    }
    return;
  }
}

void LineSplitter::EndPendingLine() {
  if (cutting_) {
    scanner_.OverlongLine();
  } else {
    if (lineEnd_ != LineEnd::kCr && !pending_.empty() && pending_.back() == '\r') pending_.pop_back();
    scanner_.OnLine(pending_);
  }
  pending_.clear();
  cutting_ = false;
}

void LineSplitter::FeedText(const char* bytes, std::size_t count) {
  if (lineEnd_ == LineEnd::kUnknown) DecideLineEnd(bytes, count);
  const char end = lineEnd_ == LineEnd::kCr ? '\r' : '\n';
  std::size_t at = 0;
  while (at < count) {
    const char* found = static_cast<const char*>(std::memchr(bytes + at, end, count - at));
    const std::size_t stop = found ? static_cast<std::size_t>(found - bytes) : count;
    if (found != nullptr && pending_.empty() && !cutting_ && stop - at <= kLongestLine) {
      // The whole line lies in this chunk: no copy.
      std::string_view line(bytes + at, stop - at);
      if (end == '\n' && !line.empty() && line.back() == '\r') line.remove_suffix(1);
      scanner_.OnLine(line);
      at = stop + 1;
      continue;
    }
    if (!cutting_) {
      const std::size_t room = kLongestLine - std::min(kLongestLine, pending_.size());
      pending_.append(bytes + at, std::min(room, stop - at));
      if (stop - at > room) cutting_ = true;
    }
    if (found == nullptr) return;
    EndPendingLine();
    at = stop + 1;
  }
}

void LineSplitter::Finish() {
  if (encoding_ == Encoding::kUnknown) {
    encoding_ = Encoding::kUtf8;
    FeedText(head_.data(), head_.size());
  }
  if (carryByte_ >= 0 || heldUnit_ != 0) {
    // A file cut inside a character: its last unit is unreadable.
    const wchar_t replacement = kReplacement;
    carryByte_ = -1;
    heldUnit_ = 0;
    const std::size_t length = dislist::WideToUtf8Into(&replacement, 1, utf8_);
    FeedText(utf8_.data(), length);
  }
  if (crEndedLastChunk_) {
    // The file's one line end is the CR it ends with.
    lineEnd_ = LineEnd::kCr;
    if (!cutting_ && !pending_.empty()) pending_.pop_back();
    EndPendingLine();
  }
  scanner_.Finish(pending_);
}

}  // namespace dislist_log
