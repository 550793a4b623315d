// Start-up and shut-down of the plug-in object.
#include "log/log.h"
#include "log/separators.h"
#include "plugin/plugin.h"

namespace dislist {

namespace {

constexpr wchar_t kCurrentTrackFileName[] = L"AIMP_CURRENT_TRACK.txt";

void LogBanner() {
  WriteLogLine("");
  WriteLogLine(kBlockSeparator);
  WriteLogLine("AIMP Dislist");
  WriteLogLine(kBlockSeparator);
  WriteLogLine("Plugin initialized.");
  WriteLogLine("Remote Access + Playlist deletion.");
  WriteLogLine("NO IAIMPMessageHook.");
  WriteLogLine("NO worker thread.");
  WriteLogLine("NO IAIMPServicePlayer.");
  WriteLogLine("Physical file deletion: NO.");
  WriteLogLine("!DELETE protection: YES.");
  WriteLogLine(kBlockSeparator);
}

void LogReadyBlock() {
  WriteLogLine("");
  WriteLogLine("PLUGIN READY.");
  WriteLogLine("CURRENT TRACK FILE:");
  WriteLogLine(WideToUtf8(currentTrackFilePath.data(), currentTrackFilePath.size()));
  WriteLogLine("PLAYLIST DELETE: ENABLED.");
  WriteLogLine("PHYSICAL DELETE: DISABLED.");
  WriteLogLine("!DELETE PROTECTION: ENABLED.");
  WriteLogLine("Waiting for track notifications...");
  WriteLogLine(kBlockSeparator);
}

// Empties (or creates) the current-track file so that no name of an earlier
// run survives a new start-up. Never fails the start-up.
void CreateEmptyCurrentTrackFile() {
  UniqueFile file(::CreateFileW(currentTrackFilePath.c_str(), GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    const DWORD code = ::GetLastError();
    WriteLogLine("CURRENT TRACK FILE: INITIAL CREATE FAILED.");
    LogWindowsError(code, ErrorReasons::kExplain);
    return;
  }
  file.reset();
  WriteLogLine("CURRENT TRACK FILE: INITIAL CREATE SUCCESS.");
}

}  // namespace

HRESULT WINAPI AIMPDislistPlugin::Initialize(IAIMPCore* hostCore) noexcept {
  try {
    return InitializeSteps(hostCore);
  } catch (...) {
    // Out of memory mid-way: leave nothing half-running, and tell the host
    // first if the window had been registered.
    SendUnregisterCommand();
    remoteWindow = nullptr;
    DetachNotificationWindow();
    playlistManager.reset();
    core = nullptr;
    return E_FAIL;
  }
}

HRESULT AIMPDislistPlugin::InitializeSteps(IAIMPCore* hostCore) {
  LogBanner();

  core = hostCore;
  if (core == nullptr) {
    WriteLogLine("ERROR: IAIMPCore is NULL.");
    return E_FAIL;
  }

  // The library's own handle, found from one of its addresses; its load
  // count is left alone so nothing has to be freed later.
  HMODULE library = nullptr;
  if (!::GetModuleHandleExW(
          GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
          reinterpret_cast<LPCWSTR>(&AIMPPluginGetHeader), &library)) {
    const DWORD code = ::GetLastError();
    WriteLogLine("ERROR: GetModuleHandleExW FAILED.");
    LogWindowsError(code, ErrorReasons::kOmit);
    core = nullptr;
    return E_FAIL;
  }

  // A result of MAX_PATH means the path was cut short: that is a failure too.
  wchar_t modulePath[MAX_PATH] = {};
  const DWORD length = ::GetModuleFileNameW(library, modulePath, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) {
    const DWORD code = ::GetLastError();
    WriteLogLine("ERROR: GetModuleFileNameW FAILED.");
    LogWindowsError(code, ErrorReasons::kOmit);
    core = nullptr;
    return E_FAIL;
  }

  // Either separator counts; the later one wins.
  std::size_t folderLength = 0;
  for (std::size_t i = 0; i < length; ++i) {
    if (modulePath[i] == L'\\' || modulePath[i] == L'/') folderLength = i + 1;
  }
  if (folderLength == 0) {
    WriteLogLine("ERROR: Unable to determine DLL folder.");
    core = nullptr;
    return E_FAIL;
  }
  const WideText pluginFolder(modulePath, folderLength);
  currentTrackFilePath = pluginFolder;
  currentTrackFilePath.append(kCurrentTrackFileName, sizeof kCurrentTrackFileName / sizeof(wchar_t) - 1);

  WriteLogLine("PLUGIN DLL FOLDER:");
  WriteLogLine(WideToUtf8(pluginFolder.data(), pluginFolder.size()));
  WriteLogLine("CURRENT TRACK FILE PATH:");
  WriteLogLine(WideToUtf8(currentTrackFilePath.data(), currentTrackFilePath.size()));

  CreateEmptyCurrentTrackFile();

  const HRESULT queried = core->QueryInterface(IID_IAIMPServicePlaylistManager,
                                               playlistManager.put_void());
  WriteLogLine("Playlist manager QueryInterface HRESULT: 0x" + HresultHexText(queried));
  if (FAILED(queried) || !playlistManager) {
    WriteLogLine("ERROR: Playlist manager unavailable.");
    // A failed query hands over no reference, whatever it left behind.
    playlistManager.forget();
    core = nullptr;
    return E_FAIL;
  }
  WriteLogLine("Playlist manager: OK.");
  lastWrittenFileName.clear();
  previousFileName.clear();
  currentFileName.clear();

  if (!CreateNotificationWindow()) {
    WriteLogLine("REMOTE: notification window creation FAILED.");
    playlistManager.reset();
    core = nullptr;
    return E_FAIL;
  }

  if (!RegisterRemoteNotify()) {
    WriteLogLine("REMOTE: registration FAILED.");
    DetachNotificationWindow();
    playlistManager.reset();
    core = nullptr;
    return E_FAIL;
  }

  LogReadyBlock();
  return S_OK;
}

HRESULT WINAPI AIMPDislistPlugin::Finalize() noexcept {
  try {
    WriteLogLine("");
    WriteLogLine("Finalize called.");
    UnregisterRemoteNotify();
    ResetRunningState();
    WriteLogLine("Finalize finished.");
  } catch (...) {
    // Out of memory while building a log line: still take everything down,
    // the host hearing of it before the window goes.
    SendUnregisterCommand();
    remoteWindow = nullptr;
    DetachNotificationWindow();
    ResetRunningState();
  }
  return S_OK;
}

void AIMPDislistPlugin::ResetRunningState() noexcept {
  playlistManager.reset();
  core = nullptr;
  lastWrittenFileName.clear();
  previousFileName.clear();
  currentFileName.clear();
  currentTrackFilePath.clear();
}

}  // namespace dislist
