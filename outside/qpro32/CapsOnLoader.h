// Calls CapsOn of QPRO32.DLL, loaded at run time. A missing library or function is reported once to the
// caller, as a text it can show; the calls after that do nothing and report nothing.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <type_traits>

namespace korvane {

class CapsOnLoader {
public:
    explicit CapsOnLoader(std::string libraryName = "QPRO32.DLL");

    struct Outcome {
        bool called = false;      // CapsOn ran
        std::string problem;      // non-empty only on the first call that found the library or function missing
    };
    // Loads the library on the first call (and again on later calls while it is missing) and calls CapsOn.
    Outcome Call();

private:
    struct LibraryRelease {
        void operator()(HMODULE module) const { FreeLibrary(module); }
    };
    using Library = std::unique_ptr<std::remove_pointer_t<HMODULE>, LibraryRelease>;
    using CapsOnFunction = LONG(WINAPI*)();

    std::string TryLoad();

    std::string libraryName_;
    Library library_;
    CapsOnFunction capsOn_ = nullptr;
    bool reported_ = false;
};

} // namespace korvane
