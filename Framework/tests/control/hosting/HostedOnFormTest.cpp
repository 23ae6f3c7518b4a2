// The test control hosted by the program's forms runtime: created by class ID from a form's
// description, handed its saved state, activated in place in the form's window, and shown on the
// screen (also written as a PNG file).
#include "ClassFactory.h"
#include "ComReference.h"
#include "ControlContainer.h"
#include "InPlaceFrame.h"
#include "ControlTestSupport.h"
#include "forms/FormDescription.h"
#include "testing/HostWindow.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using korvane::activex::ControlContainer;
using korvane::activex::ControlEvent;
using korvane::activex::ControlSite;
namespace hosting = korvane::activex::testing;

// The form's description: the control's saved state is that of a 64 x 32 pixel control holding 7; the
// form places it at 40, 30 and makes it 120 x 60.
const char FormText[] = R"(form Test {
  activex Framework1 {
    clsid "{5A7C1E33-3B8D-4F61-9C2E-7D41B0A6E901}"
    rect 40 30 120 60
    stream "21433412080000009D0600004F030000000002000700000000"
  }
})";

// The form's window, shown without taking the activation from test programs sharing the display.
class FormWindow {
public:
    FormWindow(int width, int height)
    {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
        windowClass.lpszClassName = "FrameworkTestForm";
        RegisterClassA(&windowClass);
        RECT frame = {0, 0, width, height};
        AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, FALSE);
        window_ = CreateWindowExA(0, "FrameworkTestForm", "Framework test form", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                                  60, 60, frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
        if (window_ != nullptr) {
            ShowWindow(window_, SW_SHOWNOACTIVATE);
            UpdateWindow(window_);
        }
    }
    ~FormWindow()
    {
        if (window_ != nullptr)
            DestroyWindow(window_);
    }
    FormWindow(const FormWindow&) = delete;
    FormWindow& operator=(const FormWindow&) = delete;
    HWND Handle() const { return window_; }

private:
    HWND window_ = nullptr;
};

// The tests' control made by this program while this lives: its class object stands in for a
// registered server.
class RegisteredTestControl {
public:
    RegisteredTestControl()
    {
        auto* factory = new ClassFactory(TestRowButtonLike);
        result_ = CoRegisterClassObject(CLSID_TestControl, factory, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE,
                                        &registration_);
        factory->Release();
    }
    ~RegisteredTestControl()
    {
        if (SUCCEEDED(result_)) {
            EXPECT_EQ(CoRevokeClassObject(registration_), S_OK);
        }
    }
    RegisteredTestControl(const RegisteredTestControl&) = delete;
    RegisteredTestControl& operator=(const RegisteredTestControl&) = delete;
    HRESULT Result() const { return result_; }

private:
    HRESULT result_ = E_FAIL;
    DWORD registration_ = 0;
};

TEST(HostedOnForm, ActivatedInPlaceAndPainted)
{
    const LONG objectsBefore = Module::ObjectCount();
    {
        RegisteredTestControl registered;
        ASSERT_EQ(registered.Result(), S_OK);
        FormWindow form(240, 140);
        ASSERT_NE(form.Handle(), nullptr);
        ControlContainer container(form.Handle(), [](const ControlEvent&) {});
        const korvane::forms::ElementDescription description = korvane::forms::ParseFormDescription(FormText);
        ControlSite& site = container.Add(description.children.front());
        TestControl* control = static_cast<TestControl*>(OleControl::FromUnknown(site.Object()));
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->number, 7);
        ASSERT_TRUE(control->StateFlags() & OleControl::StateInPlaceActive);
        hosting::PumpUntil([&] { return control->draws > 0; });
        const hosting::Picture picture = hosting::CaptureClientArea(form.Handle());
        EXPECT_TRUE(hosting::WritePng("framework-test-control-on-form.png", picture));
        EXPECT_EQ(picture.At(42, 32), TestControlColor);
        EXPECT_EQ(picture.At(158, 88), TestControlColor);
        EXPECT_NE(picture.At(38, 28), TestControlColor);
        EXPECT_NE(picture.At(162, 92), TestControlColor);
        container.Unload();
    }
    EXPECT_EQ(Module::ObjectCount(), objectsBefore);
}

// Three of the tests' controls side by side on a form.
const char ThreeControlsText[] = R"(form Test {
  activex First { clsid "{5A7C1E33-3B8D-4F61-9C2E-7D41B0A6E901}"
    rect 10 10 60 30 }
  activex Second { clsid "{5A7C1E33-3B8D-4F61-9C2E-7D41B0A6E901}"
    rect 80 10 60 30 }
  activex Third { clsid "{5A7C1E33-3B8D-4F61-9C2E-7D41B0A6E901}"
    rect 150 10 60 30 }
})";

TEST(HostedOnForm, OneControlIsUIActiveAndTheFocusComesBackToEach)
{
    const LONG objectsBefore = Module::ObjectCount();
    {
        RegisteredTestControl registered;
        ASSERT_EQ(registered.Result(), S_OK);
        FormWindow form(240, 140);
        ASSERT_NE(form.Handle(), nullptr);
        SetForegroundWindow(form.Handle());
        ControlContainer container(form.Handle(), [](const ControlEvent&) {});
        const korvane::forms::ElementDescription description = korvane::forms::ParseFormDescription(ThreeControlsText);
        std::vector<ControlSite*> sites;
        for (const auto& element : description.children)
            sites.push_back(&container.Add(element));
        auto controlOf = [](ControlSite* site) { return static_cast<TestControl*>(OleControl::FromUnknown(site->Object())); };
        for (int next : {0, 1, 0, 2, 1, 2, 0}) {
            SCOPED_TRACE(next);
            ASSERT_EQ(sites[next]->SetFocus(), S_OK);
            EXPECT_EQ(GetFocus(), sites[next]->Window());
            for (int i = 0; i < 3; ++i)
                EXPECT_EQ((controlOf(sites[i])->StateFlags() & OleControl::StateUIActive) != 0, i == next) << i;
            ComReference<IOleInPlaceActiveObject> active;
            ASSERT_EQ(sites[next]->Object()->QueryInterface(IID_IOleInPlaceActiveObject, active.OutVoid()), S_OK);
            EXPECT_EQ(container.Frame().ActiveObject(), active.Get());
        }
        // The UI-active control goes: the frame offers keys to none; the one left takes the focus again.
        container.Remove(*sites[0]);
        EXPECT_EQ(container.Frame().ActiveObject(), nullptr);
        ASSERT_EQ(sites[1]->SetFocus(), S_OK);
        EXPECT_EQ(GetFocus(), sites[1]->Window());
        EXPECT_TRUE(controlOf(sites[1])->StateFlags() & OleControl::StateUIActive);
        container.Unload();
    }
    EXPECT_EQ(Module::ObjectCount(), objectsBefore);
}

} // namespace
