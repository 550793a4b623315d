// Reads the plug-in's log line by line and tells what happened in it: runs of
// the player, tracks started, and each removal decision. Pure: lines in,
// events out, no file access, so it is tested and fed in any way. It keeps
// only counters and a few lines of context, so logs of any size stream
// through it.
#pragma once

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "line_classifier.h"

namespace dislist_log {

// One run of the player: from one start-up banner to the next. Lines before
// the first banner (a log folder made while the player ran, a trimmed log)
// are a run of their own, number 0.
struct RunSummary {
  int number = 0;               // from 1; 0 collects what comes before the first banner
  std::uint64_t firstLine = 0;  // line numbers from 1
  std::uint64_t lastLine = 0;
  std::uint64_t tracksStarted = 0;
  std::uint64_t removed = 0;
  std::uint64_t keptByMarker = 0;
  std::uint64_t notFound = 0;
  std::uint64_t refused = 0;
  std::uint64_t playlistUnavailable = 0;  // no playing playlist
  std::uint64_t managerUnavailable = 0;   // "PLAYLIST DELETE: playlist manager unavailable."
  std::uint64_t noPreviousTrack = 0;      // "PLAYLIST DELETE: no previous track."
  std::uint64_t trackFileFailures = 0;    // the current-track file not made or not written
  std::uint64_t trackFileAccessDenied = 0;  // of those, refused with access denied
  bool ready = false;                     // the start-up logged "PLUGIN READY."
  bool remoteWindowMissing = false;       // AIMP's Remote Access window was not found
  std::string startupFailure;             // the line that ended a failed start-up
};

struct Removal {
  int run = 0;
  std::uint64_t line = 0;  // line of the SUCCESS line
  std::string fileName;    // as the log recorded the item's file name
  std::string displayText;
};

// A removal check that never got its outcome: the player stopped or died in
// it. Named so that its entry can be looked for by hand.
struct UnfinishedCheck {
  std::uint64_t line = 0;    // the check's first line
  std::string previousFile;  // the file it was looking for
  std::string fileName;      // the item it found, if it got that far
};

// Lines the scanner could not place, reported rather than dropped.
struct OddLines {
  std::uint64_t foreign = 0;           // not a line the plug-in writes
  std::uint64_t misplaced = 0;         // a plug-in line out of its block
  std::uint64_t unfinishedBlocks = 0;  // a removal check with no outcome
  std::uint64_t overlong = 0;          // longer than any plug-in line could be
  bool truncatedLastLine = false;      // the file ends inside a line
  std::vector<std::uint64_t> examples;  // the first few odd lines, each once
  std::vector<UnfinishedCheck> unfinished;  // the first few unfinished checks
};

class LogScanner {
 public:
  using RemovalSink = std::function<void(const Removal&)>;
  explicit LogScanner(RemovalSink onRemoval = nullptr);

  // One complete line, without its line end.
  void OnLine(std::string_view line);
  // A line too long to be the plug-in's, cut by the splitter.
  void OverlongLine();
  // End of input; `tail` is what followed the last line end (empty when the
  // file ended cleanly). The plug-in writes each line with its line end in
  // one write, so a tail that is a whole outcome line proves that outcome;
  // anything else is a half-written line, counted, never interpreted.
  void Finish(std::string_view tail);

  const std::vector<RunSummary>& runs() const { return runs_; }
  const OddLines& odd() const { return odd_; }
  std::uint64_t lines() const { return lineNumber_; }
  // Lines that are the plug-in's own, by its list of lines.
  std::uint64_t pluginLines() const { return pluginLines_; }
  // Lines that are not valid UTF-8 (a log saved again in another encoding).
  std::uint64_t notUtf8() const { return notUtf8_; }

 private:
  // How far a removal check has come.
  enum class CheckState { kLooking, kFound, kDeleting, kDecided };
  struct OpenCheck {
    std::uint64_t firstLine = 0;
    CheckState state = CheckState::kLooking;
    bool haveFileName = false;
    bool haveDisplayText = false;
    std::string previousFile;
    std::string fileName;
    std::string displayText;
  };
  // A check's course: an outcome line is taken only in the state it needs,
  // moves the check on, and is counted in its run where it is an outcome.
  struct CheckStep {
    LineRole role;
    CheckState from, to;
    std::uint64_t RunSummary::*count;  // null for a step on the way
  };
  static const CheckStep* StepOf(LineRole role);
  struct Seen {  // a plug-in line of the recent past
    LineRole role = LineRole::kForeign;
    std::uint64_t line = 0;
  };
  // As many of the plug-in's lines as the longest opening has.
  static constexpr std::size_t kHistory =
      std::max(std::size(dislist::log_lines::kRunOpening), std::size(dislist::log_lines::kCheckOpening));

  void StartRun(std::uint64_t firstLine);
  // The first line of the opening `shape` (from its element `from` on) when
  // the plug-in's latest lines, this one last, are that shape; 0 when not.
  // Other programs' lines in between are no part of the history.
  template <std::size_t N>
  std::uint64_t OpeningLine(const LineRole (&shape)[N], std::size_t from = 0) const {
    static_assert(N <= kHistory, "the history holds the whole opening");
    const std::size_t length = N - from;
    for (std::size_t i = 0; i < length; ++i) {
      if (Recent(i).role != shape[N - 1 - i]) return 0;
    }
    return Recent(length - 1).line;
  }
  RunSummary& CurrentRun();
  void NextLine();
  void OddAt(std::uint64_t& counter, std::uint64_t line);
  void NoteExample(std::uint64_t line);  // each line once, the first few
  void Odd(std::uint64_t& counter) { OddAt(counter, lineNumber_); }
  void AbandonChecks();
  OpenCheck* Innermost();
  void Remember(LineRole role);
  void Interpret(std::string_view line, const LineClass& kind);
  bool CountRunEvent(std::string_view line, LineRole role);
  void OpenCheckBlock();
  bool AdvanceCheck(std::string_view value, LineRole role);

  // How many odd lines and unfinished checks are given by their lines.
  static constexpr std::size_t kExamples = 10;

  RemovalSink onRemoval_;
  std::vector<RunSummary> runs_;
  OddLines odd_;
  std::uint64_t lineNumber_ = 0;
  std::uint64_t pluginLines_ = 0;
  std::uint64_t notUtf8_ = 0;
  // The plug-in's last lines in a ring; Recent(0) is this one. A ring, not
  // a shifted array: every line of a long log passes through it.
  Seen previous_[kHistory] = {};
  std::size_t newest_ = 0;
  const Seen& Recent(std::size_t age) const { return previous_[(newest_ + kHistory - age) % kHistory]; }
  bool valueLineExpected_ = false;
  // Checks open now, outermost first, in the first `open_` places: the
  // plug-in's earlier versions could open one inside another.
  std::vector<OpenCheck> checks_;
  std::size_t open_ = 0;
};

}  // namespace dislist_log
