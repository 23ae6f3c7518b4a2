// The container's control enumeration, {40A050A0-3C31-101B-A82E-08002B2B2337}, reached through the
// client site's container: it lists the controls of a form by container flags and a selector.
#pragma once
#include <windows.h>
#include <objidl.h>

namespace plyx {

MIDL_INTERFACE("40A050A0-3C31-101B-A82E-08002B2B2337")
IContainerControls : public IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE EnumControls(DWORD containerFlags, DWORD selector, IEnumUnknown** controls) = 0;
};

// Embeddings, others, user controls only, running only.
constexpr DWORD ContainedControlFlags = 29;
// The controls placed inside the asking one.
constexpr DWORD ContainedControlsSelector = 3;

} // namespace plyx

__CRT_UUID_DECL(plyx::IContainerControls, 0x40a050a0, 0x3c31, 0x101b, 0xa8, 0x2e, 0x08, 0x00, 0x2b, 0x2b, 0x23, 0x37)
