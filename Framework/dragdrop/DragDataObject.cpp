#include "DragDataObject.h"

#include "ComReference.h"
#include "DataFormats.h"
#include "DragDropErrors.h"
#include "DragDropOwner.h"
#include "DropFiles.h"
#include "MediumMemory.h"
#include "Module.h"
#include "PictureData.h"
#include "QvDataObject.h"
#include "QvDataObjectFiles.h"
#include "StandardEnum.h"
#include "VariantHolder.h"

#include <new>
#include <cstring>

const IID IID_IDragDataSupplier = {0x2FF37060, 0x7355, 0x11CF, {0x8A, 0xE9, 0x00, 0xAA, 0x00, 0xC0, 0x09, 0x05}};

namespace {

constexpr LONG CacheGrowth = 5;

// A format's element of the format enumerator: the FORMATETC with its own copy of a target device.
void CopyFormatEtc(void* destination, const void* source, ULONG)
{
    auto* out = static_cast<FORMATETC*>(destination);
    const auto* in = static_cast<const FORMATETC*>(source);
    *out = *in;
    if (in->ptd != nullptr) {
        out->ptd = static_cast<DVTARGETDEVICE*>(CoTaskMemAlloc(in->ptd->tdSize));
        if (out->ptd != nullptr)
            std::memcpy(out->ptd, in->ptd, in->ptd->tdSize);
    }
}

// The text of a BSTR in ANSI with a final NUL, on global memory of twice its length plus 2 bytes.
HGLOBAL TextMemory(BSTR text)
{
    const UINT length = SysStringLen(text);
    const SIZE_T size = SIZE_T(length) * 2 + 2;
    MediumMemory memory(size);
    char* bytes = memory.Bytes<char>();
    if (bytes == nullptr)
        return nullptr;
    int written = 0;
    if (length > 0)
        written = WideCharToMultiByte(CP_ACP, 0, text, static_cast<int>(length), bytes, static_cast<int>(size - 1),
                                      nullptr, nullptr);
    bytes[written] = '\0';
    return memory.HandOver();
}

// The bytes of a byte array on global memory; an empty array gives one NUL byte.
HGLOBAL ByteMemory(SAFEARRAY* array)
{
    SIZE_T size = 0;
    if (array != nullptr && SafeArrayGetDim(array) == 1)
        size = array->rgsabound[0].cElements;
    MediumMemory memory(size > 0 ? size : 1);
    if (memory.Bytes() == nullptr)
        return nullptr;
    if (size > 0) {
        void* source = nullptr;
        if (FAILED(SafeArrayAccessData(array, &source)))
            return nullptr;
        std::memcpy(memory.Bytes(), source, size);
        SafeArrayUnaccessData(array);
    }
    return memory.HandOver();
}

} // namespace

HRESULT DragDataObject::Create(DragDropOwner& owner, DragDataObject** made)
{
    *made = nullptr;
    QvDataObjectFiles* files = QvDataObjectFiles::Create();
    if (files == nullptr)
        return E_OUTOFMEMORY;
    *made = new (std::nothrow) DragDataObject(owner, files);
    files->PrivateUnknown()->Release();
    return *made != nullptr ? S_OK : E_OUTOFMEMORY;
}

DragDataObject::DragDataObject(DragDropOwner& owner, QvDataObjectFiles* files)
    : UnknownObject(nullptr, nullptr), owner_(owner), control_(owner.Control()), files_(files)
{
    if (control_ != nullptr)
        control_->AddRef();
    files_->PrivateUnknown()->AddRef();
}

DragDataObject::~DragDataObject()
{
    ClearEntries();
    files_->PrivateUnknown()->Release();
    if (control_ != nullptr)
        control_->Release();
}

HRESULT DragDataObject::InternalQueryInterface(REFIID riid, void** object)
{
    if (!SameIid(riid, IID_IDataObject))
        return UnknownObject::InternalQueryInterface(riid, object);
    *object = static_cast<IDataObject*>(this);
    AddRef();
    return S_OK;
}

int DragDataObject::FindEntry(CLIPFORMAT format) const
{
    for (LONG i = 0; i < count_; ++i) {
        if (entries_[i].format == format)
            return static_cast<int>(i);
    }
    return -1;
}

void DragDataObject::ClearEntries()
{
    for (LONG i = 0; i < count_; ++i)
        VariantClear(&entries_[i].data);
    Module::Free(entries_);
    entries_ = nullptr;
    count_ = 0;
    capacity_ = 0;
}

HRESULT DragDataObject::ClearHostData()
{
    if (frozen_)
        return owner_.RaiseError(DragDropErrors::FormatsFrozen);
    files_->Clear();
    ClearEntries();
    return S_OK;
}

HRESULT DragDataObject::SetHostData(const VARIANT& value, const VARIANT& format)
{
    const bool valueMissing = IsMissingArgument(value);
    const bool formatMissing = IsMissingArgument(format);
    if (valueMissing && formatMissing)
        return owner_.RaiseError(DragDropErrors::ExpectedArgument);

    WORD hostFormat = 0;
    if (!formatMissing) {
        VariantHolder number;
        const HRESULT hr = VariantChangeType(&number, const_cast<VARIANT*>(&format), 0, VT_I2);
        if (FAILED(hr))
            return hr;
        hostFormat = static_cast<WORD>(V_I2(&number.Get()));
    }
    CLIPFORMAT clipFormat = FormatFromHost(hostFormat);
    if (clipFormat >= 0xC000) {
        char name[256];
        if (GetClipboardFormatNameA(clipFormat, name, sizeof name) == 0)
            return owner_.RaiseError(DragDropErrors::FormatMismatch);
    }

    VariantHolder data;
    if (valueMissing) {
        // Announced without data: the host supplies it in OLESetData.
        if (clipFormat == 0)
            clipFormat = CF_TEXT;
        SetMissingArgument(&data);
    } else {
        VariantHolder given;
        HRESULT hr = VariantCopyInd(&given, const_cast<VARIANT*>(&value));
        if (FAILED(hr))
            return hr;
        hr = ConvertHostValue(given.Get(), &clipFormat, &data);
        if (FAILED(hr))
            return hr;
    }
    return StoreEntry(clipFormat, &data);
}

HRESULT DragDataObject::ConvertHostValue(VARIANT& value, CLIPFORMAT* format, VARIANT* converted)
{
    ComReference<IPicture> picture;
    if (PictureOf(value, picture.Out())) {
        int error = 0;
        const HRESULT hr = PictureClipFormat(picture.Get(), format, &error);
        if (FAILED(hr))
            return hr;
        if (error != 0)
            return owner_.RaiseError(error);
        return VariantCopy(converted, &value);
    }
    if (*format == 0)
        *format = CF_TEXT;
    // File names go through the Files collection.
    if (*format == CF_HDROP)
        return owner_.RaiseError(DragDropErrors::InvalidProcedureCall);
    const DataFormatRow* row = FindDataFormat(*format);
    if (row == nullptr) {
        if (V_VT(&value) != (VT_ARRAY | VT_UI1))
            return owner_.RaiseError(DragDropErrors::ByteArrayRequired);
        return VariantCopy(converted, &value);
    }
    if (row->type == VT_DISPATCH)
        return owner_.RaiseError(DragDropErrors::FormatMismatch);
    const HRESULT hr = VariantChangeType(converted, &value, 0, row->type);
    if (hr == E_OUTOFMEMORY)
        return hr;
    if (FAILED(hr))
        return owner_.RaiseError(DragDropErrors::FormatMismatch);
    return S_OK;
}

HRESULT DragDataObject::StoreEntry(CLIPFORMAT format, VARIANT* data)
{
    const int existing = FindEntry(format);
    if (existing >= 0) {
        VariantClear(&entries_[existing].data);
        entries_[existing].data = *data;
        VariantInit(data);
        return S_OK;
    }
    if (frozen_)
        return owner_.RaiseError(DragDropErrors::FormatsFrozen);
    if (count_ == capacity_) {
        const LONG capacity = capacity_ + CacheGrowth;
        void* grown = entries_ == nullptr ? Module::Allocate(sizeof(Entry) * capacity)
                                          : Module::Reallocate(entries_, sizeof(Entry) * capacity);
        if (grown == nullptr)
            return E_OUTOFMEMORY;
        entries_ = static_cast<Entry*>(grown);
        capacity_ = capacity;
    }
    Entry& entry = entries_[count_++];
    entry.format = format;
    entry.data = *data;
    VariantInit(data);
    entry.formatEtc = DataFormatEtc(format);
    return S_OK;
}

bool DragDataObject::HoldsData(const Entry& entry) const
{
    if (entry.format == CF_HDROP && files_->Count() > 0)
        return true;
    return !IsMissingArgument(entry.data);
}

HRESULT DragDataObject::Lookup(const FORMATETC& format, int* index) const
{
    *index = -1;
    if (format.lindex != -1)
        return DV_E_LINDEX;
    if ((format.dwAspect & DVASPECT_CONTENT) == 0)
        return DV_E_DVASPECT;
    const int found = FindEntry(format.cfFormat);
    if (found < 0)
        return S_FALSE;
    if ((entries_[found].formatEtc.tymed & format.tymed) == 0)
        return DV_E_TYMED;
    *index = found;
    return S_OK;
}

HRESULT DragDataObject::RequestMissingData(CLIPFORMAT format, int* index)
{
    if (HoldsData(entries_[*index]))
        return S_OK;
    IQvDataObject* data = nullptr;
    HRESULT hr = QvDataObject::CreateOutgoing(*this, &data);
    if (FAILED(hr))
        return hr;
    // A control that supplies data itself gets the first word; the host is asked in any case.
    ComReference<IDragDataSupplier> supplier;
    if (control_ != nullptr && SUCCEEDED(control_->QueryInterface(IID_IDragDataSupplier, supplier.OutVoid())) &&
        supplier)
        supplier->SupplyData(data, static_cast<short>(format));
    short hostFormat = FormatToHost(format);
    owner_.FireOLESetData(&data, &hostFormat);
    if (data != nullptr)
        data->Release();
    // The handler may have changed the cache: find the entry again.
    *index = FindEntry(format);
    if (*index < 0 || !HoldsData(entries_[*index]))
        return owner_.RaiseError(DragDropErrors::DataNotSupplied);
    return S_OK;
}

HRESULT DragDataObject::Render(const Entry& entry, STGMEDIUM* medium)
{
    medium->pUnkForRelease = nullptr;
    if (IsPictureFormat(entry.format)) {
        ComReference<IPicture> picture;
        VARIANT data = entry.data;
        if (!PictureOf(data, picture.Out()))
            return E_UNEXPECTED;
        return RenderPicture(picture.Get(), entry.format, medium);
    }
    HGLOBAL memory = nullptr;
    if (entry.format == CF_HDROP)
        memory = DropFilesMemory(*files_);
    else if (V_VT(&entry.data) == VT_BSTR)
        memory = TextMemory(V_BSTR(&entry.data));
    else if (V_VT(&entry.data) == (VT_ARRAY | VT_UI1))
        memory = ByteMemory(V_ARRAY(&entry.data));
    else
        return E_UNEXPECTED;
    if (memory == nullptr)
        return E_OUTOFMEMORY;
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = memory;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE DragDataObject::GetData(FORMATETC* format, STGMEDIUM* medium)
{
    if (format == nullptr || medium == nullptr)
        return E_INVALIDARG;
    std::memset(medium, 0, sizeof *medium);
    int index = -1;
    HRESULT hr = Lookup(*format, &index);
    if (hr == S_FALSE)
        return DV_E_FORMATETC;
    if (FAILED(hr))
        return hr;
    hr = RequestMissingData(format->cfFormat, &index);
    if (FAILED(hr))
        return hr;
    return Render(entries_[index], medium);
}

HRESULT STDMETHODCALLTYPE DragDataObject::GetDataHere(FORMATETC* format, STGMEDIUM* medium)
{
    if (format == nullptr || medium == nullptr)
        return E_INVALIDARG;
    int index = FindEntry(format->cfFormat);
    if (index < 0)
        return DV_E_FORMATETC;
    if (medium->tymed != TYMED_HGLOBAL)
        return DV_E_TYMED;
    if (medium->hGlobal == nullptr)
        return E_INVALIDARG;
    // Only text is written into a caller's memory; the format decides that before any data is asked
    // for (a file list's entry holds no data of its own: its names are in the files collection).
    if (format->cfFormat != CF_TEXT)
        return E_NOTIMPL;
    HRESULT hr = RequestMissingData(format->cfFormat, &index);
    if (FAILED(hr))
        return hr;
    const Entry& entry = entries_[index];
    if (IsMissingArgument(entry.data))
        return E_FAIL;
    if (V_VT(&entry.data) != VT_BSTR)
        return E_NOTIMPL;
    const SIZE_T capacity = GlobalSize(medium->hGlobal);
    if (capacity < 2)
        return STG_E_MEDIUMFULL;
    char* bytes = static_cast<char*>(GlobalLock(medium->hGlobal));
    if (bytes == nullptr)
        return E_OUTOFMEMORY;
    const BSTR text = V_BSTR(&entry.data);
    const UINT length = SysStringLen(text);
    int written = 0;
    if (length > 0) {
        // The whole text in ANSI, cut to what the caller's memory holds with its NUL.
        const int needed = WideCharToMultiByte(CP_ACP, 0, text, static_cast<int>(length), nullptr, 0, nullptr, nullptr);
        char* converted = static_cast<char*>(Module::Allocate(needed > 0 ? needed : 1));
        if (converted == nullptr) {
            GlobalUnlock(medium->hGlobal);
            return E_OUTOFMEMORY;
        }
        written = WideCharToMultiByte(CP_ACP, 0, text, static_cast<int>(length), converted, needed, nullptr, nullptr);
        if (SIZE_T(written) > capacity - 1)
            written = static_cast<int>(capacity - 1);
        std::memcpy(bytes, converted, written);
        Module::Free(converted);
    }
    bytes[written] = '\0';
    GlobalUnlock(medium->hGlobal);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE DragDataObject::QueryGetData(FORMATETC* format)
{
    if (format == nullptr)
        return E_INVALIDARG;
    int index = -1;
    return Lookup(*format, &index);
}

HRESULT STDMETHODCALLTYPE DragDataObject::GetCanonicalFormatEtc(FORMATETC* in, FORMATETC* out)
{
    if (in == nullptr || out == nullptr)
        return E_INVALIDARG;
    *out = *in;
    if (in->ptd == nullptr)
        return DATA_S_SAMEFORMATETC;
    out->ptd = nullptr;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE DragDataObject::SetData(FORMATETC*, STGMEDIUM*, BOOL)
{
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE DragDataObject::EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats)
{
    if (direction != DATADIR_GET)
        return E_NOTIMPL;
    if (formats == nullptr)
        return E_INVALIDARG;
    *formats = nullptr;
    FORMATETC* copies = nullptr;
    if (count_ > 0) {
        copies = static_cast<FORMATETC*>(Module::Allocate(sizeof(FORMATETC) * count_));
        if (copies == nullptr)
            return E_OUTOFMEMORY;
        for (LONG i = 0; i < count_; ++i)
            copies[i] = entries_[i].formatEtc;
    }
    return StandardEnum::Create(IID_IEnumFORMATETC, count_, sizeof(FORMATETC), copies, CopyFormatEtc, nullptr,
                                nullptr, reinterpret_cast<void**>(formats));
}

HRESULT STDMETHODCALLTYPE DragDataObject::DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*)
{
    return OLE_E_ADVISENOTSUPPORTED;
}

HRESULT STDMETHODCALLTYPE DragDataObject::DUnadvise(DWORD)
{
    return E_FAIL;
}

HRESULT STDMETHODCALLTYPE DragDataObject::EnumDAdvise(IEnumSTATDATA**)
{
    return OLE_E_ADVISENOTSUPPORTED;
}
