// IDispatch of an object that resolves its names itself and has no type information to give.
#pragma once

#include <oaidl.h>

namespace korvane::com {

class UntypedDispatch : public IDispatch {
public:
    STDMETHODIMP GetTypeInfoCount(UINT* count) override
    {
        if (!count)
            return E_POINTER;
        *count = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** info) override
    {
        if (info)
            *info = nullptr;
        return E_NOTIMPL;
    }
};

} // namespace korvane::com
