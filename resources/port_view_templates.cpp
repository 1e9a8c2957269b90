#include "resources/port_view_templates.h"

#include "frame/module_instance.h"

namespace torvik {

int ensureModuleTemplate(int dialogId, afx::DialogTemplate (*make)()) {
    const HINSTANCE module = TorvikInstanceHandle();
    if (module && !afx::findDialogTemplateIn(module, dialogId)) {
        afx::registerDialogTemplate(module, make());
    }
    return dialogId;
}

}  // namespace torvik
