// The common base in a container: the ambient properties a new control takes, and the control
// window's messages and members at run time.
#include "HostedQvControl.h"
#include "MemoryPropertyBag.h"

#include <algorithm>
#include <atomic>
#include <string>
#include <thread>

namespace {

class ControlBaseWindowTest : public QvControlTest {
protected:
    void Activate(RecordingContainer& container) { ActivateWindowed(control, container); }
    void Close() { CloseControl(control); }

    HeldQvControl control;
};

TEST_F(ControlBaseWindowTest, ANewControlTakesTheContainersDisplayNameAsItsCaption)
{
    RecordingContainer container;
    VARIANT name;
    VariantInit(&name);
    name.vt = VT_BSTR;
    name.bstrVal = SysAllocString(L"QvCommand1");
    container.ambients[DISPID_AMBIENT_DISPLAYNAME] = name;
    ASSERT_EQ(control.As<IOleObject>(IID_IOleObject)->SetClientSite(&container), S_OK);
    ASSERT_EQ(control.As<IPersistStreamInit>(IID_IPersistStreamInit)->InitNew(), S_OK);
    EXPECT_STREQ(control->Caption().Text(), "QvCommand1");
    EXPECT_EQ(control.As<IOleObject>(IID_IOleObject)->SetClientSite(nullptr), S_OK);
}

TEST_F(ControlBaseWindowTest, AControlWithoutAFontOfItsOwnTakesTheAmbientFontOver)
{
    ASSERT_EQ(control.As<IPersistStreamInit>(IID_IPersistStreamInit)->InitNew(), S_OK);
    ASSERT_EQ(control->CommonState().flags & CommonStateBlock::FontPresent, 0);
    ASSERT_EQ(control.As<IOleControl>(IID_IOleControl)->OnAmbientPropertyChange(DISPID_AMBIENT_FONT), S_OK);
    EXPECT_NE(control->CommonState().flags & CommonStateBlock::FontPresent, 0);
}

TEST_F(ControlBaseWindowTest, SetTextOnTheWindowBecomesTheCaption)
{
    RecordingContainer container;
    Activate(container);
    CountingPropertyNotifySink sink;
    NotifyConnection connection(control.get(), &sink);
    container.ClearCalls();
    // Answered as the window text is set: TRUE, and everything the Caption put does.
    EXPECT_EQ(SendMessageA(control->ControlWindow(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("&Post")), TRUE);
    EXPECT_STREQ(control->Caption().Text(), "&Post");
    EXPECT_TRUE(control->IsDirty());
    EXPECT_EQ(sink.changed, std::vector<DISPID>{DISPID_CAPTION});
    EXPECT_EQ(container.CountCalls("OnControlInfoChanged"), 1);
    // The same text again changes nothing.
    EXPECT_EQ(SendMessageA(control->ControlWindow(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("&Post")), TRUE);
    EXPECT_EQ(sink.changed.size(), 1u);
    EXPECT_EQ(container.CountCalls("OnControlInfoChanged"), 1);
    Close();
}

TEST_F(ControlBaseWindowTest, AtRunTimeEnabledEnablesTheWindowAndHwndIsIt)
{
    RecordingContainer container;
    Activate(container);
    OLE_HANDLE handle = 0;
    ASSERT_EQ(control->get_hWnd(&handle), S_OK);
    EXPECT_EQ(reinterpret_cast<HWND>(static_cast<UINT_PTR>(handle)), control->ControlWindow());
    ASSERT_EQ(control->put_Enabled(VARIANT_FALSE), S_OK);
    EXPECT_FALSE(IsWindowEnabled(control->ControlWindow()));
    ASSERT_EQ(control->put_Enabled(VARIANT_TRUE), S_OK);
    EXPECT_TRUE(IsWindowEnabled(control->ControlWindow()));
    Close();
}

TEST_F(ControlBaseWindowTest, AskingAWindowlessControlForItsWindowMakesItWindowed)
{
    RecordingContainer container;
    control->ControlRow().windowlessAllowed = 1;
    IOleObject* object = control.As<IOleObject>(IID_IOleObject);
    ASSERT_EQ(object->SetClientSite(&container), S_OK);
    ASSERT_EQ(control.As<IPersistStreamInit>(IID_IPersistStreamInit)->InitNew(), S_OK);
    ASSERT_EQ(object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &container, 0, container.Window(), nullptr), S_OK);
    ASSERT_NE(control->WindowlessSite(), nullptr);
    ASSERT_EQ(control->ControlWindow(), nullptr);

    OLE_HANDLE handle = 0;
    ASSERT_EQ(control->get_hWnd(&handle), S_OK);
    EXPECT_NE(control->ControlWindow(), nullptr);
    EXPECT_EQ(reinterpret_cast<HWND>(static_cast<UINT_PTR>(handle)), control->ControlWindow());
    EXPECT_EQ(control->WindowlessSite(), nullptr);
    EXPECT_NE(control->StateFlags() & OleControl::StateInPlaceActive, 0u);
    // Later controls of the class are windowed from the start.
    EXPECT_EQ(control->ControlRow().windowlessAllowed, 0);
    Close();
}

TEST_F(ControlBaseWindowTest, FocusMessagesSetAndClearTheFocusPaintFlag)
{
    RecordingContainer container;
    Activate(container);
    SendMessageA(control->ControlWindow(), WM_SETFOCUS, 0, 0);
    EXPECT_NE(control->PaintFlags() & plyx::IQvBase::PaintHasFocus, 0);
    SendMessageA(control->ControlWindow(), WM_KILLFOCUS, 0, 0);
    EXPECT_EQ(control->PaintFlags() & plyx::IQvBase::PaintHasFocus, 0);
    Close();
}

TEST_F(ControlBaseWindowTest, AWindowedControlCannotTurnTransparentAtRunTime)
{
    RecordingContainer container;
    Activate(container);
    SetErrorInfo(0, nullptr);
    EXPECT_EQ(control->put_BackStyle(qvTransparent), static_cast<HRESULT>(0x800A7539));
    EXPECT_EQ(TakeRaisedError().description,
              L"The BackStyle can not be set to Transparent at run-time if it was not set to Transparent at "
              L"design-time.");
    EXPECT_FALSE(control->IsTransparent());
    EXPECT_FALSE(control->IsDirty());
    Close();
}

// The colour of a pixel of a window's client area as drawn so far (read through the window's own DC:
// Wine passes a window's drawing on to the display later).
COLORREF ScreenPixel(HWND window, int x, int y)
{
    HDC dc = GetDC(window);
    const COLORREF color = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return color;
}

TEST_F(ControlBaseWindowTest, ARepaintOfAPartAtRunTimeDrawsAtOnce)
{
    RecordingContainer container(true);
    Activate(container);
    HWND window = control->ControlWindow();
    ASSERT_EQ(control->put_BackColor(RGB(0, 255, 0)), S_OK);
    UpdateWindow(window);
    ASSERT_EQ(ScreenPixel(window, 20, 20), RGB(0, 255, 0));
    // Painted over by hand and validated: only a drawing at once brings the control back.
    HDC dc = GetDC(window);
    const RECT all = {0, 0, 100, 50};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    ReleaseDC(window, dc);
    ValidateRect(window, nullptr);
    const RECT part = {0, 0, 40, 30};
    control->Repaint(&part);
    EXPECT_EQ(ScreenPixel(window, 20, 20), RGB(0, 255, 0));
    EXPECT_EQ(ScreenPixel(window, 60, 40), RGB(0, 0, 0)) << "outside the part";
    Close();
}

TEST_F(ControlBaseWindowTest, AWindowlessRepaintDrawsThroughTheContainersDc)
{
    RecordingContainer container(true);
    control->ControlRow().windowlessAllowed = 1;
    IOleObject* object = control.As<IOleObject>(IID_IOleObject);
    ASSERT_EQ(object->SetClientSite(&container), S_OK);
    ASSERT_EQ(control.As<IPersistStreamInit>(IID_IPersistStreamInit)->InitNew(), S_OK);
    ASSERT_EQ(object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &container, 0, container.Window(), nullptr), S_OK);
    ASSERT_NE(control->WindowlessSite(), nullptr);
    ASSERT_EQ(control->put_BackColor(RGB(0, 0, 255)), S_OK);
    container.ClearCalls();
    const RECT part = {0, 0, 30, 20};
    control->Repaint(&part);
    EXPECT_EQ(container.CountCalls("GetDC"), 1);
    EXPECT_EQ(container.CountCalls("ReleaseDC"), 1);
    // Drawn where the container shows the control (its position rectangle).
    const RECT& place = control->PositionRect();
    EXPECT_EQ(ScreenPixel(container.Window(), place.left + 10, place.top + 10), RGB(0, 0, 255));
    EXPECT_EQ(ScreenPixel(container.Window(), place.left + 1, place.top + 1), QvTestMarkColor);
    Close();
    control->ControlRow().windowlessAllowed = 0;
}

// A 4 x 2 bitmap of 8 bits with a palette of four colours, as a picture that owns both.
IPictureDisp* PalettedPicture()
{
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colors[4];
    } info = {};
    info.header.biSize = sizeof info.header;
    info.header.biWidth = 4;
    info.header.biHeight = 2;
    info.header.biPlanes = 1;
    info.header.biBitCount = 8;
    info.header.biClrUsed = 4;
    const RGBQUAD colors[4] = {{0, 0, 200, 0}, {0, 200, 0, 0}, {200, 0, 0, 0}, {90, 90, 90, 0}};
    std::copy(colors, colors + 4, info.colors);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap == nullptr)
        return nullptr;
    auto* pixels = static_cast<BYTE*>(bits);
    for (int i = 0; i < 8; ++i)
        pixels[i] = static_cast<BYTE>(i % 4);
    std::vector<BYTE> memory(sizeof(LOGPALETTE) + 4 * sizeof(PALETTEENTRY));
    auto* description = reinterpret_cast<LOGPALETTE*>(memory.data());
    description->palVersion = 0x300;
    description->palNumEntries = 4;
    for (int i = 0; i < 4; ++i)
        description->palPalEntry[i] = {colors[i].rgbRed, colors[i].rgbGreen, colors[i].rgbBlue, 0};
    PICTDESC picture = {};
    picture.cbSizeofstruct = sizeof picture;
    picture.picType = PICTYPE_BITMAP;
    picture.bmp.hbitmap = bitmap;
    picture.bmp.hpal = CreatePalette(description);
    IPictureDisp* result = nullptr;
    OleCreatePictureIndirect(&picture, IID_IPictureDisp, TRUE, reinterpret_cast<void**>(&result));
    return result;
}

// Wine shows no palette display, not even on an 8-bit virtual screen: here the true-colour half runs.
TEST_F(ControlBaseWindowTest, OnAPaletteDisplayABitmapPictureIsMadeAgainInTheSystemPalette)
{
    HDC screen = GetDC(nullptr);
    const bool paletteDisplay = GetDeviceCaps(screen, NUMCOLORS) > 0 && (GetDeviceCaps(screen, RASTERCAPS) & RC_PALETTE);
    ReleaseDC(nullptr, screen);
    ASSERT_EQ(control.As<IPersistStreamInit>(IID_IPersistStreamInit)->InitNew(), S_OK);
    IPictureDisp* picture = PalettedPicture();
    ASSERT_NE(picture, nullptr);
    ASSERT_EQ(control->put_Picture(picture), S_OK);
    IPicture* given = nullptr;
    ASSERT_EQ(picture->QueryInterface(IID_IPicture, reinterpret_cast<void**>(&given)), S_OK);
    if (paletteDisplay) {
        // A bitmap of the display's own, drawn through the system palette.
        EXPECT_NE(control->Picture(), given);
        short type = PICTYPE_NONE;
        ASSERT_NE(control->Picture(), nullptr);
        ASSERT_EQ(control->Picture()->get_Type(&type), S_OK);
        EXPECT_EQ(type, PICTYPE_BITMAP);
    } else {
        EXPECT_EQ(control->Picture(), given) << "a true-colour display keeps the picture as it was given";
    }
    given->Release();
    picture->Release();
}

class ProbeDropTarget final : public IDropTarget {
public:
    STDMETHODIMP QueryInterface(REFIID riid, void** object) override
    {
        *object = nullptr;
        if (riid != IID_IUnknown && riid != IID_IDropTarget)
            return E_NOINTERFACE;
        *object = static_cast<IDropTarget*>(this);
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++references; }
    STDMETHODIMP_(ULONG) Release() override { return --references; }
    STDMETHODIMP DragEnter(IDataObject*, DWORD, POINTL, DWORD*) override { return S_OK; }
    STDMETHODIMP DragOver(DWORD, POINTL, DWORD*) override { return S_OK; }
    STDMETHODIMP DragLeave() override { return S_OK; }
    STDMETHODIMP Drop(IDataObject*, DWORD, POINTL, DWORD*) override { return S_OK; }
    ULONG references = 0;
};

bool IsDropTarget(HWND window, ProbeDropTarget& probe)
{
    const HRESULT hr = RegisterDragDrop(window, &probe);
    if (SUCCEEDED(hr))
        RevokeDragDrop(window);
    return hr == DRAGDROP_E_ALREADYREGISTERED;
}

TEST_F(ControlBaseWindowTest, DropModeRegistersTheWindowAsADropTargetAtRunTimeOnly)
{
    RecordingContainer container;
    // Run time is what the container says; one that cannot say gets no drop target.
    container.SetAmbientBool(DISPID_AMBIENT_USERMODE, true);
    Activate(container);
    HWND window = control->ControlWindow();
    // Registration is seen through the system: a second registration of the window is refused (and
    // one that succeeds is taken back at once).
    ProbeDropTarget probe;
    auto registered = [window, &probe] { return IsDropTarget(window, probe); };
    EXPECT_FALSE(registered());
    ASSERT_EQ(control->put_OLEDropMode(qvOLEDropManual), S_OK);
    EXPECT_TRUE(control->DragDrop().IsRegistered());
    EXPECT_TRUE(registered());
    // Hidden, the window is no target; shown again, it is.
    SendMessageA(window, WM_SHOWWINDOW, FALSE, 0);
    EXPECT_FALSE(control->DragDrop().IsRegistered());
    EXPECT_FALSE(registered());
    SendMessageA(window, WM_SHOWWINDOW, TRUE, 0);
    EXPECT_TRUE(registered());
    ASSERT_EQ(control->put_OLEDropMode(qvOLEDropNone), S_OK);
    EXPECT_FALSE(registered());
    ASSERT_EQ(control->put_OLEDropMode(qvOLEDropManual), S_OK);
    // The window's end revokes it.
    Close();
    EXPECT_FALSE(control->DragDrop().IsRegistered());
}

TEST_F(ControlBaseWindowTest, NoDropTargetInDesignMode)
{
    RecordingContainer container;
    container.SetAmbientBool(DISPID_AMBIENT_USERMODE, false);
    Activate(container);
    ASSERT_EQ(control->put_OLEDropMode(qvOLEDropManual), S_OK);
    EXPECT_FALSE(control->DragDrop().IsRegistered());
    ProbeDropTarget probe;
    EXPECT_FALSE(IsDropTarget(control->ControlWindow(), probe));
    Close();
}

struct CursorCase {
    Constants_MousePointer pointer;
    const char* systemCursor;  // null: the class cursor stays (no answer of 1)
};

TEST_F(ControlBaseWindowTest, SetCursorShowsTheMousePointerAtRunTime)
{
    RecordingContainer container;
    Activate(container);
    HWND window = control->ControlWindow();
    const CursorCase cases[] = {
        {qvDefault, nullptr},
        {qvArrow, IDC_ARROW},
        {qvCross, IDC_CROSS},
        {qvHourglass, IDC_WAIT},
        {qvSizeAll, IDC_SIZEALL},
    };
    for (const CursorCase& row : cases) {
        SCOPED_TRACE(row.pointer);
        ASSERT_EQ(control->put_MousePointer(row.pointer), S_OK);
        SetCursor(nullptr);
        const LRESULT answer = SendMessageA(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window),
                                            MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        if (row.systemCursor == nullptr) {
            EXPECT_NE(answer, 1);
        } else {
            EXPECT_EQ(answer, 1);
            EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, row.systemCursor));
        }
    }
    // The custom pointer is the mouse icon.
    HICON icon = CreateIcon(nullptr, 32, 32, 1, 1, std::vector<BYTE>(128, 0xFF).data(), std::vector<BYTE>(128, 0).data());
    ASSERT_NE(icon, nullptr);
    PICTDESC description = {};
    description.cbSizeofstruct = sizeof description;
    description.picType = PICTYPE_ICON;
    description.icon.hicon = icon;
    IPictureDisp* picture = nullptr;
    ASSERT_EQ(OleCreatePictureIndirect(&description, IID_IPictureDisp, TRUE, reinterpret_cast<void**>(&picture)), S_OK);
    ASSERT_EQ(control->put_MouseIcon(picture), S_OK);
    ASSERT_EQ(control->put_MousePointer(qvCustom), S_OK);
    SetCursor(nullptr);
    EXPECT_EQ(SendMessageA(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)),
              1);
    EXPECT_EQ(GetCursor(), reinterpret_cast<HCURSOR>(icon));
    picture->Release();
    Close();
}

TEST(ControlBaseDesignModeWindowTest, SetCursorLeavesTheCursorToTheContainerInDesignMode)
{
    RecordingContainer container;
    container.SetAmbientBool(DISPID_AMBIENT_USERMODE, false);
    HeldQvControl control;
    ActivateWindowed(control, container);
    ASSERT_EQ(control->put_MousePointer(qvCross), S_OK);
    HWND window = control->ControlWindow();
    EXPECT_NE(SendMessageA(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)),
              1);
    CloseControl(control);
}

// Counts the message boxes that come up on `thread` while it lives, closing each as its OK would.
class MessageBoxDriver {
public:
    explicit MessageBoxDriver(DWORD thread) : thread_(thread), driver_([this] { Run(); }) {}
    ~MessageBoxDriver()
    {
        stop_ = true;
        driver_.join();
    }
    int Boxes() const { return boxes_; }
    std::string LastText() const { return lastText_; }

private:
    static BOOL CALLBACK Find(HWND window, LPARAM found)
    {
        char name[16] = {};
        GetClassNameA(window, name, sizeof name);
        if (lstrcmpA(name, "#32770") == 0 && IsWindowVisible(window)) {
            *reinterpret_cast<HWND*>(found) = window;
            return FALSE;
        }
        return TRUE;
    }
    static BOOL CALLBACK CollectText(HWND child, LPARAM text)
    {
        char part[512] = {};
        GetWindowTextA(child, part, sizeof part);
        *reinterpret_cast<std::string*>(text) += part;
        return TRUE;
    }
    void Run()
    {
        while (!stop_) {
            HWND box = nullptr;
            EnumThreadWindows(thread_, Find, reinterpret_cast<LPARAM>(&box));
            if (box != nullptr && box != lastBox_) {
                std::string text;
                char caption[128] = {};
                GetWindowTextA(box, caption, sizeof caption);
                EnumChildWindows(box, CollectText, reinterpret_cast<LPARAM>(&text));
                lastText_ = std::string(caption) + "|" + text;
                lastBox_ = box;
                ++boxes_;
                PostMessageA(box, WM_COMMAND, IDOK, 0);
            }
            Sleep(10);
        }
    }

    DWORD thread_;
    std::atomic<bool> stop_{false};
    std::atomic<int> boxes_{0};
    HWND lastBox_ = nullptr;
    std::string lastText_;
    std::thread driver_;
};

TEST(ControlBaseDesignModeWindowTest, TheTransparencyWarningShowsOnceInDesignModeAndNeverAtRunTime)
{
    int boxes = 0;
    std::string text;
    {
        MessageBoxDriver driver(GetCurrentThreadId());
        // At run time, windowless, transparency is allowed and warns of nothing.
        {
            RecordingContainer container;
            HeldQvControl control;
            control->ControlRow().windowlessAllowed = 1;
            IOleObject* object = control.As<IOleObject>(IID_IOleObject);
            ASSERT_EQ(object->SetClientSite(&container), S_OK);
            ASSERT_EQ(control.As<IPersistStreamInit>(IID_IPersistStreamInit)->InitNew(), S_OK);
            ASSERT_EQ(object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &container, 0, container.Window(), nullptr),
                      S_OK);
            ASSERT_NE(control->WindowlessSite(), nullptr);
            EXPECT_EQ(control->put_BackStyle(qvTransparent), S_OK);
            CloseControl(control);
            control->ControlRow().windowlessAllowed = 0;
            control->ControlRow().opaque = 1;
        }
        Sleep(200);
        EXPECT_EQ(driver.Boxes(), 0);
        RecordingContainer container;
        container.SetAmbientBool(DISPID_AMBIENT_USERMODE, false);
        HeldQvControl control;
        ActivateWindowed(control, container);
        EXPECT_EQ(control->put_BackStyle(qvTransparent), S_OK);
        EXPECT_EQ(control->put_BackStyle(qvOpaque), S_OK);
        EXPECT_EQ(control->put_BackStyle(qvTransparent), S_OK);
        Sleep(200);
        boxes = driver.Boxes();
        text = driver.LastText();
        CloseControl(control);
        control->ControlRow().opaque = 1;
    }
    EXPECT_EQ(boxes, 1);
    EXPECT_NE(text.find("Oskadel ActivePlyx|"), std::string::npos) << text;
    EXPECT_NE(text.find("if the container has a ClipControls property it should be set to False"), std::string::npos)
        << text;
}

TEST(ControlBaseAmbientTest, AnOldBagTakesTheAmbientForeColourForThatLoadOnly)
{
    RecordingContainer container;
    VARIANT ambient;
    VariantInit(&ambient);
    ambient.vt = VT_I4;
    ambient.lVal = 0x00112233;
    container.ambients[DISPID_AMBIENT_FORECOLOR] = ambient;
    MemoryPropertyBag old;
    old.SetLong(L"_Version", 0x00010000);
    {
        HeldQvControl control;
        ASSERT_EQ(control.As<IOleObject>(IID_IOleObject)->SetClientSite(&container), S_OK);
        ASSERT_EQ(control.As<IPersistPropertyBag>(IID_IPersistPropertyBag)->Load(&old, nullptr), S_OK);
        EXPECT_EQ(control->CommonState().foreColor, 0x00112233u);
        EXPECT_EQ(control.As<IOleObject>(IID_IOleObject)->SetClientSite(nullptr), S_OK);
    }
    // A later load of current data without a ForeColor has the usual default.
    MemoryPropertyBag current;
    current.SetLong(L"_Version", 0x00020000);
    HeldQvControl control;
    ASSERT_EQ(control.As<IPersistPropertyBag>(IID_IPersistPropertyBag)->Load(&current, nullptr), S_OK);
    EXPECT_EQ(control->CommonState().foreColor, DefaultForeColor);
    HeldQvControl unsited;
    ASSERT_EQ(unsited.As<IPersistPropertyBag>(IID_IPersistPropertyBag)->Load(&old, nullptr), S_OK);
    EXPECT_EQ(unsited->CommonState().foreColor, DefaultForeColor);
}

} // namespace
