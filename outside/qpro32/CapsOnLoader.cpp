#include "CapsOnLoader.h"

#include <utility>

namespace korvane {

CapsOnLoader::CapsOnLoader(std::string libraryName) : libraryName_(std::move(libraryName)) {}

std::string CapsOnLoader::TryLoad()
{
    Library library(LoadLibraryA(libraryName_.c_str()));
    if (!library)
        return libraryName_ + " could not be loaded (error " + std::to_string(GetLastError()) +
               "); Caps Lock is not switched on.";
    // The function is looked up by its plain name, as the library exports it on every architecture.
    auto capsOn = reinterpret_cast<CapsOnFunction>(reinterpret_cast<void*>(GetProcAddress(library.get(), "CapsOn")));
    if (!capsOn)
        return libraryName_ + " has no function CapsOn; Caps Lock is not switched on.";
    library_ = std::move(library);
    capsOn_ = capsOn;
    return {};
}

CapsOnLoader::Outcome CapsOnLoader::Call()
{
    Outcome outcome;
    if (!capsOn_) {
        std::string problem = TryLoad();
        if (!problem.empty()) {
            if (!reported_) {
                reported_ = true;
                outcome.problem = std::move(problem);
            }
            return outcome;
        }
    }
    capsOn_();
    outcome.called = true;
    return outcome;
}

} // namespace korvane
