// How long the program's long lists take to fill, in one run on an item file of 15,000 items (or the
// number given as the first argument): the master list opened, a category chosen in it, and the screen
// lists of both reports, each worked through the forms driver as a user would, and each printed beside
// LoadItemTable of the same file and a bare fill of the same lines into a hidden list box of the system.
// The master list opened on an empty item file first shows what the window itself costs.
// Prints milliseconds; not a test (nothing here passes or fails on time). Answers 1 when a list does
// not hold the lines it should.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "files/SequentialFiles.h"
#include "files/tests/TempFolder.h"
#include "forms/testing/FormDriver.h"
#include "items/ItemFile.h"
#include "items/MasterListLine.h"
#include "items/MasterListWindow.h"
#include "items/tests/ItemFileFixtures.h"
#include "movements/AdjustmentsReport.h"
#include "movements/AdjustmentsReportWindow.h"
#include "movements/ReportOutput.h"
#include "movements/SalesReport.h"
#include "movements/SalesReportWindow.h"
#include "shell/Shell.h"
#include "tests/StandInControls.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr char kFolder[] = "c:\\Korvane";
constexpr char kItemFile[] = "c:\\Korvane\\Item.dat";
constexpr char kCategoryFile[] = "c:\\Korvane\\Item.Txt";
// The fixture's items fall into categories 0 to 6; the category choice takes the fourth line, "3".
constexpr char kCategories[] = "0\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n";
constexpr int kChosenCategoryLine = 3;

double MillisecondsOf(const std::function<void()>& work) {
  const auto start = Clock::now();
  work();
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double LoadTableMilliseconds() {
  auto table = std::make_unique<korvane::ItemTableColumns>();
  korvane::WindowCounters counters;
  return MillisecondsOf([&] { (void)korvane::LoadItemTable(counters, *table, kItemFile); });
}

// The same lines put into a hidden list box of the system, one message each: the floor of any fill.
double BareFillMilliseconds(const std::vector<std::string>& lines) {
  HWND list = CreateWindowExA(0, "LISTBOX", "", LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_HSCROLL, 0, 0, 600, 300,
                              nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  if (!list) return -1;
  const double ms = MillisecondsOf([&] {
    for (const std::string& line : lines) SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
  });
  DestroyWindow(list);
  return ms;
}

std::vector<std::string> MasterListLines(bool loadForm, const std::string& category) {
  std::vector<std::string> lines;
  (void)korvane::ForEachItem(
      [&](const korvane::ItemRecord& read) {
        korvane::ItemRecord item = read;
        if (loadForm) korvane::FitCountersForView(item);
        if (category.empty() || item.Category.str().substr(0, 2) == category) lines.push_back(korvane::MasterListLine(item));
        return true;
      },
      kItemFile);
  return lines;
}

bool failed = false;

void Report(const char* what, double windowMs, const std::vector<std::string>& expected,
            const std::vector<std::string>& listed) {
  if (expected.empty()) {
    failed = failed || !listed.empty();
    std::printf("  %-28s %6zu lines  window %9.1f ms\n", what, listed.size(), windowMs);
    return;
  }
  const double loadMs = LoadTableMilliseconds();
  const double bareMs = BareFillMilliseconds(expected);
  const bool same = listed == expected;
  failed = failed || !same;
  std::printf("  %-28s %6zu lines  window %9.1f ms   LoadItemTable %7.1f ms   bare fill %7.1f ms   "
              "window / (load + bare) %6.2f%s\n",
              what, listed.size(), windowMs, loadMs, bareMs, windowMs / (loadMs + bareMs),
              same ? "" : "   LINES DIFFER");
  std::fflush(stdout);
}

// A report window opened, and its screen button clicked once.
template <class ReportWindow>
void TimeScreenList(korvane::forms::testing::FormDriver& ui, const char* what, korvane::ScreenListBuilder build) {
  auto report = ui.Show<ReportWindow>();
  std::vector<std::string> expected;
  (void)build(expected, korvane::ReportFiles{});
  const double ms = MillisecondsOf([&] { report.Click("cmdScreen"); });
  Report(what, ms, expected, report.Lines("List1"));
  korvane::forms::Forms::UnloadAll();
}

}  // namespace

int main(int argc, char** argv) {
  const int items = argc > 1 ? std::atoi(argv[1]) : 15000;
  CreateDirectoryA(kFolder, nullptr);
  korvane::testing::WriteBytes(kCategoryFile, kCategories);
  if (!korvane::shell::ChangeFolder(kFolder)) {
    std::printf("list_fill_benchmark: cannot change to %s\n", kFolder);
    return 1;
  }
  std::printf("list_fill_benchmark: %d items\n", items);

  korvane::testing::StandInControls standIns;
  korvane::forms::testing::FormDriver ui;

  // The window's own making and first showing, on an empty item file, for what the fills add to it.
  {
    korvane::testing::WriteBytes(kItemFile, "");
    const double ms = MillisecondsOf([&] { ui.Show<korvane::Form60>(); });
    Report("master list, empty file", ms, {}, ui.On("Form60").Lines("List1"));
    korvane::forms::Forms::UnloadAll();
    korvane::testing::WriteBytes(kItemFile, korvane::testing::WellFormedItemFile(items));
  }
  {
    const double ms = MillisecondsOf([&] { ui.Show<korvane::Form60>(); });
    Report("master list opened", ms, MasterListLines(true, ""), ui.On("Form60").Lines("List1"));
  }
  {
    const std::string category = ui.On("Form60").Lines("List2").at(kChosenCategoryLine).substr(0, 2);
    const double ms = MillisecondsOf([&] { ui.On("Form60").MouseDownOnListLine("List2", kChosenCategoryLine); });
    Report("category chosen", ms, MasterListLines(false, category), ui.On("Form60").Lines("List1"));
  }
  korvane::forms::Forms::UnloadAll();
  TimeScreenList<korvane::Form41>(ui, "adjustments screen list", &korvane::BuildAdjustmentsScreenList);
  TimeScreenList<korvane::Form12>(ui, "sales screen list", &korvane::BuildSalesScreenList);
  korvane::files::CloseAllFiles();
  return failed || !ui.MessageBoxes().empty() ? 1 : 0;
}
