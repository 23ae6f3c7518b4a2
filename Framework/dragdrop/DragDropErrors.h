// The errors of OLE drag and drop and of its data object: an error number, the HRESULT 0x800A0000
// plus the number, and the string that describes it. They are raised as rich error information by the
// control whose drag or drop it is, with the error number as help context.
#pragma once
#include <windows.h>

class AutomationObject;

namespace DragDropErrors {

enum Number : int {
    InvalidProcedureCall = 5,        // CF_HDROP data goes through the Files collection
    OutOfMemory = 7,
    ShellLibraryMissing = 48,        // the shell's file-list functions cannot be bound
    InvalidPropertyValue = 380,
    InvalidObjectUse = 425,          // a member of the other direction (incoming / outgoing)
    FormatMismatch = 461,            // "Specified format doesn't match format of data"
    FormatsFrozen = 672,             // the formats list may change only in OLEStartDrag
    ExpectedArgument = 673,
    RecursiveDrag = 674,
    ByteArrayRequired = 675,         // private formats carry byte arrays
    DataNotSupplied = 676,           // OLESetData supplied nothing
};

struct Row {
    int number;
    UINT stringId;
    HRESULT hr;
};

// The error raised for `number`; null when the number has no row.
const Row* Find(int number);

// Raises error `number` through `raiser` (its row's GUID, help file and source) and returns its
// HRESULT; a number without a row gives E_UNEXPECTED and no error information.
HRESULT Raise(AutomationObject& raiser, int number);

// An error number handed back as a plain HRESULT, without error information: 0 gives E_FAIL, 7
// E_OUTOFMEMORY, any other number 0x800A0000 plus the number.
HRESULT AsResult(int number);

} // namespace DragDropErrors
