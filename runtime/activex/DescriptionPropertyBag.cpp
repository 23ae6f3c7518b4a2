#include "DescriptionPropertyBag.h"

#include "com/Variant.h"

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

} // namespace

bool DescriptionPropertyBag::IsContainerProperty(std::string_view name)
{
    return std::any_of(std::begin(kContainerProperties), std::end(kContainerProperties),
                       [&](const char* reserved) { return SameName(name, reserved); });
}

STDMETHODIMP DescriptionPropertyBag::QueryInterface(REFIID iid, void** out)
{
    if (!out)
        return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IPropertyBag)) {
        *out = static_cast<IPropertyBag*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) DescriptionPropertyBag::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&references_)); }

STDMETHODIMP_(ULONG) DescriptionPropertyBag::Release()
{
    LONG left = InterlockedDecrement(&references_);
    if (left == 0)
        delete this;
    return static_cast<ULONG>(left);
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
    com::Variant held = ValueOf(found->values.front());
    const VARTYPE asked = value->vt;
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
