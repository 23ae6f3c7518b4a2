// An open registry key, closed when it goes out of scope. Texts are ANSI, values REG_SZ.
#pragma once
#include <windows.h>

class RegistryKey {
public:
    RegistryKey() = default;
    ~RegistryKey() { Close(); }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    // Win32 error codes (ERROR_SUCCESS on success).
    LONG Create(HKEY parent, const char* name);
    LONG Open(HKEY parent, const char* name, REGSAM access);
    // Sets a text value; a null name is the key's default value.
    LONG SetText(const char* name, const char* text);
    // Reads a text value into `buffer` of `size` bytes; fails when it is missing, not text or too long.
    LONG ReadText(const char* name, char* buffer, DWORD size) const;
    void Close();

    HKEY Handle() const { return key_; }

    // Creates `name` under `parent` with `text` as its default value (none when text is null).
    static LONG CreateWithDefault(HKEY parent, const char* name, const char* text);
    // Deletes `name` under `parent` with everything below it; ERROR_SUCCESS when the key is gone.
    static LONG DeleteTree(HKEY parent, const char* name);
    static bool Exists(HKEY parent, const char* name);

private:
    HKEY key_ = nullptr;
};
