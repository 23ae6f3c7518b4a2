// POSIX: the child's output comes through a pipe, and SIGKILL ends it at once; the wait status tells a
// kill from an exit of the child itself.
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include "items/tests/ChildProcess.h"

namespace korvane::testing {
namespace {

class UniqueDescriptor {
 public:
  UniqueDescriptor() = default;
  explicit UniqueDescriptor(int fd) : fd_(fd) {}
  ~UniqueDescriptor() { Reset(); }
  UniqueDescriptor(const UniqueDescriptor&) = delete;
  UniqueDescriptor& operator=(const UniqueDescriptor&) = delete;

  int Get() const { return fd_; }
  void Reset(int fd = -1) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = fd;
  }

 private:
  int fd_ = -1;
};

std::string ErrnoText(const char* what) { return std::string(what) + " failed: " + std::strerror(errno); }

}  // namespace

struct ChildProcess::Parts {
  pid_t pid = -1;
  UniqueDescriptor output;
  bool ended = false;
  ChildEnding ending;
};

ChildProcess::ChildProcess(std::unique_ptr<Parts> parts) : parts_(std::move(parts)) {}

ChildProcess::~ChildProcess() {
  if (!parts_->ended) (void)KillAndWait();
}

std::unique_ptr<ChildProcess> ChildProcess::Start(const std::string& program,
                                                  const std::vector<std::string>& arguments, std::string& error) {
  int ends[2];
  if (::pipe2(ends, O_CLOEXEC) != 0) {
    error = ErrnoText("pipe2");
    return nullptr;
  }
  auto parts = std::make_unique<Parts>();
  parts->output.Reset(ends[0]);
  UniqueDescriptor childOutput(ends[1]);

  // Everything the child needs is made before the fork: between fork and exec only plain system calls.
  std::vector<std::string> texts{program};
  texts.insert(texts.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& text : texts) argv.push_back(text.data());
  argv.push_back(nullptr);

  const pid_t pid = ::fork();
  if (pid < 0) {
    error = ErrnoText("fork");
    return nullptr;
  }
  if (pid == 0) {
    const int nothing = ::open("/dev/null", O_RDONLY);
    if (nothing < 0 || ::dup2(nothing, 0) < 0 || ::dup2(childOutput.Get(), 1) < 0 || ::dup2(childOutput.Get(), 2) < 0) {
      ::_exit(126);
    }
    ::execv(program.c_str(), argv.data());
    ::_exit(127);
  }
  parts->pid = pid;
  // Closing the test's copy of the child's end lets a read see the end of the output when the child ends.
  childOutput.Reset();
  return std::unique_ptr<ChildProcess>(new ChildProcess(std::move(parts)));
}

bool ChildProcess::ReadMore() {
  char buffer[4096];
  for (;;) {
    const ssize_t got = ::read(parts_->output.Get(), buffer, sizeof buffer);
    if (got > 0) {
      pending_.append(buffer, static_cast<std::size_t>(got));
      return true;
    }
    if (got < 0 && errno == EINTR) continue;
    return false;
  }
}

ChildEnding ChildProcess::Wait() {
  if (parts_->ended) return parts_->ending;
  int status = 0;
  pid_t waited;
  do {
    waited = ::waitpid(parts_->pid, &status, 0);
  } while (waited < 0 && errno == EINTR);
  if (waited != parts_->pid) {
    parts_->ending = ChildEnding{false, -1};
  } else if (WIFSIGNALED(status)) {
    parts_->ending = ChildEnding{WTERMSIG(status) == SIGKILL, 128 + WTERMSIG(status)};
  } else {
    parts_->ending = ChildEnding{false, WIFEXITED(status) ? WEXITSTATUS(status) : -1};
  }
  parts_->ended = true;
  return parts_->ending;
}

ChildEnding ChildProcess::KillAndWait() {
  // A child that has ended already is a zombie until waited for: the kill does nothing to it, and the
  // wait reads its own exit status.
  if (!parts_->ended) (void)::kill(parts_->pid, SIGKILL);
  return Wait();
}

std::string ProgramBesideThisOne(const std::string& name) {
  char path[PATH_MAX];
  const ssize_t length = ::readlink("/proc/self/exe", path, sizeof path - 1);
  if (length <= 0) return name;
  std::string folder(path, static_cast<std::size_t>(length));
  folder.erase(folder.find_last_of('/') + 1);
  return folder + name;
}

}  // namespace korvane::testing
