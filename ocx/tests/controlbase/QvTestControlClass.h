// The control base tests' own control: the smallest class that stands on the common base. It exposes
// the shared interface as its dual interface, paints its rectangle in its back colour and persists
// nothing of its own, so that everything a test sees is the common level's. Its object table row
// makes it creatable by the test programs and by the tests' own control library.
#pragma once
#include "IQvBase.h"
#include "IQvBaseMembers.h"

// The colour of the 2 x 2 pixel mark the test control draws one pixel inside its top left corner,
// over its background (BackColor, or what lies under a transparent control).
extern const COLORREF QvTestMarkColor;

class QvTestControl : public plyx::IQvBase, public ::IQvBase {
public:
    QvTestControl();

    // A new control with one reference on its private unknown.
    static QvTestControl* Create();

    DECLARE_DELEGATING_UNKNOWN()
    DECLARE_AUTOMATION_DISPATCH(plyx::IQvBase)
    DECLARE_QVBASE_MEMBERS(plyx::IQvBase)

    HRESULT InternalQueryInterface(REFIID riid, void** object) override;
    HRESULT OnDraw(DWORD aspect, HDC dc, const RECT* bounds, const RECT* metafileBounds, HDC targetDC,
                   BOOL optimise) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL RegisterClassData() override;
};

