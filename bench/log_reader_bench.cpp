// Throughput of the log reader over a log of a few hundred megabytes, made
// of blocks as the plug-in writes them. Prints MB/s; not a timed test.
#include <windows.h>

#include <cstdio>
#include <string>

#include "bench/bench_util.h"
#include "log_file.h"

namespace {

std::string Block(int i) {
  const std::string eq(40, '='), dash(40, '-');
  const std::string file = "C:\\Music\\Some Artist\\Some Album\\Track " + std::to_string(i) + ".mp3";
  std::string lines[] = {"REMOTE: AIMP_RA_NOTIFY_TRACK_INFO", "CURRENT TRACK FILE: UPDATED.",
                         "CURRENT TRACK: Track " + std::to_string(i) + ".mp3", "", dash, "CURRENT TRACK", dash,
                         "TITLE: Title", "ARTIST: Some Artist", "ALBUM: Some Album", "FILENAME: " + file,
                         "GENRE: Rock", "DATE: 2001", "DURATION: 215000 ms", "BITRATE: 320 kbps",
                         "SAMPLE RATE: 44100", "CHANNELS: 2", dash, "REMOTE: AIMP_RA_NOTIFY_TRACK_START", "",
                         eq, "NEW TRACK STARTED", "PREVIOUS: " + file, "CURRENT: " + file, eq, "", eq,
                         "PLAYLIST DELETE CHECK", "PREVIOUS FILE: " + file, "PLAYLIST ITEM COUNT: 1200",
                         "PLAYLIST DELETE: FOUND.", "INDEX: 17", "FILENAME: " + file,
                         "DISPLAYTEXT: Some Artist - Title", "PLAYLIST DELETE: DELETING ITEM.",
                         "PHYSICAL DELETE: NO.", "PLAYLIST DELETE: SUCCESS.", eq};
  std::string block;
  for (const auto& line : lines) block += line + "\r\n";
  return block;
}

}  // namespace

int main() {
  wchar_t temp[MAX_PATH];
  ::GetTempPathW(MAX_PATH, temp);
  const std::wstring path = std::wstring(temp) + L"dislist-log-bench.log";
  constexpr std::uint64_t kTarget = 300ull << 20;

  dislist::UniqueFile file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  std::uint64_t size = 0;
  std::string chunk;
  for (int i = 0; size < kTarget; ++i) {
    chunk += Block(i);
    if (chunk.size() > (4u << 20)) {
      DWORD written = 0;
      ::WriteFile(file.get(), chunk.data(), static_cast<DWORD>(chunk.size()), &written, nullptr);
      size += written;
      chunk.clear();
    }
  }
  file.reset();

  double best = 0;
  std::uint64_t removals = 0;
  for (int run = 0; run < 3; ++run) {
    removals = 0;
    dislist_log::LogScanner scanner([&removals](const dislist_log::Removal&) { ++removals; });
    DWORD error = 0;
    const double start = bench::NowSeconds();
    dislist_log::ScanFile(path, scanner, error);
    const double seconds = bench::NowSeconds() - start;
    const double rate = static_cast<double>(size) / (1 << 20) / seconds;
    if (rate > best) best = rate;
  }
  ::DeleteFileW(path.c_str());
  std::printf("log reader: %.0f MB log, %llu removals, best of 3: %.0f MB/s\n",
              static_cast<double>(size) / (1 << 20), static_cast<unsigned long long>(removals), best);
  return 0;
}
