// The drag's own IDataObject as a drop target uses it, and the leak check of a whole drag's data.
#include "DataFormats.h"
#include "DataObjectFixture.h"

#include <string>

namespace {

using DragDataObjectTest = DataObjectFixture;

FORMATETC TextFormat()
{
    return FORMATETC{CF_TEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
}

TEST_F(DragDataObjectTest, QueryGetDataChecksIndexAspectAndMedium)
{
    ASSERT_EQ(S_OK, CallByName(outgoing_.Get(), L"SetData", DISPATCH_METHOD, {Text(L"x")}).hr);
    struct Case {
        const char* what;
        FORMATETC format;
        HRESULT expected;
    };
    const Case cases[] = {
        {"offered", TextFormat(), S_OK},
        {"any medium that includes global memory", {CF_TEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL | TYMED_ISTREAM}, S_OK},
        {"a part of the data", {CF_TEXT, nullptr, DVASPECT_CONTENT, 0, TYMED_HGLOBAL}, DV_E_LINDEX},
        {"an icon aspect", {CF_TEXT, nullptr, DVASPECT_ICON, -1, TYMED_HGLOBAL}, DV_E_DVASPECT},
        {"another medium", {CF_TEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_ISTREAM}, DV_E_TYMED},
        {"a format not offered", {CF_DIB, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}, S_FALSE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FORMATETC format = c.format;
        EXPECT_EQ(c.expected, DragData()->QueryGetData(&format));
    }
    FORMATETC missing{CF_DIB, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium{};
    EXPECT_EQ(DV_E_FORMATETC, DragData()->GetData(&missing, &medium));
    EXPECT_EQ(E_INVALIDARG, DragData()->GetData(nullptr, &medium));
}

TEST_F(DragDataObjectTest, TextIsHandedOutAsAnsiOnGlobalMemoryTheReceiverFrees)
{
    ASSERT_EQ(S_OK, CallByName(outgoing_.Get(), L"SetData", DISPATCH_METHOD, {Text(L"Washer 8mm")}).hr);
    FORMATETC format = TextFormat();
    STGMEDIUM medium{};
    ASSERT_EQ(S_OK, DragData()->GetData(&format, &medium));
    ASSERT_EQ(TYMED_HGLOBAL, medium.tymed);
    EXPECT_EQ(nullptr, medium.pUnkForRelease);
    EXPECT_GE(GlobalSize(medium.hGlobal), SIZE_T(10 * 2 + 2));
    EXPECT_STREQ("Washer 8mm", static_cast<const char*>(GlobalLock(medium.hGlobal)));
    GlobalUnlock(medium.hGlobal);
    ReleaseStgMedium(&medium);
}

TEST_F(DragDataObjectTest, GetDataHereCutsTextToTheCallersMemory)
{
    ASSERT_EQ(S_OK, CallByName(outgoing_.Get(), L"SetData", DISPATCH_METHOD, {Text(L"Washer 8mm")}).hr);
    FORMATETC format = TextFormat();
    STGMEDIUM medium{};
    medium.tymed = TYMED_HGLOBAL;
    medium.hGlobal = GlobalAlloc(GMEM_MOVEABLE, 7);
    ASSERT_EQ(S_OK, DragData()->GetDataHere(&format, &medium));
    const SIZE_T size = GlobalSize(medium.hGlobal);
    const std::string held(static_cast<const char*>(GlobalLock(medium.hGlobal)));
    GlobalUnlock(medium.hGlobal);
    EXPECT_EQ(std::string("Washer 8mm").substr(0, size - 1), held);

    HGLOBAL tiny = GlobalReAlloc(medium.hGlobal, 1, GMEM_MOVEABLE);
    ASSERT_NE(nullptr, tiny);
    medium.hGlobal = tiny;
    EXPECT_EQ(STG_E_MEDIUMFULL, DragData()->GetDataHere(&format, &medium));
    medium.tymed = TYMED_ISTREAM;
    EXPECT_EQ(DV_E_TYMED, DragData()->GetDataHere(&format, &medium));
    medium.tymed = TYMED_HGLOBAL;
    ReleaseStgMedium(&medium);
}

TEST_F(DragDataObjectTest, GetDataHereWritesTextOnlyAndSaysSoForAFileList)
{
    ComReference<IQvDataObjectFiles> files;
    ASSERT_EQ(S_OK, outgoing_->get_Files(files.Out()));
    ASSERT_EQ(S_OK, CallByName(files.Get(), L"Add", DISPATCH_METHOD, {Text(L"c:\\Korvane\\Item.dat")}).hr);
    ASSERT_EQ(S_OK, CallByName(outgoing_.Get(), L"SetData", DISPATCH_METHOD, {Missing(), Number(CF_HDROP)}).hr);
    ASSERT_EQ(S_OK, CallByName(outgoing_.Get(), L"SetData", DISPATCH_METHOD, {Missing(), Number(CF_TEXT)}).hr);
    STGMEDIUM medium{};
    medium.tymed = TYMED_HGLOBAL;
    medium.hGlobal = GlobalAlloc(GMEM_MOVEABLE, 64);
    FORMATETC list = DataFormatEtc(CF_HDROP);
    EXPECT_EQ(E_NOTIMPL, DragData()->GetDataHere(&list, &medium));
    EXPECT_EQ(0, owner_->setDataEvents);
    // Text is asked for; the host supplies none.
    FORMATETC text = TextFormat();
    EXPECT_TRUE(FAILED(DragData()->GetDataHere(&text, &medium)));
    EXPECT_EQ(1, owner_->setDataEvents);
    ReleaseStgMedium(&medium);
}

TEST_F(DragDataObjectTest, FormatsAreEnumeratedInTheOrderTheyWereSet)
{
    ASSERT_EQ(S_OK, CallByName(outgoing_.Get(), L"SetData", DISPATCH_METHOD, {Text(L"x")}).hr);
    ASSERT_EQ(S_OK, CallByName(outgoing_.Get(), L"SetData", DISPATCH_METHOD, {Missing(), Number(CF_HDROP)}).hr);
    ASSERT_EQ(S_OK, CallByName(outgoing_.Get(), L"SetData", DISPATCH_METHOD, {Missing(), Number(CF_ENHMETAFILE)}).hr);
    ComReference<IEnumFORMATETC> formats;
    EXPECT_EQ(E_NOTIMPL, DragData()->EnumFormatEtc(DATADIR_SET, formats.Out()));
    ASSERT_EQ(S_OK, DragData()->EnumFormatEtc(DATADIR_GET, formats.Out()));
    FORMATETC got[4];
    ULONG fetched = 0;
    EXPECT_EQ(S_FALSE, formats->Next(4, got, &fetched));
    ASSERT_EQ(3u, fetched);
    EXPECT_EQ(CF_TEXT, got[0].cfFormat);
    EXPECT_EQ(DWORD(TYMED_HGLOBAL), got[0].tymed);
    EXPECT_EQ(CF_HDROP, got[1].cfFormat);
    EXPECT_EQ(CF_ENHMETAFILE, got[2].cfFormat);
    EXPECT_EQ(DWORD(TYMED_ENHMF), got[2].tymed);
    EXPECT_EQ(-1, got[2].lindex);
}

TEST_F(DragDataObjectTest, CanonicalFormatAndAdviseAnswers)
{
    FORMATETC in = TextFormat();
    FORMATETC out{};
    EXPECT_EQ(DATA_S_SAMEFORMATETC, DragData()->GetCanonicalFormatEtc(&in, &out));
    EXPECT_EQ(CF_TEXT, out.cfFormat);
    DWORD connection = 0;
    EXPECT_EQ(OLE_E_ADVISENOTSUPPORTED, DragData()->DAdvise(&in, 0, nullptr, &connection));
    EXPECT_EQ(E_FAIL, DragData()->DUnadvise(1));
    STGMEDIUM medium{};
    EXPECT_EQ(E_NOTIMPL, DragData()->SetData(&in, &medium, FALSE));
}

// The process heap's bytes in use (the library allocates there).
SIZE_T HeapBytesInUse()
{
    SIZE_T used = 0;
    HANDLE heap = GetProcessHeap();
    HeapLock(heap);
    PROCESS_HEAP_ENTRY entry{};
    while (HeapWalk(heap, &entry)) {
        if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY)
            used += entry.cbData;
    }
    HeapUnlock(heap);
    return used;
}

// One whole drag's worth of work on the data: formats, files, the files format, a late supply and
// the drop side reading it all.
void OneDrag(OwnerStandIn& owner)
{
    DragDataObject* drag = nullptr;
    ASSERT_EQ(S_OK, DragDataObject::Create(owner, &drag));
    ComReference<IQvDataObject> outgoing;
    ASSERT_EQ(S_OK, QvDataObject::CreateOutgoing(*drag, outgoing.Out()));
    CallByName(outgoing.Get(), L"SetData", DISPATCH_METHOD, {Text(L"Bolt")});
    CallByName(outgoing.Get(), L"SetData", DISPATCH_METHOD, {Missing(), Number(CF_HDROP)});
    CallByName(outgoing.Get(), L"SetData", DISPATCH_METHOD, {});  // refused
    CallResult files = CallByName(outgoing.Get(), L"Files", DISPATCH_PROPERTYGET);
    CallByName(V_DISPATCH(&files.value), L"Add", DISPATCH_METHOD, {Text(L"c:\\a.txt")});
    CallByName(V_DISPATCH(&files.value), L"Item", DISPATCH_PROPERTYGET, {Long(5)});  // refused
    ComReference<IQvDataObject> incoming;
    ASSERT_EQ(S_OK, QvDataObject::CreateIncoming(*drag, owner, incoming.Out()));
    CallByName(incoming.Get(), L"GetData", DISPATCH_METHOD, {Number(CF_TEXT)});
    CallResult dropped = CallByName(incoming.Get(), L"Files", DISPATCH_PROPERTYGET);
    CallResult enumerator = CallByName(V_DISPATCH(&dropped.value), L"_NewEnum", DISPATCH_METHOD);
    drag->PrivateUnknown()->Release();
    SetErrorInfo(0, nullptr);
}

TEST_F(DragDataObjectTest, RepeatedDragsLeaveNothingOnTheHeap)
{
    // The first rounds fill the system's caches (type information, string caches).
    for (int i = 0; i < 5; ++i)
        OneDrag(*owner_);
    const SIZE_T before = HeapBytesInUse();
    for (int i = 0; i < 50; ++i)
        OneDrag(*owner_);
    const SIZE_T after = HeapBytesInUse();
    // A leak of any of the drag's blocks would grow the heap by at least 50 of them.
    EXPECT_LT(after, before + 50 * 16) << "before " << before << " after " << after;
}

} // namespace
