// What every control keeps of OLE drag and drop: its OLEDragMode and OLEDropMode with their put rules
// and their persistence in property bags, the control window as a drop target while dropping is on at
// run time, and the OLEDrag method that makes the control a drag source. The system's drag and drop
// calls become the control's six OLE drag events; the data crosses as the automation data object.
#pragma once
#include "ComReference.h"
#include "DragDropOwner.h"

#include <windows.h>
#include <ole2.h>
#include <ocidl.h>

#include <Plyx.h>

class DragDataObject;
class OleControl;
class DropTarget;

// {63A19C70-054B-11D0-8E85-00A0C90F26F8}: the manager's own small interface, by which the parts of a
// drag raise the manager's errors.
extern const IID IID_IDragDropManager;

struct IDragDropManager : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE RaiseError(int number) = 0;
};

class DragDropManager final : public DragDropOwner {
public:
    // flags
    static constexpr DWORD DragRunning = 0x001;
    static constexpr DWORD LeftButtonAtStart = 0x002;
    static constexpr DWORD RightButtonAtStart = 0x004;
    static constexpr DWORD Registered = 0x008;
    static constexpr DWORD DragModeSupported = 0x100;
    static constexpr DWORD DropModeSupported = 0x200;
    static constexpr DWORD AutomaticDropAllowed = 0x400;

    static constexpr short DropNone = 0;
    static constexpr short DropManual = 1;
    static constexpr short DropAutomatic = 2;

    // `supported`: which modes the control has and whether its drop mode may be automatic.
    DragDropManager(OleControl& owner, DWORD supported);
    ~DragDropManager();
    DragDropManager(const DragDropManager&) = delete;
    DragDropManager& operator=(const DragDropManager&) = delete;

    // Out of range: error 380. A changed value is stored and the drop target registered or revoked to
    // match.
    HRESULT PutOLEDropMode(short value);
    short GetOLEDropMode() const;
    short GetOLEDragMode() const;
    // Stores a loaded value: one outside the put's range loads as 0.
    void SetOLEDropMode(short value);

    // "OLEDragMode" and "OLEDropMode" as VT_I2, each when supported and (not 0 or saveAll); the
    // failure of either write.
    HRESULT SaveModes(IPropertyBag* bag, BOOL saveAll);
    // Each supported mode from the bag; missing, unreadable or out of range gives 0.
    void LoadModes(IPropertyBag* bag, IErrorLog* errorLog);

    // At run time with a control window: registers the window as a drop target when `enable` and the
    // drop mode is on, else revokes a registration. Nothing in design mode. The system's answer.
    HRESULT RegisterDropTarget(bool enable);
    bool IsRegistered() const { return (flags_ & Registered) != 0; }
    // The drop target the window is registered with, as the system calls it; null when there is none.
    IDropTarget* RegisteredDropTarget() const;

    // The control as a drag source: OLEStartDrag lets the host fill the data and the allowed effects,
    // the system runs the drag, OLECompleteDrag tells the host how it ended. S_OK with the effect
    // (`effect` may be null); DRAGDROP_S_CANCEL when nothing was dragged or the window went meanwhile.
    HRESULT OLEDrag(DWORD* effect);

    DWORD Flags() const { return flags_; }
    // The manager's own interface, not AddRef'd.
    IDragDropManager* Interface() { return &interface_; }

    // DragDropOwner
    HRESULT RaiseError(int number) override;
    void FireOLESetData(IQvDataObject** data, short* format) override;
    IUnknown* Control() override;

private:
    friend class DropSource;
    friend class DropTarget;

    class ManagerInterface final : public IDragDropManager {
    public:
        explicit ManagerInterface(DragDropManager& manager) : manager_(manager) {}
        STDMETHODIMP QueryInterface(REFIID riid, void** object) override;
        // The count starts at 1 and never destroys the manager: the control owns it.
        STDMETHODIMP_(ULONG) AddRef() override;
        STDMETHODIMP_(ULONG) Release() override;
        STDMETHODIMP RaiseError(int number) override;

    private:
        DragDropManager& manager_;
        LONG count_ = 1;
    };

    void SetMode(DWORD mask, int shift, short value);
    short HighestDropMode() const;
    // The ambient UserMode: false when it is false or cannot be read.
    bool UserMode();
    // The control window, when the control has one.
    HWND Window() const;
    HRESULT RunDrag(DragDataObject& drag, IDataObject* data, DWORD allowed, DWORD* effect);

    OleControl& owner_;
    DWORD flags_;
    HWND registeredWindow_ = nullptr;
    DropTarget* dropTarget_ = nullptr;       // held while one exists
    ComReference<IQvDataObject> incoming_;   // the data of the drag over the control
    ManagerInterface interface_;
};
