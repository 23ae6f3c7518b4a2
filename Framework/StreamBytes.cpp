#include "StreamBytes.h"

HRESULT ReadExactly(IStream* stream, void* buffer, ULONG size)
{
    if (stream == nullptr)
        return E_POINTER;
    ULONG read = 0;
    const HRESULT hr = stream->Read(buffer, size, &read);
    if (FAILED(hr))
        return hr;
    return read == size ? S_OK : STG_E_READFAULT;
}

HRESULT WriteExactly(IStream* stream, const void* buffer, ULONG size)
{
    if (stream == nullptr)
        return E_POINTER;
    ULONG written = 0;
    const HRESULT hr = stream->Write(buffer, size, &written);
    if (FAILED(hr))
        return hr;
    return written == size ? S_OK : STG_E_WRITEFAULT;
}
