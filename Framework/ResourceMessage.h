// Messages from the string table, with the markers "|1" to "|9" filled from arguments.
#pragma once
#include <windows.h>

class AnsiString;

// A null-ended list of at most nine arguments; argument i replaces the marker "|i".
using MarkerArguments = const AnsiString* const*;

// The string `id` of the resource module for the default locale (at most 254 characters); empty when
// the string is missing.
void LoadResourceText(UINT id, AnsiString* text);

// LoadResourceText, then SubstituteMarkers when `arguments` is given.
void LoadResourceMessage(AnsiString* message, UINT id, MarkerArguments arguments);

// Replaces the first marker "|i" of the text by argument i, for each argument given. Markers are
// looked for in the text as given only: a marker that an argument brings in stays as it is.
void SubstituteMarkers(AnsiString* text, MarkerArguments arguments);
