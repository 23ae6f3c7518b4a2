// The data of a drag that a control starts: an IDataObject over a cache of formats that the host fills
// in OLEStartDrag and, for formats announced without data, in OLESetData when a drop target asks.
#pragma once
#include "UnknownObject.h"

#include <ole2.h>

class DragDropOwner;
class QvDataObjectFiles;
struct IQvDataObject;

// {2FF37060-7355-11CF-8AE9-00AA00C00905}: what a control answers when it supplies the data of a
// requested format itself, before its host hears OLESetData. Its fourth method is never called here.
extern const IID IID_IDragDataSupplier;

struct IDragDataSupplier : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE Unused() = 0;
    // `data` is an outgoing data object over the drag's data, `format` the clipboard format asked for.
    virtual HRESULT STDMETHODCALLTYPE SupplyData(IQvDataObject* data, short format) = 0;
};

class DragDataObject final : public UnknownObject, public IDataObject {
public:
    // A new, empty data object with an empty file list; the caller holds the one reference.
    static HRESULT Create(DragDropOwner& owner, DragDataObject** made);

    HRESULT InternalQueryInterface(REFIID riid, void** object) override;

    DECLARE_DELEGATING_UNKNOWN()
    STDMETHOD(GetData)(FORMATETC* format, STGMEDIUM* medium) override;
    STDMETHOD(GetDataHere)(FORMATETC* format, STGMEDIUM* medium) override;
    STDMETHOD(QueryGetData)(FORMATETC* format) override;
    STDMETHOD(GetCanonicalFormatEtc)(FORMATETC* in, FORMATETC* out) override;
    STDMETHOD(SetData)(FORMATETC* format, STGMEDIUM* medium, BOOL release) override;
    STDMETHOD(EnumFormatEtc)(DWORD direction, IEnumFORMATETC** formats) override;
    STDMETHOD(DAdvise)(FORMATETC* format, DWORD flags, IAdviseSink* sink, DWORD* connection) override;
    STDMETHOD(DUnadvise)(DWORD connection) override;
    STDMETHOD(EnumDAdvise)(IEnumSTATDATA** advises) override;

    // The host's side, through the automation data object. Errors are raised through the owner.
    // Stores a value for a format (either may be missing; see the data object's SetData).
    HRESULT SetHostData(const VARIANT& value, const VARIANT& format);
    // Empties the file list and the cache; refused once the drag has started.
    HRESULT ClearHostData();
    bool HasFormat(CLIPFORMAT format) const { return FindEntry(format) >= 0; }
    LONG FormatCount() const { return count_; }

    // Set when the drag starts: from then on formats can be supplied but not added or cleared.
    void Freeze() { frozen_ = true; }
    bool Frozen() const { return frozen_; }

    QvDataObjectFiles* Files() const { return files_; }
    DragDropOwner& Owner() const { return owner_; }

private:
    struct Entry {
        CLIPFORMAT format;
        VARIANT data;       // "missing" until the host supplies it
        FORMATETC formatEtc;
    };

    DragDataObject(DragDropOwner& owner, QvDataObjectFiles* files);
    ~DragDataObject() override;

    int FindEntry(CLIPFORMAT format) const;
    // The host's value converted for the format (which may change: format 0 takes the value's own);
    // an error number of the owner's on failure.
    HRESULT ConvertHostValue(VARIANT& value, CLIPFORMAT* format, VARIANT* converted);
    HRESULT StoreEntry(CLIPFORMAT format, VARIANT* data);
    void ClearEntries();
    // The entry a FORMATETC asks for: S_OK and its index, S_FALSE when there is none, or the failure.
    HRESULT Lookup(const FORMATETC& format, int* index) const;
    // Asks the host for data still missing for the entry; the entry index may change.
    HRESULT RequestMissingData(CLIPFORMAT format, int* index);
    bool HoldsData(const Entry& entry) const;
    HRESULT Render(const Entry& entry, STGMEDIUM* medium);

    DragDropOwner& owner_;
    IUnknown* control_;           // held for the object's life; may be null
    QvDataObjectFiles* files_;    // held
    bool frozen_ = false;
    Entry* entries_ = nullptr;    // library heap
    LONG count_ = 0;
    LONG capacity_ = 0;
};
