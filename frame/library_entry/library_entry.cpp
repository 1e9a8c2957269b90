// The module's process-attach entry. A shared library has no attach call here, so the
// initialiser of this file's static stands in for it; it runs once when the library is
// loaded (by the dynamic loader or as a linked dependency).

#include <new>

#include "frame/module_instance.h"
#include "frame/module_pages.h"

namespace {

constexpr DWORD kProcessAttach = 1;

HINSTANCE g_hTorvikInstance = nullptr;
AFX_EXTENSION_MODULE g_torvikExtension;
// Kept for the life of the process: the module stays in the host's chain until it exits.
CDynLinkLibrary* g_pTorvikLibrary = nullptr;

BOOL TorvikLibraryMain(HINSTANCE instance, DWORD reason) {
    if (reason != kProcessAttach) {
        return TRUE;
    }
    g_hTorvikInstance = instance;
    torvik::registerModuleTemplates(instance);
    AfxInitExtensionModule(g_torvikExtension, instance);
    g_pTorvikLibrary = new (std::nothrow) CDynLinkLibrary(g_torvikExtension);
    return TRUE;
}

struct ProcessAttach {
    ProcessAttach() { TorvikLibraryMain(afx::createModuleHandle("torvik"), kProcessAttach); }
};
const ProcessAttach g_processAttach;

}  // namespace

HINSTANCE TorvikInstanceHandle() {
    return g_hTorvikInstance;
}

const AFX_EXTENSION_MODULE& TorvikExtensionModule() {
    return g_torvikExtension;
}
