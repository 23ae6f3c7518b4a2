#include "ResourceMessage.h"

#include "AnsiString.h"
#include "SatelliteResources.h"

#include <mbstring.h>

namespace {
constexpr int MaxMarkers = 9;
constexpr int ResourceTextBuffer = 255;
} // namespace

void LoadResourceText(UINT id, AnsiString* text)
{
    if (text == nullptr)
        return;
    char buffer[ResourceTextBuffer] = {};
    const int length = LoadStringA(GetResourceInstance(0), id, buffer, ResourceTextBuffer);
    text->AssignText(length > 0 ? buffer : nullptr);
}

void LoadResourceMessage(AnsiString* message, UINT id, MarkerArguments arguments)
{
    LoadResourceText(id, message);
    if (arguments != nullptr)
        SubstituteMarkers(message, arguments);
}

void SubstituteMarkers(AnsiString* text, MarkerArguments arguments)
{
    if (text == nullptr || arguments == nullptr || text->IsEmpty())
        return;
    // Each argument replaces the first of its markers in the text as the arguments before it left
    // it: a marker that an earlier argument brought in counts like one of the text's own.
    for (int i = 0; i < MaxMarkers && arguments[i] != nullptr; ++i) {
        const char marker[3] = {'|', char('1' + i), '\0'};
        const char* current = text->Text();
        if (current == nullptr)
            return;
        const unsigned char* at = _mbsstr(reinterpret_cast<const unsigned char*>(current),
                                          reinterpret_cast<const unsigned char*>(marker));
        if (at == nullptr)
            continue;
        const unsigned int position = unsigned(reinterpret_cast<const char*>(at) - current);
        AnsiString changed = text->Left(position);
        changed.Append(*arguments[i]);
        changed.Append(text->Mid(position + 2, text->Length() - position - 2));
        *text = changed;
    }
}
