// The removal pass makes no heap allocation per playlist item: a pass over
// 10,000 items allocates exactly as often as one over 1,000. Every
// allocation of this test program is counted while `counting` is set, except
// the stand-in host's own (it makes a string object per property read).
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>

#include "support/plugin_fixture.h"

namespace {
bool counting = false;
long allocations = 0;
}  // namespace

void* operator new(std::size_t size) {
  if (counting && standin::HostCallDepth() == 0) ++allocations;
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

}  // namespace
}  // namespace dislist
