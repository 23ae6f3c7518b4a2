// The connection point of a control's event interface. It lives inside the control and shares its
// reference count; sinks are held until they are unadvised or the control goes.
#pragma once

#include "com/ComPtr.h"

#include <ocidl.h>
#include <olectl.h>

#include <utility>
#include <vector>

namespace korvane::kit {

class EventConnectionPoint final : public IConnectionPoint {
public:
    EventConnectionPoint(IConnectionPointContainer& owner, const IID& eventsIid) : owner_(owner), eventsIid_(eventsIid) {}

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override { return owner_.AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return owner_.Release(); }
    STDMETHODIMP GetConnectionInterface(IID* iid) override;
    STDMETHODIMP GetConnectionPointContainer(IConnectionPointContainer** container) override;
    STDMETHODIMP Advise(IUnknown* sink, DWORD* cookie) override;
    STDMETHODIMP Unadvise(DWORD cookie) override;
    STDMETHODIMP EnumConnections(IEnumConnections**) override { return E_NOTIMPL; }

    // Calls every sink; a sink that advises or unadvises during the call does not disturb the round.
    void Fire(DISPID dispid, DISPPARAMS& params);
    void UnadviseAll() { sinks_.clear(); }

private:
    IConnectionPointContainer& owner_;
    const IID& eventsIid_;
    std::vector<std::pair<DWORD, com::ComPtr<IDispatch>>> sinks_;
    DWORD nextCookie_ = 1;
};

} // namespace korvane::kit
