#include "QvDataObject.h"

#include "ComReference.h"
#include "DataFormats.h"
#include "DragDataObject.h"
#include "DragDropErrors.h"
#include "DragDropOwner.h"
#include "DropFiles.h"
#include "PictureData.h"
#include "QvDataObjectFiles.h"
#include "VariantHolder.h"

#include <new>
#include <cstring>

namespace {

// Text on global memory as a BSTR; the text ends at its NUL or at the end of the memory.
HRESULT TextFromMemory(HGLOBAL memory, BSTR* text)
{
    const SIZE_T size = GlobalSize(memory);
    const char* bytes = static_cast<const char*>(GlobalLock(memory));
    if (bytes == nullptr)
        return E_UNEXPECTED;
    SIZE_T length = 0;
    while (length < size && bytes[length] != '\0')
        ++length;
    HRESULT hr = S_OK;
    const int wideLength = length == 0 ? 0 : MultiByteToWideChar(CP_ACP, 0, bytes, static_cast<int>(length), nullptr, 0);
    *text = SysAllocStringLen(nullptr, static_cast<UINT>(wideLength));
    if (*text == nullptr)
        hr = E_OUTOFMEMORY;
    else if (wideLength > 0)
        MultiByteToWideChar(CP_ACP, 0, bytes, static_cast<int>(length), *text, wideLength);
    GlobalUnlock(memory);
    return hr;
}

// Global memory as a byte array of its size.
HRESULT BytesFromMemory(HGLOBAL memory, SAFEARRAY** array)
{
    const SIZE_T size = GlobalSize(memory);
    const void* bytes = GlobalLock(memory);
    if (bytes == nullptr)
        return E_UNEXPECTED;
    *array = SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(size));
    HRESULT hr = *array != nullptr ? S_OK : E_OUTOFMEMORY;
    if (SUCCEEDED(hr) && size > 0)
        std::memcpy((*array)->pvData, bytes, size);
    GlobalUnlock(memory);
    return hr;
}

} // namespace

HRESULT QvDataObject::CreateOutgoing(DragDataObject& data, IQvDataObject** made)
{
    *made = new (std::nothrow) QvDataObject(&data, nullptr, data.Owner());
    return *made != nullptr ? S_OK : E_OUTOFMEMORY;
}

HRESULT QvDataObject::CreateIncoming(IDataObject& data, DragDropOwner& owner, IQvDataObject** made)
{
    *made = new (std::nothrow) QvDataObject(nullptr, &data, owner);
    return *made != nullptr ? S_OK : E_OUTOFMEMORY;
}

QvDataObject::QvDataObject(DragDataObject* outgoing, IDataObject* incoming, DragDropOwner& owner)
    : AutomationObject(nullptr, ObjectDescriptorTable::dataObjectRow, static_cast<IQvDataObject*>(this)),
      incoming_(incoming), outgoing_(outgoing), files_(nullptr), owner_(owner), control_(owner.Control())
{
    if (incoming_ != nullptr)
        incoming_->AddRef();
    if (outgoing_ != nullptr) {
        outgoing_->AddRef();
        files_ = outgoing_->Files();
        files_->AddRef();
    }
    if (control_ != nullptr)
        control_->AddRef();
}

QvDataObject::~QvDataObject()
{
    if (files_ != nullptr)
        files_->Release();
    if (outgoing_ != nullptr)
        outgoing_->Release();
    if (incoming_ != nullptr)
        incoming_->Release();
    if (control_ != nullptr)
        control_->Release();
}

HRESULT QvDataObject::InternalQueryInterface(REFIID riid, void** object)
{
    if (SameIid(riid, IID_IQvDataObject)) {
        *object = static_cast<IQvDataObject*>(this);
        AddRef();
        return S_OK;
    }
    if (SameIid(riid, IID_ISupportErrorInfo)) {
        *object = static_cast<ISupportErrorInfo*>(this);
        AddRef();
        return S_OK;
    }
    if (SameIid(riid, IID_IDataObject)) {
        IDataObject* data = incoming_ != nullptr ? incoming_ : static_cast<IDataObject*>(outgoing_);
        data->AddRef();
        *object = data;
        return S_OK;
    }
    if (SameIid(riid, IID_IQvDataObjectFiles)) {
        if (files_ == nullptr) {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        *object = static_cast<IQvDataObjectFiles*>(files_);
        files_->AddRef();
        return S_OK;
    }
    return AutomationObject::InternalQueryInterface(riid, object);
}

HRESULT STDMETHODCALLTYPE QvDataObject::Clear()
{
    if (outgoing_ == nullptr)
        return owner_.RaiseError(DragDropErrors::InvalidObjectUse);
    return outgoing_->ClearHostData();
}

HRESULT STDMETHODCALLTYPE QvDataObject::SetData(VARIANT value, VARIANT format)
{
    if (outgoing_ == nullptr)
        return owner_.RaiseError(DragDropErrors::InvalidObjectUse);
    return outgoing_->SetHostData(value, format);
}

HRESULT STDMETHODCALLTYPE QvDataObject::GetFormat(short hostFormat, VARIANT_BOOL* supported)
{
    if (supported == nullptr)
        return E_POINTER;
    const CLIPFORMAT format = FormatFromHost(static_cast<WORD>(hostFormat));
    bool found = false;
    if (outgoing_ != nullptr) {
        found = outgoing_->HasFormat(format);
    } else {
        FORMATETC formatEtc = DataFormatEtc(format);
        found = incoming_->QueryGetData(&formatEtc) == S_OK;
    }
    *supported = found ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE QvDataObject::GetData(short hostFormat, VARIANT* data)
{
    if (data == nullptr)
        return E_POINTER;
    VariantInit(data);
    if (incoming_ == nullptr)
        return owner_.RaiseError(DragDropErrors::InvalidObjectUse);
    const CLIPFORMAT format = FormatFromHost(static_cast<WORD>(hostFormat));
    // File names go through the Files collection.
    if (format == CF_HDROP)
        return owner_.RaiseError(DragDropErrors::InvalidProcedureCall);
    FORMATETC formatEtc = DataFormatEtc(format);
    // Only a plain yes lets the data be asked for: S_FALSE is the answer "not offered".
    if (incoming_->QueryGetData(&formatEtc) != S_OK)
        return owner_.RaiseError(DragDropErrors::FormatMismatch);
    STGMEDIUM medium{};
    HRESULT hr = incoming_->GetData(&formatEtc, &medium);
    if (FAILED(hr))
        return hr;
    hr = ConvertIncoming(format, medium, data);
    ReleaseStgMedium(&medium);
    return hr;
}

HRESULT QvDataObject::ConvertIncoming(CLIPFORMAT format, STGMEDIUM& medium, VARIANT* data)
{
    if (IsPictureFormat(format)) {
        IPictureDisp* picture = nullptr;
        const HRESULT hr = PictureFromMedium(incoming_, format, medium, &picture);
        if (FAILED(hr))
            return hr;
        V_VT(data) = VT_DISPATCH;
        V_DISPATCH(data) = picture;
        return S_OK;
    }
    if (medium.tymed != TYMED_HGLOBAL || medium.hGlobal == nullptr)
        return E_UNEXPECTED;
    const DataFormatRow* row = FindDataFormat(format);
    if (row != nullptr && row->type == VT_BSTR) {
        BSTR text = nullptr;
        const HRESULT hr = TextFromMemory(medium.hGlobal, &text);
        if (FAILED(hr))
            return hr;
        V_VT(data) = VT_BSTR;
        V_BSTR(data) = text;
        return S_OK;
    }
    SAFEARRAY* bytes = nullptr;
    const HRESULT hr = BytesFromMemory(medium.hGlobal, &bytes);
    if (FAILED(hr))
        return hr;
    V_VT(data) = VT_ARRAY | VT_UI1;
    V_ARRAY(data) = bytes;
    return S_OK;
}

HRESULT QvDataObject::IncomingFiles(QvDataObjectFiles** files)
{
    FORMATETC formatEtc = DataFormatEtc(CF_HDROP);
    STGMEDIUM medium{};
    if (FAILED(incoming_->GetData(&formatEtc, &medium)))
        return owner_.RaiseError(DragDropErrors::FormatMismatch);
    HRESULT hr = S_OK;
    if (medium.tymed != TYMED_HGLOBAL || medium.hGlobal == nullptr)
        hr = E_UNEXPECTED;
    QvDataObjectFiles* read = nullptr;
    if (SUCCEEDED(hr)) {
        read = QvDataObjectFiles::Create();
        hr = read != nullptr ? AppendDropFiles(medium.hGlobal, *read) : E_OUTOFMEMORY;
    }
    ReleaseStgMedium(&medium);
    if (FAILED(hr)) {
        // A list read part of the way is not kept: the next call reads it again.
        if (read != nullptr)
            read->PrivateUnknown()->Release();
        return hr;
    }
    *files = read;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE QvDataObject::get_Files(IQvDataObjectFiles** files)
{
    if (files == nullptr)
        return E_POINTER;
    *files = nullptr;
    if (files_ == nullptr) {
        if (incoming_ == nullptr)
            return owner_.RaiseError(DragDropErrors::InvalidObjectUse);
        QvDataObjectFiles* read = nullptr;
        const HRESULT hr = IncomingFiles(&read);
        if (FAILED(hr))
            return hr;
        // The list's creation reference passes to this object.
        files_ = read;
    }
    files_->AddRef();
    *files = files_;
    return S_OK;
}
