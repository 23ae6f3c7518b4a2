// Windows: FlushFileBuffers on the finished file, then MoveFileExA with write-through, so that the move
// itself has reached the disk when the call returns.
#include "files/ReplaceFileSafely.h"

#include <windows.h>

namespace korvane::files {
namespace {

class FileHandle {
 public:
  explicit FileHandle(HANDLE handle) : handle_(handle) {}
  ~FileHandle() {
    if (IsValid()) CloseHandle(handle_);
  }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;

  bool IsValid() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE Get() const { return handle_; }

  // Closes now and tells whether the close succeeded.
  bool Close() {
    const BOOL closed = CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
    return closed != FALSE;
  }

 private:
  HANDLE handle_;
};

bool FlushToDisk(const std::string& path) {
  FileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.IsValid()) return false;
  if (!FlushFileBuffers(file.Get())) return false;
  return file.Close();
}

}  // namespace

bool ReplaceFileSafely(const std::string& replacement, const std::string& target) {
  if (!FlushToDisk(replacement)) return false;
  return MoveFileExA(replacement.c_str(), target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

}  // namespace korvane::files
