#include "ControlExtender.h"

#include "ControlContainer.h"
#include "ControlSite.h"
#include "ScreenUnits.h"
#include "UnknownEnumerator.h"
#include "com/Variant.h"

#include <cwctype>

namespace korvane::activex {

// The extender's own members, in a DISPID range of their own; every other DISPID is the control's.
struct ControlExtender::Member {
    const wchar_t* name;
    DISPID dispid;
    HRESULT (ControlExtender::*get)(VARIANT&);
    HRESULT (ControlExtender::*put)(const VARIANT&);
    HRESULT (ControlExtender::*call)();
};

const ControlExtender::Member ControlExtender::kMembers[] = {
    {L"Name", 0x68030000, &ControlExtender::GetName, nullptr, nullptr},
    {L"Visible", 0x68030001, &ControlExtender::GetVisible, &ControlExtender::PutVisible, nullptr},
    {L"Left", 0x68030002, &ControlExtender::GetLeft, &ControlExtender::PutLeft, nullptr},
    {L"Top", 0x68030003, &ControlExtender::GetTop, &ControlExtender::PutTop, nullptr},
    {L"Width", 0x68030004, &ControlExtender::GetWidth, &ControlExtender::PutWidth, nullptr},
    {L"Height", 0x68030005, &ControlExtender::GetHeight, &ControlExtender::PutHeight, nullptr},
    {L"Index", 0x68030006, &ControlExtender::GetIndex, nullptr, nullptr},
    {L"Align", 0x68030007, &ControlExtender::GetAlign, nullptr, nullptr},
    {L"SetFocus", 0x68030008, nullptr, nullptr, &ControlExtender::CallSetFocus},
};

const ControlExtender::Member* ControlExtender::MemberNamed(const wchar_t* name)
{
    for (const auto& member : kMembers)
        if (_wcsicmp(member.name, name) == 0)
            return &member;
    return nullptr;
}

const ControlExtender::Member* ControlExtender::MemberWithId(DISPID dispid)
{
    for (const auto& member : kMembers)
        if (member.dispid == dispid)
            return &member;
    return nullptr;
}

namespace {

HRESULT Give(VARIANT& result, com::Variant value)
{
    VariantInit(&result);
    return VariantCopy(&result, &value.Get());
}

} // namespace

STDMETHODIMP ControlExtender::QueryInterface(REFIID iid, void** out)
{
    IDispatch* dispatch = this;
    IControlEnumeration* enumeration = this;
    return com::AnswerQuery(iid, out,
                            {{&IID_IUnknown, dispatch}, {&IID_IDispatch, dispatch}, {&__uuidof(IControlEnumeration), enumeration}});
}

STDMETHODIMP ControlExtender::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID lcid, DISPID* ids)
{
    if (!names || !ids || count == 0)
        return E_POINTER;
    if (const Member* member = MemberNamed(names[0])) {
        ids[0] = member->dispid;
        for (UINT i = 1; i < count; ++i)
            ids[i] = DISPID_UNKNOWN;
        return count == 1 ? S_OK : DISP_E_UNKNOWNNAME;
    }
    if (!site_ || !site_->Object())
        return DISP_E_UNKNOWNNAME;
    com::ComPtr<IDispatch> control;
    if (FAILED(site_->Object()->QueryInterface(IID_IDispatch, control.PutVoid())))
        return DISP_E_UNKNOWNNAME;
    return control->GetIDsOfNames(IID_NULL, names, count, lcid, ids);
}

STDMETHODIMP ControlExtender::Invoke(DISPID dispid, REFIID, LCID lcid, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* exception, UINT* argumentError)
{
    if (!site_ || !site_->Object())
        return E_UNEXPECTED;
    if (!params)
        return E_POINTER;
    const Member* member = MemberWithId(dispid);
    if (!member) {
        com::ComPtr<IDispatch> control;
        if (FAILED(site_->Object()->QueryInterface(IID_IDispatch, control.PutVoid())))
            return DISP_E_MEMBERNOTFOUND;
        return control->Invoke(dispid, IID_NULL, lcid, flags, params, result, exception, argumentError);
    }
    if (member->call && (flags & DISPATCH_METHOD))
        return (this->*member->call)();
    if (member->get && (flags & DISPATCH_PROPERTYGET)) {
        if (params->cArgs != 0)
            return DISP_E_BADPARAMCOUNT;
        if (result)
            return (this->*member->get)(*result);
        // A caller that wants no result still gets the property read; what was read is freed here.
        com::Variant ignored;
        return (this->*member->get)(ignored.Get());
    }
    if (member->put && (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF))) {
        if (params->cArgs != 1)
            return DISP_E_BADPARAMCOUNT;
        return (this->*member->put)(params->rgvarg[0]);
    }
    return DISP_E_MEMBERNOTFOUND;
}

STDMETHODIMP ControlExtender::EnumControls(DWORD containerFlags, DWORD selector, IEnumUnknown** controls)
{
    return EnumerateControlsFor(site_, containerFlags, selector, controls);
}

HRESULT ControlExtender::GetName(VARIANT& result) { return Give(result, com::Variant::Text(com::Widen(site_->Name()))); }

HRESULT ControlExtender::GetVisible(VARIANT& result) { return Give(result, com::Variant::Bool(site_->Visible())); }

HRESULT ControlExtender::PutVisible(const VARIANT& value)
{
    com::Variant visible;
    if (!com::Variant(value).ConvertTo(VT_BOOL, visible))
        return DISP_E_TYPEMISMATCH;
    site_->SetVisible(visible.Get().boolVal != VARIANT_FALSE);
    return S_OK;
}

HRESULT ControlExtender::GetLeft(VARIANT& result)
{
    return Give(result, com::Variant::Single(PixelsToTwips(site_->Bounds().left, ScreenDensity::OfScreen().x)));
}

HRESULT ControlExtender::GetTop(VARIANT& result)
{
    return Give(result, com::Variant::Single(PixelsToTwips(site_->Bounds().top, ScreenDensity::OfScreen().y)));
}

HRESULT ControlExtender::GetWidth(VARIANT& result)
{
    const RECT& bounds = site_->Bounds();
    return Give(result, com::Variant::Single(PixelsToTwips(bounds.right - bounds.left, ScreenDensity::OfScreen().x)));
}

HRESULT ControlExtender::GetHeight(VARIANT& result)
{
    const RECT& bounds = site_->Bounds();
    return Give(result, com::Variant::Single(PixelsToTwips(bounds.bottom - bounds.top, ScreenDensity::OfScreen().y)));
}

// Moving the left or top edge keeps the size; setting the width or height moves the far edge.
HRESULT ControlExtender::MoveEdge(const VARIANT& twips, LONG RECT::*edge, LONG RECT::*opposite, bool keepSize, int dpi)
{
    com::Variant number;
    if (!com::Variant(twips).ConvertTo(VT_R8, number))
        return DISP_E_TYPEMISMATCH;
    RECT bounds = site_->Bounds();
    const long pixels = TwipsToPixels(number.Get().dblVal, dpi);
    if (keepSize) {
        const LONG size = bounds.*opposite - bounds.*edge;
        bounds.*edge = pixels;
        bounds.*opposite = pixels + size;
    } else {
        if (pixels < 0)
            return CTL_E_INVALIDPROPERTYVALUE;
        bounds.*opposite = bounds.*edge + pixels;
    }
    return site_->Move(bounds);
}

HRESULT ControlExtender::PutLeft(const VARIANT& value)
{
    return MoveEdge(value, &RECT::left, &RECT::right, true, ScreenDensity::OfScreen().x);
}

HRESULT ControlExtender::PutTop(const VARIANT& value)
{
    return MoveEdge(value, &RECT::top, &RECT::bottom, true, ScreenDensity::OfScreen().y);
}

HRESULT ControlExtender::PutWidth(const VARIANT& value)
{
    return MoveEdge(value, &RECT::left, &RECT::right, false, ScreenDensity::OfScreen().x);
}

HRESULT ControlExtender::PutHeight(const VARIANT& value)
{
    return MoveEdge(value, &RECT::top, &RECT::bottom, false, ScreenDensity::OfScreen().y);
}

HRESULT ControlExtender::GetIndex(VARIANT& result)
{
    // A control outside a control array has no index.
    if (!site_->Index())
        return DISP_E_MEMBERNOTFOUND;
    return Give(result, com::Variant::Int16(static_cast<short>(*site_->Index())));
}

// Controls are placed by their rectangles; none is docked to an edge of the form.
HRESULT ControlExtender::GetAlign(VARIANT& result) { return Give(result, com::Variant::Int16(0)); }

HRESULT ControlExtender::CallSetFocus() { return site_->SetFocus(); }

} // namespace korvane::activex
