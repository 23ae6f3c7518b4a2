// Scopes of the calls that fire the OLE drag events: the data object a handler receives by reference,
// and the control kept alive while its handlers run.
#pragma once
#include <unknwn.h>

#include <Plyx.h>

// The handler may replace the data object it receives; whatever it leaves there is released.
class EventData {
public:
    explicit EventData(IQvDataObject* data) : data_(data)
    {
        if (data_ != nullptr)
            data_->AddRef();
    }
    ~EventData()
    {
        if (data_ != nullptr)
            data_->Release();
    }
    EventData(const EventData&) = delete;
    EventData& operator=(const EventData&) = delete;
    IQvDataObject** Slot() { return &data_; }

private:
    IQvDataObject* data_;
};

// A handler may let the host release the control; it stays alive until the call is done with it.
class ControlHold {
public:
    explicit ControlHold(IUnknown* control) : control_(control)
    {
        if (control_ != nullptr)
            control_->AddRef();
    }
    ~ControlHold()
    {
        if (control_ != nullptr)
            control_->Release();
    }
    ControlHold(const ControlHold&) = delete;
    ControlHold& operator=(const ControlHold&) = delete;

private:
    IUnknown* control_;
};
