// dislist-log: reads the plug-in's log and tells what it removed, per run of
// the player, and gives the removed entries back as a playlist.
#include <windows.h>

#include <string>
#include <vector>

#include "base/utf16.h"
#include "commands.h"

namespace {

// A standard handle: wide text to a console, so names show as the
// characters they are; UTF-8 bytes to a pipe or a file.
class StandardOut final : public dislist_log::TextOutput {
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
    const std::wstring wide = dislist::Utf8ToWide(utf8.data(), utf8.size());
    if (wide.empty()) return false;
    DWORD written = 0;
    return ::WriteConsoleW(handle_, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr) &&
           written == wide.size();
  }

 private:
  HANDLE handle_;
  bool console_ = false;
};

// The program's console, where its input is one.
class StandardConsole final : public dislist_log::Console {
 public:
  StandardConsole() : input_(::GetStdHandle(STD_INPUT_HANDLE)) {
    DWORD mode = 0;
    console_ = ::GetConsoleMode(input_, &mode) != FALSE;
    outputConsole_ = ::GetConsoleMode(::GetStdHandle(STD_OUTPUT_HANDLE), &mode) != FALSE;
  }

  bool InputIsConsole() override { return console_; }
  bool OutputIsConsole() override { return outputConsole_; }

  // A console that Windows opened for this program alone has it as its one
  // process; a command prompt's has the prompt too. Where that cannot be
  // told, the window is taken as the program's own: waiting once too often
  // is better than a window that flashes and vanishes.
  bool OwnsWindow() override {
    DWORD processes[2] = {};
    const DWORD count = ::GetConsoleProcessList(processes, 2);
    return count <= 1;
  }

  void DropTypedAhead() override { ::FlushConsoleInputBuffer(input_); }

  bool ReadLine(std::string& line) override {
    line.clear();
    std::wstring typed;
    for (;;) {
      wchar_t buffer[256];
      DWORD read = 0;
      if (!::ReadConsoleW(input_, buffer, 256, &read, nullptr) || read == 0) {
        if (typed.empty()) return false;
        break;
      }
      typed.append(buffer, read);
      if (typed.back() == L'\n') break;
    }
    while (!typed.empty() && (typed.back() == L'\n' || typed.back() == L'\r')) typed.pop_back();
    line = dislist::WideToUtf8(typed.data(), typed.size());
    return true;
  }

 private:
  HANDLE input_;
  bool console_ = false;
  bool outputConsole_ = false;
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
  StandardOut out(STD_OUTPUT_HANDLE), err(STD_ERROR_HANDLE);
  StandardConsole console;
  // RunDislistLog reports its own exceptions and still waits where a person
  // looks; this catches only what fails before it can (no memory for the
  // arguments).
  try {
    const std::vector<std::wstring> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    return dislist_log::RunDislistLog(arguments, out, err, console);
  } catch (const std::exception& error) {
    err.Write(std::string("dislist-log: ") + error.what() + "\n");
    return 1;
  }
}
