// Loads and rewrites an item file of 15,000 items, and copies the same file plainly, in one run, so that
// the cost of the field reader, the table and the crash-safe rewrite can be seen beside the cost of the
// disk itself. Prints milliseconds; not a test (nothing here passes or fails on time).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "files/ReplaceFileSafely.h"
#include "files/tests/TempFolder.h"
#include "items/ItemFile.h"
#include "items/tests/ItemFileFixtures.h"

namespace {

using korvane::ItemFileStatus;
using Clock = std::chrono::steady_clock;

constexpr int kRuns = 7;

double MillisecondsOf(const std::function<bool()>& work, bool& ok) {
  const auto start = Clock::now();
  ok = work() && ok;
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

bool CopyPlainly(const std::string& from, const std::string& to) {
  std::FILE* in = std::fopen(from.c_str(), "rb");
  if (in == nullptr) return false;
  std::string bytes;
  char buffer[64 * 1024];
  std::size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, in)) > 0) bytes.append(buffer, got);
  std::fclose(in);
  std::FILE* out = std::fopen(to.c_str(), "wb");
  if (out == nullptr) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
  return std::fclose(out) == 0 && written;
}

struct Timings {
  const char* what;
  std::vector<double> ms;
};

void Print(const Timings& t) {
  std::vector<double> sorted = t.ms;
  std::sort(sorted.begin(), sorted.end());
  std::printf("  %-44s best %8.2f ms   median %8.2f ms\n", t.what, sorted.front(), sorted[sorted.size() / 2]);
}

}  // namespace

int main() {
  korvane::testing::TempFolder folder;
  const std::string itemFile = folder.File("Item.dat");
  const std::string original = korvane::testing::WellFormedItemFile(15000);
  korvane::testing::WriteBytes(itemFile, original);

  auto table = std::make_unique<korvane::ItemTableColumns>();
  korvane::WindowCounters counters;
  Timings load{"LoadItemTable (15,000 items)", {}};
  Timings rewrite{"RewriteItemFile (temporary, flush, replace)", {}};
  Timings both{"load + rewrite", {}};
  Timings copy{"plain copy (read all, write all)", {}};
  Timings safeCopy{"plain copy + flush and replace", {}};

  bool ok = true;
  for (int run = 0; run < kRuns; ++run) {
    const double l = MillisecondsOf([&] { return korvane::LoadItemTable(counters, *table, itemFile) == ItemFileStatus::Ok; }, ok);
    const double r = MillisecondsOf([&] { return korvane::RewriteItemFile(counters, *table, itemFile) == ItemFileStatus::Ok; }, ok);
    load.ms.push_back(l);
    rewrite.ms.push_back(r);
    both.ms.push_back(l + r);
    copy.ms.push_back(MillisecondsOf([&] { return CopyPlainly(itemFile, folder.File("Copy.dat")); }, ok));
    safeCopy.ms.push_back(MillisecondsOf([&] {
      return CopyPlainly(itemFile, folder.File("Copy.dat.tmp")) &&
             korvane::files::ReplaceFileSafely(folder.File("Copy.dat.tmp"), folder.File("Copy.dat"));
    }, ok));
  }
  const bool identical = korvane::testing::ReadBytes(itemFile) == original;

  std::printf("items_benchmark: %zu bytes, %d items, %d runs\n", original.size(), static_cast<int>(counters.CounterMax), kRuns);
  for (const Timings* t : {&load, &rewrite, &both, &copy, &safeCopy}) Print(*t);
  std::printf("  rewritten file byte-identical: %s\n", identical ? "yes" : "NO");
  return ok && identical ? 0 : 1;
}
