#include "DataFormats.h"

namespace {

// The host's numbers for the two registered formats: 0xBF01 (the type library's qvCFRTF) is rich
// text, 0xBF00 the same text without embedded objects.
constexpr WORD HostRichTextFormat = 0xBF01;
constexpr WORD HostRichTextWithoutObjectsFormat = 0xBF00;

// Registered once per process; the values are the same in every process of the session.
CLIPFORMAT RegisteredRichTextFormat()
{
    static const CLIPFORMAT format = static_cast<CLIPFORMAT>(RegisterClipboardFormatA("Rich Text Format"));
    return format;
}

CLIPFORMAT RegisteredRichTextWithoutObjectsFormat()
{
    static const CLIPFORMAT format =
        static_cast<CLIPFORMAT>(RegisterClipboardFormatA("Rich Text Format Without Objects"));
    return format;
}

struct HostFormat {
    WORD host;
    CLIPFORMAT (*registered)();
};

const HostFormat HostFormats[] = {
    {HostRichTextFormat, RegisteredRichTextFormat},
    {HostRichTextWithoutObjectsFormat, RegisteredRichTextWithoutObjectsFormat},
};

struct FormatTable {
    DataFormatRow rows[8];
};

const FormatTable& Table()
{
    static const FormatTable table = {{
        {CF_TEXT, TYMED_HGLOBAL, VT_BSTR},
        {CF_BITMAP, TYMED_GDI, VT_DISPATCH},
        {CF_PALETTE, TYMED_GDI, VT_DISPATCH},
        {CF_METAFILEPICT, TYMED_MFPICT, VT_DISPATCH},
        {CF_DIB, TYMED_HGLOBAL, VT_DISPATCH},
        {CF_HDROP, TYMED_HGLOBAL, VT_EMPTY},
        {CF_ENHMETAFILE, TYMED_ENHMF, VT_DISPATCH},
        {RegisteredRichTextFormat(), TYMED_HGLOBAL, VT_BSTR},
    }};
    return table;
}

} // namespace

const DataFormatRow* FindDataFormat(CLIPFORMAT format)
{
    // Format 0 is no format; an unregistered rich-text format must not match it.
    if (format == 0)
        return nullptr;
    for (const DataFormatRow& row : Table().rows) {
        if (row.format == format)
            return &row;
    }
    return nullptr;
}

DWORD DataFormatMedium(CLIPFORMAT format)
{
    const DataFormatRow* row = FindDataFormat(format);
    return row != nullptr ? row->medium : DWORD(TYMED_HGLOBAL);
}

FORMATETC DataFormatEtc(CLIPFORMAT format)
{
    FORMATETC formatEtc{};
    formatEtc.cfFormat = format;
    formatEtc.ptd = nullptr;
    formatEtc.dwAspect = DVASPECT_CONTENT;
    formatEtc.lindex = -1;
    formatEtc.tymed = DataFormatMedium(format);
    return formatEtc;
}

bool IsPictureFormat(CLIPFORMAT format)
{
    const DataFormatRow* row = FindDataFormat(format);
    return row != nullptr && row->type == VT_DISPATCH;
}

CLIPFORMAT FormatFromHost(WORD hostFormat)
{
    for (const HostFormat& row : HostFormats) {
        if (row.host == hostFormat && row.registered() != 0)
            return row.registered();
    }
    return hostFormat;
}

short FormatToHost(CLIPFORMAT format)
{
    for (const HostFormat& row : HostFormats) {
        if (format != 0 && format == row.registered())
            return static_cast<short>(row.host);
    }
    return static_cast<short>(format);
}
