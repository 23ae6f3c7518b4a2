#include "Registration.h"

#include "ControlClass.h"
#include "Module.h"

#include <oleauto.h>

#include <string>

namespace korvane::kit {

namespace {

std::string GuidText(REFGUID guid)
{
    wchar_t wide[40] = {};
    StringFromGUID2(guid, wide, 40);
    char text[40] = {};
    WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof text, nullptr, nullptr);
    return text;
}

std::wstring WideText(const std::string& text)
{
    std::wstring wide(text.size() + 1, L'\0');
    int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), static_cast<int>(wide.size()));
    wide.resize(length > 0 ? static_cast<size_t>(length - 1) : 0);
    return wide;
}

// Sets the value `name` (the default value when null) of the key `path` under HKEY_CLASSES_ROOT.
LONG SetClassesValue(const std::string& path, const char* name, const std::string& value)
{
    HKEY key = nullptr;
    LONG result = RegCreateKeyExA(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr);
    if (result != ERROR_SUCCESS)
        return result;
    result = RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                            static_cast<DWORD>(value.size() + 1));
    RegCloseKey(key);
    return result;
}

HRESULT RegisterClassKeys(const ControlClass& control, const std::string& modulePath)
{
    const std::string clsid = GuidText(*control.clsid);
    const std::string classKey = "CLSID\\" + clsid;
    const struct {
        std::string path;
        const char* name;
        std::string value;
    } rows[] = {
        {classKey, nullptr, control.description},
        {classKey + "\\InprocServer32", nullptr, modulePath},
        {classKey + "\\InprocServer32", "ThreadingModel", "Apartment"},
        {classKey + "\\ProgID", nullptr, control.progId},
        {classKey + "\\Control", nullptr, ""},
        {classKey + "\\TypeLib", nullptr, GuidText(*control.libraryId)},
        {classKey + "\\Version", nullptr, std::to_string(control.libraryMajor) + "." + std::to_string(control.libraryMinor)},
        {classKey + "\\MiscStatus", nullptr, std::to_string(control.miscStatus)},
        {control.progId, nullptr, control.description},
        {std::string(control.progId) + "\\CLSID", nullptr, clsid},
    };
    for (const auto& row : rows) {
        LONG result = SetClassesValue(row.path, row.name, row.value);
        if (result != ERROR_SUCCESS)
            return HRESULT_FROM_WIN32(result);
    }
    return S_OK;
}

} // namespace

HRESULT RegisterControlClasses()
{
    const std::string modulePath = Module::FileName();
    if (modulePath.empty())
        return HRESULT_FROM_WIN32(GetLastError());
    for (size_t i = 0; i < kControlClassCount; ++i) {
        HRESULT hr = RegisterClassKeys(*kControlClasses[i], modulePath);
        if (FAILED(hr))
            return hr;
    }
    ITypeLib* library = nullptr;
    const std::wstring widePath = WideText(modulePath);
    HRESULT hr = LoadTypeLibEx(widePath.c_str(), REGKIND_NONE, &library);
    if (FAILED(hr))
        return hr;
    std::wstring registeredPath = widePath;
    hr = RegisterTypeLib(library, registeredPath.data(), nullptr);
    library->Release();
    return hr;
}

HRESULT UnregisterControlClasses()
{
    HRESULT outcome = S_OK;
    for (size_t i = 0; i < kControlClassCount; ++i) {
        const ControlClass& control = *kControlClasses[i];
        for (const std::string& path : {"CLSID\\" + GuidText(*control.clsid), std::string(control.progId)}) {
            LONG result = RegDeleteTreeA(HKEY_CLASSES_ROOT, path.c_str());
            if (result != ERROR_SUCCESS && result != ERROR_FILE_NOT_FOUND)
                outcome = HRESULT_FROM_WIN32(result);
        }
    }
    if (kControlClassCount > 0) {
        const ControlClass& first = *kControlClasses[0];
        HRESULT hr = UnRegisterTypeLib(*first.libraryId, first.libraryMajor, first.libraryMinor, LOCALE_NEUTRAL,
                                       sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32);
        if (FAILED(hr) && hr != TYPE_E_REGISTRYACCESS && SUCCEEDED(outcome))
            outcome = hr;
    }
    return outcome;
}

} // namespace korvane::kit
