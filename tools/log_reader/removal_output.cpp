#include "removal_output.h"

#include <algorithm>

#include "base/text_rules.h"
#include "log_file.h"
#include "run_selection.h"
#include "text.h"

namespace dislist_log {

namespace {

bool HasControlCharacter(std::string_view text) {
  return std::any_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; });
}

// Why a removal's file name cannot stand in a playlist, or null.
const char* Unfit(const std::string& fileName) {
  if (fileName.empty()) return "the log gives no file name";
  if (!dislist::IsValidUtf8(fileName)) return "the file name is not valid UTF-8";
  if (HasControlCharacter(fileName)) return "the file name holds a control character";
  return nullptr;
}

}  // namespace

void RemovalPrinter::Add(const Removal& removal) {
  out_(removal.fileName + "\n");
  ++count_;
}

void PlaylistExport::Add(const Removal& removal) {
  if (const char* why = Unfit(removal.fileName)) {
    err_("dislist-log: line " + Number(removal.line) + ": " + why + ", left out of the playlist\n");
    ++leftOut_;
    return;
  }
  if (!opened_) {
    opened_ = true;
    if (playlist_.Open()) playlist_.Write("#EXTM3U\r\n");
  }
  std::string title = PlaylistTitle(removal.displayText);
  if (title.empty()) title = std::string(dislist::NamePart(removal.fileName));
  playlist_.Write("#EXTINF:-1," + title + "\r\n" + removal.fileName + "\r\n");
  ++count_;
}

bool PlaylistExport::Finish() {
  if (!opened_ || playlist_.Commit()) return true;
  SayFailed(playlist_.problem());
  return false;
}

void PlaylistExport::SayFailed(const std::string& problem) {
  err_("dislist-log: " + problem + "; " + whenFailed_ + "\n");
}

std::string PlaylistExport::Written() const {
  std::string line = Counted(count_, "removed entry", "removed entries") + " written to " + Utf8(fullPath());
  if (leftOut_) line += " (" + Number(leftOut_) + " left out, see above)";
  return line;
}

bool ReadRemovals(const std::wstring& logPath, std::uint64_t bytes, int firstRun, int lastRun,
                  RemovalOutput& output, DWORD& error) {
  LogScanner scanner([&](const Removal& removal) {
    if (removal.run >= firstRun && removal.run <= lastRun) output.Add(removal);
  });
  return ScanFile(logPath, scanner, error, nullptr, bytes);
}

int WriteRemovalsPlaylist(const RemovalSource& source, PlaylistExport& playlist, CheckedOutput& out,
                          CheckedOutput& err) {
  DWORD error = 0;
  if (!ReadRemovals(source.logPath, source.bytes, source.firstRun, source.lastRun, playlist, error)) {
    playlist.SayFailed("cannot read " + Utf8(source.logPath) + " again (error " + Number(error) + ")");
    return 1;
  }
  if (!playlist.Finish()) return 1;
  if (playlist.count() > 0) {
    out(playlist.Written() + "\n");
    return 0;
  }
  if (playlist.leftOut() > 0) {
    err("dislist-log: no entry of " + source.selection + " could be written (" + Number(playlist.leftOut()) +
        " left out, see above): no playlist written\n");
    return 1;
  }
  err("nothing removed in " + source.selection + ": no playlist written; " + WhereRemovalsAre(source.whole) + "\n");
  return 0;
}

}  // namespace dislist_log
