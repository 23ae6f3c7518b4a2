#include "ControlContainer.h"

#include "ControlEnumeration.h"

#include "DescriptionPropertyBag.h"
#include "InPlaceFrame.h"
#include "UnknownEnumerator.h"

#include <algorithm>
#include <cctype>

namespace korvane::activex {

namespace {

// A property's one value as written, a word or a quoted text alike; empty when it is missing.
std::string ValueText(const forms::ElementDescription& element, std::string_view name)
{
    const forms::DescriptionProperty* property = element.Find(name);
    return property && !property->values.empty() ? property->values.front().text : std::string();
}

CLSID ClassOf(const forms::ElementDescription& element)
{
    const std::string failed = "The control " + element.name + " could not be created: ";
    CLSID clsid = CLSID_NULL;
    if (const std::string text = ValueText(element, "clsid"); !text.empty()) {
        if (FAILED(CLSIDFromString(com::Widen(text).c_str(), &clsid)))
            throw ControlHostError(failed + "no class is named " + text, REGDB_E_CLASSNOTREG);
        return clsid;
    }
    const std::string progId = ValueText(element, "progid");
    if (progId.empty())
        throw ControlHostError(failed + "it names no class (clsid or progid)", REGDB_E_CLASSNOTREG);
    HRESULT hr = CLSIDFromProgID(com::Widen(progId).c_str(), &clsid);
    if (FAILED(hr))
        throw ControlHostError(failed + "no class is registered as " + progId, hr);
    return clsid;
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

// The saved bytes of a `stream` property: hexadecimal digits, blanks between them allowed.
com::ComPtr<IStream> StreamOf(const forms::ElementDescription& element)
{
    const forms::DescriptionProperty* property = element.Find("stream");
    if (!property)
        return nullptr;
    std::string bytes;
    int high = -1;
    for (const forms::DescriptionValue& value : property->values) {
        for (char c : value.text) {
            if (std::isspace(static_cast<unsigned char>(c)))
                continue;
            const int digit = HexDigit(c);
            if (digit < 0)
                throw forms::FormDescriptionError(property->line, "the stream of " + element.name + " holds a non-hex character");
            if (high < 0) {
                high = digit;
            } else {
                bytes.push_back(static_cast<char>(high * 16 + digit));
                high = -1;
            }
        }
    }
    if (high >= 0)
        throw forms::FormDescriptionError(property->line, "the stream of " + element.name + " ends in half a byte");
    com::ComPtr<IStream> stream;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size() ? bytes.size() : 1);
    if (!memory)
        throw ControlHostError("No memory for the saved state of " + element.name, E_OUTOFMEMORY);
    if (void* target = GlobalLock(memory)) {
        std::copy(bytes.begin(), bytes.end(), static_cast<char*>(target));
        GlobalUnlock(memory);
    }
    HRESULT hr = CreateStreamOnHGlobal(memory, TRUE, stream.Put());
    if (FAILED(hr)) {
        GlobalFree(memory);
        throw ControlHostError("No stream for the saved state of " + element.name, hr);
    }
    ULARGE_INTEGER size;
    size.QuadPart = bytes.size();
    stream->SetSize(size);
    return stream;
}

bool VisibleOf(const forms::ElementDescription& element)
{
    return !element.Has("hidden");
}

} // namespace

ControlContainer::ControlContainer(HWND form, EventHandler handler, AmbientSettings ambients)
    : form_(form),
      handler_(std::move(handler)),
      ambients_(std::move(ambients)),
      frame_(com::ComPtr<InPlaceFrame>::Adopt(new InPlaceFrame(form)))
{
}

ControlContainer::~ControlContainer() { Unload(); }

ControlSite& ControlContainer::Add(const forms::ElementDescription& element, ControlSite* parent)
{
    const CLSID clsid = ClassOf(element);
    RECT bounds = {0, 0, 100, 50};
    if (const auto rect = element.Rect())
        bounds = {rect->left, rect->top, rect->left + rect->width, rect->top + rect->height};
    com::ComPtr<IStream> stream = StreamOf(element);

    auto site = com::ComPtr<ControlSite>::Adopt(
        new ControlSite(*this, element.name, element.index, parent, bounds, VisibleOf(element)));
    try {
        site->Create(clsid);
        auto bag = com::ComPtr<DescriptionPropertyBag>::Adopt(new DescriptionPropertyBag(element));
        site->LoadState(stream.Get(), bag.Get());
        site->Activate();
    } catch (...) {
        site->Unload();
        throw;
    }
    controls_.push_back(site);
    return *site.Get();
}

ControlSite* ControlContainer::Find(std::string_view name, std::optional<int> index) const
{
    for (const auto& control : controls_)
        if (control->Name() == name && control->Index() == index)
            return control.Get();
    return nullptr;
}

std::vector<com::ComPtr<IUnknown>> ControlContainer::Enumerate(const ControlSite& asking, DWORD containerFlags,
                                                                 DWORD selector) const
{
    std::vector<com::ComPtr<IUnknown>> found;
    // Every control here is an embedded, running OLE object placed by the user.
    if (!(containerFlags & OLECONTF_EMBEDDINGS))
        return found;
    for (const auto& control : controls_) {
        if (!control->Object() || control.Get() == &asking)
            continue;
        const bool wanted = selector == kSiblingControls ? control->Parent() == asking.Parent()
                                                         : control->Parent() == &asking;
        if (wanted)
            found.emplace_back(control->Object());
    }
    return found;
}

HRESULT EnumerateControlsFor(const ControlSite* asking, DWORD containerFlags, DWORD selector, IEnumUnknown** controls)
{
    if (!controls)
        return E_POINTER;
    *controls = nullptr;
    if (!asking || !asking->Container())
        return E_UNEXPECTED;
    if (selector != kSiblingControls && selector != kContainedControls)
        return E_INVALIDARG;
    *controls = new UnknownEnumerator(asking->Container()->Enumerate(*asking, containerFlags, selector));
    return S_OK;
}

bool ControlContainer::TranslateAccelerator(MSG& message)
{
    if (message.message < WM_KEYFIRST || message.message > WM_KEYLAST)
        return false;
    com::ComPtr<IOleInPlaceActiveObject> active(frame_->ActiveObject());
    return active && active->TranslateAccelerator(&message) == S_OK;
}

void ControlContainer::NoteUIActivated(ControlSite& control)
{
    ControlSite* before = uiActive_;
    uiActive_ = &control;
    // The control that is activating sets the frame's active object after this notice.
    if (before && before != &control)
        before->UIDeactivate();
}

void ControlContainer::NoteUIDeactivated(ControlSite& control)
{
    if (uiActive_ == &control)
        uiActive_ = nullptr;
}

namespace {

int Depth(const ControlSite* site)
{
    int levels = 0;
    for (; site->Parent(); site = site->Parent())
        ++levels;
    return levels;
}

bool Inside(const ControlSite* site, const ControlSite* ancestor)
{
    for (; site; site = site->Parent())
        if (site == ancestor)
            return true;
    return false;
}

// Unloads controls, contained ones before their frames: a frame's window holds theirs.
void UnloadInnermostFirst(std::vector<com::ComPtr<ControlSite>> leaving)
{
    std::stable_sort(leaving.begin(), leaving.end(),
                     [](const auto& a, const auto& b) { return Depth(a.Get()) > Depth(b.Get()); });
    for (const auto& control : leaving)
        control->Unload();
}

} // namespace

void ControlContainer::Remove(ControlSite& control)
{
    std::vector<com::ComPtr<ControlSite>> leaving;
    const auto staying = std::stable_partition(controls_.begin(), controls_.end(),
                                               [&](const auto& site) { return !Inside(site.Get(), &control); });
    leaving.assign(staying, controls_.end());
    controls_.erase(staying, controls_.end());
    const bool activeLeaves = std::any_of(leaving.begin(), leaving.end(),
                                          [this](const auto& site) { return site.Get() == uiActive_; });
    UnloadInnermostFirst(std::move(leaving));
    // Keys no longer go to a control that left, whether or not it said goodbye to the frame.
    if (activeLeaves) {
        uiActive_ = nullptr;
        frame_->Forget();
    }
}

void ControlContainer::Unload()
{
    std::vector<com::ComPtr<ControlSite>> leaving;
    leaving.swap(controls_);
    UnloadInnermostFirst(std::move(leaving));
    uiActive_ = nullptr;
    frame_->Forget();
}

void ControlContainer::NoteFocus(ControlSite& control, bool gotFocus) const
{
    if (focusHandler_)
        focusHandler_(control, gotFocus);
}

void ControlContainer::Dispatch(const ControlEvent& event) const
{
    if (handler_)
        handler_(event);
}

} // namespace korvane::activex
