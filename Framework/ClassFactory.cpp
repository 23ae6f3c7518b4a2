#include "ClassFactory.h"

#include "Module.h"
#include "ObjectDescriptor.h"
#include "UnknownObject.h"

ClassFactory::ClassFactory(int row) : row_(row)
{
    Module::AddObject();
}

ClassFactory::~ClassFactory()
{
    Module::ReleaseObject();
}

HRESULT STDMETHODCALLTYPE ClassFactory::QueryInterface(REFIID riid, void** object)
{
    if (object == nullptr)
        return E_POINTER;
    if (UnknownObject::SameIid(riid, IID_IUnknown) || UnknownObject::SameIid(riid, IID_IClassFactory)) {
        *object = static_cast<IClassFactory*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE ClassFactory::AddRef()
{
    return ++count_;
}

ULONG STDMETHODCALLTYPE ClassFactory::Release()
{
    const ULONG count = --count_;
    if (count == 0)
        delete this;
    return count;
}

HRESULT STDMETHODCALLTYPE ClassFactory::CreateInstance(IUnknown* outer, REFIID riid, void** object)
{
    if (object == nullptr)
        return E_INVALIDARG;
    return CreateObject(outer, row_, riid, object);
}

HRESULT STDMETHODCALLTYPE ClassFactory::LockServer(BOOL lock)
{
    if (lock)
        Module::AddObject();
    else
        Module::ReleaseObject();
    return S_OK;
}

HRESULT ClassFactory::CreateObject(IUnknown* outer, int row, REFIID riid, void** object)
{
    *object = nullptr;
    const CreateObjectFunction create = ObjectDescriptorTable::Automation(row)->create;
    IUnknown* created = create != nullptr ? create(outer) : nullptr;
    if (created == nullptr)
        return E_OUTOFMEMORY;
    if (outer != nullptr) {
        // An aggregated object can only be handed out as its private unknown: the count of 1 it was
        // created with passes to the aggregating object.
        if (!IsEqualIID(riid, IID_IUnknown)) {
            created->Release();
            return E_INVALIDARG;
        }
        *object = created;
        return S_OK;
    }
    // A failed query leaves no reference, and the object goes with the one it was created with.
    const HRESULT hr = created->QueryInterface(riid, object);
    created->Release();
    if (FAILED(hr))
        *object = nullptr;
    return hr;
}
