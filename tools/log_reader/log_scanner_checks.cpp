// The removal checks of the log: opened, advanced line by line to their
// outcome, and given up when a new start-up cuts them off.
#include <algorithm>

#include "log_scanner.h"

namespace dislist_log {

namespace {

// Deeper nesting than any log of the plug-in holds: the oldest is given up.
constexpr std::size_t kDeepestNesting = 64;

}  // namespace

// Every check still open has ended without its outcome: not a removal,
// whatever it found. Each is reported at its own first line.
void LogScanner::AbandonChecks() {
  for (std::size_t i = 0; i < open_; ++i) {
    const OpenCheck& check = checks_[i];
    if (check.state == CheckState::kDecided) continue;
    OddAt(odd_.unfinishedBlocks, check.firstLine);
    if (odd_.unfinished.size() < kExamples) {
      odd_.unfinished.push_back(UnfinishedCheck{check.firstLine, check.previousFile, check.fileName});
    }
  }
  open_ = 0;
}

// The check that an outcome line belongs to: the innermost one that has no
// outcome yet.
LogScanner::OpenCheck* LogScanner::Innermost() {
  for (std::size_t i = open_; i > 0; --i) {
    if (checks_[i - 1].state != CheckState::kDecided) return &checks_[i - 1];
  }
  return nullptr;
}

void LogScanner::OpenCheckBlock() {
  if (open_ == kDeepestNesting) {
    std::rotate(checks_.begin(), checks_.begin() + 1, checks_.begin() + static_cast<std::ptrdiff_t>(open_));
    --open_;
    Odd(odd_.unfinishedBlocks);
  }
  if (open_ == checks_.size()) checks_.emplace_back();
  // Reused with its storage: a long log opens a check per track.
  OpenCheck& opened = checks_[open_++];
  opened.state = CheckState::kLooking;
  opened.haveFileName = opened.haveDisplayText = false;
  opened.previousFile.clear();
  opened.fileName.clear();
  opened.displayText.clear();
  // The block began with its empty line and separator, when both are there.
  opened.firstLine = OpeningLine(dislist::log_lines::kCheckOpening);
  if (opened.firstLine == 0) opened.firstLine = lineNumber_;
}

const LogScanner::CheckStep* LogScanner::StepOf(LineRole role) {
  static constexpr CheckStep kSteps[] = {
      {LineRole::kNotFound, CheckState::kLooking, CheckState::kDecided, &RunSummary::notFound},
      {LineRole::kNoPlaylist, CheckState::kLooking, CheckState::kDecided, &RunSummary::playlistUnavailable},
      {LineRole::kFound, CheckState::kLooking, CheckState::kFound, nullptr},
      {LineRole::kSkipped, CheckState::kFound, CheckState::kDecided, &RunSummary::keptByMarker},
      {LineRole::kDeleting, CheckState::kFound, CheckState::kDeleting, nullptr},
      {LineRole::kSuccess, CheckState::kDeleting, CheckState::kDecided, &RunSummary::removed},
      {LineRole::kFailed, CheckState::kDeleting, CheckState::kDecided, &RunSummary::refused},
  };
  for (const CheckStep& step : kSteps) {
    if (step.role == role) return &step;
  }
  return nullptr;
}

// A line of the innermost open check; false for an outcome that has no
// check in the state it needs.
bool LogScanner::AdvanceCheck(std::string_view value, LineRole role) {
  OpenCheck* check = Innermost();
  const CheckState state = check != nullptr ? check->state : CheckState::kDecided;
  RunSummary& run = CurrentRun();
  switch (role) {
    case LineRole::kPreviousFile:
      if (state == CheckState::kLooking && check->previousFile.empty()) check->previousFile.assign(value);
      return true;
    case LineRole::kFileName:  // also the track report's line: only the found item's counts
      if (state == CheckState::kFound && !check->haveFileName) {
        check->fileName.assign(value);
        check->haveFileName = true;
      }
      return true;
    case LineRole::kDisplayText:
      if (state == CheckState::kFound && check->haveFileName && !check->haveDisplayText) {
        check->displayText.assign(value);
        check->haveDisplayText = true;
      }
      return true;
    default:
      break;
  }
  const CheckStep* step = StepOf(role);
  if (step == nullptr) return true;
  if (check == nullptr || state != step->from) return false;
  check->state = step->to;
  if (step->count != nullptr) ++(run.*step->count);
  if (role == LineRole::kSuccess && onRemoval_) {
    onRemoval_(Removal{run.number, lineNumber_, check->fileName, check->displayText});
  }
  return true;
}

}  // namespace dislist_log
