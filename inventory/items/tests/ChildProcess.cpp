// The line reading of a child's output, the same on every system; the systems' own parts (starting,
// reading a piece of the pipe, killing, waiting) are in ChildProcessWin32.cpp and ChildProcessPosix.cpp.
#include "items/tests/ChildProcess.h"

namespace korvane::testing {

bool ChildProcess::ReadLine(std::string& line) {
  for (;;) {
    const std::size_t end = pending_.find('\n');
    if (end != std::string::npos) {
      line = pending_.substr(0, end);
      pending_.erase(0, end + 1);
      if (!line.empty() && line.back() == '\r') line.pop_back();
      return true;
    }
    if (outputEnded_ || !ReadMore()) {
      outputEnded_ = true;
      if (pending_.empty()) return false;
      line.swap(pending_);  // a last line cut off by a kill still counts as what was written
      pending_.clear();
      return true;
    }
  }
}

}  // namespace korvane::testing
