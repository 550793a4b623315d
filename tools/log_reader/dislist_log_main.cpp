// dislist-log: reads the plug-in's log and tells what it removed, per run of
// the player, and gives the removed entries back as a playlist.
#include <windows.h>

#include <string>
#include <vector>

#include "commands.h"

namespace {

// A standard handle: wide text to a console, so names show as the
// characters they are; UTF-8 bytes to a pipe or a file.
class StandardOut final : public dislist_log::TextOut {
 public:
  explicit StandardOut(DWORD which) : handle_(::GetStdHandle(which)) {
    DWORD mode = 0;
    console_ = ::GetConsoleMode(handle_, &mode) != FALSE;
  }

  bool Write(std::string_view utf8) override {
    if (utf8.empty()) return true;
    if (handle_ == nullptr || handle_ == INVALID_HANDLE_VALUE) return false;
    if (!console_) {
      DWORD written = 0;
      return ::WriteFile(handle_, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr) &&
             written == utf8.size();
    }
    const int units = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    if (units <= 0) return false;
    std::wstring wide(static_cast<std::size_t>(units), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), &wide[0], units);
    DWORD written = 0;
    return ::WriteConsoleW(handle_, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr) &&
           written == wide.size();
  }

 private:
  HANDLE handle_;
  bool console_ = false;
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
  StandardOut out(STD_OUTPUT_HANDLE), err(STD_ERROR_HANDLE);
  try {
    const std::vector<std::wstring> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    return dislist_log::RunDislistLog(arguments, out, err);
  } catch (const std::exception& error) {
    err.Write(std::string("dislist-log: ") + error.what() + "\n");
    return 1;
  }
}
