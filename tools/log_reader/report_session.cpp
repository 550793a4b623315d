#include "report_session.h"

#include "file_identity.h"
#include "removal_output.h"
#include "report.h"
#include "text.h"

namespace dislist_log {

namespace {

std::string Entries(std::uint64_t count) { return Number(count) + (count == 1 ? " entry" : " entries"); }

// Writes the removals of `run` as a new playlist beside the log.
int GiveBack(const Options& options, const RunSummary& run, const LogFileFacts& facts, CheckedOutput& out,
             CheckedOutput& err) {
  std::wstring folder;
  std::wstring name;
  if (!FullPath(options.logPath, &folder).empty()) name = FreePlaylistName(folder, run.number, PathExists);
  if (name.empty()) {
    err("dislist-log: no free name for the playlist in the folder of " + Utf8(options.logPath) + "\n");
    return 1;
  }
  PlaylistExport playlist(name, PlaylistFile::Placing::kNeverReplace, "no file was written or replaced", err);
  DWORD error = 0;
  if (!ReadRemovals(options.logPath, facts.bytes, run.number, run.number, playlist, error)) {
    err("dislist-log: cannot read " + Utf8(options.logPath) + " again (error " + Number(error) + ")\n");
    return 1;
  }
  if (!playlist.Finish()) return 1;
  if (playlist.count() == 0) {
    err("dislist-log: no entry of run " + std::to_string(run.number) + " could be written: no playlist written\n");
    return 1;
  }
  out(playlist.Written() + "\nTo get them back, drag this file into AIMP's playlist (or open it with AIMP).\n");
  return 0;
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
  if (!console.InputIsConsole()) {
    out("To give them back as a playlist: dislist-log export back.m3u8 --run " + number +
        (options.logGiven ? " --file \"" + Utf8(options.logPath) + "\"" : std::string()) + "\n");
    return 0;
  }
  err("Give back the " + Entries(run->removed) + " removed in run " + number +
      " as a playlist beside the log? Type y and press Enter (Enter alone: no): ");
  std::string answer;
  if (!console.ReadLine(answer) || !IsYes(answer)) {
    out("Nothing written.\n");
    return 0;
  }
  return GiveBack(options, *run, facts, out, err);
}

}  // namespace dislist_log
