// What every control keeps of OLE drag and drop: its OLEDragMode and OLEDropMode with their put rules
// and their persistence in property bags, and the registration of the control window as a drop target
// while dropping is on at run time. The drop target answers every drag with no effect: the drag
// events and the drag source belong to the rest of drag and drop.
#pragma once
#include <windows.h>
#include <ole2.h>
#include <ocidl.h>

#include "ComReference.h"

class OleControl;

class DragDropManager {
public:
    // flags
    static constexpr DWORD DragRunning = 0x001;
    static constexpr DWORD Registered = 0x008;
    static constexpr DWORD DragModeSupported = 0x100;
    static constexpr DWORD DropModeSupported = 0x200;
    static constexpr DWORD AutomaticDropAllowed = 0x400;

    DragDropManager(OleControl& owner, DWORD supported);
    ~DragDropManager();
    DragDropManager(const DragDropManager&) = delete;
    DragDropManager& operator=(const DragDropManager&) = delete;

    // Out of range: error 380 raised through the owner. A changed value is stored and the drop target
    // registered or revoked to match.
    HRESULT PutOLEDropMode(short value);
    short GetOLEDropMode() const;
    short GetOLEDragMode() const;
    // Stores the value as a loaded one: no range check (the caller checks what it loads).
    void SetOLEDropMode(short value);

    // "OLEDragMode" and "OLEDropMode" as VT_I2, each when supported and (not 0 or saveAll).
    HRESULT SaveModes(IPropertyBag* bag, BOOL saveAll);
    // Each supported mode from the bag; missing gives 0.
    void LoadModes(IPropertyBag* bag, IErrorLog* errorLog);

    // At run time with a control window: registers the window as a drop target when `enable` and the
    // drop mode is on, else revokes a registration. Nothing in design mode. The system's answer.
    HRESULT RegisterDropTarget(bool enable);
    bool IsRegistered() const { return (flags_ & Registered) != 0; }

private:
    void SetMode(DWORD mask, int shift, short value);

    OleControl& owner_;
    DWORD flags_;
    HWND registeredWindow_ = nullptr;
    ComReference<IDropTarget> dropTarget_;
};
