// The plug-in's hidden message-only window that hears the host's
// notifications.
#pragma once

#include <windows.h>

#include "base/names.h"
#include "base/owners.h"

namespace dislist {

inline constexpr wchar_t kNotifyWindowName[] = L"AIMP Dislist Remote";

// The class is registered under the host executable's handle, which outlives
// this library. Unregistering it with the window means a library loaded again
// registers its own live window procedure instead of finding a class that
// points into unloaded code.
void UnregisterNotificationWindowClass() noexcept;

struct NotificationWindowTraits {
  using Value = HWND;
  static HWND Invalid() noexcept { return nullptr; }
  static void Close(HWND window) noexcept {
    ::DestroyWindow(window);
    UnregisterNotificationWindowClass();
  }
};
using UniqueNotificationWindow = UniqueResource<NotificationWindowTraits>;

LRESULT CALLBACK NotificationWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace dislist
