// ISpecifyPropertyPages of the control: the property pages its descriptor names, in their order.
#include "OleControl.h"

HRESULT STDMETHODCALLTYPE OleControl::PropertyPagesPart::GetPages(CAUUID* pages)
{
    if (pages == nullptr)
        return E_POINTER;
    const ControlDescriptor& row = control.ControlRow();
    pages->cElems = row.propertyPageCount;
    pages->pElems = nullptr;
    if (row.propertyPageCount == 0)
        return S_OK;
    pages->pElems = static_cast<GUID*>(CoTaskMemAlloc(sizeof(GUID) * row.propertyPageCount));
    if (pages->pElems == nullptr) {
        pages->cElems = 0;
        return E_OUTOFMEMORY;
    }
    for (UINT i = 0; i < row.propertyPageCount; ++i)
        pages->pElems[i] = *row.propertyPages[i];
    return S_OK;
}
