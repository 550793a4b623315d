#include "support/run_program.h"

namespace testing_support {

ProgramRun RunProgram(const std::wstring& program, const std::wstring& arguments) {
  wchar_t self[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring folder(self);
  folder = folder.substr(0, folder.find_last_of(L"\\/") + 1);
  std::wstring command = L"\"" + folder + program + L"\" " + arguments;

  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
  HANDLE readEnd = nullptr, writeEnd = nullptr;
  ProgramRun run;
  if (!::CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return run;
  ::SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = writeEnd;
  startup.hStdError = writeEnd;
  PROCESS_INFORMATION process = {};
  const BOOL started = ::CreateProcessW(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr,
                                        nullptr, &startup, &process);
  ::CloseHandle(writeEnd);
  if (!started) {
    ::CloseHandle(readEnd);
    run.output = "CreateProcessW failed";
    return run;
  }
  char buffer[4096];
  DWORD read = 0;
  while (::ReadFile(readEnd, buffer, sizeof buffer, &read, nullptr) && read > 0) {
    run.output.append(buffer, read);
  }
  ::WaitForSingleObject(process.hProcess, INFINITE);
  ::GetExitCodeProcess(process.hProcess, &run.exitCode);
  ::CloseHandle(process.hProcess);
  ::CloseHandle(process.hThread);
  ::CloseHandle(readEnd);
  return run;
}

}  // namespace testing_support
