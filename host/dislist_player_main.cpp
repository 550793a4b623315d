// dislist-player: the stand-in player as a program. It loads the built
// AIMP_Dislist.dll, plays a playlist through it the way AIMP announces
// tracks, and shows what the plug-in did to the playlist at every step.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "base/names.h"
#include "host_text.h"
#include "m3u.h"
#include "player.h"

namespace {

using standin::Player;

const char kUsage[] =
    "Usage: dislist-player [--fault NAME] [--dll PATH] [PLAYLIST.m3u8]\n"
    "\n"
    "Plays PLAYLIST (M3U or M3U8; the bundled sample when none is given)\n"
    "through AIMP_Dislist.dll as AIMP would, and shows at every track which\n"
    "entry the plug-in removed or kept and why. Put \"!delete\" in a title\n"
    "(#EXTINF) to see an entry kept. Nothing on disk is touched.\n"
    "\n"
    "  --fault no-remote-window     AIMP's Remote Access window is missing\n"
    "  --fault no-playing-playlist  the playing playlist cannot be had\n"
    "  --fault delete-refused       AIMP refuses to delete entries\n"
    "  --dll PATH                   the plug-in to load (default: beside this program)\n"
    "\n"
    "The plug-in logs to C:\\AIMPPlugin\\AIMP_Dislist.log when that folder exists.\n";

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

std::wstring ProgramFolder() {
  wchar_t self[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring path(self);
  return path.substr(0, path.find_last_of(L"\\/") + 1);
}

// Reads a file from `offset` to its end.
bool ReadWholeFile(const std::wstring& path, std::string& bytes, LONGLONG offset = 0) {
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER start;
  start.QuadPart = offset;
  ::SetFilePointerEx(file, start, nullptr, FILE_BEGIN);
  char buffer[65536];
  DWORD read = 0;
  bool ok = true;
  while ((ok = ::ReadFile(file, buffer, sizeof buffer, &read, nullptr) != FALSE) && read > 0) {
    bytes.append(buffer, read);
  }
  ::CloseHandle(file);
  return ok;
}

std::string FullPath(const std::string& path) {
  if (path.find("://") != std::string::npos) return path;
  wchar_t full[4096];
  const DWORD length = ::GetFullPathNameW(standin::ToWide(path).c_str(), 4096, full, nullptr);
  if (length == 0 || length >= 4096) return path;
  return standin::ToUtf8(std::wstring(full, length));
}

std::vector<std::string> SplitLines(const std::string& bytes) {
  std::vector<std::string> lines;
  std::size_t begin = 0;
  while (begin < bytes.size()) {
    std::size_t end = bytes.find("\r\n", begin);
    if (end == std::string::npos) end = bytes.size();
    lines.push_back(bytes.substr(begin, end - begin));
    begin = end + 2;
  }
  return lines;
}

constexpr const wchar_t* kLogPath = dislist::kLogFilePath;

// The log keeps growing across runs, so only its size is taken before a step
// and only what was appended is read after it.
LONGLONG LogSize() {
  WIN32_FILE_ATTRIBUTE_DATA data = {};
  if (!::GetFileAttributesExW(kLogPath, GetFileExInfoStandard, &data)) return 0;
  return (static_cast<LONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

std::vector<std::string> LogLinesSince(LONGLONG offset) {
  std::string bytes;
  ReadWholeFile(kLogPath, bytes, offset);
  return SplitLines(bytes);
}

bool StartsWith(const std::string& text, const std::string& prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
}

// What the plug-in said about the previous track in the lines of one step.
std::string Outcome(const std::vector<std::string>& lines) {
  std::string fileName;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    if (StartsWith(line, "FILENAME: ") && i > 0 && StartsWith(lines[i - 1], "INDEX: ")) {
      fileName = standin::FileNamePart(line.substr(10));
    }
    if (line == "PLAYLIST DELETE: SUCCESS.") return "removed " + fileName;
    if (line == "PLAYLIST DELETE: SKIPPED.") return "kept " + fileName + " (protected by !delete)";
    if (line == "PLAYLIST DELETE: previous track NOT FOUND.") return "previous track not in the playlist";
    if (line == "PLAYLIST DELETE: GetPlayingPlaylist FAILED.") {
      return "playing playlist unavailable (" + (i + 1 < lines.size() ? lines[i + 1] : "") + ")";
    }
    if (line == "PLAYLIST DELETE: FAILED.") {
      return "AIMP refused to remove " + fileName + " (" + (i + 1 < lines.size() ? lines[i + 1] : "") + ")";
    }
    if (line == "TRACK START: first tracked track.") return "first track: nothing to remove";
  }
  return "";
}

void PrintPlaylist(standin::HostObjects& objects) {
  const auto& items = objects.playlist().items;
  std::printf("    playlist (%u):", static_cast<unsigned>(items.size()));
  for (const auto* item : items) std::printf(" [%s]", standin::ToUtf8(item->displayText).c_str());
  std::printf("\n");
}

int Run(int argc, wchar_t** argv) {
  std::wstring playlistPath;
  std::wstring dllPath = ProgramFolder() + L"AIMP_Dislist.dll";
  std::wstring fault;
  for (int i = 1; i < argc; ++i) {
    const std::wstring arg = argv[i];
    if (arg == L"--help" || arg == L"-h" || arg == L"/?") {
      std::fputs(kUsage, stdout);
      return 0;
    }
    if ((arg == L"--fault" || arg == L"--dll") && i + 1 < argc) {
      (arg == L"--fault" ? fault : dllPath) = argv[++i];
    } else if (!arg.empty() && arg[0] == L'-') {
      std::fprintf(stderr, "dislist-player: unknown option %s\n\n%s", standin::ToUtf8(arg).c_str(), kUsage);
      return 2;
    } else if (playlistPath.empty()) {
      playlistPath = arg;
    } else {
      std::fprintf(stderr, "dislist-player: only one playlist, please\n");
      return 2;
    }
  }
  if (!fault.empty() && fault != L"no-remote-window" && fault != L"no-playing-playlist" &&
      fault != L"delete-refused") {
    std::fprintf(stderr, "dislist-player: unknown fault %s\n\n%s", standin::ToUtf8(fault).c_str(), kUsage);
    return 2;
  }

  std::string bytes = kSamplePlaylist;
  std::string folder = standin::ToUtf8(L"C:\\");
  std::string name = "the bundled sample playlist";
  if (!playlistPath.empty()) {
    bytes.clear();
    if (!ReadWholeFile(playlistPath, bytes)) {
      std::fprintf(stderr, "dislist-player: cannot read playlist %s (error %lu)\n",
                   standin::ToUtf8(playlistPath).c_str(), ::GetLastError());
      return 1;
    }
    const std::string full = FullPath(standin::ToUtf8(playlistPath));
    folder = full.substr(0, full.find_last_of("\\/") + 1);
    name = full;
  }
  const standin::ParsedPlaylist parsed = standin::ParseM3u(bytes, folder);
  for (const auto& problem : parsed.problems) std::printf("playlist %s\n", problem.c_str());
  if (parsed.entries.empty()) {
    std::fprintf(stderr, "dislist-player: %s holds no tracks\n", name.c_str());
    return 1;
  }

  if (::GetFileAttributesW(dislist::kLogFolder) == INVALID_FILE_ATTRIBUTES) {
    std::printf("note: C:\\AIMPPlugin does not exist, so the plug-in logs nothing.\n");
  }

  Player player(dllPath);
  if (!player.plugin.ok()) {
    std::fprintf(stderr, "dislist-player: cannot load %s: %s\n", standin::ToUtf8(dllPath).c_str(),
                 player.plugin.error().c_str());
    return 1;
  }
  std::vector<standin::TrackRecord> tracks;
  for (const auto& entry : parsed.entries) {
    const std::string path = FullPath(entry.path);
    const std::string title = entry.title.empty() ? standin::FileNamePart(path) : entry.title;
    player.objects.AddItem(standin::ToWide(path), standin::ToWide(title));
    tracks.push_back(standin::RecordFor(standin::ToWide(path), standin::ToWide(title)));
  }
  if (fault == L"no-remote-window") player.remote.reset();
  if (fault == L"no-playing-playlist") player.objects.manager().playingResult = E_FAIL;
  if (fault == L"delete-refused") player.objects.playlist().deleteResult = E_ACCESSDENIED;

  std::printf("Playing %u tracks of %s through %s\n", static_cast<unsigned>(tracks.size()),
              name.c_str(), standin::ToUtf8(dllPath).c_str());
  const LONGLONG logStart = LogSize();
  const HRESULT started = player.Start();
  std::printf("plug-in start-up: %s\n", started == S_OK ? "ready" : "FAILED (see the log below)");
  PrintPlaylist(player.objects);

  if (started == S_OK) {
    for (std::size_t i = 0; i < tracks.size(); ++i) {
      const LONGLONG before = LogSize();
      player.Play(tracks[i]);
      std::printf("[%u] started: %s\n", static_cast<unsigned>(i + 1), standin::ToUtf8(tracks[i].title).c_str());
      const std::string outcome = Outcome(LogLinesSince(before));
      if (!outcome.empty()) std::printf("    %s\n", outcome.c_str());
      PrintPlaylist(player.objects);
    }
  }
  player.Stop();
  player.plugin.Unload();

  std::printf("\nLeft in the playlist:\n");
  for (const auto* item : player.objects.playlist().items) {
    std::printf("  %s\n", standin::ToUtf8(item->fileName).c_str());
  }
  std::string current;
  ReadWholeFile(dllPath.substr(0, dllPath.find_last_of(L"\\/") + 1) + dislist::kCurrentTrackFileName, current);
  std::printf("\nAIMP_CURRENT_TRACK.txt: \"%s\"\n", current.c_str());
  std::printf("\nNew in C:\\AIMPPlugin\\AIMP_Dislist.log:\n");
  for (const auto& line : LogLinesSince(logStart)) {
    std::printf("  | %s\n", line.c_str());
  }
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
