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

// A form with one button whose handler counts its clicks.
class CountingForm : public Form {
 public:
  CountingForm(const char* name, int left)
      : Form(name, "form " + std::string(name) + " {\n  caption \"" + name + "\"\n  size 160 60\n  position " +
                       std::to_string(left) + " 700\n  button Other {\n    caption \"Other\"\n    rect 10 10 80 25\n  }\n}") {}
  int clicks = 0;

 private:
  void Bind(EventTable& on) override { on("Other", "Click", &CountingForm::Other_Click); }
  void Other_Click() { ++clicks; }
};
class SecondForm : public CountingForm {
 public:
  SecondForm() : CountingForm("SecondForm", 60) {}
};
class ThirdForm : public CountingForm {
 public:
  ThirdForm() : CountingForm("ThirdForm", 260) {}
};

// While the next message box is up, before the driver's answer reaches it: which forms take input, and a
// user's real click on a button of another form. The answer is held back until the click has been
// taken from the input queue (a thread timer comes only once no input is waiting).
class WhileTheBoxIsUp {
 public:
  WhileTheBoxIsUp(std::vector<HWND> forms, HWND clicked) : forms_(std::move(forms)), clicked_(clicked) {
    current_ = this;
    hook_ = SetWindowsHookExA(WH_MSGFILTER, &WhileTheBoxIsUp::Filter, nullptr, GetCurrentThreadId());
  }
  ~WhileTheBoxIsUp() {
    if (hook_) UnhookWindowsHookEx(hook_);
    current_ = nullptr;
  }
  bool Ready() const { return hook_ != nullptr; }
  bool Seen() const { return seen_; }
  const std::vector<bool>& Enabled() const { return enabled_; }

 private:
  static LRESULT CALLBACK Filter(int code, WPARAM wparam, LPARAM lparam) {
    MSG* message = reinterpret_cast<MSG*>(lparam);
    WhileTheBoxIsUp* self = current_;
    if (code == MSGF_DIALOGBOX && self && !self->seen_ && message->message == WM_COMMAND) {
      self->seen_ = true;
      for (HWND form : self->forms_) self->enabled_.push_back(IsWindowEnabled(form) != FALSE);
      self->answer_ = *message;
      self->Click();
      SetTimer(nullptr, 0, 300, &WhileTheBoxIsUp::Answer);
      return TRUE;  // held back
    }
    return CallNextHookEx(nullptr, code, wparam, lparam);
  }
  static void CALLBACK Answer(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    if (current_) PostMessageA(current_->answer_.hwnd, current_->answer_.message, current_->answer_.wParam,
                               current_->answer_.lParam);
  }
  void Click() const {
    RECT place{};
    GetWindowRect(clicked_, &place);
    INPUT input[3] = {};
    for (INPUT& one : input) one.type = INPUT_MOUSE;
    input[0].mi.dx = MulDiv((place.left + place.right) / 2, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    input[0].mi.dy = MulDiv((place.top + place.bottom) / 2, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    input[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[2].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(3, input, sizeof input[0]);
  }

  static inline WhileTheBoxIsUp* current_ = nullptr;
  std::vector<HWND> forms_;
  HWND clicked_;
  HHOOK hook_ = nullptr;
  bool seen_ = false;
  MSG answer_{};
  std::vector<bool> enabled_;
};

TEST_F(MessageBoxes, WhileABoxIsUpNoFormTakesInputAndAfterItEveryOneDoes) {
  auto second = ui.Show<SecondForm>();
  auto third = ui.Show<ThirdForm>();
  const std::vector<HWND> forms = {error_form().Window(), second.Get().Window(), third.Get().Window()};
  // Once with the box's form active, once with no window of the program active.
  for (bool active : {true, false}) {
    SCOPED_TRACE(active ? "the form active" : "no window active");
    if (active) {
      SetForegroundWindow(error_form().Window());
      SetActiveWindow(error_form().Window());
    } else {
      SetActiveWindow(nullptr);
    }
    ui.Pump();
    ASSERT_EQ(GetActiveWindow() == error_form().Window(), active);
    const int clicksBefore = Forms::Get<SecondForm>().clicks;
    const HWND focusBefore = GetFocus();
    {
      WhileTheBoxIsUp during(forms, second.Window("Other"));
      ASSERT_TRUE(during.Ready());
      ui.AnswerNextMessageBox(IDOK);
      form.Click("Check");
      ASSERT_TRUE(during.Seen());
      EXPECT_EQ(during.Enabled(), std::vector<bool>(3, false));
    }
    ui.Pump();
    EXPECT_EQ(Forms::Get<SecondForm>().clicks, clicksBefore) << "a handler of another form ran under the box";
    for (HWND window : forms) EXPECT_TRUE(IsWindowEnabled(window));
    // The focus goes back where it was (with none before, the system activates a window of its choice
    // when the box goes).
    if (active) {
      EXPECT_EQ(GetFocus(), focusBefore);
    }
  }
  // Afterwards the other form takes a click again.
  second.Click("Other");
  EXPECT_EQ(Forms::Get<SecondForm>().clicks, 1);
}

}  // namespace
