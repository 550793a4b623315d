#include "remote_access_host.h"

#include <algorithm>
#include <cstring>

namespace standin {

SharedTrackBlock::SharedTrackBlock(std::size_t size) : size_(size) {
  mapping_.reset(::CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                      static_cast<DWORD>(size), kRemoteAccessName));
  if (mapping_) view_.reset(::MapViewOfFile(mapping_.get(), FILE_MAP_WRITE, 0, 0, size));
}

void SharedTrackBlock::Publish(const std::vector<unsigned char>& bytes) {
  if (!view_) return;
  auto* block = static_cast<unsigned char*>(const_cast<void*>(view_.get()));
  const std::size_t count = std::min(bytes.size(), size_);
  std::memcpy(block, bytes.data(), count);
  std::memset(block + count, 0, size_ - count);
}

namespace {
constexpr wchar_t kRemoteClass[] = L"AIMP2_RemoteInfo";
}

RemoteAccessWindow::RemoteAccessWindow(const wchar_t* windowName) {
  WNDCLASSW windowClass = {};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = ::GetModuleHandleW(nullptr);
  windowClass.lpszClassName = kRemoteClass;
  ::RegisterClassW(&windowClass);
  // Top-level, never shown: FindWindow does not see message-only windows.
  window_.reset(::CreateWindowExW(0, kRemoteClass, windowName, WS_OVERLAPPED, 0, 0, 0, 0, nullptr,
                                  nullptr, ::GetModuleHandleW(nullptr), this));
}

RemoteAccessWindow::~RemoteAccessWindow() {
  window_.reset();
  ::UnregisterClassW(kRemoteClass, ::GetModuleHandleW(nullptr));
}

LRESULT RemoteAccessWindow::Notify(WPARAM code) const {
  return ::SendMessageW(registered, kRaNotifyMessage, code, 0);
}

LRESULT CALLBACK RemoteAccessWindow::WindowProc(HWND window, UINT message, WPARAM wParam,
                                                LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* creation = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
  }
  auto* self = reinterpret_cast<RemoteAccessWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self != nullptr && message == kRaCommandMessage) {
    self->commands.push_back({wParam, lParam});
    if (wParam == kRegisterNotify) {
      self->registered = reinterpret_cast<HWND>(lParam);
      return self->registerResult;
    }
    if (wParam == kUnregisterNotify) {
      if (self->registered == reinterpret_cast<HWND>(lParam)) self->registered = nullptr;
      return 1;
    }
    return 0;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

void PumpMessages() {
  MSG message;
  while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
}

int CountMessageOnlyWindows(const wchar_t* className) {
  int count = 0;
  HWND after = nullptr;
  while ((after = ::FindWindowExW(HWND_MESSAGE, after, className, nullptr)) != nullptr) ++count;
  return count;
}

}  // namespace standin
