#include "DragDropErrors.h"

#include "AutomationObject.h"

namespace DragDropErrors {

namespace {

constexpr HRESULT ErrorResult(int number)
{
    return static_cast<HRESULT>(0x800A0000u | static_cast<unsigned>(number));
}

// The error of an invalid property value has the framework's own text; the others have the string of
// their number.
constexpr Row Rows[] = {
    {InvalidProcedureCall, 5, ErrorResult(InvalidProcedureCall)},
    {InvalidObjectUse, 425, ErrorResult(InvalidObjectUse)},
    {FormatMismatch, 461, ErrorResult(FormatMismatch)},
    {InvalidPropertyValue, 10380, ErrorResult(InvalidPropertyValue)},
    {FormatsFrozen, 672, ErrorResult(FormatsFrozen)},
    {ExpectedArgument, 673, ErrorResult(ExpectedArgument)},
    {RecursiveDrag, 674, ErrorResult(RecursiveDrag)},
    {ByteArrayRequired, 675, ErrorResult(ByteArrayRequired)},
    {DataNotSupplied, 676, ErrorResult(DataNotSupplied)},
};

} // namespace

const Row* Find(int number)
{
    for (const Row& row : Rows) {
        if (row.number == number)
            return &row;
    }
    return nullptr;
}

HRESULT Raise(AutomationObject& raiser, int number)
{
    const Row* row = Find(number);
    if (row == nullptr)
        return E_UNEXPECTED;
    // The help topic of a drag-and-drop error is its number's, also where the text is the framework's
    // own (the invalid property value's string 10380).
    return raiser.RaiseError(row->hr, row->stringId, static_cast<DWORD>(row->number));
}

HRESULT AsResult(int number)
{
    if (number == 0)
        return E_FAIL;
    if (number == OutOfMemory)
        return E_OUTOFMEMORY;
    return ErrorResult(number);
}

} // namespace DragDropErrors
