// The check box at work: the value as hosts read and set it, the Click inside every change, the
// click, space bar and double click, a press cancelled or released outside, the button messages and
// the mnemonic.
#include "OptionTestSupport.h"

namespace {

constexpr DISPID ClickDispid = 22;
constexpr DISPID MouseDownDispid = DISPID_MOUSEDOWN;

class CheckBehaviourTest : public HostedOptionTest<QvCheck> {
protected:
    long Read()
    {
        Constants_CheckBoxValue value = qvCBUnchecked;
        EXPECT_EQ(control->get_Value(&value), S_OK);
        return value;
    }
    std::vector<long> ClickArguments() const
    {
        std::vector<long> arguments;
        for (const RecordingEventSink::Event& event : events.events)
            if (event.dispid == ClickDispid)
                arguments.push_back(event.argument);
        return arguments;
    }
};

TEST_F(CheckBehaviourTest, TheValueReadsTrueForACheckedTwoStateBoxAtRunTimeOnly)
{
    struct Case {
        const char* what;
        bool designMode;
        bool tripleState;
        long put;
        BYTE stored;
        long read;
        std::vector<long> clicks;
    } cases[] = {
        {"run time, two-state, checked", false, false, 1, 1, -1, {-1}},
        {"run time, two-state, True put", false, false, -1, 1, -1, {-1}},
        {"run time, 2 put without TripleState checks", false, false, 2, 1, -1, {-1}},
        {"run time, TripleState, checked", false, true, 1, 1, 1, {1}},
        {"run time, TripleState, grayed", false, true, 2, 2, 2, {2}},
        {"design time, two-state, checked", true, false, 1, 1, 1, {-1}},
        {"unchecked stays unchecked: no click", false, false, 0, 0, 0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Held<QvCheck> check;
        RecordingContainer container;
        if (c.designMode)
            container.SetAmbientBool(DISPID_AMBIENT_USERMODE, false);
        ASSERT_EQ(check.As<IOleObject>(IID_IOleObject)->SetClientSite(&container), S_OK);
        ASSERT_EQ(check.As<IPersistStreamInit>(IID_IPersistStreamInit)->InitNew(), S_OK);
        RecordingEventSink sink;
        {
            Connection connection(check.Unknown(), DIID_DQvCheckEvents, static_cast<IDispatch*>(&sink));
            ASSERT_EQ(check->put_TripleState(c.tripleState ? VARIANT_TRUE : VARIANT_FALSE), S_OK);
            ASSERT_EQ(check->put_Value(static_cast<Constants_CheckBoxValue>(c.put)), S_OK);
            EXPECT_EQ(check->CheckState().value, c.stored);
            Constants_CheckBoxValue value = qvCBUnchecked;
            ASSERT_EQ(check->get_Value(&value), S_OK);
            EXPECT_EQ(value, c.read);
            long bound = 0;
            ASSERT_EQ(check->get_BoundValue(&bound), S_OK);
            EXPECT_EQ(bound, c.read);
        }
        std::vector<long> clicks;
        for (const RecordingEventSink::Event& event : sink.events)
            clicks.push_back(event.argument);
        EXPECT_EQ(clicks, c.clicks);
        ASSERT_EQ(check.As<IOleObject>(IID_IOleObject)->SetClientSite(nullptr), S_OK);
    }
}

TEST_F(CheckBehaviourTest, AChangeNotifiesAndFiresClickInsideThePutOnlyWhenTheValueChanges)
{
    Site();
    Listen(DIID_DQvCheckEvents);
    long readInside = 99;
    events.handler = [this, &readInside](DISPID) { readInside = Read(); };
    ASSERT_EQ(control->put_Value(qvCBChecked), S_OK);
    EXPECT_EQ(readInside, -1) << "the handler reads the new value";
    EXPECT_EQ(notify.changed, (std::vector<DISPID>{47, 0, 65}));
    EXPECT_TRUE(control->IsDirty());
    // True onto a checked box is no change.
    events.events.clear();
    notify.changed.clear();
    ASSERT_EQ(control->put__Value(-1), S_OK);
    EXPECT_TRUE(events.events.empty());
    EXPECT_TRUE(notify.changed.empty());
    // Unchecking fires Click with 0.
    ASSERT_EQ(control->put_BoundValue(0), S_OK);
    EXPECT_EQ(ClickArguments(), std::vector<long>{0});
}

TEST_F(CheckBehaviourTest, TripleStateIsSavedAndLeavesAGrayedValueAlone)
{
    Site();
    Listen(DIID_DQvCheckEvents);
    control->SetDirty(false);
    ASSERT_EQ(control->put_TripleState(VARIANT_TRUE), S_OK);
    EXPECT_TRUE(control->IsDirty()) << "the change is kept by the next save";
    EXPECT_EQ(notify.changed, std::vector<DISPID>{44});
    ASSERT_EQ(control->put_Value(qvCBGrayed), S_OK);
    notify.changed.clear();
    ASSERT_EQ(control->put_TripleState(VARIANT_TRUE), S_OK);
    EXPECT_TRUE(notify.changed.empty()) << "the same state again changes nothing";
    ASSERT_EQ(control->put_TripleState(VARIANT_FALSE), S_OK);
    EXPECT_EQ(control->CheckState().value, 2);
    VARIANT_BOOL tripleState = VARIANT_TRUE;
    ASSERT_EQ(control->get_TripleState(&tripleState), S_OK);
    EXPECT_EQ(tripleState, VARIANT_FALSE);
}

TEST_F(CheckBehaviourTest, AClickInsideTogglesAndOneReleasedOutsideDoesNot)
{
    Activate();
    Listen(DIID_DQvCheckEvents);
    Click();
    EXPECT_EQ(control->CheckState().value, 1);
    EXPECT_EQ(ClickArguments(), std::vector<long>{-1});
    // MouseDown comes before the click, at the press.
    ASSERT_FALSE(events.events.empty());
    EXPECT_EQ(events.events.front().dispid, MouseDownDispid);

    // Pressed, dragged out and released outside: nothing.
    events.events.clear();
    Press(50, 25);
    EXPECT_EQ(GetCapture(), control->ControlWindow());
    Move(300, 25);
    EXPECT_TRUE(control->PressState() & plyx::IQvOptionBase::PressOutside);
    EXPECT_TRUE(control->PressState() & plyx::IQvOptionBase::PressUp) << "drawn released while outside";
    Release(300, 25);
    EXPECT_EQ(control->CheckState().value, 1);
    EXPECT_TRUE(ClickArguments().empty());
    EXPECT_EQ(GetCapture(), nullptr);

    // Dragged out and back in before the release: it toggles.
    Press(50, 25);
    Move(300, 25);
    Move(40, 20);
    EXPECT_FALSE(control->PressState() & plyx::IQvOptionBase::PressUp);
    Release(40, 20);
    EXPECT_EQ(control->CheckState().value, 0);
    EXPECT_EQ(ClickArguments(), std::vector<long>{0});
}

TEST_F(CheckBehaviourTest, TheSpaceBarPressesAndReleases)
{
    Activate();
    Listen(DIID_DQvCheckEvents);
    Send(WM_KEYDOWN, VK_SPACE, 0x00390001);
    EXPECT_TRUE(control->PressState() & plyx::IQvOptionBase::PressPressing);
    EXPECT_FALSE(control->PressState() & plyx::IQvOptionBase::PressUp);
    EXPECT_EQ(control->CheckState().value, 0) << "nothing changes before the release";
    Send(WM_KEYUP, VK_SPACE, 0xC0390001);
    EXPECT_EQ(control->CheckState().value, 1);
    EXPECT_EQ(ClickArguments(), std::vector<long>{-1});
    // Another key's release does nothing.
    Send(WM_KEYUP, 'A', 0xC01E0001);
    EXPECT_EQ(control->CheckState().value, 1);
}

TEST_F(CheckBehaviourTest, CancelModeDuringAPressEndsItWithoutAClick)
{
    Activate();
    Listen(DIID_DQvCheckEvents);
    Press(50, 25);
    ASSERT_TRUE(control->PressState() & plyx::IQvOptionBase::PressCaptured);
    EXPECT_EQ(Send(WM_CANCELMODE), 0);
    EXPECT_FALSE(control->PressState() & plyx::IQvOptionBase::PressCaptured);
    EXPECT_TRUE(control->PressState() & plyx::IQvOptionBase::PressUp);
    EXPECT_NE(GetCapture(), control->ControlWindow());
    Release(50, 25);
    EXPECT_EQ(control->CheckState().value, 0);
    EXPECT_TRUE(ClickArguments().empty());
}

TEST_F(CheckBehaviourTest, ButtonMessagesReadAndSetTheCheck)
{
    Activate();
    Listen(DIID_DQvCheckEvents);
    EXPECT_EQ(Send(BM_GETCHECK), 0);
    EXPECT_EQ(Send(BM_SETCHECK, BST_CHECKED), 0);
    EXPECT_EQ(control->CheckState().value, 1);
    EXPECT_EQ(ClickArguments(), std::vector<long>{-1});
    // Checked again, or checked while grayed: no change.
    ASSERT_EQ(control->put_TripleState(VARIANT_TRUE), S_OK);
    ASSERT_EQ(control->put_Value(qvCBGrayed), S_OK);
    events.events.clear();
    EXPECT_EQ(Send(BM_GETCHECK), 1) << "a grayed box counts as checked";
    Send(BM_SETCHECK, BST_CHECKED);
    EXPECT_EQ(control->CheckState().value, 2);
    EXPECT_TRUE(events.events.empty());
    Send(BM_SETCHECK, BST_UNCHECKED);
    EXPECT_EQ(control->CheckState().value, 0);
    EXPECT_EQ(ClickArguments(), std::vector<long>{0});
}

TEST_F(CheckBehaviourTest, ADoubleClickPressesAgainSoThatItsReleaseToggles)
{
    Activate();
    Listen(DIID_DQvCheckEvents);
    Click();
    Send(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(50, 25));
    EXPECT_TRUE(control->PressState() & plyx::IQvOptionBase::PressPressing);
    Release(50, 25);
    EXPECT_EQ(control->CheckState().value, 0);
    EXPECT_EQ(ClickArguments(), (std::vector<long>{-1, 0}));
}

TEST_F(CheckBehaviourTest, AGrayedBoxClickedBecomesUnchecked)
{
    Activate();
    ASSERT_EQ(control->put_TripleState(VARIANT_TRUE), S_OK);
    ASSERT_EQ(control->put_Value(qvCBGrayed), S_OK);
    Click();
    EXPECT_EQ(control->CheckState().value, 0);
    Click();
    EXPECT_EQ(control->CheckState().value, 1);
}

TEST_F(CheckBehaviourTest, TheMnemonicTogglesAnEnabledBoxOnly)
{
    Activate();
    Listen(DIID_DQvCheckEvents);
    MSG message = {};
    IOleControl* oleControl = control.As<IOleControl>(IID_IOleControl);
    oleControl->OnMnemonic(&message);
    EXPECT_EQ(control->CheckState().value, 1);
    ASSERT_EQ(control->put_Enabled(VARIANT_FALSE), S_OK);
    events.events.clear();
    oleControl->OnMnemonic(&message);
    EXPECT_EQ(control->CheckState().value, 1) << "a disabled box ignores its mnemonic";
    EXPECT_TRUE(events.events.empty());
    // Nor does a disabled box answer the mouse.
    Click();
    EXPECT_EQ(control->CheckState().value, 1);
}

} // namespace

namespace {

// Without a window of their own: the container hands the messages over in its coordinates.
template <class Control>
class WindowlessTest : public HostedOptionTest<Control> {
protected:
    void ActivateWindowless()
    {
        this->container_ = std::make_unique<RecordingContainer>(true);
        ASSERT_EQ(this->control.template As<IOleObject>(IID_IOleObject)->SetClientSite(this->container_.get()), S_OK);
        ASSERT_EQ(this->control.template As<IPersistStreamInit>(IID_IPersistStreamInit)->InitNew(), S_OK);
        this->sited_ = true;
        ASSERT_EQ(this->control.template As<IOleObject>(IID_IOleObject)
                      ->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, this->container_.get(), 0,
                               this->container_->Window(), nullptr),
                  S_OK);
        ASSERT_EQ(this->control->ControlWindow(), nullptr) << "active without a window";
    }
    LRESULT Message(UINT message, WPARAM wParam, int x, int y)
    {
        LRESULT result = 0;
        this->control.template As<IOleInPlaceObjectWindowless>(IID_IOleInPlaceObjectWindowless)
            ->OnWindowMessage(message, wParam, MAKELPARAM(x, y), &result);
        return result;
    }
};

using WindowlessCheckTest = WindowlessTest<QvCheck>;
using WindowlessOptionTest = WindowlessTest<QvOption>;

TEST_F(WindowlessCheckTest, AClickInsideThePlaceTogglesAndOneOutsideDoesNot)
{
    ActivateWindowless();
    Listen(DIID_DQvCheckEvents);
    // The container placed the control at (10, 20) - (110, 70).
    Message(WM_LBUTTONDOWN, MK_LBUTTON, 60, 45);
    Message(WM_LBUTTONUP, 0, 60, 45);
    EXPECT_EQ(control->CheckState().value, 1);
    EXPECT_EQ(events.Count(22), 1);
    Message(WM_LBUTTONDOWN, MK_LBUTTON, 60, 45);
    Message(WM_MOUSEMOVE, MK_LBUTTON, 300, 200);
    Message(WM_LBUTTONUP, 0, 300, 200);
    EXPECT_EQ(control->CheckState().value, 1);
    EXPECT_EQ(Message(BM_GETCHECK, 0, 0, 0), 1);
}

TEST_F(WindowlessOptionTest, TheFocusSelectsAtOnceWithoutAWindowToPostTo)
{
    ActivateWindowless();
    Listen(DIID_DQvOptionEvents);
    Message(WM_SETFOCUS, 0, 0, 0);
    EXPECT_EQ(control->StoredValue(), -1);
    EXPECT_EQ(events.Count(22), 1);
}

} // namespace
