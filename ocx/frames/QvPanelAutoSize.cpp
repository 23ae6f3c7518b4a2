// The panel's auto-size, run at paint: the panel's width or height follows its caption, or its one
// contained control (or child window) is fitted to its interior and the panel to that control.
#include "QvPanel.h"

#include "ComReference.h"
#include "ContainerControls.h"
#include "DispatchByName.h"
#include "Himetric.h"
#include "UnitConversions.h"

namespace plyx {

namespace {

// Set while the panel writes a contained control's extender, for every panel of the library: the
// writes move the child, and the child's own notices must not start another fit.
bool g_childSizing = false;

// A scope that marks a flag for its lifetime.
class FlagScope {
public:
    explicit FlagScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~FlagScope() { flag_ = false; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& flag_;
};

bool ReadTwips(IDispatch* extender, const wchar_t* name, LONG* pixels, bool horizontal)
{
    VARIANT value;
    VariantInit(&value);
    if (!DispatchGetByName(extender, name, &value))
        return false;
    const bool read = SUCCEEDED(VariantChangeType(&value, &value, 0, VT_R4));
    if (read) {
        const LONG twips = static_cast<LONG>(value.fltVal);
        *pixels = horizontal ? TwipsToPixelsX(twips) : TwipsToPixelsY(twips);
    }
    VariantClear(&value);
    return read;
}

bool WriteTwips(IDispatch* extender, const wchar_t* name, LONG pixels, bool horizontal)
{
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_R4;
    value.fltVal = static_cast<float>(horizontal ? PixelsToTwipsX(pixels) : PixelsToTwipsY(pixels));
    return DispatchPutByName(extender, name, value);
}

// The extended control of a control's site.
void ExtenderOf(IUnknown* control, ComReference<IDispatch>& extender)
{
    ComReference<IOleObject> object;
    ComReference<IOleClientSite> site;
    ComReference<IOleControlSite> controlSite;
    if (SUCCEEDED(control->QueryInterface(IID_IOleObject, object.OutVoid())) &&
        SUCCEEDED(object->GetClientSite(site.Out())) && site &&
        SUCCEEDED(site->QueryInterface(IID_IOleControlSite, controlSite.OutVoid())))
        controlSite->GetExtendedControl(extender.Out());
}

} // namespace

bool QvPanel::ExtenderAligned()
{
    if (ControlSite() == nullptr)
        return false;
    ComReference<IDispatch> extender;
    if (FAILED(ControlSite()->GetExtendedControl(extender.Out())) || !extender)
        return false;
    VARIANT value;
    VariantInit(&value);
    if (!DispatchGetByName(extender.Get(), L"Align", &value))
        return false;
    const bool aligned = SUCCEEDED(VariantChangeType(&value, &value, 0, VT_I4)) && value.lVal != 0;
    VariantClear(&value);
    return aligned;
}

void QvPanel::RememberPosition()
{
    const HWND window = GetOuterWindow();
    if (window == nullptr || GetParent(window) == nullptr)
        return;
    RECT rect;
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    position_ = {rect.left, rect.top};
    size_ = {rect.right - rect.left, rect.bottom - rect.top};
    if (!positionTaken_) {
        rememberedPosition_ = position_;
        positionTaken_ = true;
    }
}

void QvPanel::MoveTo(LONG width, LONG height)
{
    RememberPosition();
    RECT rect = {rememberedPosition_.x, rememberedPosition_.y, rememberedPosition_.x + width,
                 rememberedPosition_.y + height};
    // The new size becomes the extent first, so that the window, the extent and the saved state agree;
    // the site is then told the new place (placing a control moves it, its extent sizes it).
    ComReference<IOleObject> object;
    if (SUCCEEDED(InternalQueryInterface(IID_IOleObject, object.OutVoid()))) {
        SIZEL pixels = {width, height};
        SIZEL himetric = {};
        PixelsToHimetric(&pixels, &himetric);
        object->SetExtent(DVASPECT_CONTENT, &himetric);
    }
    ComReference<IOleInPlaceSite> site;
    if (ClientSite() != nullptr && SUCCEEDED(ClientSite()->QueryInterface(IID_IOleInPlaceSite, site.OutVoid())))
        site->OnPosRectChange(&rect);
    else if (GetOuterWindow() != nullptr)
        SetWindowPos(GetOuterWindow(), nullptr, rect.left, rect.top, width, height,
                     SWP_NOACTIVATE | SWP_NOZORDER);
}

void QvPanel::AutoSize(HDC dc, const RECT& bounds)
{
    // The resize below repaints the panel, which comes back here; one resize at a time.
    if (autoSizing_ || g_childSizing || ExtenderAligned())
        return;
    FlagScope sizing(autoSizing_);
    if (block_.autoSize == ChildToPanel)
        SizeChildToInterior(bounds);
    else
        SizeToCaption(dc, bounds);
}

void QvPanel::SizeToCaption(HDC dc, const RECT& bounds)
{
    if (Caption().IsEmpty())
        return;
    const RECT interior = Interior(bounds);
    RECT measured = interior;
    HFONT font = nullptr;
    if (Font() != nullptr)
        Font()->get_hFont(&font);
    const HGDIOBJ previous = font != nullptr ? SelectObject(dc, font) : nullptr;
    const UINT wrap = block_.autoSize == WidthToCaption ? DT_SINGLELINE : DT_WORDBREAK;
    DrawTextA(dc, Caption().Text(), -1, &measured, DT_CALCRECT | DT_CENTER | wrap);
    if (previous != nullptr)
        SelectObject(dc, previous);
    measured.bottom += 1;
    const LONG width = bounds.right - bounds.left;
    const LONG height = bounds.bottom - bounds.top;
    if (block_.autoSize == WidthToCaption && measured.right != interior.right)
        MoveTo(width + measured.right - interior.right, height);
    else if (block_.autoSize == HeightToCaption && measured.bottom != interior.bottom)
        MoveTo(width, height + measured.bottom - interior.bottom);
}

void QvPanel::SizeChildToInterior(const RECT& bounds)
{
    const RECT interior = Interior(bounds);
    const LONG width = interior.right - interior.left;
    const LONG height = interior.bottom - interior.top;

    // The one control inside, from the container's list of the controls this one contains.
    ComReference<IUnknown> child;
    bool listed = false;
    ComReference<IOleContainer> container;
    ComReference<IContainerControls> controls;
    ComReference<IEnumUnknown> found;
    if (ClientSite() != nullptr && SUCCEEDED(ClientSite()->GetContainer(container.Out())) && container &&
        SUCCEEDED(container->QueryInterface(__uuidof(IContainerControls), controls.OutVoid())) &&
        SUCCEEDED(controls->EnumControls(ContainedControlFlags, ContainedControlsSelector, found.Out())) && found) {
        listed = true;
        IUnknown* first[2] = {nullptr, nullptr};
        ULONG count = 0;
        found->Next(2, first, &count);
        if (count == 1)
            *child.Out() = first[0];
        else
            for (ULONG index = 0; index < count; ++index)
                first[index]->Release();
    }

    if (listed) {
        if (!child)
            return;
        ComReference<IDispatch> extender;
        ExtenderOf(child.Get(), extender);
        if (!extender)
            return;
        LONG left = 0, top = 0, childWidth = 0, childHeight = 0;
        if (!ReadTwips(extender.Get(), L"Left", &left, true) || !ReadTwips(extender.Get(), L"Top", &top, false) ||
            !ReadTwips(extender.Get(), L"Width", &childWidth, true) ||
            !ReadTwips(extender.Get(), L"Height", &childHeight, false))
            return;
        if (left != interior.left || top != interior.top || childWidth != width || childHeight != height) {
            FlagScope childSizing(g_childSizing);
            WriteTwips(extender.Get(), L"Left", interior.left, true);
            WriteTwips(extender.Get(), L"Top", interior.top, false);
            WriteTwips(extender.Get(), L"Width", width, true);
            WriteTwips(extender.Get(), L"Height", height, false);
        }
        // A child that keeps its own size gets a panel around it instead.
        if (ReadTwips(extender.Get(), L"Width", &childWidth, true) &&
            ReadTwips(extender.Get(), L"Height", &childHeight, false) &&
            (childWidth != width || childHeight != height))
            MoveTo(bounds.right - bounds.left + childWidth - width, bounds.bottom - bounds.top + childHeight - height);
        return;
    }

    // Without the container's list: the panel's one child window.
    const HWND window = ControlWindow();
    if (window == nullptr)
        return;
    const HWND first = GetWindow(window, GW_CHILD);
    if (first == nullptr || GetWindow(first, GW_HWNDNEXT) != nullptr)
        return;
    SetWindowPos(first, nullptr, interior.left, interior.top, width, height, SWP_NOACTIVATE | SWP_NOZORDER);
    RECT actual;
    GetWindowRect(first, &actual);
    const LONG actualWidth = actual.right - actual.left;
    const LONG actualHeight = actual.bottom - actual.top;
    if (actualWidth != width || actualHeight != height)
        MoveTo(bounds.right - bounds.left + actualWidth - width, bounds.bottom - bounds.top + actualHeight - height);
}

} // namespace plyx
