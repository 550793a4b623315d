#include "plugin/plugin.h"

#include <cstring>
#include <new>

namespace dislist {

AIMPDislistPlugin* pluginInstance = nullptr;
WideText currentTrackFilePath;

namespace {

// {00000000-0000-0000-C000-000000000046} as stored.
constexpr unsigned char kIUnknownBytes[16] = {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
                                              0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};

// The fourth text names the build, so a user can tell which one is loaded.
#ifdef _WIN64
constexpr wchar_t kBuildInfoText[] = L"AIMP SDK 5.40 x64 - Remote Access + Playlist";
#else
constexpr wchar_t kBuildInfoText[] = L"AIMP SDK 5.40 x86 - Remote Access + Playlist";
#endif

}  // namespace

// Only IUnknown is answered: the host never asks for more, and answering
// IAIMPPlugin itself is not part of the contract.
HRESULT WINAPI AIMPDislistPlugin::QueryInterface(REFIID iid, void** object) noexcept {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  if (std::memcmp(&iid, kIUnknownBytes, sizeof kIUnknownBytes) != 0) return E_NOINTERFACE;
  *object = static_cast<IAIMPPlugin*>(this);
  AddRef();
  return S_OK;
}

ULONG WINAPI AIMPDislistPlugin::AddRef() noexcept {
  return static_cast<ULONG>(::InterlockedIncrement(&refCount));
}

ULONG WINAPI AIMPDislistPlugin::Release() noexcept {
  const ULONG count = static_cast<ULONG>(::InterlockedDecrement(&refCount));
  if (count == 0) {
    if (pluginInstance == this) pluginInstance = nullptr;
    // Without Finalize the window may still be bound to this object, and the
    // playlist manager's reference is the host's to settle: this may be
    // another thread, after the host has taken its services down, so no
    // host interface is called here.
    DetachNotificationWindow();
    playlistManager.forget();
    delete this;
  }
  return count;
}

const WCHAR* WINAPI AIMPDislistPlugin::GetInfoText(int index) noexcept {
  switch (index) {
    case 0: return L"AIMP Dislist";
    case 1: return L"Velk";
    case 2: return L"Dislist tracks from playlist";
    case 3: return kBuildInfoText;
    default: return nullptr;
  }
}

DWORD WINAPI AIMPDislistPlugin::GetCategories() noexcept { return 1; }

void WINAPI AIMPDislistPlugin::Notify(int, IUnknown*) noexcept {}

}  // namespace dislist

extern "C" HRESULT WINAPI AIMPPluginGetHeader(dislist::IAIMPPlugin** header) noexcept {
  using dislist::pluginInstance;
  if (header == nullptr) return E_POINTER;
  if (pluginInstance != nullptr) {
    pluginInstance->AddRef();
    *header = pluginInstance;
    return S_OK;
  }
  auto* plugin = new (std::nothrow) dislist::AIMPDislistPlugin();
  if (plugin == nullptr) {
    *header = nullptr;
    return E_OUTOFMEMORY;
  }
  pluginInstance = plugin;
  *header = plugin;
  return S_OK;
}
