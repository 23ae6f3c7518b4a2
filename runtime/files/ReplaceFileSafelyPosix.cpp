// POSIX: fsync the finished file, rename it over the target (atomic within one file system), then fsync
// the folder so that the new name itself survives a power loss.
#include "files/ReplaceFileSafely.h"

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace korvane::files {
namespace {

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;

  bool IsValid() const { return fd_ >= 0; }
  int Get() const { return fd_; }

  bool Close() {
    const int result = ::close(fd_);
    fd_ = -1;
    return result == 0;
  }

 private:
  int fd_;
};

bool FlushToDisk(const std::string& path) {
  FileDescriptor file(::open(path.c_str(), O_WRONLY | O_CLOEXEC));
  if (!file.IsValid()) return false;
  if (::fsync(file.Get()) != 0) return false;
  return file.Close();
}

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

}  // namespace

bool ReplaceFileSafely(const std::string& replacement, const std::string& target) {
  if (!FlushToDisk(replacement)) return false;
  if (std::rename(replacement.c_str(), target.c_str()) != 0) return false;
  // The rename has happened and the new contents are on disk; a folder that cannot be synced does not
  // undo that, so this last step is done as well as the file system allows and not reported.
  FileDescriptor folder(::open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (folder.IsValid()) (void)::fsync(folder.Get());
  return true;
}

}  // namespace korvane::files
