// The drag source side of a control's OLEDrag: when the drag drops or is cancelled, and the
// feedback the host may give through OLEGiveFeedback.
#pragma once
#include <windows.h>
#include <ole2.h>

class DragDropManager;

class DropSource final : public IDropSource {
public:
    explicit DropSource(DragDropManager& manager) : manager_(manager) {}

    STDMETHODIMP QueryInterface(REFIID riid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    // Escape or a window gone cancels; the button the drag started with, let go, drops. A drag
    // started from code takes the buttons pressed during it as its own.
    STDMETHODIMP QueryContinueDrag(BOOL escapePressed, DWORD keyState) override;
    STDMETHODIMP GiveFeedback(DWORD effect) override;

private:
    ~DropSource() = default;

    DragDropManager& manager_;
    LONG count_ = 1;
};
