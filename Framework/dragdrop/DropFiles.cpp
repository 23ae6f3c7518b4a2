#include "DropFiles.h"

#include "DragDropErrors.h"
#include "MediumMemory.h"
#include "Module.h"
#include "QvDataObjectFiles.h"

#include <shlobj.h>
#include <cstring>

namespace {

// The shell's file-list functions, bound at run time (the library does not import the shell).
struct ShellBinding {
    typedef void(WINAPI* DragFinishFunction)(HDROP);
    typedef UINT(WINAPI* DragQueryFileFunction)(HDROP, UINT, LPSTR, UINT);
    typedef HICON(WINAPI* ExtractIconFunction)(HINSTANCE, LPCSTR, UINT);

    HMODULE library = nullptr;
    DragFinishFunction dragFinish = nullptr;
    DragQueryFileFunction dragQueryFile = nullptr;
    ExtractIconFunction extractIcon = nullptr;

    bool Bound() const { return library != nullptr; }
};

// Bound once per process, on the first thread that needs it; kept until the process ends.
const ShellBinding& BoundShell()
{
    static const ShellBinding binding = [] {
        ShellBinding shell;
        HMODULE library = LoadLibraryA("SHELL32.DLL");
        if (library == nullptr)
            return shell;
        shell.dragFinish = reinterpret_cast<ShellBinding::DragFinishFunction>(
            reinterpret_cast<void*>(GetProcAddress(library, "DragFinish")));
        shell.dragQueryFile = reinterpret_cast<ShellBinding::DragQueryFileFunction>(
            reinterpret_cast<void*>(GetProcAddress(library, "DragQueryFileA")));
        shell.extractIcon = reinterpret_cast<ShellBinding::ExtractIconFunction>(
            reinterpret_cast<void*>(GetProcAddress(library, "ExtractIconA")));
        if (shell.dragFinish == nullptr || shell.dragQueryFile == nullptr || shell.extractIcon == nullptr) {
            FreeLibrary(library);
            return ShellBinding{};
        }
        shell.library = library;
        return shell;
    }();
    return binding;
}

// The ANSI size of a name with its NUL.
int AnsiSize(BSTR name)
{
    const int length = static_cast<int>(SysStringLen(name));
    if (length == 0)
        return 1;
    return WideCharToMultiByte(CP_ACP, 0, name, length, nullptr, 0, nullptr, nullptr) + 1;
}

// Whether a file list holds all it claims: its names start inside the block, and the empty name that
// ends the list lies inside it too (the shell reads on to that end).
bool DropListFits(HGLOBAL drop)
{
    const SIZE_T size = GlobalSize(drop);
    const auto* bytes = static_cast<const BYTE*>(GlobalLock(drop));
    if (bytes == nullptr)
        return false;
    bool fits = false;
    if (size >= sizeof(DROPFILES)) {
        DROPFILES header;
        std::memcpy(&header, bytes, sizeof header);
        const SIZE_T unit = header.fWide ? sizeof(WCHAR) : 1;
        bool nameStarts = true;
        for (SIZE_T at = header.pFiles; at <= size && size - at >= unit; at += unit) {
            const bool nul = bytes[at] == 0 && (unit == 1 || bytes[at + 1] == 0);
            if (nul && nameStarts) {
                fits = true;
                break;
            }
            nameStarts = nul;
        }
    }
    GlobalUnlock(drop);
    return fits;
}

} // namespace

HGLOBAL DropFilesMemory(QvDataObjectFiles& files)
{
    SIZE_T size = sizeof(DROPFILES) + 1;
    for (LONG i = 1; i <= files.Count(); ++i)
        size += AnsiSize(files.Name(i));
    MediumMemory memory(size);
    auto* header = memory.Bytes<DROPFILES>();
    if (header == nullptr)
        return nullptr;
    header->pFiles = sizeof(DROPFILES);
    header->pt.x = 0;
    header->pt.y = 0;
    header->fNC = FALSE;
    header->fWide = FALSE;
    char* names = reinterpret_cast<char*>(header) + sizeof(DROPFILES);
    for (LONG i = 1; i <= files.Count(); ++i) {
        const BSTR name = files.Name(i);
        const int length = static_cast<int>(SysStringLen(name));
        const int room = AnsiSize(name);
        const int written = length == 0 ? 0 : WideCharToMultiByte(CP_ACP, 0, name, length, names, room - 1, nullptr, nullptr);
        names[written] = '\0';
        names += room;
    }
    *names = '\0';
    return memory.HandOver();
}

HRESULT AppendDropFiles(HGLOBAL drop, QvDataObjectFiles& files)
{
    const ShellBinding& shell = BoundShell();
    if (!shell.Bound())
        return DragDropErrors::AsResult(DragDropErrors::ShellLibraryMissing);
    if (!DropListFits(drop))
        return DV_E_FORMATETC;
    const HDROP handle = static_cast<HDROP>(drop);
    const UINT count = shell.dragQueryFile(handle, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        const UINT length = shell.dragQueryFile(handle, i, nullptr, 0);
        char* name = static_cast<char*>(Module::Allocate(length + 1));
        if (name == nullptr)
            return E_OUTOFMEMORY;
        name[0] = '\0';
        shell.dragQueryFile(handle, i, name, length + 1);
        const HRESULT hr = files.Append(name);
        Module::Free(name);
        if (FAILED(hr))
            return hr;
    }
    return S_OK;
}
