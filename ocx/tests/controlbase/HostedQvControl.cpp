#include "HostedQvControl.h"

#include <Plyx.h>

HRESULT STDMETHODCALLTYPE RecordingEventSink::QueryInterface(REFIID riid, void** object)
{
    *object = nullptr;
    if (riid != IID_IUnknown && riid != IID_IDispatch && riid != DIID_DQvFrameEvents)
        return E_NOINTERFACE;
    *object = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE RecordingEventSink::Invoke(DISPID dispid, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*,
                                                     EXCEPINFO*, UINT*)
{
    RecordedControlEvent event{number_, dispid, GetCurrentThreadId(), {}};
    // Arguments arrive last first.
    for (UINT i = params != nullptr ? params->cArgs : 0; i > 0; --i) {
        VARIANT value;
        VariantInit(&value);
        if (SUCCEEDED(VariantChangeType(&value, &params->rgvarg[i - 1], 0, VT_I4)))
            event.arguments.push_back(value.lVal);
        VariantClear(&value);
    }
    log_.push_back(event);
    return S_OK;
}

EventConnection::EventConnection(IUnknown* control, IDispatch* sink)
{
    IConnectionPointContainer* points = nullptr;
    EXPECT_EQ(control->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&points)), S_OK);
    if (points == nullptr)
        return;
    EXPECT_EQ(points->FindConnectionPoint(DIID_DQvFrameEvents, &point_), S_OK);
    points->Release();
    if (point_ != nullptr) {
        EXPECT_EQ(point_->Advise(sink, &cookie_), S_OK);
    }
}

EventConnection::~EventConnection()
{
    if (point_ != nullptr) {
        point_->Unadvise(cookie_);
        point_->Release();
    }
}

void ActivateWindowed(HeldQvControl& control, RecordingContainer& container)
{
    container.options.offerWindowless = false;
    IOleObject* object = control.As<IOleObject>(IID_IOleObject);
    ASSERT_EQ(object->SetClientSite(&container), S_OK);
    ASSERT_EQ(control.As<IPersistStreamInit>(IID_IPersistStreamInit)->InitNew(), S_OK);
    ASSERT_EQ(object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &container, 0, container.Window(), nullptr), S_OK);
    ASSERT_NE(control->ControlWindow(), nullptr);
    control->SetDirty(false);
}

void CloseControl(HeldQvControl& control)
{
    IOleObject* object = control.As<IOleObject>(IID_IOleObject);
    EXPECT_EQ(object->Close(OLECLOSE_NOSAVE), S_OK);
    EXPECT_EQ(object->SetClientSite(nullptr), S_OK);
}

std::vector<std::string> EventNames(const std::vector<RecordedControlEvent>& log)
{
    std::vector<std::string> names;
    for (const RecordedControlEvent& event : log)
        names.push_back(std::to_string(event.control) + ":" + std::to_string(event.dispid));
    return names;
}
