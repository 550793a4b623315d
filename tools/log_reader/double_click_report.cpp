#include "double_click_report.h"

#include "file_identity.h"
#include "removal_output.h"
#include "report.h"
#include "run_selection.h"
#include "text.h"

namespace dislist_log {

namespace {

std::string Entries(std::uint64_t count) { return Counted(count, "entry", "entries"); }

// Writes the removals of `run` as a new playlist beside the log, under a
// name no file has.
int GiveBack(const Options& options, const RunSummary& run, const LogScanner& whole, const LogFileFacts& facts,
             CheckedOutput& out, CheckedOutput& err) {
  std::wstring folder;
  if (FullPath(options.logPath, &folder).empty()) {
    const DWORD error = ::GetLastError();
    err("dislist-log: cannot tell the folder of " + Utf8(options.logPath) + " (error " + Number(error) +
        "): no playlist written\n");
    return 1;
  }
  const auto nextName = [&folder, &run] { return FreePlaylistName(folder, run.number, PathExists); };
  const std::wstring name = nextName();
  if (name.empty()) {
    err("dislist-log: " + Utf8(folder) + " holds a thousand playlists of run " + std::to_string(run.number) +
        " already: no playlist written\n");
    return 1;
  }
  PlaylistExport playlist(name, PlaylistFile::Placing::kNeverReplace, "no file was written or replaced", err,
                          nextName);
  const int code = WriteRemovalsPlaylist(
      {options.logPath, facts.bytes, run.number, run.number, "run " + std::to_string(run.number), whole}, playlist,
      out, err);
  if (code == 0 && playlist.count() > 0) {
    out("To get them back, drag this file into AIMP's playlist (or open it with AIMP).\n");
  }
  return code;
}

}  // namespace

std::wstring FreePlaylistName(const std::wstring& folder, int run, bool (*exists)(const std::wstring& path)) {
  const std::wstring stem = folder + L"AIMP_Dislist run " + std::to_wstring(run) + L" removed";
  for (int copy = 1; copy <= 1000; ++copy) {
    std::wstring name = stem + (copy == 1 ? std::wstring() : L" (" + std::to_wstring(copy) + L")") + L".m3u8";
    if (!exists(name)) return name;
  }
  return std::wstring();
}

bool IsYes(const std::string& answer) {
  const std::size_t first = answer.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return false;
  const std::size_t last = answer.find_last_not_of(" \t\r\n");
  std::string word = answer.substr(first, last - first + 1);
  for (char& c : word) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return word == "y" || word == "yes";
}

int RunReport(const Options& options, const LogScanner& whole, const LogFileFacts& facts, Console& console,
              CheckedOutput& out, CheckedOutput& err) {
  ReportSummary(options.logPath, whole, facts, kReportRuns, out);
  ReportOdd(whole, err);
  const RunSummary* run = LastRunThatRemoved(whole.runs());
  if (run == nullptr) {
    out("\nNothing was removed in any run of this log: there is nothing to give back.\n");
    return 0;
  }
  const std::string number = std::to_string(run->number);
  out("\nThe last run that removed entries is run " + number + ": " + Entries(run->removed) + ".\n");
  if (!console.PersonAtConsole()) {
    out("To give them back as a playlist: dislist-log export back.m3u8 --run " + number +
        (options.logGiven ? " --file \"" + Utf8(options.logPath) + "\"" : std::string()) + "\n");
    return 0;
  }
  err("Give back the " + Entries(run->removed) + " removed in run " + number +
      " as a playlist beside the log? Type y and press Enter (Enter alone: no): ");
  console.DropTypedAhead();
  std::string answer;
  if (!console.ReadLine(answer) || !IsYes(answer)) {
    out("Nothing written.\n");
    return 0;
  }
  return GiveBack(options, *run, whole, facts, out, err);
}

}  // namespace dislist_log
