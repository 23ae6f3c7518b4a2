// The command button: a push button that clicks when released over itself, pressed also by the space
// key, drawn as the container's default button when it says so, clicked by its mnemonic, and, with
// AutoRepeat, clicking again and again while it is held.
#pragma once
#include "IQvBaseMembers.h"
#include "IQvButtonBase.h"
#include "IQvButtonBaseMembers.h"

namespace plyx {

class QvCommand : public plyx::IQvButtonBase, public ::IQvCommand {
public:
    static constexpr DISPID DispidAutoRepeat = 55;
    // The first repeat comes after the button was held this long, the others at the second interval.
    static constexpr UINT FirstRepeatDelay = 500;
    static constexpr UINT RepeatInterval = 100;

    // options
    static constexpr BYTE OptionAutoRepeat = 0x01;
    // state
    static constexpr BYTE StateValue = 0x01;
    static constexpr BYTE StateFirstRepeatPending = 0x02;

    explicit QvCommand(IUnknown* outer);
    ~QvCommand() override;

    DECLARE_DELEGATING_UNKNOWN()
    DECLARE_AUTOMATION_DISPATCH(plyx::IQvButtonBase)
    DECLARE_QVBASE_MEMBERS(plyx::IQvButtonBase)
    DECLARE_QVBUTTONBASE_MEMBERS(plyx::IQvButtonBase)

    // ---- Framework hooks ----
    HRESULT InternalQueryInterface(REFIID riid, void** object) override;
    void BeforeDestroy() override;
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
    void OnPress() override;
    bool IsCommandButton() const override { return true; }
    bool IsDown() const override { return (state_ & StateValue) != 0; }

    // ---- IQvButtonBase / IQvCommand ----
    STDMETHOD(get_Value)(VARIANT_BOOL* value) override;
    STDMETHOD(put_Value)(VARIANT_BOOL value) override;
    STDMETHOD(get_AutoRepeat)(VARIANT_BOOL* value) override;
    STDMETHOD(put_AutoRepeat)(VARIANT_BOOL value) override;
    STDMETHOD(DoClick)() override;

    // The mnemonic of the caption was pressed: after the framework's handling an enabled button clicks.
    void OnMnemonic(MSG* message) override;

    BYTE Options() const { return options_; }
    UINT_PTR RepeatTimer() const { return repeatTimer_; }

private:
    static void CALLBACK RepeatTick(HWND window, UINT message, UINT_PTR id, DWORD time);
    void StartRepeat(UINT interval);
    void StopRepeat();
    // One tick of this button's repeat timer.
    void Repeat(UINT_PTR id);

    UINT_PTR repeatTimer_ = 0;
    BYTE options_ = 0;
    BYTE state_ = StateFirstRepeatPending;
};

} // namespace plyx
