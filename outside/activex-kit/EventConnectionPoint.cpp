#include "EventConnectionPoint.h"

namespace korvane::kit {

STDMETHODIMP EventConnectionPoint::QueryInterface(REFIID iid, void** out)
{
    if (!out)
        return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IConnectionPoint)) {
        *out = static_cast<IConnectionPoint*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP EventConnectionPoint::GetConnectionInterface(IID* iid)
{
    if (!iid)
        return E_POINTER;
    *iid = eventsIid_;
    return S_OK;
}

STDMETHODIMP EventConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** container)
{
    if (!container)
        return E_POINTER;
    *container = &owner_;
    owner_.AddRef();
    return S_OK;
}

STDMETHODIMP EventConnectionPoint::Advise(IUnknown* sink, DWORD* cookie)
{
    if (!sink || !cookie)
        return E_POINTER;
    *cookie = 0;
    // The event interface is a dispinterface: the sink is reached through IDispatch either way.
    com::ComPtr<IDispatch> dispatch;
    if (FAILED(sink->QueryInterface(eventsIid_, dispatch.PutVoid())) &&
        FAILED(sink->QueryInterface(IID_IDispatch, dispatch.PutVoid())))
        return CONNECT_E_CANNOTCONNECT;
    *cookie = nextCookie_++;
    sinks_.emplace_back(*cookie, std::move(dispatch));
    return S_OK;
}

STDMETHODIMP EventConnectionPoint::Unadvise(DWORD cookie)
{
    for (auto it = sinks_.begin(); it != sinks_.end(); ++it) {
        if (it->first == cookie) {
            sinks_.erase(it);
            return S_OK;
        }
    }
    return CONNECT_E_NOCONNECTION;
}

void EventConnectionPoint::Fire(DISPID dispid, DISPPARAMS& params)
{
    std::vector<com::ComPtr<IDispatch>> round;
    for (const auto& sink : sinks_)
        round.push_back(sink.second);
    for (const auto& sink : round)
        sink->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr);
}

} // namespace korvane::kit
