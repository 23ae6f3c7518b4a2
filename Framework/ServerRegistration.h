// Self-registration of every row of ObjectDescriptorTable under HKEY_CLASSES_ROOT (CLSID, ProgIDs,
// control keys, component categories) and of the type library inside the module.
#pragma once
#include <windows.h>

namespace ServerRegistration {

// Writes the keys of every row and registers the type library. Returns the first failure of any row
// (the walk still goes on over the other rows), else the type library's result; on a failure what
// was written is removed again (as UnregisterObjects), so that nothing stays registered.
HRESULT RegisterObjects();
// Removes what RegisterObjects wrote; missing keys are skipped. Always S_OK.
HRESULT UnregisterObjects();

// The folder of the help files, registered with the type library: the folder an installation names
// under Oskadel.ActivePlyx.ActiveX\Version2\HelpFileDir, else the module's folder, else its "Help"
// folder; looked for row by row until a row's help file is found there.
class HelpDirectory {
public:
    explicit HelpDirectory(const char* modulePath);
    // Looks for a row's help file unless the directory is already found.
    void Consider(const char* helpFile);
    // The directory without its trailing backslash; null while no help file was found.
    const char* Found() const { return found_ ? directory_ : nullptr; }

private:
    bool InstalledBase();
    bool ModuleFolderPlus(const char* tail, char (&text)[MAX_PATH]) const;

    const char* modulePath_;
    char base_[MAX_PATH] = "";
    char directory_[MAX_PATH] = "";
    bool baseChosen_ = false;
    bool found_ = false;
};

} // namespace ServerRegistration
