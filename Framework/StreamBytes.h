// Exact reads and writes of stored state: a stream that moves fewer bytes than asked is a fault of
// the stored data (STG_E_READFAULT) or of the medium (STG_E_WRITEFAULT); the stream's own failure is
// returned unchanged.
#pragma once
#include <windows.h>
#include <objidl.h>

HRESULT ReadExactly(IStream* stream, void* buffer, ULONG size);
HRESULT WriteExactly(IStream* stream, const void* buffer, ULONG size);
