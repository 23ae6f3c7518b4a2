// Another application's drag data, as a drop target receives it: an IDataObject that offers a few
// formats, each made fresh on every request by a function of the test.
#pragma once
#include <ole2.h>

#include <functional>
#include <map>

class ForeignDataObject final : public IDataObject {
public:
    // Fills a medium for one request; its HRESULT is GetData's.
    using Provider = std::function<HRESULT(STGMEDIUM*)>;

    ForeignDataObject() = default;
    void Offer(CLIPFORMAT format, DWORD tymed, Provider provider) { offers_[format] = {tymed, std::move(provider)}; }
    ULONG References() const { return count_; }

    STDMETHOD(QueryInterface)(REFIID riid, void** object) override;
    STDMETHOD_(ULONG, AddRef)() override { return ++count_; }
    STDMETHOD_(ULONG, Release)() override { return --count_; }  // lives on the test's stack
    STDMETHOD(GetData)(FORMATETC* format, STGMEDIUM* medium) override;
    STDMETHOD(GetDataHere)(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    STDMETHOD(QueryGetData)(FORMATETC* format) override;
    STDMETHOD(GetCanonicalFormatEtc)(FORMATETC*, FORMATETC*) override { return E_NOTIMPL; }
    STDMETHOD(SetData)(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    STDMETHOD(EnumFormatEtc)(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
    STDMETHOD(DAdvise)(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return OLE_E_ADVISENOTSUPPORTED; }
    STDMETHOD(DUnadvise)(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    STDMETHOD(EnumDAdvise)(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

private:
    struct Offer_ {
        DWORD tymed;
        Provider provider;
    };
    std::map<CLIPFORMAT, Offer_> offers_;
    ULONG count_ = 1;
};

// Global memory holding the bytes given.
HGLOBAL GlobalBytes(const void* bytes, SIZE_T size);
