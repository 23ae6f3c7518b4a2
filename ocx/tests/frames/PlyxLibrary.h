// The frame and the panel as an outside client sees them: the built Plyx20.ocx registered for the
// test program's run, controls created by ProgID, members reached through IDispatch by name, state
// saved to and loaded from streams and property bags, and the control drawn into a bitmap through
// its view object.
#pragma once
#include <windows.h>
#include <ole2.h>
#include <oleauto.h>
#include <olectl.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace frames_test {

// A COM reference owned by the test.
template <class Interface>
class Held {
public:
    Held() = default;
    explicit Held(Interface* object) : object_(object) {}
    ~Held() { Reset(); }
    Held(const Held&) = delete;
    Held& operator=(const Held&) = delete;
    Held(Held&& other) noexcept : object_(other.object_) { other.object_ = nullptr; }
    Interface* operator->() const { return object_; }
    Interface* Get() const { return object_; }
    Interface** Out()
    {
        Reset();
        return &object_;
    }
    void** OutVoid() { return reinterpret_cast<void**>(Out()); }
    void Reset()
    {
        if (object_ != nullptr)
            object_->Release();
        object_ = nullptr;
    }
    explicit operator bool() const { return object_ != nullptr; }

private:
    Interface* object_ = nullptr;
};

// The library loaded from beside the test program; registered for the run by the environment.
HMODULE Library();
// DllCanUnloadNow of the library: S_OK once every object is gone.
HRESULT LibraryCanUnload();
// GDI objects of this process.
DWORD GdiObjectCount();

// A new control by ProgID ("Plyx.QvFrame"), as its default dispatch interface.
Held<IDispatch> CreateByProgId(const wchar_t* progId);

// An interface of the object, not AddRef'd beyond the returned holder.
template <class Interface>
Held<Interface> As(IUnknown* object, REFIID iid)
{
    Held<Interface> result;
    EXPECT_EQ(object->QueryInterface(iid, result.OutVoid()), S_OK);
    return result;
}

// Members by name. Put answers the HRESULT of the call (a raised error included).
HRESULT Put(IDispatch* control, const wchar_t* name, const VARIANT& value);
HRESULT PutLong(IDispatch* control, const wchar_t* name, LONG value);
HRESULT PutText(IDispatch* control, const wchar_t* name, const wchar_t* text);
HRESULT PutBool(IDispatch* control, const wchar_t* name, bool value);
// The member's value as a long (booleans as -1 and 0); the HRESULT through `hr` when given.
LONG GetLong(IDispatch* control, const wchar_t* name, HRESULT* hr = nullptr);
DISPID DispidOf(IDispatch* control, const wchar_t* name);
// The description of the error the last put raised: its exception information, or else the
// thread's error information.
std::wstring LastErrorDescription();

// Streams and bags.
std::vector<std::uint8_t> SaveToBytes(IUnknown* control);
HRESULT LoadFromBytes(IUnknown* control, const std::vector<std::uint8_t>& bytes);
// The persisted state of a new control (InitNew) of the ProgID.
std::vector<std::uint8_t> NewStateBytes(const wchar_t* progId);

// A 32-bit bitmap the control draws itself into at (0, 0, width, height).
class Canvas {
public:
    Canvas(int width, int height, COLORREF fill);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    // IViewObject::Draw of the control over the whole canvas.
    HRESULT Draw(IUnknown* control);
    // The same into an enhanced metafile of the canvas's size, then played back onto the canvas.
    HRESULT DrawThroughMetafile(IUnknown* control);
    COLORREF At(int x, int y) const;
    int Width() const { return width_; }
    int Height() const { return height_; }
    // The lengths of the runs of `color` along a row or a column.
    std::vector<int> RunsInRow(int y, COLORREF color) const;
    std::vector<int> RunsInColumn(int x, COLORREF color) const;
    bool WritePng(const std::string& name) const;

private:
    int width_;
    int height_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ replaced_ = nullptr;
    std::uint32_t* bits_ = nullptr;
};

// Colours the controls draw with, as the display shows them.
COLORREF SystemColor(int index);

} // namespace frames_test
