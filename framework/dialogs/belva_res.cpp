#include "framework/dialogs/belva_res.h"

#include <strings.h>

#include <new>

#include "framework/afx/app.h"
#include "framework/dialogs/bridge_address_dialog.h"
#include "framework/dialogs/dialog_templates.h"
#include "framework/dialogs/port_mirror_dialog.h"

namespace {

// Stands in for the library's process-attach call: registers the templates and joins the
// host's chain of modules for the life of the process.
struct LibraryEntry {
    LibraryEntry() {
        handle = afx::createModuleHandle("dialogs");
        belva::registerTemplates(handle);
        AfxInitExtensionModule(extension, handle);
        library = new (std::nothrow) CDynLinkLibrary(extension);
    }
    HINSTANCE handle = nullptr;
    AFX_EXTENSION_MODULE extension;
    CDynLinkLibrary* library = nullptr;
};

LibraryEntry& entry() {
    static LibraryEntry once;
    return once;
}

const LibraryEntry& g_loaded = entry();

}  // namespace

namespace belva {
HINSTANCE moduleHandle() {
    return entry().handle;
}
}  // namespace belva

CSwBaseDialog* CBelvaRes::GetDialog(const char* name, CWnd* parent) {
    (void)g_loaded;
    if (name != nullptr && ::strcasecmp(name, "BridgeAddr") == 0) {
        return new (std::nothrow) CBridgeAddrDialog(parent);
    }
    if (name != nullptr && ::strcasecmp(name, "PortMirror") == 0) {
        return new (std::nothrow) CPortMirrorDialog(parent);
    }
    CString message;
    message.Format("Dialog <%s> not found", name ? name : "");
    AfxMessageBox(message, 0);
    return nullptr;
}
