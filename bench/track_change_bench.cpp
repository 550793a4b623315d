// What a track change costs the player, through the loaded DLL, each figure
// against its floor measured in the same run, interleaved.
//
// A floor is what no implementation can avoid, done bare: the host calls
// (item by index, property 3, its data and length, the releases), one
// conversion per item into one reused buffer, an in-place comparison with
// the ASCII letters folded, and the I/O the behaviour demands: every log line
// opened, appended and closed; the shared record mapped and its texts
// converted; the current-track file rewritten and flushed. Nothing in a
// floor allocates per item.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench/bare_removal.h"
#include "bench/bench_util.h"
#include "base/owners.h"
#include "log/log.h"
#include "log_tail.h"
#include "player.h"

namespace {

using standin::Player;
using standin::RecordFor;

// The log lines a step writes.
int LinesLogged(const std::function<void()>& step) {
  const standin::LogTail tail;
  step();
  return static_cast<int>(tail.NewLines().size());
}

// One read of the shared record, as bare as it can be.
void BareRecordRead() {
  const dislist::UniqueHandle mapping(::OpenFileMappingA(FILE_MAP_READ, FALSE, "AIMP2_RemoteInfo"));
  const dislist::UniqueMapView view(::MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, 0));
  MEMORY_BASIC_INFORMATION region;
  ::VirtualQuery(view.get(), &region, sizeof region);
  const auto* bytes = static_cast<const unsigned char*>(view.get());
  std::size_t cursor = 88;
  for (int i = 0; i < 6; ++i) {
    const std::uint32_t units = *reinterpret_cast<const std::uint32_t*>(bytes + 40 + 4 * i);
    const std::string text = dislist::WideToUtf8(reinterpret_cast<const wchar_t*>(bytes + cursor), units);
    cursor += 2 * units;
  }
}

void BareFileWrite(const std::wstring& path, const std::string& name) {
  const dislist::UniqueFile file(
      ::CreateFileW(path.c_str(), GENERIC_WRITE, 7, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD written = 0;
  ::WriteFile(file.get(), name.data(), static_cast<DWORD>(name.size()), &written, nullptr);
  ::FlushFileBuffers(file.get());
}

// Each measurement's times and its floor's, with the log lines one step wrote.
struct Figures {
  std::vector<double> times, floor;
  int lines = 0;
};

// Whole track change: track start until the previous item (last) is gone.
Figures MeasureTrackChange(Player& player, const std::wstring& floorFile) {
  auto name = [](int i) { return L"C:\\Music\\Now\\Playing " + std::to_wstring(i) + L".mp3"; };
  player.objects.AddItem(name(0), L"first");
  player.Announce(RecordFor(name(0)), standin::kNotifyTrackStart);
  Figures figures;
  for (int i = 1; i <= 9; ++i) {
    player.block->Publish(RecordFor(name(i)));
    figures.lines = LinesLogged([&] {
      const double start = bench::NowSeconds();
      player.remote->Notify(standin::kNotifyTrackStart);
      standin::PumpMessages();
      figures.times.push_back(bench::NowSeconds() - start);
    });
    player.objects.AddItem(name(i), L"now");  // the next change removes it, last

    player.objects.AddItem(L"C:\\floor.mp3", L"floor");
    const double start = bench::NowSeconds();
    BareRecordRead();
    BareFileWrite(floorFile, "Playing.mp3");
    bench::BareRemovalPass(player.objects, "C:\\floor.mp3");
    for (int line = 0; line < figures.lines; ++line) bench::BareLogLine("PLAYLIST DELETE: SUCCESS.\r\n");
    figures.floor.push_back(bench::NowSeconds() - start);
  }
  return figures;
}

// The player's wait in SendMessage for a track start with a new name.
Figures MeasureWait(Player& player, const std::wstring& floorFile) {
  player.objects.playlist().items.clear();  // no removal work in the wait itself
  Figures figures;
  for (int i = 0; i < 300; ++i) {
    player.block->Publish(RecordFor(L"C:\\Music\\Wait\\" + std::to_wstring(i) + L".mp3"));
    figures.lines = LinesLogged([&] {
      const double start = bench::NowSeconds();
      player.remote->Notify(standin::kNotifyTrackStart);
      figures.times.push_back(bench::NowSeconds() - start);
    });
    standin::PumpMessages();
    const double start = bench::NowSeconds();
    BareRecordRead();
    BareFileWrite(floorFile, std::to_string(i) + ".mp3");
    for (int line = 0; line < figures.lines; ++line) bench::BareLogLine("REMOTE: AIMP_RA_NOTIFY_TRACK_START\r\n");
    figures.floor.push_back(bench::NowSeconds() - start);
  }
  return figures;
}

std::vector<double> MeasureLogLine() {
  std::vector<double> times;
  for (int i = 0; i < 2000; ++i) {
    const double start = bench::NowSeconds();
    dislist::WriteLogLine("PLAYLIST DELETE: SUCCESS.");
    times.push_back(bench::NowSeconds() - start);
  }
  return times;
}

void Print(const Figures& change, const Figures& wait, const std::vector<double>& line, std::uint64_t dllBytes) {
  const double changeTime = bench::Percentile(change.times, 0.5), changeBare = bench::Percentile(change.floor, 0.5);
  std::printf("%s build\n", sizeof(void*) == 8 ? "x64" : "x86");
  std::printf("track change, 100,000 items, previous last (median of %u): %.2f ms, floor %.2f ms, ratio %.2f (%d log lines)\n",
              static_cast<unsigned>(change.times.size()), changeTime * 1e3, changeBare * 1e3, changeTime / changeBare,
              change.lines);
  const double wait50 = bench::Percentile(wait.times, 0.5), wait90 = bench::Percentile(wait.times, 0.9);
  const double bare50 = bench::Percentile(wait.floor, 0.5), bare90 = bench::Percentile(wait.floor, 0.9);
  std::printf("SendMessage wait, track start with a new name (%u): median %.1f us (floor %.1f, ratio %.2f), p90 %.1f us (floor %.1f, ratio %.2f) (%d log lines)\n",
              static_cast<unsigned>(wait.times.size()), wait50 * 1e6, bare50 * 1e6, wait50 / bare50,
              wait90 * 1e6, bare90 * 1e6, wait90 / bare90, wait.lines);
  std::printf("one log line: median %.1f us\n", bench::Percentile(line, 0.5) * 1e6);
  std::printf("AIMP_Dislist.dll: %llu bytes\n", static_cast<unsigned long long>(dllBytes));
}

}  // namespace

int main() {
  const std::wstring folder = standin::ProgramFolder();
  const std::wstring dll = folder + L"AIMP_Dislist.dll";
  const std::wstring floorFile = folder + L"bench_floor.txt";
  Player player(dll);
  if (!player.plugin.ok()) {
    std::printf("cannot load %ls: %s\n", dll.c_str(), player.plugin.error().c_str());
    return 1;
  }
  constexpr int kItems = 100000;
  for (int i = 0; i < kItems - 1; ++i) {
    player.objects.AddItem(L"C:\\Music\\Artist\\Album\\Track " + std::to_wstring(i) + L".mp3", L"Title");
  }
  if (player.Start() != S_OK) {
    std::printf("start-up failed; is C:\\AIMPPlugin there and the Remote Access window up?\n");
    return 1;
  }
  const Figures change = MeasureTrackChange(player, floorFile);
  const Figures wait = MeasureWait(player, floorFile);
  player.Stop();
  player.plugin.Unload();
  ::DeleteFileW(floorFile.c_str());
  const std::vector<double> line = MeasureLogLine();
  Print(change, wait, line, standin::FileSize(dll));
  return 0;
}
