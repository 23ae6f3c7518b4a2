#include "ResourceMessage.h"

#include "AnsiString.h"
#include "SatelliteResources.h"

#include <mbstring.h>

namespace {
constexpr int MaxMarkers = 9;
constexpr int ResourceTextBuffer = 255;

struct Marker {
    unsigned int position;
    const AnsiString* argument;
};
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
    const char* source = text->Text();

    // The first occurrence of each marker in the text as given, in the order they appear. Two
    // different markers never overlap ("|1" ends in a digit, a marker starts with "|").
    Marker markers[MaxMarkers];
    int found = 0;
    for (int i = 0; i < MaxMarkers && arguments[i] != nullptr; ++i) {
        const char marker[3] = {'|', char('1' + i), '\0'};
        const unsigned char* at = _mbsstr(reinterpret_cast<const unsigned char*>(source),
                                          reinterpret_cast<const unsigned char*>(marker));
        if (at == nullptr)
            continue;
        Marker entry = {unsigned(reinterpret_cast<const char*>(at) - source), arguments[i]};
        int slot = found++;
        while (slot > 0 && markers[slot - 1].position > entry.position) {
            markers[slot] = markers[slot - 1];
            --slot;
        }
        markers[slot] = entry;
    }
    if (found == 0)
        return;

    AnsiString result;
    unsigned int copied = 0;
    for (int i = 0; i < found; ++i) {
        result.Append(text->Mid(copied, markers[i].position - copied));
        result.Append(*markers[i].argument);
        copied = markers[i].position + 2;
    }
    result.Append(text->Mid(copied, text->Length() - copied));
    *text = result;
}
