// The file list of a data object: its 1-based index rules, the files format built from it and read
// back, and its enumerator.
#include "DataObjectFixture.h"

#include <shellapi.h>
#include <shlobj.h>

#include <string>

namespace {

class QvDataObjectFilesTest : public DataObjectFixture {
protected:
    void SetUp() override
    {
        DataObjectFixture::SetUp();
        ASSERT_EQ(S_OK, outgoing_->get_Files(files_.Out()));
    }
    void TearDown() override
    {
        files_.Reset();
        DataObjectFixture::TearDown();
    }
    void Add(const wchar_t* name)
    {
        ASSERT_EQ(S_OK, CallByName(files_.Get(), L"Add", DISPATCH_METHOD, {Text(name)}).hr);
    }
    std::vector<std::wstring> Names(IUnknown* files)
    {
        std::vector<std::wstring> names;
        CallResult count = CallByName(files, L"Count", DISPATCH_PROPERTYGET);
        for (LONG i = 1; i <= V_I4(&count.value); ++i) {
            CallResult item = CallByName(files, L"Item", DISPATCH_PROPERTYGET, {Long(i)});
            names.push_back(V_VT(&item.value) == VT_BSTR ? V_BSTR(&item.value) : L"<none>");
        }
        return names;
    }

    ComReference<IQvDataObjectFiles> files_;
};

void ExpectBadIndex(const CallResult& call)
{
    EXPECT_EQ(DISP_E_EXCEPTION, call.hr);
    EXPECT_EQ(DISP_E_BADINDEX, call.Code());
    EXPECT_EQ(L"Invalid property array index", call.Description());
    EXPECT_EQ(std::wstring(L"QvDataObjectFiles"), std::wstring(call.exception.bstrSource ? call.exception.bstrSource : L""));
}

TEST_F(QvDataObjectFilesTest, AddInsertsAtTheIndexAndRemoveClosesTheGap)
{
    Add(L"b.txt");
    Add(L"d.txt");
    ASSERT_EQ(S_OK, CallByName(files_.Get(), L"Add", DISPATCH_METHOD, {Text(L"a.txt"), Long(1)}).hr);
    ASSERT_EQ(S_OK, CallByName(files_.Get(), L"Add", DISPATCH_METHOD, {Text(L"c.txt"), Number(3)}).hr);
    ASSERT_EQ(S_OK, CallByName(files_.Get(), L"Add", DISPATCH_METHOD, {Text(L"e.txt"), Long(5)}).hr);
    EXPECT_EQ((std::vector<std::wstring>{L"a.txt", L"b.txt", L"c.txt", L"d.txt", L"e.txt"}), Names(files_.Get()));
    ASSERT_EQ(S_OK, CallByName(files_.Get(), L"Remove", DISPATCH_METHOD, {Long(2)}).hr);
    ASSERT_EQ(S_OK, CallByName(files_.Get(), L"Remove", DISPATCH_METHOD, {Text(L"4")}).hr);
    EXPECT_EQ((std::vector<std::wstring>{L"a.txt", L"c.txt", L"d.txt"}), Names(files_.Get()));
    ASSERT_EQ(S_OK, CallByName(files_.Get(), L"Clear", DISPATCH_METHOD).hr);
    EXPECT_TRUE(Names(files_.Get()).empty());
}

TEST_F(QvDataObjectFilesTest, IndexesOutsideTheListAreRefusedWithErrorInformation)
{
    Add(L"a.txt");
    Add(L"b.txt");
    for (LONG index : {0L, -1L, 3L}) {
        SCOPED_TRACE(index);
        ExpectBadIndex(CallByName(files_.Get(), L"Item", DISPATCH_PROPERTYGET, {Long(index)}));
        ExpectBadIndex(CallByName(files_.Get(), L"Remove", DISPATCH_METHOD, {Long(index)}));
    }
    for (LONG index : {0L, -1L, 4L}) {
        SCOPED_TRACE(index);
        ExpectBadIndex(CallByName(files_.Get(), L"Add", DISPATCH_METHOD, {Text(L"x"), Long(index)}));
    }
    EXPECT_EQ((std::vector<std::wstring>{L"a.txt", L"b.txt"}), Names(files_.Get()));

    // Through the interface the error stays with the thread, with the collection's own GUID.
    BSTR name = nullptr;
    EXPECT_EQ(DISP_E_BADINDEX, files_->get_Item(9, &name));
    EXPECT_EQ(nullptr, name);
    ErrorInfoFacts facts = TakeErrorInfo();
    ASSERT_TRUE(facts.present);
    EXPECT_TRUE(IsEqualGUID(IID_IQvDataObjectFiles, facts.guid));
    ComReference<ISupportErrorInfo> support;
    ASSERT_EQ(S_OK, files_->QueryInterface(IID_ISupportErrorInfo, support.OutVoid()));
    EXPECT_EQ(S_OK, support->InterfaceSupportsErrorInfo(IID_IQvDataObjectFiles));
    EXPECT_EQ(S_FALSE, support->InterfaceSupportsErrorInfo(IID_IQvDataObject));
}

TEST_F(QvDataObjectFilesTest, AnIndexThatIsNoNumberIsATypeMismatch)
{
    Add(L"a.txt");
    CallResult call = CallByName(files_.Get(), L"Remove", DISPATCH_METHOD, {Text(L"first")});
    EXPECT_TRUE(FAILED(call.hr));
    EXPECT_EQ(1u, Names(files_.Get()).size());
}

TEST_F(QvDataObjectFilesTest, TheListGrowsPastItsFirstTenNames)
{
    std::vector<std::wstring> expected;
    for (int i = 1; i <= 23; ++i) {
        expected.push_back(L"file" + std::to_wstring(i) + L".txt");
        Add(expected.back().c_str());
    }
    EXPECT_EQ(expected, Names(files_.Get()));
}

TEST_F(QvDataObjectFilesTest, TheFilesFormatIsADropListTheShellReads)
{
    Add(L"c:\\Korvane\\Item.dat");
    Add(L"c:\\Korvane\\Item.Txt");
    ASSERT_EQ(S_OK, CallByName(outgoing_.Get(), L"SetData", DISPATCH_METHOD, {Missing(), Number(CF_HDROP)}).hr);

    FORMATETC format{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium{};
    ASSERT_EQ(S_OK, DragData()->GetData(&format, &medium));
    // The names were there: nothing had to be asked for.
    EXPECT_EQ(0, owner_->setDataEvents);
    ASSERT_EQ(TYMED_HGLOBAL, medium.tymed);
    EXPECT_EQ(nullptr, medium.pUnkForRelease);
    auto* header = static_cast<DROPFILES*>(GlobalLock(medium.hGlobal));
    ASSERT_NE(nullptr, header);
    EXPECT_EQ(sizeof(DROPFILES), header->pFiles);
    EXPECT_FALSE(header->fWide);
    GlobalUnlock(medium.hGlobal);
    HDROP drop = static_cast<HDROP>(medium.hGlobal);
    ASSERT_EQ(2u, DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0));
    char name[MAX_PATH];
    DragQueryFileA(drop, 0, name, MAX_PATH);
    EXPECT_STREQ("c:\\Korvane\\Item.dat", name);
    DragQueryFileA(drop, 1, name, MAX_PATH);
    EXPECT_STREQ("c:\\Korvane\\Item.Txt", name);
    ReleaseStgMedium(&medium);

    // The drop side reads the same names back through its own Files.
    ComReference<IQvDataObject> incoming(Incoming(DragData()));
    CallResult files = CallByName(incoming.Get(), L"Files", DISPATCH_PROPERTYGET);
    ASSERT_EQ(S_OK, files.hr);
    ASSERT_EQ(VT_DISPATCH, V_VT(&files.value));
    EXPECT_EQ((std::vector<std::wstring>{L"c:\\Korvane\\Item.dat", L"c:\\Korvane\\Item.Txt"}),
              Names(V_DISPATCH(&files.value)));
}

TEST_F(QvDataObjectFilesTest, AnnouncedFileListIsAskedForWhenEmpty)
{
    ASSERT_EQ(S_OK, CallByName(outgoing_.Get(), L"SetData", DISPATCH_METHOD, {Missing(), Number(CF_HDROP)}).hr);
    owner_->onSetData = [&](IQvDataObject* data, short format) {
        EXPECT_EQ(CF_HDROP, format);
        CallResult files = CallByName(data, L"Files", DISPATCH_PROPERTYGET);
        CallByName(V_DISPATCH(&files.value), L"Add", DISPATCH_METHOD, {Text(L"late.txt")});
    };
    ComReference<IQvDataObject> incoming(Incoming(DragData()));
    ComReference<IQvDataObjectFiles> files;
    ASSERT_EQ(S_OK, incoming->get_Files(files.Out()));
    EXPECT_EQ((std::vector<std::wstring>{L"late.txt"}), Names(files.Get()));
    EXPECT_EQ(1, owner_->setDataEvents);
}

TEST_F(QvDataObjectFilesTest, FilesOfADropWithoutAFileListIsAFormatMismatch)
{
    ASSERT_EQ(S_OK, CallByName(outgoing_.Get(), L"SetData", DISPATCH_METHOD, {Text(L"x")}).hr);
    ComReference<IQvDataObject> incoming(Incoming(DragData()));
    CallResult files = CallByName(incoming.Get(), L"Files", DISPATCH_PROPERTYGET);
    EXPECT_EQ(DISP_E_EXCEPTION, files.hr);
    EXPECT_EQ(static_cast<HRESULT>(0x800A01CD), files.Code());
}

TEST_F(QvDataObjectFilesTest, EnumeratorWalksACopyOfTheNames)
{
    Add(L"a.txt");
    Add(L"b.txt");
    Add(L"c.txt");
    CallResult made = CallByName(files_.Get(), L"_NewEnum", DISPATCH_METHOD);
    ASSERT_EQ(S_OK, made.hr);
    ComReference<IEnumVARIANT> names;
    ASSERT_EQ(S_OK, V_UNKNOWN(&made.value)->QueryInterface(IID_IEnumVARIANT, names.OutVoid()));
    // Later changes of the list do not reach an enumerator already made.
    files_->Clear();

    VARIANT got[3];
    ULONG fetched = 0;
    ASSERT_EQ(S_OK, names->Next(1, got, &fetched));
    EXPECT_EQ(1u, fetched);
    EXPECT_EQ(std::wstring(L"a.txt"), V_BSTR(&got[0]));
    VariantClear(&got[0]);

    ComReference<IEnumVARIANT> clone;
    ASSERT_EQ(S_OK, names->Clone(clone.Out()));
    names.Reset();
    // Three asked for, two left: S_FALSE, and fetched tells how many arrived.
    ASSERT_EQ(S_FALSE, clone->Next(3, got, &fetched));
    EXPECT_EQ(2u, fetched);
    EXPECT_EQ(std::wstring(L"b.txt"), V_BSTR(&got[0]));
    EXPECT_EQ(std::wstring(L"c.txt"), V_BSTR(&got[1]));
    VariantClear(&got[0]);
    VariantClear(&got[1]);
    EXPECT_EQ(S_FALSE, clone->Skip(1));
    EXPECT_EQ(S_OK, clone->Reset());
    EXPECT_EQ(S_OK, clone->Skip(3));
    EXPECT_EQ(S_FALSE, clone->Next(1, got, &fetched));
    EXPECT_EQ(0u, fetched);
}

} // namespace
