// The option button at work: selected by a put, a release inside, the keyboard focus, a mnemonic or
// a matching bound text; cleared only by a put, BM_SETCHECK or a bound text that does not match;
// Click once on every change to selected, DblClick on a double click.
#include "OptionTestSupport.h"

#include <string>

namespace {

constexpr DISPID ClickDispid = 22;
constexpr DISPID DblClickDispid = 23;

class OptionBehaviourTest : public HostedOptionTest<QvOption> {
protected:
    static std::wstring Text(HRESULT (QvOption::*get)(BSTR*), QvOption* option)
    {
        BSTR text = nullptr;
        EXPECT_EQ((option->*get)(&text), S_OK);
        std::wstring result(text != nullptr ? text : L"");
        SysFreeString(text);
        return result;
    }
    HRESULT PutText(HRESULT (QvOption::*put)(BSTR), const wchar_t* text)
    {
        BSTR value = SysAllocString(text);
        const HRESULT hr = (control.get()->*put)(value);
        SysFreeString(value);
        return hr;
    }
};

TEST_F(OptionBehaviourTest, APutStoresSelectedOrNotAndOnlySelectingClicks)
{
    Site();
    Listen(DIID_DQvOptionEvents);
    struct Step {
        short put;
        short stored;
        int clicks;
        std::vector<DISPID> changed;
    } steps[] = {
        {1, -1, 1, {11, 0}},    // any non-zero value selects, as the glyph then shows
        {-1, -1, 0, {}},        // selected again: no change
        {0, 0, 0, {11, 0}},     // cleared without Click
        {7, -1, 1, {11, 0}},
    };
    for (const Step& step : steps) {
        events.events.clear();
        notify.changed.clear();
        ASSERT_EQ(control->put_Value(step.put), S_OK);
        EXPECT_EQ(control->StoredValue(), step.stored) << step.put;
        EXPECT_EQ(events.Count(ClickDispid), step.clicks) << step.put;
        EXPECT_EQ(notify.changed, step.changed) << step.put;
    }
    ASSERT_FALSE(events.events.empty());
    EXPECT_EQ(events.events.back().argument, -1) << "Click carries the selected value";
}

TEST_F(OptionBehaviourTest, ButtonMessagesClearWithoutClickAndSelectWithIt)
{
    Activate();
    Listen(DIID_DQvOptionEvents);
    EXPECT_EQ(Send(BM_SETCHECK, BST_CHECKED), 0);
    EXPECT_EQ(control->StoredValue(), -1);
    EXPECT_EQ(events.Count(ClickDispid), 1);
    EXPECT_EQ(Send(BM_GETCHECK), 1);
    Send(BM_SETCHECK, BST_UNCHECKED);
    EXPECT_EQ(control->StoredValue(), 0);
    EXPECT_EQ(Send(BM_GETCHECK), 0);
    EXPECT_EQ(events.Count(ClickDispid), 1) << "clearing fires nothing";
}

TEST_F(OptionBehaviourTest, AReleaseInsideSelectsOnceAndAClickOnASelectedButtonChangesNothing)
{
    Activate(false, true);
    Listen(DIID_DQvOptionEvents);
    Press(50, 25);
    Pump();
    EXPECT_EQ(GetFocus(), control->ControlWindow()) << "the press takes the focus";
    EXPECT_EQ(control->StoredValue(), 0) << "the focus of a press selects nothing";
    // While the press holds the capture, the display's real pointer (left wherever an earlier test
    // put it) may have sent a move from outside; the pointer of this press is back on its point.
    Move(50, 25);
    Release(50, 25);
    EXPECT_EQ(control->StoredValue(), -1);
    EXPECT_EQ(events.Count(ClickDispid), 1);
    Click();
    Pump();
    EXPECT_EQ(control->StoredValue(), -1);
    EXPECT_EQ(events.Count(ClickDispid), 1);
    EXPECT_TRUE(control->PressState() & plyx::IQvOptionBase::PressUp) << "drawn released again";
    // Released outside: nothing.
    ASSERT_EQ(control->put_Value(0), S_OK);
    Press(50, 25);
    Move(300, 300);
    Release(300, 300);
    EXPECT_EQ(control->StoredValue(), 0);
}

TEST_F(OptionBehaviourTest, TheKeyboardFocusSelectsOnceItHasArrived)
{
    Activate(false, true);
    Listen(DIID_DQvOptionEvents);
    ::SetFocus(container_->Window());
    Pump();
    events.events.clear();
    ::SetFocus(control->ControlWindow());
    EXPECT_EQ(control->StoredValue(), 0) << "selected only after the focus change";
    Pump();
    EXPECT_EQ(control->StoredValue(), -1);
    EXPECT_EQ(events.Count(ClickDispid), 1);
}

TEST_F(OptionBehaviourTest, TheMnemonicSelectsAnEnabledButtonOnly)
{
    Activate();
    Listen(DIID_DQvOptionEvents);
    MSG message = {};
    IOleControl* oleControl = control.As<IOleControl>(IID_IOleControl);
    ASSERT_EQ(control->put_Enabled(VARIANT_FALSE), S_OK);
    oleControl->OnMnemonic(&message);
    Pump();
    EXPECT_EQ(control->StoredValue(), 0) << "a disabled button ignores its mnemonic";
    ASSERT_EQ(control->put_Enabled(VARIANT_TRUE), S_OK);
    oleControl->OnMnemonic(&message);
    Pump();
    EXPECT_EQ(control->StoredValue(), -1);
    EXPECT_EQ(events.Count(ClickDispid), 1);
    oleControl->OnMnemonic(&message);
    EXPECT_EQ(events.Count(ClickDispid), 1) << "a selected button stays as it is";
}

TEST_F(OptionBehaviourTest, TheBoundTextFollowsTheSelectionAndSelectsWhenItMatches)
{
    Site();
    Listen(DIID_DQvOptionEvents);
    ASSERT_EQ(PutText(&QvOption::PutOptionValue, L"A"), S_OK);
    EXPECT_EQ(notify.changed, std::vector<DISPID>{47});
    ASSERT_EQ(control->put_Value(-1), S_OK);
    EXPECT_EQ(Text(&QvOption::GetBoundOptionValue, control.get()), L"A") << "a selected button's text is bound";
    events.events.clear();

    ASSERT_EQ(PutText(&QvOption::PutBoundOptionValue, L"B"), S_OK);
    EXPECT_EQ(control->StoredValue(), 0);
    EXPECT_EQ(events.Count(ClickDispid), 0);
    ASSERT_EQ(PutText(&QvOption::PutBoundOptionValue, L"A"), S_OK);
    EXPECT_EQ(control->StoredValue(), -1);
    EXPECT_EQ(events.Count(ClickDispid), 1);
    EXPECT_EQ(notify.requested.back(), 48);
    EXPECT_EQ(notify.changed.back(), 48);

    // A refused edit changes nothing.
    notify.allowEdits = false;
    notify.changed.clear();
    ASSERT_EQ(PutText(&QvOption::PutBoundOptionValue, L"B"), S_OK);
    EXPECT_EQ(Text(&QvOption::GetBoundOptionValue, control.get()), L"A");
    EXPECT_EQ(control->StoredValue(), -1);
    EXPECT_TRUE(notify.changed.empty());
}

TEST_F(OptionBehaviourTest, SelectingAButtonWithoutTextKeepsItSelected)
{
    Site();
    Listen(DIID_DQvOptionEvents);
    // A bound text from outside that matches nothing, then the button selected: the bound text
    // follows the selection, and the button stays selected.
    ASSERT_EQ(PutText(&QvOption::PutBoundOptionValue, L"X"), S_OK);
    ASSERT_EQ(control->StoredValue(), 0);
    ASSERT_EQ(control->put_Value(-1), S_OK);
    EXPECT_EQ(control->StoredValue(), -1);
    EXPECT_EQ(Text(&QvOption::GetBoundOptionValue, control.get()), L"");
    EXPECT_EQ(events.Count(ClickDispid), 1);
}

TEST_F(OptionBehaviourTest, AnOptionValueTooLongForAStreamIsRefused)
{
    Site();
    const std::wstring longest(32767, L'x');
    ASSERT_EQ(PutText(&QvOption::PutOptionValue, longest.c_str()), S_OK);
    const std::wstring tooLong(32768, L'y');
    EXPECT_EQ(PutText(&QvOption::PutOptionValue, tooLong.c_str()), static_cast<HRESULT>(0x800A017C));
    EXPECT_EQ(Text(&QvOption::GetOptionValue, control.get()), longest);
    // What was taken saves and loads again.
    const Bytes saved = SavedBytes(control.Unknown());
    Held<QvOption> copy;
    ASSERT_EQ(LoadBytes(copy.Unknown(), saved), S_OK);
    EXPECT_EQ(Text(&QvOption::GetOptionValue, copy.get()), longest);
}

TEST_F(OptionBehaviourTest, ADoubleClickFiresDblClickWithTheValueAndStartsNoPress)
{
    Activate();
    Listen(DIID_DQvOptionEvents);
    ASSERT_EQ(control->put_Value(-1), S_OK);
    events.events.clear();
    Send(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(50, 25));
    ASSERT_EQ(events.Count(DblClickDispid), 1);
    for (const RecordingEventSink::Event& event : events.events)
        if (event.dispid == DblClickDispid) {
            EXPECT_EQ(event.argument, -1);
        }
    EXPECT_FALSE(control->PressState() & plyx::IQvOptionBase::PressPressing);
    EXPECT_EQ(control->StoredValue(), -1);
}

TEST_F(OptionBehaviourTest, TheButtonClearsNoSibling)
{
    Site();
    Held<QvOption> sibling;
    ASSERT_EQ(sibling.As<IPersistStreamInit>(IID_IPersistStreamInit)->InitNew(), S_OK);
    ASSERT_EQ(control->put_Value(-1), S_OK);
    ASSERT_EQ(sibling->put_Value(-1), S_OK);
    EXPECT_EQ(control->StoredValue(), -1);
    EXPECT_EQ(sibling->StoredValue(), -1);
}

} // namespace
