// Reads the plug-in's log line by line and tells what happened in it: runs of
// the player, tracks started, and each removal decision. Pure: lines in,
// events out, no file access, so it is tested and fed in any way. It keeps
// only counters and a few lines of context, so logs of any size stream
// through it.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace dislist_log {

// One run of the player: from one start-up banner to the next.
struct RunSummary {
  int number = 0;               // from 1; 0 collects what comes before the first banner
  std::uint64_t firstLine = 0;  // line numbers from 1
  std::uint64_t lastLine = 0;
  std::uint64_t tracksStarted = 0;
  std::uint64_t removed = 0;
  std::uint64_t keptByMarker = 0;
  std::uint64_t notFound = 0;
  std::uint64_t refused = 0;
  std::uint64_t playlistUnavailable = 0;
};

struct Removal {
  int run = 0;
  std::uint64_t line = 0;  // line of the SUCCESS line
  std::string fileName;    // as the log recorded the item's file name
  std::string displayText;
};

// Lines the scanner could not place, reported rather than dropped.
struct OddLines {
  std::uint64_t foreign = 0;           // not a line the plug-in writes
  std::uint64_t misplaced = 0;         // a plug-in line out of its block
  std::uint64_t unfinishedBlocks = 0;  // a removal check with no outcome
  std::uint64_t overlong = 0;          // longer than any plug-in line could be
  bool truncatedLastLine = false;      // the file ends inside a line
  std::vector<std::uint64_t> examples;  // the first few odd line numbers
};

class LogScanner {
 public:
  using RemovalSink = std::function<void(const Removal&)>;
  explicit LogScanner(RemovalSink onRemoval = nullptr);

  // One complete line, without its line end.
  void Line(std::string_view line);
  // A line too long to be the plug-in's, cut by the splitter.
  void OverlongLine();
  // End of input; `tail` is what followed the last line end (empty when the
  // file ended cleanly). A half-written line is counted, never interpreted.
  void Finish(std::string_view tail);

  const std::vector<RunSummary>& runs() const { return runs_; }
  const OddLines& odd() const { return odd_; }
  std::uint64_t lines() const { return lineNumber_; }

 private:
  enum class Block { kNone, kCheck, kFound, kDeleting, kOutcome };
  void StartRun();
  RunSummary& Current();
  void Odd(std::uint64_t& counter);
  void CloseCheck(bool interrupted);
  void Remember(int kind);

  RemovalSink onRemoval_;
  std::vector<RunSummary> runs_;
  OddLines odd_;
  std::uint64_t lineNumber_ = 0;
  int previous_[3] = {};  // kinds of the last three lines, newest first
  bool valueLineExpected_ = false;
  Block block_ = Block::kNone;
  std::string foundFileName_;
  std::string foundDisplayText_;
};

// Splits a byte stream into lines (LF, with a CR before it dropped) and
// feeds them to the scanner; overlong lines are cut and counted.
class LineSplitter {
 public:
  explicit LineSplitter(LogScanner& scanner) : scanner_(scanner) {}
  void Feed(const char* bytes, std::size_t count);
  void Finish() { scanner_.Finish(pending_); }

 private:
  static constexpr std::size_t kLongestLine = 1 << 16;
  LogScanner& scanner_;
  std::string pending_;
  bool cutting_ = false;
};

}  // namespace dislist_log
