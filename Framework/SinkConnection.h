// Connecting a sink to a connection point of another object, optionally without the connection
// keeping the sink's owner alive.
#pragma once
#include <windows.h>
#include <ole2.h>

// Finds the source's connection point for `iid` and advises `sink` to it. With keepReference false,
// the reference the connection took on the sink is given back at once, so that a sink that belongs
// to the object holding the source does not keep that object alive. True on success.
bool ConnectionAdvise(IUnknown* source, REFIID iid, IUnknown* sink, bool keepReference, DWORD* cookie);

// Undoes ConnectionAdvise with the same keepReference. True on success.
bool ConnectionUnadvise(IUnknown* source, REFIID iid, IUnknown* sink, bool keepReference, DWORD cookie);
