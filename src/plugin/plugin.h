// The plug-in object: the host's IAIMPPlugin and the one holder of run-time
// state. Its operations live in the folder of the subsystem they belong to.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "base/owners.h"
#include "base/wide_text.h"
#include "plugin/host_sdk.h"
#include "remote/notify_window.h"

namespace dislist {

class AIMPDislistPlugin final : public IAIMPPlugin {
 public:
  AIMPDislistPlugin() noexcept = default;
  AIMPDislistPlugin(const AIMPDislistPlugin&) = delete;
  AIMPDislistPlugin& operator=(const AIMPDislistPlugin&) = delete;

  // IAIMPPlugin, in the host's slot order. Nothing ever leaves them by
  // exception.
  HRESULT WINAPI QueryInterface(REFIID iid, void** object) noexcept override;
  ULONG WINAPI AddRef() noexcept override;
  ULONG WINAPI Release() noexcept override;
  const WCHAR* WINAPI GetInfoText(int index) noexcept override;
  DWORD WINAPI GetCategories() noexcept override;
  HRESULT WINAPI Initialize(IAIMPCore* core) noexcept override;
  HRESULT WINAPI Finalize() noexcept override;
  void WINAPI Notify(int notifyId, IUnknown* data) noexcept override;

  // Remote Access link (remote/).
  bool CreateNotificationWindow();
  LRESULT HandleWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  bool RegisterRemoteNotify();
  void UnregisterRemoteNotify();
  // Sends the host the unregister command when both windows are known; true
  // when it was sent. Used by the exception paths too, so it cannot throw.
  bool SendUnregisterCommand() noexcept;
  // The one teardown of the window, for Finalize and for an object that goes
  // without it: unbinds it from this object, then destroys it, or has its
  // own thread close it.
  void DetachNotificationWindow() noexcept;
  bool ReadRemoteTrackInfo(std::string& title, std::string& artist, std::string& album,
                           std::string& fileName, std::string& genre, std::string& date,
                           std::uint32_t& duration, std::uint32_t& bitRate,
                           std::uint32_t& sampleRate, std::uint32_t& channels);

  // Track follow-up (track/).
  // Runs the track change of a posted message, or, when one is already
  // running further up this thread's stack, has it run once more after it.
  void RunTrackChange();
  void ProcessTrackChange();
  void LogTrackReport();

  // Playlist removal (playlist/).
  void DeletePreviousTrackFromPlaylist(const std::string& previousFile);

  // Run-time state, in declaration order. Used only on the thread that calls
  // Initialize, apart from refCount.
  volatile LONG refCount = 1;
  UniqueNotificationWindow notifyWindow;  // ours: destroyed by Finalize
  HWND remoteWindow = nullptr;            // the host's window: never destroyed here
  IAIMPCore* core = nullptr;              // borrowed: never released
  ComPtr<IAIMPServicePlaylistManager> playlistManager;
  std::string lastWrittenFileName;
  std::string previousFileName;
  std::string currentFileName;
  // A track change is running on this thread, and whether another message
  // asked for one meanwhile: the player may run the thread's messages
  // inside any of its calls, and a change nested in another would move the
  // playlist under the outer pass.
  bool trackChangeRunning = false;
  bool trackChangePending = false;

 private:
  // Only the last Release destroys the object.
  ~AIMPDislistPlugin() = default;

  HRESULT InitializeSteps(IAIMPCore* core);
  // Releases the host service and empties all track state and the path.
  void ResetRunningState() noexcept;
};

// The one plug-in object of this library, or null. Reset when the object is
// destroyed, so a later request makes a fresh object.
extern AIMPDislistPlugin* pluginInstance;

// Full path of the current-track file; set by Initialize, emptied by Finalize.
extern WideText currentTrackFilePath;

}  // namespace dislist

extern "C" HRESULT WINAPI AIMPPluginGetHeader(dislist::IAIMPPlugin** header) noexcept;
