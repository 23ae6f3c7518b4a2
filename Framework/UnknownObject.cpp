#include "UnknownObject.h"

#include "Module.h"

UnknownObject::UnknownObject(IUnknown* outer, IDispatch* dispatchInterface)
    : privateUnknown_(*this),
      outer_(outer != nullptr ? outer : &privateUnknown_),
      dispatchInterface_(dispatchInterface)
{
    Module::AddObject();
}

UnknownObject::~UnknownObject()
{
    Module::ReleaseObject();
}

HRESULT UnknownObject::InternalQueryInterface(REFIID, void** object)
{
    *object = nullptr;
    return E_NOINTERFACE;
}

void UnknownObject::BeforeDestroy() {}

HRESULT STDMETHODCALLTYPE UnknownObject::PrivateUnknownInterface::QueryInterface(REFIID riid, void** object)
{
    if (object == nullptr)
        return E_POINTER;
    if (SameIid(riid, IID_IUnknown)) {
        *object = static_cast<IUnknown*>(this);
        ++count_;
        return S_OK;
    }
    return owner_.InternalQueryInterface(riid, object);
}

ULONG STDMETHODCALLTYPE UnknownObject::PrivateUnknownInterface::AddRef()
{
    return ++count_;
}

ULONG STDMETHODCALLTYPE UnknownObject::PrivateUnknownInterface::Release()
{
    if (count_ != 1)
        return --count_;
    // Held at 2 while the object takes itself apart: references taken and dropped by the teardown
    // move the count between 2 and 3 and never reach the destruction again.
    count_ = 2;
    owner_.BeforeDestroy();
    count_ = 0;
    delete &owner_;
    return 0;
}
