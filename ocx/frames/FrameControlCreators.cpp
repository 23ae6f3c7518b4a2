// The create functions of the frame and the panel, named by the library's object table.
#include "ControlCreators.h"
#include "QvFrame.h"
#include "QvPanel.h"

#include <new>

namespace {

template <class Control>
IUnknown* CreateControl(IUnknown* outer)
{
    Control* control = new (std::nothrow) Control(outer);
    return control != nullptr ? control->PrivateUnknown() : nullptr;
}

} // namespace

IUnknown* CreateQvFrame(IUnknown* outer)
{
    return CreateControl<plyx::QvFrame>(outer);
}

IUnknown* CreateQvPanel(IUnknown* outer)
{
    return CreateControl<plyx::QvPanel>(outer);
}
