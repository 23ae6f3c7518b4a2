// A form of the forms runtime hosting the test control from its description: created by its class,
// its state loaded by name, activated in place, clicked and typed into through the test driver, its
// events reaching the form's handlers, and all of it released when the form unloads.
#include "forms/ActiveXControlFactory.h"
#include "TestControlUnloading.h"
#include "forms/Forms.h"
#include "forms/testing/FormDriver.h"
#include "testing/HostWindow.h"
#include "testing/TestControlStandIns.h"

#include <gmock/gmock.h>

namespace korvane::activex::testing {
namespace {

class HostingForm : public forms::Form {
public:
    HostingForm()
        : Form("HostingForm", R"(form HostingForm {
  caption "Hosting"
  size 320 200
  activex Test1 {
    progid "Korvane.TestControl"
    rect 20 30 160 60
    tab 1
    Caption "Hello"
    FontSize 12
    Value True
  }
  activex QvFrame1 {
    progid "Korvane.TestControl"
    rect 200 20 110 110
    tab 3
    Caption ""
    activex Check1 {
      progid "Korvane.TestControl"
      rect 10 60 90 30
      tab 2
      Caption "In"
    }
  }
})")
    {
    }

    std::vector<std::string> events;

private:
    void Bind(forms::EventTable& on) override
    {
        on("Test1", "Click", &HostingForm::Test1_Click);
        on("Test1", "MouseDown", &HostingForm::Test1_MouseDown);
        on("Test1", "KeyPress", &HostingForm::Test1_KeyPress);
        on("Check1", "Click", &HostingForm::Check1_Click);
    }
    void Test1_Click(const forms::EventArgs& e)
    {
        events.push_back("Test1_Click " + std::to_string(std::get<long>(e.values.at(0))));
        Hosted("Test1").SetProperty(2, 14.0f);
        Hosted("Test1").SetProperty(60, 3L);
    }
    void Test1_MouseDown(const forms::MouseArgs& mouse) { events.push_back("Test1_MouseDown " + std::to_string(mouse.button)); }
    // Letters are folded to upper case and an x is dropped, as key handlers of the windows do.
    void Test1_KeyPress(int& keyAscii)
    {
        if (keyAscii == 'x')
            keyAscii = 0;
        else if (keyAscii >= 'a' && keyAscii <= 'z')
            keyAscii -= 'a' - 'A';
    }
    void Check1_Click() { events.push_back("Check1_Click"); }
};

class FormHosting : public ::testing::Test {
protected:
    FormHosting() { RegisterActiveXControls(); }
    ~FormHosting() override { forms::RegisterHostedControlFactory("activex", nullptr); }
    forms::testing::FormDriver ui;
};

TEST_F(FormHosting, TheFormHostsTheTestControlFromItsDescription)
{
    auto form = ui.Show<HostingForm>();
    HostingForm& hosting = static_cast<HostingForm&>(form.Get());
    EXPECT_EQ(hosting.Hosted("Test1").Property(-518), forms::PropertyValue(std::string("Hello")));
    EXPECT_EQ(hosting.Hosted("Test1").Property(2), forms::PropertyValue(12.0f));
    EXPECT_EQ(hosting.Hosted("Test1").Property(47), forms::PropertyValue(true));

    HWND control = form.Window("Test1");
    ASSERT_NE(control, nullptr);
    EXPECT_TRUE(IsWindowVisible(control));
    // The frame's control lives in the frame's window.
    EXPECT_EQ(GetParent(form.Window("Check1")), form.Window("QvFrame1"));

    ui.SavePng("HostingForm", "hosting-form.png");
    const Picture picture = CaptureClientArea(control);
    EXPECT_EQ(picture.width, 160);
    EXPECT_EQ(picture.height, 60);
    EXPECT_EQ(picture.At(4, 4), RGB(0, 0, 128));  // the face of a control whose Value is True
    RECT inner;
    GetWindowRect(form.Window("Check1"), &inner);
    RECT frame;
    GetWindowRect(form.Window("QvFrame1"), &frame);
    EXPECT_EQ(inner.left - frame.left, 10);
    EXPECT_EQ(inner.top - frame.top, 60);
}

TEST_F(FormHosting, AClickReachesTheClickHandlerWhoseSetsReadBack)
{
    auto form = ui.Show<HostingForm>();
    form.Click("Test1");
    HostingForm& hosting = static_cast<HostingForm&>(form.Get());
    EXPECT_THAT(hosting.events, ::testing::ElementsAre("Test1_MouseDown 1", "Test1_Click 0"));
    EXPECT_EQ(hosting.Hosted("Test1").Property(2), forms::PropertyValue(14.0f));
    EXPECT_EQ(hosting.Hosted("Test1").Property(60), forms::PropertyValue(3L));
    EXPECT_EQ(hosting.Hosted("Test1").Property(47), forms::PropertyValue(false));

    form.Click("Check1");
    EXPECT_EQ(hosting.events.back(), "Check1_Click");
}

TEST_F(FormHosting, ACharacterChangedByTheKeyHandlerReachesTheControl)
{
    auto form = ui.Show<HostingForm>();
    form.Type("Test1", "axb");
    EXPECT_EQ(static_cast<HostingForm&>(form.Get()).Hosted("Test1").Property(-518),
              forms::PropertyValue(std::string("HelloAB")));
}

TEST_F(FormHosting, AfterTheFormUnloadsTheControlLibraryMayUnload)
{
    auto form = ui.Show<HostingForm>();
    form.Click("Test1");
    EXPECT_EQ(CanUnloadTestControlLibrary(), S_FALSE);
    forms::Forms::Unload<HostingForm>();
    ui.Pump();
    EXPECT_EQ(CanUnloadTestControlLibrary(), S_OK);
}

// Two controls whose stored settings are refused (damaged saved bytes; a property the control will not
// take) beside one whose settings are good.
class DamagedSettingsForm : public forms::Form {
public:
    DamagedSettingsForm()
        : Form("DamagedSettingsForm", R"(form DamagedSettingsForm {
  caption "Damaged settings"
  size 320 80
  activex Good1 {
    progid "Korvane.TestControl"
    rect 10 10 90 30
    tab 1
    Caption "Good"
  }
  activex Bytes1 {
    progid "Korvane.TestControl"
    rect 110 10 90 30
    tab 2
    stream "0011223344556677 8899aabbccddeeff 00112233"
  }
  activex Props1 {
    progid "Korvane.TestControl"
    rect 210 10 90 30
    tab 3
    Caption "Partial"
    MarqueeStyle 9
  }
})")
    {
    }
    int clicks = 0;

private:
    void Bind(forms::EventTable& on) override { on("Props1", "Click", &DamagedSettingsForm::Props1_Click); }
    void Props1_Click() { ++clicks; }
};

constexpr char kDefaultsHeading[] = ": the stored settings of these controls could not be read; they start with their defaults:";
constexpr char kMissingHeading[] = ": these controls could not be made and are left out of the window:";

TEST_F(FormHosting, ControlsWhoseSettingsAreRefusedStartWithDefaultsAndOneMessageNamesThem)
{
    ui.AnswerNextMessageBox(IDOK);
    auto form = ui.Show<DamagedSettingsForm>();
    EXPECT_TRUE(form.Visible());
    ASSERT_EQ(ui.MessageBoxes().size(), 1u);
    const forms::testing::ShownMessageBox& box = ui.MessageBoxes()[0];
    // Each line names the control and the failure it answered (with the system's description of it).
    EXPECT_THAT(box.text, ::testing::StartsWith(std::string("DamagedSettingsForm") + kDefaultsHeading +
                                                "\nBytes1: its saved bytes were refused: 0x8000FFFF"));
    EXPECT_THAT(box.text, ::testing::HasSubstr("\nProps1: its saved properties were refused: 0x80020009"));
    EXPECT_THAT(box.text, ::testing::Not(::testing::HasSubstr("Good1")));
    EXPECT_EQ(box.style, static_cast<unsigned>(MB_ICONEXCLAMATION | MB_OK));

    DamagedSettingsForm& damaged = static_cast<DamagedSettingsForm&>(form.Get());
    for (const char* name : {"Bytes1", "Props1"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(damaged.Hosted(name).DefaultsReason().empty());
        EXPECT_EQ(damaged.Hosted(name).Property(-518), forms::PropertyValue(std::string("TestControl")));
        EXPECT_EQ(damaged.Hosted(name).Property(60), forms::PropertyValue(0L));
        ASSERT_NE(form.Window(name), nullptr);
        EXPECT_TRUE(IsWindowVisible(form.Window(name)));
    }
    EXPECT_EQ(damaged.Hosted("Good1").DefaultsReason(), "");
    EXPECT_EQ(damaged.Hosted("Good1").Property(-518), forms::PropertyValue(std::string("Good")));
    form.Click("Props1");
    EXPECT_EQ(damaged.clicks, 1);

    // Loaded afresh, the form is not reported again in the same run of the program.
    forms::Forms::Unload<DamagedSettingsForm>();
    ui.Show<DamagedSettingsForm>();
    EXPECT_EQ(ui.MessageBoxes().size(), 1u);
}

// A control that will not start over after refusing its settings: a new one of its class takes its place.
class StrictSettingsForm : public forms::Form {
public:
    StrictSettingsForm()
        : Form("StrictSettingsForm", R"(form StrictSettingsForm {
  caption "Strict"
  size 200 60
  activex Strict1 {
    progid "Korvane.StrictTestControl"
    rect 10 10 120 30
    Caption "Partial"
    MarqueeStyle 9
  }
})")
    {
    }
};

TEST_F(FormHosting, AControlThatWillNotStartOverIsMadeAfreshWithItsDefaults)
{
    ui.AnswerNextMessageBox(IDOK);
    auto form = ui.Show<StrictSettingsForm>();
    ASSERT_EQ(ui.MessageBoxes().size(), 1u);
    EXPECT_THAT(ui.MessageBoxes()[0].text,
                ::testing::StartsWith(std::string("StrictSettingsForm") + kDefaultsHeading + "\nStrict1: "));
    EXPECT_EQ(static_cast<StrictSettingsForm&>(form.Get()).Hosted("Strict1").Property(-518),
              forms::PropertyValue(std::string("TestControl")));
    ASSERT_NE(form.Window("Strict1"), nullptr);
    EXPECT_TRUE(IsWindowVisible(form.Window("Strict1")));
}

// A control whose class is not registered beside one whose settings are damaged: each is told in its own
// message, the first as before.
class MixedProblemsForm : public forms::Form {
public:
    MixedProblemsForm()
        : Form("MixedProblemsForm", R"(form MixedProblemsForm {
  caption "Mixed"
  size 220 60
  activex Missing1 {
    clsid "{00000000-1111-2222-3333-444444444444}"
    rect 10 10 90 30
  }
  activex Damaged1 {
    progid "Korvane.TestControl"
    rect 110 10 90 30
    stream "0011223344556677 8899aabbccddeeff 00112233"
  }
})")
    {
    }
};

TEST_F(FormHosting, AControlThatCannotBeMadeIsStillToldApartFromOneWithDefaults)
{
    ui.AnswerNextMessageBox(IDOK);
    ui.AnswerNextMessageBox(IDOK);
    auto form = ui.Show<MixedProblemsForm>();
    ASSERT_EQ(ui.MessageBoxes().size(), 2u);
    EXPECT_THAT(ui.MessageBoxes()[0].text,
                ::testing::StartsWith(std::string("MixedProblemsForm") + kMissingHeading + "\nMissing1: "));
    EXPECT_THAT(ui.MessageBoxes()[0].text, ::testing::Not(::testing::HasSubstr("Damaged1")));
    EXPECT_THAT(ui.MessageBoxes()[1].text,
                ::testing::StartsWith(std::string("MixedProblemsForm") + kDefaultsHeading +
                                      "\nDamaged1: its saved bytes were refused: 0x8000FFFF"));
    EXPECT_THAT(ui.MessageBoxes()[1].text, ::testing::Not(::testing::HasSubstr("Missing1")));
    MixedProblemsForm& mixed = static_cast<MixedProblemsForm&>(form.Get());
    EXPECT_EQ(mixed.Hosted("Missing1").Window(), nullptr);
    EXPECT_EQ(mixed.Hosted("Missing1").DefaultsReason(), "");
    ASSERT_NE(form.Window("Damaged1"), nullptr);
    EXPECT_TRUE(IsWindowVisible(form.Window("Damaged1")));
}

// A window of the program names a control of the control library, with its saved bytes; the test
// control stands in for it and takes the place, the name-given state and the events.
class PanelForm : public forms::Form {
public:
    PanelForm()
        : Form("PanelForm", R"(form PanelForm {
  caption "Stand-in"
  size 200 100
  activex QvPanel1 {
    clsid "{240210C2-E3B3-11CF-BE3F-0000C0F04C96}"
    rect 10 10 120 40
    stream "21433412 08000000 A50F0000 8E060000 00000200 0100"
    Caption "Panel"
  }
})")
    {
    }
    int clicks = 0;

private:
    void Bind(forms::EventTable& on) override { on("QvPanel1", "Click", &PanelForm::QvPanel1_Click); }
    void QvPanel1_Click() { ++clicks; }
};

TEST(TestControlStandIns, HostEveryActiveXElementWithTheTestControl)
{
    RegisterTestControlStandIns();
    {
        forms::testing::FormDriver ui;
        auto form = ui.Show<PanelForm>();
        PanelForm& panel = static_cast<PanelForm&>(form.Get());
        EXPECT_EQ(panel.Hosted("QvPanel1").Property(-518), forms::PropertyValue(std::string("Panel")));
        form.Click("QvPanel1");
        EXPECT_EQ(panel.clicks, 1);
    }
    forms::RegisterHostedControlFactory("activex", nullptr);
}

} // namespace
} // namespace korvane::activex::testing
