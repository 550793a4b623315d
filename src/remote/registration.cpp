// Registration of the notification window with the host's Remote Access
// window.
#include "log/log.h"
#include "plugin/plugin.h"
#include "remote/remote_access.h"

namespace dislist {

bool AIMPDislistPlugin::RegisterRemoteNotify() {
  remoteWindow = ::FindWindowA(kRemoteAccessName, kRemoteAccessName);
  if (remoteWindow == nullptr) {
    WriteLogLine("REMOTE: AIMP Remote Access window NOT FOUND.");
    return false;
  }
  WriteLogLine("REMOTE: AIMP Remote Access window found.");
  const LRESULT result = ::SendMessageA(remoteWindow, RA_COMMAND_MESSAGE, REGISTER_NOTIFY,
                                        reinterpret_cast<LPARAM>(notifyWindow.get()));
  // Whatever the host answers is accepted; it is only reported.
  const std::string text = DecimalText(static_cast<std::int64_t>(result));
  WriteLogLine("REMOTE: REGISTER_NOTIFY result = " + text);
  WriteLogLine("REMOTE: notification registration returned " + text);
  return true;
}

bool AIMPDislistPlugin::SendUnregisterCommand() noexcept {
  if (remoteWindow == nullptr || !notifyWindow) return false;
  ::SendMessageA(remoteWindow, RA_COMMAND_MESSAGE, UNREGISTER_NOTIFY,
                 reinterpret_cast<LPARAM>(notifyWindow.get()));
  return true;
}

// The host hears of the end of the registration before the window goes.
// remoteWindow is forgotten before the line is built, so an exception path
// that runs after this never sends the command twice.
void AIMPDislistPlugin::UnregisterRemoteNotify() {
  const bool sent = SendUnregisterCommand();
  remoteWindow = nullptr;
  if (sent) WriteLogLine("REMOTE: notification unregistered.");
  DetachNotificationWindow();
}

}  // namespace dislist
