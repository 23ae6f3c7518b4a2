#include "DropSource.h"

#include "DragDropEvents.h"
#include "DragDropManager.h"
#include "OleControl.h"

HRESULT STDMETHODCALLTYPE DropSource::QueryInterface(REFIID riid, void** object)
{
    if (object == nullptr)
        return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDropSource)) {
        *object = static_cast<IDropSource*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE DropSource::AddRef()
{
    return static_cast<ULONG>(InterlockedIncrement(&count_));
}

ULONG STDMETHODCALLTYPE DropSource::Release()
{
    const LONG count = InterlockedDecrement(&count_);
    if (count == 0)
        delete this;
    return static_cast<ULONG>(count);
}

HRESULT STDMETHODCALLTYPE DropSource::QueryContinueDrag(BOOL escapePressed, DWORD keyState)
{
    // A drag whose control window a handler destroyed has no source left to finish it.
    if (escapePressed || manager_.Window() == nullptr)
        return DRAGDROP_S_CANCEL;
    DWORD& flags = manager_.flags_;
    constexpr DWORD StartButtons = DragDropManager::LeftButtonAtStart | DragDropManager::RightButtonAtStart;
    if (((flags & DragDropManager::LeftButtonAtStart) && !(keyState & MK_LBUTTON)) ||
        ((flags & DragDropManager::RightButtonAtStart) && !(keyState & MK_RBUTTON))) {
        flags &= ~StartButtons;
        return DRAGDROP_S_DROP;
    }
    if (!(flags & StartButtons)) {
        // Started from code: the buttons pressed now are the drag's own, and letting go of them drops.
        if (keyState & MK_LBUTTON)
            flags |= DragDropManager::LeftButtonAtStart;
        if (keyState & MK_RBUTTON)
            flags |= DragDropManager::RightButtonAtStart;
    }
    return S_OK;
}

HRESULT STDMETHODCALLTYPE DropSource::GiveFeedback(DWORD effect)
{
    LONG shown = static_cast<LONG>(effect);
    VARIANT_BOOL defaultCursors = VARIANT_TRUE;
    manager_.owner_.FireEvent(&OLEGiveFeedbackEvent, &shown, &defaultCursors);
    if (manager_.Window() == nullptr)
        return E_UNEXPECTED;
    return defaultCursors != VARIANT_FALSE ? DRAGDROP_S_USEDEFAULTCURSORS : S_OK;
}
