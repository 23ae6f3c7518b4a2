// The control's embedding interfaces: what it answers, its verbs, quick activation, its class
// information and pages, and how it takes and drops its client site.
#include "ComReference.h"
#include "ControlTestSupport.h"
#include "LibraryLocale.h"
#include "TestSinks.h"

#include <cstddef>
#include <string>
#include <vector>

namespace {

using OleObjectTest = ControlTest;

TEST_F(OleObjectTest, AnswersEachInterfaceOfTheTableWithItsPart)
{
    HeldControl control;
    IUnknown* unknown = control->PrivateUnknown();
    struct Case {
        const IID* iid;
        const IID* sameAs;  // the interface answered by the same part
        const char* name;
    } cases[] = {
        {&IID_IPersistStorage, &IID_IPersistStorage, "IPersistStorage"},
        {&IID_IPersist, &IID_IPersistStorage, "IPersist"},
        {&IID_IViewObject, &IID_IViewObjectEx, "IViewObject"},
        {&IID_IOleObject, &IID_IOleObject, "IOleObject"},
        {&IID_IOleInPlaceObject, &IID_IOleInPlaceObjectWindowless, "IOleInPlaceObject"},
        {&IID_IOleWindow, &IID_IOleInPlaceActiveObject, "IOleWindow"},
        {&IID_IOleInPlaceActiveObject, &IID_IOleInPlaceActiveObject, "IOleInPlaceActiveObject"},
        {&IID_IViewObject2, &IID_IViewObjectEx, "IViewObject2"},
        {&IID_IOleInPlaceObjectWindowless, &IID_IOleInPlaceObjectWindowless, "IOleInPlaceObjectWindowless"},
        {&IID_IPersistPropertyBag, &IID_IPersistPropertyBag, "IPersistPropertyBag"},
        {&IID_IViewObjectEx, &IID_IViewObjectEx, "IViewObjectEx"},
        {&IID_IPointerInactive, &IID_IPointerInactive, "IPointerInactive"},
        {&IID_IPersistStreamInit, &IID_IPersistStreamInit, "IPersistStreamInit"},
        {&IID_IProvideClassInfo, &IID_IProvideClassInfo, "IProvideClassInfo"},
        {&IID_IOleControl, &IID_IOleControl, "IOleControl"},
        {&IID_ISpecifyPropertyPages, &IID_ISpecifyPropertyPages, "ISpecifyPropertyPages"},
        {&IID_IQuickActivate, &IID_IQuickActivate, "IQuickActivate"},
        {&IID_IDispatch, &IID_ITestControl, "IDispatch"},
        {&IID_IConnectionPointContainer, &IID_IConnectionPointContainer, "IConnectionPointContainer"},
    };
    void* identity = nullptr;
    ASSERT_EQ(unknown->QueryInterface(IID_IUnknown, &identity), S_OK);
    for (const Case& c : cases) {
        void* answer = nullptr;
        void* reference = nullptr;
        ASSERT_EQ(unknown->QueryInterface(*c.iid, &answer), S_OK) << c.name;
        ASSERT_EQ(unknown->QueryInterface(*c.sameAs, &reference), S_OK) << c.name;
        EXPECT_EQ(answer, reference) << c.name;
        // Every part leads back to the one object.
        void* back = nullptr;
        ASSERT_EQ(static_cast<IUnknown*>(answer)->QueryInterface(IID_IUnknown, &back), S_OK) << c.name;
        EXPECT_EQ(back, identity) << c.name;
        static_cast<IUnknown*>(back)->Release();
        static_cast<IUnknown*>(reference)->Release();
        static_cast<IUnknown*>(answer)->Release();
    }
    static_cast<IUnknown*>(identity)->Release();

    void* answer = reinterpret_cast<void*>(1);
    EXPECT_EQ(unknown->QueryInterface(IID_IOleCache, &answer), E_NOINTERFACE);
    EXPECT_EQ(answer, nullptr);
    // The object behind an interface, for the library's own code.
    EXPECT_EQ(OleControl::FromUnknown(control.As<IOleObject>(IID_IOleObject)), control.get());
    // Every query above gave its reference back.
    EXPECT_EQ(unknown->AddRef(), 2u);
    unknown->Release();
}

struct VerbRow {
    int row;
    std::vector<LONG> verbs;
};

TEST_F(OleObjectTest, VerbListFollowsTheMiscStatusOfTheRow)
{
    const VerbRow rows[] = {
        {TestRowButtonLike, {OLEIVERB_SHOW, OLEIVERB_HIDE, OLEIVERB_INPLACEACTIVATE, OLEIVERB_PRIMARY,
                             OLEIVERB_UIACTIVATE, 1}},
        {TestRowFrameLike, {OLEIVERB_SHOW, OLEIVERB_HIDE, OLEIVERB_INPLACEACTIVATE, OLEIVERB_PRIMARY,
                            OLEIVERB_UIACTIVATE, 1}},
    };
    for (const VerbRow& expected : rows) {
        HeldControl control(expected.row);
        IEnumOLEVERB* verbs = nullptr;
        ASSERT_EQ(control.As<IOleObject>(IID_IOleObject)->EnumVerbs(&verbs), S_OK);
        std::vector<LONG> seen;
        OLEVERB verb = {};
        ULONG fetched = 0;
        while (verbs->Next(1, &verb, &fetched) == S_OK && fetched == 1) {
            seen.push_back(verb.lVerb);
            if (verb.lVerb == 1) {
                ASSERT_NE(verb.lpszVerbName, nullptr);
                EXPECT_EQ(std::wstring(verb.lpszVerbName), L"Properties ...");
                EXPECT_EQ(verb.grfAttribs, static_cast<DWORD>(OLEVERBATTRIB_ONCONTAINERMENU));
            } else {
                EXPECT_EQ(verb.lpszVerbName, nullptr) << verb.lVerb;
                EXPECT_EQ(verb.grfAttribs, 0u);
            }
            EXPECT_EQ(verb.fuFlags, 0u);
            CoTaskMemFree(verb.lpszVerbName);
        }
        verbs->Release();
        EXPECT_EQ(seen, expected.verbs) << "row " << expected.row;
    }

    HeldControl invisible(TestRowInvisible);
    IEnumOLEVERB* none = reinterpret_cast<IEnumOLEVERB*>(1);
    EXPECT_EQ(invisible.As<IOleObject>(IID_IOleObject)->EnumVerbs(&none), OLEOBJ_E_NOVERBS);
    EXPECT_EQ(none, nullptr);
}

TEST_F(OleObjectTest, MiscStatusIsTheRowsForTheContentAspectOnly)
{
    const struct {
        int row;
        DWORD misc;
    } rows[] = {
        {TestRowButtonLike, 0x20191}, {TestRowFrameLike, 0x32191}, {TestRowPanelLike, 0x3A191},
        {TestRowRibbonLike, 0x22191}, {TestRowCommandLike, 0x21191},
    };
    for (const auto& row : rows) {
        HeldControl control(row.row);
        IOleObject* object = control.As<IOleObject>(IID_IOleObject);
        DWORD misc = 0;
        EXPECT_EQ(object->GetMiscStatus(DVASPECT_CONTENT, &misc), S_OK);
        EXPECT_EQ(misc, row.misc) << "row " << row.row;
        EXPECT_EQ(object->GetMiscStatus(DVASPECT_ICON, &misc), DV_E_DVASPECT);
    }
}

TEST_F(OleObjectTest, DoVerbResults)
{
    const struct {
        LONG verb;
        HRESULT result;
        bool pagesShown;
        bool activeAfter;
    } cases[] = {
        {OLEIVERB_PRIMARY, S_OK, true, false},
        {OLEIVERB_PROPERTIES, S_OK, true, false},
        {1, S_OK, true, false},
        {OLEIVERB_OPEN, E_NOTIMPL, false, false},
        {-6, E_NOTIMPL, false, false},
        {-100, E_NOTIMPL, false, false},
        {OLEIVERB_INPLACEACTIVATE, S_OK, false, true},
        {OLEIVERB_SHOW, S_OK, false, true},
        {OLEIVERB_HIDE, S_OK, false, false},
        // A verb the control does not know activates it as the primary verb would, and says so.
        {2, OLEOBJ_S_INVALIDVERB, false, true},
    };
    for (const auto& c : cases) {
        RecordingContainer container;
        HeldControl control(TestRowWindowedOnly);
        IOleObject* object = control.As<IOleObject>(IID_IOleObject);
        ASSERT_EQ(object->SetClientSite(&container), S_OK);
        EXPECT_EQ(object->DoVerb(c.verb, nullptr, &container, 0, container.Window(), nullptr), c.result) << c.verb;
        EXPECT_EQ(container.CountCalls("ShowPropertyFrame") == 1, c.pagesShown) << c.verb;
        EXPECT_EQ((control->StateFlags() & OleControl::StateInPlaceActive) != 0, c.activeAfter) << c.verb;
        EXPECT_EQ(object->Close(OLECLOSE_NOSAVE), S_OK);
        EXPECT_EQ(object->SetClientSite(nullptr), S_OK);
    }
}

TEST_F(OleObjectTest, HideVerbLeavesTheControlActiveButHidden)
{
    RecordingContainer container;
    HeldControl control(TestRowWindowedOnly);
    IOleObject* object = control.As<IOleObject>(IID_IOleObject);
    ASSERT_EQ(object->SetClientSite(&container), S_OK);
    ASSERT_EQ(object->DoVerb(OLEIVERB_UIACTIVATE, nullptr, &container, 0, container.Window(), nullptr), S_OK);
    ASSERT_TRUE(GetWindowLongA(control->ControlWindow(), GWL_STYLE) & WS_VISIBLE);
    EXPECT_EQ(object->DoVerb(OLEIVERB_HIDE, nullptr, &container, 0, container.Window(), nullptr), S_OK);
    EXPECT_FALSE(GetWindowLongA(control->ControlWindow(), GWL_STYLE) & WS_VISIBLE);
    EXPECT_EQ(control->StateFlags() & (OleControl::StateUIActive | OleControl::StateShown), 0u);
    EXPECT_EQ(object->Close(OLECLOSE_NOSAVE), S_OK);
    EXPECT_EQ(object->SetClientSite(nullptr), S_OK);
}

// QACONTAINER as far as pBindHost: 56 bytes in the shipped 32-bit build.
constexpr ULONG OldContainerSize = offsetof(QACONTAINER, pBindHost) + sizeof(IBindHost*);
#if defined(__i386__)
static_assert(OldContainerSize == 56, "an old QACONTAINER is 56 bytes");
#endif

TEST_F(OleObjectTest, QuickActivateTakesAnOldContainerAndRefusesAShorterOne)
{
    RecordingContainer container;
    CountingEventSink events;
    CountingPropertyNotifySink notify;
    CountingAdviseSink advise;
    {
        HeldControl control;
        IQuickActivate* quick = control.As<IQuickActivate>(IID_IQuickActivate);
        QACONTAINER info = {};
        info.pClientSite = &container;
        info.pAdviseSink = &advise;
        info.pPropertyNotifySink = &notify;
        info.pUnkEventSink = &events;
        info.dwAmbientFlags = QACONTAINER_MESSAGEREFLECT;
        info.lcid = 0x0409;
        QACONTROL answer = {};
        answer.cbSize = sizeof(answer);

        // One pointer short of the old size (52 bytes in the 32-bit build): nothing is taken.
        info.cbSize = OldContainerSize - sizeof(IBindHost*);
        EXPECT_EQ(quick->QuickActivate(&info, &answer), E_UNEXPECTED);
        EXPECT_EQ(control->ClientSite(), nullptr);
        info.cbSize = OldContainerSize;
        answer.cbSize = sizeof(answer) - 4;
        EXPECT_EQ(quick->QuickActivate(&info, &answer), E_UNEXPECTED);
        EXPECT_EQ(quick->QuickActivate(nullptr, &answer), E_UNEXPECTED);
        EXPECT_EQ(control->ClientSite(), nullptr);

        answer.cbSize = sizeof(answer);
        ASSERT_EQ(quick->QuickActivate(&info, &answer), S_OK);
        EXPECT_EQ(control->ClientSite(), static_cast<IOleClientSite*>(&container));
        EXPECT_EQ(answer.dwMiscStatus, 0x20191u);
        EXPECT_EQ(answer.dwViewStatus, static_cast<DWORD>(VIEWSTATUS_OPAQUE));
        EXPECT_EQ(answer.dwPointerActivationPolicy, 0u);
        EXPECT_NE(answer.dwEventCookie, 0u);
        EXPECT_NE(answer.dwPropNotifyCookie, 0u);
        EXPECT_GT(events.references, 0u);
        EXPECT_GT(notify.references, 0u);
        EXPECT_EQ(advise.references, 1u);
        EXPECT_EQ(LibraryLocale::Current(), 0x0409u);
        EXPECT_EQ(control->AmbientFlags() & (OleControl::AmbientContainerReflects | OleControl::AmbientMessageReflectRead),
                  OleControl::AmbientContainerReflects | OleControl::AmbientMessageReflectRead);

        // Content extent goes through the object's extent.
        SIZEL size = {2540, 1270};
        EXPECT_EQ(quick->SetContentExtent(&size), S_OK);
        SIZEL back = {};
        EXPECT_EQ(quick->GetContentExtent(&back), S_OK);
        EXPECT_EQ(back.cx, 2540);
        EXPECT_EQ(back.cy, 1270);
        control.As<IOleObject>(IID_IOleObject)->SetClientSite(nullptr);
    }
    LibraryLocale::Forget();
    // The control let every sink go when it was destroyed.
    EXPECT_EQ(events.references, 0u);
    EXPECT_EQ(notify.references, 0u);
    EXPECT_EQ(advise.references, 0u);
}

// A container that quick-activates without sinks gets zero cookies, and its teardown unadvises
// whatever cookies it holds: the zero ones are no failure and leave real connections alone.
TEST_F(OleObjectTest, QuickActivateWithoutSinksLeavesCookiesThatUnadviseCleanly)
{
    RecordingContainer container;
    CountingEventSink events;
    {
        HeldControl control;
        QACONTAINER info = {};
        info.cbSize = sizeof(info);
        info.pClientSite = &container;
        QACONTROL answer = {};
        answer.cbSize = sizeof(answer);
        ASSERT_EQ(control.As<IQuickActivate>(IID_IQuickActivate)->QuickActivate(&info, &answer), S_OK);
        EXPECT_EQ(answer.dwEventCookie, 0u);
        EXPECT_EQ(answer.dwPropNotifyCookie, 0u);

        IConnectionPointContainer* points = control.As<IConnectionPointContainer>(IID_IConnectionPointContainer);
        IConnectionPoint* eventPoint = nullptr;
        IConnectionPoint* notifyPoint = nullptr;
        ASSERT_EQ(points->FindConnectionPoint(IID_IDispatch, &eventPoint), S_OK);
        ASSERT_EQ(points->FindConnectionPoint(IID_IPropertyNotifySink, &notifyPoint), S_OK);
        DWORD later = 0;
        ASSERT_EQ(eventPoint->Advise(&events, &later), S_OK);
        EXPECT_EQ(eventPoint->Unadvise(answer.dwEventCookie), S_OK);
        EXPECT_EQ(notifyPoint->Unadvise(answer.dwPropNotifyCookie), S_OK);
        EXPECT_GT(events.references, 0u) << "the real connection is still there";
        EXPECT_EQ(eventPoint->Unadvise(later), S_OK);
        EXPECT_EQ(events.references, 0u);
        eventPoint->Release();
        notifyPoint->Release();
        control.As<IOleObject>(IID_IOleObject)->SetClientSite(nullptr);
    }
    LibraryLocale::Forget();
}

// A sink that answers no interface but IUnknown: every connection point refuses it.
class RefusedSink final : public IUnknown {
public:
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        *out = iid == IID_IUnknown ? this : nullptr;
        return *out != nullptr ? S_OK : E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
};

TEST_F(OleObjectTest, AFailedQuickActivateLeavesNoConnectionBehind)
{
    enum Failing { PropertyNotify, Events, ControlsOwnStep };
    for (Failing failing : {PropertyNotify, Events, ControlsOwnStep}) {
        SCOPED_TRACE(static_cast<int>(failing));
        RecordingContainer container;
        CountingEventSink events;
        CountingPropertyNotifySink notify;
        CountingAdviseSink advise;
        RefusedSink refused;
        HeldControl control;
        IQuickActivate* quick = control.As<IQuickActivate>(IID_IQuickActivate);
        QACONTAINER info = {};
        info.cbSize = sizeof info;
        info.pClientSite = &container;
        info.pAdviseSink = &advise;
        info.pPropertyNotifySink = failing == PropertyNotify ? reinterpret_cast<IPropertyNotifySink*>(&refused) : &notify;
        info.pUnkEventSink = failing == Events ? static_cast<IUnknown*>(&refused) : &events;
        if (failing == ControlsOwnStep)
            control->quickActivateAnswer = E_FAIL;
        QACONTROL answer = {};
        answer.cbSize = sizeof answer;
        EXPECT_TRUE(FAILED(quick->QuickActivate(&info, &answer)));
        EXPECT_EQ(events.references, 0u);
        EXPECT_EQ(notify.references, 0u);
        EXPECT_EQ(advise.references, 0u);
        EXPECT_EQ(answer.dwEventCookie, 0u);
        EXPECT_EQ(answer.dwPropNotifyCookie, 0u);
        // Neither connection point has a connection a container falling back would add to.
        ComReference<IConnectionPointContainer> points;
        ASSERT_EQ(control.As<IOleObject>(IID_IOleObject)->QueryInterface(IID_IConnectionPointContainer, points.OutVoid()), S_OK);
        ComReference<IEnumConnectionPoints> all;
        ASSERT_EQ(points->EnumConnectionPoints(all.Out()), S_OK);
        for (;;) {
            ComReference<IConnectionPoint> point;
            if (all->Next(1, point.Out(), nullptr) != S_OK)
                break;
            ComReference<IEnumConnections> connections;
            ASSERT_EQ(point->EnumConnections(connections.Out()), S_OK);
            CONNECTDATA made = {};
            EXPECT_EQ(connections->Next(1, &made, nullptr), S_FALSE);
            if (made.pUnk != nullptr)
                made.pUnk->Release();
        }
        control.As<IOleObject>(IID_IOleObject)->SetClientSite(nullptr);
    }
}

TEST_F(OleObjectTest, ClassInfoComesFromTheRegisteredTypeLibrary)
{
    HeldControl control;
    ITypeInfo* info = nullptr;
    ASSERT_EQ(control.As<IProvideClassInfo>(IID_IProvideClassInfo)->GetClassInfo(&info), S_OK);
    TYPEATTR* attributes = nullptr;
    ASSERT_EQ(info->GetTypeAttr(&attributes), S_OK);
    EXPECT_TRUE(IsEqualGUID(attributes->guid, CLSID_TestControl));
    EXPECT_EQ(attributes->typekind, TKIND_COCLASS);
    info->ReleaseTypeAttr(attributes);
    info->Release();

    // A class the library does not describe: the lookup's failure, unchanged.
    HeldControl other(TestRowWindowedOnly);
    info = reinterpret_cast<ITypeInfo*>(1);
    EXPECT_EQ(other.As<IProvideClassInfo>(IID_IProvideClassInfo)->GetClassInfo(&info), TYPE_E_ELEMENTNOTFOUND);
    EXPECT_EQ(info, nullptr);
}

TEST_F(OleObjectTest, PropertyPagesInDescriptorOrder)
{
    HeldControl control;
    CAUUID pages = {};
    ASSERT_EQ(control.As<ISpecifyPropertyPages>(IID_ISpecifyPropertyPages)->GetPages(&pages), S_OK);
    ASSERT_EQ(pages.cElems, 3u);
    const GUID* const expected = ObjectDescriptorTable::Control(TestRowButtonLike)->propertyPages[0];
    EXPECT_TRUE(IsEqualGUID(pages.pElems[0], *expected));
    const GUID last = {0x2DCD3760, 0x2E8B, 0x11D0, {0x81, 0x7A, 0x00, 0x00, 0xC0, 0xFC, 0xE2, 0xB7}};
    EXPECT_TRUE(IsEqualGUID(pages.pElems[2], last));
    CoTaskMemFree(pages.pElems);

    HeldControl none(TestRowInvisible);
    ASSERT_EQ(none.As<ISpecifyPropertyPages>(IID_ISpecifyPropertyPages)->GetPages(&pages), S_OK);
    EXPECT_EQ(pages.cElems, 0u);
    EXPECT_EQ(pages.pElems, nullptr);
}

TEST_F(OleObjectTest, SimpleInformationMethods)
{
    HeldControl control(TestRowFrameLike);
    IOleObject* object = control.As<IOleObject>(IID_IOleObject);
    LPOLESTR name = nullptr;
    ASSERT_EQ(object->GetUserType(USERCLASSTYPE_FULL, &name), S_OK);
    EXPECT_EQ(std::wstring(name), L"TestFrame");
    CoTaskMemFree(name);

    SIZEL size = {};
    EXPECT_EQ(object->GetExtent(DVASPECT_ICON, &size), DV_E_DVASPECT);
    ASSERT_EQ(object->GetExtent(DVASPECT_CONTENT, &size), S_OK);
    SIZEL pixels = {OleControl::DefaultWidth, OleControl::DefaultHeight};
    SIZEL expected = {};
    PixelsToHimetric(&pixels, &expected);
    EXPECT_EQ(size.cx, expected.cx);
    EXPECT_EQ(size.cy, expected.cy);

    IEnumSTATDATA* advise = reinterpret_cast<IEnumSTATDATA*>(1);
    EXPECT_EQ(object->EnumAdvise(&advise), E_FAIL);
    EXPECT_EQ(advise, nullptr);
    IDataObject* data = reinterpret_cast<IDataObject*>(1);
    EXPECT_EQ(object->GetClipboardData(0, &data), E_NOTIMPL);
    EXPECT_EQ(data, nullptr);

    DWORD policy = 1;
    EXPECT_EQ(control.As<IPointerInactive>(IID_IPointerInactive)->GetActivationPolicy(&policy), S_OK);
    EXPECT_EQ(policy, 0u);

    CONTROLINFO info = {};
    info.cAccel = 5;
    EXPECT_EQ(control.As<IOleControl>(IID_IOleControl)->GetControlInfo(&info), S_OK);
    EXPECT_EQ(info.cAccel, 0);
    EXPECT_EQ(info.hAccel, nullptr);
}

// Close asks the site to save a dirty control and tells the advise holder of the save; what the site
// answers does not change Close's answer, since by then the control is already deactivated.
TEST_F(OleObjectTest, CloseSavesOnlyWhenDirtyAndAnswersSOkWhateverTheSiteSays)
{
    const struct {
        DWORD option;
        bool dirty;
        bool withSite;
        bool active;
        HRESULT saveAnswer;
        int saves;
    } cases[] = {
        {OLECLOSE_SAVEIFDIRTY, true, true, false, S_OK, 1},
        {OLECLOSE_PROMPTSAVE, true, true, false, S_OK, 1},
        {OLECLOSE_NOSAVE, true, true, false, S_OK, 0},
        {OLECLOSE_SAVEIFDIRTY, false, true, false, S_OK, 0},
        // A site that cannot save, or does not: the save was asked for all the same.
        {OLECLOSE_SAVEIFDIRTY, true, true, false, E_NOTIMPL, 1},
        {OLECLOSE_SAVEIFDIRTY, true, true, true, E_FAIL, 1},
        {OLECLOSE_PROMPTSAVE, true, true, true, E_ACCESSDENIED, 1},
        // Nothing to save to without a site.
        {OLECLOSE_SAVEIFDIRTY, true, false, false, S_OK, 0},
    };
    for (const auto& c : cases) {
        const std::string what = "option " + std::to_string(c.option) + ", site answers " + std::to_string(c.saveAnswer);
        RecordingContainer container;
        container.options.offerWindowless = false;
        container.options.saveObject = c.saveAnswer;
        HeldControl control;
        IOleObject* object = control.As<IOleObject>(IID_IOleObject);
        CountingAdviseSink adviseSink;
        DWORD connection = 0;
        ASSERT_EQ(object->Advise(&adviseSink, &connection), S_OK);
        if (c.withSite) {
            ASSERT_EQ(object->SetClientSite(&container), S_OK);
        }
        if (c.active) {
            ASSERT_EQ(object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &container, 0, container.Window(), nullptr),
                      S_OK);
            ASSERT_NE(control->ControlWindow(), nullptr);
        }
        const HWND window = control->ControlWindow();
        control->SetDirty(c.dirty);
        EXPECT_EQ(object->Close(c.option), S_OK) << what;
        EXPECT_EQ(container.CountCalls("SaveObject"), c.saves) << what;
        EXPECT_EQ(adviseSink.saves, c.saves) << what << ": the advise holder hears of the save";
        EXPECT_EQ(control->StateFlags() & OleControl::StateInPlaceActive, 0u) << what;
        EXPECT_EQ(control->ControlWindow(), nullptr) << what;
        if (window != nullptr) {
            EXPECT_FALSE(IsWindow(window)) << what;
        }
        EXPECT_EQ(object->Unadvise(connection), S_OK);
        object->SetClientSite(nullptr);
        EXPECT_EQ(adviseSink.references, 0u) << what;
    }
}

// A client site that lets go of another site when it is destroyed, to see the order in which a
// control takes a new site and drops the old one.
class OwningSite final : public IOleClientSite {
public:
    OwningSite(bool* alive, IOleClientSite* owned) : alive_(alive), owned_(owned) { *alive_ = true; }
    STDMETHODIMP QueryInterface(REFIID riid, void** object) override
    {
        *object = nullptr;
        if (riid != IID_IUnknown && riid != IID_IOleClientSite)
            return E_NOINTERFACE;
        *object = this;
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++count_; }
    STDMETHODIMP_(ULONG) Release() override
    {
        if (--count_ != 0)
            return count_;
        *alive_ = false;
        if (owned_ != nullptr)
            owned_->Release();
        delete this;
        return 0;
    }
    STDMETHODIMP SaveObject() override { return S_OK; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
    STDMETHODIMP GetContainer(IOleContainer**) override { return E_NOINTERFACE; }
    STDMETHODIMP ShowObject() override { return S_OK; }
    STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
    STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }

private:
    ULONG count_ = 1;
    bool* alive_;
    IOleClientSite* owned_;
};

TEST_F(OleObjectTest, NewSiteIsTakenBeforeTheOldOneIsReleased)
{
    bool newAlive = false;
    bool oldAlive = false;
    auto* newSite = new OwningSite(&newAlive, nullptr);
    // The old site holds the only reference to the new one once the caller lets go.
    auto* oldSite = new OwningSite(&oldAlive, newSite);
    HeldControl control;
    IOleObject* object = control.As<IOleObject>(IID_IOleObject);
    ASSERT_EQ(object->SetClientSite(oldSite), S_OK);
    oldSite->Release();
    ASSERT_TRUE(oldAlive);
    ASSERT_EQ(object->SetClientSite(newSite), S_OK);
    EXPECT_FALSE(oldAlive);
    ASSERT_TRUE(newAlive);
    IOleClientSite* held = nullptr;
    ASSERT_EQ(object->GetClientSite(&held), S_OK);
    EXPECT_EQ(held, newSite);
    held->Release();
    ASSERT_EQ(object->SetClientSite(nullptr), S_OK);
    EXPECT_FALSE(newAlive);
}

TEST_F(OleObjectTest, NewSiteIsAskedAgainForItsAmbients)
{
    RecordingContainer designer;
    designer.SetAmbientBool(DISPID_AMBIENT_USERMODE, false);
    RecordingContainer runner;
    runner.SetAmbientBool(DISPID_AMBIENT_USERMODE, true);
    HeldControl control;
    IOleObject* object = control.As<IOleObject>(IID_IOleObject);
    ASSERT_EQ(object->SetClientSite(&designer), S_OK);
    EXPECT_TRUE(control->DesignMode());
    EXPECT_TRUE(control->DesignMode());
    EXPECT_EQ(designer.CountCalls("Ambient(-709)"), 1) << "the answer is kept";

    ASSERT_EQ(object->SetClientSite(&runner), S_OK);
    EXPECT_FALSE(control->DesignMode());
    EXPECT_EQ(runner.CountCalls("Ambient(-709)"), 1);

    // A changed ambient is read again.
    runner.SetAmbientBool(DISPID_AMBIENT_USERMODE, false);
    EXPECT_EQ(control.As<IOleControl>(IID_IOleControl)->OnAmbientPropertyChange(DISPID_AMBIENT_USERMODE), S_OK);
    EXPECT_TRUE(control->DesignMode());

    // Without a site, or without the ambient, the control counts as running and keeps asking.
    ASSERT_EQ(object->SetClientSite(nullptr), S_OK);
    EXPECT_FALSE(control->DesignMode());
    RecordingContainer silent;
    ASSERT_EQ(object->SetClientSite(&silent), S_OK);
    EXPECT_FALSE(control->DesignMode());
    EXPECT_FALSE(control->DesignMode());
    EXPECT_EQ(silent.CountCalls("Ambient(-709)"), 2);
    ASSERT_EQ(object->SetClientSite(nullptr), S_OK);
}

TEST_F(OleObjectTest, FreezeEventsHoldsNothingBack)
{
    CountingEventSink events;
    {
        HeldControl control;
        IConnectionPointContainer* points = control.As<IConnectionPointContainer>(IID_IConnectionPointContainer);
        IConnectionPoint* point = nullptr;
        ASSERT_EQ(points->FindConnectionPoint(DIID_DTestControlEvents, &point), S_OK);
        DWORD cookie = 0;
        ASSERT_EQ(point->Advise(&events, &cookie), S_OK);
        EXPECT_EQ(control.As<IOleControl>(IID_IOleControl)->FreezeEvents(TRUE), S_OK);
        static const EventDescriptor ping = {1, 0, nullptr};
        control->FireEvent(&ping);
        EXPECT_EQ(events.events, std::vector<DISPID>{1});
        point->Unadvise(cookie);
        point->Release();
    }
    EXPECT_EQ(events.references, 0u);
}

} // namespace
