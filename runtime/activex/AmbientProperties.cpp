// The ambient properties a form offers its controls, read through the site's IDispatch.
#include "ControlContainer.h"
#include "ControlSite.h"

#include <cwchar>

namespace korvane::activex {

namespace {

struct Ambient {
    const wchar_t* name;
    DISPID dispid;
    com::Variant (*read)(const ControlSite& site, const AmbientSettings& settings);
};

com::Variant AmbientFont(const ControlSite&, const AmbientSettings& settings)
{
    const std::wstring name = com::Widen(settings.fontName);
    FONTDESC description = {};
    description.cbSizeofstruct = sizeof description;
    description.lpstrName = const_cast<LPOLESTR>(name.c_str());
    description.cySize.int64 = static_cast<LONGLONG>(settings.fontPoints * 10000 + 0.5);
    description.sWeight = static_cast<SHORT>(settings.fontBold ? FW_BOLD : FW_NORMAL);
    description.sCharset = DEFAULT_CHARSET;
    description.fItalic = settings.fontItalic;
    com::Variant font;
    // Each reader gets a font of its own: a control may change the one it was given.
    if (SUCCEEDED(OleCreateFontIndirect(&description, IID_IFontDisp, reinterpret_cast<void**>(&font.Get().pdispVal))))
        font.Get().vt = VT_DISPATCH;
    return font;
}

com::Variant Color(OLE_COLOR color) { return com::Variant::Int32(static_cast<long>(color)); }

const Ambient kAmbients[] = {
    {L"UserMode", DISPID_AMBIENT_USERMODE, [](const ControlSite&, const AmbientSettings& s) { return com::Variant::Bool(s.userMode); }},
    {L"UIDead", DISPID_AMBIENT_UIDEAD, [](const ControlSite&, const AmbientSettings&) { return com::Variant::Bool(false); }},
    {L"ShowGrabHandles", DISPID_AMBIENT_SHOWGRABHANDLES, [](const ControlSite&, const AmbientSettings&) { return com::Variant::Bool(false); }},
    {L"ShowHatching", DISPID_AMBIENT_SHOWHATCHING, [](const ControlSite&, const AmbientSettings&) { return com::Variant::Bool(false); }},
    // No control of the forms is the default button that Enter presses.
    {L"DisplayAsDefault", DISPID_AMBIENT_DISPLAYASDEFAULT, [](const ControlSite&, const AmbientSettings&) { return com::Variant::Bool(false); }},
    {L"Font", DISPID_AMBIENT_FONT, AmbientFont},
    {L"ForeColor", DISPID_AMBIENT_FORECOLOR, [](const ControlSite&, const AmbientSettings& s) { return Color(s.foreColor); }},
    {L"BackColor", DISPID_AMBIENT_BACKCOLOR, [](const ControlSite&, const AmbientSettings& s) { return Color(s.backColor); }},
    {L"LocaleID", DISPID_AMBIENT_LOCALEID, [](const ControlSite&, const AmbientSettings& s) { return com::Variant::Int32(static_cast<long>(s.locale)); }},
    // The form does not reflect its children's notifications back to them.
    {L"MessageReflect", DISPID_AMBIENT_MESSAGEREFLECT, [](const ControlSite&, const AmbientSettings&) { return com::Variant::Bool(false); }},
    {L"SupportsMnemonics", DISPID_AMBIENT_SUPPORTSMNEMONICS, [](const ControlSite&, const AmbientSettings&) { return com::Variant::Bool(true); }},
    {L"DisplayName", DISPID_AMBIENT_DISPLAYNAME, [](const ControlSite& site, const AmbientSettings&) { return com::Variant::Text(com::Widen(site.Name())); }},
};

} // namespace

STDMETHODIMP ControlSite::GetTypeInfoCount(UINT* count)
{
    if (!count)
        return E_POINTER;
    *count = 0;
    return S_OK;
}

STDMETHODIMP ControlSite::GetTypeInfo(UINT, LCID, ITypeInfo** info)
{
    if (info)
        *info = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP ControlSite::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids)
{
    if (!names || !ids || count == 0)
        return E_POINTER;
    for (UINT i = 0; i < count; ++i)
        ids[i] = DISPID_UNKNOWN;
    for (const Ambient& ambient : kAmbients) {
        if (_wcsicmp(ambient.name, names[0]) == 0) {
            ids[0] = ambient.dispid;
            return count == 1 ? S_OK : DISP_E_UNKNOWNNAME;
        }
    }
    return DISP_E_UNKNOWNNAME;
}

STDMETHODIMP ControlSite::Invoke(DISPID dispid, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                 EXCEPINFO*, UINT*)
{
    if (!(flags & DISPATCH_PROPERTYGET))
        return DISP_E_MEMBERNOTFOUND;  // ambients are read only
    if (params && params->cArgs != 0)
        return DISP_E_BADPARAMCOUNT;
    if (!result)
        return E_POINTER;
    if (!container_)
        return E_UNEXPECTED;
    for (const Ambient& ambient : kAmbients) {
        if (ambient.dispid == dispid) {
            com::Variant value = ambient.read(*this, container_->Ambients());
            VariantInit(result);
            return VariantCopy(result, &value.Get());
        }
    }
    return DISP_E_MEMBERNOTFOUND;
}

} // namespace korvane::activex
