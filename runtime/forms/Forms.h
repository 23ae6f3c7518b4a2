// The program's forms runtime.
//
// Each window of the program is a class derived from Form. Its layout is a form description (see
// FormDescription.h) built into the program as a resource named after the form (see
// cmake/FormResources.cmake); its handlers are member functions named `Control_Event`, bound in Bind():
//
//   class Form3 : public korvane::forms::Form {
//    public:
//     Form3() : Form("Form3") {}
//    private:
//     void Bind(korvane::forms::EventTable& on) override {
//       on("Form", "Load", &Form3::Form_Load);
//       on("Text38", "KeyPress", &Form3::Text38_KeyPress);
//       on("SaveButton4", "Click", &Form3::SaveButton4_Click);
//     }
//     void Form_Load() { TextBoxNamed("Text38").SetText(""); }
//     void Text38_KeyPress(int& keyAscii) {
//       if (keyAscii >= 'a' && keyAscii <= 'z') keyAscii -= 32;   // the box receives the upper-case letter
//       if (keyAscii == 13) TextBoxNamed("Text36").SetFocus();    // Enter
//     }
//     void SaveButton4_Click() {
//       korvane::forms::Forms::Unload<Form3>();                   // safe inside its own handler
//       korvane::forms::Forms::Get<Form1>().Show();               // a fresh Form1 (its Form_Load runs)
//     }
//   };
//
//   int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return korvane::forms::Forms::RunProgram<Form1>(); }
//
// What a description gives each kind of element (places are `rect left top width height` in pixels of
// the form's client area, or of the element that holds the element; colours are 0x00BBGGRR; the flag
// `hidden` starts a control hidden):
//   form        caption, size (client width and height), position (left top), font, backcolor
//   label       caption, rect, font, backcolor, forecolor, tooltip, hidden
//   textbox     text, rect, tab, notabstop, readonly, font, backcolor, forecolor, tooltip, hidden
//   listbox     rect, tab, notabstop, font, backcolor, forecolor, tooltip, hidden
//   button      caption or picture (a bitmap resource), rect, tab, notabstop, font, tooltip, hidden
//   picturebox  picture, rect, border, backcolor, hidden
//   menu        caption, disabled; menus inside a menu of the menu bar make its submenu
//   activex     (any kind a HostedControlFactory is registered for) rect, tab, notabstop, tooltip, hidden,
//               and whatever its factory reads (a picture property names a bitmap resource, as
//               `picture` does); elements inside it are controls it holds
// Handlers are bound by control name and event: "Form" Load; text boxes KeyPress; list boxes Click and
// MouseDown; buttons and menu entries Click; hosted controls whatever events they raise.
//
// Libraries: korvane_forms (forms, controls, menus, message boxes), korvane_printer (printer/Printer.h),
// korvane_shell (shell/Shell.h: starting programs, drive and folder); tests of windows link
// korvane_forms_driver (forms/testing/FormDriver.h) and build their descriptions in with
// korvane_form_resources.
//
// Rules:
// - Each form exists at most once. Forms::Get<F>() returns the loaded form, or creates it: the window and
//   its controls are made (not shown) and Form_Load runs, inside Get, before it returns.
// - Show() shows a form modeless and without owner; Hide() hides it and keeps it loaded.
// - Forms::Unload destroys the form's window and controls and forgets the form: the next Get<F>() makes and
//   loads a new one. Unloading inside a handler of the form itself is safe: the form is forgotten at once,
//   its window is hidden at once and destroyed, with the object, once the handlers have returned.
// - The program ends (RunProgram returns) when no form is loaded any more after an event.
// - All runs on one thread; a handler runs to its end before the next event is handled.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>
#include <typeindex>
#include <vector>

#include "forms/CommandButton.h"
#include "forms/Form.h"
#include "forms/HostedControl.h"
#include "forms/Label.h"
#include "forms/ListBox.h"
#include "forms/Menu.h"
#include "forms/PictureBox.h"
#include "forms/TextBox.h"

namespace korvane::forms {

class Forms {
 public:
  Forms() = delete;

  // The loaded form of type F; creates and loads it when it is not loaded.
  template <class F>
  static F& Get() {
    if (Form* form = Loaded(typeid(F))) return static_cast<F&>(*form);
    return static_cast<F&>(Add(typeid(F), std::make_unique<F>()));
  }
  template <class F>
  static bool IsLoaded() {
    return Loaded(typeid(F)) != nullptr;
  }
  // Unloads the form of type F; nothing happens when it is not loaded.
  template <class F>
  static void Unload() {
    if (Form* form = Loaded(typeid(F))) Unload(*form);
  }
  static void Unload(Form& form);
  // Unloads every loaded form (for the end of a test).
  static void UnloadAll();

  // The loaded forms in the order they were loaded; a loaded form by name.
  static std::vector<Form*> LoadedForms();
  static Form* Find(std::string_view name);
  // The form whose window (or a window inside it) this is; null if none.
  static Form* FormOfWindow(HWND window);

  // Loads and shows the start-up form, runs the message loop until no form is loaded, and returns the
  // program's exit code. A form that cannot be loaded is reported in a message box (exit code 1).
  template <class F>
  static int RunProgram() {
    return RunProgram([] { Get<F>().Show(); });
  }
  static int RunProgram(void (*start)());

  // The message loop's treatment of one message (keyboard navigation, hosted controls' accelerators,
  // dispatch). The loop of RunProgram and the test driver both use it.
  static void ProcessMessage(MSG& message);
  // Whether no form has been loaded since the last event ended (the program's end).
  static bool Ended();

  // Whether a handler of a form is running now.
  static bool HandlerRunning();

  // The handler depth: handlers of forms running now (nested handlers count each). When the last one
  // returns, the list boxes' fills end.
  class HandlerScope {
   public:
    HandlerScope();
    ~HandlerScope();
    HandlerScope(const HandlerScope&) = delete;
    HandlerScope& operator=(const HandlerScope&) = delete;
  };

 private:
  static Form* Loaded(std::type_index type);
  static Form& Add(std::type_index type, std::unique_ptr<Form> form);
};

// The program's instance (the module whose resources hold the form descriptions and pictures).
HINSTANCE ProgramInstance();

}  // namespace korvane::forms
