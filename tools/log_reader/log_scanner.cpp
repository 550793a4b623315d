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
  kPreviousFile,  // "PREVIOUS FILE: "
  kReady,         // "PLUGIN READY."
  kStartupFailed, // a line that ends a start-up in failure
  kNoPrevious,    // "PLAYLIST DELETE: no previous track."
  kNoManager,     // "PLAYLIST DELETE: playlist manager unavailable."
};

const std::unordered_map<std::string_view, Kind>& FixedLines() {
  static const std::unordered_map<std::string_view, Kind> lines = [] {
    std::unordered_map<std::string_view, Kind> map;
    for (const char* plain :
         {"Remote Access + Playlist deletion.", "NO IAIMPMessageHook.", "NO worker thread.",
          "NO IAIMPServicePlayer.", "Physical file deletion: NO.", "!DELETE protection: YES.",
          "CURRENT TRACK FILE: INITIAL CREATE SUCCESS.", "CURRENT TRACK FILE: INITIAL CREATE FAILED.",
          "REASON: ACCESS DENIED.", "Windows does not allow writing to the plugin folder.",
          "REASON: PATH NOT FOUND.", "Playlist manager: OK.", "PLAYLIST DELETE: ENABLED.", "PHYSICAL DELETE: DISABLED.",
          "!DELETE PROTECTION: ENABLED.", "Waiting for track notifications...", "Finalize called.",
          "Finalize finished.", "REMOTE: notification unregistered.", "REMOTE: CreateWindowExW FAILED.",
          "REMOTE: notification window created.", "REMOTE: AIMP Remote Access window NOT FOUND.",
          "REMOTE: AIMP Remote Access window found.", "REMOTE: AIMP_RA_NOTIFY_TRACK_START",
          "REMOTE: AIMP_RA_NOTIFY_TRACK_INFO", "REMOTE: OpenFileMappingA failed.",
          "REMOTE: MapViewOfFile failed.", "REMOTE: track info record out of bounds.",
          "CURRENT TRACK FILE: path is empty.", "CURRENT TRACK FILE: filename is empty.",
          "CURRENT TRACK FILE: CreateFileW FAILED.", "CURRENT TRACK FILE: WriteFile FAILED.",
          "CURRENT TRACK FILE: INCOMPLETE WRITE.", "CURRENT TRACK FILE: UPDATED.", "CURRENT TRACK",
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
    map.emplace("PLUGIN READY.", kReady);
    for (const char* failure :
         {"ERROR: IAIMPCore is NULL.", "ERROR: GetModuleHandleExW FAILED.",
          "ERROR: GetModuleFileNameW FAILED.", "ERROR: Unable to determine DLL folder.",
          "ERROR: Playlist manager unavailable.", "REMOTE: notification window creation FAILED.",
          "REMOTE: registration FAILED."}) {
      map.emplace(failure, kStartupFailed);
    }
    map.emplace("PLAYLIST DELETE: no previous track.", kNoPrevious);
    map.emplace("PLAYLIST DELETE: playlist manager unavailable.", kNoManager);
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
          "WRITTEN BYTES: ", "PREVIOUS: ", "CURRENT: ", "PLAYLIST ITEM COUNT: ",
          "INDEX: ", "HRESULT: "}) {
      map.emplace(label, kPlain);
    }
    map.emplace("FILENAME: ", kFileName);
    map.emplace("DISPLAYTEXT: ", kDisplayText);
    map.emplace("PREVIOUS FILE: ", kPreviousFile);
    return map;
  }();
  return labels;
}

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

// `fixed` tells a line of fixed (ASCII) text from one that carries a value.
Kind Classify(std::string_view line, bool& fixed) {
  const auto& lines = FixedLines();
  const auto found = lines.find(line);
  fixed = found != lines.end();
  if (fixed) return found->second;
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

// The outcome lines: whole, they prove what they say even as the last line
// of a file that ends without its line end.
bool IsOutcome(Kind kind) {
  switch (kind) {
    case kNotFound:
    case kNoPlaylist:
    case kSkipped:
    case kSuccess:
    case kFailed:
    case kNoPrevious:
    case kNoManager:
      return true;
    default:
      return false;
  }
}

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// The first line without the byte order mark an editor may have saved.
std::string_view WithoutByteOrderMark(std::string_view line, bool first) {
  if (first && line.substr(0, kByteOrderMark.size()) == kByteOrderMark) line.remove_prefix(kByteOrderMark.size());
  return line;
}
constexpr std::size_t kExamples = 10;
// Deeper nesting than any log of the plug-in holds: the oldest is given up.
constexpr std::size_t kDeepestNesting = 64;

}  // namespace

bool IsValidUtf8(std::string_view text) {
  std::size_t at = 0;
  const std::size_t size = text.size();
  while (at < size) {
    // Nearly every byte is ASCII: eight at a time while it lasts.
    std::uint64_t eight = 0;
    while (size - at >= sizeof eight) {
      std::memcpy(&eight, text.data() + at, sizeof eight);
      if ((eight & 0x8080808080808080ULL) != 0) break;
      at += sizeof eight;
    }
    if (at == size) break;
    const auto lead = static_cast<unsigned char>(text[at]);
    if (lead < 0x80) {
      ++at;
      continue;
    }
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;  // allowed range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3;
      if (lead == 0xE0) low = 0xA0;   // no overlong forms
      if (lead == 0xED) high = 0x9F;  // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4;
      if (lead == 0xF0) low = 0x90;
      if (lead == 0xF4) high = 0x8F;  // nothing past U+10FFFF
    } else {
      return false;
    }
    if (size - at < length) return false;
    const auto second = static_cast<unsigned char>(text[at + 1]);
    if (second < low || second > high) return false;
    for (std::size_t i = 2; i < length; ++i) {
      if ((static_cast<unsigned char>(text[at + i]) & 0xC0) != 0x80) return false;
    }
    at += length;
  }
  return true;
}

LogScanner::LogScanner(RemovalSink onRemoval) : onRemoval_(std::move(onRemoval)) {}

RunSummary& LogScanner::Current() {
  if (runs_.empty()) {
    runs_.emplace_back();
    runs_.back().firstLine = lineNumber_;
  }
  return runs_.back();
}

// The banner's title line has just been recognised; the banner began with
// its empty line before the first separator, wherever other programs'
// lines fell in between.
void LogScanner::StartRun() {
  const std::uint64_t first = previous_[3].kind == kEmpty ? previous_[3].line : previous_[2].line;
  AbandonChecks();
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

// Every check still open has ended without its outcome: not a removal,
// whatever it found. Each is reported at its own first line.
void LogScanner::AbandonChecks() {
  for (std::size_t i = 0; i < open_; ++i) {
    const OpenCheck& check = checks_[i];
    if (check.state == Block::kOutcome) continue;
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
    if (checks_[i - 1].state != Block::kOutcome) return &checks_[i - 1];
  }
  return nullptr;
}

void LogScanner::Remember(int kind) {
  previous_[3] = previous_[2];
  previous_[2] = previous_[1];
  previous_[1] = previous_[0];
  previous_[0] = Seen{kind, lineNumber_};
}

void LogScanner::NextLine() {
  ++lineNumber_;
  Current().lastLine = lineNumber_;
}

void LogScanner::Line(std::string_view line) {
  NextLine();
  line = WithoutByteOrderMark(line, lineNumber_ == 1);

  // Paths stand on the line after their label in the start-up lines.
  if (valueLineExpected_) {
    valueLineExpected_ = false;
    if (!IsValidUtf8(line)) ++notUtf8_;
    Remember(kPlain);
    return;
  }
  bool fixed = false;
  const Kind kind = Classify(line, fixed);
  if (!fixed && !IsValidUtf8(line)) ++notUtf8_;
  if (kind == kForeign) {
    // Another program's line: it is no part of the plug-in's blocks, so
    // the banner and the checks are recognised around it.
    Odd(odd_.foreign);
    return;
  }
  if (kind == kInitialized && previous_[0].kind == kEquals && previous_[1].kind == kDisplayName &&
      previous_[2].kind == kEquals) {
    StartRun();
  }
  Remember(kind);
  Interpret(line, kind);
}

void LogScanner::Interpret(std::string_view line, int kind) {
  if (kind == kPlain || kind == kEmpty) return;  // most lines decide nothing
  RunSummary& run = Current();
  OpenCheck* check = Innermost();
  switch (kind) {
    case kPathLabel:
      valueLineExpected_ = true;
      return;
    case kReady:
      run.ready = true;
      return;
    case kStartupFailed:
      if (run.startupFailure.empty()) run.startupFailure.assign(line);
      return;
    case kFirstTrack:
    case kNewTrack:
      ++run.tracksStarted;
      return;
    case kNoPrevious:
      ++run.noPreviousTrack;
      return;
    case kNoManager:
      ++run.managerUnavailable;
      return;
    case kCheck: {
      if (open_ == kDeepestNesting) {
        std::rotate(checks_.begin(), checks_.begin() + 1, checks_.begin() + static_cast<std::ptrdiff_t>(open_));
        --open_;
        Odd(odd_.unfinishedBlocks);
      }
      if (open_ == checks_.size()) checks_.emplace_back();
      // Reused with its storage: a long log opens a check per track.
      OpenCheck& opened = checks_[open_++];
      opened.state = Block::kCheck;
      opened.haveFileName = opened.haveDisplayText = false;
      opened.previousFile.clear();
      opened.fileName.clear();
      opened.displayText.clear();
      // The block began with its empty line and separator.
      opened.firstLine = previous_[1].kind == kEquals && previous_[2].kind == kEmpty ? previous_[2].line
                                                                                    : lineNumber_;
      return;
    }
    case kPreviousFile:
      if (check != nullptr && check->state == Block::kCheck && check->previousFile.empty()) {
        check->previousFile.assign(line.substr(15));
      }
      return;
    case kNotFound:
    case kNoPlaylist:
      if (check == nullptr || check->state != Block::kCheck) break;
      ++(kind == kNotFound ? run.notFound : run.playlistUnavailable);
      check->state = Block::kOutcome;
      return;
    case kFound:
      if (check == nullptr || check->state != Block::kCheck) break;
      check->state = Block::kFound;
      return;
    case kFileName:  // also the track report's line: only the found item's counts
      if (check != nullptr && check->state == Block::kFound && !check->haveFileName) {
        check->fileName.assign(line.substr(10));
        check->haveFileName = true;
      }
      return;
    case kDisplayText:
      if (check != nullptr && check->state == Block::kFound && check->haveFileName &&
          !check->haveDisplayText) {
        check->displayText.assign(line.substr(13));
        check->haveDisplayText = true;
      }
      return;
    case kSkipped:
      if (check == nullptr || check->state != Block::kFound) break;
      ++run.keptByMarker;
      check->state = Block::kOutcome;
      return;
    case kDeleting:
      if (check == nullptr || check->state != Block::kFound) break;
      check->state = Block::kDeleting;
      return;
    case kSuccess:
    case kFailed:
      if (check == nullptr || check->state != Block::kDeleting) break;
      if (kind == kFailed) {
        ++run.refused;
      } else {
        ++run.removed;
        if (onRemoval_) onRemoval_(Removal{run.number, lineNumber_, check->fileName, check->displayText});
      }
      check->state = Block::kOutcome;
      return;
    case kEquals:
      // The closing separator of the innermost check, once it has its outcome.
      if (open_ > 0 && checks_[open_ - 1].state == Block::kOutcome) --open_;
      return;
    default:
      return;
  }
  // An outcome outside its block never counts.
  Odd(odd_.misplaced);
}

void LogScanner::OverlongLine() {
  NextLine();
  Odd(odd_.overlong);
}

void LogScanner::Finish(std::string_view tail) {
  if (!tail.empty() && tail.back() == '\r') tail.remove_suffix(1);
  if (!tail.empty()) {
    bool fixed = false;
    if (IsOutcome(Classify(WithoutByteOrderMark(tail, lineNumber_ == 0), fixed))) {
      Line(tail);
    } else {
      odd_.truncatedLastLine = true;
      NextLine();
      NoteExample(lineNumber_);
    }
  }
  AbandonChecks();
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
