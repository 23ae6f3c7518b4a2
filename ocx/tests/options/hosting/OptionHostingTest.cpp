// The check box and the option button of the built library as hosts reach them: created by ProgID,
// set and read through IDispatch by name, their events received by DISPID; and the check buttons of
// the program's form descriptions hosted by the program's container, loaded from their stored state
// and worked with the real mouse and keyboard.
#include "ControlContainer.h"
#include "RecordingEventSink.h"
#include "forms/ActiveXControlFactory.h"
#include "forms/FormDescription.h"
#include "forms/Forms.h"
#include "forms/testing/FormDriver.h"
#include "testing/HostWindow.h"

#include <gmock/gmock.h>
#include <olectl.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace korvane;

const char CheckClsid[] = "{4113FBA2-F14B-11CF-9C79-0000C09300C4}";

std::string BesideThisTest(const char* fileName)
{
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    folder.erase(folder.find_last_of("\\/") + 1);
    return folder + fileName;
}

typedef HRESULT(STDAPICALLTYPE* ServerFunction)();

ServerFunction ServerEntry(HMODULE library, const char* name)
{
    return reinterpret_cast<ServerFunction>(reinterpret_cast<void (*)()>(GetProcAddress(library, name)));
}

// The library registered in the test prefix for the whole program, as a setup program would.
class RegisteredLibrary : public ::testing::Environment {
public:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
        library_ = LoadLibraryA(BesideThisTest("Plyx20.ocx").c_str());
        ASSERT_NE(library_, nullptr) << GetLastError();
        const ServerFunction registerServer = ServerEntry(library_, "DllRegisterServer");
        ASSERT_NE(registerServer, nullptr);
        ASSERT_EQ(registerServer(), S_OK);
    }
    void TearDown() override
    {
        if (library_ == nullptr)
            return;
        const ServerFunction unregisterServer = ServerEntry(library_, "DllUnregisterServer");
        if (unregisterServer != nullptr) {
            EXPECT_EQ(unregisterServer(), S_OK);
        }
        CoFreeUnusedLibraries();
        FreeLibrary(library_);
    }

private:
    HMODULE library_ = nullptr;
};
const ::testing::Environment* const g_library = ::testing::AddGlobalTestEnvironment(new RegisteredLibrary);

// ---- Late-bound ----

class LateBound : public ::testing::Test {
protected:
    // The object made from its ProgID, as a script's CreateObject makes it.
    IDispatch* CreateObject(const wchar_t* progId)
    {
        CLSID clsid = {};
        EXPECT_EQ(CLSIDFromProgID(progId, &clsid), S_OK) << "registered ProgID";
        IDispatch* object = nullptr;
        EXPECT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, reinterpret_cast<void**>(&object)),
                  S_OK);
        if (object != nullptr) {
            IPersistStreamInit* persist = nullptr;
            EXPECT_EQ(object->QueryInterface(IID_IPersistStreamInit, reinterpret_cast<void**>(&persist)), S_OK);
            if (persist != nullptr) {
                EXPECT_EQ(persist->InitNew(), S_OK);
                persist->Release();
            }
        }
        return object;
    }
    static DISPID IdOf(IDispatch* object, const wchar_t* name)
    {
        DISPID dispid = DISPID_UNKNOWN;
        LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
        EXPECT_EQ(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &dispid), S_OK) << name;
        return dispid;
    }
    static HRESULT Put(IDispatch* object, const wchar_t* name, VARIANT value)
    {
        DISPID named = DISPID_PROPERTYPUT;
        DISPPARAMS params = {&value, &named, 1, 1};
        EXCEPINFO exception = {};
        const HRESULT hr = object->Invoke(IdOf(object, name), IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT,
                                          &params, nullptr, &exception, nullptr);
        SysFreeString(exception.bstrDescription);
        SysFreeString(exception.bstrSource);
        SysFreeString(exception.bstrHelpFile);
        return hr;
    }
    static HRESULT PutLong(IDispatch* object, const wchar_t* name, LONG number)
    {
        VARIANT value;
        VariantInit(&value);
        value.vt = VT_I4;
        value.lVal = number;
        return Put(object, name, value);
    }
    static long Get(IDispatch* object, const wchar_t* name)
    {
        DISPPARAMS none = {nullptr, nullptr, 0, 0};
        VARIANT result;
        VariantInit(&result);
        EXPECT_EQ(object->Invoke(IdOf(object, name), IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, &result,
                                 nullptr, nullptr),
                  S_OK)
            << name;
        EXPECT_EQ(VariantChangeType(&result, &result, 0, VT_I4), S_OK);
        return result.lVal;
    }
    static DWORD Advise(IDispatch* object, const IID& events, IUnknown* sink, IConnectionPoint** point)
    {
        IConnectionPointContainer* points = nullptr;
        EXPECT_EQ(object->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&points)), S_OK);
        DWORD cookie = 0;
        if (points != nullptr) {
            EXPECT_EQ(points->FindConnectionPoint(events, point), S_OK);
            if (*point != nullptr) {
                EXPECT_EQ((*point)->Advise(sink, &cookie), S_OK);
            }
            points->Release();
        }
        return cookie;
    }
};

const IID CheckEvents = {0x4113FBA1, 0xF14B, 0x11CF, {0x9C, 0x79, 0x00, 0x00, 0xC0, 0x93, 0x00, 0xC4}};
const IID OptionEvents = {0xE2344720, 0xEEB2, 0x11CF, {0x86, 0x02, 0x00, 0x00, 0xC0, 0x93, 0x00, 0xC4}};

TEST_F(LateBound, ACheckBoxByProgIdTakesValuesByNameAndFiresClickByDispid)
{
    IDispatch* check = CreateObject(L"Plyx.QvCheck");
    ASSERT_NE(check, nullptr);
    RecordingEventSink sink(CheckEvents);
    IConnectionPoint* point = nullptr;
    const DWORD cookie = Advise(check, CheckEvents, &sink, &point);
    ASSERT_NE(point, nullptr);

    EXPECT_EQ(PutLong(check, L"Value", 1), S_OK);
    EXPECT_EQ(Get(check, L"Value"), -1) << "checked and two-state at run time";
    EXPECT_EQ(PutLong(check, L"Value", 2), S_OK);
    EXPECT_EQ(Get(check, L"Value"), -1) << "grayed only with TripleState";
    VARIANT on;
    VariantInit(&on);
    on.vt = VT_BOOL;
    on.boolVal = VARIANT_TRUE;
    EXPECT_EQ(Put(check, L"TripleState", on), S_OK);
    EXPECT_EQ(PutLong(check, L"Value", 2), S_OK);
    EXPECT_EQ(Get(check, L"Value"), 2);
    EXPECT_EQ(Get(check, L"BoundValue"), 2);
    EXPECT_EQ(PutLong(check, L"Alignment", 5), static_cast<HRESULT>(DISP_E_EXCEPTION)) << "out of range";
    EXPECT_EQ(Get(check, L"Alignment"), 0);
    EXPECT_EQ(sink.events, (std::vector<RecordingEventSink::Event>{{22, -1}, {22, 2}}));

    point->Unadvise(cookie);
    point->Release();
    check->Release();
    EXPECT_EQ(sink.references, 0u);
}

TEST_F(LateBound, TheCheckBoxsDefaultDispinterfaceReachesTheSameMembers)
{
    IDispatch* check = CreateObject(L"Plyx.QvCheck");
    ASSERT_NE(check, nullptr);
    // DQvCheck, the coclass's default interface.
    const IID defaultInterface = {0xAD32E560, 0x68A9, 0x11D0, {0xBE, 0x40, 0x00, 0x00, 0xC0, 0xF0, 0x4C, 0x96}};
    IDispatch* byDefault = nullptr;
    ASSERT_EQ(check->QueryInterface(defaultInterface, reinterpret_cast<void**>(&byDefault)), S_OK);
    EXPECT_EQ(PutLong(byDefault, L"Value", 1), S_OK);
    EXPECT_EQ(Get(check, L"Value"), -1);
    EXPECT_EQ(IdOf(byDefault, L"TripleState"), 44);
    byDefault->Release();
    check->Release();
}

TEST_F(LateBound, AnOptionButtonByProgIdSelectsWithOneClick)
{
    IDispatch* option = CreateObject(L"Plyx.QvOption");
    ASSERT_NE(option, nullptr);
    RecordingEventSink sink(OptionEvents);
    IConnectionPoint* point = nullptr;
    const DWORD cookie = Advise(option, OptionEvents, &sink, &point);
    ASSERT_NE(point, nullptr);
    EXPECT_EQ(PutLong(option, L"Value", 1), S_OK);
    EXPECT_EQ(Get(option, L"Value"), -1);
    EXPECT_EQ(PutLong(option, L"Value", -1), S_OK);
    EXPECT_EQ(PutLong(option, L"Value", 0), S_OK);
    EXPECT_EQ(Get(option, L"Value"), 0);
    EXPECT_EQ(sink.events, (std::vector<RecordingEventSink::Event>{{22, -1}}));
    point->Unadvise(cookie);
    point->Release();
    option->Release();
}

TEST_F(LateBound, TheClassInformationNamesTheEventInterfaces)
{
    struct Case {
        const wchar_t* progId;
        IID events;
    } cases[] = {{L"Plyx.QvCheck", CheckEvents}, {L"Plyx.QvOption", OptionEvents}};
    for (const Case& c : cases) {
        IDispatch* object = CreateObject(c.progId);
        ASSERT_NE(object, nullptr);
        IProvideClassInfo* provider = nullptr;
        ASSERT_EQ(object->QueryInterface(IID_IProvideClassInfo, reinterpret_cast<void**>(&provider)), S_OK);
        ITypeInfo* coclass = nullptr;
        ASSERT_EQ(provider->GetClassInfo(&coclass), S_OK) << c.progId;
        bool found = false;
        TYPEATTR* attributes = nullptr;
        ASSERT_EQ(coclass->GetTypeAttr(&attributes), S_OK);
        for (UINT i = 0; i < attributes->cImplTypes; ++i) {
            INT flags = 0;
            HREFTYPE reference = 0;
            ITypeInfo* implemented = nullptr;
            if (FAILED(coclass->GetImplTypeFlags(i, &flags)) || !(flags & IMPLTYPEFLAG_FSOURCE) ||
                FAILED(coclass->GetRefTypeOfImplType(i, &reference)) ||
                FAILED(coclass->GetRefTypeInfo(reference, &implemented)))
                continue;
            TYPEATTR* source = nullptr;
            if (SUCCEEDED(implemented->GetTypeAttr(&source))) {
                found = found || IsEqualIID(source->guid, c.events);
                implemented->ReleaseTypeAttr(source);
            }
            implemented->Release();
        }
        coclass->ReleaseTypeAttr(attributes);
        EXPECT_TRUE(found) << c.progId;
        coclass->Release();
        provider->Release();
        object->Release();
    }
}

// ---- The program's check buttons ----

std::string SourceFile(const std::string& relative)
{
    const char* here = std::getenv("KORVANE_TEST_SOURCE_DIR");
    std::ifstream file(std::string(here != nullptr ? here : ".") + "/../../../" + relative);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// The `activex` elements of a form description that name the check box, as they stand there (also
// those inside a frame).
std::vector<std::string> CheckElementsOf(const std::string& description)
{
    std::vector<std::string> lines;
    std::istringstream text(description);
    for (std::string line; std::getline(text, line);)
        lines.push_back(line);
    std::vector<std::string> elements;
    for (size_t first = 0; first < lines.size(); ++first) {
        const size_t start = lines[first].find_first_not_of(' ');
        if (start == std::string::npos || lines[first].compare(start, 8, "activex ") != 0)
            continue;
        std::string element;
        int depth = 0;
        bool nested = false;
        for (size_t at = first; at < lines.size(); ++at) {
            if (at > first && lines[at].find("activex ") != std::string::npos)
                nested = true;
            element += lines[at] + "\n";
            // Braces inside quoted texts do not occur in the descriptions.
            for (char c : lines[at])
                depth += c == '{' ? 1 : c == '}' ? -1 : 0;
            if (depth == 0)
                break;
        }
        if (!nested && element.find(CheckClsid) != std::string::npos)
            elements.push_back(element);
    }
    return elements;
}

TEST(ProgramForms, EveryStoredCheckButtonLoadsIntoTheControl)
{
    static_cast<void>(OleInitialize(nullptr));
    activex::testing::HostWindow host(600, 300);
    int hosted = 0;
    for (const char* form : {"inventory/movements/Form3.form", "inventory/movements/Form37.form",
                             "inventory/movements/Form63.form"}) {
        const std::vector<std::string> elements = CheckElementsOf(SourceFile(form));
        EXPECT_FALSE(elements.empty()) << form;
        for (const std::string& element : elements) {
            SCOPED_TRACE(element);
            activex::ControlContainer container(host.Handle(), [](const activex::ControlEvent&) {});
            const forms::ElementDescription description = forms::ParseFormDescription("form Test {\n" + element + "}\n");
            ASSERT_EQ(description.children.size(), 1u);
            activex::ControlSite* site = nullptr;
            ASSERT_NO_THROW(site = &container.Add(description.children.front()));
            com::Variant value;
            ASSERT_EQ(site->GetProperty(47, value), S_OK);
            com::Variant caption;
            ASSERT_EQ(site->GetProperty(-518, caption), S_OK);
            EXPECT_EQ(value.Get().vt == VT_I4 ? value.Get().lVal : 99, -1) << "stored checked, read as True";
            EXPECT_EQ(caption.Get().vt, VT_BSTR);
            EXPECT_GT(SysStringLen(caption.Get().bstrVal), 0u);
            ++hosted;
            container.Unload();
        }
    }
    EXPECT_GE(hosted, 7) << "the five movement kinds and the reset buttons";
}

using activex::testing::Ink;

TEST(ProgramForms, ACaptionWhoseFontSizeChangesIsDrawnAsOneStoredAtThatSize)
{
    // The reset windows' hover look: the caption's font grows while the mouse is over the button.
    static_cast<void>(OleInitialize(nullptr));
    activex::testing::HostWindow host(600, 300);
    activex::ControlContainer container(host.Handle(), [](const activex::ControlEvent&) {});
    auto check = [&](const char* name, int top, int size) -> activex::ControlSite& {
        std::ostringstream element;
        element << "form Test {\n  activex " << name << " {\n    clsid \"" << CheckClsid << "\"\n    rect 16 " << top
                << " 228 36\n    Caption \"Daily Processing\"\n    Value 1\n    FontName \"MS Sans Serif\"\n"
                << "    FontSize " << size << "\n    FontBold True\n  }\n}\n";
        const forms::ElementDescription description = forms::ParseFormDescription(element.str());
        return container.Add(description.children.front());
    };
    activex::ControlSite& grown = check("Grown", 10, 10);
    activex::ControlSite& stored = check("StoredLarger", 60, 12);
    activex::testing::PumpMessages();
    const Ink before = activex::testing::InkOf(activex::testing::CaptureClientArea(grown.Window()), 0);
    ASSERT_EQ(grown.SetProperty(2, com::Variant::Single(12)), S_OK);  // FontSize
    activex::testing::PumpMessages();
    const Ink after = activex::testing::InkOf(activex::testing::CaptureClientArea(grown.Window()), 0);
    const Ink expected = activex::testing::InkOf(activex::testing::CaptureClientArea(stored.Window()), 0);
    activex::testing::WritePng(BesideThisTest("check-font-size.png"), activex::testing::CaptureClientArea(host.Handle()));
    EXPECT_GT(after.count, before.count);
    EXPECT_EQ(after.count, expected.count);
    const auto box = [](const Ink& ink) { return std::vector<int>{ink.left, ink.top, ink.right, ink.bottom}; };
    EXPECT_EQ(box(after), box(expected)) << "the box drawn, then the box stored at that size";
    container.Unload();
}

// The Adjust Inventory window's five movement buttons, as its description stores them, with the
// window's rule: the button clicked is the chosen kind, the other four are set back to checked.
class MovementButtons : public forms::Form {
public:
    MovementButtons() : Form("MovementButtons", Description()) {}

    std::vector<std::string> events;
    static constexpr const char* Names[] = {"ItemReceipts", "ItemTransfersIn", "ItemWriteOffs", "ItemTransfersOut",
                                            "Sales"};

private:
    static std::string Description()
    {
        std::string text = "form MovementButtons {\n  caption \"Movement\"\n  size 560 120\n  font \"MS Sans Serif\" 8.25\n";
        for (const std::string& element : CheckElementsOf(SourceFile("inventory/movements/Form3.form")))
            text += element;
        return text + "}\n";
    }
    void Bind(forms::EventTable& on) override
    {
        on("ItemReceipts", "Click", &MovementButtons::Receipts_Click);
        on("ItemReceipts", "MouseDown", &MovementButtons::Receipts_MouseDown);
        on("Sales", "Click", &MovementButtons::Sales_Click);
    }
    // The kind whose button reads unchecked is the chosen one; checking the others fires their Click
    // inside the set, which finds them checked and does nothing more.
    void Chosen(const std::string& name, const forms::EventArgs& e)
    {
        const long value = std::get<long>(e.values.at(0));
        events.push_back(name + "_Click " + std::to_string(value));
        if (value != 0)
            return;
        for (const char* other : Names)
            if (name != other)
                Hosted(other).SetProperty(47, true);
    }
    void Receipts_Click(const forms::EventArgs& e) { Chosen("ItemReceipts", e); }
    void Sales_Click(const forms::EventArgs& e) { Chosen("Sales", e); }
    void Receipts_MouseDown(const forms::MouseArgs& mouse)
    {
        events.push_back("ItemReceipts_MouseDown " + std::to_string(mouse.button));
    }
};

class MovementButtonsTest : public ::testing::Test {
protected:
    MovementButtonsTest() { activex::RegisterActiveXControls(); }
    ~MovementButtonsTest() override { forms::RegisterHostedControlFactory("activex", nullptr); }
    long ValueOf(forms::testing::DrivenForm& form, const char* name)
    {
        const forms::PropertyValue value = static_cast<MovementButtons&>(form.Get()).Hosted(name).Property(47);
        if (const long* number = std::get_if<long>(&value))
            return *number;
        if (const bool* flag = std::get_if<bool>(&value))
            return *flag ? -1 : 0;
        return 99;
    }
    forms::testing::FormDriver ui;
};

TEST_F(MovementButtonsTest, AClickWithTheMouseUnchecksTheChosenKindAndTheOthersStayChecked)
{
    auto form = ui.Show<MovementButtons>();
    MovementButtons& buttons = static_cast<MovementButtons&>(form.Get());
    for (const char* name : MovementButtons::Names)
        EXPECT_EQ(ValueOf(form, name), -1) << name << " is stored checked";
    form.Click("ItemReceipts");
    EXPECT_EQ(ValueOf(form, "ItemReceipts"), 0);
    ASSERT_THAT(buttons.events, ::testing::ElementsAre("ItemReceipts_MouseDown 1", "ItemReceipts_Click 0"));
    form.Click("Sales");
    EXPECT_THAT(buttons.events, ::testing::ElementsAre("ItemReceipts_MouseDown 1", "ItemReceipts_Click 0",
                                                       "Sales_Click 0", "ItemReceipts_Click -1"));
    EXPECT_EQ(ValueOf(form, "Sales"), 0);
    EXPECT_EQ(ValueOf(form, "ItemReceipts"), -1) << "set back to checked inside Sales' Click";
    ui.SavePng("MovementButtons", "movement-buttons.png");
}

TEST_F(MovementButtonsTest, TheSpaceBarWorksTheFocusedButton)
{
    auto form = ui.Show<MovementButtons>();
    form.PressKey("ItemReceipts", VK_SPACE);
    EXPECT_EQ(ValueOf(form, "ItemReceipts"), 0);
    EXPECT_THAT(static_cast<MovementButtons&>(form.Get()).events, ::testing::Contains("ItemReceipts_Click 0"));
}

} // namespace
