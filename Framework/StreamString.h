// Texts in a stream: a signed 16-bit little-endian length (0 to 32767) followed by that many ANSI
// bytes without a NUL. Stored state is untrusted input: a negative length or a stream that ends
// early is refused, and a text too long for the length field is never written.
#pragma once
#include <windows.h>
#include <objidl.h>
#include <oleauto.h>

class AnsiString;

// The longest text a stream string holds.
constexpr unsigned int MaxStreamStringLength = 32767;

// E_INVALIDARG (nothing written) for a text longer than MaxStreamStringLength; else the stream's result.
HRESULT WriteStreamString(IStream* stream, const AnsiString& text);
// Empties `text`, then reads one stream string into it. STG_E_READFAULT for a negative length or a
// stream that ends before the text does (the text stays empty).
HRESULT ReadStreamString(IStream* stream, AnsiString* text);

// The BSTR converted to ANSI as a stream string; a null or empty BSTR writes a zero length.
HRESULT WriteStreamBstr(IStream* stream, BSTR text);
// One stream string as a new BSTR (empty for a zero length; null on failure). E_OUTOFMEMORY when no
// BSTR results; STG_E_READFAULT as ReadStreamString.
HRESULT ReadStreamBstr(IStream* stream, BSTR* text);
