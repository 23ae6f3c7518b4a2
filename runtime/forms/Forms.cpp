#include "forms/Forms.h"

#include <algorithm>
#include <utility>

#include "forms/MessageBox.h"

namespace korvane::forms {

namespace {

// The program's loaded forms, the unloaded ones whose handlers may still be running, and the handler
// depth that says when those can go.
struct Registry {
  std::vector<std::pair<std::type_index, std::unique_ptr<Form>>> loaded;
  std::vector<std::unique_ptr<Form>> unloaded;
  int handler_depth = 0;
  bool ended = false;
};

Registry& TheRegistry() {
  static Registry registry;
  return registry;
}

constexpr const char* kRuntimeWindowClass = "KorvaneFormsRuntime";
constexpr UINT kFinishUnloads = WM_APP + 1;

void FinishUnloads();

LRESULT CALLBACK RuntimeWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == kFinishUnloads) {
    FinishUnloads();
    return 0;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

// A message-only window: the unloads that handlers asked for are finished from its queue, once no handler
// runs any more (a message box's own loop may deliver the message early; it then waits for the next one).
HWND RuntimeWindow() {
  static HWND window = [] {
    WNDCLASSEXA window_class{};
    window_class.cbSize = sizeof window_class;
    window_class.lpfnWndProc = &RuntimeWindowProc;
    window_class.hInstance = ProgramInstance();
    window_class.lpszClassName = kRuntimeWindowClass;
    RegisterClassExA(&window_class);
    return CreateWindowExA(0, kRuntimeWindowClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, ProgramInstance(), nullptr);
  }();
  return window;
}

void FinishUnloads() {
  Registry& registry = TheRegistry();
  if (registry.handler_depth > 0) return;
  // Destroying a form may run code that unloads more; take them in rounds.
  while (!registry.unloaded.empty()) {
    std::vector<std::unique_ptr<Form>> finished = std::move(registry.unloaded);
    registry.unloaded.clear();
    for (auto& form : finished) form->DestroyWindowAndControls();
  }
  if (registry.loaded.empty()) registry.ended = true;
}

}  // namespace

HINSTANCE ProgramInstance() { return GetModuleHandleA(nullptr); }

Forms::HandlerScope::HandlerScope() { ++TheRegistry().handler_depth; }

Forms::HandlerScope::~HandlerScope() {
  Registry& registry = TheRegistry();
  if (--registry.handler_depth > 0) return;
  ListBox::EndFills();
  if (!registry.unloaded.empty() || registry.loaded.empty()) PostMessageA(RuntimeWindow(), kFinishUnloads, 0, 0);
}

bool Forms::HandlerRunning() { return TheRegistry().handler_depth > 0; }

Form* Forms::Loaded(std::type_index type) {
  for (auto& [loaded_type, form] : TheRegistry().loaded)
    if (loaded_type == type) return form.get();
  return nullptr;
}

Form& Forms::Add(std::type_index type, std::unique_ptr<Form> form) {
  Registry& registry = TheRegistry();
  RuntimeWindow();
  registry.ended = false;
  Form& added = *form;
  // The form counts as loaded while its Form_Load runs: a reference to it from there finds it.
  registry.loaded.emplace_back(type, std::move(form));
  try {
    added.Load();
  } catch (...) {
    auto at = std::find_if(registry.loaded.begin(), registry.loaded.end(),
                           [&](const auto& entry) { return entry.second.get() == &added; });
    if (at != registry.loaded.end()) {
      at->second->MarkUnloaded();
      at->second->DestroyWindowAndControls();
      registry.loaded.erase(at);
    }
    throw;
  }
  return added;
}

void Forms::Unload(Form& form) {
  Registry& registry = TheRegistry();
  auto at = std::find_if(registry.loaded.begin(), registry.loaded.end(),
                         [&](const auto& entry) { return entry.second.get() == &form; });
  if (at == registry.loaded.end()) return;
  form.MarkUnloaded();
  if (form.Window()) ShowWindow(form.Window(), SW_HIDE);
  registry.unloaded.push_back(std::move(at->second));
  registry.loaded.erase(at);
  if (registry.handler_depth == 0) FinishUnloads();
}

void Forms::UnloadAll() {
  while (!TheRegistry().loaded.empty()) Unload(*TheRegistry().loaded.back().second);
  FinishUnloads();
}

std::vector<Form*> Forms::LoadedForms() {
  std::vector<Form*> forms;
  for (auto& entry : TheRegistry().loaded) forms.push_back(entry.second.get());
  return forms;
}

Form* Forms::Find(std::string_view name) {
  for (auto& entry : TheRegistry().loaded)
    if (entry.second->Name() == name) return entry.second.get();
  return nullptr;
}

Form* Forms::FormOfWindow(HWND window) {
  if (!window) return nullptr;
  HWND root = GetAncestor(window, GA_ROOT);
  for (auto& entry : TheRegistry().loaded)
    if (entry.second->Window() == root) return entry.second.get();
  return nullptr;
}

bool Forms::Ended() { return TheRegistry().ended; }

void Forms::ProcessMessage(MSG& message) {
  if (message.message >= WM_KEYFIRST && message.message <= WM_KEYLAST) {
    if (Form* form = Forms::FormOfWindow(message.hwnd)) {
      Control* control = form->ControlOfWindow(message.hwnd);
      if (control && control->TranslateAccelerator(message)) return;
      if (message.message == WM_KEYDOWN && message.wParam == VK_TAB && GetKeyState(VK_CONTROL) >= 0 &&
          GetKeyState(VK_MENU) >= 0 && form->TabToNext(GetKeyState(VK_SHIFT) < 0))
        return;
    }
  }
  TranslateMessage(&message);
  DispatchMessageA(&message);
}

int Forms::RunProgram(void (*start)()) {
  try {
    start();
  } catch (const std::exception& e) {
    MsgBox(e.what(), MB_ICONHAND | MB_OK);
    UnloadAll();
    return 1;
  }
  MSG message;
  while (!Ended()) {
    const BOOL got = GetMessageA(&message, nullptr, 0, 0);
    if (got == 0 || got == -1) break;
    ProcessMessage(message);
  }
  return 0;
}

}  // namespace korvane::forms
