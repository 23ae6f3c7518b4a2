// The data object through IDispatch, as a host's OLE drag event handlers use it.
#include "DataFormats.h"
#include "DataObjectFixture.h"

#include <cstring>
#include <string>

namespace {

const short HostRichText = static_cast<short>(0xBF01);
const short HostRichTextWithoutObjects = static_cast<short>(0xBF00);

std::wstring AsText(const VARIANT& value)
{
    return V_VT(&value) == VT_BSTR ? std::wstring(V_BSTR(&value), SysStringLen(V_BSTR(&value))) : L"<not text>";
}

struct RaisedError {
    int number;
    HRESULT hr;
    const wchar_t* description;
};

void ExpectRaised(const CallResult& call, const RaisedError& error)
{
    // The type library's Invoke reports a failing member as an exception carrying its error information.
    EXPECT_EQ(DISP_E_EXCEPTION, call.hr);
    EXPECT_EQ(error.hr, call.Code());
    EXPECT_EQ(std::wstring(error.description), call.Description());
    EXPECT_EQ(std::wstring(L"QvFrame"), std::wstring(call.exception.bstrSource ? call.exception.bstrSource : L""));
}

const RaisedError ExpectedArgument{673, static_cast<HRESULT>(0x800A02A1), L"Expected at least one argument"};
const RaisedError InvalidObjectUse{425, static_cast<HRESULT>(0x800A01A9), L"Invalid object use"};
const RaisedError InvalidProcedureCall{5, static_cast<HRESULT>(0x800A0005), L"Invalid procedure call"};
const RaisedError FormatMismatch{461, static_cast<HRESULT>(0x800A01CD), L"Specified format doesn't match format of data"};
const RaisedError ByteArrayRequired{675, static_cast<HRESULT>(0x800A02A3),
                                    L"Non-intrinsic OLE drag and drop formats used with SetData require Byte array data.  "
                                    L"GetData may return more bytes than were given to SetData."};
const RaisedError FormatsFrozen{672, static_cast<HRESULT>(0x800A02A0),
                                L"DataObject formats list may not be cleared or expanded outside of the OLEStartDrag event"};

using QvDataObjectTest = DataObjectFixture;

TEST_F(QvDataObjectTest, TextSetWithoutFormatIsPlainTextAndReadsBackOnTheDropSide)
{
    CallResult set = CallByName(outgoing_.Get(), L"SetData", DISPATCH_METHOD, {Text(L"Bolt M6 zinc")});
    ASSERT_EQ(S_OK, set.hr);
    CallResult has = CallByName(outgoing_.Get(), L"GetFormat", DISPATCH_METHOD, {Number(CF_TEXT)});
    ASSERT_EQ(S_OK, has.hr);
    EXPECT_EQ(VARIANT_TRUE, V_BOOL(&has.value));
    CallResult other = CallByName(outgoing_.Get(), L"GetFormat", DISPATCH_METHOD, {Number(CF_DIB)});
    EXPECT_EQ(VARIANT_FALSE, V_BOOL(&other.value));

    // The drop side of the same drag: another control's data object over this IDataObject.
    ComReference<IQvDataObject> incoming(Incoming(DragData()));
    CallResult got = CallByName(incoming.Get(), L"GetData", DISPATCH_METHOD, {Number(CF_TEXT)});
    ASSERT_EQ(S_OK, got.hr);
    EXPECT_EQ(L"Bolt M6 zinc", AsText(got.value));
    CallResult incomingHas = CallByName(incoming.Get(), L"GetFormat", DISPATCH_METHOD, {Number(CF_TEXT)});
    EXPECT_EQ(VARIANT_TRUE, V_BOOL(&incomingHas.value));
}

TEST_F(QvDataObjectTest, NumbersAreStoredAsTextAndASecondSetReplacesTheFirst)
{
    ASSERT_EQ(S_OK, CallByName(outgoing_.Get(), L"SetData", DISPATCH_METHOD, {Long(1500), Number(CF_TEXT)}).hr);
    ASSERT_EQ(S_OK, CallByName(outgoing_.Get(), L"SetData", DISPATCH_METHOD, {Text(L"second"), Number(CF_TEXT)}).hr);
    EXPECT_EQ(1, drag_->FormatCount());
    ComReference<IQvDataObject> incoming(Incoming(DragData()));
    CallResult got = CallByName(incoming.Get(), L"GetData", DISPATCH_METHOD, {Number(CF_TEXT)});
    EXPECT_EQ(L"second", AsText(got.value));
}

TEST_F(QvDataObjectTest, AValuePassedByReferenceIsStoredAsItsValue)
{
    // A host that passes its variable rather than a copy of it.
    BSTR variable = SysAllocString(L"by reference");
    VARIANT reference;
    VariantInit(&reference);
    V_VT(&reference) = VT_BYREF | VT_BSTR;
    V_BSTRREF(&reference) = &variable;
    ASSERT_EQ(S_OK, CallByName(outgoing_.Get(), L"SetData", DISPATCH_METHOD, {reference}).hr);
    SysFreeString(variable);
    ComReference<IQvDataObject> incoming(Incoming(DragData()));
    CallResult got = CallByName(incoming.Get(), L"GetData", DISPATCH_METHOD, {Number(CF_TEXT)});
    EXPECT_EQ(L"by reference", AsText(got.value));
}

TEST_F(QvDataObjectTest, AFormatOfZeroAnnouncedWithoutDataIsPlainText)
{
    ASSERT_EQ(S_OK, CallByName(outgoing_.Get(), L"SetData", DISPATCH_METHOD, {Missing(), Number(0)}).hr);
    EXPECT_TRUE(drag_->HasFormat(CF_TEXT));
    EXPECT_FALSE(drag_->HasFormat(0));
}

TEST_F(QvDataObjectTest, RichTextTravelsUnderTheRegisteredFormatAndTheHostsNumber)
{
    ASSERT_EQ(S_OK, CallByName(outgoing_.Get(), L"SetData", DISPATCH_METHOD, {Text(L"{\\rtf1 x}"), Number(HostRichText)}).hr);
    const CLIPFORMAT registered = static_cast<CLIPFORMAT>(RegisterClipboardFormatA("Rich Text Format"));
    EXPECT_TRUE(drag_->HasFormat(registered));
    CallResult has = CallByName(outgoing_.Get(), L"GetFormat", DISPATCH_METHOD, {Number(HostRichText)});
    EXPECT_EQ(VARIANT_TRUE, V_BOOL(&has.value));
    ComReference<IQvDataObject> incoming(Incoming(DragData()));
    CallResult got = CallByName(incoming.Get(), L"GetData", DISPATCH_METHOD, {Number(HostRichText)});
    EXPECT_EQ(L"{\\rtf1 x}", AsText(got.value));
}

TEST_F(QvDataObjectTest, RichTextWithoutObjectsTravelsUnderItsRegisteredFormatAsBytes)
{
    const std::vector<unsigned char> bytes = {'{', '\\', 'r', 't', 'f', '1', '}'};
    ASSERT_EQ(S_OK, CallByName(outgoing_.Get(), L"SetData", DISPATCH_METHOD, {Bytes(bytes), Number(HostRichTextWithoutObjects)}).hr);
    const CLIPFORMAT registered = static_cast<CLIPFORMAT>(RegisterClipboardFormatA("Rich Text Format Without Objects"));
    ASSERT_NE(0, registered);
    EXPECT_TRUE(drag_->HasFormat(registered));
    EXPECT_FALSE(drag_->HasFormat(static_cast<CLIPFORMAT>(HostRichTextWithoutObjects)));
    CallResult has = CallByName(outgoing_.Get(), L"GetFormat", DISPATCH_METHOD, {Number(HostRichTextWithoutObjects)});
    EXPECT_EQ(VARIANT_TRUE, V_BOOL(&has.value));
    ComReference<IQvDataObject> incoming(Incoming(DragData()));
    CallResult got = CallByName(incoming.Get(), L"GetData", DISPATCH_METHOD, {Number(HostRichTextWithoutObjects)});
    ASSERT_EQ(S_OK, got.hr);
    ASSERT_EQ(VT_ARRAY | VT_UI1, V_VT(&got.value));
    SAFEARRAY* array = V_ARRAY(&got.value);
    // Global memory may hold more than was given; what was given comes first.
    ASSERT_GE(array->rgsabound[0].cElements, bytes.size());
    EXPECT_EQ(0, memcmp(bytes.data(), array->pvData, bytes.size()));
    // Text is no byte array: refused as for any private format.
    EXPECT_EQ(static_cast<HRESULT>(0x800A02A3),
              CallByName(outgoing_.Get(), L"SetData", DISPATCH_METHOD, {Text(L"{\\rtf1}"), Number(HostRichTextWithoutObjects)}).Code());
}

TEST_F(QvDataObjectTest, PrivateFormatsCarryByteArraysUnchanged)
{
    const short format = static_cast<short>(RegisterClipboardFormatA("Korvane Test Item"));
    const std::vector<unsigned char> bytes = {0, 1, 2, 250, 0, 7};
    ASSERT_EQ(S_OK, CallByName(outgoing_.Get(), L"SetData", DISPATCH_METHOD, {Bytes(bytes), Number(format)}).hr);
    ComReference<IQvDataObject> incoming(Incoming(DragData()));
    CallResult got = CallByName(incoming.Get(), L"GetData", DISPATCH_METHOD, {Number(format)});
    ASSERT_EQ(S_OK, got.hr);
    ASSERT_EQ(VT_ARRAY | VT_UI1, V_VT(&got.value));
    SAFEARRAY* array = V_ARRAY(&got.value);
    ASSERT_EQ(bytes.size(), array->rgsabound[0].cElements);
    EXPECT_EQ(0, memcmp(bytes.data(), array->pvData, bytes.size()));
}

TEST_F(QvDataObjectTest, RefusedSetsRaiseTheirErrorAndLeaveTheCacheUnchanged)
{
    const short registered = static_cast<short>(RegisterClipboardFormatA("Korvane Test Item"));
    const short unregistered = static_cast<short>(0xFFF0);
    struct Case {
        const char* what;
        std::vector<VARIANT> arguments;
        RaisedError error;
    };
    std::vector<Case> cases;
    cases.push_back({"neither argument", {}, ExpectedArgument});
    cases.push_back({"text for a private format", {Text(L"abc"), Number(registered)}, ByteArrayRequired});
    cases.push_back({"a format nobody registered", {Bytes({1}), Number(unregistered)}, FormatMismatch});
    cases.push_back({"text as a picture format", {Text(L"abc"), Number(CF_DIB)}, FormatMismatch});
    cases.push_back({"a value for the file list", {Text(L"c:\\a.txt"), Number(CF_HDROP)}, InvalidProcedureCall});
    for (Case& c : cases) {
        SCOPED_TRACE(c.what);
        CallResult call = CallByName(outgoing_.Get(), L"SetData", DISPATCH_METHOD, std::move(c.arguments));
        ExpectRaised(call, c.error);
        EXPECT_EQ(0, drag_->FormatCount());
    }
}

TEST_F(QvDataObjectTest, ErrorInformationNamesTheOwningControlAndTheErrorsHelpTopic)
{
    // Called through the interface, the error stays with the thread for the host to fetch.
    VARIANT missing = Missing();
    EXPECT_EQ(static_cast<HRESULT>(0x800A02A1), outgoing_->SetData(missing, missing));
    ComReference<ISupportErrorInfo> support;
    ASSERT_EQ(S_OK, outgoing_->QueryInterface(IID_ISupportErrorInfo, support.OutVoid()));
    EXPECT_EQ(S_OK, support->InterfaceSupportsErrorInfo(IID_IQvDataObject));
    ErrorInfoFacts facts = TakeErrorInfo();
    ASSERT_TRUE(facts.present);
    EXPECT_TRUE(IsEqualGUID(IID_IQvFrame, facts.guid));
    EXPECT_EQ(L"QvFrame", facts.source);
    EXPECT_EQ(L"Expected at least one argument", facts.description);
    EXPECT_EQ(673u, facts.helpContext);
}

TEST_F(QvDataObjectTest, EachSideRefusesTheOthersMembers)
{
    ExpectRaised(CallByName(outgoing_.Get(), L"GetData", DISPATCH_METHOD, {Number(CF_TEXT)}), InvalidObjectUse);

    ASSERT_EQ(S_OK, CallByName(outgoing_.Get(), L"SetData", DISPATCH_METHOD, {Text(L"x")}).hr);
    ComReference<IQvDataObject> incoming(Incoming(DragData()));
    ExpectRaised(CallByName(incoming.Get(), L"SetData", DISPATCH_METHOD, {Text(L"y")}), InvalidObjectUse);
    ExpectRaised(CallByName(incoming.Get(), L"Clear", DISPATCH_METHOD), InvalidObjectUse);
    // File names come from Files, not from GetData.
    ExpectRaised(CallByName(incoming.Get(), L"GetData", DISPATCH_METHOD, {Number(CF_HDROP)}), InvalidProcedureCall);
    // A format the drag does not offer.
    ExpectRaised(CallByName(incoming.Get(), L"GetData", DISPATCH_METHOD, {Number(CF_DIB)}), FormatMismatch);
}

TEST_F(QvDataObjectTest, ClearEmptiesFormatsAndFilesUntilTheDragStarts)
{
    ASSERT_EQ(S_OK, CallByName(outgoing_.Get(), L"SetData", DISPATCH_METHOD, {Text(L"x")}).hr);
    ComReference<IQvDataObjectFiles> files;
    ASSERT_EQ(S_OK, outgoing_->get_Files(files.Out()));
    ASSERT_EQ(S_OK, CallByName(files.Get(), L"Add", DISPATCH_METHOD, {Text(L"c:\\Korvane\\Item.dat")}).hr);
    ASSERT_EQ(S_OK, CallByName(outgoing_.Get(), L"Clear", DISPATCH_METHOD).hr);
    EXPECT_EQ(0, drag_->FormatCount());
    LONG count = -1;
    files->get_Count(&count);
    EXPECT_EQ(0, count);

    ASSERT_EQ(S_OK, CallByName(outgoing_.Get(), L"SetData", DISPATCH_METHOD, {Text(L"x")}).hr);
    drag_->Freeze();
    ExpectRaised(CallByName(outgoing_.Get(), L"Clear", DISPATCH_METHOD), FormatsFrozen);
    ExpectRaised(CallByName(outgoing_.Get(), L"SetData", DISPATCH_METHOD, {Missing(), Number(CF_DIB)}), FormatsFrozen);
    EXPECT_EQ(1, drag_->FormatCount());
    // A format announced before the drag may still receive its data.
    EXPECT_EQ(S_OK, CallByName(outgoing_.Get(), L"SetData", DISPATCH_METHOD, {Text(L"y"), Number(CF_TEXT)}).hr);
}

TEST_F(QvDataObjectTest, AnnouncedFormatIsAskedForInOLESetDataWhenADropTargetWantsIt)
{
    ASSERT_EQ(S_OK, CallByName(outgoing_.Get(), L"SetData", DISPATCH_METHOD, {Missing(), Number(CF_TEXT)}).hr);
    short askedFormat = 0;
    owner_->onSetData = [&](IQvDataObject* data, short format) {
        askedFormat = format;
        EXPECT_EQ(S_OK, CallByName(data, L"SetData", DISPATCH_METHOD, {Text(L"supplied late"), Number(format)}).hr);
    };
    drag_->Freeze();
    ComReference<IQvDataObject> incoming(Incoming(DragData()));
    CallResult got = CallByName(incoming.Get(), L"GetData", DISPATCH_METHOD, {Number(CF_TEXT)});
    EXPECT_EQ(L"supplied late", AsText(got.value));
    EXPECT_EQ(CF_TEXT, askedFormat);
    // Supplied once: the next request does not ask again.
    CallByName(incoming.Get(), L"GetData", DISPATCH_METHOD, {Number(CF_TEXT)});
    EXPECT_EQ(1, owner_->setDataEvents);
}

TEST_F(QvDataObjectTest, RichTextIsAskedForUnderTheHostsNumber)
{
    ASSERT_EQ(S_OK, CallByName(outgoing_.Get(), L"SetData", DISPATCH_METHOD, {Missing(), Number(HostRichText)}).hr);
    short askedFormat = 0;
    owner_->onSetData = [&](IQvDataObject*, short format) { askedFormat = format; };
    ComReference<IQvDataObject> incoming(Incoming(DragData()));
    CallByName(incoming.Get(), L"GetData", DISPATCH_METHOD, {Number(HostRichText)});
    EXPECT_EQ(HostRichText, askedFormat);
}

TEST_F(QvDataObjectTest, RichTextWithoutObjectsIsAskedForUnderItsHostNumber)
{
    ASSERT_EQ(S_OK, CallByName(outgoing_.Get(), L"SetData", DISPATCH_METHOD, {Missing(), Number(HostRichTextWithoutObjects)}).hr);
    short askedFormat = 0;
    owner_->onSetData = [&](IQvDataObject*, short format) { askedFormat = format; };
    ComReference<IQvDataObject> incoming(Incoming(DragData()));
    CallByName(incoming.Get(), L"GetData", DISPATCH_METHOD, {Number(HostRichTextWithoutObjects)});
    EXPECT_EQ(HostRichTextWithoutObjects, askedFormat);
}

// A control that supplies requested data itself: it stores text for the format it is asked for.
class SupplyingControl final : public IDragDataSupplier {
public:
    STDMETHODIMP QueryInterface(REFIID riid, void** object) override
    {
        *object = riid == IID_IUnknown || riid == IID_IDragDataSupplier ? static_cast<IDragDataSupplier*>(this) : nullptr;
        if (*object == nullptr)
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++references; }
    STDMETHODIMP_(ULONG) Release() override { return --references; }
    STDMETHODIMP Unused() override { return E_NOTIMPL; }
    STDMETHODIMP SupplyData(IQvDataObject* data, short format) override
    {
        askedFormats.push_back(format);
        return CallByName(data, L"SetData", DISPATCH_METHOD, {Text(L"from the control"), Number(format)}).hr;
    }
    ULONG references = 0;
    std::vector<short> askedFormats;
};

TEST_F(QvDataObjectTest, AControlThatSuppliesDataIsAskedBeforeTheHost)
{
    SupplyingControl control;
    owner_->controlInstead = &control;
    DragDataObject* drag = nullptr;
    ASSERT_EQ(S_OK, DragDataObject::Create(*owner_, &drag));
    ComReference<IQvDataObject> outgoing;
    ASSERT_EQ(S_OK, QvDataObject::CreateOutgoing(*drag, outgoing.Out()));
    ASSERT_EQ(S_OK, CallByName(outgoing.Get(), L"SetData", DISPATCH_METHOD, {Missing(), Number(CF_TEXT)}).hr);
    owner_->onSetData = [&](IQvDataObject*, short) { control.askedFormats.push_back(-1); };
    ComReference<IQvDataObject> incoming(Incoming(drag));
    CallResult got = CallByName(incoming.Get(), L"GetData", DISPATCH_METHOD, {Number(CF_TEXT)});
    EXPECT_EQ(L"from the control", AsText(got.value));
    // The control first, then the host (-1), who hears OLESetData all the same.
    EXPECT_EQ((std::vector<short>{CF_TEXT, -1}), control.askedFormats);
    incoming.Reset();
    outgoing.Reset();
    drag->PrivateUnknown()->Release();
    owner_->controlInstead = nullptr;
    EXPECT_EQ(0u, control.references);
}

TEST_F(QvDataObjectTest, DataNotSuppliedInOLESetDataFailsTheDropTargetsRequest)
{
    ASSERT_EQ(S_OK, CallByName(outgoing_.Get(), L"SetData", DISPATCH_METHOD, {Missing(), Number(CF_TEXT)}).hr);
    FORMATETC format{CF_TEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium{};
    EXPECT_EQ(static_cast<HRESULT>(0x800A02A4), DragData()->GetData(&format, &medium));
    EXPECT_EQ(1, owner_->setDataEvents);
    EXPECT_EQ(TYMED_NULL, medium.tymed);
    ErrorInfoFacts facts = TakeErrorInfo();
    EXPECT_EQ(L"Requested data was not supplied to the DataObject during the OLESetData event.", facts.description);
}

TEST_F(QvDataObjectTest, QueryForIDataObjectGivesTheWrappedData)
{
    ComReference<IDataObject> data;
    ASSERT_EQ(S_OK, outgoing_->QueryInterface(IID_IDataObject, data.OutVoid()));
    EXPECT_EQ(DragData(), data.Get());
    ComReference<IQvDataObject> incoming(Incoming(DragData()));
    ComReference<IDataObject> wrapped;
    ASSERT_EQ(S_OK, incoming->QueryInterface(IID_IDataObject, wrapped.OutVoid()));
    EXPECT_EQ(DragData(), wrapped.Get());
    // The incoming side has no file list until Files reads it.
    ComReference<IQvDataObjectFiles> files;
    EXPECT_EQ(E_NOINTERFACE, incoming->QueryInterface(IID_IQvDataObjectFiles, files.OutVoid()));
    EXPECT_EQ(S_OK, outgoing_->QueryInterface(IID_IQvDataObjectFiles, files.OutVoid()));
}

TEST_F(QvDataObjectTest, EnhancedMetafilePictureRoundTrips)
{
    HDC recorder = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, recorder);
    Rectangle(recorder, 0, 0, 40, 20);
    PICTDESC description{};
    description.cbSizeofstruct = sizeof description;
    description.picType = PICTYPE_ENHMETAFILE;
    description.emf.hemf = CloseEnhMetaFile(recorder);
    ComReference<IPictureDisp> picture;
    ASSERT_EQ(S_OK, OleCreatePictureIndirect(&description, IID_IPictureDisp, TRUE, picture.OutVoid()));

    ASSERT_EQ(S_OK, CallByName(outgoing_.Get(), L"SetData", DISPATCH_METHOD, {Object(picture.Get())}).hr);
    EXPECT_TRUE(drag_->HasFormat(CF_ENHMETAFILE));
    // A metafile picture cannot travel as a bitmap.
    ExpectRaised(CallByName(outgoing_.Get(), L"SetData", DISPATCH_METHOD, {Object(picture.Get()), Number(CF_BITMAP)}),
                 FormatMismatch);

    ComReference<IQvDataObject> incoming(Incoming(DragData()));
    CallResult got = CallByName(incoming.Get(), L"GetData", DISPATCH_METHOD, {Number(CF_ENHMETAFILE)});
    ASSERT_EQ(S_OK, got.hr);
    ASSERT_EQ(VT_DISPATCH, V_VT(&got.value));
    ComReference<IPicture> received;
    ASSERT_EQ(S_OK, V_DISPATCH(&got.value)->QueryInterface(IID_IPicture, received.OutVoid()));
    SHORT type = 0;
    received->get_Type(&type);
    EXPECT_EQ(PICTYPE_ENHMETAFILE, type);
}

// A bitmap picture of the screen's kind, without a palette of its own; the picture owns the bitmap.
HRESULT ScreenBitmapPicture(int width, int height, IPictureDisp** picture)
{
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    ReleaseDC(nullptr, screen);
    PICTDESC description{};
    description.cbSizeofstruct = sizeof description;
    description.picType = PICTYPE_BITMAP;
    description.bmp.hbitmap = bitmap;
    const HRESULT hr = OleCreatePictureIndirect(&description, IID_IPictureDisp, TRUE, reinterpret_cast<void**>(picture));
    if (FAILED(hr))
        DeleteObject(bitmap);
    return hr;
}

TEST_F(QvDataObjectTest, BitmapPictureTravelsAsADeviceIndependentBitmap)
{
    ComReference<IPictureDisp> picture;
    ASSERT_EQ(S_OK, ScreenBitmapPicture(7, 5, picture.Out()));
    ASSERT_EQ(S_OK, CallByName(outgoing_.Get(), L"SetData", DISPATCH_METHOD, {Object(picture.Get())}).hr);
    ASSERT_EQ(S_OK, CallByName(outgoing_.Get(), L"SetData", DISPATCH_METHOD, {Object(picture.Get()), Number(CF_BITMAP)}).hr);
    EXPECT_TRUE(drag_->HasFormat(CF_DIB));

    ComReference<IQvDataObject> incoming(Incoming(DragData()));
    for (short format : {short(CF_DIB), short(CF_BITMAP)}) {
        SCOPED_TRACE(format);
        CallResult got = CallByName(incoming.Get(), L"GetData", DISPATCH_METHOD, {Number(format)});
        ASSERT_EQ(S_OK, got.hr);
        ComReference<IPicture> received;
        ASSERT_EQ(S_OK, V_DISPATCH(&got.value)->QueryInterface(IID_IPicture, received.OutVoid()));
        OLE_HANDLE handle = 0;
        received->get_Handle(&handle);
        BITMAP facts{};
        ASSERT_NE(0, GetObjectA(reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle)), sizeof facts, &facts));
        EXPECT_EQ(7, facts.bmWidth);
        EXPECT_EQ(5, facts.bmHeight);
    }
}

TEST_F(QvDataObjectTest, ABitmapWithoutAPaletteDeliversThePaletteItIsDrawnWith)
{
    ComReference<IPictureDisp> picture;
    ASSERT_EQ(S_OK, ScreenBitmapPicture(4, 4, picture.Out()));  // no palette of its own
    ASSERT_EQ(S_OK, CallByName(outgoing_.Get(), L"SetData", DISPATCH_METHOD, {Object(picture.Get()), Number(CF_PALETTE)}).hr);
    // What is offered is delivered: the default palette's colours.
    FORMATETC format = DataFormatEtc(CF_PALETTE);
    ASSERT_EQ(S_OK, DragData()->QueryGetData(&format));
    STGMEDIUM medium{};
    ASSERT_EQ(S_OK, DragData()->GetData(&format, &medium));
    ASSERT_EQ(DWORD(TYMED_GDI), medium.tymed);
    PALETTEENTRY delivered[32]{};
    PALETTEENTRY standard[32]{};
    const UINT count = GetPaletteEntries(reinterpret_cast<HPALETTE>(medium.hBitmap), 0, 32, delivered);
    ASSERT_EQ(GetPaletteEntries(static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)), 0, 32, standard), count);
    ASSERT_GT(count, 0u);
    EXPECT_EQ(0, memcmp(delivered, standard, count * sizeof delivered[0]));
    ReleaseStgMedium(&medium);
}

} // namespace
