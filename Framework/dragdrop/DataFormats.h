// The clipboard formats the data object knows: the storage medium each travels on and the VARIANT type
// a host sees, and the translation of the host's numbers for the registered rich-text format.
#pragma once
#include <windows.h>
#include <ole2.h>

struct DataFormatRow {
    CLIPFORMAT format;
    DWORD medium;      // TYMED_*
    VARTYPE type;      // what the host hands and receives; VT_EMPTY for the file list
};

// The row of a format; null for a format outside the table (a private format: bytes on global memory).
const DataFormatRow* FindDataFormat(CLIPFORMAT format);

// The medium a format travels on: the table's, else TYMED_HGLOBAL.
DWORD DataFormatMedium(CLIPFORMAT format);

// A FORMATETC for the format: no target device, the content aspect, all of it, its medium.
FORMATETC DataFormatEtc(CLIPFORMAT format);

// True for the formats whose data is a picture object.
bool IsPictureFormat(CLIPFORMAT format);

// The clipboard format a host number stands for: the host's rich-text number (0xBF01, the type
// library's qvCFRTF) is the process's registered "Rich Text Format", 0xBF00 its registered "Rich Text
// Format Without Objects"; any other number is itself.
CLIPFORMAT FormatFromHost(WORD hostFormat);
// The host number of a clipboard format: the inverse of FormatFromHost.
short FormatToHost(CLIPFORMAT format);
