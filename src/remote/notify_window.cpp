#include "remote/notify_window.h"

#include "log/log.h"
#include "log/log_lines.h"
#include "plugin/plugin.h"
#include "remote/remote_access.h"
#include "track/current_track_file.h"

namespace dislist {

void UnregisterNotificationWindowClass() noexcept {
  ::UnregisterClassW(kNotifyWindowClass, ::GetModuleHandleW(nullptr));
}

bool AIMPDislistPlugin::CreateNotificationWindow() {
  // Registered under the host executable, not this library. An existing
  // registration is not an error: creation goes ahead with it.
  const HINSTANCE host = ::GetModuleHandleW(nullptr);
  // A class left behind by an earlier load whose window was closed by its
  // own thread may name that load's procedure: drop it while no window of it
  // is left (this fails harmlessly otherwise).
  UnregisterNotificationWindowClass();
  WNDCLASSW windowClass = {};
  windowClass.lpfnWndProc = NotificationWindowProc;
  windowClass.hInstance = host;
  windowClass.lpszClassName = kNotifyWindowClass;
  ::RegisterClassW(&windowClass);

  notifyWindow.reset(::CreateWindowExW(0, kNotifyWindowClass, kNotifyWindowName, 0, 0, 0, 0, 0,
                                       HWND_MESSAGE, nullptr, host, this));
  if (!notifyWindow) {
    UnregisterNotificationWindowClass();
    WriteLogLine(log_lines::kWindowCreateFailed);
    return false;
  }
  // A window of an earlier load still waiting for its own thread to close it
  // keeps that load's class, whose procedure lies in that (kept) image and
  // sees none of this load's state: the class and this window take this
  // image's procedure from here on.
  const auto procedure = reinterpret_cast<ULONG_PTR>(&NotificationWindowProc);
  if (::GetClassLongPtrW(notifyWindow.get(), GCLP_WNDPROC) != procedure) {
    ::SetClassLongPtrW(notifyWindow.get(), GCLP_WNDPROC, static_cast<LONG_PTR>(procedure));
    ::SetWindowLongPtrW(notifyWindow.get(), GWLP_WNDPROC, static_cast<LONG_PTR>(procedure));
  }
  WriteLogLine(log_lines::kWindowCreated);
  return true;
}

// Finalize on a thread other than the window's, or the host's last Release
// without Finalize (from any thread). The binding goes first, so no later
// message reaches this object. The window is destroyed here when this
// thread owns it. Otherwise it gets the default procedure and a posted
// close, and this image stays loaded for the life of the process, so that
// neither the class, which names this image's procedure until the window's
// thread closes it, nor a message still queued can ever run unloaded code,
// and a later load of the library finds a live class. Nothing here waits on
// another thread.
void AIMPDislistPlugin::DetachNotificationWindow() noexcept {
  const HWND window = notifyWindow.release();
  if (window == nullptr) return;
  ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
  if (::GetWindowThreadProcessId(window, nullptr) == ::GetCurrentThreadId()) {
    ::DestroyWindow(window);
    UnregisterNotificationWindowClass();
    return;
  }
  ::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&::DefWindowProcW));
  HMODULE self = nullptr;
  ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_PIN | GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                       reinterpret_cast<LPCWSTR>(&NotificationWindowProc), &self);
  ::PostMessageW(window, WM_CLOSE, 0, 0);
}

// Binds the window to its plug-in object from WM_NCCREATE on; anything
// earlier goes straight to the default procedure.
LRESULT CALLBACK NotificationWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* plugin = reinterpret_cast<AIMPDislistPlugin*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (message == WM_NCCREATE) {
    const auto* creation = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    plugin = static_cast<AIMPDislistPlugin*>(creation->lpCreateParams);
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(plugin));
  }
  if (plugin == nullptr) return ::DefWindowProcW(window, message, wParam, lParam);
  try {
    return plugin->HandleWindowMessage(window, message, wParam, lParam);
  } catch (...) {
    // Out of memory inside a handler: the host's thread must carry on.
    return 0;
  }
}

LRESULT AIMPDislistPlugin::HandleWindowMessage(HWND window, UINT message, WPARAM wParam,
                                               LPARAM lParam) {
  if (message == TRACK_CHANGE_MESSAGE) {
    RunTrackChange();
    return 0;
  }
  if (message != RA_NOTIFY_MESSAGE) return ::DefWindowProcW(window, message, wParam, lParam);

  if (wParam == AIMP_RA_NOTIFY_TRACK_START) {
    WriteLogLine(log_lines::kTrackStartNotified);
    std::string title, artist, album, fileName, genre, date;
    std::uint32_t duration = 0, bitRate = 0, sampleRate = 0, channels = 0;
    if (!ReadRemoteTrackInfo(title, artist, album, fileName, genre, date, duration, bitRate,
                             sampleRate, channels)) {
      return 0;
    }
    // Exact comparison: a change of letter case is a new name here.
    if (fileName != lastWrittenFileName) {
      lastWrittenFileName = fileName;
      WriteCurrentTrackFile(fileName);
    }
    currentFileName = fileName;
    // The track change runs from the message loop, after the host's
    // notification has returned.
    ::PostMessageW(notifyWindow.get(), TRACK_CHANGE_MESSAGE, 0, 0);
    return 0;
  }
  if (wParam == AIMP_RA_NOTIFY_TRACK_INFO) {
    WriteLogLine(log_lines::kTrackInfoNotified);
    LogTrackReport();
    return 0;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace dislist
