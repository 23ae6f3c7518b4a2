// The framework tests' own control: the smallest class a control of this library can be. It paints
// its rectangle in one colour, persists one number, and records what the framework asks of it so
// that tests can see the hooks called, the messages its window received and when.
#pragma once
#include "BrowsableControl.h"
#include "TestControlLibrary.h"

#include <string>
#include <vector>

// Rows of the tests' ObjectDescriptorTable.
enum TestRow {
    TestRowButtonLike = 0,  // windowless allowed, three property pages, a coclass in the type library
    TestRowWindowedOnly,    // windowless not allowed
    TestRowFrameLike,       // simple frame (frame), acts like a label
    TestRowPanelLike,       // simple frame, alignable (panel)
    TestRowRibbonLike,      // acts like a label (ribbon)
    TestRowCommandLike,     // acts like a button (command button)
    TestRowInvisible,       // invisible at run time, no UI activation, no pages: no verbs at all
    TestRowReflecting,      // wants a reflector window
    TestRowCount
};

extern const COLORREF TestControlColor;

class TestControl : public BrowsableControl, public ITestControl {
public:
    explicit TestControl(int row = TestRowButtonLike);

    // A new control with one reference on its private unknown; Release() through any interface.
    static TestControl* Create(int row = TestRowButtonLike);

    DECLARE_DELEGATING_UNKNOWN()
    DECLARE_AUTOMATION_DISPATCH(BrowsableControl)

    // ITestControl
    STDMETHODIMP get_Number(LONG* value) override;
    STDMETHODIMP put_Number(LONG value) override;

    // Hooks
    HRESULT InternalQueryInterface(REFIID riid, void** object) override;
    void ViewChanged() override;
    BOOL BeforePaint(HDC dc) override;
    BOOL AfterCreateWindow() override;
    HRESULT LoadBinaryState(IStream* stream) override;
    HRESULT SaveBinaryState(IStream* stream) override;
    HRESULT LoadTextState(IPropertyBag* bag, IErrorLog* errorLog) override;
    HRESULT SaveTextState(IPropertyBag* bag, BOOL saveAll) override;
    HRESULT OnDraw(DWORD aspect, HDC dc, const RECT* bounds, const RECT* metafileBounds, HDC targetDC,
                   BOOL optimise) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    HRESULT OnQuickActivate(QACONTAINER* container, DWORD* viewStatus) override;
    BOOL RegisterClassData() override;
    void OnKeyDown(short keyCode, short shift) override;
    void OnKeyUp(short keyCode, short shift) override;
    void OnKeyPress(short character) override;
    LRESULT OnCharMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    // The key hooks called, as "KeyDown(65)", "KeyPress(97)", "Char(97)".
    std::vector<std::string> keyHooks;
    bool failSave = false;
    HRESULT quickActivateAnswer = S_OK;  // what the control's own step of QuickActivate answers

    struct Message {
        UINT message;
        HWND windowSeen;      // the control's window as the control knew it when the message came
        bool duringCreation;  // the window was being created
    };
    std::vector<Message> messages;
    int viewChanges = 0;
    int viewChangesDuringCreation = 0;
    int draws = 0;
    RECT lastDrawBounds = {};
    bool lastTargetDCGiven = false;
    bool refusePaint = false;
    bool refuseWindow = false;
    bool failClassRegistration = false;
    LONG number = 0;

    bool Received(UINT message) const;
};

// Every stock event.
constexpr DWORD TestStockEvents = 0xFF;

// The window class every test row's windows use.
extern const char* const TestControlWindowClass;
