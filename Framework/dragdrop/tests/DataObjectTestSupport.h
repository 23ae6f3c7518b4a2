// What the data object tests share: a stand-in for the control that owns a drag, calls by name as a
// late-bound host makes them, and checks of the error information a call leaves.
#pragma once
#include "AutomationObject.h"
#include "ComReference.h"
#include "DragDropOwner.h"
#include "PlyxTestObjectTable.h"

#include <Plyx.h>

#include <functional>
#include <string>
#include <vector>

// The control whose drag or drop it is: raises the drag-and-drop errors as its own and lets a test
// play the host's OLESetData handler.
class OwnerStandIn final : public DragDropOwner {
public:
    OwnerStandIn();
    ~OwnerStandIn();

    HRESULT RaiseError(int number) override;
    void FireOLESetData(IQvDataObject** data, short* format) override;
    IUnknown* Control() override;

    std::function<void(IQvDataObject*, short)> onSetData;
    int setDataEvents = 0;
    // The control the data objects made from now on hold instead of the stand-in (not held here).
    IUnknown* controlInstead = nullptr;

private:
    class ControlStandIn;
    ControlStandIn* control_;
};

// The result of a late-bound call: its HRESULT, its return value and the exception it reported.
struct CallResult {
    HRESULT hr = S_OK;
    VARIANT value;
    EXCEPINFO exception{};
    CallResult();
    ~CallResult();
    CallResult(const CallResult&) = delete;
    CallResult(CallResult&& other) noexcept;
    std::wstring Description() const;
    HRESULT Code() const { return exception.scode; }
};

// Calls member `name` of the object through IDispatch: the DISPID from GetIDsOfNames, then Invoke with
// the arguments in their written order.
CallResult CallByName(IUnknown* object, const wchar_t* name, WORD flags, std::vector<VARIANT> arguments = {});

VARIANT Text(const wchar_t* text);         // a BSTR VARIANT (the caller's CallByName clears nothing)
VARIANT Number(short value);
VARIANT Long(LONG value);
VARIANT Missing();
VARIANT Object(IUnknown* object);
VARIANT Bytes(const std::vector<unsigned char>& bytes);

// Releases the VARIANTs made for one call.
void ClearArguments(std::vector<VARIANT>& arguments);

// The error information the thread holds, taken (and cleared) from it.
struct ErrorInfoFacts {
    bool present = false;
    GUID guid{};
    std::wstring source;
    std::wstring description;
    DWORD helpContext = 0;
};
ErrorInfoFacts TakeErrorInfo();
