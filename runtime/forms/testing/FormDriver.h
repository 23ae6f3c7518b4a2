// The test driver of the forms runtime: runs forms in the test's own process (under the X display of
// the test harness) and works them through real window messages, then reads their state back.
//
//   TEST(AdjustInventory, FoldsTheItemNumberAndLooksItUp) {
//     korvane::forms::testing::FormDriver ui;           // no form loaded; message boxes are captured
//     auto form3 = ui.Show<Form3>();                   // Get<Form3>().Show(), then messages handled
//     form3.Type("Text38", "ab").PressEnter("Text38");
//     EXPECT_EQ(form3.Text("Text38"), "AB");
//     EXPECT_EQ(ui.Focused(), "Form3.Text36");
//     ui.AnswerNextMessageBox(IDOK);                  // the next message box is answered with OK
//     form3.Click("SaveButton4");
//     ASSERT_EQ(ui.MessageBoxes().size(), 1u);
//     EXPECT_EQ(ui.MessageBoxes()[0].style, 16u);
//     form3.ChooseMenu("debuginv");
//     EXPECT_TRUE(ui.IsLoaded("Form4"));
//     ui.SavePng("Form4", "form4.png");
//   }
//
// Controls are named as in the form description; "Label1(1)" is element 1 of the control array Label1.
// Every action posts the messages a user's action would bring (mouse presses at the control's centre or
// at a point, key presses, the menu's command) and then handles messages until none is waiting.
// A message box that no answer was queued for fails the test (with its text) and is answered with its
// first button, so a test never hangs on one. Documents ended on the printer are recorded, not printed.
// A DrivenForm names its form: it reaches whichever form of that name is loaded at the moment.
#pragma once

#include <windows.h>

#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "forms/Forms.h"
#include "forms/MessageBox.h"
#include "printer/PrintLayout.h"

namespace korvane::forms::testing {

class FormDriver;

struct ShownMessageBox {
  std::string text;       // as asked for
  std::string shown_text; // as read from the box on the screen
  std::string title;
  unsigned style = 0;
  std::string help_file;
  unsigned long help_context = 0;
  int answer = 0;         // the button the driver chose
  bool expected = false;  // an answer was queued for it
  int help_requests = 0;  // times the help key reached the box's help
  bool help_shown = false;  // whether the help viewer opened the topic
};

class DrivenForm {
 public:
  DrivenForm(FormDriver& driver, std::string name) : driver_(&driver), name_(std::move(name)) {}

  const std::string& Name() const { return name_; }
  // The loaded form of this name; fails the test (throws) when none is loaded.
  Form& Get() const;

  // Actions; each returns the form for chaining. Pressing a hidden or disabled control, choosing a
  // disabled menu entry or naming what the form does not have throws std::logic_error.
  DrivenForm& Click(std::string_view control);                    // left press and release at the centre
  DrivenForm& MouseDown(std::string_view control, int x, int y, int button = kLeftButton);  // press + release
  DrivenForm& MoveMouseOver(std::string_view control);           // the pointer moves onto the control's centre
  DrivenForm& ClickListLine(std::string_view list, int line);     // a left click on that line of a list box
  DrivenForm& MouseDownOnListLine(std::string_view list, int line, int button = kLeftButton);
  DrivenForm& Focus(std::string_view control);                    // gives the control the focus
  // Keys go through the system's keyboard input (SendInput), to the window that has the focus.
  DrivenForm& Type(std::string_view control, std::string_view text);  // focus, then a key press per character
  DrivenForm& PressEnter(std::string_view control);               // focus, then Enter
  DrivenForm& PressKey(std::string_view control, int virtual_key, bool shift = false);  // focus, then the key
  DrivenForm& ChooseMenu(std::string_view menu);                  // the menu entry's command, as a user's choice
  DrivenForm& Close();                                            // the window's close box

  // Reading.
  std::string Text(std::string_view control) const;  // a text box's text, a label's or button's caption,
                                                     // a list box's selected line
  std::vector<std::string> Lines(std::string_view list) const;
  int ListIndex(std::string_view list) const;
  std::string MenuCaption(std::string_view menu) const;  // as the menu holds it
  std::string ToolTip(std::string_view control) const;
  std::string Caption() const;
  bool Visible() const;
  bool ControlVisible(std::string_view control) const;
  HWND Window(std::string_view control) const;
  Control& ControlNamed(std::string_view control) const;

 private:
  FormDriver* driver_;
  std::string name_;
};

class FormDriver : private MessageBoxObserver {
 public:
  FormDriver();
  ~FormDriver() override;  // unloads every form still loaded
  FormDriver(const FormDriver&) = delete;
  FormDriver& operator=(const FormDriver&) = delete;

  // Loads (Get) or loads and shows a form, then handles the messages that brings.
  template <class F>
  DrivenForm Load() {
    Form& form = Forms::Get<F>();
    Pump();
    return DrivenForm(*this, form.Name());
  }
  template <class F>
  DrivenForm Show() {
    Form& form = Forms::Get<F>();
    form.Show();
    Pump();
    return DrivenForm(*this, form.Name());
  }
  DrivenForm On(std::string name) { return DrivenForm(*this, std::move(name)); }

  // Forms.
  bool IsLoaded(std::string_view form) const;
  bool IsVisible(std::string_view form) const;
  std::vector<std::string> LoadedForms() const;
  std::vector<std::string> VisibleForms() const;
  bool ProgramEnded() const;
  // "Form3.Text38" for the control that has the keyboard focus, "Form3" for a form without a focused
  // control, "" when no window of the program has it.
  std::string Focused() const;

  // Message boxes: queued answers are used in order, one per box. The help key can be pressed in the box
  // before it is answered.
  void AnswerNextMessageBox(int button, int help_key_presses_first = 0);
  const std::vector<ShownMessageBox>& MessageBoxes() const { return boxes_; }
  void ForgetMessageBoxes() { boxes_.clear(); }

  // Documents the program ended on its printer, in order.
  const std::vector<printer::PrintedDocument>& PrintedDocuments() const { return printed_; }

  // Saves a picture of a form's window (frame, menu and client area) as a PNG file. Fails the test when
  // the form is not visible or the file cannot be written.
  void SavePng(std::string_view form, const std::string& path);

  // Handles every waiting message (and those that handling brings) until none is left.
  void Pump();

 private:
  friend class DrivenForm;
  struct PendingAnswer {
    int button;
    int help_presses;
  };

  void Showing(const MessageBoxRequest& request) override;
  void HelpRequested(const MessageBoxRequest& request, bool help_shown) override;
  static LRESULT CALLBACK WatchDialogs(int code, WPARAM wparam, LPARAM lparam);
  void Answer(HWND box);

  std::deque<PendingAnswer> answers_;
  std::vector<ShownMessageBox> boxes_;
  std::vector<printer::PrintedDocument> printed_;
  HHOOK hook_ = nullptr;
  bool box_pending_ = false;
};

}  // namespace korvane::forms::testing
