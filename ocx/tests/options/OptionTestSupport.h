// What the tests of the check box and the option button share: the two classes in an object table
// of the tests' own (at the rows the library gives them), a holder of a new control, a fixture that
// checks that no control and no GDI object outlives its test, streams in memory and a sink that can
// refuse edits.
#pragma once
#include "Himetric.h"
#include "QvCheck.h"
#include "QvOption.h"
#include "RecordingContainer.h"
#include "RecordingEventSink.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

using Bytes = std::vector<unsigned char>;

// Owns the reference a new control starts with.
template <class Control>
class Held {
public:
    Held() : unknown_(Create()) { EXPECT_NE(unknown_, nullptr); }
    ~Held()
    {
        if (unknown_ != nullptr)
            unknown_->Release();
    }
    Held(const Held&) = delete;
    Held& operator=(const Held&) = delete;

    Control* operator->() const { return get(); }
    Control* get() const { return static_cast<Control*>(OleControl::FromUnknown(unknown_)); }
    IUnknown* Unknown() const { return unknown_; }

    // The interface, not AddRef'd: the test holds the control.
    template <class Interface>
    Interface* As(REFIID iid) const
    {
        void* object = nullptr;
        EXPECT_EQ(unknown_->QueryInterface(iid, &object), S_OK);
        if (object != nullptr)
            static_cast<IUnknown*>(object)->Release();
        return static_cast<Interface*>(object);
    }

private:
    static IUnknown* Create();
    IUnknown* unknown_;
};

// Connects a sink to one connection point of a control for the lifetime of the object.
class Connection {
public:
    Connection(IUnknown* control, REFIID point, IUnknown* sink);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

private:
    IConnectionPoint* point_ = nullptr;
    DWORD cookie_ = 0;
};

// A property-notify sink that records OnChanged and answers OnRequestEdit as told.
class EditingSink final : public IPropertyNotifySink {
public:
    STDMETHODIMP QueryInterface(REFIID riid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override { return ++references; }
    STDMETHODIMP_(ULONG) Release() override { return --references; }
    STDMETHODIMP OnChanged(DISPID dispid) override
    {
        changed.push_back(dispid);
        return S_OK;
    }
    STDMETHODIMP OnRequestEdit(DISPID dispid) override
    {
        requested.push_back(dispid);
        return allowEdits ? S_OK : S_FALSE;
    }

    ULONG references = 0;
    bool allowEdits = true;
    std::vector<DISPID> changed;
    std::vector<DISPID> requested;
};

// Every control a test makes, and every GDI object it draws with, must be gone when it ends.
class OptionControlTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

private:
    LONG objectsBefore_ = 0;
    DWORD gdiObjectsBefore_ = 0;
};

IStream* StreamOfBytes(const Bytes& bytes);
Bytes BytesOfStream(IStream* stream);
// The control's state as IPersistStreamInit saves it, and a load of bytes into it.
Bytes SavedBytes(IUnknown* control);
HRESULT LoadBytes(IUnknown* control, const Bytes& bytes);
// A bitmap picture of `cells` solid cells of `cellSize` pixels side by side in the given colours.
IPictureDisp* SolidCellsPicture(const std::vector<COLORREF>& colors, int cellSize);

// A control of class `Control` sited in a recording container, started new and (unless asked not
// to) active in place with a window of its own; closed at the end of the test.
template <class Control>
class HostedOptionTest : public OptionControlTest {
protected:
    void Site(bool designMode = false, bool visible = false)
    {
        container_ = std::make_unique<RecordingContainer>(visible);
        container_->options.offerWindowless = false;
        if (designMode)
            container_->SetAmbientBool(DISPID_AMBIENT_USERMODE, false);
        ASSERT_EQ(control.template As<IOleObject>(IID_IOleObject)->SetClientSite(container_.get()), S_OK);
        ASSERT_EQ(control.template As<IPersistStreamInit>(IID_IPersistStreamInit)->InitNew(), S_OK);
        // The container places the control in its whole position rectangle; the control's size is its
        // extent (placing it only moves it), so the extent is made to fit the rectangle first.
        const RECT& position = container_->options.position;
        SIZEL pixels = {position.right - position.left, position.bottom - position.top};
        SIZEL himetric = {};
        PixelsToHimetric(&pixels, &himetric);
        ASSERT_EQ(control.template As<IOleObject>(IID_IOleObject)->SetExtent(DVASPECT_CONTENT, &himetric), S_OK);
        sited_ = true;
    }
    void Activate(bool designMode = false, bool visible = false)
    {
        Site(designMode, visible);
        ASSERT_EQ(control.template As<IOleObject>(IID_IOleObject)
                      ->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, container_.get(), 0, container_->Window(), nullptr),
                  S_OK);
        ASSERT_NE(control->ControlWindow(), nullptr);
        control->SetDirty(false);
    }
    void TearDown() override
    {
        events_.reset();
        notifications_.reset();
        if (sited_) {
            IOleObject* object = control.template As<IOleObject>(IID_IOleObject);
            EXPECT_EQ(object->Close(OLECLOSE_NOSAVE), S_OK);
            EXPECT_EQ(object->SetClientSite(nullptr), S_OK);
        }
        container_.reset();
        OptionControlTest::TearDown();
    }
    // Records the control's events in `events` and its property notifications in `notify`.
    void Listen(REFIID eventsIid)
    {
        events.Accept(eventsIid);
        events_ = std::make_unique<Connection>(control.Unknown(), eventsIid, static_cast<IDispatch*>(&events));
        notifications_ =
            std::make_unique<Connection>(control.Unknown(), IID_IPropertyNotifySink, static_cast<IPropertyNotifySink*>(&notify));
    }
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
    {
        return SendMessageA(control->ControlWindow(), message, wParam, lParam);
    }
    // The control's window messages of a mouse press at (x, y) and its release at (toX, toY).
    void Click(int x = 50, int y = 25)
    {
        Press(x, y);
        Release(x, y);
    }
    void Press(int x, int y) { Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y)); }
    void Move(int x, int y) { Send(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y)); }
    void Release(int x, int y) { Send(WM_LBUTTONUP, 0, MAKELPARAM(x, y)); }
    // Handles what is waiting in the thread's queue (posted messages, paints).
    static void Pump()
    {
        MSG message;
        for (int round = 0; round < 20; ++round) {
            while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&message);
                DispatchMessageA(&message);
            }
            Sleep(5);
        }
    }

    std::unique_ptr<RecordingContainer> container_;
    Held<Control> control;
    RecordingEventSink events;
    EditingSink notify;
    bool sited_ = false;

private:
    std::unique_ptr<Connection> events_;
    std::unique_ptr<Connection> notifications_;
};
