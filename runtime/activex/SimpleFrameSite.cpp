// ISimpleFrameSite: a frame control offers the messages of its window to the form first; the form lets
// each through unchanged, so the frame's contained controls behave as they would on the form itself.
#include "ControlSite.h"

namespace korvane::activex {

STDMETHODIMP ControlSite::PreMessageFilter(HWND, UINT, WPARAM, LPARAM, LRESULT* result, DWORD* cookie)
{
    if (result)
        *result = 0;
    if (cookie)
        *cookie = 0;
    return S_OK;  // S_OK: the frame goes on with the message
}

STDMETHODIMP ControlSite::PostMessageFilter(HWND, UINT, WPARAM, LPARAM, LRESULT* result, DWORD)
{
    if (result)
        *result = 0;
    return S_OK;
}

} // namespace korvane::activex
