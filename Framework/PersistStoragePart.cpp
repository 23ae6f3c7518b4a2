// IPersistStorage of the control: its binary state in the stream "Contents" of a storage.
#include "ComReference.h"
#include "OleControl.h"

namespace {
const wchar_t* const ContentsStreamName = L"Contents";
}

HRESULT STDMETHODCALLTYPE OleControl::PersistStoragePart::GetClassID(CLSID* clsid)
{
    if (clsid == nullptr)
        return E_POINTER;
    control.GetClassIdOf(clsid);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE OleControl::PersistStoragePart::IsDirty()
{
    return control.IsDirty() ? S_OK : S_FALSE;
}

// The storage is not kept: everything is written in Save.
HRESULT STDMETHODCALLTYPE OleControl::PersistStoragePart::InitNew(IStorage*) { return control.InitNewState(); }

HRESULT STDMETHODCALLTYPE OleControl::PersistStoragePart::Load(IStorage* storage)
{
    if (storage == nullptr)
        return E_POINTER;
    ComReference<IStream> stream;
    const HRESULT hr =
        storage->OpenStream(ContentsStreamName, nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, 0, stream.Out());
    if (FAILED(hr))
        return hr;
    return control.LoadFromStream(stream.Get());
}

HRESULT STDMETHODCALLTYPE OleControl::PersistStoragePart::Save(IStorage* storage, BOOL)
{
    if (storage == nullptr)
        return E_POINTER;
    // Until every write has succeeded, SaveCompleted must not take this save for a good one: a
    // stream that cannot be created fails the save as much as a write does.
    control.ambientFlags_ &= ~AmbientStorageSaved;
    ComReference<IStream> stream;
    HRESULT hr = storage->CreateStream(ContentsStreamName, STGM_CREATE | STGM_WRITE | STGM_SHARE_EXCLUSIVE, 0, 0,
                                       stream.Out());
    if (FAILED(hr))
        return hr;
    hr = control.SaveToStream(stream.Get());
    if (SUCCEEDED(hr))
        control.ambientFlags_ |= AmbientStorageSaved;
    return hr;
}

HRESULT STDMETHODCALLTYPE OleControl::PersistStoragePart::SaveCompleted(IStorage*)
{
    if (control.ambientFlags_ & AmbientStorageSaved)
        control.SaveDone(TRUE);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE OleControl::PersistStoragePart::HandsOffStorage() { return S_OK; }
