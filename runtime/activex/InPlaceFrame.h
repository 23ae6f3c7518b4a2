// The form's frame as its in-place active controls see it: the top-level window, with no menus or
// toolbars to share, and the UI-active control that keyboard messages are offered to.
#pragma once

#include "com/ComPtr.h"

#include <oleidl.h>

namespace korvane::activex {

class InPlaceFrame final : public IOleInPlaceFrame {
public:
    explicit InPlaceFrame(HWND form) : form_(form) {}

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    // IOleWindow
    STDMETHODIMP GetWindow(HWND* window) override;
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    // IOleInPlaceUIWindow: no border space to give
    STDMETHODIMP GetBorder(LPRECT) override { return INPLACE_E_NOTOOLSPACE; }
    STDMETHODIMP RequestBorderSpace(LPCBORDERWIDTHS) override { return INPLACE_E_NOTOOLSPACE; }
    STDMETHODIMP SetBorderSpace(LPCBORDERWIDTHS widths) override { return widths ? INPLACE_E_NOTOOLSPACE : S_OK; }
    STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject* active, LPCOLESTR) override;
    // IOleInPlaceFrame: the form's menus stay its own
    STDMETHODIMP InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override { return E_NOTIMPL; }
    STDMETHODIMP SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
    STDMETHODIMP RemoveMenus(HMENU) override { return E_NOTIMPL; }
    STDMETHODIMP SetStatusText(LPCOLESTR) override { return S_OK; }
    STDMETHODIMP EnableModeless(BOOL) override { return S_OK; }
    STDMETHODIMP TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }

    IOleInPlaceActiveObject* ActiveObject() const { return active_.Get(); }
    void Forget() { active_ = nullptr; }

private:
    ~InPlaceFrame() = default;
    HWND form_;
    LONG references_ = 1;
    com::ComPtr<IOleInPlaceActiveObject> active_;
};

} // namespace korvane::activex
