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

ProgramRun RunProgram(const std::wstring& program, const std::wstring& arguments);

}  // namespace testing_support
