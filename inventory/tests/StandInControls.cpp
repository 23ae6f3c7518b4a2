#include "StandInControls.h"

#include <windows.h>

#include <map>
#include <memory>
#include <set>
#include <string>
#include <variant>

#include "forms/Forms.h"
#include "forms/HostedControl.h"

namespace korvane::testing {
namespace {

using forms::EventArgs;
using forms::PropertyValue;

constexpr long kValue = 47;
constexpr long kFontSize = 2;
constexpr long kFontBold = 3;
constexpr long kMarqueeStyle = 60;
constexpr long kCaption = -518;
constexpr long kIndicatorLit = 50;
constexpr long kIndicatorColor = 8;
constexpr char kWindowClass[] = "KorvaneStandInControl";

enum class Behaviour { Check, Ribbon, Command, Frame, Indicator };

Behaviour BehaviourOf(const forms::ElementDescription& element) {
  if (element.Text("progid") == "BtnLib.vaBtn") return Behaviour::Indicator;
  const std::string clsid = element.Text("clsid");
  if (clsid == "{4113FBA2-F14B-11CF-9C79-0000C09300C4}") return Behaviour::Check;
  if (clsid == "{1E8B9953-DB45-11CF-9B47-0000C0F04C96}") return Behaviour::Frame;
  if (clsid == "{B28088C2-F453-11CF-9C7D-0000C09300C4}") return Behaviour::Ribbon;
  return Behaviour::Command;
}

long LongOf(const PropertyValue& value) {
  if (const bool* b = std::get_if<bool>(&value)) return *b ? -1 : 0;
  if (const long* l = std::get_if<long>(&value)) return *l;
  if (const float* f = std::get_if<float>(&value)) return static_cast<long>(*f);
  if (const double* d = std::get_if<double>(&value)) return static_cast<long>(*d);
  return 0;
}

class StandInControl;
StandInControl* g_underPointer = nullptr;
std::set<std::string> g_valueReadsRefused;

class StandInControl : public forms::HostedControl {
 public:
  StandInControl(forms::HostedControlSite& site, const forms::ElementDescription& element, HWND parent)
      : site_(site), behaviour_(BehaviourOf(element)), name_(element.name) {
    for (const auto& property : element.properties) {
      if (property.values.size() != 1) continue;
      const auto& value = property.values[0];
      const bool isTrue = value.kind == forms::DescriptionValue::Kind::Word && value.text == "True";
      if (property.name == "Caption") properties_[kCaption] = value.text;
      if (property.name == "Value") down_ = isTrue || value.number != 0;
      if (property.name == "FontSize") properties_[kFontSize] = static_cast<float>(value.number);
      if (property.name == "FontBold") properties_[kFontBold] = isTrue;
      if (property.name == "MarqueeStyle") properties_[kMarqueeStyle] = static_cast<long>(value.number);
    }
    if (behaviour_ == Behaviour::Indicator) {  // dark until lit, red until coloured
      properties_[kIndicatorLit] = false;
      properties_[kIndicatorColor] = static_cast<long>(RGB(255, 0, 0));
    }
    window_ = CreateWindowExA(0, kWindowClass, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 0, 10, 10, parent, nullptr,
                              forms::ProgramInstance(), this);
    if (!window_) throw std::runtime_error("the stand-in window could not be made");
  }
  ~StandInControl() override {
    if (g_underPointer == this) g_underPointer = nullptr;
    SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
  }

  HWND Window() const override { return window_; }
  void Move(const RECT& r) override { MoveWindow(window_, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE); }
  void SetVisible(bool visible) override { ShowWindow(window_, visible ? SW_SHOWNA : SW_HIDE); }
  bool Focus() override {
    ::SetFocus(window_);
    return GetFocus() == window_;
  }
  bool TranslateAccelerator(MSG&) override { return false; }

  HRESULT SetProperty(long dispid, const PropertyValue& value) override {
    if (dispid == kValue) {
      if (behaviour_ != Behaviour::Check && behaviour_ != Behaviour::Ribbon) return DISP_E_MEMBERNOTFOUND;
      const bool down = LongOf(value) != 0;
      if (down == down_) return S_OK;
      down_ = down;
      InvalidateRect(window_, nullptr, TRUE);
      RaiseClick();  // inside the set, as the real buttons do
      return S_OK;
    }
    const bool indicatorLamp =
        behaviour_ == Behaviour::Indicator && (dispid == kIndicatorLit || dispid == kIndicatorColor);
    if (dispid != kFontSize && dispid != kFontBold && dispid != kMarqueeStyle && dispid != kCaption &&
        !indicatorLamp) {
      return DISP_E_MEMBERNOTFOUND;
    }
    properties_[dispid] = value;
    InvalidateRect(window_, nullptr, TRUE);
    return S_OK;
  }
  HRESULT GetProperty(long dispid, PropertyValue& value) override {
    if (dispid == kValue) {
      if (behaviour_ != Behaviour::Check && behaviour_ != Behaviour::Ribbon) return DISP_E_MEMBERNOTFOUND;
      if (g_valueReadsRefused.count(name_)) return E_FAIL;
      // A check button reads 1 when checked; a ribbon reads True when down.
      value = behaviour_ == Behaviour::Check ? PropertyValue(down_ ? 1L : 0L) : PropertyValue(down_);
      return S_OK;
    }
    const auto found = properties_.find(dispid);
    if (found == properties_.end()) return DISP_E_MEMBERNOTFOUND;
    value = found->second;
    return S_OK;
  }

  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE) {
      SetWindowLongPtrA(window, GWLP_USERDATA,
                        reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lparam)->lpCreateParams));
    }
    auto* self = reinterpret_cast<StandInControl*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self) {
      LRESULT result = 0;
      if (self->OnMessage(message, wparam, lparam, result)) return result;
    }
    return DefWindowProcA(window, message, wparam, lparam);
  }

 private:
  bool OnMessage(UINT message, WPARAM, LPARAM, LRESULT& result) {
    switch (message) {
      case WM_PAINT: Paint(); return true;
      case WM_SETFOCUS: site_.FocusChanged(true); return true;
      case WM_GETDLGCODE: result = DLGC_BUTTON; return true;
      case WM_NCHITTEST:
        // The controls a frame holds lie over its window as its siblings: the pointer passes through the
        // frame to them.
        if (behaviour_ != Behaviour::Frame) return false;
        result = HTTRANSPARENT;
        return true;
      case WM_MOUSEMOVE:
        if (g_underPointer != this) {
          StandInControl* left = g_underPointer;
          g_underPointer = this;
          EventArgs exitArgs, enterArgs;
          if (left) left->site_.RaiseEvent("MouseExit", exitArgs);
          site_.RaiseEvent("MouseEnter", enterArgs);
        }
        return true;
      case WM_LBUTTONDOWN:
        ::SetFocus(window_);
        RaiseMouseDown(forms::kLeftButton);
        return true;
      case WM_RBUTTONDOWN: RaiseMouseDown(forms::kRightButton); return true;
      case WM_MBUTTONDOWN: RaiseMouseDown(forms::kMiddleButton); return true;
      case WM_LBUTTONUP:
        if (behaviour_ == Behaviour::Indicator) return true;
        if (behaviour_ == Behaviour::Check || behaviour_ == Behaviour::Ribbon) {
          down_ = !down_;
          InvalidateRect(window_, nullptr, TRUE);
        }
        RaiseClick();  // the handler may unload the form: nothing of this control is touched afterwards
        return true;
      default: return false;
    }
  }

  // The press itself, before the button toggles on the release.
  void RaiseMouseDown(int button) {
    if (behaviour_ == Behaviour::Indicator) return;
    EventArgs args;
    args.mouse.button = button;
    site_.RaiseEvent("MouseDown", args);
  }

  void RaiseClick() {
    EventArgs args;
    if (behaviour_ == Behaviour::Check || behaviour_ == Behaviour::Ribbon) args.values.push_back(down_ ? -1L : 0L);
    site_.RaiseEvent("Click", args);
  }

  void Paint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window_, &paint);
    RECT client;
    GetClientRect(window_, &client);
    const bool blinking = LongOf(properties_[kMarqueeStyle]) == 3;
    FillRect(dc, &client, GetSysColorBrush(down_ ? COLOR_3DSHADOW : blinking ? COLOR_INFOBK : COLOR_BTNFACE));
    if (behaviour_ == Behaviour::Indicator && LongOf(properties_[kIndicatorLit]) != 0) {
      HBRUSH lamp = CreateSolidBrush(static_cast<COLORREF>(LongOf(properties_[kIndicatorColor])));
      FillRect(dc, &client, lamp);
      DeleteObject(lamp);
    }
    DrawEdge(dc, &client, down_ ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    const auto* caption = std::get_if<std::string>(&properties_[kCaption]);
    const float size = static_cast<float>(std::holds_alternative<float>(properties_[kFontSize])
                                              ? std::get<float>(properties_[kFontSize])
                                              : 8.25f);
    const bool bold = LongOf(properties_[kFontBold]) != 0;
    HFONT font = CreateFontA(-MulDiv(static_cast<int>(size * 10), GetDeviceCaps(dc, LOGPIXELSY), 720), 0, 0, 0,
                             bold ? FW_BOLD : FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "MS Sans Serif");
    HGDIOBJ old = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    if (caption) DrawTextA(dc, caption->c_str(), -1, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SelectObject(dc, old);
    DeleteObject(font);
    EndPaint(window_, &paint);
  }

  forms::HostedControlSite& site_;
  Behaviour behaviour_;
  std::string name_;
  HWND window_ = nullptr;
  bool down_ = false;
  std::map<long, PropertyValue> properties_;
};

class StandInFactory : public forms::HostedControlFactory {
 public:
  std::unique_ptr<forms::HostedControl> Create(forms::HostedControlSite& site,
                                               const forms::ElementDescription& element, HWND parent) override {
    return std::make_unique<StandInControl>(site, element, parent);
  }
};

}  // namespace

StandInControls::StandInControls() {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = &StandInControl::Procedure;
  windowClass.hInstance = forms::ProgramInstance();
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.lpszClassName = kWindowClass;
  RegisterClassA(&windowClass);  // already registered by an earlier test: the same class serves
  forms::RegisterHostedControlFactory("activex", std::make_shared<StandInFactory>());
}

StandInControls::~StandInControls() {
  forms::RegisterHostedControlFactory("activex", nullptr);
  g_underPointer = nullptr;
  g_valueReadsRefused.clear();
}

void StandInControls::RefuseValueReads(const std::string& elementName) { g_valueReadsRefused.insert(elementName); }

}  // namespace korvane::testing
