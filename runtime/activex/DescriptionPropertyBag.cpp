#include "DescriptionPropertyBag.h"

#include "com/Variant.h"

#include <olectl.h>

#include <algorithm>
#include <cctype>
#include <cmath>

namespace korvane::activex {

namespace {

// What the form and the container read from an element themselves: the class, the saved bytes, the
// place, visibility, tab order, enabling and the tooltip. Colours and the font are the control's too.
const char* const kContainerProperties[] = {"clsid", "progid", "stream", "rect", "hidden", "tab", "notabstop",
                                            "disabled", "tooltip"};

bool SameName(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

com::Variant ValueOf(const forms::DescriptionValue& value)
{
    switch (value.kind) {
    case forms::DescriptionValue::Kind::Number:
        if (std::floor(value.number) == value.number && std::fabs(value.number) <= 2147483647.0)
            return com::Variant::Int32(static_cast<long>(value.number));
        return com::Variant::Double(value.number);
    case forms::DescriptionValue::Kind::Word:
        if (SameName(value.text, "True"))
            return com::Variant::Bool(true);
        if (SameName(value.text, "False"))
            return com::Variant::Bool(false);
        return com::Variant::Text(com::Widen(value.text));
    case forms::DescriptionValue::Kind::Text:
        break;
    }
    return com::Variant::Text(com::Widen(value.text));
}

// A stored picture is the name of a bitmap of the program ("Picture "ExitDoor""): a control that asks for
// an object is given a picture object of its own, owning a fresh copy of that bitmap, as a container that
// keeps pictures beside the form hands each control the picture it saved.
HRESULT ReadPicture(const forms::DescriptionValue& named, VARTYPE asked, VARIANT* value)
{
    if (named.kind == forms::DescriptionValue::Kind::Number)
        return DISP_E_TYPEMISMATCH;
    const auto bitmap = static_cast<HBITMAP>(
        LoadImageA(GetModuleHandleA(nullptr), named.text.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!bitmap)
        return CTL_E_INVALIDPICTURE;
    PICTDESC description = {};
    description.cbSizeofstruct = sizeof description;
    description.picType = PICTYPE_BITMAP;
    description.bmp.hbitmap = bitmap;
    IPictureDisp* picture = nullptr;
    const HRESULT made =
        OleCreatePictureIndirect(&description, IID_IPictureDisp, TRUE, reinterpret_cast<void**>(&picture));
    if (FAILED(made) || !picture) {
        DeleteObject(bitmap);
        return FAILED(made) ? made : E_UNEXPECTED;
    }
    VariantInit(value);
    value->vt = asked;
    if (asked == VT_DISPATCH)
        value->pdispVal = picture;
    else
        value->punkVal = picture;
    return S_OK;
}

} // namespace

bool DescriptionPropertyBag::IsContainerProperty(std::string_view name)
{
    return std::any_of(std::begin(kContainerProperties), std::end(kContainerProperties),
                       [&](const char* reserved) { return SameName(name, reserved); });
}

STDMETHODIMP DescriptionPropertyBag::QueryInterface(REFIID iid, void** out)
{
    return com::AnswerQuery(iid, out, {{&IID_IUnknown, this}, {&IID_IPropertyBag, this}});
}

STDMETHODIMP DescriptionPropertyBag::Read(LPCOLESTR name, VARIANT* value, IErrorLog*)
{
    if (!name || !value)
        return E_POINTER;
    const std::string wanted = com::Narrow(name);
    if (IsContainerProperty(wanted))
        return E_INVALIDARG;
    const auto found = std::find_if(element_.properties.begin(), element_.properties.end(),
                                    [&](const forms::DescriptionProperty& p) { return SameName(p.name, wanted); });
    if (found == element_.properties.end() || found->values.empty())
        return E_INVALIDARG;  // the bag's answer for a property it does not hold
    const VARTYPE asked = value->vt;
    if (asked == VT_UNKNOWN || asked == VT_DISPATCH)
        return ReadPicture(found->values.front(), asked, value);
    com::Variant held = ValueOf(found->values.front());
    if (asked != VT_EMPTY && asked != held.Type()) {
        com::Variant converted;
        if (!held.ConvertTo(asked, converted))
            return DISP_E_TYPEMISMATCH;
        held = std::move(converted);
    }
    VariantInit(value);
    return VariantCopy(value, &held.Get());
}

} // namespace korvane::activex
