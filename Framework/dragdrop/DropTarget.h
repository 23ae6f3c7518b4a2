// The control window as an OLE drop target: a drag over it becomes the control's OLEDragOver events
// and a drop its OLEDragDrop event (manual drop mode). The host's handlers can only take effects away
// from those the source offered.
#pragma once
#include <windows.h>
#include <ole2.h>

class DragDropManager;
struct EventDescriptor;

class DropTarget final : public IDropTarget {
public:
    explicit DropTarget(DragDropManager& manager) : manager_(&manager) {}

    STDMETHODIMP QueryInterface(REFIID riid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP DragEnter(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) override;
    STDMETHODIMP DragOver(DWORD keyState, POINTL point, DWORD* effect) override;
    STDMETHODIMP DragLeave() override;
    STDMETHODIMP Drop(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) override;

    // The manager goes with its control; a drag still holding this target is then answered without it.
    void Detach() { manager_ = nullptr; }

    // The event arguments of a key state: Button (1 left, 2 right, 4 middle) and Shift (1 Shift,
    // 2 Ctrl, 4 Alt).
    static short ButtonOf(DWORD keyState);
    static short ShiftOf(DWORD keyState);

private:
    ~DropTarget() = default;

    // In manual mode, OLEDragOver with the state (0 enter, 1 leave, 2 over) or OLEDragDrop, at the
    // point (none: 0, 0); the effect that remains of those offered.
    DWORD FireDragEvent(const EventDescriptor& event, DWORD keyState, const POINTL* point, DWORD offered, short state);
    // The screen point in the container's units: client-relative, HIMETRIC, then the site's own.
    void EventPosition(POINTL screen, float* x, float* y) const;
    // The answer of a call that ends with the control's window gone.
    HRESULT WindowResult() const;

    DragDropManager* manager_;
    DWORD keyState_ = 0;
    LONG count_ = 1;
};
