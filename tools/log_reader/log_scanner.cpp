#include "log_scanner.h"

#include <algorithm>

#include "base/text_rules.h"

namespace dislist_log {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// The first line without the byte order mark an editor may have saved.
std::string_view WithoutByteOrderMark(std::string_view line, bool first) {
  if (first && line.substr(0, kByteOrderMark.size()) == kByteOrderMark) line.remove_prefix(kByteOrderMark.size());
  return line;
}

}  // namespace

LogScanner::LogScanner(RemovalSink onRemoval) : onRemoval_(std::move(onRemoval)) {}

RunSummary& LogScanner::CurrentRun() {
  if (runs_.empty()) {
    runs_.emplace_back();
    runs_.back().firstLine = lineNumber_;
  }
  return runs_.back();
}

// A banner has just been recognised, beginning at `first` wherever other
// programs' lines fell in between.
void LogScanner::StartRun(std::uint64_t first) {
  AbandonChecks();
  if (!runs_.empty()) {
    runs_.back().lastLine = first - 1;
    // Nothing before the first banner but the banner itself: no run 0.
    if (runs_.back().number == 0 && runs_.back().lastLine < runs_.back().firstLine) runs_.pop_back();
  }
  RunSummary run;
  run.number = runs_.empty() ? 1 : runs_.back().number + 1;
  run.firstLine = first;
  run.lastLine = lineNumber_;
  runs_.push_back(run);
}

void LogScanner::OddAt(std::uint64_t& counter, std::uint64_t line) {
  ++counter;
  NoteExample(line);
}

void LogScanner::NoteExample(std::uint64_t line) {
  auto& examples = odd_.examples;
  if (examples.size() < kExamples && std::find(examples.begin(), examples.end(), line) == examples.end()) {
    examples.push_back(line);
  }
}

void LogScanner::Remember(LineRole role) {
  newest_ = (newest_ + 1) % kHistory;
  previous_[newest_] = Seen{role, lineNumber_};
}

void LogScanner::NextLine() {
  ++lineNumber_;
  CurrentRun().lastLine = lineNumber_;
}

void LogScanner::OnLine(std::string_view line) {
  NextLine();
  line = WithoutByteOrderMark(line, lineNumber_ == 1);

  // Paths stand on the line after their label in the start-up lines.
  if (valueLineExpected_) {
    valueLineExpected_ = false;
    ++pluginLines_;
    if (!dislist::IsValidUtf8(line)) ++notUtf8_;
    Remember(LineRole::kPlain);
    return;
  }
  const LineClass kind = ClassifyLine(line);
  if (!kind.fixed && !dislist::IsValidUtf8(line)) ++notUtf8_;
  if (kind.role == LineRole::kForeign) {
    // Another program's line: it is no part of the plug-in's blocks, so
    // the banner and the checks are recognised around it.
    Odd(odd_.foreign);
    return;
  }
  ++pluginLines_;
  Remember(kind.role);
  if (kind.role == std::end(dislist::log_lines::kRunOpening)[-1]) {
    std::uint64_t first = OpeningLine(dislist::log_lines::kRunOpening);
    if (first == 0) first = OpeningLine(dislist::log_lines::kRunOpening, 1);  // no empty line before it
    if (first != 0) StartRun(first);
  }
  Interpret(line, kind);
}

void LogScanner::Interpret(std::string_view line, const LineClass& kind) {
  if (kind.role == LineRole::kPlain || kind.role == LineRole::kEmpty) return;  // most lines decide nothing
  if (kind.role == LineRole::kPathLabel) {
    valueLineExpected_ = true;
    return;
  }
  if (kind.role == LineRole::kBlockSeparator) {
    // The closing separator of the innermost check, once it has its outcome.
    if (open_ > 0 && checks_[open_ - 1].state == CheckState::kDecided) --open_;
    return;
  }
  if (CountRunEvent(line, kind.role)) return;
  if (kind.role == LineRole::kCheck) {
    OpenCheckBlock();
    return;
  }
  // An outcome outside its block never counts.
  if (!AdvanceCheck(line.substr(kind.valueAt), kind.role)) Odd(odd_.misplaced);
}

// Lines that count for the run wherever they stand.
bool LogScanner::CountRunEvent(std::string_view line, LineRole role) {
  RunSummary& run = CurrentRun();
  switch (role) {
    case LineRole::kReady:
      run.ready = true;
      return true;
    case LineRole::kStartupFailed:
      if (run.startupFailure.empty()) run.startupFailure.assign(line);
      return true;
    case LineRole::kFirstTrack:
    case LineRole::kNewTrack:
      ++run.tracksStarted;
      return true;
    case LineRole::kNoPrevious:
      ++run.noPreviousTrack;
      return true;
    case LineRole::kNoManager:
      ++run.managerUnavailable;
      return true;
    case LineRole::kTrackFileFailed:
      ++run.trackFileFailures;
      return true;
    case LineRole::kAccessDenied:
      // The reason belongs to the current-track file when it follows that
      // failure and its error code, as the plug-in writes them.
      if (Recent(2).role == LineRole::kTrackFileFailed) ++run.trackFileAccessDenied;
      return true;
    case LineRole::kRemoteNotFound:
      run.remoteWindowMissing = true;
      return true;
    default:
      return false;
  }
}

void LogScanner::OverlongLine() {
  NextLine();
  Odd(odd_.overlong);
}

void LogScanner::Finish(std::string_view tail) {
  if (!tail.empty() && tail.back() == '\r') tail.remove_suffix(1);
  if (!tail.empty()) {
    if (IsOutcome(ClassifyLine(WithoutByteOrderMark(tail, lineNumber_ == 0)).role)) {
      OnLine(tail);
    } else {
      odd_.truncatedLastLine = true;
      NextLine();
      NoteExample(lineNumber_);
    }
  }
  AbandonChecks();
}

}  // namespace dislist_log
