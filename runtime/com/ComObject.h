// The IUnknown of a COM object of ours: a reference count that deletes the object at zero, and
// QueryInterface answered from a table of the interfaces the object gives out.
#pragma once

#include <windows.h>
#include <unknwn.h>

#include <initializer_list>

namespace korvane::com {

struct InterfaceAnswer {
    const IID* iid;
    IUnknown* pointer;  // the object as that interface
};

// Answers a query from the table (AddRef'ing the answer), or E_NOINTERFACE with a null output.
inline HRESULT AnswerQuery(REFIID iid, void** out, std::initializer_list<InterfaceAnswer> answers)
{
    if (!out)
        return E_POINTER;
    for (const InterfaceAnswer& answer : answers) {
        if (IsEqualIID(iid, *answer.iid)) {
            *out = answer.pointer;
            answer.pointer->AddRef();
            return S_OK;
        }
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

// The base of an object of ours that implements `Interfaces`: it starts with one reference, its
// creator's, and is deleted when the last one goes. The object answers QueryInterface itself.
template <typename... Interfaces>
class ComObject : public Interfaces... {
public:
    ComObject() = default;
    ComObject(const ComObject&) = delete;
    ComObject& operator=(const ComObject&) = delete;

    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&references_)); }
    STDMETHODIMP_(ULONG) Release() override
    {
        const LONG left = InterlockedDecrement(&references_);
        if (left == 0)
            delete this;
        return static_cast<ULONG>(left);
    }

protected:
    virtual ~ComObject() = default;

private:
    LONG references_ = 1;
};

} // namespace korvane::com
