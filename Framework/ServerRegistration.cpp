#include "ServerRegistration.h"

#include "ComReference.h"
#include "LibraryTypeLibrary.h"
#include "Module.h"
#include "ObjectDescriptor.h"
#include "RegistryKey.h"

#include <oleauto.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace {

const char ProgIdPrefix[] = "Plyx";
// Where an installation may name the folder of the help files.
const char HelpDirectoryKey[] = "Oskadel.ActivePlyx.ActiveX\\Version%d\\HelpFileDir";
const int HelpDirectoryVersion = 2;

// Registry texts are at most MAX_PATH characters; a text that would be longer fails its step.
typedef char RegistryText[MAX_PATH];

bool Format(RegistryText& text, const char* format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    const int length = std::vsnprintf(text, sizeof text, format, arguments);
    va_end(arguments);
    if (length < 0 || static_cast<size_t>(length) >= sizeof text) {
        text[0] = '\0';
        return false;
    }
    return true;
}

void GuidText(const GUID& guid, RegistryText& text)
{
    Format(text, "{%08lX-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", static_cast<unsigned long>(guid.Data1),
           guid.Data2, guid.Data3, guid.Data4[0], guid.Data4[1], guid.Data4[2], guid.Data4[3], guid.Data4[4],
           guid.Data4[5], guid.Data4[6], guid.Data4[7]);
}

HRESULT FromWin32(LONG result)
{
    return result == ERROR_SUCCESS ? S_OK : HRESULT_FROM_WIN32(static_cast<DWORD>(result));
}

// Ends a step at its first failing registry call.
#define RETURN_IF_FAILED(call)                                                                               \
    do {                                                                                                     \
        const HRESULT stepResult_ = (call);                                                                  \
        if (FAILED(stepResult_))                                                                             \
            return stepResult_;                                                                              \
    } while (0)

HRESULT CreateWithDefault(HKEY parent, const char* name, const char* text)
{
    return FromWin32(RegistryKey::CreateWithDefault(parent, name, text));
}

// The names built for one row.
struct RowNames {
    RegistryText clsid;           // {...}
    RegistryText clsidKey;        // CLSID\{...}
    RegistryText progId;          // Plyx.Name
    RegistryText versionedProgId; // Plyx.Name.2
};

bool BuildNames(const AutomationDescriptor& row, RowNames& names)
{
    GuidText(*row.clsid, names.clsid);
    return Format(names.clsidKey, "CLSID\\%s", names.clsid) &&
           Format(names.progId, "%s.%s", ProgIdPrefix, row.objectName) &&
           Format(names.versionedProgId, "%s.%s.%ld", ProgIdPrefix, row.objectName,
                  static_cast<long>(row.majorVersion));
}

// Removes the CLSID registration. When a 16-bit server shares the CLSID, only the 32-bit server key
// goes; true when nothing of the CLSID is left (so its ProgIDs may go too).
bool RemoveClsid(const RowNames& names)
{
    RegistryKey classes;
    if (classes.Open(HKEY_CLASSES_ROOT, "CLSID", KEY_ALL_ACCESS) != ERROR_SUCCESS)
        return true;
    RegistryText shared;
    if (Format(shared, "%s\\InprocServer", names.clsid) && RegistryKey::Exists(classes.Handle(), shared)) {
        RegistryText server32;
        if (Format(server32, "%s\\InprocServer32", names.clsid))
            RegistryKey::DeleteTree(classes.Handle(), server32);
        return false;
    }
    RegistryKey::DeleteTree(classes.Handle(), names.clsid);
    return !RegistryKey::Exists(classes.Handle(), names.clsid);
}

HRESULT RegisterClsid(const AutomationDescriptor& row, const RowNames& names, const char* modulePath)
{
    RemoveClsid(names);
    RegistryText text;
    if (!Format(text, "%s Object", row.objectName))
        return E_FAIL;
    RegistryKey clsid;
    RETURN_IF_FAILED(FromWin32(clsid.Create(HKEY_CLASSES_ROOT, names.clsidKey)));
    RETURN_IF_FAILED(FromWin32(clsid.SetText(nullptr, text)));
    RegistryKey server;
    RETURN_IF_FAILED(FromWin32(server.Create(clsid.Handle(), "InprocServer32")));
    RETURN_IF_FAILED(FromWin32(server.SetText(nullptr, modulePath)));
    return FromWin32(server.SetText("ThreadingModel", "Apartment"));
}

HRESULT RegisterProgIds(const AutomationDescriptor& row, const RowNames& names, const char* modulePath,
                        bool control)
{
    RETURN_IF_FAILED(RegisterClsid(row, names, modulePath));
    RegistryText description;
    RegistryText objectDescription;
    if (!Format(description, control ? "%s Control" : "%s Object", row.objectName) ||
        !Format(objectDescription, "%s Object", row.objectName))
        return E_FAIL;

    RegistryKey progId;
    RETURN_IF_FAILED(FromWin32(progId.Create(HKEY_CLASSES_ROOT, names.progId)));
    RETURN_IF_FAILED(FromWin32(progId.SetText(nullptr, description)));
    RETURN_IF_FAILED(CreateWithDefault(progId.Handle(), "CLSID", names.clsid));
    RETURN_IF_FAILED(CreateWithDefault(progId.Handle(), "CurVer", names.versionedProgId));

    RegistryKey versioned;
    RETURN_IF_FAILED(FromWin32(versioned.Create(HKEY_CLASSES_ROOT, names.versionedProgId)));
    RETURN_IF_FAILED(FromWin32(versioned.SetText(nullptr, objectDescription)));
    RETURN_IF_FAILED(CreateWithDefault(versioned.Handle(), "CLSID", names.clsid));

    RegistryKey clsid;
    RETURN_IF_FAILED(FromWin32(clsid.Open(HKEY_CLASSES_ROOT, names.clsidKey, KEY_ALL_ACCESS)));
    RETURN_IF_FAILED(CreateWithDefault(clsid.Handle(), "VersionIndependentProgID", names.progId));
    RETURN_IF_FAILED(CreateWithDefault(clsid.Handle(), "ProgID", names.versionedProgId));
    if (ObjectDescriptorTable::typeLibraryId != nullptr) {
        RegistryText libraryId;
        GuidText(*ObjectDescriptorTable::typeLibraryId, libraryId);
        RETURN_IF_FAILED(CreateWithDefault(clsid.Handle(), "TypeLib", libraryId));
    }
    return S_OK;
}

// The component categories, by bit of a control's category mask, named as the registry has always
// carried them (bits 5 and 6 with their lower-case letters).
const char* const ComponentCategories[] = {
    "{7DD95801-9882-11CF-9FA9-00AA006C42C4}", // safe for scripting
    "{7DD95802-9882-11CF-9FA9-00AA006C42C4}", // safe for initializing
    "{157083E0-2368-11CF-87B9-00AA006C8166}", // simple frame control
    "{157083E1-2368-11CF-87B9-00AA006C8166}", // property notify control
    "{157083E2-2368-11CF-87B9-00AA006C8166}", // data bound
    "{02496840-3ac4-11cf-87B9-00AA006C8166}", // format
    "{02496841-3ac4-11cf-87B9-00AA006C8166}", // get control
    "{0DE86A51-2BAA-11CF-A229-00AA003D7352}", // persists to moniker
    "{0DE86A52-2BAA-11CF-A229-00AA003D7352}", // persists to storage
    "{0DE86A53-2BAA-11CF-A229-00AA003D7352}", // persists to stream (init)
    "{0DE86A54-2BAA-11CF-A229-00AA003D7352}", // persists to stream
    "{0DE86A55-2BAA-11CF-A229-00AA003D7352}", // persists to memory
    "{0DE86A56-2BAA-11CF-A229-00AA003D7352}", // persists to file
    "{0DE86A57-2BAA-11CF-A229-00AA003D7352}", // persists to property bag
    "{1D06B600-3AE3-11CF-87B9-00AA006C8166}", // windowless object
};

HRESULT RegisterControl(const ControlDescriptor& row, const RowNames& names, const char* modulePath)
{
    RegistryKey clsid;
    RETURN_IF_FAILED(FromWin32(clsid.Open(HKEY_CLASSES_ROOT, names.clsidKey, KEY_ALL_ACCESS)));
    RETURN_IF_FAILED(CreateWithDefault(clsid.Handle(), "Control", nullptr));

    RegistryKey miscStatus;
    RETURN_IF_FAILED(FromWin32(miscStatus.Create(clsid.Handle(), "MiscStatus")));
    RETURN_IF_FAILED(FromWin32(miscStatus.SetText(nullptr, "0")));
    RegistryText text;
    Format(text, "%d", static_cast<int>(row.miscStatus));
    RETURN_IF_FAILED(CreateWithDefault(miscStatus.Handle(), "1", text));

    RegistryKey categories;
    RETURN_IF_FAILED(FromWin32(categories.Create(clsid.Handle(), "Implemented Categories")));
    const int categoryCount = static_cast<int>(sizeof ComponentCategories / sizeof ComponentCategories[0]);
    for (int bit = 0; bit < categoryCount; ++bit) {
        if ((row.categoryMask & (1u << bit)) == 0)
            continue;
        RETURN_IF_FAILED(CreateWithDefault(categories.Handle(), ComponentCategories[bit], nullptr));
    }

    if (!Format(text, "%s, %d", modulePath, static_cast<int>(row.toolboxBitmapId)))
        return E_FAIL;
    RETURN_IF_FAILED(CreateWithDefault(clsid.Handle(), "ToolboxBitmap32", text));
    Format(text, "%ld.%ld", static_cast<long>(row.majorVersion), static_cast<long>(row.minorVersion));
    return CreateWithDefault(clsid.Handle(), "Version", text);
}

bool FileExists(const char* path)
{
    const DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

HRESULT RegisterRow(int rowIndex, const char* modulePath)
{
    const ObjectDescriptorRow& row = ObjectDescriptorTable::rows[rowIndex];
    RowNames names;
    if (!BuildNames(*row.info, names))
        return E_FAIL;
    switch (row.kind) {
    case ObjectKindAutomation:
        return RegisterProgIds(*row.info, names, modulePath, false);
    case ObjectKindControl:
        RETURN_IF_FAILED(RegisterProgIds(*row.info, names, modulePath, true));
        return RegisterControl(*ObjectDescriptorTable::Control(rowIndex), names, modulePath);
    default:
        return RegisterClsid(*row.info, names, modulePath);
    }
}

HRESULT RegisterTypeLibrary(const char* helpDirectory)
{
    wchar_t path[MAX_PATH];
    if (!Module::WideFilePath(path, MAX_PATH))
        return E_FAIL;
    ComReference<ITypeLib> library;
    HRESULT hr = LibraryTypeLibrary::LoadModuleCopy(library.Out());
    if (FAILED(hr))
        return hr;
    wchar_t* wideHelp = nullptr;
    if (helpDirectory != nullptr) {
        const int length = MultiByteToWideChar(CP_ACP, 0, helpDirectory, -1, nullptr, 0);
        wideHelp = static_cast<wchar_t*>(CoTaskMemAlloc(sizeof(wchar_t) * (length > 0 ? length : 1)));
        if (wideHelp == nullptr)
            return E_OUTOFMEMORY;
        if (MultiByteToWideChar(CP_ACP, 0, helpDirectory, -1, wideHelp, length) == 0)
            wideHelp[0] = L'\0';
    }
    hr = RegisterTypeLib(library.Get(), path, wideHelp);
    CoTaskMemFree(wideHelp);
    return hr;
}

void UnregisterTypeLibrary()
{
    ComReference<ITypeLib> library;
    if (FAILED(LibraryTypeLibrary::LoadModuleCopy(library.Out())))
        return;
    TLIBATTR* attributes = nullptr;
    if (FAILED(library->GetLibAttr(&attributes)))
        return;
    UnRegisterTypeLib(*ObjectDescriptorTable::typeLibraryId, attributes->wMajorVerNum, attributes->wMinorVerNum,
                      attributes->lcid, attributes->syskind);
    library->ReleaseTLibAttr(attributes);
}

} // namespace

ServerRegistration::HelpDirectory::HelpDirectory(const char* modulePath) : modulePath_(modulePath) {}

void ServerRegistration::HelpDirectory::Consider(const char* helpFile)
{
    if (found_)
        return;
    if (!baseChosen_) {
        baseChosen_ = true;
        if (!InstalledBase() && !ModuleFolderPlus("", base_))
            return;
    }
    if (helpFile == nullptr || helpFile[0] == '\0')
        return;
    RegistryText candidate;
    if (!Format(candidate, "%s%s", base_, helpFile) || !FileExists(candidate)) {
        if (!ModuleFolderPlus("Help\\", base_))
            return;
        if (!Format(candidate, "%s%s", base_, helpFile) || !FileExists(candidate))
            return;
    }
    found_ = true;
    std::strcpy(directory_, base_);
    directory_[std::strlen(directory_) - 1] = '\0';
}

bool ServerRegistration::HelpDirectory::InstalledBase()
{
    RegistryText keyName;
    RegistryText value;
    RegistryKey key;
    if (!Format(keyName, HelpDirectoryKey, HelpDirectoryVersion) ||
        key.Open(HKEY_CLASSES_ROOT, keyName, KEY_READ) != ERROR_SUCCESS ||
        key.ReadText(nullptr, value, sizeof value) != ERROR_SUCCESS)
        return false;
    return Format(base_, "%s\\", value);
}

bool ServerRegistration::HelpDirectory::ModuleFolderPlus(const char* tail, char (&text)[MAX_PATH]) const
{
    const char* lastSlash = std::strrchr(modulePath_, '\\');
    const int folderLength = lastSlash != nullptr ? static_cast<int>(lastSlash - modulePath_ + 1) : 0;
    return Format(text, "%.*s%s", folderLength, modulePath_, tail);
}

namespace ServerRegistration {

HRESULT RegisterObjects()
{
    RegistryText modulePath;
    if (!Module::FilePath(modulePath, sizeof modulePath))
        return E_FAIL;
    HelpDirectory help(modulePath);
    HRESULT result = S_OK;
    for (int row = 0; ObjectDescriptorTable::rows[row].kind != ObjectKindEndOfTable; ++row) {
        const AutomationDescriptor* info = ObjectDescriptorTable::rows[row].info;
        if (info == nullptr || info->clsid == nullptr)
            continue;
        help.Consider(info->helpFile);
        // A failing row does not stop the others; its failure is still the answer.
        const HRESULT hr = RegisterRow(row, modulePath);
        if (FAILED(hr) && SUCCEEDED(result))
            result = hr;
    }
    if (ObjectDescriptorTable::typeLibraryId != nullptr) {
        const HRESULT hr = RegisterTypeLibrary(help.Found());
        if (SUCCEEDED(result))
            result = hr;
    }
    // A library registered in part would be found by some of its names and fail on others: what
    // this call wrote goes again, so that a failure leaves nothing of the library registered.
    if (FAILED(result))
        UnregisterObjects();
    return result;
}

HRESULT UnregisterObjects()
{
    for (int row = 0; ObjectDescriptorTable::rows[row].kind != ObjectKindEndOfTable; ++row) {
        const ObjectDescriptorRow& entry = ObjectDescriptorTable::rows[row];
        if (entry.info == nullptr || entry.info->clsid == nullptr)
            continue;
        RowNames names;
        if (!BuildNames(*entry.info, names))
            continue;
        const bool clsidGone = RemoveClsid(names);
        // The versioned ProgID goes only with the plain one.
        if (clsidGone && (entry.kind == ObjectKindAutomation || entry.kind == ObjectKindControl) &&
            RegistryKey::DeleteTree(HKEY_CLASSES_ROOT, names.progId) == ERROR_SUCCESS)
            RegistryKey::DeleteTree(HKEY_CLASSES_ROOT, names.versionedProgId);
    }
    if (ObjectDescriptorTable::typeLibraryId != nullptr)
        UnregisterTypeLibrary();
    return S_OK;
}

} // namespace ServerRegistration
