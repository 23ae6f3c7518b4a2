// Sequential text files by handle number, as the forms runtime offers them to the program.
//
// A handle is closed, open for input, or open for output (emptied on opening) or append. The program
// keeps one table of handles for its whole run; it uses handle 1 for the item file and handle 5 for the
// category list. Text is single-byte; no code page conversion happens anywhere.
//
// Input files are read whole when they are opened and the operating system's file is closed at once,
// so an input handle never holds the file open on disk (a later replace of the file is never blocked
// by a handle that an earlier failure left open). Reading is done by the text rules that sit on top of
// this table (the item file's field reader); this table only keeps the bytes and the read position.
//
// Output lines end with CR LF.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace korvane::files {

enum class FileMode { Input, Output, Append };

enum class [[nodiscard]] FileStatus {
  Ok,
  BadHandle,    // a handle number outside 1..kMaxFileHandle
  AlreadyOpen,  // opening a handle that is open
  CannotOpen,   // the file could not be opened (missing, a folder, no access)
  NotOpen,      // the handle is not open
  WrongMode,    // reading from an output handle or writing to an input handle
  WriteFailed,  // a write, or the flush when closing an output handle, failed
};

inline constexpr int kMaxFileHandle = 255;

// The bytes of a file open for input and the position of the next byte to read.
struct InputText {
  std::string bytes;
  std::size_t position = 0;

  bool AtEnd() const { return position >= bytes.size(); }
  std::string_view Remaining() const { return std::string_view(bytes).substr(position); }
};

FileStatus OpenFile(int handle, const std::string& path, FileMode mode);

// Closing a handle that is not open does nothing and answers Ok. Closing an output handle flushes it;
// a failure of that flush answers WriteFailed (the handle is closed all the same).
FileStatus CloseFile(int handle);

// Closes every open handle; failures are not reported (used where the program drops all its files).
void CloseAllFiles();

bool IsFileOpen(int handle);

// The end-of-file test: true when the next read of an input handle would find nothing. A handle that is
// not open for input reads as at its end, so a read loop over it ends at once.
bool AtEndOfFile(int handle);

// The input of a handle open for input, or nullptr.
InputText* InputOf(int handle);

// Writes the text followed by CR LF to a handle open for output or append.
FileStatus WriteLine(int handle, std::string_view text);

// Test seam beside the writer: after `lines` more lines have been written (to any handle), every further
// WriteLine fails with WriteFailed, as on a full disk. A negative count switches the failure off.
void FailWritesAfterLinesForTesting(long lines);

}  // namespace korvane::files
