// The automation face of drag-and-drop data that the OLE drag events hand to the host. Outgoing, it
// wraps the control's own DragDataObject, which the host fills; incoming, it wraps the IDataObject of
// the drag over the control and converts its data to VARIANTs.
#pragma once
#include "AutomationObject.h"

#include <Plyx.h>

class DragDataObject;
class DragDropOwner;
class QvDataObjectFiles;

class QvDataObject final : public AutomationObject, public IQvDataObject, public ISupportErrorInfo {
public:
    // A data object over the drag's own data (outgoing).
    static HRESULT CreateOutgoing(DragDataObject& data, IQvDataObject** made);
    // A data object over the data of a drag coming from elsewhere (incoming); errors are raised
    // through the owner.
    static HRESULT CreateIncoming(IDataObject& data, DragDropOwner& owner, IQvDataObject** made);

    // IQvDataObject and IDispatch give the dual interface; IDataObject the wrapped data object;
    // IQvDataObjectFiles the file list when there is one.
    HRESULT InternalQueryInterface(REFIID riid, void** object) override;

    DECLARE_DELEGATING_UNKNOWN()
    DECLARE_AUTOMATION_DISPATCH(AutomationObject)
    DECLARE_SUPPORT_ERROR_INFO(AutomationObject)

    STDMETHOD(Clear)() override;
    STDMETHOD(GetData)(short format, VARIANT* data) override;
    STDMETHOD(GetFormat)(short format, VARIANT_BOOL* supported) override;
    STDMETHOD(SetData)(VARIANT value, VARIANT format) override;
    STDMETHOD(get_Files)(IQvDataObjectFiles** files) override;

private:
    QvDataObject(DragDataObject* outgoing, IDataObject* incoming, DragDropOwner& owner);
    ~QvDataObject() override;

    // The incoming data of the format as a VARIANT.
    HRESULT ConvertIncoming(CLIPFORMAT format, STGMEDIUM& medium, VARIANT* data);
    // The incoming file list, read on first use.
    HRESULT IncomingFiles(QvDataObjectFiles** files);

    IDataObject* incoming_;          // held; null for outgoing data
    DragDataObject* outgoing_;       // held; null for incoming data
    QvDataObjectFiles* files_;       // held; given with outgoing data, read on first use for incoming
    DragDropOwner& owner_;
    IUnknown* control_;              // held; may be null
};
