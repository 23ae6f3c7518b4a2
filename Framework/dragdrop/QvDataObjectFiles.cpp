#include "QvDataObjectFiles.h"

#include "AnsiString.h"
#include "VariantEnumerator.h"

#include <new>

namespace {

constexpr LONG NamesGrowth = 10;

// The collection's own automation description: its dual interface (also the GUID of its errors) in
// the type library of the data object, of the data object's version.
AutomationDescriptor& FilesDescriptor()
{
    static AutomationDescriptor descriptor = [] {
        AutomationDescriptor files = *ObjectDescriptorTable::Automation(ObjectDescriptorTable::dataObjectRow);
        files.clsid = nullptr;
        files.objectName = "QvDataObjectFiles";
        files.create = nullptr;
        files.dispatchIid = &IID_IQvDataObjectFiles;
        files.eventsIid = nullptr;
        files.typeInfo = nullptr;
        files.typeInfoUsers = 0;
        return files;
    }();
    return descriptor;
}

} // namespace

QvDataObjectFiles* QvDataObjectFiles::Create()
{
    return new (std::nothrow) QvDataObjectFiles;
}

QvDataObjectFiles::QvDataObjectFiles()
    : AutomationObject(nullptr, FilesDescriptor(), static_cast<IQvDataObjectFiles*>(this))
{
}

QvDataObjectFiles::~QvDataObjectFiles()
{
    if (names_ != nullptr)
        SafeArrayDestroy(names_);
}

HRESULT QvDataObjectFiles::InternalQueryInterface(REFIID riid, void** object)
{
    if (SameIid(riid, IID_IQvDataObjectFiles)) {
        *object = static_cast<IQvDataObjectFiles*>(this);
    } else if (SameIid(riid, IID_ISupportErrorInfo)) {
        *object = static_cast<ISupportErrorInfo*>(this);
    } else {
        return AutomationObject::InternalQueryInterface(riid, object);
    }
    AddRef();
    return S_OK;
}

BSTR QvDataObjectFiles::Name(LONG index) const
{
    if (index < 1 || index > count_)
        return nullptr;
    return static_cast<BSTR*>(names_->pvData)[index - 1];
}

HRESULT QvDataObjectFiles::BadIndex()
{
    return RaiseError(DISP_E_BADINDEX, ControlErrorCodes::InvalidPropertyArrayIndexText);
}

HRESULT STDMETHODCALLTYPE QvDataObjectFiles::get_Item(LONG index, BSTR* name)
{
    if (name == nullptr)
        return E_POINTER;
    *name = nullptr;
    if (index < 1 || index > count_)
        return BadIndex();
    const BSTR stored = Name(index);
    *name = SysAllocStringLen(stored, SysStringLen(stored));
    return *name != nullptr ? S_OK : E_OUTOFMEMORY;
}

HRESULT STDMETHODCALLTYPE QvDataObjectFiles::get_Count(LONG* count)
{
    if (count == nullptr)
        return E_POINTER;
    *count = count_;
    return S_OK;
}

HRESULT QvDataObjectFiles::IndexArgument(const VARIANT& index, LONG* value)
{
    VARIANT converted;
    VariantInit(&converted);
    const HRESULT hr = VariantChangeType(&converted, const_cast<VARIANT*>(&index), 0, VT_I4);
    if (FAILED(hr))
        return hr;
    *value = V_I4(&converted);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE QvDataObjectFiles::Add(BSTR name, VARIANT index)
{
    LONG position = count_ + 1;
    const bool missing = V_VT(&index) == VT_ERROR && V_ERROR(&index) == DISP_E_PARAMNOTFOUND;
    if (!missing) {
        const HRESULT hr = IndexArgument(index, &position);
        if (FAILED(hr))
            return hr;
        if (position < 1 || position > count_ + 1)
            return BadIndex();
    }
    const BSTR copy = SysAllocStringLen(name, SysStringLen(name));
    if (copy == nullptr)
        return E_OUTOFMEMORY;
    return Insert(copy, position);
}

HRESULT QvDataObjectFiles::Append(const char* name)
{
    AnsiString text(name);
    const BSTR copy = text.AllocSysString();
    if (copy == nullptr)
        return E_OUTOFMEMORY;
    return Insert(copy, count_ + 1);
}

HRESULT QvDataObjectFiles::Insert(BSTR name, LONG index)
{
    if (names_ == nullptr) {
        names_ = SafeArrayCreateVector(VT_BSTR, 1, NamesGrowth);
        if (names_ == nullptr) {
            SysFreeString(name);
            return E_OUTOFMEMORY;
        }
    }
    if (static_cast<LONG>(names_->rgsabound[0].cElements) < count_ + 1) {
        SAFEARRAYBOUND bound = {names_->rgsabound[0].cElements + NamesGrowth, 1};
        const HRESULT hr = SafeArrayRedim(names_, &bound);
        if (FAILED(hr)) {
            SysFreeString(name);
            return hr;
        }
    }
    BSTR* slots = static_cast<BSTR*>(names_->pvData);
    for (LONG i = count_; i >= index; --i)
        slots[i] = slots[i - 1];
    slots[index - 1] = name;
    ++count_;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE QvDataObjectFiles::Clear()
{
    if (names_ != nullptr)
        SafeArrayDestroy(names_);
    names_ = nullptr;
    count_ = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE QvDataObjectFiles::Remove(VARIANT index)
{
    LONG position = 0;
    const HRESULT hr = IndexArgument(index, &position);
    if (FAILED(hr))
        return hr;
    if (position < 1 || position > count_)
        return BadIndex();
    BSTR* slots = static_cast<BSTR*>(names_->pvData);
    SysFreeString(slots[position - 1]);
    for (LONG i = position; i < count_; ++i)
        slots[i - 1] = slots[i];
    slots[count_ - 1] = nullptr;
    --count_;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE QvDataObjectFiles::_NewEnum(IUnknown** enumerator)
{
    if (enumerator == nullptr)
        return E_POINTER;
    *enumerator = nullptr;
    return VariantEnumerator::Create(names_, count_, enumerator);
}
