// The common base in a container: the ambient properties a new control takes, and the control
// window's messages and members at run time.
#include "QvTestControl.h"
#include "RecordingContainer.h"

namespace {

class ControlBaseWindowTest : public QvControlTest {
protected:
    // Sites the control, starts it new and activates it with a window of its own.
    void Activate(RecordingContainer& container)
    {
        container.options.offerWindowless = false;
        IOleObject* object = control.As<IOleObject>(IID_IOleObject);
        ASSERT_EQ(object->SetClientSite(&container), S_OK);
        ASSERT_EQ(control.As<IPersistStreamInit>(IID_IPersistStreamInit)->InitNew(), S_OK);
        ASSERT_EQ(object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &container, 0, container.Window(), nullptr), S_OK);
        ASSERT_NE(control->ControlWindow(), nullptr);
        control->SetDirty(false);
    }
    void Close()
    {
        IOleObject* object = control.As<IOleObject>(IID_IOleObject);
        EXPECT_EQ(object->Close(OLECLOSE_NOSAVE), S_OK);
        EXPECT_EQ(object->SetClientSite(nullptr), S_OK);
    }

    HeldQvControl control;
};

TEST_F(ControlBaseWindowTest, ANewControlTakesTheContainersDisplayNameAsItsCaption)
{
    RecordingContainer container;
    VARIANT name;
    VariantInit(&name);
    name.vt = VT_BSTR;
    name.bstrVal = SysAllocString(L"QvCommand1");
    container.ambients[DISPID_AMBIENT_DISPLAYNAME] = name;
    ASSERT_EQ(control.As<IOleObject>(IID_IOleObject)->SetClientSite(&container), S_OK);
    ASSERT_EQ(control.As<IPersistStreamInit>(IID_IPersistStreamInit)->InitNew(), S_OK);
    EXPECT_STREQ(control->Caption().Text(), "QvCommand1");
    EXPECT_EQ(control.As<IOleObject>(IID_IOleObject)->SetClientSite(nullptr), S_OK);
}

TEST_F(ControlBaseWindowTest, AControlWithoutAFontOfItsOwnTakesTheAmbientFontOver)
{
    ASSERT_EQ(control.As<IPersistStreamInit>(IID_IPersistStreamInit)->InitNew(), S_OK);
    ASSERT_EQ(control->CommonState().flags & CommonStateBlock::FontPresent, 0);
    ASSERT_EQ(control.As<IOleControl>(IID_IOleControl)->OnAmbientPropertyChange(DISPID_AMBIENT_FONT), S_OK);
    EXPECT_NE(control->CommonState().flags & CommonStateBlock::FontPresent, 0);
}

TEST_F(ControlBaseWindowTest, SetTextOnTheWindowBecomesTheCaption)
{
    RecordingContainer container;
    Activate(container);
    CountingPropertyNotifySink sink;
    NotifyConnection connection(control.get(), &sink);
    container.ClearCalls();
    // Answered as the window text is set: TRUE, and everything the Caption put does.
    EXPECT_EQ(SendMessageA(control->ControlWindow(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("&Post")), TRUE);
    EXPECT_STREQ(control->Caption().Text(), "&Post");
    EXPECT_TRUE(control->IsDirty());
    EXPECT_EQ(sink.changed, std::vector<DISPID>{DISPID_CAPTION});
    EXPECT_EQ(container.CountCalls("OnControlInfoChanged"), 1);
    // The same text again changes nothing.
    EXPECT_EQ(SendMessageA(control->ControlWindow(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("&Post")), TRUE);
    EXPECT_EQ(sink.changed.size(), 1u);
    EXPECT_EQ(container.CountCalls("OnControlInfoChanged"), 1);
    Close();
}

TEST_F(ControlBaseWindowTest, AtRunTimeEnabledEnablesTheWindowAndHwndIsIt)
{
    RecordingContainer container;
    Activate(container);
    OLE_HANDLE handle = 0;
    ASSERT_EQ(control->get_hWnd(&handle), S_OK);
    EXPECT_EQ(reinterpret_cast<HWND>(static_cast<UINT_PTR>(handle)), control->ControlWindow());
    ASSERT_EQ(control->put_Enabled(VARIANT_FALSE), S_OK);
    EXPECT_FALSE(IsWindowEnabled(control->ControlWindow()));
    ASSERT_EQ(control->put_Enabled(VARIANT_TRUE), S_OK);
    EXPECT_TRUE(IsWindowEnabled(control->ControlWindow()));
    Close();
}

TEST_F(ControlBaseWindowTest, AskingAWindowlessControlForItsWindowMakesItWindowed)
{
    RecordingContainer container;
    control->ControlRow().windowlessAllowed = 1;
    IOleObject* object = control.As<IOleObject>(IID_IOleObject);
    ASSERT_EQ(object->SetClientSite(&container), S_OK);
    ASSERT_EQ(control.As<IPersistStreamInit>(IID_IPersistStreamInit)->InitNew(), S_OK);
    ASSERT_EQ(object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &container, 0, container.Window(), nullptr), S_OK);
    ASSERT_NE(control->WindowlessSite(), nullptr);
    ASSERT_EQ(control->ControlWindow(), nullptr);

    OLE_HANDLE handle = 0;
    ASSERT_EQ(control->get_hWnd(&handle), S_OK);
    EXPECT_NE(control->ControlWindow(), nullptr);
    EXPECT_EQ(reinterpret_cast<HWND>(static_cast<UINT_PTR>(handle)), control->ControlWindow());
    EXPECT_EQ(control->WindowlessSite(), nullptr);
    EXPECT_NE(control->StateFlags() & OleControl::StateInPlaceActive, 0u);
    // Later controls of the class are windowed from the start.
    EXPECT_EQ(control->ControlRow().windowlessAllowed, 0);
    Close();
}

TEST_F(ControlBaseWindowTest, FocusMessagesSetAndClearTheFocusPaintFlag)
{
    RecordingContainer container;
    Activate(container);
    SendMessageA(control->ControlWindow(), WM_SETFOCUS, 0, 0);
    EXPECT_NE(control->PaintFlags() & plyx::IQvBase::PaintHasFocus, 0);
    SendMessageA(control->ControlWindow(), WM_KILLFOCUS, 0, 0);
    EXPECT_EQ(control->PaintFlags() & plyx::IQvBase::PaintHasFocus, 0);
    Close();
}

TEST_F(ControlBaseWindowTest, AWindowedControlCannotTurnTransparentAtRunTime)
{
    RecordingContainer container;
    Activate(container);
    SetErrorInfo(0, nullptr);
    EXPECT_EQ(control->put_BackStyle(qvTransparent), static_cast<HRESULT>(0x800A7539));
    EXPECT_EQ(TakeRaisedError().description,
              L"The BackStyle can not be set to Transparent at run-time if it was not set to Transparent at "
              L"design-time.");
    EXPECT_FALSE(control->IsTransparent());
    EXPECT_FALSE(control->IsDirty());
    Close();
}

} // namespace
