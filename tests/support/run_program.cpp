#include "support/run_program.h"

#include <vector>

#include "base/owners.h"

namespace testing_support {

namespace {

// Reads whatever the pipe holds now, without waiting for more.
void DrainPipe(HANDLE pipe, std::string& into) {
  DWORD available = 0;
  while (::PeekNamedPipe(pipe, nullptr, 0, nullptr, &available, nullptr) && available > 0) {
    char buffer[4096];
    DWORD read = 0;
    const DWORD want = available < sizeof buffer ? available : static_cast<DWORD>(sizeof buffer);
    if (!::ReadFile(pipe, buffer, want, &read, nullptr) || read == 0) return;
    into.append(buffer, read);
  }
}

}  // namespace

// The child gets only the pipe's write end (an explicit handle list), and the
// run ends when the child itself has exited and its output has been read.
// The pipe's end is never waited for: Wine starts its desktop and service
// processes from whichever program first needs them, and such a process
// may inherit the pipe and hold it open long after the child is gone.
ProgramRun RunProgram(const std::wstring& program, const std::wstring& arguments) {
  wchar_t self[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring folder(self);
  folder = folder.substr(0, folder.find_last_of(L"\\/") + 1);
  std::wstring command = L"\"" + folder + program + L"\" " + arguments;

  ProgramRun run;
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
  HANDLE readHandle = nullptr, writeHandle = nullptr;
  if (!::CreatePipe(&readHandle, &writeHandle, &inherit, 0)) {
    run.output = "CreatePipe failed";
    return run;
  }
  dislist::UniqueHandle readEnd(readHandle), writeEnd(writeHandle);
  ::SetHandleInformation(readEnd.get(), HANDLE_FLAG_INHERIT, 0);

  SIZE_T listSize = 0;
  ::InitializeProcThreadAttributeList(nullptr, 1, 0, &listSize);
  std::vector<unsigned char> listBytes(listSize);
  auto* attributes = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(listBytes.data());
  HANDLE inherited[] = {writeEnd.get()};
  if (!::InitializeProcThreadAttributeList(attributes, 1, 0, &listSize) ||
      !::UpdateProcThreadAttribute(attributes, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST, inherited,
                                   sizeof inherited, nullptr, nullptr)) {
    run.output = "cannot build the child's handle list";
    return run;
  }
  STARTUPINFOEXW startup = {};
  startup.StartupInfo.cb = sizeof startup;
  startup.StartupInfo.dwFlags = STARTF_USESTDHANDLES;
  startup.StartupInfo.hStdOutput = writeEnd.get();
  startup.StartupInfo.hStdError = writeEnd.get();
  startup.lpAttributeList = attributes;
  PROCESS_INFORMATION process = {};
  const BOOL started = ::CreateProcessW(nullptr, &command[0], nullptr, nullptr, TRUE,
                                        EXTENDED_STARTUPINFO_PRESENT, nullptr, nullptr,
                                        &startup.StartupInfo, &process);
  ::DeleteProcThreadAttributeList(attributes);
  writeEnd.reset();
  if (!started) {
    run.output = "CreateProcessW failed";
    return run;
  }
  dislist::UniqueHandle child(process.hProcess), thread(process.hThread);

  // Drain while the child runs, so it never blocks on a full pipe.
  while (::WaitForSingleObject(child.get(), 10) == WAIT_TIMEOUT) DrainPipe(readEnd.get(), run.output);
  DrainPipe(readEnd.get(), run.output);  // all it wrote is in the pipe by now
  ::GetExitCodeProcess(child.get(), &run.exitCode);
  return run;
}

}  // namespace testing_support
