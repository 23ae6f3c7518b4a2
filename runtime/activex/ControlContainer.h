// The ActiveX controls of one form: created by CLSID from the form's description, handed their saved
// state, activated in place in the form's window, their events routed to the form's handler, and all of
// them released when the form unloads.
//
//   activex ZeroTrans {
//     clsid "{...}"            # or: progid Korvane.TestControl
//     rect 10 40 150 21        # left top width height in pixels, in the parent's client area
//     stream "21433412..."     # the control's saved state as hex bytes, loaded by IPersistStreamInit
//     Caption "Zero"           # any other property: the control's state by name (IPersistPropertyBag)
//     hidden                   # a flag: not shown until made visible
//   }
#pragma once

#include "AmbientSettings.h"
#include "ControlEvents.h"
#include "ControlSite.h"
#include "com/ComPtr.h"
#include "forms/FormDescription.h"

#include <functional>
#include <memory>
#include <stdexcept>
#include <vector>

namespace korvane::activex {

class InPlaceFrame;

class ControlHostError : public std::runtime_error {
public:
    ControlHostError(const std::string& message, HRESULT hr) : std::runtime_error(message), hr_(hr) {}
    HRESULT Result() const { return hr_; }

private:
    HRESULT hr_;
};

class ControlContainer {
public:
    ControlContainer(HWND form, EventHandler handler, AmbientSettings ambients = {});
    ControlContainer(const ControlContainer&) = delete;
    ControlContainer& operator=(const ControlContainer&) = delete;
    ~ControlContainer();

    // Hosts the control an element describes, inside `parent` (a frame control) or the form itself.
    // Throws ControlHostError when the control cannot be created, started or activated; nothing of it stays.
    // A stored state the control refuses leaves it with its defaults instead (ControlSite::StateProblem).
    ControlSite& Add(const forms::ElementDescription& element, ControlSite* parent = nullptr);
    ControlSite* Find(std::string_view name, std::optional<int> index = std::nullopt) const;
    const std::vector<com::ComPtr<ControlSite>>& Controls() const { return controls_; }

    // The controls an asking control's enumeration names (selectors of ControlEnumeration.h).
    std::vector<com::ComPtr<IUnknown>> Enumerate(const ControlSite& asking, DWORD containerFlags, DWORD selector) const;

    // Offers a keyboard message to the UI-active control first; true when it took it.
    bool TranslateAccelerator(MSG& message);

    // One control of the form is UI-active at a time: a control that becomes so ends the UI activation
    // of the one before. Null when none is.
    ControlSite* UIActive() const { return uiActive_; }
    void NoteUIActivated(ControlSite& control);
    void NoteUIDeactivated(ControlSite& control);

    // Releases one control (and the controls it contains, first).
    void Remove(ControlSite& control);
    // Releases every control, contained ones before their frames; the container is empty afterwards.
    void Unload();

    // Told when a control takes or loses the keyboard focus by itself (a click inside it).
    using FocusHandler = std::function<void(ControlSite& control, bool gotFocus)>;
    void SetFocusHandler(FocusHandler handler) { focusHandler_ = std::move(handler); }
    void NoteFocus(ControlSite& control, bool gotFocus) const;

    HWND Form() const { return form_; }
    const AmbientSettings& Ambients() const { return ambients_; }
    InPlaceFrame& Frame() const { return *frame_.Get(); }
    void Dispatch(const ControlEvent& event) const;

private:
    HWND form_;
    EventHandler handler_;
    FocusHandler focusHandler_;
    AmbientSettings ambients_;
    com::ComPtr<InPlaceFrame> frame_;
    std::vector<com::ComPtr<ControlSite>> controls_;
    ControlSite* uiActive_ = nullptr;
};

// The control-enumeration interface's answer for a control (null once it is unloaded).
HRESULT EnumerateControlsFor(const ControlSite* asking, DWORD containerFlags, DWORD selector, IEnumUnknown** controls);

} // namespace korvane::activex
