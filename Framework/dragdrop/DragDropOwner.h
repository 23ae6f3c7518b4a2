// What the data objects of a drag or a drop need from the control whose drag or drop it is: its error
// reporting, its OLESetData event and a reference that keeps it alive while a data object lives.
#pragma once
#include <windows.h>
#include <unknwn.h>

struct IQvDataObject;

class DragDropOwner {
public:
    // Raises drag-and-drop error `number` (DragDropErrors) as the control's rich error information and
    // returns its HRESULT.
    virtual HRESULT RaiseError(int number) = 0;
    // Fires OLESetData (Data by reference, DataFormat by reference): the host supplies the data of a
    // format that was announced without data. `data` holds a reference the caller releases afterwards,
    // whatever the handler leaves in it.
    virtual void FireOLESetData(IQvDataObject** data, short* format) = 0;
    // The control, held by every data object of the owner for its life; may be null.
    virtual IUnknown* Control() = 0;

protected:
    ~DragDropOwner() = default;
};
