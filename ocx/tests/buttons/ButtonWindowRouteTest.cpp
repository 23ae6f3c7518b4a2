// Ribbon groups in a container that offers no control enumeration: the ribbons find each other
// among the sibling windows of one plain parent window, by the group number each window carries.
#include "ButtonInput.h"
#include "ButtonTestSupport.h"
#include "RecordingContainer.h"
#include "testing/HostWindow.h"

#include <Plyx.h>

#include <memory>

using namespace buttontests;

namespace {

const bool g_registered = (RegisterLibraryForTests(), true);

constexpr DISPID ClickDispid = 22;

// One ribbon in a recording container of its own, its window moved into the shared parent.
struct SiteRibbon {
    RecordingContainer container;
    Ref<IDispatch> control;
    std::unique_ptr<EventRecorder> events;
    HWND window = nullptr;

    SiteRibbon(HWND parent, int left, short group, bool allowAllUp)
    {
        container.options.offerWindowless = false;
        control = CreateByProgId(L"Plyx.QvRibbon");
        if (!control)
            return;
        Ref<IOleObject> object;
        EXPECT_EQ(control->QueryInterface(IID_IOleObject, object.PutVoid()), S_OK);
        EXPECT_EQ(object->SetClientSite(&container), S_OK);
        EXPECT_EQ(InitNew(control.Get()), S_OK);
        EXPECT_EQ(PutShort(control.Get(), L"GroupNumber", group), S_OK);
        EXPECT_EQ(PutBool(control.Get(), L"GroupAllowAllUp", allowAllUp), S_OK);
        EXPECT_EQ(object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &container, 0, container.Window(), nullptr), S_OK);
        Ref<IOleWindow> ownWindow;
        EXPECT_EQ(control->QueryInterface(IID_IOleWindow, ownWindow.PutVoid()), S_OK);
        if (ownWindow)
            ownWindow->GetWindow(&window);
        EXPECT_NE(window, nullptr);
        SetParent(window, parent);
        MoveWindow(window, left, 10, 60, 30, TRUE);
        ShowWindow(window, SW_SHOW);
        events = std::make_unique<EventRecorder>(control.Get(), DIID_DQvRibbonEvents);
    }

    ~SiteRibbon()
    {
        events.reset();
        Ref<IOleObject> object;
        if (control && SUCCEEDED(control->QueryInterface(IID_IOleObject, object.PutVoid()))) {
            object->Close(OLECLOSE_NOSAVE);
            object->SetClientSite(nullptr);
        }
    }

    std::vector<long> Clicks() const
    {
        std::vector<long> clicks;
        for (const FiredEvent& event : events->events)
            if (event.dispid == ClickDispid)
                clicks.push_back(event.arguments.empty() ? 1 : event.arguments[0]);
        return clicks;
    }
};

HWND SharedParent()
{
    static HWND parent = [] {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "RibbonSiblingsParent";
        windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        RegisterClassA(&windowClass);
        HWND window = CreateWindowExA(0, "RibbonSiblingsParent", "Ribbon siblings",
                                      WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE, 40, 40, 320, 120, nullptr,
                                      nullptr, GetModuleHandleA(nullptr), nullptr);
        Pump(200);
        return window;
    }();
    return parent;
}

enum class Action { Click, PutValueTrue, PutValueFalse };

struct WindowScenario {
    const char* what;
    short groups[3];
    bool allowAllUp[3];
    int initiallyDown;  // -1: none
    Action action;
    int target;
    bool values[3];
    std::vector<long> clicks[3];
};

const WindowScenario WindowScenarios[] = {
    {"clicking the up member puts the other up by message, which fires nothing",
     {1, 1, 0}, {false, false, false}, 0, Action::Click, 1,
     {false, true, false}, {{}, {-1}, {}}},
    {"clicking the down member of a group that keeps one down changes nothing",
     {1, 1, 0}, {false, false, false}, 0, Action::Click, 0,
     {true, false, false}, {{}, {}, {}}},
    {"clicking the down member of a group that allows all up puts it up",
     {1, 1, 0}, {true, true, false}, 0, Action::Click, 0,
     {false, false, false}, {{0}, {}, {}}},
    {"an ungrouped ribbon toggles freely and releases nobody",
     {1, 1, 0}, {false, false, false}, 0, Action::Click, 2,
     {true, false, true}, {{}, {}, {-1}}},
    {"putting True releases the group's down member",
     {3, 3, 4}, {false, false, false}, 0, Action::PutValueTrue, 1,
     {false, true, false}, {{}, {-1}, {}}},
    {"putting False on the down member of a group that keeps one down does nothing",
     {3, 3, 4}, {false, false, false}, 0, Action::PutValueFalse, 0,
     {true, false, false}, {{}, {}, {}}},
};

} // namespace

TEST(ButtonWindowRouteTest, RibbonGroupsThroughSiblingWindows)
{
    HWND parent = SharedParent();
    ASSERT_NE(parent, nullptr);
    for (const WindowScenario& scenario : WindowScenarios) {
        SCOPED_TRACE(scenario.what);
        std::unique_ptr<SiteRibbon> ribbons[3];
        for (int i = 0; i < 3; ++i) {
            ribbons[i] = std::make_unique<SiteRibbon>(parent, 10 + 80 * i, scenario.groups[i], scenario.allowAllUp[i]);
            ASSERT_TRUE(ribbons[i]->control && ribbons[i]->events);
        }
        if (scenario.initiallyDown >= 0) {
            ASSERT_EQ(PutBool(ribbons[scenario.initiallyDown]->control.Get(), L"Value", true), S_OK);
        }
        Pump(100);
        for (auto& ribbon : ribbons)
            ribbon->events->events.clear();
        SiteRibbon& target = *ribbons[scenario.target];
        switch (scenario.action) {
        case Action::Click:
            ClickAt(target.window, 30, 15);
            Pump(50);
            break;
        case Action::PutValueTrue:
            ASSERT_EQ(PutBool(target.control.Get(), L"Value", true), S_OK);
            break;
        case Action::PutValueFalse:
            ASSERT_EQ(PutBool(target.control.Get(), L"Value", false), S_OK);
            break;
        }
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(GetLong(ribbons[i]->control.Get(), L"Value"), scenario.values[i] ? -1 : 0) << "ribbon " << i;
            EXPECT_EQ(ribbons[i]->Clicks(), scenario.clicks[i]) << "ribbon " << i;
        }
    }
}

TEST(ButtonWindowRouteTest, ARibbonReleasedByItsGroupIsKeptAsChanged)
{
    HWND parent = SharedParent();
    SiteRibbon first(parent, 10, 2, false);
    SiteRibbon second(parent, 90, 2, false);
    ASSERT_TRUE(first.control && second.control);
    ASSERT_EQ(PutBool(first.control.Get(), L"Value", true), S_OK);
    Ref<IPersistStreamInit> persist;
    ASSERT_EQ(first.control->QueryInterface(IID_IPersistStreamInit, persist.PutVoid()), S_OK);
    // Saved: nothing is left to save.
    SaveToStream(first.control.Get());
    ASSERT_EQ(persist->IsDirty(), S_FALSE);
    ASSERT_EQ(PutBool(second.control.Get(), L"Value", true), S_OK);
    EXPECT_EQ(GetLong(first.control.Get(), L"Value"), 0);
    // Put up by its group, the first must be saved again, and it reloads up.
    EXPECT_EQ(persist->IsDirty(), S_OK);
    const std::vector<unsigned char> bytes = SaveToStream(first.control.Get());
    ASSERT_FALSE(bytes.empty());
    // The ribbon's own block ends the stream: its flags byte (Value) is the one before the last.
    EXPECT_EQ(bytes[bytes.size() - 2] & 1, 0) << "the saved Value";
}

TEST(ButtonWindowRouteTest, GroupAllowAllUpTravelsByMessage)
{
    HWND parent = SharedParent();
    SiteRibbon first(parent, 10, 6, true);
    SiteRibbon second(parent, 90, 6, true);
    SiteRibbon joining(parent, 170, 7, true);
    ASSERT_TRUE(first.control && second.control && joining.control);
    ASSERT_EQ(PutBool(first.control.Get(), L"GroupAllowAllUp", false), S_OK);
    EXPECT_EQ(GetLong(second.control.Get(), L"GroupAllowAllUp"), 0);
    EXPECT_EQ(GetLong(joining.control.Get(), L"GroupAllowAllUp"), -1);
    ASSERT_EQ(PutShort(joining.control.Get(), L"GroupNumber", 6), S_OK);
    EXPECT_EQ(GetLong(joining.control.Get(), L"GroupAllowAllUp"), 0);
    // Each ribbon window carries its group number.
    EXPECT_EQ(reinterpret_cast<INT_PTR>(GetPropA(joining.window, "QvRIOCX")), 6);
}

TEST(ButtonDefaultLookTest, TheContainersDefaultButtonGetsTheDefaultRing)
{
    struct Case {
        short style;
        bool isDefault;
        COLORREF top[3];  // rows 0, 1 and 2 at the middle of the top edge
    };
    const COLORREF frame = GetSysColor(COLOR_WINDOWFRAME);
    const COLORREF highlight = GetSysColor(COLOR_BTNHIGHLIGHT);
    const Case cases[] = {
        {2, false, {frame, highlight, highlight}},
        {2, true, {frame, frame, highlight}},
        {1, false, {GetSysColor(COLOR_3DLIGHT), highlight, GetSysColor(COLOR_BTNFACE)}},
        {1, true, {RGB(0, 0, 0), GetSysColor(COLOR_3DLIGHT), highlight}},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(::testing::Message() << "style " << row.style << " default " << row.isDefault);
        RecordingContainer container(true);
        container.options.offerWindowless = false;
        container.SetAmbientBool(DISPID_AMBIENT_DISPLAYASDEFAULT, row.isDefault);
        Ref<IDispatch> command = CreateByProgId(L"Plyx.QvCommand");
        ASSERT_TRUE(command);
        Ref<IOleObject> object;
        ASSERT_EQ(command->QueryInterface(IID_IOleObject, object.PutVoid()), S_OK);
        ASSERT_EQ(object->SetClientSite(&container), S_OK);
        ASSERT_EQ(InitNew(command.Get()), S_OK);
        ASSERT_EQ(PutShort(command.Get(), L"ButtonStyle", row.style), S_OK);
        ASSERT_EQ(object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &container, 0, container.Window(), nullptr), S_OK);
        HWND window = nullptr;
        Ref<IOleWindow> ownWindow;
        ASSERT_EQ(command->QueryInterface(IID_IOleWindow, ownWindow.PutVoid()), S_OK);
        ownWindow->GetWindow(&window);
        ASSERT_NE(window, nullptr);
        Pump(150);
        const auto picture = korvane::activex::testing::CaptureClientArea(window);
        ASSERT_GT(picture.width, 50);
        for (int y = 0; y < 3; ++y)
            EXPECT_EQ(picture.At(picture.width / 2, y), row.top[y]) << "row " << y;
        object->Close(OLECLOSE_NOSAVE);
        object->SetClientSite(nullptr);
    }
}
