// MouseExit when the pointer leaves a control for a window of another process: the control comes from
// the tests' own control library, whose hook the other process loads when the pointer moves over
// its window; the hook there signals the shared event and the control's watcher hands the exit to
// the control's thread.
#include "HostedQvControl.h"

#include <string>

namespace {

void MovePointerTo(POINT screen)
{
    INPUT move = {};
    move.type = INPUT_MOUSE;
    move.mi.dx = MulDiv(screen.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    move.mi.dy = MulDiv(screen.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &move, sizeof move);
}

std::string BesideThisProgram(const char* name)
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    folder.resize(folder.find_last_of("\\/") + 1);
    return folder + name;
}

// The other process and its window, ended with the test.
class ProbeProcess {
public:
    ProbeProcess(RECT place)
    {
        std::string command = "\"" + BesideThisProgram("hover_probe_window.exe") + "\" " +
                              std::to_string(place.left) + " " + std::to_string(place.top) + " " +
                              std::to_string(place.right - place.left) + " " +
                              std::to_string(place.bottom - place.top) + " 30";
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        started_ = CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                  &process_) != FALSE;
    }
    ~ProbeProcess()
    {
        if (!started_)
            return;
        TerminateProcess(process_.hProcess, 0);
        WaitForSingleObject(process_.hProcess, 5000);
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
    }
    ProbeProcess(const ProbeProcess&) = delete;
    ProbeProcess& operator=(const ProbeProcess&) = delete;

    bool Started() const { return started_; }
    DWORD Id() const { return process_.dwProcessId; }

private:
    PROCESS_INFORMATION process_ = {};
    bool started_ = false;
};

TEST(ControlBaseCrossProcessTest, LeavingForAWindowOfAnotherProcessGivesMouseExit)
{
    const RECT probePlace = {700, 500, 1000, 800};
    ProbeProcess probe(probePlace);
    ASSERT_TRUE(probe.Started());
    HWND probeWindow = nullptr;
    ASSERT_TRUE(PumpUntil([&] {
        probeWindow = FindWindowA("QvHoverProbeWindow", "QvHoverProbe");
        return probeWindow != nullptr && IsWindowVisible(probeWindow);
    }, 10000));
    DWORD owner = 0;
    GetWindowThreadProcessId(probeWindow, &owner);
    ASSERT_EQ(owner, probe.Id());

    HMODULE library = LoadLibraryA(BesideThisProgram("qvbase_test_controls.dll").c_str());
    ASSERT_NE(library, nullptr);
    auto getClassObject = reinterpret_cast<HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**)>(
        reinterpret_cast<void*>(GetProcAddress(library, "DllGetClassObject")));
    ASSERT_NE(getClassObject, nullptr);
    IClassFactory* factory = nullptr;
    ASSERT_EQ(getClassObject(CLSID_QvFrame, IID_IClassFactory, reinterpret_cast<void**>(&factory)), S_OK);
    IUnknown* control = nullptr;
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_IUnknown, reinterpret_cast<void**>(&control)), S_OK);
    factory->Release();

    std::vector<RecordedControlEvent> log;
    RecordingEventSink sink(1, log);
    {
        RecordingContainer container(true);
        container.options.offerWindowless = false;
        IOleObject* object = nullptr;
        ASSERT_EQ(control->QueryInterface(IID_IOleObject, reinterpret_cast<void**>(&object)), S_OK);
        IPersistStreamInit* persist = nullptr;
        ASSERT_EQ(control->QueryInterface(IID_IPersistStreamInit, reinterpret_cast<void**>(&persist)), S_OK);
        ASSERT_EQ(object->SetClientSite(&container), S_OK);
        ASSERT_EQ(persist->InitNew(), S_OK);
        persist->Release();
        ASSERT_EQ(object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &container, 0, container.Window(), nullptr), S_OK);
        EventConnection connection(control, &sink);
        auto count = [&log](DISPID dispid) {
            int found = 0;
            for (const RecordedControlEvent& event : log)
                found += event.dispid == dispid;
            return found;
        };

        POINT inside = {container.options.position.left + 20, container.options.position.top + 10};
        ClientToScreen(container.Window(), &inside);
        MovePointerTo(inside);
        ASSERT_TRUE(PumpUntil([&] { return count(49) == 1; }));
        // Onto the other process's window, moving a little there as a user's hand would.
        for (int step = 0; step < 10 && count(50) == 0; ++step) {
            MovePointerTo(POINT{850 + step * 3, 650});
            PumpUntil([&] { return count(50) == 1; }, 300);
        }
        EXPECT_EQ(count(50), 1);
        for (const RecordedControlEvent& event : log)
            EXPECT_EQ(event.thread, GetCurrentThreadId());

        EXPECT_EQ(object->Close(OLECLOSE_NOSAVE), S_OK);
        EXPECT_EQ(object->SetClientSite(nullptr), S_OK);
        object->Release();
    }
    control->Release();
    // The watcher's reference comes back on this thread.
    PumpUntil([] { return false; }, 200);
}

} // namespace
