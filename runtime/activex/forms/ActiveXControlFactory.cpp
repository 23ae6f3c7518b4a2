#include "ActiveXControlFactory.h"

#include "ControlContainer.h"
#include "PropertyValues.h"

#include <algorithm>
#include <cstring>

namespace korvane::activex {

// The hosted controls of one form window: their container and the form's side of each.
class FormControls {
public:
    FormControls(HWND form, const forms::HostedControlSite& first)
        : container(form, [this](const ControlEvent& event) { Raise(event); }, AmbientsOf(first))
    {
        container.SetFocusHandler([this](ControlSite& control, bool gotFocus) {
            if (auto found = sites.find(&control); found != sites.end())
                found->second->FocusChanged(gotFocus);
        });
    }

    ControlContainer container;
    std::map<const ControlSite*, forms::HostedControlSite*> sites;

private:
    static AmbientSettings AmbientsOf(const forms::HostedControlSite& site)
    {
        AmbientSettings ambients;
        const forms::FontDescription font = site.AmbientFont();
        if (!font.name.empty()) {
            ambients.fontName = font.name;
            ambients.fontPoints = font.points;
            ambients.fontBold = font.bold;
            ambients.fontItalic = font.italic;
        }
        ambients.backColor = site.AmbientBackColor();
        return ambients;
    }

    void Raise(const ControlEvent& event)
    {
        const auto found = sites.find(&event.control);
        if (found == sites.end())
            return;
        EventArguments& arguments = event.arguments;
        forms::EventArgs args;
        for (size_t i = 0; i < arguments.Count(); ++i)
            args.values.push_back(PropertyValueOf(arguments.Get(i)));
        static const char* const kMouseEvents[] = {"MouseDown", "MouseUp", "MouseMove", "MouseEnter", "MouseExit"};
        const bool mouse = arguments.Count() == 4 && std::any_of(std::begin(kMouseEvents), std::end(kMouseEvents),
                                                                 [&](const char* name) { return event.eventName == name; });
        if (mouse) {
            args.mouse.button = arguments.Get(0).AsInt32();
            args.mouse.shift = arguments.Get(1).AsInt32();
            args.mouse.x = static_cast<float>(arguments.Get(2).AsDouble());
            args.mouse.y = static_cast<float>(arguments.Get(3).AsDouble());
        }
        const bool keyPress = event.eventName == "KeyPress" && arguments.Count() == 1;
        if (keyPress)
            args.keyAscii = arguments.Get(0).AsInt32();
        const forms::EventArgs given = args;

        found->second->RaiseEvent(event.eventName, args);

        if (keyPress && args.keyAscii != given.keyAscii)
            arguments.Set(0, com::Variant::Int32(args.keyAscii));
        for (size_t i = 0; i < arguments.Count() && i < args.values.size(); ++i)
            if (arguments.IsByReference(i) && args.values[i] != given.values[i])
                arguments.Set(i, VariantOf(args.values[i]));
    }
};

namespace {

// OLE on the forms' thread, from the first hosted control to the end of the thread (controls need the
// single-threaded apartment and OLE's in-place activation, drag and drop and clipboard).
class OleOnThisThread {
public:
    OleOnThisThread() : started_(SUCCEEDED(OleInitialize(nullptr))) {}
    OleOnThisThread(const OleOnThisThread&) = delete;
    OleOnThisThread& operator=(const OleOnThisThread&) = delete;
    ~OleOnThisThread()
    {
        if (started_)
            OleUninitialize();
    }
    bool Started() const { return started_; }

private:
    bool started_;
};

class HostedActiveXControl final : public forms::HostedControl {
public:
    HostedActiveXControl(std::shared_ptr<FormControls> form, ControlSite& control, forms::HostedControlSite& site)
        : form_(std::move(form)), control_(&control)
    {
        form_->sites[control_.Get()] = &site;
    }
    ~HostedActiveXControl() override
    {
        form_->sites.erase(control_.Get());
        form_->container.Remove(*control_.Get());
    }

    ControlSite& Control() const { return *control_.Get(); }

    HWND Window() const override { return control_->Window(); }

    // The form places its controls in its client area; a control inside a frame lives in the frame's window.
    void Move(const RECT& bounds) override
    {
        RECT place = bounds;
        if (control_->Parent())
            MapWindowPoints(form_->container.Form(), control_->ParentWindow(), reinterpret_cast<POINT*>(&place), 2);
        control_->Move(place);
    }
    void SetVisible(bool visible) override { control_->SetVisible(visible); }
    bool Focus() override { return SUCCEEDED(control_->SetFocus()); }

    bool TranslateAccelerator(MSG& message) override
    {
        com::ComPtr<IOleInPlaceActiveObject> active;
        if (!control_->Object() || FAILED(control_->Object()->QueryInterface(IID_IOleInPlaceActiveObject, active.PutVoid())))
            return false;
        return active->TranslateAccelerator(&message) == S_OK;
    }

    HRESULT SetProperty(long dispid, const forms::PropertyValue& value) override
    {
        return control_->SetProperty(dispid, VariantOf(value));
    }

    HRESULT GetProperty(long dispid, forms::PropertyValue& value) override
    {
        com::Variant read;
        HRESULT hr = control_->GetProperty(dispid, read);
        if (SUCCEEDED(hr))
            value = PropertyValueOf(read);
        return hr;
    }

    std::string StoredStateProblem() const override { return control_->StateProblem(); }

private:
    std::shared_ptr<FormControls> form_;
    // Held: a frame that goes first unloads the controls it holds, and this one then answers no window.
    com::ComPtr<ControlSite> control_;
};

} // namespace

std::unique_ptr<forms::HostedControl> ActiveXControlFactory::Create(forms::HostedControlSite& site,
                                                                    const forms::ElementDescription& element, HWND parent)
{
    thread_local OleOnThisThread ole;
    if (!ole.Started())
        throw ControlHostError("OLE could not be started for the control " + element.name, E_FAIL);
    // Forms that went take their entries with them.
    for (auto it = forms_.begin(); it != forms_.end();)
        it = it->second.expired() ? forms_.erase(it) : std::next(it);
    std::shared_ptr<FormControls> form = forms_[parent].lock();
    if (!form) {
        form = std::make_shared<FormControls>(parent, site);
        forms_[parent] = form;
    }
    // A control inside a frame control is hosted inside it; a frame of another kind holds nothing of ours.
    auto* holder = dynamic_cast<HostedActiveXControl*>(site.Holder());
    ControlSite& control = form->container.Add(element, holder ? &holder->Control() : nullptr);
    return std::make_unique<HostedActiveXControl>(form, control, site);
}

} // namespace korvane::activex
