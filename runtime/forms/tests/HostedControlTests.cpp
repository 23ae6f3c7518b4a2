// The extension point for hosted controls: a factory registered for an element kind makes the control,
// the form places it, keeps it in tab order, routes its events and destroys it on unload.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "forms/Forms.h"
#include "forms/testing/FormDriver.h"

using namespace korvane::forms;
using korvane::forms::testing::FormDriver;

namespace {

// A stand-in for a hosted control: a button window that raises Click with a value and MouseEnter on
// the first mouse move, and keeps one property.
struct HostedLog {
  std::vector<std::string> made;
  int destroyed = 0;
  RECT last_bounds{};
  HWND last_parent = nullptr;
};
HostedLog g_log;

class ButtonLikeControl : public HostedControl {
 public:
  ButtonLikeControl(HostedControlSite& site, HWND parent) : site_(site) {
    window_ = CreateWindowExA(0, "BUTTON", site.Name().c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                              0, 0, 10, 10, parent, nullptr, ProgramInstance(), nullptr);
    SetWindowSubclass(window_, &ButtonLikeControl::Proc, 0, reinterpret_cast<DWORD_PTR>(this));
  }
  ~ButtonLikeControl() override {
    ++g_log.destroyed;
    RemoveWindowSubclass(window_, &ButtonLikeControl::Proc, 0);
    DestroyWindow(window_);
  }
  HWND Window() const override { return window_; }
  void Move(const RECT& bounds) override {
    g_log.last_bounds = bounds;
    MoveWindow(window_, bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, TRUE);
  }
  void SetVisible(bool visible) override { ShowWindow(window_, visible ? SW_SHOWNA : SW_HIDE); }
  bool Focus() override { return ::SetFocus(window_) != nullptr || GetFocus() == window_; }
  bool TranslateAccelerator(MSG&) override { return false; }
  HRESULT SetProperty(long dispid, const PropertyValue& value) override {
    if (dispid != 47) return DISP_E_MEMBERNOTFOUND;
    value_ = value;
    return S_OK;
  }
  HRESULT GetProperty(long dispid, PropertyValue& value) override {
    if (dispid != 47) return DISP_E_MEMBERNOTFOUND;
    value = value_;
    return S_OK;
  }

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR, DWORD_PTR data) {
    auto* self = reinterpret_cast<ButtonLikeControl*>(data);
    if (message == WM_SETFOCUS) self->site_.FocusChanged(true);
    if (message == WM_MOUSEMOVE && !self->entered_) {
      self->entered_ = true;
      EventArgs args;
      self->site_.RaiseEvent("MouseEnter", args);
    }
    if (message == WM_LBUTTONUP) {
      ReleaseCapture();  // the button's own press took the mouse; its release is handled here
      EventArgs args;
      args.values.push_back(true);
      self->site_.RaiseEvent("Click", args);
      return 0;  // the handler may have unloaded the form; this window is not touched any more
    }
    return DefSubclassProc(window, message, wparam, lparam);
  }

  HostedControlSite& site_;
  HWND window_ = nullptr;
  PropertyValue value_;
  bool entered_ = false;
};

class ButtonLikeFactory : public HostedControlFactory {
 public:
  std::unique_ptr<HostedControl> Create(HostedControlSite& site, const ElementDescription& element,
                                        HWND parent) override {
    if (element.Text("clsid") == "{refused}") return nullptr;
    g_log.made.push_back(site.Name() + (site.Index() ? "(" + std::to_string(*site.Index()) + ")" : "") + " " +
                         element.Text("clsid") + (site.Holder() ? " in a holder" : ""));
    g_log.last_parent = parent;
    return std::make_unique<ButtonLikeControl>(site, parent);
  }
};

class HostForm : public Form {
 public:
  HostForm()
      : Form("HostForm", R"(form HostForm {
  caption "Host"
  size 300 200
  textbox Text1 {
    rect 10 10 100 21
    tab 1
  }
  activex ribTravelVia index 1 {
    clsid "{AAAA}"
    rect 10 40 120 25
    tab 2
  }
  activex QvFrame1 {
    clsid "{FFFF}"
    rect 150 40 140 100
    tab 4
    activex ZeroTrans {
      clsid "{CCCC}"
      rect 10 20 100 25
      tab 3
    }
  }
})") {}

  std::vector<std::string> events;

 private:
  void Bind(EventTable& on) override {
    on("ribTravelVia", "Click", &HostForm::ribTravelVia_Click);
    on("ZeroTrans", "MouseEnter", &HostForm::ZeroTrans_MouseEnter);
    on("ZeroTrans", "Click", &HostForm::ZeroTrans_Click);
  }
  void ribTravelVia_Click(const EventArgs& e) {
    events.push_back("ribTravelVia(" + std::to_string(e.index.value_or(-1)) + ") Click " +
                     (std::get<bool>(e.values.at(0)) ? "true" : "false"));
  }
  void ZeroTrans_MouseEnter() { events.push_back("ZeroTrans MouseEnter"); }
  void ZeroTrans_Click() { Unload(); }
};

class RefusingForm : public Form {
 public:
  RefusingForm() : Form("RefusingForm", "form RefusingForm {\n  activex Broken { clsid \"{refused}\" }\n}") {}
};

class HostedControls : public ::testing::Test {
 protected:
  HostedControls() { RegisterHostedControlFactory("activex", std::make_shared<ButtonLikeFactory>()); }
  ~HostedControls() override { RegisterHostedControlFactory("activex", nullptr); }
  void SetUp() override { g_log = HostedLog{}; }
  FormDriver ui;
};

TEST_F(HostedControls, TheFactoryMakesEachElementInTheFormsWindowAtItsPlace) {
  auto form = ui.Show<HostForm>();
  EXPECT_EQ(g_log.made, (std::vector<std::string>{"ribTravelVia(1) {AAAA}", "QvFrame1 {FFFF}", "ZeroTrans {CCCC} in a holder"}));
  EXPECT_EQ(g_log.last_parent, form.Get().Window());
  // A control held by a frame is described relative to the frame, and placed in the form.
  EXPECT_EQ(g_log.last_bounds.left, 160);
  EXPECT_EQ(g_log.last_bounds.top, 60);
  EXPECT_EQ(g_log.last_bounds.right, 260);
}

TEST_F(HostedControls, EventsReachTheHandlerByNameIndexAndEvent) {
  auto form = ui.Show<HostForm>();
  form.Click("ribTravelVia(1)").MoveMouseOver("ZeroTrans");
  EXPECT_EQ(Forms::Get<HostForm>().events,
            (std::vector<std::string>{"ribTravelVia(1) Click true", "ZeroTrans MouseEnter"}));
}

TEST_F(HostedControls, PropertiesGoThroughTheHolder) {
  ui.Show<HostForm>();
  HostedControlHolder& ribbon = Forms::Get<HostForm>().Hosted("ribTravelVia", 1);
  EXPECT_EQ(ribbon.SetProperty(47, true), S_OK);
  EXPECT_EQ(std::get<bool>(ribbon.Property(47)), true);
  EXPECT_EQ(ribbon.SetProperty(60, 3L), DISP_E_MEMBERNOTFOUND);
  EXPECT_TRUE(std::holds_alternative<std::monostate>(ribbon.Property(60)));
}

TEST_F(HostedControls, HostedControlsTakeTheirPlaceInTabOrder) {
  auto form = ui.Show<HostForm>();
  form.PressKey("Text1", VK_TAB);
  EXPECT_EQ(ui.Focused(), "HostForm.ribTravelVia(1)");
  form.PressKey("ribTravelVia(1)", VK_TAB);
  EXPECT_EQ(ui.Focused(), "HostForm.ZeroTrans");
  form.PressKey("ZeroTrans", VK_TAB);
  EXPECT_EQ(ui.Focused(), "HostForm.QvFrame1");
  Forms::Get<HostForm>().Hosted("ribTravelVia", 1).SetVisible(false);
  form.PressKey("Text1", VK_TAB);
  EXPECT_EQ(ui.Focused(), "HostForm.ZeroTrans");
}

TEST_F(HostedControls, UnloadFromTheControlsOwnEventDestroysEveryHostedControl) {
  auto form = ui.Show<HostForm>();
  form.Click("ZeroTrans");
  EXPECT_FALSE(ui.IsLoaded("HostForm"));
  EXPECT_EQ(g_log.destroyed, 3);
}

TEST_F(HostedControls, AControlThatCannotBeMadeIsReportedOnceAndLeftOut) {
  ui.AnswerNextMessageBox(IDOK);
  RefusingForm& form = Forms::Get<RefusingForm>();
  EXPECT_TRUE(ui.IsLoaded("RefusingForm"));
  ASSERT_EQ(ui.MessageBoxes().size(), 1u);
  EXPECT_NE(ui.MessageBoxes()[0].text.find("Broken"), std::string::npos);
  EXPECT_EQ(ui.MessageBoxes()[0].style, static_cast<unsigned>(MB_ICONEXCLAMATION | MB_OK));
  // The form works without it: the control has no window and refuses its properties.
  HostedControlHolder& broken = form.Hosted("Broken");
  EXPECT_EQ(broken.Window(), nullptr);
  EXPECT_FALSE(broken.MissingReason().empty());
  EXPECT_EQ(broken.SetProperty(47, true), E_UNEXPECTED);
  EXPECT_TRUE(std::holds_alternative<std::monostate>(broken.Property(47)));
  // Loaded afresh, the form is not reported again in the same run of the program.
  form.Unload();
  Forms::Get<RefusingForm>();
  EXPECT_EQ(ui.MessageBoxes().size(), 1u);
  Forms::Get<RefusingForm>().Unload();
}

TEST_F(HostedControls, AnElementOfAKindNoFactoryMakesFailsTheLoad) {
  RegisterHostedControlFactory("activex", nullptr);
  EXPECT_THROW(Forms::Get<HostForm>(), FormLoadError);
  EXPECT_FALSE(ui.IsLoaded("HostForm"));
}

}  // namespace
