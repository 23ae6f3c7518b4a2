// IViewObjectEx of the control: drawing into a container's device context, view advise, extent,
// rectangle, view status and hit tests.
#include "Himetric.h"
#include "OleControl.h"
#include "TargetDevice.h"

#include <optional>

namespace {

// Draw paints in device units: the container's mapping and origins are set aside for the drawing and
// its whole DC state is put back afterwards (mapping mode, extents and origins included).
class DeviceUnitsScope {
public:
    DeviceUnitsScope(HDC dc, RECT* rect) : dc_(dc)
    {
        LPtoDP(dc_, reinterpret_cast<POINT*>(rect), 2);
        saved_ = SaveDC(dc_);
        SetViewportOrgEx(dc_, 0, 0, nullptr);
        SetWindowOrgEx(dc_, 0, 0, nullptr);
        SetMapMode(dc_, MM_TEXT);
    }
    ~DeviceUnitsScope()
    {
        if (saved_ != 0)
            RestoreDC(dc_, saved_);
    }
    DeviceUnitsScope(const DeviceUnitsScope&) = delete;
    DeviceUnitsScope& operator=(const DeviceUnitsScope&) = delete;

private:
    HDC dc_;
    int saved_ = 0;
};

RECT ToRect(const RECTL& rect)
{
    return RECT{rect.left, rect.top, rect.right, rect.bottom};
}

bool DrawableAspect(DWORD aspect)
{
    return aspect == DVASPECT_CONTENT || aspect == DVASPECT_OPAQUE || aspect == DVASPECT_TRANSPARENT;
}

} // namespace

HRESULT STDMETHODCALLTYPE OleControl::ViewObjectPart::Draw(DWORD aspect, LONG, void* aspectInfo,
                                                           DVTARGETDEVICE* targetDevice, HDC targetDC, HDC drawDC,
                                                           LPCRECTL bounds, LPCRECTL metafileBounds,
                                                           BOOL(STDMETHODCALLTYPE*)(ULONG_PTR), ULONG_PTR)
{
    // A control with a window paints itself there.
    if (control.controlWindow_ != nullptr)
        return S_OK;
    if (!DrawableAspect(aspect))
        return DV_E_DVASPECT;
    if (drawDC == nullptr)
        return E_INVALIDARG;

    const bool metafile = GetDeviceCaps(drawDC, TECHNOLOGY) == DT_METAFILE;
    HDC ownTargetDC = nullptr;
    if (metafile && targetDC == nullptr) {
        ownTargetDC = CreateTargetDC(targetDevice);
        targetDC = ownTargetDC;
    }
    BOOL optimise = FALSE;
    const auto* info = static_cast<const DVASPECTINFO*>(aspectInfo);
    if (info != nullptr && info->cb == sizeof(DVASPECTINFO))
        optimise = (info->dwFlags & DVASPECTINFOFLAG_CANOPTIMIZE) != 0;

    RECT rect = control.positionRect_;
    HRESULT result = S_OK;
    {
        // The container's DC is given back as it came, whether the control is active or not.
        std::optional<DeviceUnitsScope> deviceUnits;
        if (bounds != nullptr) {
            rect = ToRect(*bounds);
            if (!metafile)
                deviceUnits.emplace(drawDC, &rect);
        }
        if (GetClipBox(drawDC, &control.paintRect_) == NULLREGION || IsRectEmpty(&control.paintRect_))
            control.paintRect_ = rect;
        RECT metafileRect = {};
        if (metafileBounds != nullptr)
            metafileRect = ToRect(*metafileBounds);
        result = control.OnDraw(aspect, drawDC, &rect, metafileBounds != nullptr ? &metafileRect : nullptr, targetDC,
                                optimise);
    }
    if (ownTargetDC != nullptr)
        DeleteDC(ownTargetDC);
    return result;
}

HRESULT STDMETHODCALLTYPE OleControl::ViewObjectPart::GetColorSet(DWORD aspect, LONG, void*, DVTARGETDEVICE*,
                                                                  HDC targetDC, LOGPALETTE** colorSet)
{
    if (aspect != DVASPECT_CONTENT)
        return DV_E_DVASPECT;
    if (colorSet == nullptr)
        return E_POINTER;
    *colorSet = nullptr;
    if (!control.OnGetPalette(targetDC, colorSet))
        return E_NOTIMPL;
    return *colorSet != nullptr ? S_OK : S_FALSE;
}

HRESULT STDMETHODCALLTYPE OleControl::ViewObjectPart::Freeze(DWORD, LONG, void*, DWORD*) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE OleControl::ViewObjectPart::Unfreeze(DWORD) { return E_NOTIMPL; }

HRESULT STDMETHODCALLTYPE OleControl::ViewObjectPart::SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink)
{
    if (!(aspects & DVASPECT_CONTENT))
        return DV_E_DVASPECT;
    if (flags & ADVF_PRIMEFIRST)
        control.ambientFlags_ |= AmbientAdvisePrimeFirst;
    else
        control.ambientFlags_ &= ~AmbientAdvisePrimeFirst;
    if (flags & ADVF_ONLYONCE)
        control.ambientFlags_ |= AmbientAdviseOnlyOnce;
    else
        control.ambientFlags_ &= ~AmbientAdviseOnlyOnce;
    if (sink != nullptr)
        sink->AddRef();
    IAdviseSink* old = control.viewAdviseSink_;
    control.viewAdviseSink_ = sink;
    if (old != nullptr)
        old->Release();
    if (flags & ADVF_PRIMEFIRST)
        control.ViewChanged();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE OleControl::ViewObjectPart::GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink)
{
    if (aspects != nullptr)
        *aspects = DVASPECT_CONTENT;
    if (flags != nullptr) {
        *flags = 0;
        if (control.ambientFlags_ & AmbientAdviseOnlyOnce)
            *flags |= ADVF_ONLYONCE;
        if (control.ambientFlags_ & AmbientAdvisePrimeFirst)
            *flags |= ADVF_PRIMEFIRST;
    }
    if (sink != nullptr) {
        *sink = control.viewAdviseSink_;
        if (*sink != nullptr)
            (*sink)->AddRef();
    }
    return S_OK;
}

HRESULT STDMETHODCALLTYPE OleControl::ViewObjectPart::GetExtent(DWORD aspect, LONG, DVTARGETDEVICE*, LPSIZEL size)
{
    return control.oleObject_.GetExtent(aspect, size);
}

HRESULT STDMETHODCALLTYPE OleControl::ViewObjectPart::GetRect(DWORD aspect, LPRECTL rect)
{
    if (rect == nullptr)
        return E_POINTER;
    RECT pixels = {};
    if (!control.OnGetRect(aspect, &pixels))
        return DV_E_DVASPECT;
    const SIZEL topLeft = {pixels.left, pixels.top};
    const SIZEL bottomRight = {pixels.right, pixels.bottom};
    SIZEL himetric = {};
    PixelsToHimetric(&topLeft, &himetric);
    rect->left = himetric.cx;
    rect->top = himetric.cy;
    PixelsToHimetric(&bottomRight, &himetric);
    rect->right = himetric.cx;
    rect->bottom = himetric.cy;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE OleControl::ViewObjectPart::GetViewStatus(DWORD* status)
{
    if (status == nullptr)
        return E_POINTER;
    *status = control.ControlRow().opaque != 0 ? VIEWSTATUS_OPAQUE : 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE OleControl::ViewObjectPart::QueryHitPoint(DWORD aspect, LPCRECT bounds, POINT point, LONG,
                                                                    DWORD* result)
{
    if (aspect != DVASPECT_CONTENT)
        return DV_E_DVASPECT;
    if (bounds == nullptr || result == nullptr)
        return E_POINTER;
    *result = PtInRect(bounds, point) ? HITRESULT_HIT : HITRESULT_OUTSIDE;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE OleControl::ViewObjectPart::QueryHitRect(DWORD aspect, LPCRECT bounds, LPCRECT testRect,
                                                                   LONG, DWORD* result)
{
    if (aspect != DVASPECT_CONTENT)
        return DV_E_DVASPECT;
    if (bounds == nullptr || testRect == nullptr || result == nullptr)
        return E_POINTER;
    RECT common = {};
    *result = IntersectRect(&common, bounds, testRect) ? HITRESULT_HIT : HITRESULT_OUTSIDE;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE OleControl::ViewObjectPart::GetNaturalExtent(DWORD, LONG, DVTARGETDEVICE*, HDC,
                                                                       DVEXTENTINFO*, LPSIZEL)
{
    return E_NOTIMPL;
}
