#include "PictureData.h"

#include "ComReference.h"
#include "DataFormats.h"
#include "DibPalette.h"
#include "DragDropErrors.h"
#include "MediumMemory.h"
#include "Module.h"

#include <cstring>

namespace {

// A copy of a palette; null when it has no entries or on failure.
HPALETTE CopyPalette(HPALETTE palette)
{
    WORD count = 0;
    if (palette == nullptr || GetObjectA(palette, sizeof count, &count) == 0 || count == 0)
        return nullptr;
    const SIZE_T size = sizeof(LOGPALETTE) + sizeof(PALETTEENTRY) * count;
    auto* logical = static_cast<LOGPALETTE*>(Module::Allocate(size));
    if (logical == nullptr)
        return nullptr;
    logical->palVersion = 0x300;
    logical->palNumEntries = count;
    GetPaletteEntries(palette, 0, count, logical->palPalEntry);
    HPALETTE copy = CreatePalette(logical);
    Module::Free(logical);
    return copy;
}

// The bitmap as a packed DIB (header, colour table, bits) read with the palette; null on failure.
HGLOBAL PackedDib(HBITMAP bitmap, HPALETTE palette)
{
    BITMAP facts{};
    if (GetObjectA(bitmap, sizeof facts, &facts) == 0)
        return nullptr;
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = facts.bmWidth;
    header.biHeight = facts.bmHeight;
    header.biPlanes = 1;
    header.biBitCount = static_cast<WORD>(facts.bmPlanes * facts.bmBitsPixel);
    header.biCompression = BI_RGB;
    header.biSizeImage = ((DWORD(header.biBitCount) * header.biWidth + 31) / 32) * 4 * header.biHeight;
    UINT entrySize = 0;
    const UINT entries = DibColourCount(header, &entrySize);
    const SIZE_T size = sizeof header + SIZE_T(entries) * entrySize + header.biSizeImage;
    MediumMemory memory(size);
    auto* info = memory.Bytes<BITMAPINFO>();
    if (info == nullptr)
        return nullptr;
    info->bmiHeader = header;
    HDC screen = GetDC(nullptr);
    HPALETTE old = SelectPalette(screen, palette != nullptr ? palette : static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)), FALSE);
    RealizePalette(screen);
    BYTE* bits = reinterpret_cast<BYTE*>(info) + sizeof header + SIZE_T(entries) * entrySize;
    // An 8-bit bitmap on a 256-colour palette screen is read as indices into the palette, whose
    // colours then make the colour table.
    const bool indexed = Screen().paletteSize == 256 && header.biBitCount == 8;
    const int lines = GetDIBits(screen, bitmap, 0, static_cast<UINT>(facts.bmHeight), bits, info,
                                indexed ? DIB_PAL_COLORS : DIB_RGB_COLORS);
    if (indexed) {
        PALETTEENTRY colours[256];
        const UINT count = GetPaletteEntries(palette != nullptr ? palette : static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)), 0, 256, colours);
        for (UINT i = 0; i < count && i < entries; ++i)
            info->bmiColors[i] = RGBQUAD{colours[i].peBlue, colours[i].peGreen, colours[i].peRed, 0};
    }
    SelectPalette(screen, old, FALSE);
    ReleaseDC(nullptr, screen);
    return lines != 0 ? memory.HandOver() : nullptr;
}

// A device bitmap made of a packed DIB that lies whole in its block, its rows at `offset`, and, on a
// palette-based screen, the palette made for it (null when it needs none); null on failure.
HBITMAP BitmapFromDib(const BITMAPINFO* info, SIZE_T size, SIZE_T offset, HPALETTE* palette)
{
    *palette = nullptr;
    HDC screen = GetDC(nullptr);
    HPALETTE old = nullptr;
    if (Screen().PaletteBased()) {
        *palette = PaletteFromDib(info, size);
        if (*palette != nullptr) {
            old = SelectPalette(screen, *palette, FALSE);
            RealizePalette(screen);
        }
    }
    HBITMAP bitmap = CreateDIBitmap(screen, &info->bmiHeader, CBM_INIT, reinterpret_cast<const BYTE*>(info) + offset,
                                    info, DIB_RGB_COLORS);
    if (old != nullptr)
        SelectPalette(screen, old, FALSE);
    ReleaseDC(nullptr, screen);
    if (bitmap == nullptr && *palette != nullptr) {
        DeleteObject(*palette);
        *palette = nullptr;
    }
    return bitmap;
}

HRESULT MakePicture(PICTDESC& description, IPictureDisp** picture)
{
    description.cbSizeofstruct = sizeof description;
    return OleCreatePictureIndirect(&description, IID_IPictureDisp, TRUE, reinterpret_cast<void**>(picture));
}

// A bitmap picture that owns the bitmap and the palette (may be null) once it is made; on failure
// they stay the caller's.
HRESULT MakeBitmapPicture(HBITMAP bitmap, HPALETTE palette, IPictureDisp** picture)
{
    PICTDESC description{};
    description.picType = PICTYPE_BITMAP;
    description.bmp.hbitmap = bitmap;
    description.bmp.hpal = palette;
    return MakePicture(description, picture);
}

// The medium's handle now belongs to a picture: releasing the medium frees nothing.
void ForgetMedium(STGMEDIUM& medium)
{
    medium.tymed = TYMED_NULL;
    medium.hGlobal = nullptr;
}

// A metafile's extent as a picture takes it: HIMETRIC, as the metafile block gives it; 1 when zero.
LONG MetafileExtent(LONG himetric)
{
    return himetric != 0 ? himetric : 1;
}

} // namespace

bool PictureOf(const VARIANT& value, IPicture** picture)
{
    *picture = nullptr;
    IUnknown* object = nullptr;
    if (V_VT(&value) == VT_DISPATCH)
        object = V_DISPATCH(&value);
    else if (V_VT(&value) == VT_UNKNOWN)
        object = V_UNKNOWN(&value);
    if (object == nullptr)
        return false;
    return SUCCEEDED(object->QueryInterface(IID_IPicture, reinterpret_cast<void**>(picture))) && *picture != nullptr;
}

HRESULT PictureClipFormat(IPicture* picture, CLIPFORMAT* format, int* error)
{
    *error = 0;
    SHORT type = PICTYPE_UNINITIALIZED;
    const HRESULT hr = picture->get_Type(&type);
    if (FAILED(hr))
        return hr;
    switch (type) {
    case PICTYPE_NONE:
        *error = DragDropErrors::InvalidPropertyValue;
        return S_OK;
    case PICTYPE_BITMAP:
        if (*format == 0)
            *format = CF_DIB;
        if (*format != CF_BITMAP && *format != CF_DIB && *format != CF_PALETTE)
            *error = DragDropErrors::FormatMismatch;
        return S_OK;
    case PICTYPE_METAFILE:
        if (*format == 0)
            *format = CF_METAFILEPICT;
        if (*format != CF_METAFILEPICT)
            *error = DragDropErrors::FormatMismatch;
        return S_OK;
    case PICTYPE_ENHMETAFILE:
        if (*format == 0)
            *format = CF_ENHMETAFILE;
        if (*format != CF_ENHMETAFILE)
            *error = DragDropErrors::FormatMismatch;
        return S_OK;
    default:
        *error = DragDropErrors::FormatMismatch;
        return S_OK;
    }
}

HRESULT RenderPicture(IPicture* picture, CLIPFORMAT format, STGMEDIUM* medium)
{
    CLIPFORMAT resolved = format;
    int error = 0;
    if (FAILED(PictureClipFormat(picture, &resolved, &error)))
        return E_FAIL;
    if (error != 0 || resolved != format)
        return E_UNEXPECTED;
    OLE_HANDLE handle = 0;
    if (FAILED(picture->get_Handle(&handle)))
        return E_FAIL;
    switch (format) {
    case CF_BITMAP: {
        HBITMAP copy = static_cast<HBITMAP>(CopyImage(reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(handle)), IMAGE_BITMAP, 0, 0, 0));
        if (copy == nullptr)
            return E_OUTOFMEMORY;
        medium->tymed = TYMED_GDI;
        medium->hBitmap = copy;
        return S_OK;
    }
    case CF_PALETTE: {
        OLE_HANDLE palette = 0;
        picture->get_hPal(&palette);
        // A bitmap drawn without a palette of its own is drawn with the default one: that is the
        // palette the format promised for it.
        HPALETTE drawnWith = palette != 0 ? reinterpret_cast<HPALETTE>(static_cast<UINT_PTR>(palette))
                                          : static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
        HPALETTE copy = CopyPalette(drawnWith);
        if (copy == nullptr)
            return E_FAIL;
        medium->tymed = TYMED_GDI;
        medium->hBitmap = reinterpret_cast<HBITMAP>(copy);
        return S_OK;
    }
    case CF_DIB: {
        OLE_HANDLE palette = 0;
        picture->get_hPal(&palette);
        HGLOBAL dib = PackedDib(reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle)),
                                reinterpret_cast<HPALETTE>(static_cast<UINT_PTR>(palette)));
        if (dib == nullptr)
            return E_OUTOFMEMORY;
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = dib;
        return S_OK;
    }
    case CF_METAFILEPICT: {
        OLE_XSIZE_HIMETRIC width = 0;
        OLE_YSIZE_HIMETRIC height = 0;
        picture->get_Width(&width);
        picture->get_Height(&height);
        HMETAFILE copy = CopyMetaFileA(reinterpret_cast<HMETAFILE>(static_cast<UINT_PTR>(handle)), nullptr);
        if (copy == nullptr)
            return E_OUTOFMEMORY;
        MediumMemory memory(sizeof(METAFILEPICT));
        auto* description = memory.Bytes<METAFILEPICT>();
        if (description == nullptr) {
            DeleteMetaFile(copy);
            return E_OUTOFMEMORY;
        }
        description->mm = MM_ANISOTROPIC;
        description->xExt = width;
        description->yExt = height;
        description->hMF = copy;
        medium->tymed = TYMED_MFPICT;
        medium->hMetaFilePict = memory.HandOver();
        return S_OK;
    }
    case CF_ENHMETAFILE: {
        HENHMETAFILE copy = CopyEnhMetaFileA(reinterpret_cast<HENHMETAFILE>(static_cast<UINT_PTR>(handle)), nullptr);
        if (copy == nullptr)
            return E_OUTOFMEMORY;
        medium->tymed = TYMED_ENHMF;
        medium->hEnhMetaFile = copy;
        return S_OK;
    }
    default:
        return E_UNEXPECTED;
    }
}

namespace {

// When the source keeps the handles of a medium (it names a release object), the picture gets copies:
// the medium is replaced by one that owns copies of its handles.
HRESULT OwnMediumHandles(STGMEDIUM& medium, CLIPFORMAT format)
{
    if (medium.pUnkForRelease == nullptr)
        return S_OK;
    STGMEDIUM owned{};
    owned.tymed = medium.tymed;
    switch (medium.tymed) {
    case TYMED_GDI:
        owned.hBitmap = format == CF_PALETTE
                            ? reinterpret_cast<HBITMAP>(CopyPalette(reinterpret_cast<HPALETTE>(medium.hBitmap)))
                            : static_cast<HBITMAP>(CopyImage(medium.hBitmap, IMAGE_BITMAP, 0, 0, 0));
        if (owned.hBitmap == nullptr)
            return E_OUTOFMEMORY;
        break;
    case TYMED_ENHMF:
        owned.hEnhMetaFile = CopyEnhMetaFileA(medium.hEnhMetaFile, nullptr);
        if (owned.hEnhMetaFile == nullptr)
            return E_OUTOFMEMORY;
        break;
    case TYMED_MFPICT: {
        if (GlobalSize(medium.hMetaFilePict) < sizeof(METAFILEPICT))
            return DV_E_FORMATETC;
        const auto* source = static_cast<const METAFILEPICT*>(GlobalLock(medium.hMetaFilePict));
        if (source == nullptr)
            return E_UNEXPECTED;
        METAFILEPICT copy = *source;
        GlobalUnlock(medium.hMetaFilePict);
        copy.hMF = CopyMetaFileA(copy.hMF, nullptr);
        if (copy.hMF == nullptr)
            return E_OUTOFMEMORY;
        MediumMemory memory(sizeof copy);
        if (memory.Bytes() == nullptr) {
            DeleteMetaFile(copy.hMF);
            return E_OUTOFMEMORY;
        }
        *memory.Bytes<METAFILEPICT>() = copy;
        owned.hMetaFilePict = memory.HandOver();
        break;
    }
    default:
        // Global memory is only read, never taken over.
        return S_OK;
    }
    ReleaseStgMedium(&medium);
    medium = owned;
    return S_OK;
}

} // namespace

HRESULT PictureFromMedium(IDataObject* source, CLIPFORMAT format, STGMEDIUM& medium, IPictureDisp** picture)
{
    *picture = nullptr;
    const HRESULT owned = OwnMediumHandles(medium, format);
    if (FAILED(owned))
        return owned;
    PICTDESC description{};
    switch (format) {
    case CF_BITMAP: {
        if (medium.tymed != TYMED_GDI || medium.hBitmap == nullptr)
            return E_UNEXPECTED;
        // The source's palette goes with its bitmap when it offers one.
        HPALETTE palette = nullptr;
        FORMATETC paletteFormat = DataFormatEtc(CF_PALETTE);
        STGMEDIUM paletteMedium{};
        if (source->QueryGetData(&paletteFormat) == S_OK && SUCCEEDED(source->GetData(&paletteFormat, &paletteMedium))) {
            if (paletteMedium.tymed == TYMED_GDI && SUCCEEDED(OwnMediumHandles(paletteMedium, CF_PALETTE))) {
                palette = reinterpret_cast<HPALETTE>(paletteMedium.hBitmap);
                ForgetMedium(paletteMedium);
            }
            ReleaseStgMedium(&paletteMedium);
        }
        const HRESULT hr = MakeBitmapPicture(medium.hBitmap, palette, picture);
        if (FAILED(hr)) {
            if (palette != nullptr)
                DeleteObject(palette);
            return hr;
        }
        ForgetMedium(medium);
        return S_OK;
    }
    case CF_PALETTE: {
        if (medium.tymed != TYMED_GDI || medium.hBitmap == nullptr)
            return E_UNEXPECTED;
        // A palette alone travels as a 1 x 1 screen bitmap that carries it.
        HBITMAP bitmap = CreateBitmap(1, 1, static_cast<UINT>(Screen().planes), static_cast<UINT>(Screen().bitsPerPixel),
                                      nullptr);
        if (bitmap == nullptr)
            return E_OUTOFMEMORY;
        const HRESULT hr = MakeBitmapPicture(bitmap, reinterpret_cast<HPALETTE>(medium.hBitmap), picture);
        if (FAILED(hr)) {
            DeleteObject(bitmap);
            return hr;
        }
        ForgetMedium(medium);
        return S_OK;
    }
    case CF_DIB: {
        if (medium.tymed != TYMED_HGLOBAL || medium.hGlobal == nullptr)
            return E_UNEXPECTED;
        const SIZE_T size = GlobalSize(medium.hGlobal);
        const auto* info = static_cast<const BITMAPINFO*>(GlobalLock(medium.hGlobal));
        if (info == nullptr)
            return E_UNEXPECTED;
        // Another program's block is believed only as far as it reaches.
        const SIZE_T offset = PackedDibBitsOffset(info, size);
        if (offset == 0) {
            GlobalUnlock(medium.hGlobal);
            return DV_E_FORMATETC;
        }
        HPALETTE palette = nullptr;
        HBITMAP bitmap = BitmapFromDib(info, size, offset, &palette);
        GlobalUnlock(medium.hGlobal);
        if (bitmap == nullptr)
            return E_OUTOFMEMORY;
        const HRESULT hr = MakeBitmapPicture(bitmap, palette, picture);
        if (FAILED(hr)) {
            DeleteObject(bitmap);
            if (palette != nullptr)
                DeleteObject(palette);
        }
        return hr;
    }
    case CF_METAFILEPICT: {
        if (medium.tymed != TYMED_MFPICT || medium.hMetaFilePict == nullptr)
            return E_UNEXPECTED;
        if (GlobalSize(medium.hMetaFilePict) < sizeof(METAFILEPICT))
            return DV_E_FORMATETC;
        auto* metafile = static_cast<METAFILEPICT*>(GlobalLock(medium.hMetaFilePict));
        if (metafile == nullptr)
            return E_UNEXPECTED;
        description.picType = PICTYPE_METAFILE;
        description.wmf.hmeta = metafile->hMF;
        description.wmf.xExt = MetafileExtent(metafile->xExt);
        description.wmf.yExt = MetafileExtent(metafile->yExt);
        const HRESULT hr = MakePicture(description, picture);
        if (SUCCEEDED(hr))
            metafile->hMF = nullptr;  // the picture owns it; the block alone is released
        GlobalUnlock(medium.hMetaFilePict);
        if (SUCCEEDED(hr)) {
            GlobalFree(medium.hMetaFilePict);
            ForgetMedium(medium);
        }
        return hr;
    }
    case CF_ENHMETAFILE: {
        if (medium.tymed != TYMED_ENHMF || medium.hEnhMetaFile == nullptr)
            return E_UNEXPECTED;
        description.picType = PICTYPE_ENHMETAFILE;
        description.emf.hemf = medium.hEnhMetaFile;
        const HRESULT hr = MakePicture(description, picture);
        if (SUCCEEDED(hr))
            ForgetMedium(medium);
        return hr;
    }
    default:
        return E_UNEXPECTED;
    }
}
