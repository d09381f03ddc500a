// The form host slot. Its default is a scripted host without scripts, so a
// form shown where nobody can answer is left through its Esc or Enter button
// at once instead of waiting.
#include "platform/forms_host.h"

#include "platform/forms_script.h"

namespace qm::platform {

namespace {

ScriptedFormHost g_default;
FormHost* g_current = nullptr;

}  // namespace

FormHost& CurrentFormHost() { return g_current ? *g_current : g_default; }

void SetFormHost(FormHost* host) { g_current = host; }

void DoEvents() { CurrentFormHost().DoEvents(); }

void Beep() { CurrentFormHost().Beep(); }

}  // namespace qm::platform
