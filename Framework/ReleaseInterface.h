// Dropping a held COM reference stored in a member.
#pragma once
#include <unknwn.h>

// Releases the interface when there is one and forgets it first, so that whatever the release sets
// off never sees the pointer again.
template <class Interface>
void ReleaseInterface(Interface*& pointer)
{
    if (pointer != nullptr) {
        Interface* old = pointer;
        pointer = nullptr;
        old->Release();
    }
}
