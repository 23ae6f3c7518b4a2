#include "DataFormats.h"

namespace {

constexpr WORD HostRichTextFormat = 0xBF01;

CLIPFORMAT RegisteredRichTextFormat()
{
    // Registered once per process; the value is the same in every process of the session.
    static const CLIPFORMAT format = static_cast<CLIPFORMAT>(RegisterClipboardFormatA("Rich Text Format"));
    return format;
}

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
    if (hostFormat == HostRichTextFormat && RegisteredRichTextFormat() != 0)
        return RegisteredRichTextFormat();
    return hostFormat;
}

short FormatToHost(CLIPFORMAT format)
{
    if (format != 0 && format == RegisteredRichTextFormat())
        return static_cast<short>(HostRichTextFormat);
    return static_cast<short>(format);
}
