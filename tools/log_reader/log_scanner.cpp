#include "log_scanner.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>

namespace dislist_log {

namespace {

// What a line is, as far as the reader cares. Fixed lines are told apart by
// a hash lookup and value lines by their label, so each line costs about
// one lookup whatever the number of formats.
enum Kind {
  kForeign = 0,
  kPlain,         // a plug-in line that decides nothing here
  kEmpty,
  kEquals,
  kDisplayName,   // "AIMP Dislist"
  kInitialized,   // "Plugin initialized."
  kPathLabel,     // a label whose value stands on the next line
  kFirstTrack,
  kNewTrack,
  kCheck,
  kNotFound,
  kNoPlaylist,
  kFound,
  kSkipped,
  kDeleting,
  kSuccess,
  kFailed,
  kFileName,      // "FILENAME: "
  kDisplayText,   // "DISPLAYTEXT: "
};

const std::unordered_map<std::string_view, Kind>& FixedLines() {
  static const std::unordered_map<std::string_view, Kind> lines = [] {
    std::unordered_map<std::string_view, Kind> map;
    for (const char* plain :
         {"Remote Access + Playlist deletion.", "NO IAIMPMessageHook.", "NO worker thread.",
          "NO IAIMPServicePlayer.", "Physical file deletion: NO.", "!DELETE protection: YES.",
          "ERROR: IAIMPCore is NULL.", "ERROR: GetModuleHandleExW FAILED.",
          "ERROR: GetModuleFileNameW FAILED.", "ERROR: Unable to determine DLL folder.",
          "CURRENT TRACK FILE: INITIAL CREATE SUCCESS.", "CURRENT TRACK FILE: INITIAL CREATE FAILED.",
          "REASON: ACCESS DENIED.", "Windows does not allow writing to the plugin folder.",
          "REASON: PATH NOT FOUND.", "ERROR: Playlist manager unavailable.", "Playlist manager: OK.",
          "REMOTE: notification window creation FAILED.", "REMOTE: registration FAILED.",
          "PLUGIN READY.", "PLAYLIST DELETE: ENABLED.", "PHYSICAL DELETE: DISABLED.",
          "!DELETE PROTECTION: ENABLED.", "Waiting for track notifications...", "Finalize called.",
          "Finalize finished.", "REMOTE: notification unregistered.", "REMOTE: CreateWindowExW FAILED.",
          "REMOTE: notification window created.", "REMOTE: AIMP Remote Access window NOT FOUND.",
          "REMOTE: AIMP Remote Access window found.", "REMOTE: AIMP_RA_NOTIFY_TRACK_START",
          "REMOTE: AIMP_RA_NOTIFY_TRACK_INFO", "REMOTE: OpenFileMappingA failed.",
          "REMOTE: MapViewOfFile failed.", "REMOTE: track info record out of bounds.",
          "CURRENT TRACK FILE: path is empty.", "CURRENT TRACK FILE: filename is empty.",
          "CURRENT TRACK FILE: CreateFileW FAILED.", "CURRENT TRACK FILE: WriteFile FAILED.",
          "CURRENT TRACK FILE: INCOMPLETE WRITE.", "CURRENT TRACK FILE: UPDATED.", "CURRENT TRACK",
          "PLAYLIST DELETE: no previous track.", "PLAYLIST DELETE: playlist manager unavailable.",
          "REASON: !DELETE marker found.", "PHYSICAL FILE: untouched.", "PLAYLIST ITEM: untouched.",
          "PHYSICAL DELETE: NO.", "----------------------------------------"}) {
      map.emplace(plain, kPlain);
    }
    map.emplace("", kEmpty);
    map.emplace("========================================", kEquals);
    map.emplace("AIMP Dislist", kDisplayName);
    map.emplace("Plugin initialized.", kInitialized);
    map.emplace("PLUGIN DLL FOLDER:", kPathLabel);
    map.emplace("CURRENT TRACK FILE PATH:", kPathLabel);
    map.emplace("CURRENT TRACK FILE:", kPathLabel);
    map.emplace("TRACK START: first tracked track.", kFirstTrack);
    map.emplace("NEW TRACK STARTED", kNewTrack);
    map.emplace("PLAYLIST DELETE CHECK", kCheck);
    map.emplace("PLAYLIST DELETE: previous track NOT FOUND.", kNotFound);
    map.emplace("PLAYLIST DELETE: GetPlayingPlaylist FAILED.", kNoPlaylist);
    map.emplace("PLAYLIST DELETE: FOUND.", kFound);
    map.emplace("PLAYLIST DELETE: SKIPPED.", kSkipped);
    map.emplace("PLAYLIST DELETE: DELETING ITEM.", kDeleting);
    map.emplace("PLAYLIST DELETE: SUCCESS.", kSuccess);
    map.emplace("PLAYLIST DELETE: FAILED.", kFailed);
    return map;
  }();
  return lines;
}

// Labels of the value lines, up to and including their ": ".
const std::unordered_map<std::string_view, Kind>& ValueLabels() {
  static const std::unordered_map<std::string_view, Kind> labels = [] {
    std::unordered_map<std::string_view, Kind> map;
    for (const char* label :
         {"WINDOWS ERROR: ", "CURRENT TRACK: ", "TITLE: ", "ARTIST: ", "ALBUM: ", "GENRE: ", "DATE: ",
          "DURATION: ", "BITRATE: ", "SAMPLE RATE: ", "CHANNELS: ", "EXPECTED BYTES: ",
          "WRITTEN BYTES: ", "PREVIOUS: ", "CURRENT: ", "PREVIOUS FILE: ", "PLAYLIST ITEM COUNT: ",
          "INDEX: ", "HRESULT: "}) {
      map.emplace(label, kPlain);
    }
    map.emplace("FILENAME: ", kFileName);
    map.emplace("DISPLAYTEXT: ", kDisplayText);
    return map;
  }();
  return labels;
}

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

Kind Classify(std::string_view line) {
  const auto& fixed = FixedLines();
  const auto found = fixed.find(line);
  if (found != fixed.end()) return found->second;
  const std::size_t colon = line.find(": ");
  if (colon != std::string_view::npos) {
    const auto& labels = ValueLabels();
    const auto label = labels.find(line.substr(0, colon + 2));
    if (label != labels.end()) return label->second;
  }
  if (StartsWith(line, "Playlist manager QueryInterface HRESULT: 0x") ||
      StartsWith(line, "REMOTE: REGISTER_NOTIFY result = ") ||
      StartsWith(line, "REMOTE: notification registration returned ")) {
    return kPlain;
  }
  return kForeign;
}

}  // namespace

LogScanner::LogScanner(RemovalSink onRemoval) : onRemoval_(std::move(onRemoval)) {}

RunSummary& LogScanner::Current() {
  if (runs_.empty()) {
    runs_.emplace_back();
    runs_.back().firstLine = lineNumber_;
  }
  return runs_.back();
}

void LogScanner::StartRun() {
  // The banner began four lines before this one, with its empty line.
  const std::uint64_t first = lineNumber_ > 4 ? lineNumber_ - 4 : 1;
  if (block_ != Block::kNone) CloseCheck(true);
  if (!runs_.empty()) {
    runs_.back().lastLine = first - 1;
    // Nothing before the first banner but the banner itself: no run 0.
    if (runs_.back().number == 0 && runs_.back().lastLine < runs_.back().firstLine) runs_.pop_back();
  }
  RunSummary run;
  run.number = runs_.empty() ? 1 : runs_.back().number + 1;
  run.firstLine = first;
  runs_.push_back(run);
}

void LogScanner::Odd(std::uint64_t& counter) {
  ++counter;
  if (odd_.examples.size() < 10) odd_.examples.push_back(lineNumber_);
}

// A check that ends without its outcome: not a removal, whatever it found.
void LogScanner::CloseCheck(bool interrupted) {
  if (interrupted && block_ != Block::kOutcome) Odd(odd_.unfinishedBlocks);
  block_ = Block::kNone;
  foundFileName_.clear();
  foundDisplayText_.clear();
}

void LogScanner::Remember(int kind) {
  previous_[2] = previous_[1];
  previous_[1] = previous_[0];
  previous_[0] = kind;
}

void LogScanner::Line(std::string_view line) {
  ++lineNumber_;
  Current().lastLine = lineNumber_;

  // Paths stand on the line after their label in the start-up lines.
  if (valueLineExpected_) {
    valueLineExpected_ = false;
    Remember(kPlain);
    return;
  }
  const Kind kind = Classify(line);
  if (kind == kInitialized && previous_[0] == kEquals && previous_[1] == kDisplayName &&
      previous_[2] == kEquals) {
    StartRun();
  }
  Remember(kind);

  RunSummary& run = Current();
  switch (kind) {
    case kForeign:
      Odd(odd_.foreign);
      return;
    case kPathLabel:
      valueLineExpected_ = true;
      return;
    case kFirstTrack:
    case kNewTrack:
      ++run.tracksStarted;
      return;
    case kCheck:
      if (block_ != Block::kNone) CloseCheck(true);
      block_ = Block::kCheck;
      return;
    case kNotFound:
    case kNoPlaylist:
      if (block_ != Block::kCheck) break;
      ++(kind == kNotFound ? run.notFound : run.playlistUnavailable);
      block_ = Block::kOutcome;
      return;
    case kFound:
      if (block_ != Block::kCheck) break;
      block_ = Block::kFound;
      return;
    case kFileName:
      if (block_ == Block::kFound) foundFileName_.assign(line.substr(10));
      return;
    case kDisplayText:
      if (block_ == Block::kFound) foundDisplayText_.assign(line.substr(13));
      return;
    case kSkipped:
      if (block_ != Block::kFound) break;
      ++run.keptByMarker;
      block_ = Block::kOutcome;
      return;
    case kDeleting:
      if (block_ != Block::kFound) break;
      block_ = Block::kDeleting;
      return;
    case kSuccess:
    case kFailed:
      if (block_ != Block::kDeleting) break;
      if (kind == kFailed) {
        ++run.refused;
      } else {
        ++run.removed;
        if (onRemoval_) onRemoval_(Removal{run.number, lineNumber_, foundFileName_, foundDisplayText_});
      }
      block_ = Block::kOutcome;
      return;
    case kEquals:
      if (block_ == Block::kOutcome) CloseCheck(false);
      return;
    default:
      return;
  }
  // An outcome outside its block never counts.
  Odd(odd_.misplaced);
}

void LogScanner::OverlongLine() {
  ++lineNumber_;
  Current().lastLine = lineNumber_;
  Odd(odd_.overlong);
  Remember(kForeign);
}

void LogScanner::Finish(std::string_view tail) {
  if (!tail.empty()) {
    odd_.truncatedLastLine = true;
    ++lineNumber_;
    if (odd_.examples.size() < 10) odd_.examples.push_back(lineNumber_);
  }
  if (block_ != Block::kNone && block_ != Block::kOutcome) CloseCheck(true);
  block_ = Block::kNone;
}

void LineSplitter::Feed(const char* bytes, std::size_t count) {
  std::size_t at = 0;
  while (at < count) {
    const char* newline = static_cast<const char*>(std::memchr(bytes + at, '\n', count - at));
    const std::size_t end = newline ? static_cast<std::size_t>(newline - bytes) : count;
    if (newline != nullptr && pending_.empty() && !cutting_ && end - at <= kLongestLine) {
      // The whole line lies in this chunk: no copy.
      std::string_view line(bytes + at, end - at);
      if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
      scanner_.Line(line);
      at = end + 1;
      continue;
    }
    if (!cutting_) {
      const std::size_t room = kLongestLine - std::min(kLongestLine, pending_.size());
      pending_.append(bytes + at, std::min(room, end - at));
      if (end - at > room) cutting_ = true;
    }
    if (newline == nullptr) return;
    if (cutting_) {
      scanner_.OverlongLine();
    } else {
      if (!pending_.empty() && pending_.back() == '\r') pending_.pop_back();
      scanner_.Line(pending_);
    }
    pending_.clear();
    cutting_ = false;
    at = end + 1;
  }
}

}  // namespace dislist_log
