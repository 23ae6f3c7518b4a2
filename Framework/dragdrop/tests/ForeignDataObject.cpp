#include "ForeignDataObject.h"

#include <cstring>

HRESULT STDMETHODCALLTYPE ForeignDataObject::QueryInterface(REFIID riid, void** object)
{
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDataObject)) {
        *object = static_cast<IDataObject*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

HRESULT STDMETHODCALLTYPE ForeignDataObject::QueryGetData(FORMATETC* format)
{
    const auto offer = offers_.find(format->cfFormat);
    if (offer == offers_.end())
        return S_FALSE;
    return (offer->second.tymed & format->tymed) != 0 ? S_OK : DV_E_TYMED;
}

HRESULT STDMETHODCALLTYPE ForeignDataObject::GetData(FORMATETC* format, STGMEDIUM* medium)
{
    std::memset(medium, 0, sizeof *medium);
    const auto offer = offers_.find(format->cfFormat);
    if (offer == offers_.end())
        return DV_E_FORMATETC;
    return offer->second.provider(medium);
}

HGLOBAL GlobalBytes(const void* bytes, SIZE_T size)
{
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    std::memcpy(GlobalLock(memory), bytes, size);
    GlobalUnlock(memory);
    return memory;
}
