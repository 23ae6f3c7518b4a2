#include "RegistryKey.h"

#include <cstring>

LONG RegistryKey::Create(HKEY parent, const char* name)
{
    Close();
    return RegCreateKeyExA(parent, name, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key_,
                           nullptr);
}

LONG RegistryKey::Open(HKEY parent, const char* name, REGSAM access)
{
    Close();
    return RegOpenKeyExA(parent, name, 0, access, &key_);
}

LONG RegistryKey::SetText(const char* name, const char* text)
{
    return RegSetValueExA(key_, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                          static_cast<DWORD>(std::strlen(text) + 1));
}

LONG RegistryKey::ReadText(const char* name, char* buffer, DWORD size) const
{
    DWORD type = 0;
    DWORD bytes = size;
    const LONG result = RegQueryValueExA(key_, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &bytes);
    if (result != ERROR_SUCCESS)
        return result;
    if (type != REG_SZ && type != REG_EXPAND_SZ)
        return ERROR_INVALID_DATA;
    // The stored text need not end with a NUL; it must still fit with one.
    if (bytes > 0 && buffer[bytes - 1] == '\0')
        return ERROR_SUCCESS;
    if (bytes >= size)
        return ERROR_MORE_DATA;
    buffer[bytes] = '\0';
    return ERROR_SUCCESS;
}

void RegistryKey::Close()
{
    if (key_ != nullptr)
        RegCloseKey(key_);
    key_ = nullptr;
}

LONG RegistryKey::CreateWithDefault(HKEY parent, const char* name, const char* text)
{
    RegistryKey key;
    LONG result = key.Create(parent, name);
    if (result == ERROR_SUCCESS && text != nullptr)
        result = key.SetText(nullptr, text);
    return result;
}

LONG RegistryKey::DeleteTree(HKEY parent, const char* name)
{
    {
        RegistryKey key;
        if (key.Open(parent, name, KEY_ALL_ACCESS) == ERROR_SUCCESS) {
            // Always the first subkey: each deletion moves the next one to index 0.
            char subkey[MAX_PATH];
            for (;;) {
                DWORD length = sizeof subkey;
                if (RegEnumKeyExA(key.Handle(), 0, subkey, &length, nullptr, nullptr, nullptr, nullptr) !=
                    ERROR_SUCCESS)
                    break;
                if (DeleteTree(key.Handle(), subkey) != ERROR_SUCCESS)
                    break;
            }
        }
    }
    return RegDeleteKeyA(parent, name);
}

bool RegistryKey::Exists(HKEY parent, const char* name)
{
    RegistryKey key;
    return key.Open(parent, name, KEY_READ) == ERROR_SUCCESS;
}
