#include "StreamString.h"

#include "AnsiString.h"
#include "Module.h"
#include "StreamBytes.h"

namespace {

// Conversions of short texts use a buffer on the stack.
constexpr int StackTextBuffer = 120;

HRESULT WriteLengthAndBytes(IStream* stream, const char* bytes, unsigned int length)
{
    if (length > MaxStreamStringLength)
        return E_INVALIDARG;
    const BYTE field[2] = {BYTE(length & 0xFF), BYTE(length >> 8)};
    HRESULT hr = WriteExactly(stream, field, sizeof field);
    if (SUCCEEDED(hr) && length > 0)
        hr = WriteExactly(stream, bytes, length);
    return hr;
}

// The stored length, refused when negative.
HRESULT ReadLength(IStream* stream, unsigned int* length)
{
    BYTE field[2] = {};
    const HRESULT hr = ReadExactly(stream, field, sizeof field);
    if (FAILED(hr))
        return hr;
    const SHORT stored = SHORT(USHORT(field[0] | (field[1] << 8)));
    if (stored < 0)
        return STG_E_READFAULT;
    *length = unsigned(stored);
    return S_OK;
}

// A process-heap buffer of the stored bytes of one stream string.
class StoredBytes {
public:
    StoredBytes() = default;
    ~StoredBytes() { Module::Free(bytes_); }
    StoredBytes(const StoredBytes&) = delete;
    StoredBytes& operator=(const StoredBytes&) = delete;

    HRESULT Read(IStream* stream)
    {
        HRESULT hr = ReadLength(stream, &length_);
        if (FAILED(hr) || length_ == 0)
            return hr;
        bytes_ = static_cast<char*>(Module::Allocate(length_));
        if (bytes_ == nullptr)
            return E_OUTOFMEMORY;
        return ReadExactly(stream, bytes_, length_);
    }
    const char* Bytes() const { return bytes_; }
    unsigned int Length() const { return length_; }

private:
    char* bytes_ = nullptr;
    unsigned int length_ = 0;
};

} // namespace

HRESULT WriteStreamString(IStream* stream, const AnsiString& text)
{
    if (stream == nullptr)
        return E_POINTER;
    return WriteLengthAndBytes(stream, text.Text(), text.Length());
}

HRESULT ReadStreamString(IStream* stream, AnsiString* text)
{
    if (stream == nullptr || text == nullptr)
        return E_POINTER;
    text->Clear();
    StoredBytes stored;
    const HRESULT hr = stored.Read(stream);
    if (FAILED(hr))
        return hr;
    text->AssignBytes(stored.Bytes(), stored.Length());
    return text->Length() == stored.Length() ? hr : E_OUTOFMEMORY;
}

HRESULT WriteStreamBstr(IStream* stream, BSTR text)
{
    if (stream == nullptr)
        return E_POINTER;
    const UINT characters = text != nullptr ? SysStringLen(text) : 0;
    if (characters == 0)
        return WriteLengthAndBytes(stream, nullptr, 0);
    const int size = WideCharToMultiByte(CP_ACP, 0, text, int(characters), nullptr, 0, nullptr, nullptr);
    if (size <= 0)
        return E_FAIL;
    if (unsigned(size) > MaxStreamStringLength)
        return E_INVALIDARG;
    char onStack[StackTextBuffer];
    char* buffer = size <= StackTextBuffer ? onStack : static_cast<char*>(Module::Allocate(unsigned(size)));
    if (buffer == nullptr)
        return E_OUTOFMEMORY;
    HRESULT hr = E_FAIL;
    if (WideCharToMultiByte(CP_ACP, 0, text, int(characters), buffer, size, nullptr, nullptr) == size)
        hr = WriteLengthAndBytes(stream, buffer, unsigned(size));
    if (buffer != onStack)
        Module::Free(buffer);
    return hr;
}

HRESULT ReadStreamBstr(IStream* stream, BSTR* text)
{
    if (stream == nullptr || text == nullptr)
        return E_POINTER;
    *text = nullptr;
    StoredBytes stored;
    const HRESULT hr = stored.Read(stream);
    if (FAILED(hr))
        return hr;
    if (stored.Length() == 0) {
        *text = SysAllocStringLen(nullptr, 0);
    } else {
        const int characters = MultiByteToWideChar(CP_ACP, 0, stored.Bytes(), int(stored.Length()), nullptr, 0);
        if (characters > 0) {
            *text = SysAllocStringLen(nullptr, UINT(characters));
            if (*text != nullptr
                && MultiByteToWideChar(CP_ACP, 0, stored.Bytes(), int(stored.Length()), *text, characters) == 0) {
                SysFreeString(*text);
                *text = nullptr;
            }
        }
    }
    return *text != nullptr ? hr : E_OUTOFMEMORY;
}
