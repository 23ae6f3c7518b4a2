#include "items/WorkingWindows.h"

#include <array>

#include "forms/Forms.h"
#include "items/DebugInventoryWindow.h"
#include "items/MasterListWindow.h"
#include "items/SortWindow.h"
#include "items/WindowNavigation.h"
#include "movements/AdjustInventoryWindow.h"
#include "movements/AdjustmentsReportWindow.h"
#include "movements/SalesReportWindow.h"
#include "movements/ZeroAdjustmentsWindow.h"
#include "movements/ZeroSalesWindow.h"

namespace korvane {
namespace {

struct WorkingWindowRow {
  const char* name;
  void (*open)();
  void (*unload)();
};

template <class F>
void UnloadForm() {
  forms::Forms::Unload<F>();
}

template <class F>
constexpr WorkingWindowRow Row(const char* name) {
  return {name, &OpenWorkingForm<F>, &UnloadForm<F>};
}

const std::array<WorkingWindowRow, 8> kWorkingWindows = {{
    Row<Form60>("Form60"),
    Row<Form2>("Form2"),
    Row<Form4>("Form4"),
    Row<Form3>("Form3"),
    Row<Form41>("Form41"),
    Row<Form12>("Form12"),
    Row<Form37>("Form37"),
    Row<Form63>("Form63"),
}};

const WorkingWindowRow* Find(std::string_view window) {
  for (const WorkingWindowRow& row : kWorkingWindows) {
    if (window == row.name) return &row;
  }
  return nullptr;
}

}  // namespace

void OpenWorkingWindow(std::string_view window) {
  if (const WorkingWindowRow* row = Find(window)) row->open();
}

void ReopenWorkingWindow(std::string_view window) {
  if (const WorkingWindowRow* row = Find(window)) {
    row->unload();
    row->open();
  }
}

}  // namespace korvane
