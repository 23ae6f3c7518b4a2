// Message boxes shown by handlers, captured and answered by the driver.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include "forms/Forms.h"
#include "forms/MessageBox.h"
#include "forms/testing/FormDriver.h"

using namespace korvane::forms;
using korvane::forms::testing::FormDriver;

namespace {

class ErrorForm : public Form {
 public:
  ErrorForm()
      : Form("ErrorForm", R"(form ErrorForm {
  caption "Error Form"
  size 200 80
  button Check {
    caption "Check"
    rect 10 10 80 25
  }
  button Ask {
    caption "Ask"
    rect 100 10 80 25
  }
})") {}

  std::vector<int> answers;

 private:
  void Bind(EventTable& on) override {
    on("Check", "Click", &ErrorForm::Check_Click);
    on("Ask", "Click", &ErrorForm::Ask_Click);
  }
  void Check_Click() {
    answers.push_back(MsgBox("Error Condition Exists, goto (Debug Inventory) to correct.", 16, "Error Condition Query",
                             "DEMO.HLP", 1000));
  }
  void Ask_Click() { answers.push_back(MsgBox("Go on?", MB_YESNO | MB_ICONQUESTION, "Question")); }
};

class MessageBoxes : public ::testing::Test {
 protected:
  FormDriver ui;
  korvane::forms::testing::DrivenForm form = ui.Show<ErrorForm>();
  ErrorForm& error_form() { return Forms::Get<ErrorForm>(); }
};

TEST_F(MessageBoxes, ACriticalMessageBoxIsShownCapturedAndAnswered) {
  ui.AnswerNextMessageBox(IDOK);
  form.Click("Check");
  ASSERT_EQ(ui.MessageBoxes().size(), 1u);
  const auto& box = ui.MessageBoxes()[0];
  EXPECT_EQ(box.text, "Error Condition Exists, goto (Debug Inventory) to correct.");
  EXPECT_EQ(box.shown_text, box.text) << "the text on the screen";
  EXPECT_EQ(box.title, "Error Condition Query");
  EXPECT_EQ(box.style, 16u);
  EXPECT_EQ(box.help_file, "DEMO.HLP");
  EXPECT_EQ(box.help_context, 1000u);
  EXPECT_TRUE(box.expected);
  EXPECT_EQ(error_form().answers, std::vector<int>{IDOK});
  EXPECT_TRUE(ui.IsVisible("ErrorForm"));
}

TEST_F(MessageBoxes, TheHelpKeyWithoutAHelpSystemDoesNotEndTheBoxOrTheProgram) {
  ui.AnswerNextMessageBox(IDOK, /*help_key_presses_first=*/2);
  form.Click("Check");
  ASSERT_EQ(ui.MessageBoxes().size(), 1u);
  EXPECT_EQ(ui.MessageBoxes()[0].help_requests, 2);
  EXPECT_FALSE(ui.MessageBoxes()[0].help_shown);  // DEMO.HLP is nowhere to be found
  EXPECT_EQ(error_form().answers, std::vector<int>{IDOK});
}

TEST_F(MessageBoxes, TheAnswerChosenReachesTheHandler) {
  ui.AnswerNextMessageBox(IDNO);
  ui.AnswerNextMessageBox(IDYES);
  form.Click("Ask").Click("Ask");
  EXPECT_EQ(error_form().answers, (std::vector<int>{IDNO, IDYES}));
  EXPECT_EQ(ui.MessageBoxes()[1].style, static_cast<unsigned>(MB_YESNO | MB_ICONQUESTION));
}

TEST_F(MessageBoxes, AnUnexpectedMessageBoxFailsTheTestAndIsAnsweredWithItsFirstButton) {
  EXPECT_NONFATAL_FAILURE(form.Click("Ask"), "an unexpected message box: \"Go on?\"");
  EXPECT_EQ(error_form().answers, std::vector<int>{IDYES});
  EXPECT_FALSE(ui.MessageBoxes()[0].expected);
}

TEST_F(MessageBoxes, AButtonTheBoxDoesNotHaveFailsTheTest) {
  ui.AnswerNextMessageBox(IDCANCEL);
  EXPECT_NONFATAL_FAILURE(form.Click("Check"), "has no button 2");
  EXPECT_EQ(error_form().answers, std::vector<int>{IDOK});
}

}  // namespace
