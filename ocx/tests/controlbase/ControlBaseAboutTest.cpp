// The about box that AboutBox shows, found and closed by a driver thread as a user would close it,
// and the accelerators a caption's mnemonics give a container.
#include "HostedQvControl.h"

#include "AboutBox.h"
#include "AboutBoxIds.h"

#include <atomic>
#include <thread>

namespace {

struct AcceleratorCase {
    const char* caption;
    std::vector<ACCEL> expected;
};

bool SameEntries(const std::vector<ACCEL>& found, const std::vector<ACCEL>& expected)
{
    if (found.size() != expected.size())
        return false;
    for (size_t i = 0; i < found.size(); ++i)
        if (found[i].fVirt != expected[i].fVirt || found[i].key != expected[i].key || found[i].cmd != expected[i].cmd)
            return false;
    return true;
}

std::vector<ACCEL> EntriesOf(HACCEL table, int count)
{
    std::vector<ACCEL> entries(count);
    if (count > 0) {
        EXPECT_EQ(CopyAcceleratorTableA(table, entries.data(), count), count);
    }
    return entries;
}

constexpr BYTE AltKey = FVIRTKEY | FALT;
constexpr BYTE AltShiftKey = FVIRTKEY | FALT | FSHIFT;

TEST(CaptionAcceleratorTest, EveryMnemonicGivesItsKeys)
{
    const AcceleratorCase cases[] = {
        {"&Save", {{AltKey, 'S', 1}, {AltShiftKey, 'S', 1}}},
        {"E&xit", {{AltKey, 'X', 1}, {AltShiftKey, 'X', 1}}},
        {"e&xit", {{AltKey, 'X', 1}, {AltShiftKey, 'X', 1}}},
        {"Step &1", {{AltKey, '1', 1}}},
        {"&Print &Report", {{AltKey, 'P', 1}, {AltShiftKey, 'P', 1}, {AltKey, 'R', 1}, {AltShiftKey, 'R', 1}}},
        {"R&&D &Costs", {{AltKey, 'C', 1}, {AltShiftKey, 'C', 1}}},
    };
    for (const AcceleratorCase& row : cases) {
        SCOPED_TRACE(row.caption);
        CONTROLINFO info = {};
        ASSERT_TRUE(plyx::BuildCaptionAccelerators(&info, row.caption, 0));
        EXPECT_EQ(info.cb, sizeof(CONTROLINFO));
        EXPECT_TRUE(SameEntries(EntriesOf(info.hAccel, info.cAccel), row.expected));
        DestroyAcceleratorTable(info.hAccel);
    }
}

TEST(CaptionAcceleratorTest, ACaptionWithoutAMnemonicLeavesTheRecordAlone)
{
    for (const char* caption : {"", "Exit", "R&&D", "Trailing&"}) {
        SCOPED_TRACE(caption);
        CONTROLINFO info = {};
        info.cb = 99;
        EXPECT_FALSE(plyx::BuildCaptionAccelerators(&info, caption, 0));
        EXPECT_EQ(info.cb, 99u);
        EXPECT_EQ(info.hAccel, nullptr);
    }
}

class ControlBaseAboutTest : public QvControlTest {
protected:
    HeldQvControl control;
};

TEST_F(ControlBaseAboutTest, GetControlInfoAnswersTheCaptionsAccelerator)
{
    BSTR caption = SysAllocString(L"E&xit");
    ASSERT_EQ(control->put_Caption(caption), S_OK);
    SysFreeString(caption);
    CONTROLINFO info = {};
    info.cb = sizeof info;
    ASSERT_EQ(control.As<IOleControl>(IID_IOleControl)->GetControlInfo(&info), S_OK);
    ASSERT_EQ(info.cAccel, 2);
    EXPECT_TRUE(SameEntries(EntriesOf(info.hAccel, info.cAccel), {{AltKey, 'X', 1}, {AltShiftKey, 'X', 1}}));
    DestroyAcceleratorTable(info.hAccel);

    caption = SysAllocString(L"Exit");
    ASSERT_EQ(control->put_Caption(caption), S_OK);
    SysFreeString(caption);
    info = {};
    ASSERT_EQ(control.As<IOleControl>(IID_IOleControl)->GetControlInfo(&info), S_OK);
    EXPECT_EQ(info.cAccel, 0);
    EXPECT_EQ(info.hAccel, nullptr);
}

// Stores the first shown dialog box of the thread into the std::atomic<HWND> at `found`.
BOOL CALLBACK FindShownDialog(HWND window, LPARAM found)
{
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    if (lstrcmpA(name, "#32770") == 0 && IsWindowVisible(window)) {
        reinterpret_cast<std::atomic<HWND>*>(found)->store(window);
        return FALSE;
    }
    return TRUE;
}

std::string TextOf(HWND window)
{
    char text[128] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

TEST_F(ControlBaseAboutTest, AboutBoxByNameShowsTheBoxOwnedByTheContainer)
{
    RecordingContainer container(true);
    ActivateWindowed(control, container);
    const DWORD thread = GetCurrentThreadId();
    std::atomic<HWND> box{nullptr};
    std::string product;
    HWND owner = nullptr;
    int makerPixels = 0;
    // The driver finds the box of this thread, reads it and closes it as its OK button would.
    std::thread driver([&] {
        for (int tries = 0; tries < 500 && box == nullptr; ++tries) {
            EnumThreadWindows(thread, FindShownDialog, reinterpret_cast<LPARAM>(&box));
            Sleep(10);
        }
        if (box != nullptr) {
            product = TextOf(GetDlgItem(box, IDC_ABOUT_PRODUCT));
            owner = GetWindow(box, GW_OWNER);
            // The maker's name is drawn in blue in the header, as the screen shows it.
            Sleep(300);
            RECT header = {};
            GetWindowRect(GetDlgItem(box, IDC_ABOUT_HEADER), &header);
            HDC screen = GetDC(nullptr);
            for (int y = header.top; y < header.bottom; ++y)
                for (int x = header.left; x < header.right; ++x)
                    makerPixels += GetPixel(screen, x, y) == RGB(0, 0, 255);
            ReleaseDC(nullptr, screen);
            PostMessageA(box, WM_COMMAND, IDOK, 0);
        }
    });
    // Late-bound, as a host calls it.
    IDispatch* dispatch = control.As<IDispatch>(IID_IDispatch);
    LPOLESTR name = const_cast<LPOLESTR>(L"AboutBox");
    DISPID dispid = 0;
    ASSERT_EQ(dispatch->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &dispid), S_OK);
    EXPECT_EQ(dispid, DISPID_ABOUTBOX);
    DISPPARAMS none = {};
    EXPECT_EQ(dispatch->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &none, nullptr, nullptr, nullptr),
              S_OK);
    driver.join();
    ASSERT_NE(box.load(), nullptr) << "no about box came up";
    EXPECT_EQ(product, "ActivePlyx 2.0");
    EXPECT_EQ(owner, container.Window());
    EXPECT_GT(makerPixels, 20);
    EXPECT_FALSE(IsWindow(box));
    // The container's frame heard that a modal box ran, and that it ended.
    EXPECT_EQ(container.CountCalls("Frame.EnableModeless(0)"), 1);
    EXPECT_EQ(container.CountCalls("Frame.EnableModeless(1)"), 1);
    CloseControl(control);
}

} // namespace
