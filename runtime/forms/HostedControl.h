// The forms' extension point for controls the runtime does not build itself (ActiveX controls named by
// CLSID, element kind `activex`). A form description element such as
//
//   activex ribTravelVia index 1 {
//     clsid "{...}"
//     rect 8 8 120 24
//     tab 3
//     ...                              # whatever else the factory reads (persisted state and so on)
//   }
//
// is handed, while the form loads, to the factory registered for its kind. The factory returns a
// HostedControl that the form owns: the form places it, shows and hides it, gives it the focus in tab
// order, lets it see keyboard messages first (TranslateAccelerator) and destroys it when the form unloads.
// The control raises its events through its HostedControlSite; they reach the form's handler named by
// the element's name (and index) and the event's name, e.g. `ribTravelVia_Click` or `Sales_MouseDown`.
//
//   class ActiveXFactory : public korvane::forms::HostedControlFactory {
//     std::unique_ptr<HostedControl> Create(HostedControlSite& site, const ElementDescription& element,
//                                           HWND parent) override;
//   };
//   korvane::forms::RegisterHostedControlFactory("activex", std::make_shared<ActiveXFactory>());
//
// The program's handlers reach a hosted control by name: `Hosted("ItemReceipts").SetProperty(47, true)`.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "forms/Control.h"
#include "forms/Events.h"
#include "forms/FormDescription.h"

namespace korvane::forms {

class Form;
class HostedControl;

// What the form offers the control it hosts. Lives as long as the control.
class HostedControlSite {
 public:
  virtual ~HostedControlSite() = default;

  virtual Form& OwnerForm() = 0;
  virtual const std::string& Name() const = 0;
  virtual std::optional<int> Index() const = 0;
  // The window the control lives in (the form's client window).
  virtual HWND ContainerWindow() const = 0;
  // The hosted control whose element holds this one's element (a frame), or null when the form holds it.
  // The element's rect is relative to the holder; Move() always gives the place in the form's client area.
  virtual HostedControl* Holder() const { return nullptr; }
  // The form's font and back colour, for the control's ambient properties.
  virtual FontDescription AmbientFont() const = 0;
  virtual COLORREF AmbientBackColor() const = 0;
  // Raises one of the control's events to the form's handler; true when a handler ran. `args.index` is
  // filled in by the site. The handler runs before this returns (it may unload the form: the control stays
  // alive until the handler has returned and the message loop runs again).
  virtual bool RaiseEvent(std::string_view event, EventArgs& args) = 0;
  // The control took or lost the keyboard focus by itself (a click inside it).
  virtual void FocusChanged(bool has_focus) = 0;
};

// One hosted control, as the form sees it. Destroying it releases the control.
class HostedControl {
 public:
  virtual ~HostedControl() = default;

  // The window that holds the control's keyboard focus; null for a control without a window.
  virtual HWND Window() const = 0;
  // Places the control in the form's client area (pixels).
  virtual void Move(const RECT& bounds) = 0;
  virtual void SetVisible(bool visible) = 0;
  // Gives the control the keyboard focus (UI activation); false when it cannot take it.
  virtual bool Focus() = 0;
  // Offered every keyboard message of the message loop while the control has the focus; true when the
  // control handled it (the form then does nothing more with it).
  virtual bool TranslateAccelerator(MSG& message) = 0;

  // The control's properties by dispatch identifier. S_OK or the failure of the control.
  virtual HRESULT SetProperty(long dispid, const PropertyValue& value) = 0;
  virtual HRESULT GetProperty(long dispid, PropertyValue& value) = 0;

  // Why the control's stored settings could not be read, the control having started with its defaults
  // instead; empty when they were read (or it has none).
  virtual std::string StoredStateProblem() const { return {}; }
};

class HostedControlFactory {
 public:
  virtual ~HostedControlFactory() = default;
  // Makes the control of one element. `parent` is the form's client window. A failure is thrown (any
  // std::exception; the form then fails to load with that message) or answered with null.
  virtual std::unique_ptr<HostedControl> Create(HostedControlSite& site, const ElementDescription& element,
                                                HWND parent) = 0;
};

// Registers the factory of one element kind, replacing an earlier one; a null factory removes it.
void RegisterHostedControlFactory(const std::string& kind, std::shared_ptr<HostedControlFactory> factory);

// The control of the form that holds a hosted control: what the program's handlers reach by name.
class HostedControlHolder : public Control, private HostedControlSite {
 public:
  // `holder` is the hosted control whose element holds this one, or null.
  HostedControlHolder(Form& owner, const ElementDescription& element, POINT origin,
                      std::shared_ptr<HostedControlFactory> factory, HostedControlHolder* holder);
  ~HostedControlHolder() override;

  HRESULT SetProperty(long dispid, const PropertyValue& value);
  HRESULT GetProperty(long dispid, PropertyValue& value);
  // The value read, or an empty value when the control refused.
  PropertyValue Property(long dispid);
  // The control itself, for code that knows its real type; null when it could not be made.
  HostedControl* Hosted() const { return hosted_.get(); }
  // Why the control could not be made; empty when it was.
  const std::string& MissingReason() const { return missing_reason_; }
  // Why the control's stored settings could not be read (it runs with its defaults); empty when they were.
  const std::string& DefaultsReason() const { return defaults_reason_; }

  HWND Window() const override;
  void SetFocus() override;
  void Create(HWND parent) override;
  bool TranslateAccelerator(MSG& message) override;

 protected:
  void ApplyVisible() override;
  void ApplyBounds() override;

 private:
  // HostedControlSite
  Form& OwnerForm() override;
  const std::string& Name() const override;
  std::optional<int> Index() const override;
  HWND ContainerWindow() const override;
  HostedControl* Holder() const override;
  FontDescription AmbientFont() const override;
  COLORREF AmbientBackColor() const override;
  bool RaiseEvent(std::string_view event, EventArgs& args) override;
  void FocusChanged(bool has_focus) override;

  std::shared_ptr<HostedControlFactory> factory_;
  HostedControlHolder* holder_;
  std::unique_ptr<HostedControl> hosted_;
  std::string missing_reason_;
  std::string defaults_reason_;
  HWND container_ = nullptr;
};

}  // namespace korvane::forms
