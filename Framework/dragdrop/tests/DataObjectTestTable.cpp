// The object table of the data object tests: a control row (the owner of the drags, whose errors the
// data objects raise) and the data object's row, described by the Plyx type library the program
// carries as its own TYPELIB 1.
#include "DataObjectTestSupport.h"

#include "ObjectDescriptor.h"

#include <Plyx.h>

namespace {

ControlDescriptor ControlRow = [] {
    ControlDescriptor row{};
    row.clsid = &CLSID_QvFrame;
    row.objectName = "QvFrame";
    row.majorVersion = 2;
    row.minorVersion = 0;
    row.dispatchIid = &IID_IQvFrame;
    row.eventsIid = &DIID_DQvFrameEvents;
    row.helpFile = "Plyx20.HLP";
    return row;
}();
AutomationDescriptor DataObjectRow = {nullptr, "QvDataObject", nullptr, 1, 0, &IID_IQvDataObject,
                                      nullptr, nullptr, nullptr, 0};

} // namespace

ObjectDescriptorRow ObjectDescriptorTable::rows[] = {
    {ObjectKindControl, &ControlRow},
    {ObjectKindAutomation, &DataObjectRow},
    {ObjectKindEndOfTable, nullptr},
};
const GUID* const ObjectDescriptorTable::typeLibraryId = &LIBID_Plyx;
const LCID ObjectDescriptorTable::typeLibraryLcid = 0x0400;
const int ObjectDescriptorTable::dataObjectRow = DataObjectTestRow;
