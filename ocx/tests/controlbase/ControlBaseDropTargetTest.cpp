// The control's drop target as the system calls it, without a drag loop: the effects a handler can
// leave, the key state each event reports, automatic drop and a window gone under a drag.
#include "DispatchStub.h"
#include "ForeignDataObject.h"
#include "HostedQvControl.h"

#include <Plyx.h>

#include <functional>

namespace {

constexpr DISPID DragOverId = 1554;
constexpr DISPID DragDropId = 1555;

// Records the drag events' Effect, Button and State and lets a test answer the Effect.
class DropSink final : public DispatchStub {
public:
    struct Seen {
        DISPID dispid;
        LONG effect;
        short button;
        short shift;
        short state;  // -1 for OLEDragDrop
    };

    STDMETHODIMP Invoke(DISPID dispid, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*, UINT*) override
    {
        if (dispid != DragOverId && dispid != DragDropId)
            return S_OK;
        // Last argument first: State (OLEDragOver only), Y, X, Shift, Button, Effect, Data.
        VARIANT* arguments = params->rgvarg;
        const UINT count = params->cArgs;
        VARIANT& effect = arguments[count - 2];
        if (answer)
            *effect.plVal = answer(dispid, *effect.plVal);
        seen.push_back(Seen{dispid, *effect.plVal, *arguments[count - 3].piVal, *arguments[count - 4].piVal,
                            dispid == DragOverId ? *arguments[0].piVal : short(-1)});
        if (during)
            during();
        return S_OK;
    }

    std::function<LONG(DISPID, LONG)> answer;
    std::function<void()> during;
    std::vector<Seen> seen;
};

class ControlBaseDropTargetTest : public QvControlTest {
protected:
    void SetUp() override
    {
        QvControlTest::SetUp();
        OleInitialize(nullptr);
        site.SetAmbientBool(DISPID_AMBIENT_USERMODE, true);
        ActivateWindowed(control, site);
        events = std::make_unique<EventConnection>(control.get(), &sink);
    }
    void TearDown() override
    {
        events.reset();
        CloseControl(control);
        QvControlTest::TearDown();
        OleUninitialize();
    }
    IDropTarget* Target(short mode)
    {
        EXPECT_EQ(control->put_OLEDropMode(static_cast<Constants_OLEDrop>(mode)), S_OK);
        IDropTarget* target = control->DragDrop().RegisteredDropTarget();
        EXPECT_NE(target, nullptr);
        return target;
    }
    POINTL Inside() const
    {
        RECT rect = {};
        GetWindowRect(control->ControlWindow(), &rect);
        return POINTL{rect.left + 5, rect.top + 5};
    }

    RecordingContainer site;
    HeldQvControl control;
    DropSink sink;
    std::unique_ptr<EventConnection> events;
    ForeignDataObject data;
};

struct EffectCase {
    const char* name;
    DWORD offered;
    LONG answered;   // what the host's handler sets
    DWORD expected;  // what the system hears
};

TEST_F(ControlBaseDropTargetTest, EveryCallKeepsOnlyOfferedEffects)
{
    const EffectCase cases[] = {
        {"kept", DROPEFFECT_COPY | DROPEFFECT_MOVE, DROPEFFECT_COPY, DROPEFFECT_COPY},
        {"copy asked, move offered", DROPEFFECT_MOVE, DROPEFFECT_COPY, DROPEFFECT_NONE},
        {"link asked beside copy", DROPEFFECT_COPY, DROPEFFECT_COPY | DROPEFFECT_LINK, DROPEFFECT_COPY},
        {"nothing taken", DROPEFFECT_COPY, DROPEFFECT_NONE, DROPEFFECT_NONE},
    };
    IDropTarget* target = Target(1);
    ASSERT_NE(target, nullptr);
    for (const EffectCase& test : cases) {
        SCOPED_TRACE(test.name);
        sink.answer = [&test](DISPID, LONG) { return test.answered; };
        DWORD effect = test.offered;
        EXPECT_EQ(target->DragEnter(&data, MK_LBUTTON, Inside(), &effect), S_OK);
        EXPECT_EQ(effect, test.expected);
        effect = test.offered;
        EXPECT_EQ(target->DragOver(MK_LBUTTON, Inside(), &effect), S_OK);
        EXPECT_EQ(effect, test.expected);
        effect = test.offered;
        EXPECT_EQ(target->Drop(&data, 0, Inside(), &effect), S_OK);
        EXPECT_EQ(effect, test.expected);
    }
    EXPECT_EQ(data.References(), 1u) << "the drop target kept the dragged data";
}

TEST_F(ControlBaseDropTargetTest, EachEventReportsItsKeysAndTheLeaveThoseOfTheLastMove)
{
    IDropTarget* target = Target(1);
    ASSERT_NE(target, nullptr);
    DWORD effect = DROPEFFECT_COPY;
    target->DragEnter(&data, MK_LBUTTON | MK_SHIFT, Inside(), &effect);
    effect = DROPEFFECT_COPY;
    target->DragOver(MK_RBUTTON | MK_MBUTTON | MK_CONTROL | MK_ALT, Inside(), &effect);
    target->DragLeave();
    ASSERT_EQ(sink.seen.size(), 3u);
    EXPECT_EQ(sink.seen[0].button, 1);
    EXPECT_EQ(sink.seen[0].shift, 1);
    EXPECT_EQ(sink.seen[0].state, 0);
    EXPECT_EQ(sink.seen[1].button, 2 | 4);
    EXPECT_EQ(sink.seen[1].shift, 2 | 4);
    EXPECT_EQ(sink.seen[1].state, 2);
    // The leave: no effect and the buttons of the move before it.
    EXPECT_EQ(sink.seen[2].effect, DROPEFFECT_NONE);
    EXPECT_EQ(sink.seen[2].button, 2 | 4);
    EXPECT_EQ(sink.seen[2].shift, 2 | 4);
    EXPECT_EQ(sink.seen[2].state, 1);
    EXPECT_EQ(data.References(), 1u);
}

TEST_F(ControlBaseDropTargetTest, AutomaticDropTakesNothingAndFiresNothing)
{
    IDropTarget* target = Target(2);
    ASSERT_NE(target, nullptr);
    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    EXPECT_EQ(target->DragEnter(&data, MK_LBUTTON, Inside(), &effect), S_OK);
    EXPECT_EQ(effect, DROPEFFECT_NONE);
    effect = DROPEFFECT_MOVE;
    EXPECT_EQ(target->DragOver(MK_LBUTTON, Inside(), &effect), S_OK);
    EXPECT_EQ(effect, DROPEFFECT_NONE);
    effect = DROPEFFECT_MOVE;
    EXPECT_EQ(target->Drop(&data, 0, Inside(), &effect), S_OK);
    EXPECT_EQ(effect, DROPEFFECT_NONE);
    EXPECT_TRUE(sink.seen.empty());
}

TEST_F(ControlBaseDropTargetTest, AWindowTakenDownByAHandlerAnswersUnexpected)
{
    IDropTarget* target = Target(1);
    ASSERT_NE(target, nullptr);
    // The system holds the target for the drag under way.
    target->AddRef();
    IOleInPlaceObject* inPlace = control.As<IOleInPlaceObject>(IID_IOleInPlaceObject);
    sink.during = [inPlace] { inPlace->InPlaceDeactivate(); };
    DWORD effect = DROPEFFECT_COPY;
    EXPECT_EQ(target->DragEnter(&data, MK_LBUTTON, Inside(), &effect), E_UNEXPECTED);
    sink.during = nullptr;
    effect = DROPEFFECT_COPY;
    EXPECT_EQ(target->DragOver(MK_LBUTTON, POINTL{0, 0}, &effect), E_UNEXPECTED);
    EXPECT_EQ(target->DragLeave(), S_OK);
    EXPECT_FALSE(control->DragDrop().IsRegistered());
    target->Release();
    EXPECT_EQ(data.References(), 1u);
}

} // namespace
