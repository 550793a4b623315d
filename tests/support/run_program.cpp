#include "support/run_program.h"

#include <string>
#include <vector>

#include "base/owners.h"
#include "loaded_plugin.h"

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

// The child's attribute list, deleted on every path once initialised.
class AttributeList {
 public:
  AttributeList(HANDLE output, HANDLE input) : handles_{output, input}, count_(input != nullptr ? 2 : 1) {
    SIZE_T size = 0;
    ::InitializeProcThreadAttributeList(nullptr, 1, 0, &size);
    bytes_.resize(size);
    auto* list = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(bytes_.data());
    if (!::InitializeProcThreadAttributeList(list, 1, 0, &size)) return;
    initialised_ = true;
    if (!::UpdateProcThreadAttribute(list, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST, handles_,
                                     count_ * sizeof(HANDLE), nullptr, nullptr)) {
      return;
    }
    list_ = list;
  }
  ~AttributeList() {
    if (initialised_) {
      ::DeleteProcThreadAttributeList(reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(bytes_.data()));
    }
  }
  AttributeList(const AttributeList&) = delete;
  AttributeList& operator=(const AttributeList&) = delete;

  // Null when it could not be built.
  LPPROC_THREAD_ATTRIBUTE_LIST get() const { return list_; }

 private:
  HANDLE handles_[2];
  std::size_t count_;
  std::vector<unsigned char> bytes_;
  bool initialised_ = false;
  LPPROC_THREAD_ATTRIBUTE_LIST list_ = nullptr;
};

// Longer than any of the project's programs takes here, by far.
constexpr ULONGLONG kChildTimeLimitMs = 60000;

}  // namespace

// The child gets only the pipe's write end (an explicit handle list), and the
// run ends when the child itself has exited and its output has been read.
// The pipe's end is never waited for: Wine starts its desktop and service
// processes from whichever program first needs them, and such a process
// may inherit the pipe and hold it open long after the child is gone.
ProgramRun RunProgram(const std::wstring& program, const std::wstring& arguments, const std::string* input) {
  std::wstring command = L"\"" + standin::ProgramFolder() + program + L"\" " + arguments;

  ProgramRun run;
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
  HANDLE readHandle = nullptr, writeHandle = nullptr;
  if (!::CreatePipe(&readHandle, &writeHandle, &inherit, 0)) {
    run.output = "CreatePipe failed";
    return run;
  }
  dislist::UniqueHandle readEnd(readHandle), writeEnd(writeHandle);
  ::SetHandleInformation(readEnd.get(), HANDLE_FLAG_INHERIT, 0);

  // The input, small enough for the pipe's buffer, is written whole and its
  // end closed before the child starts.
  dislist::UniqueHandle inputEnd;
  if (input != nullptr) {
    HANDLE inputRead = nullptr, inputWrite = nullptr;
    if (!::CreatePipe(&inputRead, &inputWrite, &inherit, 0)) {
      run.output = "CreatePipe failed";
      return run;
    }
    inputEnd.reset(inputRead);
    const dislist::UniqueHandle feeder(inputWrite);
    ::SetHandleInformation(feeder.get(), HANDLE_FLAG_INHERIT, 0);
    DWORD written = 0;
    if (!::WriteFile(feeder.get(), input->data(), static_cast<DWORD>(input->size()), &written, nullptr) ||
        written != input->size()) {
      run.output = "cannot write the program's input";
      return run;
    }
  }
  const AttributeList attributes(writeEnd.get(), inputEnd.get());
  if (attributes.get() == nullptr) {
    run.output = "cannot build the child's handle list";
    return run;
  }
  STARTUPINFOEXW startup = {};
  startup.StartupInfo.cb = sizeof startup;
  startup.StartupInfo.dwFlags = STARTF_USESTDHANDLES;
  startup.StartupInfo.hStdOutput = writeEnd.get();
  startup.StartupInfo.hStdError = writeEnd.get();
  startup.StartupInfo.hStdInput = inputEnd.get();
  startup.lpAttributeList = attributes.get();
  PROCESS_INFORMATION process = {};
  const BOOL started = ::CreateProcessW(nullptr, &command[0], nullptr, nullptr, TRUE,
                                        EXTENDED_STARTUPINFO_PRESENT, nullptr, nullptr,
                                        &startup.StartupInfo, &process);
  const DWORD startError = ::GetLastError();  // before any other call can change it
  writeEnd.reset();
  inputEnd.reset();
  if (!started) {
    run.output = "CreateProcessW failed, error " + std::to_string(startError);
    return run;
  }
  dislist::UniqueHandle child(process.hProcess), thread(process.hThread);

  // Drain while the child runs, so it never blocks on a full pipe. A child
  // that outlives the limit is ended and reported with exit code 0xFFFFFFFF.
  const ULONGLONG deadline = ::GetTickCount64() + kChildTimeLimitMs;
  bool exited = false;
  while (!exited && ::GetTickCount64() < deadline) {
    exited = ::WaitForSingleObject(child.get(), 10) == WAIT_OBJECT_0;
    if (!exited) DrainPipe(readEnd.get(), run.output);
  }
  if (!exited) {
    ::TerminateProcess(child.get(), 0xFFFFFFFF);
    ::WaitForSingleObject(child.get(), 5000);
  }
  DrainPipe(readEnd.get(), run.output);  // all it wrote is in the pipe by now
  if (!exited) {
    run.output += "\n[ended after " + std::to_string(kChildTimeLimitMs / 1000) + " s: no exit]";
    run.exitCode = 0xFFFFFFFF;
    return run;
  }
  ::GetExitCodeProcess(child.get(), &run.exitCode);
  return run;
}

}  // namespace testing_support
