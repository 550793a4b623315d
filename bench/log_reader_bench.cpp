// Throughput of the log reader over a log of a few hundred megabytes, made
// of blocks as the plug-in writes them. Prints MB/s; not a timed test.
#include <windows.h>

#include <cstdio>
#include <string>

#include "bench/bench_util.h"
#include "log/log_lines.h"
#include "log_file.h"

namespace {

// One track change as the plug-in logs it, from the plug-in's own list of
// lines: the reader is measured on what the plug-in writes today.
std::string Block(int i) {
  namespace L = dislist::log_lines;
  const std::string n = std::to_string(i);
  const std::string file = "C:\\Music\\Some Artist\\Some Album\\Track " + n + ".mp3";
  const std::string lines[] = {
      L::kTrackInfoNotified, L::kTrackFileUpdated, L::kTrackFileName + ("Track " + n + ".mp3"), L::kEmptyLine,
      L::kReportSeparator, L::kReportTitle, L::kReportSeparator, L::kTitle + std::string("Title"),
      L::kArtist + std::string("Some Artist"), L::kAlbum + std::string("Some Album"), L::kFileName + file,
      L::kGenre + std::string("Rock"), L::kDate + std::string("2001"), L::kDuration + std::string("215000 ms"),
      L::kBitRate + std::string("320 kbps"), L::kSampleRate + std::string("44100"), L::kChannels + std::string("2"),
      L::kReportSeparator, L::kTrackStartNotified, L::kEmptyLine, L::kBlockSeparator, L::kNewTrack,
      L::kPrevious + file, L::kCurrent + file, L::kBlockSeparator, L::kEmptyLine, L::kBlockSeparator, L::kCheck,
      L::kPreviousFile + file, L::kItemCount + std::string("1200"), L::kFound, L::kIndex + std::string("17"),
      L::kFileName + file, L::kDisplayText + std::string("Some Artist - Title"), L::kDeleting, L::kNoFileDeletion,
      L::kSuccess, L::kBlockSeparator};
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
