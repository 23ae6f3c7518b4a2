// How long the Save of Adjust Inventory takes on an item file of 15,000 items (or the number given as the
// first argument), beside the system copying the same file: the whole posting as the Save button runs it
// (read the file into the table, find the item, post a receipt of 1, rewrite the file crash-safely),
// against CopyFile of that file, and against CopyFile followed by a flush of the copy, which is the disk
// work the crash-safe rewrite cannot avoid. One warm-up round, then the rounds counted; prints the medians
// and the ratio of each round's save to its copy. Not a test: nothing passes or fails on time. Answers 1
// when a save is refused or does not leave the file holding the posted receipt.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "files/tests/TempFolder.h"
#include "items/ItemFile.h"
#include "items/NumberText.h"
#include "items/tests/ItemFileFixtures.h"
#include "movements/MovementKind.h"
#include "movements/StockPosting.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kRounds = 9;

double MillisecondsOf(const std::function<bool()>& work, bool& ok) {
  const auto start = Clock::now();
  ok = work() && ok;
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

struct HandleCloser {
  void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using FileHandle = std::unique_ptr<std::remove_pointer_t<HANDLE>, HandleCloser>;

bool FlushFile(const std::string& path) {
  FileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file.get() == INVALID_HANDLE_VALUE) {
    file.release();
    return false;
  }
  return FlushFileBuffers(file.get()) != FALSE;
}

// The quantity on hand and the receipts of a row as the file now holds them, read into a table of the
// benchmark's own so that what the save left in memory does not count.
struct PostedFields {
  double quantity = 0;
  double receipts = 0;
};

bool ReadPosted(const std::string& itemFile, int row, int items, PostedFields& fields) {
  auto table = std::make_unique<korvane::ItemTableColumns>();
  korvane::WindowCounters counters;
  if (korvane::LoadItemTable(counters, *table, itemFile) != korvane::ItemFileStatus::Ok) return false;
  if (counters.CounterMax != items) return false;
  fields.quantity = korvane::NumberFromText(table->QuantityArr(row).str());
  fields.receipts = korvane::NumberFromText(table->ReceiptsArr(row).str());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const int items = argc > 1 ? std::atoi(argv[1]) : 15000;
  if (!korvane::ItemTableColumns::HasRow(items)) {
    std::fprintf(stderr, "adjust_save_benchmark: the item count must lie in 1..15000\n");
    return 1;
  }
  korvane::testing::TempFolder folder;
  const std::string itemFile = folder.File(korvane::kItemFileName);
  const std::string copyFile = folder.File("Copy.dat");
  korvane::testing::WriteBytes(itemFile, korvane::testing::WellFormedItemFile(items));

  // An item half way down the file (an "OPEN" slot is moved on by one), found by its slot and item
  // number as the lookup hands them to the Save.
  int row = (items + 1) / 2;
  if (row % 11 == 0) row = row > 1 ? row - 1 : row;
  const korvane::PostedItem posted{static_cast<double>(row), "AB-" + std::to_string(1000 + row)};
  korvane::ChosenKinds receipt{};
  receipt[static_cast<int>(korvane::MovementKind::Receipt)] = true;

  PostedFields before;
  if (!ReadPosted(itemFile, row, items, before)) {
    std::fprintf(stderr, "adjust_save_benchmark: the item file it wrote cannot be read back\n");
    return 1;
  }

  std::vector<double> save, copy, copyFlushed, ratio;
  bool ok = true;
  for (int round = 0; round <= kRounds; ++round) {
    korvane::WindowCounters counters;
    const char* refused = nullptr;
    const double s = MillisecondsOf(
        [&] {
          refused = korvane::PostingMessage(korvane::PostMovement(posted, receipt, "1", counters, itemFile));
          return refused == nullptr;
        },
        ok);
    if (refused != nullptr) std::fprintf(stderr, "adjust_save_benchmark: the save was refused: %s\n", refused);
    const double c = MillisecondsOf([&] { return CopyFileA(itemFile.c_str(), copyFile.c_str(), FALSE) != FALSE; }, ok);
    const double f = MillisecondsOf(
        [&] { return CopyFileA(itemFile.c_str(), copyFile.c_str(), FALSE) != FALSE && FlushFile(copyFile); }, ok);
    if (round == 0) continue;  // the warm-up: the file's first reads, the table's first filling
    save.push_back(s);
    copy.push_back(c);
    copyFlushed.push_back(f);
    ratio.push_back(s / c);
  }

  // Every round, the warm-up's included, posted a receipt of 1 to the one item.
  PostedFields after;
  const double posts = kRounds + 1;
  const bool allPosted = ReadPosted(itemFile, row, items, after) && after.quantity == before.quantity + posts &&
                          after.receipts == before.receipts + posts;
  if (!allPosted) std::fprintf(stderr, "adjust_save_benchmark: the file does not hold every receipt posted\n");
  if (!ok && allPosted) std::fprintf(stderr, "adjust_save_benchmark: a copy or a flush failed\n");
  ok = ok && allPosted;

  std::printf("adjust_save_benchmark: %d items, %d rounds after one warm-up; milliseconds, medians\n", items,
              kRounds);
  std::printf("  %-52s %9.2f ms\n", "Save (load, post a receipt, crash-safe rewrite)", Median(save));
  std::printf("  %-52s %9.2f ms\n", "CopyFile of the same file", Median(copy));
  std::printf("  %-52s %9.2f ms\n", "CopyFile, then the copy flushed to disk", Median(copyFlushed));
  std::printf("  %-52s %9.2f\n", "Save / CopyFile (median of each round's ratio)", Median(ratio));
  std::printf("  %-52s %9.2f\n", "Save / (CopyFile + flush) (ratio of medians)", Median(save) / Median(copyFlushed));
  return ok ? 0 : 1;
}
