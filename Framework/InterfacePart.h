// One COM interface of an object implemented by a member of it: its IUnknown goes to the object's
// controlling unknown, so the part lives and dies with the object and answers what the object answers.
#pragma once
#include <unknwn.h>

template <class Interface, class Owner>
class InterfacePart : public Interface {
public:
    explicit InterfacePart(Owner& owner) : control(owner) {}
    InterfacePart(const InterfacePart&) = delete;
    InterfacePart& operator=(const InterfacePart&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override
    {
        return control.OuterUnknown()->QueryInterface(riid, object);
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return control.OuterUnknown()->AddRef(); }
    ULONG STDMETHODCALLTYPE Release() override { return control.OuterUnknown()->Release(); }

protected:
    Owner& control;
};
