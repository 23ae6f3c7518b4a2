#include "TestControl.h"

#include "ControlPersistence.h"
#include "Module.h"

#include <cstring>

const COLORREF TestControlColor = RGB(200, 30, 40);
const char* const TestControlWindowClass = "FrameworkTestControlWndClass";

namespace {

template <int Row>
IUnknown* CreateRow(IUnknown* outer)
{
    if (outer != nullptr)
        return nullptr;
    TestControl* control = TestControl::Create(Row);
    return control != nullptr ? control->PrivateUnknown() : nullptr;
}

const GUID PageOne = {0x7DFEF3E1, 0xFA97, 0x11CF, {0x81, 0x7A, 0x00, 0x00, 0xC0, 0xFC, 0xE2, 0xB7}};
const GUID PageTwo = {0x8E4DC1E1, 0xFA97, 0x11CF, {0x81, 0x7A, 0x00, 0x00, 0xC0, 0xFC, 0xE2, 0xB7}};
const GUID PageThree = {0x2DCD3760, 0x2E8B, 0x11D0, {0x81, 0x7A, 0x00, 0x00, 0xC0, 0xFC, 0xE2, 0xB7}};
const GUID* const ThreePages[] = {&PageOne, &PageTwo, &PageThree};

// Classes of other rows, not in the type library.
const CLSID OtherClass = {0x5A7C1E3F, 0x3B8D, 0x4F61, {0x9C, 0x2E, 0x7D, 0x41, 0xB0, 0xA6, 0xE9, 0x01}};

ControlDescriptor MakeRow(const char* name, CreateObjectFunction create, const CLSID* clsid, DWORD misc,
                          WORD windowless, WORD pageCount, DWORD wantsReflector)
{
    ControlDescriptor row = {};
    row.clsid = clsid;
    row.objectName = name;
    row.create = create;
    row.majorVersion = 2;
    row.minorVersion = 0;
    row.dispatchIid = &IID_ITestControl;
    row.eventsIid = &DIID_DTestControlEvents;
    row.helpFile = "Plyx20.HLP";
    row.miscStatus = misc;
    row.activationPolicy = 0;
    row.opaque = 1;
    row.windowlessAllowed = windowless;
    row.toolboxBitmapId = 106;
    row.windowClassName = TestControlWindowClass;
    row.propertyPageCount = pageCount;
    row.propertyPages = pageCount != 0 ? ThreePages : nullptr;
    row.wantsReflector = wantsReflector;
    return row;
}

ControlDescriptor g_rows[TestRowCount] = {
    MakeRow("TestControl", CreateRow<TestRowButtonLike>, &CLSID_TestControl, 0x20191, 1, 3, 0),
    MakeRow("TestWindowed", CreateRow<TestRowWindowedOnly>, &OtherClass, 0x20191, 0, 3, 0),
    MakeRow("TestFrame", CreateRow<TestRowFrameLike>, nullptr, 0x32191, 0, 3, 0),
    MakeRow("TestPanel", CreateRow<TestRowPanelLike>, nullptr, 0x3A191, 0, 3, 0),
    MakeRow("TestRibbon", CreateRow<TestRowRibbonLike>, nullptr, 0x22191, 1, 3, 0),
    MakeRow("TestCommand", CreateRow<TestRowCommandLike>, nullptr, 0x21191, 1, 3, 0),
    MakeRow("TestInvisible", CreateRow<TestRowInvisible>, nullptr,
            OLEMISC_INVISIBLEATRUNTIME | OLEMISC_NOUIACTIVATE | OLEMISC_SETCLIENTSITEFIRST, 0, 0, 0),
    MakeRow("TestReflecting", CreateRow<TestRowReflecting>, nullptr, 0x20191, 0, 3, 1),
};

} // namespace

ObjectDescriptorRow ObjectDescriptorTable::rows[] = {
    {ObjectKindControl, &g_rows[0]}, {ObjectKindControl, &g_rows[1]}, {ObjectKindControl, &g_rows[2]},
    {ObjectKindControl, &g_rows[3]}, {ObjectKindControl, &g_rows[4]}, {ObjectKindControl, &g_rows[5]},
    {ObjectKindControl, &g_rows[6]}, {ObjectKindControl, &g_rows[7]}, {ObjectKindEndOfTable, nullptr},
};
const GUID* const ObjectDescriptorTable::typeLibraryId = &LIBID_TestControlLibrary;
const LCID ObjectDescriptorTable::typeLibraryLcid = 0x0400;
// The tests have no data object.
const int ObjectDescriptorTable::dataObjectRow = -1;

TestControl::TestControl(int row) : BrowsableControl(nullptr, row, static_cast<ITestControl*>(this), TestStockEvents)
{
    SetCurrentVersion(CurrentStateVersion);
}

TestControl* TestControl::Create(int row)
{
    return new TestControl(row);
}

HRESULT TestControl::InternalQueryInterface(REFIID riid, void** object)
{
    if (SameIid(riid, IID_ITestControl)) {
        AddRef();
        *object = static_cast<ITestControl*>(this);
        return S_OK;
    }
    return BrowsableControl::InternalQueryInterface(riid, object);
}

STDMETHODIMP TestControl::get_Number(LONG* value)
{
    if (value == nullptr)
        return E_POINTER;
    *value = number;
    return S_OK;
}

STDMETHODIMP TestControl::put_Number(LONG value)
{
    number = value;
    SetDirty(true);
    return S_OK;
}

bool TestControl::Received(UINT message) const
{
    for (const Message& m : messages)
        if (m.message == message)
            return true;
    return false;
}

void TestControl::ViewChanged()
{
    ++viewChanges;
    if (StateFlags() & StateCreatingWindow)
        ++viewChangesDuringCreation;
    BrowsableControl::ViewChanged();
}

BOOL TestControl::BeforePaint(HDC) { return !refusePaint; }
BOOL TestControl::AfterCreateWindow() { return !refuseWindow; }

HRESULT TestControl::LoadBinaryState(IStream* stream)
{
    return ReadExactly(stream, &number, sizeof(number));
}

HRESULT TestControl::SaveBinaryState(IStream* stream)
{
    if (failSave)
        return STG_E_MEDIUMFULL;
    return WriteExactly(stream, &number, sizeof(number));
}

HRESULT TestControl::LoadTextState(IPropertyBag* bag, IErrorLog* errorLog)
{
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_I4;
    if (SUCCEEDED(bag->Read(L"Number", &value, errorLog)) && SUCCEEDED(VariantChangeType(&value, &value, 0, VT_I4)))
        number = value.lVal;
    VariantClear(&value);
    return S_OK;
}

HRESULT TestControl::SaveTextState(IPropertyBag* bag, BOOL)
{
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_I4;
    value.lVal = number;
    return bag->Write(L"Number", &value);
}

HRESULT TestControl::OnDraw(DWORD, HDC dc, const RECT* bounds, const RECT*, HDC targetDC, BOOL)
{
    ++draws;
    lastDrawBounds = *bounds;
    lastTargetDCGiven = targetDC != nullptr;
    HBRUSH brush = CreateSolidBrush(TestControlColor);
    if (brush == nullptr)
        return E_OUTOFMEMORY;
    FillRect(dc, bounds, brush);
    DeleteObject(brush);
    return S_OK;
}

HRESULT TestControl::OnQuickActivate(QACONTAINER*, DWORD*) { return quickActivateAnswer; }

LRESULT TestControl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    messages.push_back(Message{message, ControlWindow(), (StateFlags() & StateCreatingWindow) != 0});
    if (message >= WM_MOUSEFIRST && message <= WM_MBUTTONDBLCLK)
        FireStockMouseEvents(message, wParam, lParam);
    if (FireStockKeyEvents(message, wParam, lParam))
        return 0;
    return DefaultWindowProc(message, wParam, lParam);
}

void TestControl::OnKeyDown(short keyCode, short) { keyHooks.push_back("KeyDown(" + std::to_string(keyCode) + ")"); }
void TestControl::OnKeyUp(short keyCode, short) { keyHooks.push_back("KeyUp(" + std::to_string(keyCode) + ")"); }
void TestControl::OnKeyPress(short character) { keyHooks.push_back("KeyPress(" + std::to_string(character) + ")"); }

LRESULT TestControl::OnCharMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    keyHooks.push_back("Char(" + std::to_string(wParam) + ")");
    return BrowsableControl::OnCharMessage(message, wParam, lParam);
}

BOOL TestControl::RegisterClassData()
{
    if (failClassRegistration)
        return FALSE;
    WNDCLASSA windowClass = {};
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = OleControl::ControlWindowProc;
    windowClass.hInstance = Module::Instance();
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = TestControlWindowClass;
    // Every test row shares the class: a later row finds it registered already.
    return RegisterClassA(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}
