// One removal of the previous track from playlists of 1,000, 10,000 and
// 100,000 items, the match last, against its floor in the same run.
//
// The floor is what no implementation can avoid, done bare: the host calls
// (item by index, property 3, its data and length, the releases), one
// conversion per item into one reused buffer, an in-place comparison with
// the ASCII letters folded, the display text read and the delete at the
// match, and the demanded I/O (each of the removal's log lines opened,
// appended and closed). Nothing in the floor allocates per item.
#include <cstdio>

#include "bench/bare_removal.h"
#include "bench/bench_util.h"
#include "com_objects.h"
#include "plugin/plugin.h"

namespace {

using standin::HostObjects;

constexpr int kRemovalLogLines = 13;  // header 4, count, found 4, deleting 2, success, separator

void Floor(HostObjects& host, const std::string& previous) {
  bench::BareRemovalPass(host, previous);
  for (int line = 0; line < kRemovalLogLines; ++line) bench::BareLogLine("PLAYLIST DELETE: SUCCESS.\r\n");
}

}  // namespace

int main() {
  std::printf("removal of the last of N items (%s build): plug-in against its floor (median)\n",
              sizeof(void*) == 8 ? "x64" : "x86");
  std::printf("%10s %12s %12s %7s %14s\n", "items", "plug-in ms", "floor ms", "ratio", "ns per item");
  double smallest[2] = {0, 0}, largest[2] = {0, 0};
  for (int size : {1000, 10000, 100000}) {
    HostObjects host;
    for (int i = 0; i < size - 1; ++i) host.AddItem(L"C:\\Music\\Artist\\Album\\Track " + std::to_wstring(i) + L".mp3", L"Title");
    const std::wstring lastWide = L"C:\\Music\\Artist\\Album\\Last track.mp3";
    const std::string last = "C:\\Music\\Artist\\Album\\Last track.mp3";

    dislist::IAIMPPlugin* header = nullptr;
    AIMPPluginGetHeader(&header);
    auto* plugin = static_cast<dislist::AIMPDislistPlugin*>(header);
    host.core().QueryInterface(dislist::IID_IAIMPServicePlaylistManager, plugin->playlistManager.put_void());

    const int runs = size >= 100000 ? 7 : size >= 10000 ? 21 : 101;
    std::vector<double> pluginTimes, floorTimes;
    for (int run = 0; run < runs; ++run) {
      host.AddItem(lastWide, L"Last");
      double start = bench::NowSeconds();
      plugin->DeletePreviousTrackFromPlaylist(last);
      pluginTimes.push_back(bench::NowSeconds() - start);

      host.AddItem(lastWide, L"Last");
      start = bench::NowSeconds();
      Floor(host, last);
      floorTimes.push_back(bench::NowSeconds() - start);
    }
    plugin->playlistManager.reset();
    header->Release();

    const double pluginMedian = bench::Percentile(pluginTimes, 0.5);
    const double floorMedian = bench::Percentile(floorTimes, 0.5);
    std::printf("%10d %12.3f %12.3f %7.2f %14.1f\n", size, pluginMedian * 1e3, floorMedian * 1e3,
                pluginMedian / floorMedian, pluginMedian * 1e9 / size);
    if (size == 1000) smallest[0] = pluginMedian, smallest[1] = floorMedian;
    largest[0] = pluginMedian, largest[1] = floorMedian;
  }
  // Linear growth: the cost of each item beyond the first 1,000.
  std::printf("cost per item from 1,000 to 100,000 items: plug-in %.1f ns, floor %.1f ns\n",
              (largest[0] - smallest[0]) * 1e9 / 99000, (largest[1] - smallest[1]) * 1e9 / 99000);
  return 0;
}
