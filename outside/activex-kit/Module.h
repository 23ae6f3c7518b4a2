// The control library's module: its instance handle and the count of live objects and locks that
// decides whether the library may be unloaded.
#pragma once

#include <windows.h>

#include <string>

namespace korvane::kit {

class Module {
public:
    static HINSTANCE Instance();
    static void SetInstance(HINSTANCE instance);
    static void ObjectCreated();
    static void ObjectDestroyed();
    static void Lock(bool lock);
    static bool CanUnload();
    static std::string FileName();
};

// Counts one live object of the library for as long as it lives.
class ModuleObject {
public:
    ModuleObject() { Module::ObjectCreated(); }
    ModuleObject(const ModuleObject&) : ModuleObject() {}
    ModuleObject& operator=(const ModuleObject&) = default;
    ~ModuleObject() { Module::ObjectDestroyed(); }
};

} // namespace korvane::kit
