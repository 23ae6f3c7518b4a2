// The rules of forms: created once on reference, loaded afresh after an unload, unloading from inside
// their own handlers, showing and hiding, and the end of the program.
#include <gtest/gtest.h>

#include "forms/Forms.h"
#include "forms/testing/FormDriver.h"

using namespace korvane::forms;
using korvane::forms::testing::FormDriver;

namespace {

int g_main_loads = 0;
int g_work_loads = 0;

class MainForm : public Form {
 public:
  MainForm()
      : Form("MainForm", R"(form MainForm {
  caption "Main Menu"
  size 300 120
  button OpenButton {
    caption "Open"
    rect 10 10 100 25
    tab 1
  }
  button ExitButton {
    caption "Exit"
    rect 10 50 100 25
    tab 2
  }
})") {}

 private:
  void Bind(EventTable& on) override;
  void Form_Load() { ++g_main_loads; }
  void OpenButton_Click();
  void ExitButton_Click();
};

class WorkForm : public Form {
 public:
  WorkForm()
      : Form("WorkForm", R"(form WorkForm {
  caption "Work"
  size 300 120
  textbox Text1 {
    rect 10 10 150 21
    tab 1
  }
  button ExitButton {
    caption "Click to Exit"
    rect 10 50 100 25
    tab 2
  }
  button CloseOnly {
    caption "Close"
    rect 120 50 100 25
    tab 3
  }
})") {}

  std::string note_after_unload;

 private:
  void Bind(EventTable& on) override {
    on("Form", "Load", &WorkForm::Form_Load);
    on("ExitButton", "Click", &WorkForm::ExitButton_Click);
    on("CloseOnly", "Click", &WorkForm::CloseOnly_Click);
  }
  void Form_Load() {
    ++g_work_loads;
    TextBoxNamed("Text1").SetText("loaded " + std::to_string(g_work_loads));
  }
  // The way back to a fresh main menu: unload itself and the main menu, then show the main menu again.
  void ExitButton_Click() {
    Forms::Unload<WorkForm>();
    // The form's controls and members are still there for the rest of this handler.
    note_after_unload = TextBoxNamed("Text1").Text();
    Forms::Unload<MainForm>();
    Forms::Get<MainForm>().Show();
  }
  void CloseOnly_Click() { Unload(); }
};

void MainForm::Bind(EventTable& on) {
  on("Form", "Load", &MainForm::Form_Load);
  on("OpenButton", "Click", &MainForm::OpenButton_Click);
  on("ExitButton", "Click", &MainForm::ExitButton_Click);
}

void MainForm::OpenButton_Click() { Forms::Get<WorkForm>().Show(); }

void MainForm::ExitButton_Click() {
  Forms::Unload<WorkForm>();
  Forms::Unload<MainForm>();
}

class FormRules : public ::testing::Test {
 protected:
  void SetUp() override { g_main_loads = g_work_loads = 0; }
  FormDriver ui;
};

TEST_F(FormRules, AFormReferencedTwiceIsCreatedAndLoadedOnceAndNotShown) {
  WorkForm& first = Forms::Get<WorkForm>();
  WorkForm& second = Forms::Get<WorkForm>();
  EXPECT_EQ(&first, &second);
  EXPECT_EQ(g_work_loads, 1);
  EXPECT_TRUE(ui.IsLoaded("WorkForm"));
  EXPECT_FALSE(ui.IsVisible("WorkForm"));
  EXPECT_EQ(ui.On("WorkForm").Text("Text1"), "loaded 1");
}

TEST_F(FormRules, UnloadDestroysTheWindowAndTheNextReferenceLoadsAfresh) {
  auto work = ui.Show<WorkForm>();
  HWND window = work.Get().Window();
  ui.On("WorkForm").Type("Text1", "x");
  Forms::Unload<WorkForm>();
  ui.Pump();
  EXPECT_FALSE(ui.IsLoaded("WorkForm"));
  EXPECT_FALSE(IsWindow(window));

  Forms::Get<WorkForm>();
  EXPECT_EQ(g_work_loads, 2);
  EXPECT_EQ(work.Text("Text1"), "loaded 2");  // the new form's own text, not the one typed before
  EXPECT_FALSE(work.Visible());
}

TEST_F(FormRules, UnloadingFromInsideItsOwnHandlerIsSafeAndReturnsToAFreshMainMenu) {
  auto main = ui.Show<MainForm>();
  main.Click("OpenButton");
  ASSERT_TRUE(ui.IsVisible("WorkForm"));
  EXPECT_TRUE(ui.IsVisible("MainForm"));  // the main menu stays behind
  HWND old_main = main.Get().Window();
  WorkForm& work = Forms::Get<WorkForm>();
  HWND work_window = work.Window();

  ui.On("WorkForm").Click("ExitButton");
  EXPECT_FALSE(ui.IsLoaded("WorkForm"));
  EXPECT_FALSE(IsWindow(work_window));
  EXPECT_FALSE(IsWindow(old_main));
  EXPECT_EQ(ui.VisibleForms(), std::vector<std::string>{"MainForm"});
  EXPECT_EQ(g_main_loads, 2);  // the fresh main menu ran its load again
  EXPECT_FALSE(ui.ProgramEnded());
}

TEST_F(FormRules, TheProgramEndsWhenTheLastFormIsUnloaded) {
  auto main = ui.Show<MainForm>();
  main.Click("OpenButton");
  ui.On("WorkForm").Click("CloseOnly");
  EXPECT_FALSE(ui.ProgramEnded()) << "the main menu is still loaded";
  main.Click("ExitButton");
  EXPECT_TRUE(ui.LoadedForms().empty());
  EXPECT_TRUE(ui.ProgramEnded());
}

TEST_F(FormRules, TheCloseBoxUnloadsTheForm) {
  ui.Show<MainForm>();
  auto work = ui.Show<WorkForm>();
  work.Close();
  EXPECT_FALSE(ui.IsLoaded("WorkForm"));
  EXPECT_FALSE(ui.ProgramEnded());
}

TEST_F(FormRules, ShowHideAndCaption) {
  auto work = ui.Load<WorkForm>();
  EXPECT_EQ(work.Caption(), "Work");
  EXPECT_FALSE(work.Visible());
  work.Get().Show();
  ui.Pump();
  EXPECT_TRUE(work.Visible());
  EXPECT_EQ(ui.Focused(), "WorkForm.Text1");  // the first control in tab order takes the focus
  work.Get().SetCaption("  Adjust Inventory");
  EXPECT_EQ(work.Caption(), "  Adjust Inventory");
  work.Get().Hide();
  ui.Pump();
  EXPECT_FALSE(work.Visible());
  EXPECT_TRUE(ui.IsLoaded("WorkForm"));  // hiding keeps it loaded
}

// Forms that cannot be built fail to load with a message that names what is wrong, and stay unloaded.
class MisnamedHandlerForm : public Form {
 public:
  MisnamedHandlerForm() : Form("MisnamedHandlerForm", "form MisnamedHandlerForm { button B { } }") {}

 private:
  void Bind(EventTable& on) override { on("SaveButon", "Click", &MisnamedHandlerForm::Nothing); }
  void Nothing() {}
};
class UnknownKindForm : public Form {
 public:
  UnknownKindForm() : Form("UnknownKindForm", "form UnknownKindForm {\n  gizmo G { }\n}") {}
};
class MalformedForm : public Form {
 public:
  MalformedForm() : Form("MalformedForm", "form MalformedForm {\n  label L { rect 1 2 }\n}") {}
};
class MissingResourceForm : public Form {
 public:
  MissingResourceForm() : Form("NoSuchFormResource") {}
};

// The second menu's entry has a number for its caption: the menus before it are made, then the load fails.
class BrokenMenuForm : public Form {
 public:
  BrokenMenuForm()
      : Form("BrokenMenuForm", "form BrokenMenuForm {\n  menu File {\n    caption \"File\"\n    menu Open { caption \"Open\" }\n"
                               "  }\n  menu Edit {\n    caption \"Edit\"\n    menu Cut { caption 12 }\n  }\n}") {}
};
// Sizes and places that are not whole numbers a window can take.
class HugeSizeForm : public Form {
 public:
  HugeSizeForm() : Form("HugeSizeForm", "form HugeSizeForm {\n  size 10000000000 100\n}") {}
};
class NegativeSizeForm : public Form {
 public:
  NegativeSizeForm() : Form("NegativeSizeForm", "form NegativeSizeForm {\n  size -5 100\n}") {}
};
class FractionalPositionForm : public Form {
 public:
  FractionalPositionForm() : Form("FractionalPositionForm", "form FractionalPositionForm {\n  position 10.5 20\n}") {}
};
class OnePositionForm : public Form {
 public:
  OnePositionForm() : Form("OnePositionForm", "form OnePositionForm {\n  position 10\n}") {}
};

// The menus alive in the process: every menu handle the window system would accept, by the low word that
// identifies a user object (any generation).
int LiveMenus() {
  int live = 0;
  for (UINT_PTR handle = 1; handle <= 0xFFFF; ++handle)
    if (IsMenu(reinterpret_cast<HMENU>(handle))) ++live;
  return live;
}

template <class F>
std::string LoadFailure() {
  try {
    Forms::Get<F>();
  } catch (const FormLoadError& e) {
    return e.what();
  }
  return "(loaded)";
}

TEST_F(FormRules, FormsThatCannotBeBuiltFailToLoadAndSayWhy) {
  EXPECT_NE(LoadFailure<MisnamedHandlerForm>().find("SaveButon"), std::string::npos);
  EXPECT_NE(LoadFailure<UnknownKindForm>().find("gizmo"), std::string::npos);
  EXPECT_NE(LoadFailure<MalformedForm>().find("line 2"), std::string::npos);
  EXPECT_NE(LoadFailure<MissingResourceForm>().find("NoSuchFormResource"), std::string::npos);
  EXPECT_TRUE(ui.LoadedForms().empty());
}

TEST_F(FormRules, AFormWhoseMenuCannotBeMadeLeavesNoMenuBehind) {
  const int before = LiveMenus();
  for (int attempt = 0; attempt < 3; ++attempt)
    EXPECT_NE(LoadFailure<BrokenMenuForm>().find("line 8"), std::string::npos);
  EXPECT_EQ(LiveMenus(), before);
  EXPECT_TRUE(ui.LoadedForms().empty());
}

TEST_F(FormRules, SizesAndPositionsMustBeWholeNumbersAWindowCanTake) {
  EXPECT_NE(LoadFailure<HugeSizeForm>().find("line 2"), std::string::npos);
  EXPECT_NE(LoadFailure<NegativeSizeForm>().find("negative"), std::string::npos);
  EXPECT_NE(LoadFailure<FractionalPositionForm>().find("whole numbers"), std::string::npos);
  EXPECT_NE(LoadFailure<OnePositionForm>().find("a left and a top"), std::string::npos);
  EXPECT_TRUE(ui.LoadedForms().empty());
}

// A start-up form that closes itself as soon as the message loop runs.
class ShortLivedForm : public Form {
 public:
  ShortLivedForm() : Form("ShortLivedForm", "form ShortLivedForm {\n  caption \"Short\"\n}") {}

 private:
  void Bind(EventTable& on) override { on("Form", "Load", &ShortLivedForm::Form_Load); }
  void Form_Load() { PostMessageA(Window(), WM_CLOSE, 0, 0); }
};

TEST_F(FormRules, TheProgramsMessageLoopReturnsWhenNoFormIsLoaded) {
  EXPECT_EQ(Forms::RunProgram<ShortLivedForm>(), 0);
  EXPECT_TRUE(ui.LoadedForms().empty());
  EXPECT_TRUE(ui.ProgramEnded());
}

TEST_F(FormRules, AStartUpFormThatCannotLoadIsReportedAndEndsTheProgram) {
  ui.AnswerNextMessageBox(IDOK);
  EXPECT_EQ(Forms::RunProgram<MissingResourceForm>(), 1);
  ASSERT_EQ(ui.MessageBoxes().size(), 1u);
  EXPECT_NE(ui.MessageBoxes()[0].text.find("NoSuchFormResource"), std::string::npos);
}

}  // namespace
