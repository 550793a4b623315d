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
#include "log/log.h"
#include "player.h"

namespace {

using standin::Player;
using standin::RecordFor;

std::wstring ProgramFolder() {
  wchar_t self[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring path(self);
  return path.substr(0, path.find_last_of(L"\\/") + 1);
}

std::size_t LogSize() {
  WIN32_FILE_ATTRIBUTE_DATA data = {};
  if (!::GetFileAttributesExW(dislist::kLogFilePath, GetFileExInfoStandard, &data)) return 0;
  return data.nFileSizeLow;
}

int LinesLogged(const std::function<void()>& step) {
  const std::size_t before = LogSize();
  step();
  std::string bytes;
  HANDLE file = ::CreateFileW(dislist::kLogFilePath, GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  ::SetFilePointer(file, static_cast<LONG>(before), nullptr, FILE_BEGIN);
  char buffer[65536];
  DWORD read = 0;
  while (::ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) bytes.append(buffer, read);
  ::CloseHandle(file);
  int lines = 0;
  for (std::size_t at = bytes.find("\r\n"); at != std::string::npos; at = bytes.find("\r\n", at + 2)) ++lines;
  return lines;
}

// One read of the shared record, as bare as it can be.
void BareRecordRead() {
  HANDLE mapping = ::OpenFileMappingA(FILE_MAP_READ, FALSE, "AIMP2_RemoteInfo");
  const void* view = ::MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0);
  MEMORY_BASIC_INFORMATION region;
  ::VirtualQuery(view, &region, sizeof region);
  const auto* bytes = static_cast<const unsigned char*>(view);
  std::size_t cursor = 88;
  for (int i = 0; i < 6; ++i) {
    const std::uint32_t units = *reinterpret_cast<const std::uint32_t*>(bytes + 40 + 4 * i);
    const std::string text = dislist::WideToUtf8(reinterpret_cast<const wchar_t*>(bytes + cursor), units);
    cursor += 2 * units;
  }
  ::UnmapViewOfFile(view);
  ::CloseHandle(mapping);
}

void BareFileWrite(const std::wstring& path, const std::string& name) {
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 7, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  ::WriteFile(file, name.data(), static_cast<DWORD>(name.size()), &written, nullptr);
  ::FlushFileBuffers(file);
  ::CloseHandle(file);
}

}  // namespace

int main() {
  const std::wstring folder = ProgramFolder();
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

  // Whole track change: track start until the previous item (last) is gone.
  auto name = [](int i) { return L"C:\\Music\\Now\\Playing " + std::to_wstring(i) + L".mp3"; };
  player.objects.AddItem(name(0), L"first");
  player.Announce(RecordFor(name(0)), standin::kNotifyTrackStart);
  int changeLines = 0;
  std::vector<double> changeTimes, changeFloor;
  for (int i = 1; i <= 9; ++i) {
    player.block->Publish(RecordFor(name(i)));
    auto step = [&] {
      const double start = bench::NowSeconds();
      player.remote->Notify(standin::kNotifyTrackStart);
      standin::PumpMessages();
      changeTimes.push_back(bench::NowSeconds() - start);
    };
    changeLines = LinesLogged(step);
    player.objects.AddItem(name(i), L"now");  // the next change removes it, last

    player.objects.AddItem(L"C:\\floor.mp3", L"floor");
    const double start = bench::NowSeconds();
    BareRecordRead();
    BareFileWrite(floorFile, "Playing.mp3");
    bench::BareRemovalPass(player.objects, "C:\\floor.mp3");
    for (int line = 0; line < changeLines; ++line) bench::BareLogLine("PLAYLIST DELETE: SUCCESS.\r\n");
    changeFloor.push_back(bench::NowSeconds() - start);
  }

  // The player's wait in SendMessage for a track start with a new name.
  player.objects.playlist().items.clear();  // no removal work in the wait itself
  std::vector<double> waitTimes, waitFloor;
  int waitLines = 0;
  for (int i = 0; i < 300; ++i) {
    player.block->Publish(RecordFor(L"C:\\Music\\Wait\\" + std::to_wstring(i) + L".mp3"));
    waitLines = LinesLogged([&] {
      const double start = bench::NowSeconds();
      player.remote->Notify(standin::kNotifyTrackStart);
      waitTimes.push_back(bench::NowSeconds() - start);
    });
    standin::PumpMessages();
    const double start = bench::NowSeconds();
    BareRecordRead();
    BareFileWrite(floorFile, std::to_string(i) + ".mp3");
    for (int line = 0; line < waitLines; ++line) bench::BareLogLine("REMOTE: AIMP_RA_NOTIFY_TRACK_START\r\n");
    waitFloor.push_back(bench::NowSeconds() - start);
  }
  player.Stop();
  player.plugin.Unload();
  ::DeleteFileW(floorFile.c_str());

  // One log line.
  std::vector<double> lineTimes;
  for (int i = 0; i < 2000; ++i) {
    const double start = bench::NowSeconds();
    dislist::WriteLogLine("PLAYLIST DELETE: SUCCESS.");
    lineTimes.push_back(bench::NowSeconds() - start);
  }

  WIN32_FILE_ATTRIBUTE_DATA data = {};
  ::GetFileAttributesExW(dll.c_str(), GetFileExInfoStandard, &data);

  const double change = bench::Percentile(changeTimes, 0.5), changeBare = bench::Percentile(changeFloor, 0.5);
  std::printf("%s build\n", sizeof(void*) == 8 ? "x64" : "x86");
  std::printf("track change, 100,000 items, previous last (median of %u): %.2f ms, floor %.2f ms, ratio %.2f (%d log lines)\n",
              static_cast<unsigned>(changeTimes.size()), change * 1e3, changeBare * 1e3, change / changeBare, changeLines);
  const double wait50 = bench::Percentile(waitTimes, 0.5), wait90 = bench::Percentile(waitTimes, 0.9);
  const double bare50 = bench::Percentile(waitFloor, 0.5), bare90 = bench::Percentile(waitFloor, 0.9);
  std::printf("SendMessage wait, track start with a new name (%u): median %.1f us (floor %.1f, ratio %.2f), p90 %.1f us (floor %.1f, ratio %.2f) (%d log lines)\n",
              static_cast<unsigned>(waitTimes.size()), wait50 * 1e6, bare50 * 1e6, wait50 / bare50,
              wait90 * 1e6, bare90 * 1e6, wait90 / bare90, waitLines);
  std::printf("one log line: median %.1f us\n", bench::Percentile(lineTimes, 0.5) * 1e6);
  std::printf("AIMP_Dislist.dll: %lu bytes\n", data.nFileSizeLow);
  return 0;
}
