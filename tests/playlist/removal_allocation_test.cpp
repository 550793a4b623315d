// The removal pass makes no heap allocation per playlist item: a pass over
// 10,000 items allocates exactly as often as one over 1,000; and a track
// change that runs out of memory anywhere keeps a track to follow. Every
// allocation of this test program is counted while `counting` is set, except
// the stand-in host's own (it makes a string object per property read), and
// from the one numbered `failAt` on, all fail.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>

#include "support/plugin_fixture.h"

namespace {
bool counting = false;
long allocations = 0;
long failAt = 0;
}  // namespace

void* operator new(std::size_t size) {
  if (counting && standin::HostCallDepth() == 0 && ++allocations >= failAt && failAt > 0) {
    throw std::bad_alloc();
  }
  if (void* memory = std::malloc(size == 0 ? 1 : size)) return memory;
  throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return ::operator new(size); }
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete[](void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete[](void* memory, std::size_t) noexcept { std::free(memory); }

namespace dislist {
namespace {

// Names of one length, so no pass needs a longer buffer than another.
std::wstring TrackName(int number) {
  wchar_t name[64];
  std::swprintf(name, 64, L"C:\\Music\\Artist\\Album\\Track %05d.mp3", number);
  return name;
}

class RemovalAllocations : public testing_support::LinkedPlugin {
 protected:
  // Allocations of one pass over the playlist grown to `items`, whose last
  // item is the previous track.
  long PassOver(int items) {
    while (static_cast<int>(host.playlist().items.size()) < items - 1) {
      host.AddItem(TrackName(static_cast<int>(host.playlist().items.size())), L"Title");
    }
    host.AddItem(L"C:\\Music\\Artist\\Album\\Track match.mp3", L"Now");
    allocations = 0;
    counting = true;
    plugin->DeletePreviousTrackFromPlaylist("c:\\music\\artist\\album\\track MATCH.mp3");
    counting = false;
    return allocations;
  }
};

TEST_F(RemovalAllocations, DoNotGrowWithTheNumberOfItems) {
  const long small = PassOver(1000);
  const long large = PassOver(10000);
  EXPECT_EQ(host.playlist().items.size(), 9999u) << "both matches were removed";
  EXPECT_GT(small, 0) << "the counter counts the plug-in's allocations";
  EXPECT_EQ(large, small) << "allocations per pass: " << small << " over 1,000 items, " << large
                          << " over 10,000";
}

// Memory runs out at each allocation of a track change in turn: the track
// followed is then the old one or the new one, never none (which would log
// the next change as a first track and remove nothing).
TEST_F(RemovalAllocations, RunningOutOfMemoryInATrackChangeKeepsATrackToFollow) {
  const std::string before = "C:\\Music\\Artist\\Album\\Track before.mp3";
  const std::string after = "C:\\Music\\Artist\\Album\\Track after.mp3";
  host.AddItem(L"C:\\Music\\Artist\\Album\\Track before.mp3", L"Title");
  bool completed = false;
  for (long failing = 1; !completed && failing < 200; ++failing) {
    plugin->previousFileName = before;
    plugin->currentFileName = after;
    allocations = 0;
    failAt = failing;
    counting = true;
    try {
      plugin->ProcessTrackChange();
      completed = true;
    } catch (const std::bad_alloc&) {
    }
    counting = false;
    failAt = 0;
    EXPECT_TRUE(plugin->previousFileName == before || plugin->previousFileName == after)
        << "allocation " << failing << " failed; following \"" << plugin->previousFileName << '"';
  }
  EXPECT_TRUE(completed);
  EXPECT_EQ(plugin->previousFileName, after);
}

}  // namespace
}  // namespace dislist
