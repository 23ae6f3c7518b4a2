#include "QvTestControlClass.h"

#include "Module.h"

const COLORREF QvTestMarkColor = RGB(255, 0, 0);

namespace {

const char* const QvTestWindowClass = "QvBaseTestControlWndClass";

IUnknown* CreateTestControl(IUnknown* outer)
{
    if (outer != nullptr)
        return nullptr;
    return QvTestControl::Create()->PrivateUnknown();
}

ControlDescriptor TestRow = [] {
    ControlDescriptor row{};
    row.clsid = &CLSID_QvFrame;
    row.objectName = "QvBaseTest";
    row.create = CreateTestControl;
    row.majorVersion = 2;
    row.minorVersion = 0;
    row.dispatchIid = &IID_IQvBase;
    row.eventsIid = &DIID_DQvFrameEvents;
    row.helpFile = "Plyx20.HLP";
    row.miscStatus = 0x20191;
    row.opaque = 1;
    row.windowlessAllowed = 0;
    row.windowClassName = QvTestWindowClass;
    return row;
}();

// The data object of the control's drags and drops.
AutomationDescriptor DataObjectRow = {nullptr, "QvDataObject", nullptr, 1, 0, &IID_IQvDataObject,
                                      nullptr, nullptr, nullptr, 0};

} // namespace

ObjectDescriptorRow ObjectDescriptorTable::rows[] = {
    {ObjectKindControl, &TestRow},
    {ObjectKindAutomation, &DataObjectRow},
    {ObjectKindEndOfTable, nullptr},
};
const GUID* const ObjectDescriptorTable::typeLibraryId = &LIBID_Plyx;
const LCID ObjectDescriptorTable::typeLibraryLcid = 0x0400;
const int ObjectDescriptorTable::dataObjectRow = 1;

QvTestControl::QvTestControl() : plyx::IQvBase(nullptr, 0, static_cast<::IQvBase*>(this), 0xFF)
{
    SetCurrentVersion(CurrentStateVersion);
}

QvTestControl* QvTestControl::Create()
{
    return new QvTestControl();
}

HRESULT QvTestControl::InternalQueryInterface(REFIID riid, void** object)
{
    if (SameIid(riid, IID_IQvBase)) {
        AddRef();
        *object = static_cast<::IQvBase*>(this);
        return S_OK;
    }
    return plyx::IQvBase::InternalQueryInterface(riid, object);
}

HRESULT QvTestControl::OnDraw(DWORD, HDC dc, const RECT* bounds, const RECT*, HDC, BOOL)
{
    HDC canvas = BeginOffscreenPaint(false, dc);
    if (!IsTransparent())
        FillBackground(canvas, *bounds);
    HBRUSH brush = CreateSolidBrush(QvTestMarkColor);
    if (brush != nullptr) {
        const RECT mark = {bounds->left + 1, bounds->top + 1, bounds->left + 3, bounds->top + 3};
        FillRect(canvas, &mark, brush);
        DeleteObject(brush);
    }
    EndOffscreenPaint(false, dc);
    return S_OK;
}

LRESULT QvTestControl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return plyx::IQvBase::WindowProc(message, wParam, lParam);
}

BOOL QvTestControl::RegisterClassData()
{
    WNDCLASSA windowClass = {};
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = OleControl::ControlWindowProc;
    windowClass.hInstance = Module::Instance();
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = QvTestWindowClass;
    return RegisterClassA(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

