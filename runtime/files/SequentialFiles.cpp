#include "files/SequentialFiles.h"

#include <array>
#include <cstdio>

namespace korvane::files {
namespace {

enum class HandleState { Closed, Input, Output };

struct HandleEntry {
  HandleState state = HandleState::Closed;
  InputText input;
  std::FILE* output = nullptr;
};

// One table for the program's run; the program is single-threaded, so nothing guards it.
std::array<HandleEntry, kMaxFileHandle + 1>& Handles() {
  static std::array<HandleEntry, kMaxFileHandle + 1> handles;
  return handles;
}

long g_linesBeforeWriteFailure = -1;

bool IsValidHandle(int handle) { return handle >= 1 && handle <= kMaxFileHandle; }

bool ReadWholeFile(const std::string& path, std::string& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return false;
  bytes.clear();
  char buffer[64 * 1024];
  std::size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, got);
  const bool failed = std::ferror(file) != 0;  // a folder opens but cannot be read
  std::fclose(file);
  return !failed;
}

}  // namespace

FileStatus OpenFile(int handle, const std::string& path, FileMode mode) {
  if (!IsValidHandle(handle)) return FileStatus::BadHandle;
  HandleEntry& entry = Handles()[handle];
  if (entry.state != HandleState::Closed) return FileStatus::AlreadyOpen;

  if (mode == FileMode::Input) {
    InputText input;
    if (!ReadWholeFile(path, input.bytes)) return FileStatus::CannotOpen;
    entry.input = std::move(input);
    entry.state = HandleState::Input;
    return FileStatus::Ok;
  }

  std::FILE* file = std::fopen(path.c_str(), mode == FileMode::Output ? "wb" : "ab");
  if (file == nullptr) return FileStatus::CannotOpen;
  entry.output = file;
  entry.state = HandleState::Output;
  return FileStatus::Ok;
}

FileStatus CloseFile(int handle) {
  if (!IsValidHandle(handle)) return FileStatus::BadHandle;
  HandleEntry& entry = Handles()[handle];
  FileStatus status = FileStatus::Ok;
  if (entry.state == HandleState::Output) {
    const bool hadError = std::ferror(entry.output) != 0;
    if (std::fclose(entry.output) != 0 || hadError) status = FileStatus::WriteFailed;
    entry.output = nullptr;
  }
  entry.input = InputText{};
  entry.state = HandleState::Closed;
  return status;
}

void CloseAllFiles() {
  for (int handle = 1; handle <= kMaxFileHandle; ++handle) (void)CloseFile(handle);
}

bool IsFileOpen(int handle) {
  return IsValidHandle(handle) && Handles()[handle].state != HandleState::Closed;
}

bool AtEndOfFile(int handle) {
  const InputText* input = InputOf(handle);
  return input == nullptr || input->AtEnd();
}

InputText* InputOf(int handle) {
  if (!IsValidHandle(handle)) return nullptr;
  HandleEntry& entry = Handles()[handle];
  return entry.state == HandleState::Input ? &entry.input : nullptr;
}

FileStatus WriteLine(int handle, std::string_view text) {
  if (!IsValidHandle(handle)) return FileStatus::BadHandle;
  HandleEntry& entry = Handles()[handle];
  if (entry.state == HandleState::Closed) return FileStatus::NotOpen;
  if (entry.state != HandleState::Output) return FileStatus::WrongMode;

  if (g_linesBeforeWriteFailure == 0) return FileStatus::WriteFailed;
  if (g_linesBeforeWriteFailure > 0) --g_linesBeforeWriteFailure;

  static constexpr char kLineEnd[] = "\r\n";
  const bool textWritten =
      text.empty() || std::fwrite(text.data(), 1, text.size(), entry.output) == text.size();
  if (!textWritten || std::fwrite(kLineEnd, 1, 2, entry.output) != 2) {
    return FileStatus::WriteFailed;
  }
  return FileStatus::Ok;
}

void FailWritesAfterLinesForTesting(long lines) { g_linesBeforeWriteFailure = lines < 0 ? -1 : lines; }

}  // namespace korvane::files
