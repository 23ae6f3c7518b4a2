// The static table of every object the library can create or describe. The framework is generic over
// it: the library supplies the rows (ObjectDescriptorTable::rows and the globals beside it), and every
// COM object carries the index of its row, from which names, interface IDs, the help file, the
// type-information cache, the window class, OLEMISC bits and registration data are read.
#pragma once
#include <windows.h>
#include <ole2.h>
#include <oaidl.h>

// Creates one instance: takes the outer unknown (null when not aggregated) and returns the new
// object's private (non-delegating) IUnknown with a count of 1, or null when out of memory.
typedef IUnknown* (*CreateObjectFunction)(IUnknown* outer);

// The part of a row shared by automation objects and controls.
struct AutomationDescriptor {
    const CLSID* clsid;          // null: not creatable from outside and not registered
    const char* objectName;      // registry texts, ProgIDs and the source of raised errors
    CreateObjectFunction create;
    LONG majorVersion;           // type-library major version and ProgID version number
    LONG minorVersion;
    const IID* dispatchIid;      // the dual (default) interface; also the GUID of raised errors
    const IID* eventsIid;        // the event dispinterface; null for an automation object
    const char* helpFile;        // null when the object has none
    ITypeInfo* typeInfo;         // cache of the dual interface's type information (FrameworkLock)
    LONG typeInfoUsers;          // live objects that hold the cached typeInfo (FrameworkLock)
};

// A control's row: the automation part followed by the control fields.
struct ControlDescriptor : AutomationDescriptor {
    DWORD miscStatus;            // OLEMISC bits
    DWORD activationPolicy;      // IPointerInactive policy
    WORD opaque;                 // 1: the control draws its whole rectangle
    WORD windowlessAllowed;      // 1: the control asks its site for windowless activation
    WORD toolboxBitmapId;        // bitmap resource written under ToolboxBitmap32
    const char* windowClassName;
    WORD windowClassRegistered;  // set under FrameworkLock when the first window is created
    WORD propertyPageCount;
    const GUID* const* propertyPages;
    WORD customVerbCount;
    const OLEVERB* customVerbs;
    DWORD wantsReflector;        // nonzero: the window is created inside a reflector window
    DWORD categoryMask;          // bit k: the control implements component category k
    DWORD reserved;
};

// Kinds of row.
enum : WORD {
    ObjectKindPlain = 0,         // a plain COM object, registered by CLSID only
    ObjectKindAutomation = 1,    // the row points to an AutomationDescriptor
    ObjectKindControl = 2,       // the row points to a ControlDescriptor
    ObjectKindPlainOther = 3,    // a plain COM object, registered by CLSID only
    ObjectKindEndOfTable = 0xFFFF,
};

struct ObjectDescriptorRow {
    WORD kind;
    AutomationDescriptor* info;
};

class ObjectDescriptorTable {
public:
    // Supplied by the library: the rows, ended by a row of kind ObjectKindEndOfTable.
    static ObjectDescriptorRow rows[];
    // Supplied by the library: the type library's LIBID (null: there is no type library) and the
    // LCID it is loaded with.
    static const GUID* const typeLibraryId;
    static const LCID typeLibraryLcid;
    // Supplied by the library: the row of the automation data object that drag and drop creates.
    static const int dataObjectRow;

    // The first row whose clsid equals the given one (rows without a clsid never match); -1 when none.
    static int FindClsid(REFCLSID clsid);

    static WORD Kind(int row) { return rows[row].kind; }
    static AutomationDescriptor* Automation(int row) { return rows[row].info; }
    // The control descriptor of a control row; null for rows of other kinds.
    static ControlDescriptor* Control(int row);
};
