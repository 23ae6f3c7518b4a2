// The toggle button: a push button that stays down after a click until it is clicked again. Ribbons
// of one group number release each other, so that at most one of them is down (or exactly one, when
// the group does not allow all up). The members of a group are found through the container's
// control enumeration, or, where the container offers none, among the sibling windows.
#pragma once
#include "IQvBaseMembers.h"
#include "IQvButtonBase.h"
#include "IQvButtonBaseMembers.h"

#include <vector>

namespace plyx {

#pragma pack(push, 1)
struct RibbonStateBlock {
    static constexpr BYTE ValueDown = 0x01;

    short groupNumber;
    short groupAllowAllUp;
    short pictureDnChange;
    BYTE flags;
    BYTE unused;
};
#pragma pack(pop)
static_assert(sizeof(RibbonStateBlock) == 8, "the ribbon block is stored as 8 bytes");

// The private messages between the ribbons of one group.
constexpr UINT QVM_SETGROUPVALUE = 0x500;
constexpr UINT QVM_SETGROUPALLOWALLUP = 0x501;
constexpr UINT QVM_GETGROUPALLOWALLUP = 0x502;
// The window property that holds a ribbon window's group number.
constexpr const char* RibbonGroupProperty = "QvRIOCX";
// The answer of a group query that found no member.
constexpr int NoGroupAnswer = 999;

class QvRibbon : public plyx::IQvButtonBase, public ::IQvRibbon {
public:
    static constexpr DISPID DispidGroupNumber = 24;
    static constexpr DISPID DispidGroupAllowAllUp = 25;
    static constexpr DISPID DispidPictureDnChange = 26;
    static constexpr DISPID DispidPictureUp = 29;

    explicit QvRibbon(IUnknown* outer);
    ~QvRibbon() override;

    DECLARE_DELEGATING_UNKNOWN()
    DECLARE_AUTOMATION_DISPATCH(plyx::IQvButtonBase)
    DECLARE_QVBASE_MEMBERS(plyx::IQvButtonBase)
    DECLARE_QVBUTTONBASE_MEMBERS(plyx::IQvButtonBase)

    // ---- Framework hooks ----
    HRESULT InternalQueryInterface(REFIID riid, void** object) override;
    BOOL InitializeNewState() override;
    HRESULT LoadBinaryState(IStream* stream) override;
    HRESULT SaveBinaryState(IStream* stream) override;
    HRESULT LoadTextState(IPropertyBag* bag, IErrorLog* errorLog) override;
    HRESULT SaveTextState(IPropertyBag* bag, BOOL saveAll) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL AfterCreateWindow() override;
    void BeforeDestroyWindow() override;
    BOOL RegisterClassData() override;
    HRESULT MapPropertyToCategory(DISPID dispid, PROPCAT* category) override;

    // ---- Button operations ----
    void OnClickRelease() override;
    bool IsCommandButton() const override { return false; }
    short GetPictureDnChange() const override { return state_.pictureDnChange; }
    bool IsDown() const override { return (state_.flags & RibbonStateBlock::ValueDown) != 0; }

    // ---- IQvButtonBase / IQvRibbon ----
    STDMETHOD(get_Value)(VARIANT_BOOL* value) override;
    STDMETHOD(put_Value)(VARIANT_BOOL value) override;
    STDMETHOD(get_GroupNumber)(short* value) override;
    STDMETHOD(put_GroupNumber)(short value) override;
    STDMETHOD(get_GroupAllowAllUp)(VARIANT_BOOL* value) override;
    STDMETHOD(put_GroupAllowAllUp)(VARIANT_BOOL value) override;
    STDMETHOD(get_PictureDnChange)(Constants_PictureDnChange* value) override;
    STDMETHOD(put_PictureDnChange)(Constants_PictureDnChange value) override;
    STDMETHOD(get_PictureUp)(IPictureDisp** value) override;
    STDMETHOD(put_PictureUp)(IPictureDisp* value) override;
    STDMETHOD(putref_PictureUp)(IPictureDisp* value) override;
    STDMETHOD(get_PictureDnDisabled)(IPictureDisp** value) override;
    STDMETHOD(put_PictureDnDisabled)(IPictureDisp* value) override;
    STDMETHOD(putref_PictureDnDisabled)(IPictureDisp* value) override;
    STDMETHOD(get_PictureDnDisabledFrames)(short* value) override;
    STDMETHOD(put_PictureDnDisabledFrames)(short value) override;

    // Changes Value: `fromUser` for a click or a put (which a group that does not allow all up may
    // refuse), `refresh` to restart the picture animation. True when it changed (Click was fired).
    bool SetValue(bool down, bool fromUser, bool refresh);

    const RibbonStateBlock& RibbonState() const { return state_; }

private:
    // The other ribbons of a group, through the container or among the sibling windows.
    struct GroupMembers {
        bool containerRoute;  // the container's enumeration was used
        bool containerFailed; // the container was asked and its enumeration failed
        std::vector<IUnknown*> controls; // container route: each holds one reference
        std::vector<HWND> windows;       // window route
        ~GroupMembers();
    };
    void FindGroupMembers(short group, GroupMembers* members);
    bool EnumerateContainerMembers(short group, GroupMembers* members);
    void FindWindowMembers(short group, GroupMembers* members);

    // Puts every other member of the group up.
    void ReleaseGroup(short group);
    void SetGroupAllowAllUp(short group, VARIANT_BOOL value);
    int GetGroupAllowAllUp(short group);
    // A by-name put on a sibling, with the re-entry flag raised around it.
    static void PutOnSibling(IUnknown* control, const wchar_t* name, VARIANT_BOOL value);

    // Value changed: the drawn state follows, the change is kept and announced.
    void ValueChanged();
    void ValidateRibbonBlock();
    void AfterLoad(bool stream);

    RibbonStateBlock state_ = {};
};

// The process-wide flag raised while a ribbon writes to a sibling through the container.
bool RibbonGroupUpdateInProgress();

} // namespace plyx
