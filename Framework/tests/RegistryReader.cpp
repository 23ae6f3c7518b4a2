#include "RegistryReader.h"

#include <objbase.h>

namespace RegistryReader {

const char Missing[] = "<missing>";

namespace {
class OpenKey {
public:
    explicit OpenKey(const std::string& key)
    {
        if (RegOpenKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &handle_) != ERROR_SUCCESS)
            handle_ = nullptr;
    }
    ~OpenKey()
    {
        if (handle_ != nullptr)
            RegCloseKey(handle_);
    }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;
    HKEY Handle() const { return handle_; }

private:
    HKEY handle_ = nullptr;
};
} // namespace

std::string Value(const std::string& key, const char* name)
{
    const OpenKey open(key);
    if (open.Handle() == nullptr)
        return Missing;
    char buffer[1024];
    DWORD type = 0;
    DWORD bytes = sizeof buffer - 1;
    if (RegQueryValueExA(open.Handle(), name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &bytes) !=
            ERROR_SUCCESS ||
        type != REG_SZ)
        return Missing;
    buffer[bytes] = '\0';
    return std::string(buffer);
}

bool Exists(const std::string& key)
{
    return OpenKey(key).Handle() != nullptr;
}

std::set<std::string> Subkeys(const std::string& key)
{
    std::set<std::string> names;
    const OpenKey open(key);
    if (open.Handle() == nullptr)
        return names;
    char name[MAX_PATH];
    for (DWORD index = 0;; ++index) {
        DWORD length = sizeof name;
        if (RegEnumKeyExA(open.Handle(), index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        names.insert(name);
    }
    return names;
}

std::string Tree(const std::string& key)
{
    if (!Exists(key))
        return key + " " + Missing + "\n";
    std::string text = key + " = " + Value(key) + "\n";
    for (const std::string& name : Subkeys(key))
        text += Tree(key + "\\" + name);
    return text;
}

void DeleteTree(const std::string& key)
{
    RegDeleteTreeA(HKEY_CLASSES_ROOT, key.c_str());
}

std::string GuidText(const GUID& guid)
{
    wchar_t wide[40];
    const int length = StringFromGUID2(guid, wide, 40);
    return length > 0 ? std::string(wide, wide + length - 1) : std::string();
}

std::string ClsidKey(const CLSID& clsid)
{
    return "CLSID\\" + GuidText(clsid);
}

} // namespace RegistryReader
