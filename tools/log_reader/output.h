// Where dislist-log's text goes, apart from the process: the program hands
// its standard outputs, tests hand strings and outputs that fail on purpose.
#pragma once

#include <string>
#include <string_view>

namespace dislist_log {

// Text out, as UTF-8. Write answers false when the text did not all arrive
// (a full disk, a closed pipe).
class TextOutput {
 public:
  virtual ~TextOutput() = default;
  virtual bool Write(std::string_view utf8) = 0;
};

// An output that remembers whether every write arrived.
class CheckedOutput {
 public:
  explicit CheckedOutput(TextOutput& out) : out_(out) {}
  void operator()(const std::string& text) {
    if (!out_.Write(text)) failed_ = true;
  }
  bool failed() const { return failed_; }

 private:
  TextOutput& out_;
  bool failed_ = false;
};

// The console a person may sit at: the program's is in its main, tests hand
// a stand-in with its answers.
class Console {
 public:
  virtual ~Console() = default;
  // Whether the input is a console a person types into (not a pipe, a file
  // or nothing).
  virtual bool InputIsConsole() = 0;
  // Whether the standard output is a console a person reads (not a file or
  // a pipe that a script reads).
  virtual bool OutputIsConsole() = 0;
  // Whether the console window is the program's own, opened for it alone
  // (a double-click in Explorer), not a command prompt's that stays open.
  virtual bool OwnsWindow() = 0;
  // Forgets what was typed before now (an Enter pressed while a long log
  // was read), so only an answer to the question counts.
  virtual void DropTypedAhead() = 0;
  // One typed line without its line end; false at the end of input.
  virtual bool ReadLine(std::string& line) = 0;

  // Whether a person can both read what is said and answer: the only place
  // a question is asked.
  bool PersonAtConsole() { return InputIsConsole() && OutputIsConsole(); }
};

}  // namespace dislist_log
