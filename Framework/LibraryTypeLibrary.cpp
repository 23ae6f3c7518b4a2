#include "LibraryTypeLibrary.h"

#include "Module.h"
#include "ObjectDescriptor.h"

#include <oleauto.h>

namespace LibraryTypeLibrary {

HRESULT LoadModuleCopy(ITypeLib** library)
{
    wchar_t path[MAX_PATH];
    if (!Module::WideFilePath(path, MAX_PATH))
        return E_FAIL;
    return LoadTypeLibEx(path, REGKIND_NONE, library);
}

HRESULT Load(WORD majorVersion, WORD minorVersion, LCID lcid, ITypeLib** library)
{
    if (ObjectDescriptorTable::typeLibraryId != nullptr &&
        SUCCEEDED(LoadRegTypeLib(*ObjectDescriptorTable::typeLibraryId, majorVersion, minorVersion, lcid, library)))
        return S_OK;
    return LoadModuleCopy(library);
}

} // namespace LibraryTypeLibrary
