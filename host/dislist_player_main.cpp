// dislist-player: the stand-in player as a program. It loads the built
// AIMP_Dislist.dll, plays a playlist through it the way AIMP announces
// tracks, and shows what the plug-in did to the playlist at every step.
#include <windows.h>

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "base/names.h"
#include "base/text_rules.h"
#include "base/utf16.h"
#include "dislist_player_usage.h"
#include "host_text.h"
#include "log/log_lines.h"
#include "log_tail.h"
#include "m3u.h"
#include "player.h"

namespace {

using standin::Player;

const char kSamplePlaylist[] =
    "#EXTM3U\n"
    "#EXTINF:215,Nightcall Ensemble - Opening Lights\n"
    "Music\\Nightcall Ensemble\\01 Opening Lights.mp3\n"
    "#EXTINF:198,Nightcall Ensemble - Slow Harbour\n"
    "Music\\Nightcall Ensemble\\02 Slow Harbour.mp3\n"
    "#EXTINF:240,Marta Quell - Keep This One !delete\n"
    "Music\\Marta Quell\\Keep This One.flac\n"
    "#EXTINF:187,Marta Quell - Caf\xC3\xA9 Sunrise\n"
    "Music\\Marta Quell\\Caf\xC3\xA9 Sunrise.flac\n"
    "#EXTINF:301,The Last Tram - Terminus\n"
    "Music\\The Last Tram\\Terminus.ogg\n";

std::string FullPath(const std::string& path) {
  if (path.find("://") != std::string::npos) return path;
  wchar_t full[4096];
  const DWORD length = ::GetFullPathNameW(standin::ToWide(path).c_str(), 4096, full, nullptr);
  if (length == 0 || length >= 4096) return path;
  return standin::ToUtf8(std::wstring(full, length));
}

std::string NameOf(const std::string& path) { return std::string(dislist::NamePart(path)); }

// "what (detail)"
std::string WithDetail(std::string what, const std::string& detail) {
  what += " (";
  what += detail;
  what += ')';
  return what;
}

// What the plug-in said about the previous track in the lines of one step.
std::string Outcome(const std::vector<std::string>& lines) {
  namespace lines_of = dislist::log_lines;
  const std::string fileLabel = lines_of::kFileName;
  const std::string indexLabel = lines_of::kIndex;
  std::string fileName;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    const std::string next = i + 1 < lines.size() ? lines[i + 1] : "";
    if (line.compare(0, fileLabel.size(), fileLabel) == 0 && i > 0 &&
        lines[i - 1].compare(0, indexLabel.size(), indexLabel) == 0) {
      fileName = NameOf(line.substr(fileLabel.size()));
    }
    if (line == lines_of::kSuccess) return "removed " + fileName;
    if (line == lines_of::kSkipped) return "kept " + fileName + " (protected by !delete)";
    if (line == lines_of::kNotFound) return "previous track not in the playlist";
    if (line == lines_of::kNoPlayingPlaylist) return WithDetail("playing playlist unavailable", next);
    if (line == lines_of::kFailed) return WithDetail("AIMP refused to remove " + fileName, next);
    if (line == lines_of::kFirstTrack) return "first track: nothing to remove";
  }
  return "";
}

void PrintPlaylist(standin::HostObjects& objects) {
  const auto& items = objects.playlist().items;
  std::printf("    playlist (%u):", static_cast<unsigned>(items.size()));
  for (const auto* item : items) std::printf(" [%s]", standin::ToUtf8(item->displayText).c_str());
  std::printf("\n");
}

struct Options {
  std::wstring playlistPath;  // empty: the bundled sample
  std::wstring dllPath = standin::ProgramFolder() + L"AIMP_Dislist.dll";
  std::wstring fault;
};

// Reads the command line into `options`. Returns -1 to go on, else the exit
// code (after printing the usage or what is wrong).
int ParseOptions(int argc, wchar_t** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const std::wstring arg = argv[i];
    if (arg == L"--help" || arg == L"-h" || arg == L"/?") {
      std::fputs(kUsage, stdout);
      return 0;
    }
    if ((arg == L"--fault" || arg == L"--dll") && i + 1 < argc) {
      (arg == L"--fault" ? options.fault : options.dllPath) = argv[++i];
    } else if (!arg.empty() && arg[0] == L'-') {
      std::fprintf(stderr, "dislist-player: unknown option %s\n\n%s", standin::ToUtf8(arg).c_str(), kUsage);
      return 2;
    } else if (options.playlistPath.empty()) {
      options.playlistPath = arg;
    } else {
      std::fprintf(stderr, "dislist-player: only one playlist, please\n");
      return 2;
    }
  }
  const std::wstring& fault = options.fault;
  if (!fault.empty() && fault != L"no-remote-window" && fault != L"no-playing-playlist" &&
      fault != L"delete-refused") {
    std::fprintf(stderr, "dislist-player: unknown fault %s\n\n%s", standin::ToUtf8(fault).c_str(), kUsage);
    return 2;
  }
  return -1;
}

// The playlist to play, named for the messages. False, having said why,
// when it cannot be read or holds no tracks.
bool LoadPlaylist(const std::wstring& path, standin::ParsedPlaylist& parsed, std::string& name) {
  std::string bytes = kSamplePlaylist;
  std::string folder = "C:\\";
  name = "the bundled sample playlist";
  if (!path.empty()) {
    bytes.clear();
    if (!standin::ReadFileFrom(path, 0, bytes)) {
      std::fprintf(stderr, "dislist-player: cannot read playlist %s (error %lu)\n", standin::ToUtf8(path).c_str(),
                   ::GetLastError());
      return false;
    }
    name = FullPath(standin::ToUtf8(path));
    folder = name.substr(0, name.find_last_of("\\/") + 1);
  }
  parsed = standin::ParseM3u(bytes, folder);
  for (const auto& problem : parsed.problems) std::printf("playlist %s\n", problem.c_str());
  if (parsed.entries.empty()) {
    std::fprintf(stderr, "dislist-player: %s holds no tracks\n", name.c_str());
    return false;
  }
  return true;
}

// Puts the entries into the player's playlist; one record each, to announce.
std::vector<standin::TrackRecord> FillPlaylist(const standin::ParsedPlaylist& parsed, Player& player) {
  std::vector<standin::TrackRecord> tracks;
  for (const auto& entry : parsed.entries) {
    const std::string path = FullPath(entry.path);
    const std::string title = entry.title.empty() ? NameOf(path) : entry.title;
    player.objects.AddItem(standin::ToWide(path), standin::ToWide(title));
    tracks.push_back(standin::RecordFor(standin::ToWide(path), standin::ToWide(title)));
  }
  return tracks;
}

void BreakHost(const std::wstring& fault, Player& player) {
  if (fault == L"no-remote-window") player.remote.reset();
  if (fault == L"no-playing-playlist") player.objects.manager().playingResult = E_FAIL;
  if (fault == L"delete-refused") player.objects.playlist().deleteResult = E_ACCESSDENIED;
}

// Each track in turn, with what the plug-in did at its start.
void PlayAll(const std::vector<standin::TrackRecord>& tracks, Player& player) {
  for (std::size_t i = 0; i < tracks.size(); ++i) {
    const standin::LogTail step;
    player.Play(tracks[i]);
    std::printf("[%u] started: %s\n", static_cast<unsigned>(i + 1), standin::ToUtf8(tracks[i].title).c_str());
    const std::string outcome = Outcome(step.NewLines());
    if (!outcome.empty()) std::printf("    %s\n", outcome.c_str());
    PrintPlaylist(player.objects);
  }
}

void PrintWhatIsLeft(const std::wstring& dllPath, Player& player, const standin::LogTail& run) {
  std::printf("\nLeft in the playlist:\n");
  for (const auto* item : player.objects.playlist().items) {
    std::printf("  %s\n", standin::ToUtf8(item->fileName).c_str());
  }
  std::string current;
  standin::ReadFileFrom(dllPath.substr(0, dllPath.find_last_of(L"\\/") + 1) + dislist::kCurrentTrackFileName, 0,
                        current);
  const std::wstring_view fileName = dislist::kCurrentTrackFileName, log = dislist::kLogFilePath;
  std::printf("\n%s: \"%s\"\n", dislist::WideToUtf8(fileName.data(), fileName.size()).c_str(), current.c_str());
  std::printf("\nNew in %s:\n", dislist::WideToUtf8(log.data(), log.size()).c_str());
  for (const auto& line : run.NewLines()) std::printf("  | %s\n", line.c_str());
}

int Run(int argc, wchar_t** argv) {
  Options options;
  const int parsed = ParseOptions(argc, argv, options);
  if (parsed >= 0) return parsed;
  standin::ParsedPlaylist playlist;
  std::string name;
  if (!LoadPlaylist(options.playlistPath, playlist, name)) return 1;
  if (::GetFileAttributesW(dislist::kLogFolder) == INVALID_FILE_ATTRIBUTES) {
    std::printf("note: C:\\AIMPPlugin does not exist, so the plug-in logs nothing.\n");
  }

  Player player(options.dllPath);
  if (!player.plugin.ok()) {
    std::fprintf(stderr, "dislist-player: cannot load %s: %s\n", standin::ToUtf8(options.dllPath).c_str(),
                 player.plugin.error().c_str());
    return 1;
  }
  const std::vector<standin::TrackRecord> tracks = FillPlaylist(playlist, player);
  BreakHost(options.fault, player);

  std::printf("Playing %u tracks of %s through %s\n", static_cast<unsigned>(tracks.size()), name.c_str(),
              standin::ToUtf8(options.dllPath).c_str());
  const standin::LogTail run;
  const HRESULT started = player.Start();
  std::printf("plug-in start-up: %s\n", started == S_OK ? "ready" : "FAILED (see the log below)");
  PrintPlaylist(player.objects);
  if (started == S_OK) PlayAll(tracks, player);
  player.Stop();
  player.plugin.Unload();
  PrintWhatIsLeft(options.dllPath, player, run);
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  try {
    return Run(argc, argv);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "dislist-player: %s\n", error.what());
    return 1;
  }
}
