// Windows: the child's output comes through an anonymous pipe, and TerminateProcess ends it at once
// with an exit code of the test's own, by which a kill is told from an exit of the child itself.
#include <windows.h>

#include "items/tests/ChildProcess.h"

namespace korvane::testing {
namespace {

constexpr UINT kKilledExitCode = 0x4B11;

class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(HANDLE handle) : handle_(handle) {}
  ~UniqueHandle() { Reset(); }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;

  HANDLE Get() const { return handle_; }
  HANDLE* Receive() {
    Reset();
    return &handle_;
  }
  bool IsValid() const { return handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE; }
  void Reset() {
    if (IsValid()) CloseHandle(handle_);
    handle_ = nullptr;
  }

 private:
  HANDLE handle_ = nullptr;
};

// One argument of a command line, quoted so that the child's C runtime splits it back unchanged.
std::string Quoted(const std::string& argument) {
  std::string quoted = "\"";
  std::size_t backslashes = 0;
  for (char c : argument) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    // Backslashes before a quote are doubled, and the quote itself escaped; elsewhere they are plain.
    quoted.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(backslashes * 2, '\\');  // before the closing quote
  return quoted + "\"";
}

std::string LastErrorText(const char* what) { return std::string(what) + " failed, error " + std::to_string(GetLastError()); }

}  // namespace

struct ChildProcess::Parts {
  UniqueHandle process;
  UniqueHandle output;
  bool ended = false;
  ChildEnding ending;
};

ChildProcess::ChildProcess(std::unique_ptr<Parts> parts) : parts_(std::move(parts)) {}

ChildProcess::~ChildProcess() {
  if (!parts_->ended) (void)KillAndWait();
}

std::unique_ptr<ChildProcess> ChildProcess::Start(const std::string& program,
                                                  const std::vector<std::string>& arguments, std::string& error) {
  SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
  auto parts = std::make_unique<Parts>();
  UniqueHandle childOutput;
  if (!CreatePipe(parts->output.Receive(), childOutput.Receive(), &inheritable, 0)) {
    error = LastErrorText("CreatePipe");
    return nullptr;
  }
  // Only the child's end is inherited: the test's end must not keep the pipe open in the child.
  if (!SetHandleInformation(parts->output.Get(), HANDLE_FLAG_INHERIT, 0)) {
    error = LastErrorText("SetHandleInformation");
    return nullptr;
  }
  UniqueHandle childInput(CreateFileA("NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inheritable,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!childInput.IsValid()) {
    error = LastErrorText("CreateFileA(NUL)");
    return nullptr;
  }

  std::string commandLine = Quoted(program);
  for (const std::string& argument : arguments) commandLine += " " + Quoted(argument);

  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = childInput.Get();
  startup.hStdOutput = childOutput.Get();
  startup.hStdError = childOutput.Get();
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                      nullptr, &startup, &process)) {
    error = LastErrorText("CreateProcessA");
    return nullptr;
  }
  CloseHandle(process.hThread);
  *parts->process.Receive() = process.hProcess;
  // Closing the test's copy of the child's end lets a read see the end of the output when the child ends.
  childOutput.Reset();
  return std::unique_ptr<ChildProcess>(new ChildProcess(std::move(parts)));
}

bool ChildProcess::ReadMore() {
  char buffer[4096];
  DWORD got = 0;
  if (!ReadFile(parts_->output.Get(), buffer, sizeof buffer, &got, nullptr) || got == 0) return false;
  pending_.append(buffer, got);
  return true;
}

ChildEnding ChildProcess::Wait() {
  if (parts_->ended) return parts_->ending;
  if (WaitForSingleObject(parts_->process.Get(), INFINITE) != WAIT_OBJECT_0) {
    // Nothing sound can be reported of a process that cannot be waited for; call it an own failure.
    parts_->ending = ChildEnding{false, -1};
  } else {
    DWORD code = 0;
    const bool known = GetExitCodeProcess(parts_->process.Get(), &code) != FALSE;
    parts_->ending = ChildEnding{known && code == kKilledExitCode, known ? static_cast<long>(code) : -1};
  }
  parts_->ended = true;
  return parts_->ending;
}

ChildEnding ChildProcess::KillAndWait() {
  if (!parts_->ended) {
    // A child that has ended already refuses the kill; the wait then reads its own exit code.
    (void)TerminateProcess(parts_->process.Get(), kKilledExitCode);
  }
  return Wait();
}

std::string ProgramBesideThisOne(const std::string& name) {
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return name + ".exe";
  std::string folder(path, length);
  const std::size_t slash = folder.find_last_of("\\/");
  folder.erase(slash == std::string::npos ? 0 : slash + 1);
  return folder + name + ".exe";
}

}  // namespace korvane::testing
