// Start-up and shut-down of the plug-in object.
#include "log/log.h"
#include "log/log_lines.h"
#include "plugin/plugin.h"

namespace dislist {

namespace {

void LogBanner() {
  static constexpr const char* kBanner[] = {
      log_lines::kEmptyLine,      log_lines::kBlockSeparator, log_lines::kBannerTitle,
      log_lines::kBlockSeparator, log_lines::kInitialized,    log_lines::kBannerMode,
      log_lines::kBannerNoHook,   log_lines::kBannerNoThread, log_lines::kBannerNoPlayer,
      log_lines::kBannerNoFileDeletion, log_lines::kBannerProtection, log_lines::kBlockSeparator};
  static_assert(log_lines::OpensWith(kBanner, log_lines::kRunOpening), "dislist-log begins a run at this shape");
  WriteLogLines(kBanner);
}

void LogReadyBlock() {
  static constexpr const char* kOpening[] = {log_lines::kEmptyLine, log_lines::kReady, log_lines::kReadyFileLabel};
  static constexpr const char* kClosing[] = {log_lines::kReadyDeletion, log_lines::kReadyNoFileDeletion,
                                             log_lines::kReadyProtection, log_lines::kReadyWaiting,
                                             log_lines::kBlockSeparator};
  WriteLogLines(kOpening);
  WriteLogLine(WideToUtf8(currentTrackFilePath.data(), currentTrackFilePath.size()));
  WriteLogLines(kClosing);
}

// Empties (or creates) the current-track file so that no name of an earlier
// run survives a new start-up. Never fails the start-up.
void CreateEmptyCurrentTrackFile() {
  UniqueFile file(::CreateFileW(currentTrackFilePath.c_str(), GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    const DWORD code = ::GetLastError();
    WriteLogLine(log_lines::kInitialCreateFailed);
    LogWindowsError(code, ErrorReasons::kExplain);
    return;
  }
  file.reset();
  WriteLogLine(log_lines::kInitialCreateSuccess);
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
    WriteLogLine(log_lines::kNoCore);
    return E_FAIL;
  }

  // The library's own handle, found from one of its addresses; its load
  // count is left alone so nothing has to be freed later.
  HMODULE library = nullptr;
  if (!::GetModuleHandleExW(
          GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
          reinterpret_cast<LPCWSTR>(&AIMPPluginGetHeader), &library)) {
    const DWORD code = ::GetLastError();
    WriteLogLine(log_lines::kModuleHandleFailed);
    LogWindowsError(code, ErrorReasons::kOmit);
    core = nullptr;
    return E_FAIL;
  }

  // A result of MAX_PATH means the path was cut short: that is a failure too.
  wchar_t modulePath[MAX_PATH] = {};
  const DWORD length = ::GetModuleFileNameW(library, modulePath, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) {
    const DWORD code = ::GetLastError();
    WriteLogLine(log_lines::kModuleFileNameFailed);
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
    WriteLogLine(log_lines::kNoDllFolder);
    core = nullptr;
    return E_FAIL;
  }
  const WideText pluginFolder(modulePath, folderLength);
  currentTrackFilePath = pluginFolder;
  currentTrackFilePath.append(kCurrentTrackFileName, sizeof kCurrentTrackFileName / sizeof(wchar_t) - 1);

  WriteLogLine(log_lines::kDllFolderLabel);
  WriteLogLine(WideToUtf8(pluginFolder.data(), pluginFolder.size()));
  WriteLogLine(log_lines::kCurrentTrackPathLabel);
  WriteLogLine(WideToUtf8(currentTrackFilePath.data(), currentTrackFilePath.size()));

  CreateEmptyCurrentTrackFile();

  const HRESULT queried = core->QueryInterface(IID_IAIMPServicePlaylistManager,
                                               playlistManager.put_void());
  WriteLogLine(log_lines::kManagerQueried + HresultHexText(queried));
  if (FAILED(queried) || !playlistManager) {
    WriteLogLine(log_lines::kManagerUnavailable);
    // A failed query hands over no reference, whatever it left behind.
    playlistManager.forget();
    core = nullptr;
    return E_FAIL;
  }
  WriteLogLine(log_lines::kManagerOk);
  lastWrittenFileName.clear();
  previousFileName.clear();
  currentFileName.clear();

  if (!CreateNotificationWindow()) {
    WriteLogLine(log_lines::kWindowFailed);
    playlistManager.reset();
    core = nullptr;
    return E_FAIL;
  }

  if (!RegisterRemoteNotify()) {
    WriteLogLine(log_lines::kRegistrationFailed);
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
    WriteLogLine(log_lines::kEmptyLine);
    WriteLogLine(log_lines::kFinalizeCalled);
    UnregisterRemoteNotify();
    ResetRunningState();
    WriteLogLine(log_lines::kFinalizeFinished);
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
