// Runs one of the project's programs from beside the test and collects what
// it prints and its exit code.
#pragma once

#include <windows.h>

#include <string>

namespace testing_support {

struct ProgramRun {
  DWORD exitCode = 0xFFFFFFFF;
  std::string output;  // stdout and stderr together
};

// With `input`, the program reads those bytes from a pipe, then its end;
// without, it has no input at all.
ProgramRun RunProgram(const std::wstring& program, const std::wstring& arguments,
                      const std::string* input = nullptr);

}  // namespace testing_support
