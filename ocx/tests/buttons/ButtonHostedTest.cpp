// The push buttons on a form of the program's own forms runtime: created by class id from a
// description, their state handed over by name, activated in place, driven by a user's mouse and keys,
// and their events reaching the form's handler. Ribbon groups here go through the container's control
// enumeration.
#include "ButtonInput.h"
#include "ButtonTestSupport.h"
#include "ControlHostTestSupport.h"

#include <algorithm>
#include <filesystem>
#include <set>
#include <fstream>
#include <sstream>

using namespace buttontests;
using korvane::activex::ControlSite;
using korvane::com::Variant;

namespace {

const bool g_registered = (RegisterLibraryForTests(), true);

const char* const RibbonClsid = "{B28088C2-F453-11CF-9C7D-0000C09300C4}";
const char* const CommandClsid = "{AAD093B2-F9CA-11CF-9C85-0000C09300C4}";

constexpr DISPID ValueDispid = 47;
constexpr DISPID FontSizeDispid = 2;
constexpr DISPID GroupNumberDispid = 24;
constexpr DISPID GroupAllowAllUpDispid = 25;

class ButtonHostedTest : public korvane::activex::testing::HostedControlTest {
protected:
    ControlSite& HostRibbon(const std::string& name, int left, int group, bool allowAllUp, bool down)
    {
        std::ostringstream element;
        element << "activex " << name << " {\n  clsid \"" << RibbonClsid << "\"\n  rect " << left
                << " 10 60 30\n  Caption \"" << name << "\"\n  GroupNumber " << group
                << "\n  GroupAllowAllUp " << (allowAllUp ? "True" : "False") << "\n"
                << (down ? "  Value True\n" : "") << "}";
        return Host(element.str());
    }

    ControlSite& HostCommand(const std::string& extra = {})
    {
        return Host(std::string("activex Go {\n  clsid \"") + CommandClsid +
                    "\"\n  rect 40 60 100 30\n  Caption \"Go\"\n" + extra + "}");
    }

    static bool ValueOf(ControlSite& control)
    {
        Variant value;
        EXPECT_EQ(control.GetProperty(ValueDispid, value), S_OK);
        return value.AsBool();
    }

    // The Value argument of each Click the control fired.
    std::vector<long> ClicksOf(const std::string& name) const
    {
        std::vector<long> clicks;
        for (const auto* event : EventsNamed("Click"))
            if (event->control == name)
                clicks.push_back(event->arguments.empty() ? 1 : event->arguments[0].AsInt32());
        return clicks;
    }

    int CountClicks(const std::string& name) const { return static_cast<int>(ClicksOf(name).size()); }

    void ClickControl(ControlSite& control)
    {
        RECT client;
        GetClientRect(control.Window(), &client);
        ClickAt(control.Window(), client.right / 2, client.bottom / 2);
        Pump(50);
    }
};

} // namespace

// ---- Ribbon groups through the container ----

namespace {

struct RibbonSetup {
    int group;
    bool allowAllUp;
    bool down;
};

enum class Action { Click, PutValueTrue, PutValueFalse, PutGroupOne };

struct GroupScenario {
    const char* what;
    RibbonSetup ribbons[3];
    Action action;
    int target;
    bool values[3];
    std::vector<long> clicks[3];
};

const GroupScenario ContainerScenarios[] = {
    {"clicking the up member puts it down and the other up; both fire Click",
     {{1, false, true}, {1, false, false}, {0, false, false}}, Action::Click, 1,
     {false, true, false}, {{0}, {-1}, {}}},
    {"clicking the down member of a group that keeps one down changes nothing",
     {{1, false, true}, {1, false, false}, {0, false, false}}, Action::Click, 0,
     {true, false, false}, {{}, {}, {}}},
    {"clicking the down member of a group that allows all up puts it up",
     {{1, true, true}, {1, true, false}, {0, false, false}}, Action::Click, 0,
     {false, false, false}, {{0}, {}, {}}},
    {"an ungrouped ribbon toggles freely and releases nobody",
     {{1, false, true}, {1, false, false}, {0, false, true}}, Action::Click, 2,
     {true, false, false}, {{}, {}, {0}}},
    {"an ungrouped ribbon goes down beside a group without touching it",
     {{1, false, true}, {0, false, false}, {0, false, false}}, Action::Click, 1,
     {true, true, false}, {{}, {-1}, {}}},
    {"putting True releases the group's down member through its own put",
     {{2, false, true}, {2, false, false}, {3, false, true}}, Action::PutValueTrue, 1,
     {false, true, true}, {{0}, {-1}, {}}},
    {"putting False on the down member of a group that keeps one down does nothing",
     {{2, false, true}, {2, false, false}, {0, false, false}}, Action::PutValueFalse, 0,
     {true, false, false}, {{}, {}, {}}},
    {"putting False on an up ribbon does nothing",
     {{2, true, false}, {2, true, false}, {0, false, false}}, Action::PutValueFalse, 1,
     {false, false, false}, {{}, {}, {}}},
    {"a down ribbon joining a group releases the group's down member",
     {{1, true, true}, {1, true, false}, {5, true, true}}, Action::PutGroupOne, 2,
     {false, false, true}, {{0}, {}, {}}},
};

} // namespace

TEST_F(ButtonHostedTest, RibbonGroupsThroughTheContainer)
{
    const char* const names[3] = {"RibbonA", "RibbonB", "RibbonC"};
    for (const GroupScenario& scenario : ContainerScenarios) {
        SCOPED_TRACE(scenario.what);
        ControlSite* ribbons[3];
        for (int i = 0; i < 3; ++i)
            ribbons[i] = &HostRibbon(names[i], 10 + 80 * i, scenario.ribbons[i].group, scenario.ribbons[i].allowAllUp,
                                     scenario.ribbons[i].down);
        Pump(100);
        events_.clear();
        ControlSite& target = *ribbons[scenario.target];
        switch (scenario.action) {
        case Action::Click:
            ClickControl(target);
            break;
        case Action::PutValueTrue:
            ASSERT_EQ(target.SetProperty(ValueDispid, Variant::Bool(true)), S_OK);
            break;
        case Action::PutValueFalse:
            ASSERT_EQ(target.SetProperty(ValueDispid, Variant::Bool(false)), S_OK);
            break;
        case Action::PutGroupOne:
            ASSERT_EQ(target.SetProperty(GroupNumberDispid, Variant::Int16(1)), S_OK);
            break;
        }
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(ValueOf(*ribbons[i]), scenario.values[i]) << names[i];
            EXPECT_EQ(ClicksOf(names[i]), scenario.clicks[i]) << names[i];
        }
        container_->Unload();
    }
}

TEST_F(ButtonHostedTest, GroupAllowAllUpIsSharedByTheGroup)
{
    ControlSite& first = HostRibbon("RibbonA", 10, 4, true, false);
    ControlSite& second = HostRibbon("RibbonB", 90, 4, true, false);
    ControlSite& other = HostRibbon("RibbonC", 170, 6, true, false);
    ASSERT_EQ(first.SetProperty(GroupAllowAllUpDispid, Variant::Bool(false)), S_OK);
    Variant value;
    ASSERT_EQ(second.GetProperty(GroupAllowAllUpDispid, value), S_OK);
    EXPECT_FALSE(value.AsBool());
    ASSERT_EQ(other.GetProperty(GroupAllowAllUpDispid, value), S_OK);
    EXPECT_TRUE(value.AsBool());
    // A ribbon joining the group takes its rule.
    ASSERT_EQ(other.SetProperty(GroupNumberDispid, Variant::Int16(4)), S_OK);
    ASSERT_EQ(other.GetProperty(GroupAllowAllUpDispid, value), S_OK);
    EXPECT_FALSE(value.AsBool());
}

// ---- The command button under a user's hands ----

TEST_F(ButtonHostedTest, CommandClicksWhenReleasedOverItself)
{
    ControlSite& go = HostCommand();
    Pump(100);
    HWND window = go.Window();
    ASSERT_NE(window, nullptr);
    ClickAt(window, 50, 15);
    EXPECT_EQ(CountClicks("Go"), 1);
    // Pressed, moved off and released outside: no click.
    MovePointer(window, 50, 15);
    PressLeftButton();
    MovePointer(window, 150, 80);
    ReleaseLeftButton();
    Pump(50);
    EXPECT_EQ(CountClicks("Go"), 1);
    // Pressed, moved off and back on, released inside: a click.
    MovePointer(window, 50, 15);
    PressLeftButton();
    MovePointer(window, 150, 80);
    MovePointer(window, 40, 12);
    ReleaseLeftButton();
    Pump(50);
    EXPECT_EQ(CountClicks("Go"), 2);
    // Pressed outside and released over it: no click.
    MovePointer(window, 150, 80);
    PressLeftButton();
    MovePointer(window, 50, 15);
    ReleaseLeftButton();
    Pump(50);
    EXPECT_EQ(CountClicks("Go"), 2);
}

TEST_F(ButtonHostedTest, CommandSpaceHeldPressesOnceAndEnterAloneDoesNothing)
{
    ControlSite& go = HostCommand();
    Pump(100);
    ASSERT_EQ(go.SetFocus(), S_OK);
    Pump(50);
    ASSERT_EQ(GetFocus(), go.Window());
    // The key's own repeats while it is held press nothing more.
    KeyDown(VK_SPACE, 5);
    EXPECT_EQ(CountClicks("Go"), 0);
    KeyUp(VK_SPACE);
    EXPECT_EQ(CountClicks("Go"), 1);
    KeyDown(VK_RETURN);
    KeyUp(VK_RETURN);
    EXPECT_EQ(CountClicks("Go"), 1);
}

TEST_F(ButtonHostedTest, CommandRepeatsWhileHeldAndPausesOffItself)
{
    ControlSite& go = HostCommand("  AutoRepeat True\n");
    Pump(100);
    HWND window = go.Window();
    MovePointer(window, 50, 15);
    PressLeftButton();
    Pump(380);
    // Nothing before the first delay.
    EXPECT_EQ(CountClicks("Go"), 0);
    Pump(700);
    // The first repeat at 500 ms, then every 100 ms: about six by now (timers may come late).
    const int held = CountClicks("Go");
    EXPECT_GE(held, 3);
    EXPECT_LE(held, 7);
    // Off the button the repeats pause.
    MovePointer(window, 150, 80);
    Pump(50);
    const int paused = CountClicks("Go");
    Pump(400);
    EXPECT_EQ(CountClicks("Go"), paused);
    // Back on it they go on.
    MovePointer(window, 50, 15);
    Pump(400);
    const int resumed = CountClicks("Go");
    EXPECT_GE(resumed, paused + 2);
    // Released inside: one ordinary click more, then nothing.
    ReleaseLeftButton();
    Pump(50);
    const int released = CountClicks("Go");
    EXPECT_GE(released, resumed + 1);
    Pump(400);
    EXPECT_EQ(CountClicks("Go"), released);
}

TEST_F(ButtonHostedTest, CommandRepeatStopsWhenTheFocusGoes)
{
    ControlSite& go = HostCommand("  AutoRepeat True\n");
    Pump(100);
    HWND window = go.Window();
    MovePointer(window, 50, 15);
    PressLeftButton();
    Pump(800);
    ASSERT_GE(CountClicks("Go"), 1);
    SetFocus(window_->Handle());
    Pump(50);
    const int atLoss = CountClicks("Go");
    Pump(500);
    EXPECT_EQ(CountClicks("Go"), atLoss);
    ReleaseLeftButton();
    Pump(50);
    // The focus loss ended the press: the release clicks nothing.
    EXPECT_EQ(CountClicks("Go"), atLoss);
}

// ---- The program's own forms ----

TEST_F(ButtonHostedTest, TheProgramsStoredButtonsLoad)
{
    const char* source = std::getenv("KORVANE_TEST_SOURCE_DIR");
    ASSERT_NE(source, nullptr);
    const std::filesystem::path inventory = std::filesystem::path(source) / ".." / ".." / ".." / "inventory";
    int loaded = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(inventory)) {
        if (entry.path().extension() != ".form")
            continue;
        std::ifstream file(entry.path());
        std::stringstream text;
        text << file.rdbuf();
        const auto form = korvane::forms::ParseFormDescription(text.str());
        // The buttons of the form and of its frames, each hosted on the form itself.
        std::vector<const korvane::forms::ElementDescription*> pending = {&form};
        while (!pending.empty()) {
            const auto* parent = pending.back();
            pending.pop_back();
            for (const auto& element : parent->children) {
                pending.push_back(&element);
                const std::string clsid = element.Text("clsid");
                if (element.kind != "activex" || (clsid != RibbonClsid && clsid != CommandClsid))
                    continue;
                SCOPED_TRACE(entry.path().filename().string() + " " + element.name);
                try {
                    ControlSite& control = container_->Add(element);
                    EXPECT_NE(control.Window(), nullptr);
                    ++loaded;
                } catch (const korvane::activex::ControlHostError& error) {
                    ADD_FAILURE() << error.what();
                }
            }
        }
        container_->Unload();
    }
    // The main menu alone has eight ribbons and a command button.
    EXPECT_GE(loaded, 9);
}

// ---- The looks on the screen ----

namespace {

// A system colour, the face colour of the buttons' default BackColor, or black.
constexpr int Face = -1;
constexpr int Black = -2;

COLORREF Expected(int systemColor)
{
    if (systemColor == Black)
        return RGB(0, 0, 0);
    return GetSysColor(systemColor == Face ? COLOR_BTNFACE : systemColor);
}

struct LookCase {
    const char* what;
    const char* clsid;
    int style;
    bool down;
    bool focused;
    struct Point {
        int x, y, color;
    } points[4];
};

const LookCase LookCases[] = {
    {"beveled ribbon up", RibbonClsid, 2, false, false,
     {{35, 0, COLOR_WINDOWFRAME}, {35, 1, COLOR_BTNHIGHLIGHT}, {35, 28, COLOR_BTNSHADOW}, {0, 0, Face}}},
    {"beveled ribbon down", RibbonClsid, 2, true, false,
     {{35, 0, COLOR_WINDOWFRAME}, {35, 1, COLOR_BTNSHADOW}, {1, 15, COLOR_BTNSHADOW}, {35, 28, Face}}},
    {"flat ribbon up", RibbonClsid, 1, false, false,
     {{35, 0, COLOR_3DLIGHT}, {35, 1, COLOR_BTNHIGHLIGHT}, {35, 29, COLOR_3DDKSHADOW}, {35, 28, COLOR_BTNSHADOW}}},
    {"flat ribbon down", RibbonClsid, 1, true, false,
     {{35, 0, COLOR_BTNSHADOW}, {35, 1, COLOR_3DDKSHADOW}, {35, 29, COLOR_BTNHIGHLIGHT}, {35, 28, COLOR_3DLIGHT}}},
    {"active-border ribbon up, not under the mouse", RibbonClsid, 3, false, false,
     {{35, 0, Face}, {0, 15, Face}, {35, 29, Face}, {69, 15, Face}}},
    {"active-border ribbon down", RibbonClsid, 3, true, false,
     {{35, 0, COLOR_BTNSHADOW}, {0, 15, COLOR_BTNSHADOW}, {35, 29, COLOR_BTNHIGHLIGHT}, {69, 15, COLOR_BTNHIGHLIGHT}}},
    {"borderless ribbon up", RibbonClsid, 4, false, false,
     {{35, 0, Face}, {0, 15, Face}, {35, 29, Face}, {69, 15, Face}}},
    {"borderless ribbon down", RibbonClsid, 4, true, false,
     {{35, 0, COLOR_BTNSHADOW}, {0, 15, COLOR_BTNSHADOW}, {35, 29, Face}, {69, 15, Face}}},
    {"beveled command", CommandClsid, 2, false, false,
     {{35, 0, COLOR_WINDOWFRAME}, {35, 1, COLOR_BTNHIGHLIGHT}, {35, 28, COLOR_BTNSHADOW}, {0, 0, Face}}},
    {"beveled command with the focus", CommandClsid, 2, false, true,
     {{35, 0, COLOR_WINDOWFRAME}, {35, 1, COLOR_WINDOWFRAME}, {35, 2, COLOR_BTNHIGHLIGHT}, {35, 27, COLOR_BTNSHADOW}}},
    {"flat command with the focus", CommandClsid, 1, false, true,
     {{35, 0, Black}, {35, 1, COLOR_3DLIGHT}, {35, 28, COLOR_3DDKSHADOW}, {35, 2, COLOR_BTNHIGHLIGHT}}},
};

using korvane::activex::testing::Ink;
using korvane::activex::testing::InkOf;

} // namespace

TEST_F(ButtonHostedTest, EachLookDrawsItsBorders)
{
    // The pointer stays away, so that no button shows its hover look.
    MovePointer(window_->Handle(), 315, 195);
    int index = 0;
    for (const LookCase& look : LookCases) {
        SCOPED_TRACE(look.what);
        std::ostringstream element;
        element << "activex Look" << index << " {\n  clsid \"" << look.clsid << "\"\n  rect " << 10 + 75 * (index % 4)
                << " " << 10 + 35 * (index / 4) << " 70 30\n  ButtonStyle " << look.style << "\n"
                << (look.down ? "  Value True\n" : "") << "}";
        ControlSite& control = Host(element.str());
        if (look.focused) {
            ASSERT_EQ(control.SetFocus(), S_OK);
        }
        Pump(150);
        const auto picture = korvane::activex::testing::CaptureClientArea(control.Window());
        ASSERT_EQ(picture.width, 70);
        for (const auto& point : look.points) {
            EXPECT_EQ(picture.At(point.x, point.y), Expected(point.color)) << "at " << point.x << "," << point.y;
        }
        ++index;
    }
    korvane::activex::testing::WritePng("button_looks.png",
                                        korvane::activex::testing::CaptureClientArea(window_->Handle()));
}

TEST_F(ButtonHostedTest, DisabledCaptionsAreGreyed)
{
    MovePointer(window_->Handle(), 315, 195);
    ControlSite& enabled = Host(std::string("activex On {\n  clsid \"") + RibbonClsid +
                                "\"\n  rect 10 10 100 30\n  Caption \"WWW\"\n}");
    ControlSite& disabled = Host(std::string("activex Off {\n  clsid \"") + RibbonClsid +
                                 "\"\n  rect 120 10 100 30\n  Caption \"WWW\"\n  Enabled False\n}");
    Pump(150);
    const Ink on = InkOf(korvane::activex::testing::CaptureClientArea(enabled.Window()), 5);
    const Ink off = InkOf(korvane::activex::testing::CaptureClientArea(disabled.Window()), 5);
    EXPECT_TRUE(on.has(GetSysColor(COLOR_BTNTEXT)));
    EXPECT_GT(off.count, 0);
    EXPECT_FALSE(off.has(GetSysColor(COLOR_BTNTEXT)));
    korvane::activex::testing::WritePng("button_disabled.png",
                                        korvane::activex::testing::CaptureClientArea(window_->Handle()));
}

TEST_F(ButtonHostedTest, RibbonDrawsTheAmpersandAndCommandUnderlines)
{
    MovePointer(window_->Handle(), 315, 195);
    auto captionInk = [this](const char* clsid, const char* caption, int left) {
        std::ostringstream element;
        element << "activex Text" << left << " {\n  clsid \"" << clsid << "\"\n  rect " << left
                << " 60 70 30\n  Caption \"" << caption << "\"\n}";
        ControlSite& control = Host(element.str());
        Pump(150);
        return InkOf(korvane::activex::testing::CaptureClientArea(control.Window()), 5);
    };
    const Ink ribbonPlain = captionInk(RibbonClsid, "W", 10);
    const Ink ribbonAmpersand = captionInk(RibbonClsid, "&W", 85);
    const Ink commandPlain = captionInk(CommandClsid, "W", 160);
    const Ink commandMnemonic = captionInk(CommandClsid, "&W", 235);
    korvane::activex::testing::WritePng("button_captions.png",
                                        korvane::activex::testing::CaptureClientArea(window_->Handle()));
    // The ribbon shows the ampersand before the letter: its text is wider.
    EXPECT_GT(ribbonAmpersand.right - ribbonAmpersand.left, ribbonPlain.right - ribbonPlain.left + 3);
    // The command button shows only the letter, underlined: as wide, with a line below it.
    EXPECT_LE(commandMnemonic.right - commandMnemonic.left, commandPlain.right - commandPlain.left + 1);
    EXPECT_GT(commandMnemonic.bottom, commandPlain.bottom);
    EXPECT_GT(commandMnemonic.count, commandPlain.count);
}

TEST_F(ButtonHostedTest, ACaptionWhoseFontSizeChangesIsDrawnAsOneStoredAtThatSize)
{
    // The program's hover look: the caption's font grows while the mouse is over the button.
    MovePointer(window_->Handle(), 315, 195);
    auto host = [this](const char* clsid, const std::string& name, int top, int size) -> ControlSite& {
        std::ostringstream element;
        element << "activex " << name << " {\n  clsid \"" << clsid << "\"\n  rect 10 " << top
                << " 220 40\n  Caption \"Main Inventory\"\n  FontName \"MS Sans Serif\"\n  FontSize " << size
                << "\n  FontBold True\n}";
        return Host(element.str());
    };
    int row = 0;
    for (const char* clsid : {RibbonClsid, CommandClsid}) {
        SCOPED_TRACE(clsid);
        ControlSite& grown = host(clsid, "Grown" + std::to_string(row), 100 * row, 10);
        ControlSite& stored = host(clsid, "StoredLarger" + std::to_string(row), 100 * row + 48, 12);
        ++row;
        Pump(150);
        const Ink before = InkOf(korvane::activex::testing::CaptureClientArea(grown.Window()), 5);
        ASSERT_EQ(grown.SetProperty(FontSizeDispid, Variant::Single(12)), S_OK);
        Pump(150);
        const Ink after = InkOf(korvane::activex::testing::CaptureClientArea(grown.Window()), 5);
        const Ink expected = InkOf(korvane::activex::testing::CaptureClientArea(stored.Window()), 5);
        korvane::activex::testing::WritePng("button_font_size.png",
                                            korvane::activex::testing::CaptureClientArea(window_->Handle()));
        EXPECT_LT(after.left, before.left);  // wider than the caption it replaced, not clipped to it
        EXPECT_EQ(after.left, expected.left);
        EXPECT_EQ(after.right, expected.right);
        EXPECT_EQ(after.top, expected.top);
        EXPECT_EQ(after.bottom, expected.bottom);
        EXPECT_EQ(after.count, expected.count);
        // And back to the stored size.
        ASSERT_EQ(grown.SetProperty(FontSizeDispid, Variant::Single(10)), S_OK);
        Pump(150);
        const Ink back = InkOf(korvane::activex::testing::CaptureClientArea(grown.Window()), 5);
        EXPECT_EQ(back.left, before.left);
        EXPECT_EQ(back.right, before.right);
        EXPECT_EQ(back.count, before.count);
    }
}

// ---- What the host's handlers may do ----

namespace {

// Makes a control on a thread of its own, which needs the library's lock for its list of controls.
DWORD WINAPI MakeControlElsewhere(void*)
{
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)))
        return 1;
    IUnknown* made = nullptr;
    CLSID clsid = {};
    HRESULT hr = CLSIDFromProgID(L"Plyx.QvCommand", &clsid);
    if (SUCCEEDED(hr))
        hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, reinterpret_cast<void**>(&made));
    if (made != nullptr)
        made->Release();
    CoUninitialize();
    return SUCCEEDED(hr) ? 0 : 2;
}

} // namespace

// The program's hover feedback grows a button's font from 10 to 12 points and back, and a caption may be
// set at any time: the caption is measured again for the new font or text, not clipped to the old box.
TEST_F(ButtonHostedTest, ACaptionIsLaidOutAgainForANewFontOrANewText)
{
    MovePointer(window_->Handle(), 315, 195);
    const struct {
        const char* what;
        const char* clsid;
    } kinds[] = {
        {"ribbon", RibbonClsid},
        {"command button", CommandClsid},
        {"check button", "{4113FBA2-F14B-11CF-9C79-0000C09300C4}"},
    };
    int row = 0;
    for (const auto& kind : kinds) {
        SCOPED_TRACE(kind.what);
        std::ostringstream element;
        element << "activex Grow" << row << " {\n  clsid \"" << kind.clsid << "\"\n  rect 10 " << 10 + 45 * row
                << " 280 40\n  Caption \"Main Inventory\"\n  FontName \"Arial\"\n  FontSize 10\n}";
        ++row;
        ControlSite& control = Host(element.str());
        auto inkNow = [&control] {
            Pump(150);
            return InkOf(korvane::activex::testing::CaptureClientArea(control.Window()), 4);
        };
        const Ink small = inkNow();
        ASSERT_GT(small.count, 0);
        ASSERT_EQ(control.SetProperty(FontSizeDispid, Variant::Double(12)), S_OK);
        const Ink large = inkNow();
        const int smallWidth = small.right - small.left;
        const int largeWidth = large.right - large.left;
        EXPECT_GT(largeWidth * 10, smallWidth * 11) << "the 12 point caption is wider than the 10 point one";
        EXPECT_GT(large.bottom - large.top, small.bottom - small.top) << "and taller";
        ASSERT_EQ(control.SetProperty(DISPID_CAPTION, Variant::Text(L"Main Inventory List")), S_OK);
        const Ink longer = inkNow();
        EXPECT_GT(longer.right - longer.left, largeWidth + 10) << "the longer caption is drawn whole";
        ASSERT_EQ(control.SetProperty(FontSizeDispid, Variant::Double(10)), S_OK);
        ASSERT_EQ(control.SetProperty(DISPID_CAPTION, Variant::Text(L"Main Inventory")), S_OK);
        const Ink back = inkNow();
        EXPECT_EQ(back.right - back.left, smallWidth) << "back to 10 points, the caption is as it was";
    }
    korvane::activex::testing::WritePng("button_caption_growth.png",
                                        korvane::activex::testing::CaptureClientArea(window_->Handle()));
}

TEST_F(ButtonHostedTest, ClickHandlersOfReleasedMembersRunOutsideTheLibraryLock)
{
    ControlSite& first = HostRibbon("RibbonA", 10, 8, false, true);
    ControlSite& second = HostRibbon("RibbonB", 90, 8, false, false);
    (void)first;
    // The released member's handler waits for another thread that needs the library's lock.
    DWORD waited = WAIT_FAILED;
    onEvent_ = [&waited](const korvane::activex::ControlEvent& event) {
        if (event.controlName != "RibbonA" || event.eventName != "Click")
            return;
        HANDLE thread = CreateThread(nullptr, 0, MakeControlElsewhere, nullptr, 0, nullptr);
        if (thread == nullptr)
            return;
        waited = WaitForSingleObject(thread, 5000);
        CloseHandle(thread);
    };
    ASSERT_EQ(second.SetProperty(ValueDispid, Variant::Bool(true)), S_OK);
    EXPECT_EQ(waited, WAIT_OBJECT_0) << "the handler ran under the library's lock";
    EXPECT_EQ(ClicksOf("RibbonA"), (std::vector<long>{0}));
}

TEST_F(ButtonHostedTest, TurningAutoRepeatOffWhileHeldStopsTheRepeats)
{
    ControlSite& go = HostCommand("  AutoRepeat True\n");
    Pump(100);
    HWND window = go.Window();
    MovePointer(window, 50, 15);
    PressLeftButton();
    Pump(800);
    ASSERT_GE(CountClicks("Go"), 1);
    ASSERT_EQ(go.SetProperty(55, Variant::Bool(false)), S_OK);
    const int atStop = CountClicks("Go");
    Pump(500);
    EXPECT_EQ(CountClicks("Go"), atStop);
    // The press itself still ends in an ordinary click.
    ReleaseLeftButton();
    Pump(50);
    EXPECT_EQ(CountClicks("Go"), atStop + 1);
}

TEST_F(ButtonHostedTest, ActiveBordersShowUnderTheMouse)
{
    MovePointer(window_->Handle(), 315, 195);
    ControlSite& ribbon = Host(std::string("activex Hover {\n  clsid \"") + RibbonClsid +
                               "\"\n  rect 10 10 70 30\n  ButtonStyle 3\n}");
    Pump(150);
    HWND window = ribbon.Window();
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(korvane::activex::testing::CaptureClientArea(window).At(35, 0), face);
    MovePointer(window, 35, 15);
    Pump(150);
    const auto hovered = korvane::activex::testing::CaptureClientArea(window);
    EXPECT_EQ(hovered.At(35, 0), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(hovered.At(35, 29), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(EventsNamed("MouseEnter").size(), 1u);
    MovePointer(window_->Handle(), 315, 195);
    Pump(300);
    EXPECT_EQ(korvane::activex::testing::CaptureClientArea(window).At(35, 0), face);
    EXPECT_EQ(EventsNamed("MouseExit").size(), 1u);
}

TEST_F(ButtonHostedTest, RunTimeOnlyMembersRefuseInDesignMode)
{
    korvane::activex::AmbientSettings design;
    design.userMode = false;
    korvane::activex::ControlContainer designer(window_->Handle(), [](const korvane::activex::ControlEvent&) {},
                                                design);
    const auto description = korvane::forms::ParseFormDescription(
        std::string("form Design {\n  activex Go {\n    clsid \"") + CommandClsid +
        "\"\n    rect 10 10 70 30\n  }\n  activex Toggle {\n    clsid \"" + RibbonClsid +
        "\"\n    rect 90 10 70 30\n  }\n}\n");
    ControlSite& command = designer.Add(description.children[0]);
    ControlSite& ribbon = designer.Add(description.children[1]);
    Variant value;
    std::string problem;
    // The site reports the control's own error code.
    const HRESULT unavailable = static_cast<HRESULT>(0x800A018A);
    EXPECT_EQ(command.GetProperty(ValueDispid, value, &problem), unavailable);
    EXPECT_EQ(problem, "Property unavailable at design time");
    problem.clear();
    EXPECT_EQ(ribbon.GetProperty(29, value, &problem), unavailable);  // PictureUp
    EXPECT_EQ(problem, "Property unavailable at design time");
    // The ribbon's Value is a design-time property.
    EXPECT_EQ(ribbon.GetProperty(ValueDispid, value), S_OK);
    designer.Unload();
}
