// Wide copies of ANSI and wide text for callers: as a BSTR or in COM task memory.
#pragma once
#include <windows.h>
#include <oleauto.h>

// How a wide copy is allocated: freed with SysFreeString or with CoTaskMemFree.
enum class WideStringKind { Bstr = 0, TaskMemory = 1 };

// A task-memory wide copy of the ANSI text; null for a null text or when out of memory.
LPOLESTR AnsiToTaskMemWide(const char* text);

// A wide copy of the ANSI text of the given kind, always NUL-ended; null for a null text, a text that
// cannot be converted or an unknown kind.
LPOLESTR AnsiToWideString(const char* text, WideStringKind kind);

// The string `id` of the resource module for the default locale (at most 511 characters) as a wide
// copy of the given kind; null when the string is missing.
LPOLESTR LoadResourceWideString(UINT id, WideStringKind kind);

// A copy of the wide text of the given kind; null for a null text or an unknown kind.
LPOLESTR CopyWideString(const wchar_t* text, WideStringKind kind);
