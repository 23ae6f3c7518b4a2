// Reading back what self-registration wrote under HKEY_CLASSES_ROOT, for the tests.
#pragma once
#include <windows.h>

#include <set>
#include <string>

namespace RegistryReader {

// What Value answers for a key or value that is not there.
extern const char Missing[];

// The default value (or the named value) of a key; Missing when absent or not text.
std::string Value(const std::string& key, const char* name = nullptr);
bool Exists(const std::string& key);
std::set<std::string> Subkeys(const std::string& key);
// A key with everything below it as text: names and default values.
std::string Tree(const std::string& key);
void DeleteTree(const std::string& key);
// "{XXXXXXXX-...}" as the registry spells a GUID.
std::string GuidText(const GUID& guid);
std::string ClsidKey(const CLSID& clsid);

} // namespace RegistryReader
