// A control whose stored state it refuses (damaged saved bytes, a property it will not take) is hosted
// all the same with its defaults, from a fresh object of its class when the refusing one will not start
// over; it is left out only when it cannot start even so.
#include "ControlHostTestSupport.h"
#include "TestControlUnloading.h"

#include "TestControlLibrary.h"

#include <gmock/gmock.h>

namespace korvane::activex::testing {
namespace {

std::wstring CaptionOf(ControlSite& control)
{
    com::Variant caption;
    EXPECT_EQ(control.GetProperty(DISPID_CAPTION, caption), S_OK);
    return caption.AsText();
}

using StoredStateTest = HostedControlTest;

TEST_F(StoredStateTest, AControlThatRefusesItsStoredStateStartsWithItsDefaults)
{
    // The header of the saved bytes: the extent, then the control's own format version.
    const std::string header = "21433412 08000000 A50F0000 8E060000 00000100";
    const struct {
        const char* progId;
        std::string state;
        const char* problem;
    } cases[] = {
        {"Korvane.TestControl", "stream \"0011223344556677 8899aabbccddeeff 00112233\"", "its saved bytes were refused: 0x8000FFFF"},
        // Value True and Caption "Hello" are taken before the bytes run out: a control that kept them
        // would show part of a damaged state.
        {"Korvane.TestControl", "stream \"" + header + " FFFF 05000000 48006500 6C006C00 6F00\"",
         "its saved bytes were refused: 0x8003001E"},
        // Caption and Value are taken before the marquee style the control refuses.
        {"Korvane.TestControl", "Caption \"Partial\"\n Value True\n MarqueeStyle 9",
         "its saved properties were refused: 0x80020009"},
        // A control that will not start over after a failed load gives way to a new one of its class.
        {"Korvane.StrictTestControl", "stream \"" + header + " FFFF 05000000 48006500 6C006C00 6F00\"",
         "its saved bytes were refused: 0x8003001E"},
        {"Korvane.StrictTestControl", "Caption \"Partial\"\n Value True\n MarqueeStyle 9",
         "its saved properties were refused: 0x80020009"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.progId) + ": " + c.state);
        events_.clear();
        ControlSite& control = Host(std::string("activex Damaged { progid ") + c.progId + "\n rect 10 10 80 30\n " + c.state + " }");
        EXPECT_THAT(control.StateProblem(), ::testing::StartsWith(c.problem));

        EXPECT_EQ(CaptionOf(control), L"TestControl");
        com::Variant value;
        ASSERT_EQ(control.GetProperty(47, value), S_OK);
        EXPECT_FALSE(value.AsBool());
        ASSERT_EQ(control.GetProperty(60, value), S_OK);
        EXPECT_EQ(value.AsInt32(), 0);

        // Activated and shown in the form, and its events reach the form.
        HWND window = control.Window();
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(GetParent(window), window_->Handle());
        EXPECT_TRUE(IsWindowVisible(window));
        SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
        EXPECT_EQ(EventsNamed("Click").size(), 1u);
        ASSERT_EQ(container_->Controls().size(), 1u);
        EXPECT_EQ(container_->Controls().front().Get(), &control);

        container_->Unload();
        // Nothing is left of either object, the refusing one and the one that took its place.
        EXPECT_EQ(CanUnloadTestControlLibrary(), S_OK);
    }
}

TEST_F(StoredStateTest, AStrictControlWhoseStateLoadsIsNotStartedAgain)
{
    ControlSite& control = Host("activex Strict { progid Korvane.StrictTestControl\n rect 0 0 50 20\n Caption \"Kept\" }");
    EXPECT_EQ(control.StateProblem(), "");
    EXPECT_EQ(CaptionOf(control), L"Kept");
}

// The class of a control whose first object can be made but no other: a fresh start after a refused
// state is not possible.
const CLSID kOneObjectOnly = {0x3f0c7a52, 0x8d1e, 0x4b6a, {0x9e, 0x27, 0x51, 0xc4, 0x0d, 0x9a, 0x6b, 0x13}};

class OneObjectFactory final : public com::ComObject<IClassFactory> {
public:
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        return com::AnswerQuery(iid, out, {{&IID_IUnknown, this}, {&IID_IClassFactory, this}});
    }
    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** out) override
    {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        if (made_++ > 0)
            return E_OUTOFMEMORY;
        return CoCreateInstance(CLSID_StrictTestControl, outer, CLSCTX_INPROC_SERVER, iid, out);
    }
    STDMETHODIMP LockServer(BOOL) override { return S_OK; }

private:
    int made_ = 0;
};

TEST_F(StoredStateTest, AControlThatCannotStartWithItsDefaultsEitherIsLeftOut)
{
    auto factory = com::ComPtr<OneObjectFactory>::Adopt(new OneObjectFactory);
    DWORD cookie = 0;
    ASSERT_EQ(CoRegisterClassObject(kOneObjectOnly, factory.Get(), CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &cookie), S_OK);
    try {
        Host("activex Lost { clsid \"{3F0C7A52-8D1E-4B6A-9E27-51C40D9A6B13}\"\n MarqueeStyle 9 }");
        ADD_FAILURE() << "hosted";
    } catch (const ControlHostError& error) {
        EXPECT_THAT(error.what(), ::testing::HasSubstr("The control Lost could not be"));
    }
    EXPECT_EQ(CoRevokeClassObject(cookie), S_OK);
    EXPECT_TRUE(container_->Controls().empty());
    EXPECT_EQ(CanUnloadTestControlLibrary(), S_OK);
}

} // namespace
} // namespace korvane::activex::testing
