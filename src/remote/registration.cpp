// Registration of the notification window with the host's Remote Access
// window.
#include "log/log.h"
#include "log/log_lines.h"
#include "plugin/plugin.h"
#include "remote/remote_access.h"

namespace dislist {

bool AIMPDislistPlugin::RegisterRemoteNotify() {
  remoteWindow = ::FindWindowA(kRemoteAccessName, kRemoteAccessName);
  if (remoteWindow == nullptr) {
    WriteLogLine(log_lines::kRemoteNotFound);
    return false;
  }
  WriteLogLine(log_lines::kRemoteFound);
  const LRESULT result = ::SendMessageA(remoteWindow, RA_COMMAND_MESSAGE, REGISTER_NOTIFY,
                                        reinterpret_cast<LPARAM>(notifyWindow.get()));
  // Whatever the host answers is accepted; it is only reported. Both lines
  // give the one result: the log has always carried both wordings, and
  // whatever reads the log relies on its lines staying as they are.
  const std::string text = DecimalText(static_cast<std::int64_t>(result));
  WriteLogLine(log_lines::kRegisterResult + text);
  WriteLogLine(log_lines::kRegistrationReturned + text);
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
  if (sent) WriteLogLine(log_lines::kUnregistered);
  DetachNotificationWindow();
}

}  // namespace dislist
