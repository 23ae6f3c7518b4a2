#include "forms/HostedControl.h"

#include <map>

#include "forms/Form.h"
#include "forms/HostedControlFactories.h"

namespace korvane::forms {

namespace {

std::map<std::string, std::shared_ptr<HostedControlFactory>>& Factories() {
  static std::map<std::string, std::shared_ptr<HostedControlFactory>> factories;
  return factories;
}

}  // namespace

void RegisterHostedControlFactory(const std::string& kind, std::shared_ptr<HostedControlFactory> factory) {
  if (factory)
    Factories()[kind] = std::move(factory);
  else
    Factories().erase(kind);
}

std::shared_ptr<HostedControlFactory> HostedControlFactoryFor(const std::string& kind) {
  auto found = Factories().find(kind);
  return found == Factories().end() ? nullptr : found->second;
}

HostedControlHolder::HostedControlHolder(Form& owner, const ElementDescription& element, POINT origin,
                                         std::shared_ptr<HostedControlFactory> factory, HostedControlHolder* holder)
    : Control(owner, element, origin), factory_(std::move(factory)), holder_(holder) {}

HostedControlHolder::~HostedControlHolder() {
  // The control is released while the form's window still stands, so it can leave it in order.
  hosted_.reset();
}

void HostedControlHolder::Create(HWND parent) {
  container_ = parent;
  // A control that cannot be made (its library is missing, unregistered or refuses) leaves its place
  // empty: the form reports it and works without it, and the control's properties answer E_UNEXPECTED.
  try {
    hosted_ = factory_->Create(*this, element_, parent);
  } catch (const std::exception& e) {
    missing_reason_ = e.what();
  }
  if (!hosted_) {
    if (missing_reason_.empty()) missing_reason_ = "the control refused to be made";
    return;
  }
  defaults_reason_ = hosted_->StoredStateProblem();
  ApplyBounds();
  ApplyVisible();
}

HWND HostedControlHolder::Window() const { return hosted_ ? hosted_->Window() : nullptr; }

void HostedControlHolder::ApplyVisible() {
  if (hosted_) hosted_->SetVisible(Visible());
}

void HostedControlHolder::ApplyBounds() {
  if (hosted_) hosted_->Move(Bounds());
}

void HostedControlHolder::SetFocus() {
  if (!hosted_) return;
  if (!IsWindowVisible(Owner().Window())) Owner().Show();
  if (hosted_->Focus()) Owner().NoteFocus(this);
}

bool HostedControlHolder::TranslateAccelerator(MSG& message) { return hosted_ && hosted_->TranslateAccelerator(message); }

HRESULT HostedControlHolder::SetProperty(long dispid, const PropertyValue& value) {
  return hosted_ ? hosted_->SetProperty(dispid, value) : E_UNEXPECTED;
}

HRESULT HostedControlHolder::GetProperty(long dispid, PropertyValue& value) {
  return hosted_ ? hosted_->GetProperty(dispid, value) : E_UNEXPECTED;
}

PropertyValue HostedControlHolder::Property(long dispid) {
  PropertyValue value;
  if (FAILED(GetProperty(dispid, value))) return PropertyValue{};
  return value;
}

Form& HostedControlHolder::OwnerForm() { return Owner(); }
const std::string& HostedControlHolder::Name() const { return Control::Name(); }
std::optional<int> HostedControlHolder::Index() const { return Control::Index(); }
HWND HostedControlHolder::ContainerWindow() const { return container_; }
HostedControl* HostedControlHolder::Holder() const { return holder_ ? holder_->Hosted() : nullptr; }
FontDescription HostedControlHolder::AmbientFont() const { return Owner().Font(); }
COLORREF HostedControlHolder::AmbientBackColor() const { return Owner().BackColor(); }

bool HostedControlHolder::RaiseEvent(std::string_view event, EventArgs& args) { return Raise(event, args); }

void HostedControlHolder::FocusChanged(bool has_focus) {
  if (has_focus) Owner().NoteFocus(this);
}

}  // namespace korvane::forms
