#include "InPlaceFrame.h"

namespace korvane::activex {

STDMETHODIMP InPlaceFrame::QueryInterface(REFIID iid, void** out)
{
    return com::AnswerQuery(iid, out,
                            {{&IID_IUnknown, this}, {&IID_IOleWindow, this}, {&IID_IOleInPlaceUIWindow, this},
                             {&IID_IOleInPlaceFrame, this}});
}

STDMETHODIMP InPlaceFrame::GetWindow(HWND* window)
{
    if (!window)
        return E_POINTER;
    // The frame is the form's top-level window, also for forms shown inside another window.
    *window = GetAncestor(form_, GA_ROOT);
    return *window ? S_OK : E_FAIL;
}

STDMETHODIMP InPlaceFrame::SetActiveObject(IOleInPlaceActiveObject* active, LPCOLESTR)
{
    active_ = com::ComPtr<IOleInPlaceActiveObject>(active);
    return S_OK;
}

} // namespace korvane::activex
