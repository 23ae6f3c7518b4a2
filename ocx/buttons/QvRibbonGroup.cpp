// The ribbon's group: finding the other ribbons of a group number, putting them up when one goes
// down, and keeping their GroupAllowAllUp alike. A container that enumerates its controls is asked
// for the siblings, which are then read and written by name (so their own puts run and fire their
// Click); otherwise the sibling windows that carry the group's window property get the private
// messages. Writes to siblings never run under the library lock: the member list is taken first and
// the siblings are called afterwards, so that a host's Click handler may do anything.
#include "QvRibbon.h"

#include "DispatchByName.h"
#include "LibraryLock.h"

namespace plyx {

// The container's control enumeration: its first own method takes OLECONTF flags and a selector.
// (Declared outside the unnamed namespace: an interface only the container implements must not look
// to the compiler like a class without implementations.)
struct DECLSPEC_NOVTABLE ContainerControlEnumeration : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE EnumControls(DWORD containerFlags, DWORD selector, IEnumUnknown** controls) = 0;
};

namespace {
// {40A050A0-3C31-101B-A82E-08002B2B2337}
const IID IID_ContainerControlEnumeration = {0x40A050A0, 0x3C31, 0x101B,
                                             {0xA8, 0x2E, 0x08, 0x00, 0x2B, 0x2B, 0x23, 0x37}};
// OLECONTF_EMBEDDINGS | OLECONTF_OTHERS | OLECONTF_ONLYUSER | OLECONTF_ONLYIFRUNNING
constexpr DWORD SiblingContainerFlags = 29;
constexpr DWORD SiblingSelector = 1;

// Raised (counted) while a ribbon writes to a sibling through the container.
int g_groupUpdates = 0;

bool ReadShortByName(IUnknown* control, const wchar_t* name, short* value)
{
    VARIANT result;
    VariantInit(&result);
    if (!DispatchGetByName(control, name, &result))
        return false;
    const bool read = SUCCEEDED(VariantChangeType(&result, &result, 0, VT_I2));
    if (read)
        *value = result.iVal;
    VariantClear(&result);
    return read;
}

bool SameObject(IUnknown* left, IUnknown* right)
{
    if (left == nullptr || right == nullptr)
        return false;
    ComReference<IUnknown> leftIdentity;
    ComReference<IUnknown> rightIdentity;
    if (FAILED(left->QueryInterface(IID_IUnknown, leftIdentity.OutVoid())) ||
        FAILED(right->QueryInterface(IID_IUnknown, rightIdentity.OutVoid())))
        return false;
    return leftIdentity.Get() == rightIdentity.Get();
}

} // namespace

bool RibbonGroupUpdateInProgress()
{
    LibraryLock::Scope lock;
    return g_groupUpdates != 0;
}

QvRibbon::GroupMembers::~GroupMembers()
{
    for (IUnknown* control : controls)
        control->Release();
}

bool QvRibbon::EnumerateContainerMembers(short group, GroupMembers* members)
{
    if (ControlSite() == nullptr)
        return false;
    ComReference<IDispatch> extended;
    if (FAILED(ControlSite()->GetExtendedControl(extended.Out())) || !extended)
        return false;
    members->containerRoute = true;
    ComReference<ContainerControlEnumeration> enumeration;
    ComReference<IEnumUnknown> controls;
    if (FAILED(extended->QueryInterface(IID_ContainerControlEnumeration, enumeration.OutVoid())) ||
        FAILED(enumeration->EnumControls(SiblingContainerFlags, SiblingSelector, controls.Out())) || !controls) {
        members->containerFailed = true;
        return true;
    }
    controls->Reset();
    for (;;) {
        IUnknown* control = nullptr;
        ULONG fetched = 0;
        if (controls->Next(1, &control, &fetched) != S_OK || fetched != 1 || control == nullptr)
            break;
        short allowAllUp = 0;
        short number = 0;
        const bool itself = SameObject(control, extended.Get()) || OleControl::FromUnknown(control) == this;
        if (!itself && ReadShortByName(control, L"groupallowallup", &allowAllUp) &&
            ReadShortByName(control, L"groupnumber", &number) && number == group)
            members->controls.push_back(control);
        else
            control->Release();
    }
    return true;
}

void QvRibbon::FindWindowMembers(short group, GroupMembers* members)
{
    HWND own = ControlWindow();
    if (own == nullptr)
        return;
    const UINT directions[] = {GW_HWNDPREV, GW_HWNDNEXT};
    for (UINT direction : directions)
        for (HWND sibling = GetWindow(own, direction); sibling != nullptr; sibling = GetWindow(sibling, direction))
            if (reinterpret_cast<INT_PTR>(GetPropA(sibling, RibbonGroupProperty)) == group)
                members->windows.push_back(sibling);
}

void QvRibbon::FindGroupMembers(short group, GroupMembers* members)
{
    if (!EnumerateContainerMembers(group, members))
        FindWindowMembers(group, members);
}

void QvRibbon::PutOnSibling(IUnknown* control, const wchar_t* name, VARIANT_BOOL value)
{
    {
        LibraryLock::Scope lock;
        ++g_groupUpdates;
    }
    VARIANT argument;
    VariantInit(&argument);
    argument.vt = VT_BOOL;
    argument.boolVal = value;
    DispatchPutByName(control, name, argument);
    {
        LibraryLock::Scope lock;
        --g_groupUpdates;
    }
}

void QvRibbon::ReleaseGroup(short group)
{
    if (group == 0)
        return;
    GroupMembers members = {};
    FindGroupMembers(group, &members);
    if (members.containerRoute && !members.containerFailed) {
        for (IUnknown* control : members.controls)
            PutOnSibling(control, L"Value", VARIANT_FALSE);
        return;
    }
    if (members.containerFailed)
        FindWindowMembers(group, &members);
    for (HWND window : members.windows)
        SendMessageA(window, QVM_SETGROUPVALUE, 0, 0);
}

void QvRibbon::SetGroupAllowAllUp(short group, VARIANT_BOOL value)
{
    if (group == 0)
        return;
    GroupMembers members = {};
    FindGroupMembers(group, &members);
    if (members.containerRoute) {
        for (IUnknown* control : members.controls)
            PutOnSibling(control, L"groupallowallup", value);
        return;
    }
    for (HWND window : members.windows)
        SendMessageA(window, QVM_SETGROUPALLOWALLUP, static_cast<WPARAM>(static_cast<WORD>(value)), 0);
}

int QvRibbon::GetGroupAllowAllUp(short group)
{
    if (group == 0)
        return NoGroupAnswer;
    GroupMembers members = {};
    FindGroupMembers(group, &members);
    if (members.containerRoute) {
        short value = 0;
        if (members.controls.empty() || !ReadShortByName(members.controls.front(), L"groupallowallup", &value))
            return NoGroupAnswer;
        return value;
    }
    if (members.windows.empty())
        return NoGroupAnswer;
    return static_cast<short>(SendMessageA(members.windows.front(), QVM_GETGROUPALLOWALLUP, 0, 0));
}

} // namespace plyx
