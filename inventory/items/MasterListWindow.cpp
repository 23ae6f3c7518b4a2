#include "items/MasterListWindow.h"

#include "items/MasterListPrintOuts.h"
#include "items/WindowNavigation.h"
#include "printer/Printer.h"

namespace korvane {
namespace {

constexpr long kMarqueeStyleDispid = 60;
constexpr long kBlinkingMarquee = 3;
constexpr int kReminder = 1;  // the element of the ribTravelVia array that warns of commas and quotes

// The print-outs on the program's printer.
class ProgramPrinter : public ItemListPrinter {
 public:
  void SetFontName(const std::string& name) override { printer_.SetFontName(name); }
  void SetFontSize(double points) override { printer_.SetFontSize(points); }
  void PrintAt(int column, std::string_view text) override { printer_.PrintAt(column, text); }
  void EndLine() override { printer_.EndLine(); }
  void PrintLine(std::string_view text) override { printer_.PrintLine(text); }
  // A printer that is missing or fails is reported by the printer itself.
  void EndDoc() override { (void)printer_.EndDoc(); }

 private:
  printer::Printer& printer_ = printer::ThePrinter();
};

std::string Today() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return PrintOutDate(now.wYear, now.wMonth, now.wDay);
}

}  // namespace

Form60::Form60() : Form("Form60") {}

void Form60::Bind(forms::EventTable& on) {
  on("Form", "Load", &Form60::Form_Load);
  on("List1", "Click", &Form60::List1_Click);
  on("List2", "MouseDown", &Form60::List2_MouseDown);
  on("AddEntry", "Click", &Form60::AddEntry_Click);
  on("SaveButton", "Click", &Form60::SaveButton_Click);
  on("DeleteEntry", "Click", &Form60::DeleteEntry_Click);
  on("RefreshRibbon", "Click", &Form60::RefreshRibbon_Click);
  on("SortMasterList", "Click", &Form60::SortMasterList_Click);
  on("PrintAll", "MouseDown", &Form60::PrintAll_MouseDown);
  on("PrintAllSorted", "MouseDown", &Form60::PrintAllSorted_MouseDown);
  on("PrintSelected", "MouseDown", &Form60::PrintSelected_MouseDown);
  on("ExitButton", "Click", &Form60::ExitButton_Click);
  on("debuginv", "Click", &Form60::debuginv_Click);
  on("help", "Click", &Form60::help_Click);

  on("RefreshRibbon", "MouseEnter", &Form60::RefreshRibbon_MouseEnter);
  on("RefreshRibbon", "MouseExit", &Form60::RefreshRibbon_MouseExit);
  on("SortMasterList", "MouseEnter", &Form60::SortMasterList_MouseEnter);
  on("SortMasterList", "MouseExit", &Form60::SortMasterList_MouseExit);
  on("PrintAll", "MouseEnter", &Form60::PrintAll_MouseEnter);
  on("PrintAll", "MouseExit", &Form60::PrintAll_MouseExit);
  on("PrintAllSorted", "MouseEnter", &Form60::PrintAllSorted_MouseEnter);
  on("PrintAllSorted", "MouseExit", &Form60::PrintAllSorted_MouseExit);
  on("PrintSelected", "MouseEnter", &Form60::PrintSelected_MouseEnter);
  on("PrintSelected", "MouseExit", &Form60::PrintSelected_MouseExit);
}

void Form60::Form_Load() {
  forms::HostedControlHolder& reminder = Hosted("ribTravelVia", kReminder);
  reminder.SetVisible(true);
  // A ribbon that refuses the style only keeps still; the warning is shown all the same.
  (void)reminder.SetProperty(kMarqueeStyleDispid, kBlinkingMarquee);
  ListOf(MasterList::List1).Clear();
  Show();
  page_.FormLoad();
}

void Form60::List1_Click() { page_.List1Click(); }
void Form60::List2_MouseDown(const forms::MouseArgs&) { page_.List2MouseDown(); }
void Form60::AddEntry_Click() { page_.AddEntryClick(); }
void Form60::SaveButton_Click() { page_.SaveButtonClick(); }
void Form60::DeleteEntry_Click() { page_.DeleteEntryClick(); }
void Form60::RefreshRibbon_Click() { page_.RefreshClick(); }
void Form60::SortMasterList_Click() { page_.SortMasterListClick(); }

void Form60::PrintAll_MouseDown(const forms::MouseArgs&) {
  ProgramPrinter printer;
  Printed(PrintAllItems(printer, Today()));
}

void Form60::PrintAllSorted_MouseDown(const forms::MouseArgs&) {
  ProgramPrinter printer;
  const CategoryPrintOutStatus status = PrintAllItemsByCategory(printer, Today());
  if (status.categoryList != ItemFileStatus::Ok) {
    ShowErrorMessage(kCategoryListErrorText);
    return;
  }
  Printed(status.itemFile);
}

void Form60::PrintSelected_MouseDown(const forms::MouseArgs&) {
  ProgramPrinter printer;
  Printed(PrintSelectedCategory(printer, Today(), ListOf(MasterList::List2).Text()));
}

void Form60::Printed(ItemFileStatus status) {
  if (status != ItemFileStatus::Ok) korvane::ShowItemFileError();
}

void Form60::ExitButton_Click() {
  page_.ExitClick();
  ReturnToMainMenu(*this);
}

void Form60::debuginv_Click() { OpenDebugInventory(*this); }
void Form60::help_Click() { OpenHelpPageOf(*this, "help"); }

void Form60::RefreshRibbon_MouseEnter() { ApplyHover(*this, "RefreshRibbon", true); }
void Form60::RefreshRibbon_MouseExit() { ApplyHover(*this, "RefreshRibbon", false); }
void Form60::SortMasterList_MouseEnter() { ApplyHover(*this, "SortMasterList", true); }
void Form60::SortMasterList_MouseExit() { ApplyHover(*this, "SortMasterList", false); }
void Form60::PrintAll_MouseEnter() { ApplyHover(*this, "PrintAll", true); }
void Form60::PrintAll_MouseExit() { ApplyHover(*this, "PrintAll", false); }
void Form60::PrintAllSorted_MouseEnter() { ApplyHover(*this, "PrintAllSorted", true); }
void Form60::PrintAllSorted_MouseExit() { ApplyHover(*this, "PrintAllSorted", false); }
void Form60::PrintSelected_MouseEnter() { ApplyHover(*this, "PrintSelected", true); }
void Form60::PrintSelected_MouseExit() { ApplyHover(*this, "PrintSelected", false); }

std::string Form60::Text(EditBox box) { return TextBoxNamed(EditBoxName(box)).Text(); }

void Form60::SetText(EditBox box, const std::string& text) { TextBoxNamed(EditBoxName(box)).SetText(text); }

void Form60::FocusBox(EditBox box) { TextBoxNamed(EditBoxName(box)).SetFocus(); }

bool Form60::CheckNoCommaQuote(EditBox box) { return korvane::CheckNoCommaQuote(TextBoxNamed(EditBoxName(box))); }

forms::ListBox& Form60::ListOf(MasterList list) {
  return ListBoxNamed(list == MasterList::List1 ? "List1" : "List2");
}

void Form60::ClearList(MasterList list) { ListOf(list).Clear(); }
void Form60::AddLine(MasterList list, const std::string& line) { ListOf(list).AddItem(line); }
int Form60::SelectedLine(MasterList list) { return ListOf(list).ListIndex(); }
std::string Form60::CurrentLine(MasterList list) { return ListOf(list).Text(); }
void Form60::FocusList(MasterList list) { ListOf(list).SetFocus(); }
void Form60::ShowItemFileError() { korvane::ShowItemFileError(); }
void Form60::ShowMessage(const char* text) { ShowErrorMessage(text); }

}  // namespace korvane
