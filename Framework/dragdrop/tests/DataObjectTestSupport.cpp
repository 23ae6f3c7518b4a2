#include "DataObjectTestSupport.h"

#include "DragDropErrors.h"

#include <oleauto.h>

class OwnerStandIn::ControlStandIn final : public AutomationObject {
public:
    ControlStandIn() : AutomationObject(nullptr, ControlTestRow, nullptr) {}
};

OwnerStandIn::OwnerStandIn() : control_(new ControlStandIn) {}

OwnerStandIn::~OwnerStandIn()
{
    control_->PrivateUnknown()->Release();
}

HRESULT OwnerStandIn::RaiseError(int number)
{
    return DragDropErrors::Raise(*control_, number);
}

void OwnerStandIn::FireOLESetData(IQvDataObject** data, short* format)
{
    ++setDataEvents;
    if (onSetData)
        onSetData(*data, *format);
}

IUnknown* OwnerStandIn::Control()
{
    if (controlInstead != nullptr)
        return controlInstead;
    return control_->PrivateUnknown();
}

CallResult::CallResult()
{
    VariantInit(&value);
}

CallResult::~CallResult()
{
    VariantClear(&value);
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
}

CallResult::CallResult(CallResult&& other) noexcept : hr(other.hr), value(other.value), exception(other.exception)
{
    VariantInit(&other.value);
    other.exception = EXCEPINFO{};
}

std::wstring CallResult::Description() const
{
    return exception.bstrDescription != nullptr ? std::wstring(exception.bstrDescription) : std::wstring();
}

CallResult CallByName(IUnknown* object, const wchar_t* name, WORD flags, std::vector<VARIANT> arguments)
{
    CallResult result;
    ComReference<IDispatch> dispatch;
    result.hr = object->QueryInterface(IID_IDispatch, dispatch.OutVoid());
    if (FAILED(result.hr)) {
        ClearArguments(arguments);
        return result;
    }
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    DISPID dispid = 0;
    result.hr = dispatch->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &dispid);
    if (FAILED(result.hr)) {
        ClearArguments(arguments);
        return result;
    }
    // Invoke takes the arguments last first.
    std::vector<VARIANT> reversed(arguments.rbegin(), arguments.rend());
    DISPPARAMS params{reversed.empty() ? nullptr : reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    DISPID put = DISPID_PROPERTYPUT;
    if (flags & DISPATCH_PROPERTYPUT) {
        params.rgdispidNamedArgs = &put;
        params.cNamedArgs = 1;
    }
    UINT argumentError = 0;
    result.hr = dispatch->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, &result.value,
                                 &result.exception, &argumentError);
    ClearArguments(arguments);
    return result;
}

VARIANT Text(const wchar_t* text)
{
    VARIANT value;
    VariantInit(&value);
    V_VT(&value) = VT_BSTR;
    V_BSTR(&value) = SysAllocString(text);
    return value;
}

VARIANT Number(short number)
{
    VARIANT value;
    VariantInit(&value);
    V_VT(&value) = VT_I2;
    V_I2(&value) = number;
    return value;
}

VARIANT Long(LONG number)
{
    VARIANT value;
    VariantInit(&value);
    V_VT(&value) = VT_I4;
    V_I4(&value) = number;
    return value;
}

VARIANT Missing()
{
    VARIANT value;
    VariantInit(&value);
    V_VT(&value) = VT_ERROR;
    V_ERROR(&value) = DISP_E_PARAMNOTFOUND;
    return value;
}

VARIANT Object(IUnknown* object)
{
    VARIANT value;
    VariantInit(&value);
    V_VT(&value) = VT_UNKNOWN;
    V_UNKNOWN(&value) = object;
    object->AddRef();
    return value;
}

VARIANT Bytes(const std::vector<unsigned char>& bytes)
{
    VARIANT value;
    VariantInit(&value);
    SAFEARRAY* array = SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(bytes.size()));
    if (!bytes.empty())
        memcpy(array->pvData, bytes.data(), bytes.size());
    V_VT(&value) = VT_ARRAY | VT_UI1;
    V_ARRAY(&value) = array;
    return value;
}

void ClearArguments(std::vector<VARIANT>& arguments)
{
    for (VARIANT& argument : arguments)
        VariantClear(&argument);
}

ErrorInfoFacts TakeErrorInfo()
{
    ErrorInfoFacts facts;
    ComReference<IErrorInfo> info;
    if (GetErrorInfo(0, info.Out()) != S_OK || !info)
        return facts;
    facts.present = true;
    info->GetGUID(&facts.guid);
    BSTR text = nullptr;
    if (SUCCEEDED(info->GetSource(&text)) && text != nullptr)
        facts.source = text;
    SysFreeString(text);
    text = nullptr;
    if (SUCCEEDED(info->GetDescription(&text)) && text != nullptr)
        facts.description = text;
    SysFreeString(text);
    info->GetHelpContext(&facts.helpContext);
    return facts;
}
