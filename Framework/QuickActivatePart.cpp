// IQuickActivate of the control: a container hands over its site, sinks and locale in one call.
#include <cstddef>

#include "LibraryLocale.h"
#include "OleControl.h"

// QACONTAINER as far as pBindHost: what older containers pass; later fields are not read.
constexpr ULONG QuickActivateContainerMinimumSize = offsetof(QACONTAINER, pBindHost) + sizeof(IBindHost*);
#if defined(__i386__)
static_assert(QuickActivateContainerMinimumSize == 56, "the 32-bit QACONTAINER up to pBindHost is 56 bytes");
#endif
static_assert(sizeof(QACONTROL) == 24, "QACONTROL is six 32-bit fields");

HRESULT STDMETHODCALLTYPE OleControl::QuickActivatePart::QuickActivate(QACONTAINER* container, QACONTROL* info)
{
    if (container == nullptr || info == nullptr || container->cbSize < QuickActivateContainerMinimumSize ||
        info->cbSize < sizeof(QACONTROL))
        return E_UNEXPECTED;
    HRESULT hr = S_OK;
    if (container->pClientSite != nullptr) {
        hr = control.oleObject_.SetClientSite(container->pClientSite);
        if (FAILED(hr))
            return hr;
    }
    if (container->lcid != 0)
        LibraryLocale::Set(static_cast<LCID>(container->lcid));
    if (container->dwAmbientFlags & QACONTAINER_MESSAGEREFLECT)
        control.ambientFlags_ |= AmbientContainerReflects | AmbientMessageReflectRead;
    // What is made here is undone again when a later step fails: a container that then activates the
    // control the ordinary way connects once more.
    info->dwPropNotifyCookie = 0;
    info->dwEventCookie = 0;
    bool adviseSet = false;
    auto undo = [&](HRESULT failure) {
        if (adviseSet)
            control.viewObject_.SetAdvise(DVASPECT_CONTENT, 0, nullptr);
        if (info->dwEventCookie != 0)
            control.EventsPoint().Unadvise(info->dwEventCookie);
        if (info->dwPropNotifyCookie != 0)
            control.PropertyNotifyPoint().Unadvise(info->dwPropNotifyCookie);
        info->dwEventCookie = 0;
        info->dwPropNotifyCookie = 0;
        return failure;
    };
    if (container->pPropertyNotifySink != nullptr) {
        hr = control.PropertyNotifyPoint().Advise(container->pPropertyNotifySink, &info->dwPropNotifyCookie);
        if (FAILED(hr)) {
            info->dwPropNotifyCookie = 0;
            return undo(hr);
        }
    }
    if (container->pUnkEventSink != nullptr) {
        hr = control.EventsPoint().Advise(container->pUnkEventSink, &info->dwEventCookie);
        if (FAILED(hr)) {
            info->dwEventCookie = 0;
            return undo(hr);
        }
    }
    if (container->pAdviseSink != nullptr) {
        hr = control.viewObject_.SetAdvise(DVASPECT_CONTENT, 0, container->pAdviseSink);
        if (FAILED(hr))
            return undo(hr);
        adviseSet = true;
    }
    const ControlDescriptor& row = control.ControlRow();
    info->dwMiscStatus = row.miscStatus;
    info->dwViewStatus = row.opaque != 0 ? VIEWSTATUS_OPAQUE : 0;
    info->dwPointerActivationPolicy = row.activationPolicy;
    hr = control.OnQuickActivate(container, &info->dwViewStatus);
    return FAILED(hr) ? undo(hr) : hr;
}

HRESULT STDMETHODCALLTYPE OleControl::QuickActivatePart::SetContentExtent(LPSIZEL size)
{
    return control.oleObject_.SetExtent(DVASPECT_CONTENT, size);
}

HRESULT STDMETHODCALLTYPE OleControl::QuickActivatePart::GetContentExtent(LPSIZEL size)
{
    return control.oleObject_.GetExtent(DVASPECT_CONTENT, size);
}
