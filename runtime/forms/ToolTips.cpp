#include "forms/ToolTips.h"

#include <commctrl.h>

#include "forms/Forms.h"

namespace korvane::forms {

namespace {

TTTOOLINFOA ToolOf(HWND form, HWND control) {
  TTTOOLINFOA tool{};
  // The classic size: the tooltip window of any version of the common controls accepts it.
  tool.cbSize = TTTOOLINFOA_V2_SIZE;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = form;
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  return tool;
}

}  // namespace

ToolTips::~ToolTips() { Destroy(); }

void ToolTips::Destroy() {
  if (window_ && IsWindow(window_)) DestroyWindow(window_);
  window_ = nullptr;
}

bool ToolTips::Add(HWND form, HWND control, const std::string& text) {
  if (!window_) {
    static const bool initialised = [] {
      INITCOMMONCONTROLSEX classes{sizeof classes, ICC_WIN95_CLASSES};
      return InitCommonControlsEx(&classes) != FALSE;
    }();
    if (!initialised) return false;
    window_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, form, nullptr,
                              ProgramInstance(), nullptr);
    if (!window_) return false;
  }
  TTTOOLINFOA tool = ToolOf(form, control);
  std::string copy = text;
  tool.lpszText = copy.data();
  return SendMessageA(window_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool)) != FALSE;
}

std::string ToolTips::TextOf(HWND form, HWND control) const {
  if (!window_) return {};
  char text[512] = {};
  TTTOOLINFOA tool = ToolOf(form, control);
  tool.lpszText = text;
  SendMessageA(window_, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
  return text;
}

}  // namespace korvane::forms
