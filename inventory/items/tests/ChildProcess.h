// A program started by a test, whose standard output the test reads line by line and which the test can
// kill at any moment, as a power cut or the task manager would end it: without a chance to clean up.
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace korvane::testing {

// How a child ended: killed by KillAndWait, or of itself with its exit code.
struct ChildEnding {
  bool killed = false;
  long exitCode = 0;
};

class ChildProcess {
 public:
  // Starts `program` with `arguments`; its standard output and standard error both go into one pipe that
  // ReadLine reads. nullptr, with `error` saying why, when it cannot be started.
  static std::unique_ptr<ChildProcess> Start(const std::string& program, const std::vector<std::string>& arguments,
                                             std::string& error);

  // A child still running is killed and waited for.
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  // The next line of the child's output without its line end; false once the output has ended (the
  // child closed it or ended) with no further line.
  bool ReadLine(std::string& line);

  // Kills the child at once, waits until it has ended and tells how it ended: a child that had already
  // ended of itself keeps its own exit code.
  ChildEnding KillAndWait();

  // Waits until the child ends of itself.
  ChildEnding Wait();

  struct Parts;

 private:
  explicit ChildProcess(std::unique_ptr<Parts> parts);
  bool ReadMore();

  std::unique_ptr<Parts> parts_;
  std::string pending_;
  bool outputEnded_ = false;
};

// The path of a program built into the same folder as the running one; `name` is without ".exe".
std::string ProgramBesideThisOne(const std::string& name);

}  // namespace korvane::testing
