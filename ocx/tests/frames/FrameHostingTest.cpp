// The frame and the panel on a form of the program's forms runtime: created by CLSID from a form's
// description, activated in place with the controls they hold inside them, sizing themselves or their
// child at paint, clipping their children or not, and firing Resize when their window is resized.
#include "ControlContainer.h"
#include "PlyxLibrary.h"
#include "ScreenUnits.h"
#include "forms/FormDescription.h"
#include "testing/HostWindow.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>

namespace frames_test {
namespace {

using korvane::activex::ControlContainer;
using korvane::activex::ControlEvent;
using korvane::activex::ControlSite;
namespace hosting = korvane::activex::testing;

constexpr DISPID ResizeDispid = 62;

// One window for the whole program: taking a top-level window down is slow under Wine.
HWND FormWindow()
{
    static hosting::HostWindow window(400, 300, "Frames on a form");
    return window.Handle();
}

class FramesOnAForm : public ::testing::Test {
protected:
    FramesOnAForm()
        : container(FormWindow(), [this](const ControlEvent& event) {
              events.push_back(event.controlName + " " + std::to_string(event.dispid));
          })
    {
    }
    void TearDown() override
    {
        container.Unload();
        hosting::PumpMessages();
        EXPECT_EQ(LibraryCanUnload(), S_OK) << "a control outlived its form";
    }

    // Hosts the description's controls, the contained ones inside their frames.
    void Host(const char* text) { HostIn(container, text); }
    static void HostIn(ControlContainer& host, const char* text)
    {
        const korvane::forms::ElementDescription form = korvane::forms::ParseFormDescription(text);
        for (const auto& element : form.children)
            HostElement(host, element, nullptr);
        hosting::PumpMessages(std::chrono::milliseconds(300));
    }
    static void HostElement(ControlContainer& host, const korvane::forms::ElementDescription& element,
                            ControlSite* parent)
    {
        ControlSite& site = host.Add(element, parent);
        for (const auto& child : element.children)
            HostElement(host, child, &site);
    }
    ControlSite& Site(const char* name) { return SiteIn(container, name); }
    static ControlSite& SiteIn(ControlContainer& host, const char* name)
    {
        ControlSite* site = host.Find(name);
        EXPECT_NE(site, nullptr) << name;
        return *site;
    }
    // The window's rectangle in its parent's client area.
    static RECT PlacedRect(HWND window)
    {
        RECT rect;
        GetWindowRect(window, &rect);
        MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }
    IDispatch* Dispatch(const char* name) { return DispatchIn(container, name); }
    static IDispatch* DispatchIn(ControlContainer& host, const char* name)
    {
        IDispatch* dispatch = nullptr;
        SiteIn(host, name).Object()->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch));
        if (dispatch != nullptr)
            dispatch->Release();  // the site holds the control
        return dispatch;
    }

    std::vector<std::string> events;
    ControlContainer container;
};

TEST_F(FramesOnAForm, APanelFitsItsOneContainedControlToItsInterior)
{
    Host(R"(form Test {
  activex Panel1 {
    clsid "{240210C2-E3B3-11CF-BE3F-0000C0F04C96}"
    rect 10 10 150 70
    AutoSize 3
    BevelInner 1
    activex Inner {
      clsid "{1E8B9953-DB45-11CF-9B47-0000C0F04C96}"
      rect 30 20 40 30
    }
  }
})");
    const HWND inner = Site("Inner").Window();
    ASSERT_NE(inner, nullptr);
    // The fit is made when the panel paints, after the control inside came.
    InvalidateRect(Site("Panel1").Window(), nullptr, TRUE);
    const LONG width = 140, height = 60;
    ASSERT_TRUE(hosting::PumpUntil([&] {
        const RECT placed = PlacedRect(inner);
        return placed.right - placed.left == width && placed.bottom - placed.top == height;
    })) << "the control inside takes the interior's size";
    // Its place is written as well (Left and Top of its extender): it sits in the interior, the
    // panel's border as wide on every side, and not where the description put it.
    const RECT placed = PlacedRect(inner);
    EXPECT_EQ(placed.left, (150 - width) / 2);
    EXPECT_EQ(placed.top, (70 - height) / 2);
    // The panel itself keeps its place and size.
    const RECT panel = PlacedRect(Site("Panel1").Window());
    EXPECT_EQ(panel.left, 10);
    EXPECT_EQ(panel.right - panel.left, 150);
}

TEST_F(FramesOnAForm, AControlMovedThroughItsExtenderEndsAtItsNewPlaceWithItsNewSize)
{
    // The place and size are written one at a time, as a script or a panel writes them; each write
    // both moves and sizes the control's window, and the control answers every size with its place.
    Host(R"(form Test {
  activex Moved {
    clsid "{1E8B9953-DB45-11CF-9B47-0000C0F04C96}"
    rect 30 20 40 30
  }
})");
    ControlSite& site = Site("Moved");
    korvane::com::ComPtr<IOleClientSite> client;
    korvane::com::ComPtr<IOleObject> object;
    ASSERT_EQ(site.Object()->QueryInterface(IID_IOleObject, object.PutVoid()), S_OK);
    ASSERT_EQ(object->GetClientSite(client.Put()), S_OK);
    korvane::com::ComPtr<IOleControlSite> controlSite;
    ASSERT_EQ(client.As(controlSite), S_OK);
    korvane::com::ComPtr<IDispatch> extender;
    ASSERT_EQ(controlSite->GetExtendedControl(extender.Put()), S_OK);

    const korvane::activex::ScreenDensity density = korvane::activex::ScreenDensity::OfScreen();
    const int dpiX = density.x, dpiY = density.y;
    struct Write {
        const wchar_t* name;
        LONG pixels;
        int dpi;
    };
    const Write writes[] = {{L"Width", 90, dpiX}, {L"Height", 50, dpiY}, {L"Left", 120, dpiX}, {L"Top", 70, dpiY}};
    for (const Write& write : writes) {
        DISPID dispid = 0;
        LPOLESTR names[] = {const_cast<LPOLESTR>(write.name)};
        ASSERT_EQ(extender->GetIDsOfNames(IID_NULL, names, 1, 0, &dispid), S_OK);
        VARIANT twips;
        VariantInit(&twips);
        twips.vt = VT_R4;
        twips.fltVal = korvane::activex::PixelsToTwips(write.pixels, write.dpi);
        DISPID named = DISPID_PROPERTYPUT;
        DISPPARAMS parameters = {&twips, &named, 1, 1};
        ASSERT_EQ(extender->Invoke(dispid, IID_NULL, 0, DISPATCH_PROPERTYPUT, &parameters, nullptr, nullptr, nullptr), S_OK)
            << write.name;
    }
    hosting::PumpMessages(std::chrono::milliseconds(100));
    const RECT placed = PlacedRect(site.Window());
    EXPECT_EQ(placed.left, 120);
    EXPECT_EQ(placed.top, 70);
    EXPECT_EQ(placed.right - placed.left, 90);
    EXPECT_EQ(placed.bottom - placed.top, 50);
    // The site's own idea of the place is the window's.
    const RECT bounds = site.Bounds();
    EXPECT_TRUE(EqualRect(&bounds, &placed));
}

TEST_F(FramesOnAForm, APanelWithTwoControlsInsideLeavesThemAlone)
{
    Host(R"(form Test {
  activex Panel1 {
    clsid "{240210C2-E3B3-11CF-BE3F-0000C0F04C96}"
    rect 10 10 150 70
    AutoSize 3
    activex First {
      clsid "{1E8B9953-DB45-11CF-9B47-0000C0F04C96}"
      rect 30 20 40 30
    }
    activex Second {
      clsid "{1E8B9953-DB45-11CF-9B47-0000C0F04C96}"
      rect 80 20 40 30
    }
  }
})");
    InvalidateRect(Site("Panel1").Window(), nullptr, TRUE);
    hosting::PumpMessages(std::chrono::milliseconds(300));
    const RECT first = PlacedRect(Site("First").Window());
    EXPECT_EQ(first.left, 30);
    EXPECT_EQ(first.bottom - first.top, 30);
    EXPECT_EQ(first.right - first.left, 40);
}

TEST_F(FramesOnAForm, APanelSizesItselfToItsCaption)
{
    Host(R"(form Test {
  activex Wide {
    clsid "{240210C2-E3B3-11CF-BE3F-0000C0F04C96}"
    rect 10 100 40 30
    AutoSize 1
    Caption "A caption wider than the panel"
  }
  activex Tall {
    clsid "{240210C2-E3B3-11CF-BE3F-0000C0F04C96}"
    rect 200 100 60 24
    AutoSize 2
    CaptionStyle 1
    Caption "Words that wrap onto more lines"
  }
})");
    const HWND wide = Site("Wide").Window();
    const HWND tall = Site("Tall").Window();
    ASSERT_TRUE(hosting::PumpUntil([&] {
        const RECT w = PlacedRect(wide), t = PlacedRect(tall);
        return w.right - w.left > 40 && t.bottom - t.top > 24;
    })) << "no auto-size";
    // The size settles: a further paint changes nothing.
    const RECT settledWide = PlacedRect(wide);
    const RECT settledTall = PlacedRect(tall);
    InvalidateRect(wide, nullptr, TRUE);
    InvalidateRect(tall, nullptr, TRUE);
    hosting::PumpMessages(std::chrono::milliseconds(200));
    const RECT againWide = PlacedRect(wide);
    const RECT againTall = PlacedRect(tall);
    EXPECT_TRUE(EqualRect(&settledWide, &againWide));
    EXPECT_TRUE(EqualRect(&settledTall, &againTall));
    // Only the named extent changes, from the remembered corner.
    EXPECT_EQ(settledWide.left, 10);
    EXPECT_EQ(settledWide.top, 100);
    EXPECT_EQ(settledWide.bottom - settledWide.top, 30);
    EXPECT_EQ(settledTall.right - settledTall.left, 60);
    EXPECT_EQ(settledTall.top, 100);
}

// A sink of a control's events that records their DISPIDs, connected by the events' interface ID.
class EventRecorder final : public IDispatch {
public:
    explicit EventRecorder(REFIID events) : events_(events) {}
    STDMETHODIMP QueryInterface(REFIID riid, void** object) override
    {
        *object = nullptr;
        if (riid != IID_IUnknown && riid != IID_IDispatch && riid != events_)
            return E_NOINTERFACE;
        *object = static_cast<IDispatch*>(this);
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP GetTypeInfoCount(UINT* count) override
    {
        *count = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    STDMETHODIMP Invoke(DISPID dispid, REFIID, LCID, WORD, DISPPARAMS* parameters, VARIANT*, EXCEPINFO*,
                        UINT*) override
    {
        fired.push_back(dispid);
        arguments.push_back(parameters != nullptr ? parameters->cArgs : 0);
        return S_OK;
    }

    std::vector<DISPID> fired;
    std::vector<UINT> arguments;

private:
    IID events_;
};

TEST_F(FramesOnAForm, ResizingThePanelsWindowFiresResize)
{
    Host(R"(form Test {
  activex Panel1 {
    clsid "{240210C2-E3B3-11CF-BE3F-0000C0F04C96}"
    rect 10 10 100 40
  }
})");
    // DQvPanelEvents.
    const IID panelEvents = {0x240210C1, 0xE3B3, 0x11CF, {0xBE, 0x3F, 0x00, 0x00, 0xC0, 0xF0, 0x4C, 0x96}};
    EventRecorder recorder(panelEvents);
    Held<IConnectionPointContainer> points =
        As<IConnectionPointContainer>(Site("Panel1").Object(), IID_IConnectionPointContainer);
    Held<IConnectionPoint> point;
    ASSERT_EQ(points->FindConnectionPoint(panelEvents, point.Out()), S_OK);
    DWORD cookie = 0;
    ASSERT_EQ(point->Advise(&recorder, &cookie), S_OK);

    ASSERT_EQ(Site("Panel1").Move(RECT{10, 10, 130, 60}), S_OK);
    hosting::PumpMessages();
    EXPECT_NE(std::find(recorder.fired.begin(), recorder.fired.end(), ResizeDispid), recorder.fired.end());
    const size_t resizes = std::count(recorder.fired.begin(), recorder.fired.end(), ResizeDispid);
    // A move that keeps the size sends no WM_SIZE and fires nothing more.
    ASSERT_EQ(Site("Panel1").Move(RECT{20, 20, 140, 70}), S_OK);
    hosting::PumpMessages();
    EXPECT_EQ(static_cast<size_t>(std::count(recorder.fired.begin(), recorder.fired.end(), ResizeDispid)), resizes);
    for (size_t index = 0; index < recorder.fired.size(); ++index)
        if (recorder.fired[index] == ResizeDispid) {
            EXPECT_EQ(recorder.arguments[index], 0u) << "Resize has no parameters";
        }
    point->Unadvise(cookie);
}

TEST_F(FramesOnAForm, ClipControlsClipsTheControlsInsideOrNot)
{
    Host(R"(form Test {
  activex Frame1 {
    clsid "{1E8B9953-DB45-11CF-9B47-0000C0F04C96}"
    rect 20 20 200 120
    Caption "Group"
    activex Inside {
      clsid "{240210C2-E3B3-11CF-BE3F-0000C0F04C96}"
      rect 40 40 60 40
      BackColor 255
    }
  }
})");
    const HWND frame = Site("Frame1").Window();
    const HWND inside = Site("Inside").Window();
    ASSERT_NE(frame, nullptr);
    ASSERT_EQ(GetParent(inside), frame) << "the control lives in the frame's window";
    for (const bool clip : {true, false, true}) {
        ASSERT_EQ(PutBool(Dispatch("Frame1"), L"ClipControls", clip), S_OK);
        EXPECT_EQ((GetWindowLongA(frame, GWL_STYLE) & WS_CLIPCHILDREN) != 0, clip);
        RedrawWindow(frame, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        hosting::PumpMessages();
        const hosting::Picture picture = hosting::CaptureClientArea(FormWindow());
        hosting::WritePng(clip ? "frame-clipping-children.png" : "frame-not-clipping-children.png", picture);
        // The control inside shows its own face over the frame's, either way.
        EXPECT_EQ(picture.At(20 + 40 + 30, 20 + 40 + 20), RGB(255, 0, 0)) << clip;
        EXPECT_NE(picture.At(20 + 20, 20 + 60), RGB(255, 0, 0)) << clip;
    }
}

TEST_F(FramesOnAForm, TheResetWindowsStoredFramesLoad)
{
    // The zero-adjustments and zero-sales windows' descriptions, with the frames alone (the buttons in
    // them are other classes' tests).
    for (const char* name : {"Form37.form", "Form63.form"}) {
        std::ifstream file(std::string(KORVANE_SOURCE_DIR "/inventory/movements/") + name);
        ASSERT_TRUE(file) << name;
        std::stringstream text;
        text << file.rdbuf();
        const korvane::forms::ElementDescription form = korvane::forms::ParseFormDescription(text.str());
        int frames = 0;
        for (korvane::forms::ElementDescription element : form.children) {
            if (element.Text("clsid") != "{1E8B9953-DB45-11CF-9B47-0000C0F04C96}")
                continue;
            element.children.clear();
            ControlSite& site = container.Add(element);
            ++frames;
            EXPECT_NE(site.Window(), nullptr) << name << " " << element.name;
            EXPECT_EQ(GetLong(Dispatch(element.name.c_str()), L"ClipControls"), -1);
        }
        EXPECT_GE(frames, 1) << name;
        hosting::PumpMessages();
        container.Unload();
    }
}

TEST_F(FramesOnAForm, APanelWhoseSavedBytesAreCutShortStartsWithItsDefaults)
{
    // The saved bytes of a panel with settings of its own, the last two bytes lost.
    std::vector<std::uint8_t> bytes;
    {
        Held<IDispatch> original = CreateByProgId(L"Plyx.QvPanel");
        ASSERT_TRUE(original);
        ASSERT_EQ(As<IPersistStreamInit>(original.Get(), IID_IPersistStreamInit)->InitNew(), S_OK);
        ASSERT_EQ(PutText(original.Get(), L"Caption", L"Kept"), S_OK);
        ASSERT_EQ(PutLong(original.Get(), L"FloodPercent", 40), S_OK);
        bytes = SaveToBytes(original.Get());
    }
    ASSERT_GT(bytes.size(), 18u);
    bytes.resize(bytes.size() - 2);
    std::string hex;
    for (const std::uint8_t byte : bytes) {
        char pair[3];
        std::snprintf(pair, sizeof pair, "%02X", byte);
        hex += pair;
    }
    const std::string form = "form Test {\n  activex Panel1 {\n    clsid \"{240210C2-E3B3-11CF-BE3F-0000C0F04C96}\"\n"
                             "    rect 10 10 120 40\n    stream \"" + hex + "\"\n  }\n}\n";
    Host(form.c_str());

    ControlSite& site = Site("Panel1");
    EXPECT_EQ(site.StateProblem().rfind("its saved bytes were refused: ", 0), 0u) << site.StateProblem();
    ASSERT_NE(site.Window(), nullptr);
    EXPECT_TRUE(IsWindowVisible(site.Window()));
    // Its state is a new panel's: nothing of the bytes it took before they ran out is kept. (A hosted
    // panel starts with its name for a caption, so its bytes are not a siteless panel's.)
    const std::vector<std::uint8_t> hosted = SaveToBytes(site.Object());
    const std::string kept = "Kept";
    const std::string caption(reinterpret_cast<const char*>(hosted.data()), hosted.size());
    EXPECT_EQ(caption.find(kept), std::string::npos);
    std::wstring wideKept = L"Kept";
    const std::string wideBytes(reinterpret_cast<const char*>(wideKept.data()), wideKept.size() * 2);
    EXPECT_EQ(caption.find(wideBytes), std::string::npos);
    EXPECT_NE(GetLong(Dispatch("Panel1"), L"FloodPercent"), 40);
}

const char FloodingPanelForm[] = R"(form Test {
  activex Panel1 {
    clsid "{240210C2-E3B3-11CF-BE3F-0000C0F04C96}"
    rect 10 10 120 40
    FloodType 1
    FloodPercent 100
    FloodColor 16711680
    FloodShowPct False
    Caption "Stock"
    ForeColor 255
  }
  activex Frame1 {
    clsid "{1E8B9953-DB45-11CF-9B47-0000C0F04C96}"
    rect 10 60 120 40
  }
})";

// Blue (the flood) and red (the caption) pixels in a window.
std::pair<int, int> FloodAndCaptionPixels(HWND window)
{
    const hosting::Picture picture = hosting::CaptureClientArea(window);
    int flood = 0, caption = 0;
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x) {
            const COLORREF color = picture.At(x, y);
            flood += color == RGB(0, 0, 255);
            caption += GetRValue(color) >= 160 && GetGValue(color) < 90 && GetBValue(color) < 90;
        }
    return {flood, caption};
}

TEST_F(FramesOnAForm, AtRunTimeTheFloodBarCoversTheCaption)
{
    Host(FloodingPanelForm);
    const std::pair<int, int> pixels = FloodAndCaptionPixels(Site("Panel1").Window());
    EXPECT_GT(pixels.first, 100 * 30);
    EXPECT_EQ(pixels.second, 0);
}

TEST_F(FramesOnAForm, InDesignModeAFloodingPanelDrawsNeitherBarNorCaption)
{
    korvane::activex::AmbientSettings design;
    design.userMode = false;
    {
        ControlContainer designer(FormWindow(), [](const ControlEvent&) {}, design);
        HostIn(designer, FloodingPanelForm);
        const HWND panel = SiteIn(designer, "Panel1").Window();
        ASSERT_NE(panel, nullptr);
        const std::pair<int, int> pixels = FloodAndCaptionPixels(panel);
        EXPECT_EQ(pixels.first, 0);
        EXPECT_EQ(pixels.second, 0);
        // At design time the frame's window lets what lies under it show through.
        EXPECT_NE(GetWindowLongA(panel, GWL_EXSTYLE) & WS_EX_TRANSPARENT, 0);
        EXPECT_EQ(GetWindowLongA(panel, GWL_STYLE) & WS_CLIPCHILDREN, 0);

        // What only a running form may read.
        const struct {
            const char* control;
            const wchar_t* member;
        } unavailable[] = {{"Panel1", L"FloodPercent"}, {"Panel1", L"ShadowColor"}, {"Frame1", L"ShadowColor"}};
        for (const auto& entry : unavailable) {
            HRESULT hr = S_OK;
            GetLong(DispatchIn(designer, entry.control), entry.member, &hr);
            EXPECT_EQ(hr, static_cast<HRESULT>(0x800A018A)) << entry.member;
        }
        designer.Unload();
    }
    hosting::PumpMessages();
}

TEST_F(FramesOnAForm, AtRunTimeAClippingFramesWindowClipsItsChildren)
{
    Host(FloodingPanelForm);
    const HWND panel = Site("Panel1").Window();
    // The panel's deferred repaint and the palette question are answered, not passed on.
    EXPECT_EQ(SendMessageA(panel, 0x500, 0, 0), 0);
    EXPECT_EQ(SendMessageA(panel, WM_QUERYNEWPALETTE, 0, 0), 0) << "no background picture, no palette";
    EXPECT_EQ(SendMessageA(panel, WM_ERASEBKGND, 0, 0), 1);
    EXPECT_NE(GetWindowLongA(panel, GWL_STYLE) & WS_CLIPCHILDREN, 0);
    EXPECT_EQ(GetWindowLongA(panel, GWL_EXSTYLE) & WS_EX_TRANSPARENT, 0);
    HRESULT hr = E_FAIL;
    EXPECT_EQ(GetLong(Dispatch("Panel1"), L"FloodPercent", &hr), 100);
    EXPECT_EQ(hr, S_OK);
}

// The left edge of the red caption's pixels in a window; -1 when none show.
int CaptionLeft(HWND window)
{
    const hosting::Picture picture = hosting::CaptureClientArea(window);
    int left = -1;
    for (int x = 0; x < picture.width && left < 0; ++x)
        for (int y = 0; y < picture.height; ++y) {
            const COLORREF color = picture.At(x, y);
            if (GetRValue(color) >= 160 && GetGValue(color) < 90 && GetBValue(color) < 90) {
                left = x;
                break;
            }
        }
    return left;
}

TEST_F(FramesOnAForm, AScrollingCaptionMovesAcrossTheFrameAndThePanel)
{
    Host(R"(form Test {
  activex Frame1 {
    clsid "{1E8B9953-DB45-11CF-9B47-0000C0F04C96}"
    rect 10 10 200 60
    Caption "Stock"
    ForeColor 255
    MarqueeStyle 1
    MarqueeDelay 10
    MarqueeScrollAmount 3
  }
  activex Panel1 {
    clsid "{240210C2-E3B3-11CF-BE3F-0000C0F04C96}"
    rect 10 100 200 40
    Caption "Stock"
    ForeColor 255
    MarqueeStyle 1
    MarqueeDelay 10
    MarqueeScrollAmount 3
  }
})");
    for (const char* name : {"Frame1", "Panel1"}) {
        const HWND window = Site(name).Window();
        // The caption shows somewhere and keeps moving (it comes round again after leaving).
        std::vector<int> places;
        for (int look = 0; look < 4; ++look) {
            hosting::PumpMessages(std::chrono::milliseconds(60));
            places.push_back(CaptionLeft(window));
        }
        EXPECT_GT(*std::max_element(places.begin(), places.end()), 0) << name;
        std::sort(places.begin(), places.end());
        EXPECT_GE(std::unique(places.begin(), places.end()) - places.begin(), 3) << name;
    }
}

} // namespace
} // namespace frames_test
