#include "PropertyValues.h"

namespace korvane::activex {

com::Variant VariantOf(const forms::PropertyValue& value)
{
    struct Converter {
        com::Variant operator()(std::monostate) const { return {}; }
        com::Variant operator()(bool v) const { return com::Variant::Bool(v); }
        com::Variant operator()(long v) const { return com::Variant::Int32(v); }
        com::Variant operator()(float v) const { return com::Variant::Single(v); }
        com::Variant operator()(double v) const { return com::Variant::Double(v); }
        com::Variant operator()(const std::string& v) const { return com::Variant::Text(com::Widen(v)); }
    };
    return std::visit(Converter{}, value);
}

forms::PropertyValue PropertyValueOf(const com::Variant& value)
{
    switch (value.Type()) {
    case VT_BOOL:
        return value.AsBool();
    case VT_I1:
    case VT_UI1:
    case VT_I2:
    case VT_UI2:
    case VT_I4:
    case VT_UI4:
    case VT_INT:
    case VT_UINT:
        return value.AsInt32();
    case VT_R4:
        return static_cast<float>(value.AsDouble());
    case VT_R8:
    case VT_CY:
    case VT_DATE:
        return value.AsDouble();
    case VT_BSTR:
        return com::Narrow(value.AsText());
    default:
        return std::monostate{};
    }
}

} // namespace korvane::activex
