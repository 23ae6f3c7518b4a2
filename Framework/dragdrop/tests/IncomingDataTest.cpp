// The drop side over another application's data: conversions of its media to VARIANTs and the file
// list read from its files format.
#include "DataObjectFixture.h"
#include "DibBlockCases.h"
#include "ForeignDataObject.h"

#include <shlobj.h>

#include <string>

namespace {

class IncomingDataTest : public DataObjectFixture {
protected:
    void TearDown() override
    {
        incoming_.Reset();
        // Every reference the data object took on the foreign data is given back.
        EXPECT_EQ(1u, foreign_.References());
        DataObjectFixture::TearDown();
    }
    IQvDataObject* Drop()
    {
        if (!incoming_)
            *incoming_.Out() = Incoming(&foreign_);
        return incoming_.Get();
    }

    ForeignDataObject foreign_;
    ComReference<IQvDataObject> incoming_;
};

TEST_F(IncomingDataTest, TextEndsAtItsNulOrAtTheEndOfTheMemory)
{
    foreign_.Offer(CF_TEXT, TYMED_HGLOBAL, [](STGMEDIUM* medium) {
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = GlobalBytes("Nut", 3);  // no NUL: the memory's end ends the text
        return S_OK;
    });
    VARIANT data;
    ASSERT_EQ(S_OK, Drop()->GetData(CF_TEXT, &data));
    ASSERT_EQ(VT_BSTR, V_VT(&data));
    EXPECT_EQ(std::wstring(L"Nut"), std::wstring(V_BSTR(&data), SysStringLen(V_BSTR(&data))));
    VariantClear(&data);
}

TEST_F(IncomingDataTest, AnyOtherFormatIsTheWholeMemoryAsBytes)
{
    const CLIPFORMAT format = static_cast<CLIPFORMAT>(RegisterClipboardFormatA("Korvane Test Item"));
    foreign_.Offer(format, TYMED_HGLOBAL, [](STGMEDIUM* medium) {
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = GlobalBytes("\x01\x00\x02", 3);
        return S_OK;
    });
    VARIANT data;
    ASSERT_EQ(S_OK, Drop()->GetData(static_cast<short>(format), &data));
    ASSERT_EQ(VT_ARRAY | VT_UI1, V_VT(&data));
    EXPECT_GE(V_ARRAY(&data)->rgsabound[0].cElements, 3u);
    EXPECT_EQ(0, memcmp("\x01\x00\x02", V_ARRAY(&data)->pvData, 3));
    VariantClear(&data);
}

TEST_F(IncomingDataTest, FailuresOfTheSourceReachTheHost)
{
    foreign_.Offer(CF_TEXT, TYMED_HGLOBAL, [](STGMEDIUM*) { return E_OUTOFMEMORY; });
    VARIANT data;
    EXPECT_EQ(E_OUTOFMEMORY, Drop()->GetData(CF_TEXT, &data));
    EXPECT_EQ(VT_EMPTY, V_VT(&data));
    // Not offered at all: the source's "no" is a format mismatch for the host.
    EXPECT_EQ(static_cast<HRESULT>(0x800A01CD), Drop()->GetData(CF_DIB, &data));
    VARIANT_BOOL offered = VARIANT_TRUE;
    ASSERT_EQ(S_OK, Drop()->GetFormat(CF_DIB, &offered));
    EXPECT_EQ(VARIANT_FALSE, offered);
}

TEST_F(IncomingDataTest, MetafileExtentsStayHimetric)
{
    foreign_.Offer(CF_METAFILEPICT, TYMED_MFPICT, [](STGMEDIUM* medium) {
        HDC recorder = CreateMetaFileA(nullptr);
        Rectangle(recorder, 0, 0, 10, 10);
        METAFILEPICT picture{MM_ANISOTROPIC, 2540, 1270, CloseMetaFile(recorder)};
        medium->tymed = TYMED_MFPICT;
        medium->hMetaFilePict = GlobalBytes(&picture, sizeof picture);
        return S_OK;
    });
    VARIANT data;
    ASSERT_EQ(S_OK, Drop()->GetData(CF_METAFILEPICT, &data));
    ASSERT_EQ(VT_DISPATCH, V_VT(&data));
    ComReference<IPicture> picture;
    ASSERT_EQ(S_OK, V_DISPATCH(&data)->QueryInterface(IID_IPicture, picture.OutVoid()));
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    picture->get_Width(&width);
    picture->get_Height(&height);
    // The picture's size is the metafile's: 2.54 cm by 1.27 cm, not shrunk to 57 %.
    EXPECT_EQ(2540, width);
    EXPECT_EQ(1270, height);
    VariantClear(&data);
}

TEST_F(IncomingDataTest, HandlesTheSourceKeepsAreCopiedNotTakenOver)
{
    HDC recorder = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
    Rectangle(recorder, 0, 0, 10, 10);
    HENHMETAFILE kept = CloseEnhMetaFile(recorder);
    ForeignDataObject* source = &foreign_;
    foreign_.Offer(CF_ENHMETAFILE, TYMED_ENHMF, [kept, source](STGMEDIUM* medium) {
        medium->tymed = TYMED_ENHMF;
        medium->hEnhMetaFile = kept;
        medium->pUnkForRelease = source;  // the source frees the handle itself
        source->AddRef();
        return S_OK;
    });
    VARIANT data;
    ASSERT_EQ(S_OK, Drop()->GetData(CF_ENHMETAFILE, &data));
    ComReference<IPicture> picture;
    ASSERT_EQ(S_OK, V_DISPATCH(&data)->QueryInterface(IID_IPicture, picture.OutVoid()));
    OLE_HANDLE handle = 0;
    picture->get_Handle(&handle);
    EXPECT_NE(reinterpret_cast<HENHMETAFILE>(static_cast<UINT_PTR>(handle)), kept);
    picture.Reset();
    VariantClear(&data);
    // The source's own handle is still whole.
    ENHMETAHEADER header{};
    EXPECT_NE(0u, GetEnhMetaFileHeader(kept, sizeof header, &header));
    DeleteEnhMetaFile(kept);
}

HPALETTE TwoColourPalette()
{
    struct {
        LOGPALETTE header;
        PALETTEENTRY second;
    } logical{{0x300, 2, {{10, 20, 30, 0}}}, {40, 50, 60, 0}};
    return CreatePalette(&logical.header);
}

TEST_F(IncomingDataTest, BitmapsComeWithTheSourcesPaletteAndAPaletteAloneIsABitmapCarryingIt)
{
    foreign_.Offer(CF_BITMAP, TYMED_GDI, [](STGMEDIUM* medium) {
        medium->tymed = TYMED_GDI;
        medium->hBitmap = CreateBitmap(3, 2, 1, 1, nullptr);
        return S_OK;
    });
    foreign_.Offer(CF_PALETTE, TYMED_GDI, [](STGMEDIUM* medium) {
        medium->tymed = TYMED_GDI;
        medium->hBitmap = reinterpret_cast<HBITMAP>(TwoColourPalette());
        return S_OK;
    });
    for (short format : {short(CF_BITMAP), short(CF_PALETTE)}) {
        SCOPED_TRACE(format);
        VARIANT data;
        ASSERT_EQ(S_OK, Drop()->GetData(format, &data));
        ComReference<IPicture> picture;
        ASSERT_EQ(S_OK, V_DISPATCH(&data)->QueryInterface(IID_IPicture, picture.OutVoid()));
        SHORT type = 0;
        picture->get_Type(&type);
        EXPECT_EQ(PICTYPE_BITMAP, type);
        OLE_HANDLE palette = 0;
        picture->get_hPal(&palette);
        PALETTEENTRY entries[2]{};
        EXPECT_EQ(2u, GetPaletteEntries(reinterpret_cast<HPALETTE>(static_cast<UINT_PTR>(palette)), 0, 2, entries));
        EXPECT_EQ(40, entries[1].peRed);
        picture.Reset();
        VariantClear(&data);
    }
}

TEST_F(IncomingDataTest, APackedDibBecomesAPictureOnlyWhenTheBlockHoldsItWhole)
{
    for (const DibBlockCase& dib : DibBlockCases()) {
        SCOPED_TRACE(dib.what);
        ForeignDataObject source;
        const std::string block = dib.block;
        source.Offer(CF_DIB, TYMED_HGLOBAL, [&block](STGMEDIUM* medium) {
            medium->tymed = TYMED_HGLOBAL;
            medium->hGlobal = GlobalBytes(block.data(), block.size());
            return S_OK;
        });
        ComReference<IQvDataObject> incoming;
        *incoming.Out() = Incoming(&source);
        VARIANT data;
        const HRESULT hr = incoming->GetData(CF_DIB, &data);
        if (dib.bitsOffset == 0) {
            EXPECT_EQ(DV_E_FORMATETC, hr);
            EXPECT_EQ(VT_EMPTY, V_VT(&data));
            continue;
        }
        ASSERT_EQ(S_OK, hr);
        ComReference<IPicture> picture;
        ASSERT_EQ(S_OK, V_DISPATCH(&data)->QueryInterface(IID_IPicture, picture.OutVoid()));
        SHORT type = 0;
        picture->get_Type(&type);
        EXPECT_EQ(PICTYPE_BITMAP, type);
        picture.Reset();
        VariantClear(&data);
    }
}

TEST_F(IncomingDataTest, AMetafileBlockTooShortForItsDescriptionIsRefused)
{
    for (bool sourceKeepsIt : {false, true}) {
        SCOPED_TRACE(sourceKeepsIt);
        ForeignDataObject source;
        ForeignDataObject* keeper = &source;
        source.Offer(CF_METAFILEPICT, TYMED_MFPICT, [sourceKeepsIt, keeper](STGMEDIUM* medium) {
            const LONG extents[2] = {MM_ANISOTROPIC, 2540};  // the handle is missing
            medium->tymed = TYMED_MFPICT;
            medium->hMetaFilePict = GlobalBytes(extents, sizeof extents);
            if (sourceKeepsIt) {
                medium->pUnkForRelease = keeper;
                keeper->AddRef();
            }
            return S_OK;
        });
        ComReference<IQvDataObject> incoming;
        *incoming.Out() = Incoming(&source);
        VARIANT data;
        EXPECT_EQ(DV_E_FORMATETC, incoming->GetData(CF_METAFILEPICT, &data));
        EXPECT_EQ(VT_EMPTY, V_VT(&data));
    }
}

TEST_F(IncomingDataTest, AFileListThatDoesNotEndInsideItsBlockIsRefused)
{
    struct Case {
        const char* what;
        DWORD namesAt;
        BOOL wide;
        std::string names;
    };
    const Case cases[] = {
        {"names without their final NUL", sizeof(DROPFILES), FALSE, std::string("c:\\Item.dat\0c:\\Item.Txt", 24)},
        {"a name without its NUL", sizeof(DROPFILES), FALSE, "c:\\Item.dat"},
        {"wide names without their final NUL", sizeof(DROPFILES), TRUE, std::string("c\0:\0\0\0d\0", 10)},
        {"names beyond the block", 4096, FALSE, std::string("a\0\0", 3)},
        {"no room for the header", 0, FALSE, ""},
    };
    for (const Case& list : cases) {
        SCOPED_TRACE(list.what);
        std::string block(sizeof(DROPFILES), '\0');
        auto* header = reinterpret_cast<DROPFILES*>(&block[0]);
        header->pFiles = list.namesAt;
        header->fWide = list.wide;
        block.append(list.names);
        if (list.namesAt == 0)
            block.resize(sizeof(DROPFILES) - 4);
        ForeignDataObject source;
        source.Offer(CF_HDROP, TYMED_HGLOBAL, [&block](STGMEDIUM* medium) {
            medium->tymed = TYMED_HGLOBAL;
            medium->hGlobal = GlobalBytes(block.data(), block.size());
            return S_OK;
        });
        ComReference<IQvDataObject> incoming;
        *incoming.Out() = Incoming(&source);
        ComReference<IQvDataObjectFiles> files;
        EXPECT_EQ(DV_E_FORMATETC, incoming->get_Files(files.Out()));
        EXPECT_EQ(nullptr, files.Get());
    }
}

TEST_F(IncomingDataTest, FilesAreReadFromAWideDropList)
{
    const wchar_t names[] = L"c:\\Korvane\\Item.dat\0c:\\Korvane\\Help\\index.htm\0";
    foreign_.Offer(CF_HDROP, TYMED_HGLOBAL, [&names](STGMEDIUM* medium) {
        std::string block(sizeof(DROPFILES), '\0');
        auto* header = reinterpret_cast<DROPFILES*>(&block[0]);
        header->pFiles = sizeof(DROPFILES);
        header->fWide = TRUE;
        block.append(reinterpret_cast<const char*>(names), sizeof names);
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = GlobalBytes(block.data(), block.size());
        return S_OK;
    });
    ComReference<IQvDataObjectFiles> files;
    ASSERT_EQ(S_OK, Drop()->get_Files(files.Out()));
    LONG count = 0;
    files->get_Count(&count);
    ASSERT_EQ(2, count);
    BSTR name = nullptr;
    files->get_Item(2, &name);
    EXPECT_EQ(std::wstring(L"c:\\Korvane\\Help\\index.htm"), std::wstring(name));
    SysFreeString(name);
    // Read once: the same list answers again, and the data object now answers for it.
    ComReference<IQvDataObjectFiles> again;
    ASSERT_EQ(S_OK, Drop()->get_Files(again.Out()));
    EXPECT_EQ(files.Get(), again.Get());
    ComReference<IQvDataObjectFiles> queried;
    EXPECT_EQ(S_OK, Drop()->QueryInterface(IID_IQvDataObjectFiles, queried.OutVoid()));
}

} // namespace
