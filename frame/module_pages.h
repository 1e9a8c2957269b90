#pragma once
// The module's pages and dialogs in one table: what the registry looks names up in, what the
// factory builds and which templates the library registers when it loads. A new page adds
// its line here and nothing else outside its own files.

#include <span>

#include "framework/afx/resources.h"

class CSwBasePropPage;

namespace torvik {

using TemplateMaker = afx::DialogTemplate (*)();

struct ModulePage {
    const char* name;  // as the console asks for it; letter case is ignored
    int dialogId;
    TemplateMaker makeTemplate;
    CSwBasePropPage* (*create)();  // NULL while the page is not part of the build
};

// Dialogs run by the pages; they have templates but no registry name.
struct ModuleDialog {
    int dialogId;
    TemplateMaker makeTemplate;
};

// In the order the registry has always listed them.
std::span<const ModulePage> modulePages();
std::span<const ModuleDialog> moduleDialogs();

// The entry of dialogId, or NULL.
const ModulePage* findModulePage(int dialogId);

// Registers the template of every page and dialog with the module's handle; false if any
// was refused (the window system reports why).
bool registerModuleTemplates(HINSTANCE module);

}  // namespace torvik
