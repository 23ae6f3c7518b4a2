// The library's object table: the six controls and the automation data object, in the order whose
// row indexes the objects carry.
#include "ControlCreators.h"
#include "ObjectDescriptor.h"
#include "ObjectTableRows.h"

namespace {

const GUID TypeLibraryId = {0x0BA686C6, 0xF7D3, 0x101A, {0x99, 0x3E, 0x00, 0x00, 0xC0, 0xEF, 0x6F, 0x5E}};

const CLSID QvFrameClsid = {0x1E8B9953, 0xDB45, 0x11CF, {0x9B, 0x47, 0x00, 0x00, 0xC0, 0xF0, 0x4C, 0x96}};
const IID QvFrameDispatch = {0x1E8B9951, 0xDB45, 0x11CF, {0x9B, 0x47, 0x00, 0x00, 0xC0, 0xF0, 0x4C, 0x96}};
const IID QvFrameEvents = {0x1E8B9952, 0xDB45, 0x11CF, {0x9B, 0x47, 0x00, 0x00, 0xC0, 0xF0, 0x4C, 0x96}};

const CLSID QvPanelClsid = {0x240210C2, 0xE3B3, 0x11CF, {0xBE, 0x3F, 0x00, 0x00, 0xC0, 0xF0, 0x4C, 0x96}};
const IID QvPanelDispatch = {0x240210C0, 0xE3B3, 0x11CF, {0xBE, 0x3F, 0x00, 0x00, 0xC0, 0xF0, 0x4C, 0x96}};
const IID QvPanelEvents = {0x240210C1, 0xE3B3, 0x11CF, {0xBE, 0x3F, 0x00, 0x00, 0xC0, 0xF0, 0x4C, 0x96}};

const CLSID QvOptionClsid = {0xEFF47B00, 0xEEB2, 0x11CF, {0x86, 0x02, 0x00, 0x00, 0xC0, 0x93, 0x00, 0xC4}};
const IID QvOptionDispatch = {0xD1146D80, 0xEEB2, 0x11CF, {0x86, 0x02, 0x00, 0x00, 0xC0, 0x93, 0x00, 0xC4}};
const IID QvOptionEvents = {0xE2344720, 0xEEB2, 0x11CF, {0x86, 0x02, 0x00, 0x00, 0xC0, 0x93, 0x00, 0xC4}};

const CLSID QvCheckClsid = {0x4113FBA2, 0xF14B, 0x11CF, {0x9C, 0x79, 0x00, 0x00, 0xC0, 0x93, 0x00, 0xC4}};
const IID QvCheckDispatch = {0x4113FBA0, 0xF14B, 0x11CF, {0x9C, 0x79, 0x00, 0x00, 0xC0, 0x93, 0x00, 0xC4}};
const IID QvCheckEvents = {0x4113FBA1, 0xF14B, 0x11CF, {0x9C, 0x79, 0x00, 0x00, 0xC0, 0x93, 0x00, 0xC4}};

const CLSID QvRibbonClsid = {0xB28088C2, 0xF453, 0x11CF, {0x9C, 0x7D, 0x00, 0x00, 0xC0, 0x93, 0x00, 0xC4}};
const IID QvRibbonDispatch = {0xB28088C0, 0xF453, 0x11CF, {0x9C, 0x7D, 0x00, 0x00, 0xC0, 0x93, 0x00, 0xC4}};
const IID QvRibbonEvents = {0xB28088C1, 0xF453, 0x11CF, {0x9C, 0x7D, 0x00, 0x00, 0xC0, 0x93, 0x00, 0xC4}};

const CLSID QvCommandClsid = {0xAAD093B2, 0xF9CA, 0x11CF, {0x9C, 0x85, 0x00, 0x00, 0xC0, 0x93, 0x00, 0xC4}};
const IID QvCommandDispatch = {0xAAD093B0, 0xF9CA, 0x11CF, {0x9C, 0x85, 0x00, 0x00, 0xC0, 0x93, 0x00, 0xC4}};
const IID QvCommandEvents = {0xAAD093B1, 0xF9CA, 0x11CF, {0x9C, 0x85, 0x00, 0x00, 0xC0, 0x93, 0x00, 0xC4}};

const IID QvDataObjectDispatch = {0x6B976287, 0x3692, 0x11D0, {0x9B, 0x8A, 0x00, 0x00, 0xC0, 0xF0, 0x4C, 0x96}};

// The property pages every control names; they are components outside the library.
const GUID PageGeneral = {0x7DFEF3E1, 0xFA97, 0x11CF, {0x81, 0x7A, 0x00, 0x00, 0xC0, 0xFC, 0xE2, 0xB7}};
const GUID PagePicture = {0x8E4DC1E1, 0xFA97, 0x11CF, {0x81, 0x7A, 0x00, 0x00, 0xC0, 0xFC, 0xE2, 0xB7}};
const GUID PageMarquee = {0x2DCD3760, 0x2E8B, 0x11D0, {0x81, 0x7A, 0x00, 0x00, 0xC0, 0xFC, 0xE2, 0xB7}};
const GUID* const PropertyPages[] = {&PageGeneral, &PagePicture, &PageMarquee};

const char HelpFile[] = "Plyx20.HLP";

// The OLEMISC bits every control has, and what the frames, the panel, the ribbon and the command
// button add.
constexpr DWORD MiscCommon = OLEMISC_RECOMPOSEONRESIZE | OLEMISC_CANTLINKINSIDE | OLEMISC_INSIDEOUT |
                             OLEMISC_ACTIVATEWHENVISIBLE | OLEMISC_SETCLIENTSITEFIRST;
constexpr DWORD MiscFrame = MiscCommon | OLEMISC_ACTSLIKELABEL | OLEMISC_SIMPLEFRAME;

// Component categories: bits of the category table of self-registration.
constexpr DWORD CategoriesFrame = 0x260F;
constexpr DWORD CategoriesButton = 0x660B;

constexpr ControlDescriptor Control(const CLSID& clsid, const char* name, CreateObjectFunction create, const IID& dispatch,
                          const IID& events, DWORD miscStatus, WORD windowless, WORD bitmap,
                          const char* windowClass, DWORD categories)
{
    ControlDescriptor row{};
    row.clsid = &clsid;
    row.objectName = name;
    row.create = create;
    row.majorVersion = 2;
    row.minorVersion = 0;
    row.dispatchIid = &dispatch;
    row.eventsIid = &events;
    row.helpFile = HelpFile;
    row.typeInfo = nullptr;
    row.typeInfoUsers = 0;
    row.miscStatus = miscStatus;
    row.activationPolicy = 0;
    row.opaque = 1;
    row.windowlessAllowed = windowless;
    row.toolboxBitmapId = bitmap;
    row.windowClassName = windowClass;
    row.windowClassRegistered = 0;
    row.propertyPageCount = 3;
    row.propertyPages = PropertyPages;
    row.customVerbCount = 0;
    row.customVerbs = nullptr;
    row.wantsReflector = 0;
    row.categoryMask = categories;
    row.reserved = 0;
    return row;
}

ControlDescriptor QvFrameRow = Control(QvFrameClsid, "QvFrame", CreateQvFrame, QvFrameDispatch, QvFrameEvents,
                                       MiscFrame, 0, 109, "QvFrameWndClass", CategoriesFrame);
ControlDescriptor QvPanelRow = Control(QvPanelClsid, "QvPanel", CreateQvPanel, QvPanelDispatch, QvPanelEvents,
                                       MiscFrame | OLEMISC_ALIGNABLE, 0, 102, "QvPanelWndClass", CategoriesFrame);
ControlDescriptor QvOptionRow = Control(QvOptionClsid, "QvOption", CreateQvOption, QvOptionDispatch,
                                        QvOptionEvents, MiscCommon, 1, 103, "QvOptionWndClass", CategoriesButton);
ControlDescriptor QvCheckRow = Control(QvCheckClsid, "QvCheck", CreateQvCheck, QvCheckDispatch, QvCheckEvents,
                                       MiscCommon, 1, 104, "QvCheckWndClass", CategoriesButton);
ControlDescriptor QvRibbonRow = Control(QvRibbonClsid, "QvRibbon", CreateQvRibbon, QvRibbonDispatch,
                                        QvRibbonEvents, MiscCommon | OLEMISC_ACTSLIKELABEL, 1, 105,
                                        "QvRibbonWndClass", CategoriesButton);
ControlDescriptor QvCommandRow = Control(QvCommandClsid, "QvCommand", CreateQvCommand, QvCommandDispatch,
                                         QvCommandEvents, MiscCommon | OLEMISC_ACTSLIKEBUTTON, 1, 106,
                                         "QvCommandWndClass", CategoriesButton);

// Created only by the library itself (drag and drop): no CLSID, never registered. Its type
// information is version 1.0, which is never the registered library, so it always comes from the
// module's own copy.
AutomationDescriptor QvDataObjectRow = {nullptr, "QvDataObject", nullptr, 1, 0, &QvDataObjectDispatch,
                                        nullptr, nullptr, nullptr, 0};

} // namespace

ObjectDescriptorRow ObjectDescriptorTable::rows[] = {
    {ObjectKindControl, &QvFrameRow},   {ObjectKindControl, &QvPanelRow},
    {ObjectKindControl, &QvOptionRow},  {ObjectKindControl, &QvCheckRow},
    {ObjectKindControl, &QvRibbonRow},  {ObjectKindControl, &QvCommandRow},
    {ObjectKindAutomation, &QvDataObjectRow},
    {ObjectKindEndOfTable, nullptr},
};

const GUID* const ObjectDescriptorTable::typeLibraryId = &TypeLibraryId;
const LCID ObjectDescriptorTable::typeLibraryLcid = 0x0400;
const int ObjectDescriptorTable::dataObjectRow = QvDataObjectTableRow;
