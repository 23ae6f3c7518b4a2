// Census of the type library in Plyx20.ocx: every class, interface, member, event and enumeration
// that hosts bind to, checked against tables written from the library's interface description (the
// members of each control interface, their DISPIDs and types, the event interfaces and the
// enumeration constants with the texts the property browser shows).
#include "TypeLibraryDescription.h"
#include "TypeLibraryFile.h"

#include <Plyx.h>

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

using namespace TypeLibraryDescription;

namespace {

const char* const kLibraryId = "{0BA686C6-F7D3-101A-993E-0000C0EF6F5E}";

// Types of the OLE standard library the members use.
const char* const kColor = "stdole.OLE_COLOR";
const char* const kHandle = "stdole.OLE_HANDLE";
const char* const kFont = "stdole.IFontDisp*";
const char* const kPicture = "stdole.IPictureDisp*";
const char* const kOptionValue = "stdole.OLE_OPTEXCLUSIVE";
const char* const kMouseArguments =
    "(I2 Button, I2 Shift, stdole.OLE_XPOS_PIXELS X, stdole.OLE_YPOS_PIXELS Y)";

constexpr WORD H = FUNCFLAG_FHIDDEN;
constexpr WORD kBindable = FUNCFLAG_FBINDABLE | FUNCFLAG_FREQUESTEDIT;
constexpr WORD kDefaultBind = FUNCFLAG_FHIDDEN | FUNCFLAG_FBINDABLE | FUNCFLAG_FDISPLAYBIND | FUNCFLAG_FDEFAULTBIND;

// One property (access "g", "gp" or "gpr": get, put, putref, in that order) or method ("m", with the
// parameter list as type) of an interface, as its Part lists it.
struct Property {
    const char* name;
    MEMBERID id;
    const char* type;
    const char* access;
    WORD flags;
};

// One function of the compiled interface: kind 'g', 'p', 'r' or 'm'.
struct Function {
    char kind;
    std::string name;
    MEMBERID id;
    std::string text;
    WORD flags;
};

std::vector<Function> Functions(const std::vector<Property>& properties)
{
    std::vector<Function> functions;
    for (const Property& property : properties)
        for (const char* access = property.access; *access != '\0'; ++access)
            functions.push_back({*access, property.name, property.id, property.type, property.flags});
    return functions;
}

// ---- interface members ----------------------------------------------------------------------------

const std::vector<Property> kCommonMembers = {
    {"FontName", 1, "BSTR", "gp", H},
    {"FontSize", 2, "R4", "gp", H},
    {"FontBold", 3, "BOOL", "gp", H},
    {"FontItalic", 4, "BOOL", "gp", H},
    {"FontStrikethru", 5, "BOOL", "gp", H},
    {"FontUnderline", 6, "BOOL", "gp", H},
    {"Font3D", 9, "Constants_Font3D", "gp", 0},
    {"CaptionStyle", 12, "Constants_CaptionStyle", "gp", 0},
    {"PictureAnimationDelay", 31, "I2", "gp", 0},
    {"MarqueeDelay", 32, "I2", "gp", 0},
    {"MarqueeDirection", 33, "Constants_MarqueeDirection", "gp", 0},
    {"PictureFrames", 35, "I2", "gp", 0},
    {"PictureMaskColor", 36, kColor, "gp", 0},
    {"PictureUseMask", 37, "BOOL", "gp", 0},
    {"TagVariant", 39, "VARIANT", "gp", 0},
    {"MarqueeScrollAmount", 46, "I2", "gp", 0},
    {"PictureAnimationEnabled", 54, "BOOL", "gp", 0},
    {"MarqueeStyle", 60, "Constants_MarqueeStyle", "gp", 0},
    {"OLEDropMode", 1551, "Constants_OLEDrop", "gp", 0},
    {"OLEDrag", 1552, "()", "m", 0},
    {"BackColor", -501, kColor, "gp", 0},
    {"BackStyle", -502, "Constants_BackStyle", "gp", 0},
    {"Font", -512, kFont, "gpr", 0},
    {"ForeColor", -513, kColor, "gp", 0},
    {"Enabled", -514, "BOOL", "gp", 0},
    {"hWnd", -515, kHandle, "g", 0},
    {"MousePointer", -521, "Constants_MousePointer", "gp", 0},
    {"MouseIcon", -522, kPicture, "gpr", 0},
    {"Picture", -523, kPicture, "gpr", 0},
    {"Refresh", -550, "()", "m", 0},
    {"AboutBox", -552, "()", "m", 0},
    {"PlaySoundFile", 30, "(VARIANT SoundFile)", "m", 0},
};

const std::vector<Property> kButtonMembers = {
    {"Caption", -518, "BSTR", "gp", 0},
    {"Value", 47, "BOOL", "gp", 0},
    {"_Value", 0, "BOOL", "gp", H},
    {"Alignment", 7, "Constants_Alignment", "gp", 0},
    {"AutoSize", -500, "Constants_AutoSizeButton", "gp", 0},
    {"BevelWidth", 13, "I2", "gp", 0},
    {"ButtonStyle", 51, "Constants_ButtonStyle", "gp", 0},
    {"Outline", 17, "BOOL", "gp", 0},
    {"PictureAlignment", 40, "Constants_Alignment", "gp", 0},
    {"PictureDisabled", 28, kPicture, "gpr", 0},
    {"PictureDisabledFrames", 52, "I2", "gp", 0},
    {"PictureDn", 27, kPicture, "gpr", 0},
    {"PictureDnFrames", 53, "I2", "gp", 0},
    {"RoundedCorners", 16, "BOOL", "gp", 0},
};

const std::vector<Property> kRibbonMembers = {
    {"GroupNumber", 24, "I2", "gp", 0},
    {"GroupAllowAllUp", 25, "BOOL", "gp", 0},
    {"PictureDnChange", 26, "Constants_PictureDnChange", "gp", 0},
    {"PictureUp", 29, kPicture, "gpr", H},
    {"PictureDnDisabled", 57, kPicture, "gpr", 0},
    {"PictureDnDisabledFrames", 58, "I2", "gp", 0},
};

const std::vector<Property> kCommandMembers = {
    {"AutoRepeat", 55, "BOOL", "gp", 0},
    {"DoClick", -551, "()", "m", 0},
};

const std::vector<Property> kOptionBaseMembers = {
    {"Caption", -518, "BSTR", "gp", kBindable},
    {"Alignment", 7, "Constants_AlignTo", "gp", 0},
    {"PictureAlignment", 40, "Constants_PictureAlignment", "gp", 0},
};

const std::vector<Property> kCheckMembers = {
    {"BoundValue", 65, "I4", "gp", kDefaultBind},
    {"_Value", 0, "I4", "gp", H},
    {"Value", 47, "Constants_CheckBoxValue", "gp", 0},
    {"CheckBoxMaskColor", 41, kColor, "gp", 0},
    {"CheckBoxUseMask", 42, "BOOL", "gp", 0},
    {"CheckBoxGraphics", 43, kPicture, "gpr", 0},
    {"TripleState", 44, "BOOL", "gp", 0},
};

const std::vector<Property> kOptionMembers = {
    {"Value", 11, kOptionValue, "gp", 0},
    {"_Value", 0, kOptionValue, "gp", H},
    {"OptionBtnMaskColor", 41, kColor, "gp", 0},
    {"OptionBtnUseMask", 42, "BOOL", "gp", 0},
    {"OptionBtnGraphics", 43, kPicture, "gpr", 0},
};

const std::vector<Property> kFrameBaseMembers = {
    {"PictureBackgroundStyle", 61, "Constants_PictureBackgroundStyle", "gp", 0},
    {"PictureBackground", 56, kPicture, "gpr", 0},
    {"ClipControls", 63, "BOOL", "gp", 0},
};

const std::vector<Property> kFrameMembers = {
    {"Caption", -518, "BSTR", "gp", kBindable},
    {"_Caption", 0, "BSTR", "gp", H},
    {"Alignment", 7, "Constants_AlignFrameText", "gp", 0},
    {"ShadowColor", 8, "Constants_ShadowColor", "gp", H},
    {"ShadowStyle", 10, "Constants_ShadowStyle", "gp", 0},
    {"PictureAlignment", 40, "Constants_PictureAlignment", "gp", 0},
};

const std::vector<Property> kPanelMembers = {
    {"Caption", -518, "BSTR", "gp", 0},
    {"BevelWidth", 13, "I2", "gp", 0},
    {"BorderWidth", -505, "I2", "gp", 0},
    {"BevelOuter", 14, "Constants_Bevel", "gp", 0},
    {"BevelInner", 15, "Constants_Bevel", "gp", 0},
    {"RoundedCorners", 16, "BOOL", "gp", 0},
    {"Outline", 17, "BOOL", "gp", 0},
    {"FloodType", 18, "Constants_FloodType", "gp", 0},
    {"FloodColor", 19, kColor, "gp", 0},
    {"FloodPercent", 20, "I2", "gp", 0},
    {"FloodShowPct", 21, "BOOL", "gp", 0},
    {"_Caption", 0, "BSTR", "gp", H},
    {"Alignment", 7, "Constants_Alignment", "gp", 0},
    {"ShadowColor", 8, "Constants_ShadowColor", "gp", H},
    {"AutoSize", -500, "Constants_AutoSizePanel", "gp", 0},
    {"PictureAlignment", 40, "Constants_Alignment", "gp", 0},
    {"FloodFillStyle", 59, "Constants_FloodFillStyle", "gp", 0},
};

const std::vector<Property> kDataObjectMembers = {
    {"Clear", 1, "()", "m", 0},
    {"GetData", 2, "(I2 sFormat) -> VARIANT pvData", "m", 0},
    {"GetFormat", 3, "(I2 sFormat) -> BOOL pbFormatSupported", "m", 0},
    {"SetData", 4, "([opt] VARIANT vValue, [opt] VARIANT vFormat)", "m", 0},
    {"Files", 5, "IQvDataObjectFiles*", "g", 0},
};

const std::vector<Property> kDataObjectFilesMembers = {
    {"Item", 0, "(I4 lIndex) BSTR bstrItem", "g", 0},
    {"Count", 1, "I4 plCount", "g", 0},
    {"Add", 2, "(BSTR bstrFilename, [opt] VARIANT vIndex)", "m", 0},
    {"Clear", 3, "()", "m", 0},
    {"Remove", 4, "(VARIANT vIndex)", "m", 0},
    {"_NewEnum", -4, "() -> IUnknown*", "m", FUNCFLAG_FRESTRICTED},
};

// The dispatch side of a dual interface; its vtable side is the OLE-automation-compatible one.
constexpr WORD kDual = TYPEFLAG_FHIDDEN | TYPEFLAG_FDUAL | TYPEFLAG_FDISPATCHABLE;
constexpr WORD kCheckedTypeFlags = TYPEFLAG_FHIDDEN | TYPEFLAG_FDUAL | TYPEFLAG_FDISPATCHABLE |
                                   TYPEFLAG_FOLEAUTOMATION | TYPEFLAG_FNONEXTENSIBLE | TYPEFLAG_FCONTROL |
                                   TYPEFLAG_FCANCREATE | TYPEFLAG_FRESTRICTED;

struct DualInterface {
    const char* name;
    const char* iid;
    const char* base;
    WORD flags;
    size_t memberCount;
    const char* help;
    const std::vector<Property>* members;
};

const std::vector<DualInterface> kDualInterfaces = {
    {"IQvBase", "{A341D800-01C9-11D0-BE3F-0000C0F04C96}", "IDispatch", kDual, 62, "", &kCommonMembers},
    {"IQvButtonBase", "{C282B950-20E8-11D0-8A28-0000C09300C4}", "IQvBase", kDual, 30, "", &kButtonMembers},
    {"IQvOptionBase", "{D75CDA00-0AFB-11D0-8602-0000C09300C4}", "IQvBase", kDual, 6, "", &kOptionBaseMembers},
    {"IQvFrameBase", "{1710F030-425E-11D0-8A5C-0000C09300C4}", "IQvBase", kDual, 7, "", &kFrameBaseMembers},
    {"IQvFrame", "{1E8B9951-DB45-11CF-9B47-0000C0F04C96}", "IQvFrameBase", kDual, 12, "QvFrame Control", &kFrameMembers},
    {"IQvPanel", "{240210C0-E3B3-11CF-BE3F-0000C0F04C96}", "IQvFrameBase", kDual, 34, "QvPanel Control", &kPanelMembers},
    {"IQvOption", "{D1146D80-EEB2-11CF-8602-0000C09300C4}", "IQvOptionBase", kDual, 11, "QvOption Control", &kOptionMembers},
    {"IQvCheck", "{4113FBA0-F14B-11CF-9C79-0000C09300C4}", "IQvOptionBase", kDual, 15, "QvCheck Control", &kCheckMembers},
    {"IQvRibbon", "{B28088C0-F453-11CF-9C7D-0000C09300C4}", "IQvButtonBase", kDual, 14, "QvRibbon Control", &kRibbonMembers},
    {"IQvCommand", "{AAD093B0-F9CA-11CF-9C85-0000C09300C4}", "IQvButtonBase", kDual, 3, "QvCommand Control", &kCommandMembers},
    {"IQvDataObject", "{6B976287-3692-11D0-9B8A-0000C0F04C96}", "IDispatch", kDual | TYPEFLAG_FNONEXTENSIBLE, 5, "",
     &kDataObjectMembers},
    {"IQvDataObjectFiles", "{6B976285-3692-11D0-9B8A-0000C0F04C96}", "IDispatch", kDual | TYPEFLAG_FNONEXTENSIBLE, 6,
     "", &kDataObjectFilesMembers},
};

// ---- dispinterfaces -------------------------------------------------------------------------------

// The default interfaces of the panel and the check box for late binding: the properties of the dual
// interfaces as dispatch properties with the same DISPIDs, FontName a BSTR as in IQvBase, and four
// methods.
struct DispatchProperty {
    std::string name;
    MEMBERID id;
    std::string type;
    WORD flags;
};

std::vector<DispatchProperty> DispatchProperties(const std::vector<const std::vector<Property>*>& levels)
{
    std::vector<DispatchProperty> properties;
    for (const auto* level : levels)
        for (const Property& property : *level)
            if (std::string(property.access) != "m")
                properties.push_back({property.name, property.id, property.type,
                                      static_cast<WORD>(property.flags |
                                                        (std::string(property.access) == "g" ? VARFLAG_FREADONLY : 0))});
    return properties;
}

const std::vector<Property> kDispatchMethods = {
    {"Refresh", -550, "()", "m", 0},
    {"PlaySoundFile", 30, "(VARIANT SoundFile)", "m", 0},
    {"AboutBox", -552, "()", "m", 0},
    {"OLEDrag", 1552, "()", "m", 0},
};

struct Dispinterface {
    const char* name;
    const char* iid;
    const char* help;
    std::vector<DispatchProperty> properties;
};

const std::vector<Dispinterface> kDispinterfaces = {
    {"DQvPanel", "{AE16CF00-68A4-11D0-BE40-0000C0F04C96}", "QvPanel Control",
     DispatchProperties({&kCommonMembers, &kFrameBaseMembers, &kPanelMembers})},
    {"DQvCheck", "{AD32E560-68A9-11D0-BE40-0000C0F04C96}", "QvCheck Control",
     DispatchProperties({&kCommonMembers, &kOptionBaseMembers, &kCheckMembers})},
};

// ---- event interfaces -----------------------------------------------------------------------------

struct Event {
    const char* name;
    MEMBERID id;
    const char* parameters;
};

const Event kStockClick = {"Click", -600, "()"};
const Event kStockDblClick = {"DblClick", -601, "()"};
const Event kClick = {"Click", 22, "(I2* Value)"};
const Event kDblClick = {"DblClick", 23, "(I2* Value)"};
const Event kKeyDown = {"KeyDown", -602, "(I2 KeyCode, I2 Shift)"};
const Event kKeyPress = {"KeyPress", -603, "(I2* KeyAscii)"};
const Event kKeyUp = {"KeyUp", -604, "(I2 KeyCode, I2 Shift)"};
const Event kMouseDown = {"MouseDown", -605, kMouseArguments};
const Event kMouseMove = {"MouseMove", -606, kMouseArguments};
const Event kMouseUp = {"MouseUp", -607, kMouseArguments};
const Event kMarqueeCycleBegin = {"MarqueeCycleBegin", 45, "()"};
const Event kMarqueeCycleEnd = {"MarqueeCycleEnd", 64, "()"};
const Event kMouseEnter = {"MouseEnter", 49, kMouseArguments};
const Event kMouseExit = {"MouseExit", 50, kMouseArguments};
const Event kOLEStartDrag = {"OLEStartDrag", 1550, "(QvDataObject** Data, I4* AllowedEffects)"};
const Event kOLEGiveFeedback = {"OLEGiveFeedback", 1551, "(I4* Effect, BOOL* DefaultCursors)"};
const Event kOLESetData = {"OLESetData", 1552, "(QvDataObject** Data, I2* DataFormat)"};
const Event kOLECompleteDrag = {"OLECompleteDrag", 1553, "(I4* Effect)"};
const Event kOLEDragOver = {"OLEDragOver", 1554,
                            "(QvDataObject** Data, I4* Effect, I2* Button, I2* Shift, R4* X, R4* Y, I2* State)"};
const Event kOLEDragDrop = {"OLEDragDrop", 1555,
                            "(QvDataObject** Data, I4* Effect, I2* Button, I2* Shift, R4* X, R4* Y)"};
const Event kResize = {"Resize", 62, "()"};

struct EventInterface {
    const char* name;
    const char* iid;
    std::vector<Event> events;
};

const std::vector<EventInterface> kEventInterfaces = {
    {"DQvFrameEvents", "{1E8B9952-DB45-11CF-9B47-0000C0F04C96}",
     {kStockClick, kMouseDown, kMouseMove, kMouseUp, kStockDblClick, kMarqueeCycleBegin, kMarqueeCycleEnd, kMouseEnter,
      kMouseExit, kOLEStartDrag, kOLEGiveFeedback, kOLESetData, kOLECompleteDrag, kOLEDragOver, kOLEDragDrop}},
    {"DQvPanelEvents", "{240210C1-E3B3-11CF-BE3F-0000C0F04C96}",
     {kStockClick, kMouseDown, kMouseMove, kMouseUp, kStockDblClick, kMarqueeCycleBegin, kMarqueeCycleEnd, kMouseEnter,
      kMouseExit, kOLEStartDrag, kOLEGiveFeedback, kOLESetData, kOLECompleteDrag, kOLEDragOver, kOLEDragDrop, kResize}},
    {"DQvOptionEvents", "{E2344720-EEB2-11CF-8602-0000C09300C4}",
     {kClick, kKeyDown, kKeyPress, kKeyUp, kMouseDown, kMouseMove, kMouseUp, kDblClick, kMarqueeCycleBegin,
      kMarqueeCycleEnd, kMouseEnter, kMouseExit, kOLEStartDrag, kOLEGiveFeedback, kOLESetData, kOLECompleteDrag,
      kOLEDragOver, kOLEDragDrop}},
    {"DQvCheckEvents", "{4113FBA1-F14B-11CF-9C79-0000C09300C4}",
     {kClick, kKeyDown, kKeyPress, kKeyUp, kMouseDown, kMouseMove, kMouseUp, kMarqueeCycleBegin, kMarqueeCycleEnd,
      kMouseEnter, kMouseExit, kOLEStartDrag, kOLEGiveFeedback, kOLESetData, kOLECompleteDrag, kOLEDragOver,
      kOLEDragDrop}},
    {"DQvRibbonEvents", "{B28088C1-F453-11CF-9C7D-0000C09300C4}",
     {kClick, kMouseDown, kMouseMove, kMouseUp, kMarqueeCycleBegin, kMarqueeCycleEnd, kMouseEnter, kMouseExit,
      kOLEStartDrag, kOLEGiveFeedback, kOLESetData, kOLECompleteDrag, kOLEDragOver, kOLEDragDrop}},
    {"DQvCommandEvents", "{AAD093B1-F9CA-11CF-9C85-0000C09300C4}",
     {{"Click", 22, "()"}, kKeyDown, kKeyPress, kKeyUp, kMouseDown, kMouseMove, kMouseUp, kMarqueeCycleBegin,
      kMarqueeCycleEnd, kMouseEnter, kMouseExit, kOLEStartDrag, kOLEGiveFeedback, kOLESetData, kOLECompleteDrag,
      kOLEDragOver, kOLEDragDrop}},
};

// ---- classes --------------------------------------------------------------------------------------

struct Class {
    const char* name;
    const char* clsid;
    std::vector<std::string> interfaces; // in order; "[default]" and "[source]" mark the flags
    WORD flags;
    const char* help;
    DWORD helpContext;
};

constexpr WORD kControl = TYPEFLAG_FCANCREATE | TYPEFLAG_FCONTROL;

const std::vector<Class> kClasses = {
    {"QvFrame", "{1E8B9953-DB45-11CF-9B47-0000C0F04C96}", {"[default] IQvFrame", "[default][source] DQvFrameEvents"},
     kControl, "QvFrame control", 3000},
    {"QvPanel", "{240210C2-E3B3-11CF-BE3F-0000C0F04C96}",
     {"[default] DQvPanel", "IQvPanel", "[default][source] DQvPanelEvents"}, kControl, "QvPanel control", 5000},
    {"QvOption", "{EFF47B00-EEB2-11CF-8602-0000C09300C4}",
     {"[default] IQvOption", "[default][source] DQvOptionEvents"}, kControl, "QvOption control", 4000},
    {"QvCheck", "{4113FBA2-F14B-11CF-9C79-0000C09300C4}",
     {"[default] DQvCheck", "IQvCheck", "[default][source] DQvCheckEvents"}, kControl, "QvCheck control", 1000},
    {"QvRibbon", "{B28088C2-F453-11CF-9C7D-0000C09300C4}",
     {"[default] IQvRibbon", "[default][source] DQvRibbonEvents"}, kControl, "QvRibbon control", 6000},
    {"QvCommand", "{AAD093B2-F9CA-11CF-9C85-0000C09300C4}",
     {"[default] IQvCommand", "[default][source] DQvCommandEvents"}, kControl, "QvCommand control", 2000},
    {"QvDataObject", "{6B976286-3692-11D0-9B8A-0000C0F04C96}", {"[default] IQvDataObject"}, TYPEFLAG_FCANCREATE, "",
     0},
    {"QvDataObjectFiles", "{6B976284-3692-11D0-9B8A-0000C0F04C96}", {"[default] IQvDataObjectFiles"},
     TYPEFLAG_FCANCREATE, "", 0},
};

// ---- enumerations ---------------------------------------------------------------------------------

struct Constant {
    const char* name;
    LONG value;
    const char* help;
};

struct Enumeration {
    const char* name;
    const char* guid; // null: the enumeration has no GUID
    const char* help;
    std::vector<Constant> constants;
};

const std::vector<Enumeration> kEnumerations = {
    {"Constants_Font3D", nullptr, "Constants that specify the font3D styles",
        {
         {"qvNoneFont3D", 0, "None"},
         {"qvRaisedLight", 1, "Raised w/ light shading"},
         {"qvRaisedHeavy", 2, "Raised w/ heavy shading"},
         {"qvInsetLight", 3, "Inset w/ light shading"},
         {"qvInsetHeavy", 4, "Inset w/ heavy shading"},
         {"qvDropShadow", 5, "Drop Shadow"}}},
    {"Constants_AlignTo", nullptr, "Constants that specify the QvCheck/QvOption control alignments",
        {
         {"qvTextRight", 0, "Left Justify"},
         {"qvTextLeft", 1, "Right Justify"}}},
    {"Constants_AlignFrameText", nullptr, "Constants that specify the caption alignment for the QvFrame control",
        {
         {"qvTopLeft", 0, "Top Left"},
         {"qvTopRight", 1, "Top Right"},
         {"qvTopCenter", 2, "Top Center"},
         {"qvBottomLeft", 3, "Bottom Left"},
         {"qvBottomRight", 4, "Bottom Right"},
         {"qvBottomCenter", 5, "Bottom Center"}}},
    {"Constants_ShadowColor", nullptr, "Constants that specify the shadow color for QvFrame/QvPanel controls",
        {
         {"qvDarkGrey", 0, "Dark Grey"},
         {"qvBlack", 1, "Black"}}},
    {"Constants_AutoSizeButton", nullptr, "Constants that specify the type of AutoSize",
        {
         {"qvNoneAutoSizeButton", 0, "None"},
         {"qvPictureToButton", 1, "AutoSize Picture To Button"},
         {"qvButtonToPicture", 2, "AutoSize Button To Picture"}}},
    {"Constants_ShadowStyle", nullptr, "Constants that specify the shadow styles",
        {
         {"qvInsetShadow", 0, "Inset"},
         {"qvRaisedShadow", 1, "Raised"}}},
    {"Constants_Bevel", nullptr, "Constants that specify the bevel styles",
        {
         {"qvNoneBevel", 0, "None"},
         {"qvInsetBevel", 1, "Inset"},
         {"qvRaisedBevel", 2, "Raised"}}},
    {"Constants_FloodType", nullptr, "Constants that specify the flood type",
        {
         {"qvNoneFlood", 0, "None"},
         {"qvLeftToRight", 1, "Left To Right"},
         {"qvRightToLeft", 2, "Right To Left"},
         {"qvTopToBottom", 3, "Top To Bottom"},
         {"qvBottomToTop", 4, "Bottom To Top"},
         {"qvWideningCircle", 5, "Widening Circle"}}},
    {"Constants_Alignment", "{C5DC2ED0-56BE-11D0-9B9E-0000C0F04C96}", "Constants that specify the Picture alignment for QvCommand control",
        {
         {"qvLeftTop", 0, "Left Top"},
         {"qvLeftMiddle", 1, "Left Middle"},
         {"qvLeftBottom", 2, "Left Bottom"},
         {"qvRightTop", 3, "Right Top"},
         {"qvRightMiddle", 4, "Right Middle"},
         {"qvRightBottom", 5, "Right Bottom"},
         {"qvCenterTop", 6, "Center Top"},
         {"qvCenterMiddle", 7, "Center Middle"},
         {"qvCenterBottom", 8, "Center Bottom"},
         {"qvLeftOfCaption", 9, "Picture left of caption"},
         {"qvRightOfCaption", 10, "Picture right of caption"},
         {"qvTopOfCaption", 11, "Picture top of caption"},
         {"qvBottomOfCaption", 12, "Picture bottom of caption"}}},
    {"Constants_AutoSizePanel", nullptr, "Constants that specify the Autosize for QvPanel control",
        {
         {"qvNoneAutoSize", 0, "None"},
         {"qvWidthToCaption", 1, "AutoSize Panel Width To Caption"},
         {"qvHeightToCaption", 2, "AutoSize Panel Height To Caption"},
         {"qvChildToPanel", 3, "AutoSize Child Window To Panel"}}},
    {"Constants_PictureDnChange", nullptr, "Constants that specify PictureDn change",
        {
         {"qvNoChange", 0, "Use 'Picture' Bitmap Unchanged."},
         {"qvDither", 1, "Dither 'Picture' Bitmap"},
         {"qvInvert", 2, "Invert 'Picture' Bitmap"}}},
    {"Constants_MousePointer", nullptr, "Constants that specify the mouse pointer type",
        {
         {"qvDefault", 0, "Default"},
         {"qvArrow", 1, "Arrow"},
         {"qvCross", 2, "Cross"},
         {"qvIBeam", 3, "I-Beam"},
         {"qvIcon", 4, "Icon"},
         {"qvSize", 5, "Size"},
         {"qvSizeNESW", 6, "Size NE SW"},
         {"qvSizeNS", 7, "Size N S"},
         {"qvSizeNWSE", 8, "Size NW SE"},
         {"qvSizeEW", 9, "Size W E"},
         {"qvUpArrow", 10, "Up arrow"},
         {"qvHourglass", 11, "Hourglass"},
         {"qvNoDrop", 12, "No Drop"},
         {"qvArrowHourglass", 13, "Arrow and Hourglass"},
         {"qvArrowQuestion", 14, "Arrow and Question"},
         {"qvSizeAll", 15, "Size All"},
         {"qvCustom", 99, "Custom"}}},
    {"Constants_CaptionStyle", nullptr, "Constants that specify the caption style",
        {
         {"qvStandard", 0, "Standard"},
         {"qvWrapped", 1, "Wrapped"}}},
    {"Constants_MarqueeStyle", nullptr, "Constants that specify the Marquee style",
        {
         {"qvNoneMarquee", 0, "None"},
         {"qvScrollingMarquee", 1, "Scrolling"},
         {"qvSlidingMarquee", 2, "Sliding"},
         {"qvBlinkingMarquee", 3, "Blinking"},
         {"qvBouncingMarquee", 4, "Bouncing"}}},
    {"Constants_MarqueeDirection", nullptr, "Constants that specify the Marquee direction",
        {
         {"qvMDRightToLeft", 0, "Right to Left"},
         {"qvMDLeftToRight", 1, "Left to Right"},
         {"qvMDTopToBottom", 2, "Top to Bottom"},
         {"qvMDBottomToTop", 3, "Bottom to Top"}}},
    {"Constants_BackStyle", nullptr, "Constants that specify the back style",
        {
         {"qvOpaque", 0, "Opaque"},
         {"qvTransparent", 1, "Transparent"}}},
    {"Constants_PictureBackgroundStyle", nullptr, "Constants that specify the Picture Background style",
        {
         {"qvCentered", 0, "Centered"},
         {"qvStretched", 1, "Stretched"},
         {"qvTiled", 2, "Tiled"}}},
    {"Constants_PictureAlignment", "{C5DC2ED1-56BE-11D0-9B9E-0000C0F04C96}", "Constants that specify the picture alignment for QvCheck control",
        {
         {"qvPALeftOfCaption", 0, "Left of Caption"},
         {"qvPARightOfCaption", 1, "Right of Caption"},
         {"qvPAJustify", 2, "Justify"}}},
    {"Constants_ButtonStyle", nullptr, "Constants that specify the button styles",
        {
         {"qvFollowOS", 0, "Follow OS"},
         {"qvWin95", 1, "Win 95"},
         {"qvWin3X", 2, "Win 3.x"},
         {"qvActiveBorders", 3, "Active Borders"},
         {"qvBorderless", 4, "Borderless"}}},
    {"Constants_FloodFillStyle", nullptr, "Constants that specify the flood fill styles",
        {
         {"qvSolid", 0, "Solid"},
         {"qvSegmented", 1, "Segmented"}}},
    {"Constants_CheckBoxValue", nullptr, "Constants that specify the check box states",
        {
         {"qvCBUnchecked", 0, "Unchecked"},
         {"qvCBChecked", 1, "Checked"},
         {"qvCBGrayed", 2, "Grayed"}}},
    {"Constants_OLEDrag", "{D8898460-742F-11CF-8AEA-00AA00C00905}", "Constants for the OLEDragMode property (but not the DragMode or OLEDropMode properties).",
        {
         {"qvOLEDragManual", 0, "OLEDragManual"},
         {"qvOLEDragAutomatic", 1, "OLEDragAutomatic"}}},
    {"Constants_OLEDrop", "{D8898461-742F-11CF-8AEA-00AA00C00905}", "Constants for the OLEDropMode property (but not the DragMode or OLEDragMode properties).",
        {
         {"qvOLEDropNone", 0, "OLEDropNone"},
         {"qvOLEDropManual", 1, "OLEDropManual"}}},
    {"Constants_DragOver", "{D8898464-742F-11CF-8AEA-00AA00C00905}", "State transition constants for the DragOver and OLEDragOver events.",
        {
         {"qvEnter", 0, "OLEDragEnter"},
         {"qvLeave", 1, "OLEDragLeave"},
         {"qvOver", 2, "OLEDragOver"}}},
    {"Constants_ClipBoard", "{D8898462-742F-11CF-8AEA-00AA00C00905}", "Clipboard format constants.",
        {
         {"qvCFText", 1, "Text (.TXT file)."},
         {"qvCFBitmap", 2, "Bitmap (.BMP file)."},
         {"qvCFMetafile", 3, "Metafile (.WMF file)."},
         {"qvCFDIB", 8, "Device-independent bitmap."},
         {"qvCFPalette", 9, "Color palette."},
         {"qvCFEMetafile", 14, "Enhanced metafile (.EMF file)."},
         {"qvCFFiles", 15, "Filename list (Microsoft Windows Explorer)"},
         {"qvCFRTF", -16639, "Rich Text Format (.RTF file)."}}},
    {"Constants_OLEDropEffect", "{D8898463-742F-11CF-8AEA-00AA00C00905}", "Drop effect constants for OLE drag and drop events.",
        {
         {"qvOLEDropEffectNone", 0, "OLEDropEffectNone"},
         {"qvOLEDropEffectCopy", 1, "OLEDropEffectCopy"},
         {"qvOLEDropEffectMove", 2, "OLEDropEffectMove"},
         {"qvOLEDropEffectScroll", -2147483647 - 1, "OLEDropEffectScroll"}}}
};

// ---- the census -----------------------------------------------------------------------------------

GUID GuidFrom(const char* text)
{
    GUID guid = GUID_NULL;
    std::wstring wide(text, text + std::strlen(text));
    EXPECT_EQ(S_OK, CLSIDFromString(wide.c_str(), &guid)) << text;
    return guid;
}

char KindOf(INVOKEKIND kind)
{
    switch (kind) {
    case INVOKE_PROPERTYGET: return 'g';
    case INVOKE_PROPERTYPUT: return 'p';
    case INVOKE_PROPERTYPUTREF: return 'r';
    default: return 'm';
    }
}

// The text of a function compared with a row: with parameter names when the row names them.
void ExpectFunctionText(ITypeInfo* info, const FUNCDESC& function, const std::string& expected)
{
    const std::string named = FunctionText(info, function, true);
    const std::string unnamed = FunctionText(info, function, false);
    EXPECT_TRUE(expected == named || expected == unnamed)
        << "expected " << expected << ", the library has " << named;
}

std::string ImplementedName(ITypeInfo* info, UINT index)
{
    HREFTYPE reference = 0;
    ComReference<ITypeInfo> implemented;
    if (FAILED(info->GetRefTypeOfImplType(index, &reference)) ||
        FAILED(info->GetRefTypeInfo(reference, implemented.Out())))
        return "none";
    return NameOf(implemented.Get());
}

class TypeLibraryCensus : public ::testing::Test {
protected:
    void SetUp() override
    {
        library_ = TypeLibraryFile::Load();
        ASSERT_NE(nullptr, library_);
    }
    void TearDown() override
    {
        if (library_ != nullptr)
            library_->Release();
    }

    // The typeinfo of a GUID; null with a test failure when the library has none.
    ITypeInfo* ByGuid(const char* guid, ComReference<ITypeInfo>& info)
    {
        EXPECT_EQ(S_OK, library_->GetTypeInfoOfGuid(GuidFrom(guid), info.Out())) << guid;
        return info.Get();
    }

    // The typeinfo of the given kind and name; null with a test failure when the library has none.
    ITypeInfo* ByName(const std::string& name, TYPEKIND kind, ComReference<ITypeInfo>& info)
    {
        for (UINT i = 0; i < library_->GetTypeInfoCount(); ++i) {
            TYPEKIND found = TKIND_MAX;
            if (FAILED(library_->GetTypeInfoType(i, &found)) || found != kind)
                continue;
            if (SUCCEEDED(library_->GetTypeInfo(i, info.Out())) && NameOf(info.Get()) == name)
                return info.Get();
        }
        ADD_FAILURE() << "no typeinfo " << name;
        info.Reset();
        return nullptr;
    }

    ITypeLib* library_ = nullptr;
};

TEST_F(TypeLibraryCensus, LibraryIdentity)
{
    TLIBATTR* attributes = nullptr;
    ASSERT_EQ(S_OK, library_->GetLibAttr(&attributes));
    EXPECT_EQ(kLibraryId, GuidText(attributes->guid));
    EXPECT_EQ(2, attributes->wMajorVerNum);
    EXPECT_EQ(0, attributes->wMinorVerNum);
    EXPECT_EQ(1033u, attributes->lcid);
    library_->ReleaseTLibAttr(attributes);

    BSTR name = nullptr;
    BSTR help = nullptr;
    BSTR helpFile = nullptr;
    ASSERT_EQ(S_OK, library_->GetDocumentation(-1, &name, &help, nullptr, &helpFile));
    EXPECT_EQ("Plyx", Narrow(name));
    EXPECT_EQ("Oskadel ActivePlyx Controls", Narrow(help));
    const std::string file = helpFile != nullptr ? Narrow(helpFile) : std::string();
    EXPECT_EQ("Plyx20.hlp", file.substr(file.find_last_of("\\/") + 1));
    SysFreeString(name);
    SysFreeString(help);
    SysFreeString(helpFile);

    // 26 enumerations, 12 dual interfaces, 2 dispinterfaces, 6 event interfaces and 8 classes.
    EXPECT_EQ(54u, library_->GetTypeInfoCount());
}

TEST_F(TypeLibraryCensus, DualInterfacesAndTheirMembers)
{
    for (const DualInterface& row : kDualInterfaces) {
        SCOPED_TRACE(row.name);
        ComReference<ITypeInfo> dispatch;
        if (ByGuid(row.iid, dispatch) == nullptr)
            continue;
        {
            TypeAttributes attributes(dispatch.Get());
            ASSERT_TRUE(attributes.Valid());
            EXPECT_EQ(TKIND_DISPATCH, attributes->typekind);
            EXPECT_EQ(row.flags, attributes->wTypeFlags & kCheckedTypeFlags);
        }
        EXPECT_EQ(row.name, NameOf(dispatch.Get()));
        EXPECT_EQ(row.help, HelpStringOf(dispatch.Get()));

        HREFTYPE interfaceReference = 0;
        ComReference<ITypeInfo> vtable;
        ASSERT_EQ(S_OK, dispatch->GetRefTypeOfImplType(static_cast<UINT>(-1), &interfaceReference));
        ASSERT_EQ(S_OK, dispatch->GetRefTypeInfo(interfaceReference, vtable.Out()));
        TypeAttributes attributes(vtable.Get());
        ASSERT_TRUE(attributes.Valid());
        EXPECT_EQ(TKIND_INTERFACE, attributes->typekind);
        EXPECT_EQ(TYPEFLAG_FDUAL | TYPEFLAG_FOLEAUTOMATION,
                  attributes->wTypeFlags & (TYPEFLAG_FDUAL | TYPEFLAG_FOLEAUTOMATION));
        EXPECT_EQ(1, attributes->cImplTypes);
        EXPECT_EQ(row.base, ImplementedName(vtable.Get(), 0));
        EXPECT_EQ(row.memberCount, static_cast<size_t>(attributes->cFuncs));

        const std::vector<Function> expected = Functions(*row.members);
        ASSERT_EQ(row.memberCount, expected.size()) << "the table itself";
        for (UINT i = 0; i < attributes->cFuncs && i < expected.size(); ++i) {
            const Function& member = expected[i];
            SCOPED_TRACE(member.name + " " + member.kind);
            FunctionDescription function(vtable.Get(), i);
            ASSERT_TRUE(function.Valid());
            EXPECT_EQ(member.name, NameOf(vtable.Get(), function->memid));
            EXPECT_EQ(member.id, function->memid);
            EXPECT_EQ(member.kind, KindOf(function->invkind));
            EXPECT_EQ(member.flags, function->wFuncFlags);
            EXPECT_EQ(VT_HRESULT, function->elemdescFunc.tdesc.vt);
            ExpectFunctionText(vtable.Get(), *function, member.text);
        }
    }
}

TEST_F(TypeLibraryCensus, DefaultDispinterfacesOfPanelAndCheck)
{
    for (const Dispinterface& row : kDispinterfaces) {
        SCOPED_TRACE(row.name);
        ComReference<ITypeInfo> info;
        if (ByGuid(row.iid, info) == nullptr)
            continue;
        TypeAttributes attributes(info.Get());
        ASSERT_TRUE(attributes.Valid());
        EXPECT_EQ(TKIND_DISPATCH, attributes->typekind);
        EXPECT_EQ(0, attributes->wTypeFlags & TYPEFLAG_FDUAL);
        EXPECT_EQ(row.name, NameOf(info.Get()));
        EXPECT_EQ(row.help, HelpStringOf(info.Get()));

        ASSERT_EQ(row.properties.size(), attributes->cVars);
        for (UINT i = 0; i < attributes->cVars; ++i) {
            const DispatchProperty& property = row.properties[i];
            SCOPED_TRACE(property.name);
            VariableDescription variable(info.Get(), i);
            ASSERT_TRUE(variable.Valid());
            EXPECT_EQ(property.name, NameOf(info.Get(), variable->memid));
            EXPECT_EQ(property.id, variable->memid);
            EXPECT_EQ(VAR_DISPATCH, variable->varkind);
            EXPECT_EQ(property.type, TypeText(info.Get(), variable->elemdescVar.tdesc));
            EXPECT_EQ(property.flags, variable->wVarFlags);
        }

        ASSERT_EQ(kDispatchMethods.size(), attributes->cFuncs);
        for (UINT i = 0; i < attributes->cFuncs; ++i) {
            SCOPED_TRACE(kDispatchMethods[i].name);
            FunctionDescription function(info.Get(), i);
            ASSERT_TRUE(function.Valid());
            EXPECT_EQ(kDispatchMethods[i].name, NameOf(info.Get(), function->memid));
            EXPECT_EQ(kDispatchMethods[i].id, function->memid);
            EXPECT_EQ(INVOKE_FUNC, function->invkind);
            ExpectFunctionText(info.Get(), *function, kDispatchMethods[i].type);
        }
    }
}

TEST_F(TypeLibraryCensus, EventInterfaces)
{
    for (const EventInterface& row : kEventInterfaces) {
        SCOPED_TRACE(row.name);
        ComReference<ITypeInfo> info;
        if (ByGuid(row.iid, info) == nullptr)
            continue;
        TypeAttributes attributes(info.Get());
        ASSERT_TRUE(attributes.Valid());
        EXPECT_EQ(TKIND_DISPATCH, attributes->typekind);
        EXPECT_EQ(0, attributes->wTypeFlags & TYPEFLAG_FDUAL);
        EXPECT_EQ(row.name, NameOf(info.Get()));
        EXPECT_EQ(0, attributes->cVars);
        ASSERT_EQ(row.events.size(), attributes->cFuncs);
        for (UINT i = 0; i < attributes->cFuncs; ++i) {
            const Event& event = row.events[i];
            SCOPED_TRACE(event.name);
            FunctionDescription function(info.Get(), i);
            ASSERT_TRUE(function.Valid());
            EXPECT_EQ(event.name, NameOf(info.Get(), function->memid));
            EXPECT_EQ(event.id, function->memid);
            EXPECT_EQ(INVOKE_FUNC, function->invkind);
            EXPECT_EQ(VT_VOID, function->elemdescFunc.tdesc.vt);
            EXPECT_EQ(event.parameters, FunctionText(info.Get(), *function, true));
        }
    }
}

TEST_F(TypeLibraryCensus, Classes)
{
    for (const Class& row : kClasses) {
        SCOPED_TRACE(row.name);
        ComReference<ITypeInfo> info;
        if (ByGuid(row.clsid, info) == nullptr)
            continue;
        TypeAttributes attributes(info.Get());
        ASSERT_TRUE(attributes.Valid());
        EXPECT_EQ(TKIND_COCLASS, attributes->typekind);
        EXPECT_EQ(row.flags, attributes->wTypeFlags & kCheckedTypeFlags);
        EXPECT_EQ(row.name, NameOf(info.Get()));

        BSTR help = nullptr;
        DWORD helpContext = 0;
        ASSERT_EQ(S_OK, info->GetDocumentation(MEMBERID_NIL, nullptr, &help, &helpContext, nullptr));
        EXPECT_EQ(row.help, help != nullptr ? Narrow(help) : std::string());
        EXPECT_EQ(row.helpContext, helpContext);
        SysFreeString(help);

        ASSERT_EQ(row.interfaces.size(), attributes->cImplTypes);
        for (UINT i = 0; i < attributes->cImplTypes; ++i) {
            INT flags = 0;
            ASSERT_EQ(S_OK, info->GetImplTypeFlags(i, &flags));
            std::string text = std::string(flags & IMPLTYPEFLAG_FDEFAULT ? "[default]" : "") +
                               (flags & IMPLTYPEFLAG_FSOURCE ? "[source]" : "");
            text += (text.empty() ? "" : " ") + ImplementedName(info.Get(), i);
            EXPECT_EQ(row.interfaces[i], text);
        }
    }
}

TEST_F(TypeLibraryCensus, EnumerationsAndTheirConstants)
{
    size_t constants = 0;
    for (const Enumeration& row : kEnumerations) {
        SCOPED_TRACE(row.name);
        ComReference<ITypeInfo> info;
        if (ByName(row.name, TKIND_ENUM, info) == nullptr)
            continue;
        TypeAttributes attributes(info.Get());
        ASSERT_TRUE(attributes.Valid());
        EXPECT_EQ(row.guid != nullptr ? row.guid : GuidText(GUID_NULL), GuidText(attributes->guid));
        EXPECT_EQ(row.help, HelpStringOf(info.Get()));
        ASSERT_EQ(row.constants.size(), attributes->cVars);
        for (UINT i = 0; i < attributes->cVars; ++i) {
            const Constant& constant = row.constants[i];
            SCOPED_TRACE(constant.name);
            VariableDescription variable(info.Get(), i);
            ASSERT_TRUE(variable.Valid());
            ASSERT_EQ(VAR_CONST, variable->varkind);
            EXPECT_EQ(constant.name, NameOf(info.Get(), variable->memid));
            EXPECT_EQ(constant.help, HelpStringOf(info.Get(), variable->memid));
            VARIANT value;
            VariantInit(&value);
            ASSERT_EQ(S_OK, VariantChangeType(&value, variable->lpvarValue, 0, VT_I4));
            EXPECT_EQ(constant.value, V_I4(&value));
            ++constants;
        }
    }
    EXPECT_EQ(26u, kEnumerations.size());
    EXPECT_EQ(115u, constants);
}

// The generated header the controls implement carries the same identities and values.
TEST(TypeLibraryHeader, AgreesWithTheLibrary)
{
    EXPECT_EQ(kLibraryId, GuidText(LIBID_Plyx));
    EXPECT_EQ("{A341D800-01C9-11D0-BE3F-0000C0F04C96}", GuidText(IID_IQvBase));
    EXPECT_EQ("{AAD093B0-F9CA-11CF-9C85-0000C09300C4}", GuidText(__uuidof(IQvCommand)));
    EXPECT_EQ("{AAD093B1-F9CA-11CF-9C85-0000C09300C4}", GuidText(DIID_DQvCommandEvents));
    EXPECT_EQ("{4113FBA2-F14B-11CF-9C79-0000C09300C4}", GuidText(CLSID_QvCheck));
    static_assert(qvCFRTF == -16639, "rich text clipboard format");
    static_assert(static_cast<long>(qvOLEDropEffectScroll) == -2147483647L - 1, "scroll drop effect");
    static_assert(qvCustom == 99, "custom mouse pointer");
}

} // namespace
