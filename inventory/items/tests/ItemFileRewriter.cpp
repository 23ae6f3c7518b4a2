// A program that rewrites the item file over and over through the program's own writer, for the test
// that kills it in the middle of its writes (ItemFileKillTests.cpp).
//
//   item_file_rewriter <item file> <old version> <new version> [writes]
//
// The two versions are item files of their own, the new one holding the items of the old in reverse
// order, as a sort rearranges them. At its start it reads the item file with the program's reading (as a
// window does when it opens) and tells which of the two versions it found; then it writes the other
// version, then the first again, and so on, `writes` times or, without the count, until it is killed.
// Each line it prints is flushed at once, since the test reads them while it runs:
//   "ready old" / "ready new"   the item file was read and is that version; the writes begin now
//   "wrote <microseconds>"      one write has replaced the item file, in that time
//   "failed <why>"              then it ends with exit code 2 (a read or a write failed)
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "files/tests/TempFolder.h"
#include "items/ItemFile.h"

namespace {

using korvane::ItemFileStatus;
using korvane::ItemTableColumns;
using korvane::WindowCounters;

constexpr int kFailedExitCode = 2;

void Say(const std::string& line) {
  std::fputs((line + "\n").c_str(), stdout);
  std::fflush(stdout);
}

[[noreturn]] void Fail(const std::string& why) {
  Say("failed " + why);
  std::exit(kFailedExitCode);
}

struct Version {
  std::unique_ptr<ItemTableColumns> table = std::make_unique<ItemTableColumns>();
  WindowCounters counters;
};

// The lines of the table's items as the file holds them: one field a line, each ended by CR LF.
std::string LinesOf(const Version& version) {
  std::string lines;
  for (int row = ItemTableColumns::kFirstRow; row <= version.counters.CounterMax; ++row) {
    for (korvane::ItemField field : korvane::kAllItemFields) lines += version.table->Column(field)(row).str() + "\r\n";
  }
  return lines;
}

// The items of `from` in reverse order: the one version made from the other, without a second read.
void Reverse(const Version& from, Version& into) {
  const int count = from.counters.CounterMax;
  into.counters.CounterMax = from.counters.CounterMax;
  for (int row = ItemTableColumns::kFirstRow; row <= count; ++row) {
    for (korvane::ItemField field : korvane::kAllItemFields) {
      into.table->Column(field)(count + 1 - row) = from.table->Column(field)(row);
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4 && argc != 5) Fail("usage: item_file_rewriter <item file> <old version> <new version> [writes]");
  const std::string itemFile = argv[1];
  const long writes = argc == 5 ? std::atol(argv[4]) : 0;

  // What the item file holds now, as the program reads it, and the other version to write over it.
  Version found;
  const ItemFileStatus read = korvane::LoadItemTable(found.counters, *found.table, itemFile);
  if (read != ItemFileStatus::Ok) Fail("reading the item file: " + std::string(korvane::ItemFileMessage(read)));
  const std::string lines = LinesOf(found);
  const char* foundName = lines == korvane::testing::ReadBytes(argv[2])   ? "old"
                          : lines == korvane::testing::ReadBytes(argv[3]) ? "new"
                                                                          : nullptr;
  if (foundName == nullptr) Fail("the item file is neither version");
  Version other;
  Reverse(found, other);
  Say(std::string("ready ") + foundName);

  for (long done = 0; writes == 0 || done < writes; ++done) {
    const Version& next = done % 2 == 0 ? other : found;
    const auto start = std::chrono::steady_clock::now();
    const ItemFileStatus status = korvane::RewriteItemFile(next.counters, *next.table, itemFile);
    if (status != ItemFileStatus::Ok) Fail(std::string("writing: ") + korvane::ItemFileMessage(status));
    const auto took = std::chrono::steady_clock::now() - start;
    Say("wrote " + std::to_string(std::chrono::duration_cast<std::chrono::microseconds>(took).count()));
  }
  return 0;
}
