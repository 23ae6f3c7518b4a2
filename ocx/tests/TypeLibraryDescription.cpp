#include "TypeLibraryDescription.h"

#include <oleauto.h>

#include <cstdio>

namespace TypeLibraryDescription {
namespace {

std::string TextOf(const BstrHolder& text)
{
    return Narrow(text.Text());
}

std::string LibraryNameOf(ITypeInfo* info)
{
    ComReference<ITypeLib> library;
    UINT index = 0;
    if (FAILED(info->GetContainingTypeLib(library.Out(), &index)))
        return "?";
    BstrHolder name;
    if (FAILED(library->GetDocumentation(-1, name.Out(), nullptr, nullptr, nullptr)))
        return "?";
    return TextOf(name);
}

std::string BaseTypeText(VARTYPE type)
{
    switch (type) {
    case VT_I2: return "I2";
    case VT_I4: return "I4";
    case VT_R4: return "R4";
    case VT_R8: return "R8";
    case VT_BOOL: return "BOOL";
    case VT_BSTR: return "BSTR";
    case VT_VARIANT: return "VARIANT";
    case VT_UNKNOWN: return "IUnknown*";
    case VT_DISPATCH: return "IDispatch*";
    case VT_HRESULT: return "HRESULT";
    case VT_VOID: return "void";
    case VT_INT: return "INT";
    case VT_UINT: return "UINT";
    case VT_UI4: return "UI4";
    default: {
        char text[16];
        std::snprintf(text, sizeof text, "VT%u", static_cast<unsigned>(type));
        return text;
    }
    }
}

std::string ParameterText(ITypeInfo* info, const ELEMDESC& parameter, const std::string& name, bool names)
{
    std::string text;
    if (parameter.paramdesc.wParamFlags & PARAMFLAG_FOPT)
        text += "[opt] ";
    text += TypeText(info, parameter.tdesc);
    if (names)
        text += " " + name;
    return text;
}

// The type a pointer points to, as text (the value of an [out, retval] parameter).
std::string PointeeText(ITypeInfo* info, const TYPEDESC& type)
{
    if (type.vt == VT_PTR && type.lptdesc != nullptr)
        return TypeText(info, *type.lptdesc);
    return "not a pointer: " + TypeText(info, type);
}

} // namespace

std::string Narrow(const wchar_t* text)
{
    std::string narrow;
    for (; *text != L'\0'; ++text)
        narrow += *text < 128 ? static_cast<char>(*text) : '?';
    return narrow;
}

std::string GuidText(const GUID& guid)
{
    wchar_t text[40];
    if (StringFromGUID2(guid, text, 40) == 0)
        return "?";
    return Narrow(text);
}

std::string NameOf(ITypeInfo* info, MEMBERID member)
{
    BstrHolder name;
    if (FAILED(info->GetDocumentation(member, name.Out(), nullptr, nullptr, nullptr)))
        return "?";
    return TextOf(name);
}

std::string HelpStringOf(ITypeInfo* info, MEMBERID member)
{
    BstrHolder help;
    if (FAILED(info->GetDocumentation(member, nullptr, help.Out(), nullptr, nullptr)))
        return "?";
    return TextOf(help);
}

std::string TypeText(ITypeInfo* context, const TYPEDESC& type)
{
    if (type.vt == VT_PTR)
        return type.lptdesc != nullptr ? TypeText(context, *type.lptdesc) + "*" : "?*";
    if (type.vt != VT_USERDEFINED)
        return BaseTypeText(type.vt);
    ComReference<ITypeInfo> referenced;
    if (FAILED(context->GetRefTypeInfo(type.hreftype, referenced.Out())))
        return "unresolved";
    const std::string name = NameOf(referenced.Get());
    const std::string library = LibraryNameOf(referenced.Get());
    return library == LibraryNameOf(context) ? name : library + "." + name;
}

std::vector<std::string> ParameterNames(ITypeInfo* info, const FUNCDESC& function)
{
    std::vector<BSTR> names(static_cast<size_t>(function.cParams) + 1, nullptr);
    UINT count = 0;
    std::vector<std::string> result;
    if (SUCCEEDED(info->GetNames(function.memid, names.data(), static_cast<UINT>(names.size()), &count))) {
        for (UINT i = 1; i < count; ++i)
            result.push_back(Narrow(names[i]));
    }
    for (BSTR name : names)
        SysFreeString(name);
    result.resize(static_cast<size_t>(function.cParams));
    return result;
}

std::string FunctionText(ITypeInfo* info, const FUNCDESC& function, bool names)
{
    const std::vector<std::string> parameterNames = ParameterNames(info, function);
    std::vector<std::string> inputs;
    std::string result;
    for (SHORT i = 0; i < function.cParams; ++i) {
        const ELEMDESC& parameter = function.lprgelemdescParam[i];
        if (parameter.paramdesc.wParamFlags & PARAMFLAG_FRETVAL) {
            result = PointeeText(info, parameter.tdesc);
            if (names)
                result += " " + parameterNames[static_cast<size_t>(i)];
        } else {
            inputs.push_back(ParameterText(info, parameter, parameterNames[static_cast<size_t>(i)], names));
        }
    }
    std::string list = "(";
    for (size_t i = 0; i < inputs.size(); ++i)
        list += (i == 0 ? "" : ", ") + inputs[i];
    list += ")";

    switch (function.invkind) {
    case INVOKE_PROPERTYGET:
        return (inputs.empty() ? std::string() : list + " ") + result;
    case INVOKE_PROPERTYPUT:
    case INVOKE_PROPERTYPUTREF:
        return function.cParams > 0 ? TypeText(info, function.lprgelemdescParam[function.cParams - 1].tdesc)
                                    : "no value";
    default:
        return result.empty() ? list : list + " -> " + result;
    }
}

} // namespace TypeLibraryDescription
