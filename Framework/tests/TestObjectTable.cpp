// The object table of the framework's test programs: one row of each kind, described by the tests'
// type library.
#include "ObjectDescriptor.h"
#include "TestWidget.h"

const CLSID TestWidgetClsid = {0x5B1E2A12, 0x7C3D, 0x4F60, {0x9A, 0x51, 0x0D, 0x3E, 0x4C, 0x2B, 0x1A, 0x01}};
const CLSID TestGadgetClsid = {0x5B1E2A20, 0x7C3D, 0x4F60, {0x9A, 0x51, 0x0D, 0x3E, 0x4C, 0x2B, 0x1A, 0x01}};
const CLSID TestPlainClsid = {0x5B1E2A21, 0x7C3D, 0x4F60, {0x9A, 0x51, 0x0D, 0x3E, 0x4C, 0x2B, 0x1A, 0x01}};

namespace {

// An interface the tests' type library does not describe.
const IID UndescribedIid = {0x5B1E2A2F, 0x7C3D, 0x4F60, {0x9A, 0x51, 0x0D, 0x3E, 0x4C, 0x2B, 0x1A, 0x01}};
const GUID TestPage = {0x5B1E2A30, 0x7C3D, 0x4F60, {0x9A, 0x51, 0x0D, 0x3E, 0x4C, 0x2B, 0x1A, 0x01}};
const GUID* const TestPages[] = {&TestPage};

ControlDescriptor WidgetRow = {
    {&TestWidgetClsid, "TestWidget", CreateTestWidget, 1, 0, &IID_ITestWidget, &DIID_DTestWidgetEvents,
     "Widget.HLP", nullptr, 0},
    0x21191,  // miscStatus
    0,        // activationPolicy
    1,        // opaque
    1,        // windowlessAllowed
    107,      // toolboxBitmapId
    "TestWidgetWndClass",
    0,        // windowClassRegistered
    1, TestPages,
    0, nullptr,
    0,        // wantsReflector
    0x6021,   // categories 0, 5, 13 and 14
    0,
};
AutomationDescriptor GadgetRow = {&TestGadgetClsid, "TestGadget", CreateTestGadget, 1, 0, &IID_ITestWidget,
                                  nullptr, nullptr, nullptr, 0};
AutomationDescriptor HiddenRow = {nullptr, "TestHidden", CreateTestHidden, 1, 0, &UndescribedIid,
                                  nullptr, nullptr, nullptr, 0};
AutomationDescriptor PlainRow = {&TestPlainClsid, "TestPlain", nullptr, 1, 0, &UndescribedIid,
                                 nullptr, nullptr, nullptr, 0};

} // namespace

ObjectDescriptorRow ObjectDescriptorTable::rows[] = {
    {ObjectKindControl, &WidgetRow},
    {ObjectKindAutomation, &GadgetRow},
    {ObjectKindAutomation, &HiddenRow},
    {ObjectKindPlain, &PlainRow},
    {ObjectKindEndOfTable, nullptr},
};
const GUID* const ObjectDescriptorTable::typeLibraryId = &LIBID_FrameworkTestLibrary;
const LCID ObjectDescriptorTable::typeLibraryLcid = 0x0400;
const int ObjectDescriptorTable::dataObjectRow = TestHiddenRow;
