// The default window service: the windows of the forms model. Style bits and
// the procedure chain live in each loaded form's FormWindow; a message sent
// to a form window goes to the head of its chain.
#include "platform/forms.h"
#include "platform/windows.h"

namespace qm::platform {

namespace {

class FormWindows : public WindowService {
 public:
  WindowHandle ActiveWindow() override { return ActiveFormWindow(); }

  std::uint32_t GetStyle(WindowHandle window) override {
    UserForm* form = FormOfWindow(window);
    return form ? form->Window().style : 0;
  }

  bool SetStyle(WindowHandle window, std::uint32_t style) override {
    UserForm* form = FormOfWindow(window);
    if (form) form->Window().style = style;
    return form != nullptr;
  }

  void DrawMenuBar(WindowHandle) override {}  // the host draws the frame from the style

  WindowProc ReplaceWindowProc(WindowHandle window, WindowProc proc) override {
    UserForm* form = FormOfWindow(window);
    if (!form || !proc) return nullptr;
    WindowProc previous = form->Window().proc;
    form->Window().proc = proc;
    return previous;
  }

  std::intptr_t CallWindowProc(WindowProc proc, WindowHandle window, unsigned message, std::uintptr_t first,
                               std::intptr_t second) override {
    return proc ? proc(window, message, first, second) : 0;
  }

  bool IsWindow(WindowHandle window) override { return FormOfWindow(window) != nullptr; }

  std::intptr_t SendMessage(WindowHandle window, unsigned message, std::uintptr_t first,
                            std::intptr_t second) override {
    UserForm* form = FormOfWindow(window);
    if (!form || !form->Window().proc) return 0;
    return form->Window().proc(window, message, first, second);
  }
};

FormWindows g_default;
WindowService* g_current = nullptr;

}  // namespace

WindowService& CurrentWindows() { return g_current ? *g_current : g_default; }

void SetWindows(WindowService* service) { g_current = service; }

}  // namespace qm::platform
