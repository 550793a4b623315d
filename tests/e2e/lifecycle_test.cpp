// Loading, unloading and loading again in one process, and a long run.
#include <windows.h>

#include <functional>
#include <thread>

#include "base/names.h"
#include "base/owners.h"
#include "support/e2e_fixture.h"
#include "remote/remote_access.h"
#include "stdcall_check.h"

namespace testing_support {
namespace {

using standin::Player;
using standin::RecordFor;

constexpr const wchar_t* kNotifyClass = dislist::kNotifyWindowClass;

// Lowest free handle slot: a handle leaked by the plug-in keeps it taken.
ULONG_PTR LowestFreeHandle() {
  const dislist::UniqueHandle probe(::CreateEventW(nullptr, FALSE, FALSE, nullptr));
  return reinterpret_cast<ULONG_PTR>(probe.get());
}

SIZE_T ImageSize(HMODULE module) {
  const auto* base = reinterpret_cast<const char*>(module);
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  return reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew)->OptionalHeader.SizeOfImage;
}

TEST(Lifecycle, LoadedAgainElsewhereTheWindowReachesTheNewObject) {
  TempDir first;
  TempDir second;
  LogCapture log;
  const std::wstring firstDll = CopyDllInto(first.path());
  const std::wstring secondDll = CopyDllInto(second.path(), L"AIMP_Dislist.dll");

  void* oldBase = nullptr;
  SIZE_T oldSize = 0;
  {
    Player player(firstDll);
    ASSERT_TRUE(player.plugin.ok()) << player.plugin.error();
    ASSERT_EQ(player.Start(), S_OK);
    player.Play(RecordFor(L"C:\\one.mp3"));
    player.Stop();
    oldBase = player.plugin.module();
    oldSize = ImageSize(player.plugin.module());
    EXPECT_EQ(player.plugin.Unload(), 0u);
  }
  // Keep the old library's addresses unusable, so a class still pointing at
  // its window procedure would crash instead of finding new code there.
  void* reserved = ::VirtualAlloc(oldBase, oldSize, MEM_RESERVE, PAGE_NOACCESS);
  ASSERT_NE(reserved, nullptr);

  Player player(secondDll);
  ASSERT_TRUE(player.plugin.ok()) << player.plugin.error();
  EXPECT_NE(static_cast<void*>(player.plugin.module()), oldBase);
  ASSERT_EQ(player.Start(), S_OK);
  log.Skip();
  player.Play(RecordFor(L"C:\\two.mp3"));
  EXPECT_EQ(ReadFileBytes(second.path() + testing_support::kCurrentTrackFile), "two.mp3");
  EXPECT_EQ(ReadFileBytes(first.path() + testing_support::kCurrentTrackFile), "one.mp3");
  const auto lines = log.NewLines();
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.back(), "CURRENT: C:\\two.mp3");
  player.Stop();
  player.plugin.Unload();
  ::VirtualFree(reserved, 0, MEM_RELEASE);
}

TEST(Lifecycle, ObjectReleasedWithoutFinalizeLeavesNoLiveWindow) {
  TempDir dir;
  LogCapture log;
  Player player(CopyDllInto(dir.path()));
  ASSERT_EQ(player.Start(), S_OK);
  const HWND window = player.remote->registered;
  // The last Release and FreeLibrary with no Finalize before them.
  const LONG hostCalls = standin::HostCalls();
  EXPECT_EQ(player.plugin.Unload(), 0u);
  EXPECT_EQ(standin::HostCalls(), hostCalls) << "the last Release calls no host interface";
  EXPECT_FALSE(::IsWindow(window));
  EXPECT_EQ(standin::CountMessageOnlyWindows(kNotifyClass), 0);
  EXPECT_EQ(player.objects.manager().refs(), 2) << "the plug-in's reference is left to the host";
}

// Runs `work` on a thread of its own while this thread answers the messages
// sent to its windows (the host's window lives here), but runs none of the
// posted ones. Fails the test if the thread has not ended within 10 s.
DWORD WINAPI RunJob(LPVOID job) {
  (*static_cast<std::function<void()>*>(job))();
  return 0;
}

void OnAnotherThread(const std::function<void()>& work) {
  std::function<void()> job = work;
  const dislist::UniqueHandle owner(::CreateThread(nullptr, 0, RunJob, &job, 0, nullptr));
  ASSERT_TRUE(owner.valid());
  HANDLE thread = owner.get();
  const ULONGLONG deadline = ::GetTickCount64() + 10000;
  DWORD woke = WAIT_TIMEOUT;
  while ((woke = ::MsgWaitForMultipleObjects(1, &thread, FALSE, 100, QS_SENDMESSAGE)) != WAIT_OBJECT_0) {
    if (::GetTickCount64() > deadline) break;
    MSG message;
    ::PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  }
  EXPECT_EQ(woke, WAIT_OBJECT_0) << "the other thread did not end within 10 s";
  if (woke != WAIT_OBJECT_0) ::TerminateThread(thread, 1);
}

// The host's last Release comes from another thread, with no Finalize: that
// thread cannot destroy the window, and messages still on their way to it
// (a queued track change, the host's next notification) must not reach the
// freed object. The host then unloads the library and loads it again before
// this thread has run any message, with the old image's addresses taken if
// it was unloaded: the new load must start and hear tracks itself. Its
// Finalize then comes from another thread too.
TEST(Lifecycle, LastReleaseOnAnotherThreadLeavesTheWindowHarmless) {
  TempDir first;
  TempDir second;
  LogCapture log;
  Player player(CopyDllInto(first.path()));
  ASSERT_EQ(player.Start(), S_OK);
  const HWND window = player.remote->registered;
  player.block->Publish(RecordFor(L"C:\\Music\\x.mp3"));
  ::PostMessageW(window, dislist::TRACK_CHANGE_MESSAGE, 0, 0);
  log.Skip();

  standin::IAIMPPlugin* object = player.plugin.TakeObject();
  const LONG hostCalls = standin::HostCalls();
  ULONG count = 99;
  std::thread host([object, &count] { count = object->Release(); });
  host.join();
  EXPECT_EQ(count, 0u);
  EXPECT_EQ(standin::HostCalls(), hostCalls) << "the last Release calls no host interface";
  EXPECT_EQ(player.objects.manager().refs(), 2) << "the plug-in's reference is left to the host";
  EXPECT_EQ(player.remote->Notify(standin::kNotifyTrackStart), 0);

  const HMODULE oldImage = player.plugin.module();
  const SIZE_T oldSize = ImageSize(oldImage);
  player.plugin.Unload();
  // A message still sent to the old window reaches no unloaded code.
  ::SendMessageW(window, standin::kRaNotifyMessage, standin::kNotifyTrackStart, 0);
  HMODULE kept = nullptr;
  void* reserved = nullptr;
  if (!::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            reinterpret_cast<LPCWSTR>(oldImage), &kept)) {
    reserved = ::VirtualAlloc(oldImage, oldSize, MEM_RESERVE, PAGE_NOACCESS);
    ASSERT_NE(reserved, nullptr);
  }
  EXPECT_EQ(log.NewLines(), std::vector<std::string>{});

  standin::LoadedPlugin again(CopyDllInto(second.path()));
  ASSERT_TRUE(again.ok()) << again.error();
  ASSERT_EQ(again->Initialize(&player.objects.core()), S_OK);
  const HWND newWindow = player.remote->registered;
  log.Skip();
  player.Play(RecordFor(L"C:\\Music\\y.mp3"));
  EXPECT_EQ(ReadFileBytes(second.path() + testing_support::kCurrentTrackFile), "y.mp3");
  const auto lines = log.NewLines();
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.back(), "CURRENT: C:\\Music\\y.mp3");
  EXPECT_FALSE(::IsWindow(window)) << "closed by its own thread";

  // Finalize on a thread that does not own the window: it is unbound there
  // and closed by its own thread, and the host still hears the unregister.
  log.Skip();
  HRESULT finalized = E_FAIL;
  OnAnotherThread([&again, &finalized] { finalized = again->Finalize(); });
  EXPECT_EQ(finalized, S_OK);
  EXPECT_EQ(log.NewLines(), (std::vector<std::string>{"", "Finalize called.",
                                                      "REMOTE: notification unregistered.",
                                                      "Finalize finished."}));
  log.Skip();
  ::SendMessageW(newWindow, standin::kRaNotifyMessage, standin::kNotifyTrackStart, 0);
  EXPECT_EQ(again.Unload(), 0u);
  standin::PumpMessages();
  EXPECT_FALSE(::IsWindow(newWindow));
  EXPECT_EQ(log.NewLines(), std::vector<std::string>{});
  player.objects.manager().baseline = 2;  // the first load's, left to the host
  EXPECT_EQ(player.objects.Unbalanced(), "");
  if (reserved != nullptr) ::VirtualFree(reserved, 0, MEM_RELEASE);
}

#if defined(__i386__)
// Every slot of the plug-in's table, called as the 32-bit player calls it:
// each must give its result and leave the stack exactly as stdcall demands.
TEST(Lifecycle, EverySlotIsCalledAsThePlayerCallsIt) {
  TempDir dir;
  LogCapture log;
  standin::LoadedPlugin plugin(CopyDllInto(dir.path()));
  ASSERT_TRUE(plugin.ok()) << plugin.error();
  void* object = plugin.get();
  auto call = [object](int slot, std::initializer_list<std::uint32_t> arguments) {
    return standin::CallSlotAsPlayer(object, slot, arguments.begin(), static_cast<int>(arguments.size()));
  };
  const GUID iunknown = {0, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
  void* same = nullptr;
  struct Expected {
    const char* name;
    standin::SlotCall call;
    std::uint32_t result;
  } expected[] = {
      {"QueryInterface",
       call(0, {reinterpret_cast<std::uintptr_t>(&iunknown), reinterpret_cast<std::uintptr_t>(&same)}), 0},
      {"AddRef", call(1, {}), 3},
      {"Release", call(2, {}), 2},
      {"GetCategories", call(4, {}), 1},
      {"Initialize", call(5, {0}), static_cast<std::uint32_t>(E_FAIL)},
      {"Finalize", call(6, {}), 0},
      {"Notify", call(7, {0, 0}), 0},
      {"Release", call(2, {}), 1},
  };
  for (const Expected& e : expected) {
    EXPECT_EQ(e.call.stackDrift, 0) << e.name;
    if (std::string(e.name) != "Notify") {
      EXPECT_EQ(e.call.result, e.result) << e.name;
    }
  }
  EXPECT_EQ(same, object);
  const standin::SlotCall text = call(3, {3});
  EXPECT_EQ(text.stackDrift, 0);
  EXPECT_STREQ(reinterpret_cast<const wchar_t*>(text.result),
               L"AIMP SDK 5.40 x86 - Remote Access + Playlist");
}
#endif

TEST_F(EndToEnd, SoakOfTwoThousandTrackChanges) {
  for (int i = 0; i < 2000; ++i) {
    player->objects.AddItem(L"C:\\Music\\" + std::to_wstring(i) + L".mp3",
                            i % 10 == 0 ? L"keep !delete" : L"");
  }
  StartQuietly();
  player->objects.manager().baseline = 2;  // the plug-in's own, until Finalize
  player->Play(RecordFor(L"C:\\Music\\0.mp3"));
  const ULONG_PTR handleBefore = LowestFreeHandle();
  const int windowsBefore = standin::CountMessageOnlyWindows(nullptr);
  for (int i = 1; i <= 2000; ++i) {
    player->Play(RecordFor(L"C:\\Music\\" + std::to_wstring(i % 2000) + L".mp3"));
    ASSERT_EQ(player->objects.Unbalanced(), "") << "after track change " << i;
  }
  EXPECT_EQ(LowestFreeHandle(), handleBefore);
  EXPECT_EQ(standin::CountMessageOnlyWindows(nullptr), windowsBefore);
  EXPECT_EQ(standin::CountMessageOnlyWindows(kNotifyClass), 1);
  // Every tenth track is protected; all others were removed as they ended.
  EXPECT_EQ(player->objects.FileNames().size(), 200u);
  EXPECT_EQ(CurrentTrackFile(), "0.mp3");
  player->objects.manager().baseline = 1;
}

}  // namespace
}  // namespace testing_support
