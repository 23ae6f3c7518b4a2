// The master list window (Form60): every item of the item file, the category codes, and the edit row
// with which an item is added, changed or blanked out. Its behaviour is the master list page's; the
// window hands the page its events and lets it work its lists, boxes and message boxes.
#pragma once

#include <string>

#include "forms/Forms.h"
#include "items/MasterListPage.h"

namespace korvane {

class Form60 : public forms::Form, private MasterListControls {
 public:
  Form60();

  // The page behind the window, for reading its state.
  const MasterListPage& Page() const { return page_; }

 private:
  void Bind(forms::EventTable& on) override;

  void Form_Load();
  void List1_Click();
  void List2_MouseDown(const forms::MouseArgs& mouse);
  void AddEntry_Click();
  void SaveButton_Click();
  void DeleteEntry_Click();
  void RefreshRibbon_Click();
  void SortMasterList_Click();
  void PrintAll_MouseDown(const forms::MouseArgs& mouse);
  void PrintAllSorted_MouseDown(const forms::MouseArgs& mouse);
  void PrintSelected_MouseDown(const forms::MouseArgs& mouse);
  void ExitButton_Click();
  void debuginv_Click();
  void help_Click();

  void RefreshRibbon_MouseEnter();
  void RefreshRibbon_MouseExit();
  void SortMasterList_MouseEnter();
  void SortMasterList_MouseExit();
  void PrintAll_MouseEnter();
  void PrintAll_MouseExit();
  void PrintAllSorted_MouseEnter();
  void PrintAllSorted_MouseExit();
  void PrintSelected_MouseEnter();
  void PrintSelected_MouseExit();

  // MasterListControls
  std::string Text(EditBox box) override;
  void SetText(EditBox box, const std::string& text) override;
  void FocusBox(EditBox box) override;
  bool CheckNoCommaQuote(EditBox box) override;
  void ClearList(MasterList list) override;
  void AddLine(MasterList list, const std::string& line) override;
  int SelectedLine(MasterList list) override;
  std::string CurrentLine(MasterList list) override;
  void FocusList(MasterList list) override;
  void ShowItemFileError() override;
  void ShowMessage(const char* text) override;

  forms::ListBox& ListOf(MasterList list);
  // A print-out's outcome: a file that cannot be read gets the item-file message.
  void Printed(ItemFileStatus status);

  MasterListPage page_{*this};
};

}  // namespace korvane
