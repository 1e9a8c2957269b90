#pragma once
// Dialog templates as data, grouped in module resource sets addressed by an HINSTANCE, and
// the module state that says where templates are looked up first.
//
// Lookup order: the current resource handle's module, then every module joined to the chain
// by a CDynLinkLibrary (oldest first), then the host's own module.

#include <string>
#include <vector>

#include "framework/afx/window.h"
#include "framework/afx/wnd.h"

namespace afx {

struct ControlTemplate {
    int id = IDC_STATIC;
    WindowClass cls = WindowClass::Static;
    std::string text;
    CRect rect;       // dialog units
    DWORD style = 0;  // afx::style bits
};

struct DialogTemplate {
    int id = 0;
    std::string caption;
    CSize size;  // dialog units
    std::vector<ControlTemplate> controls;
};

// A new module handle (the host's own is AfxGetInstanceHandle()).
HINSTANCE createModuleHandle(const std::string& name);
std::string moduleName(HINSTANCE module);

// Adds a template to the module's set. Refused (a fault, and false) when two of its controls
// share an id other than IDC_STATIC, or the module already has a template with that id.
bool registerDialogTemplate(HINSTANCE module, DialogTemplate dialog);
void removeDialogTemplates(HINSTANCE module);
// The template from the lookup order above, or nullptr.
const DialogTemplate* findDialogTemplate(int id);
const DialogTemplate* findDialogTemplateIn(HINSTANCE module, int id);
// The module whose template findDialogTemplate(id) would return now, or nullptr.
HINSTANCE findDialogTemplateModule(int id);

}  // namespace afx

struct AFX_MODULE_STATE {
    HINSTANCE m_hCurrentInstanceHandle = nullptr;
    HINSTANCE m_hCurrentResourceHandle = nullptr;
    LPCTSTR m_lpszCurrentAppName = nullptr;
};

AFX_MODULE_STATE* AfxGetModuleState();
HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();
void AfxSetResourceHandle(HINSTANCE resource);

struct AFX_EXTENSION_MODULE {
    BOOL bInitialized = FALSE;
    HMODULE hModule = nullptr;
    HMODULE hResource = nullptr;
    int classListId = 0;  // the run-time classes claimed for this module
};

// Claims the run-time classes of the library holding state for this module.
BOOL AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE module);
void AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL all = FALSE);

// Joins a module's resources and run-time classes to the host's chain while it lives.
class CDynLinkLibrary : public CCmdTarget {
    DECLARE_DYNAMIC(CDynLinkLibrary)
public:
    explicit CDynLinkLibrary(AFX_EXTENSION_MODULE& state, BOOL system = FALSE);
    ~CDynLinkLibrary() override;
    CDynLinkLibrary(const CDynLinkLibrary&) = delete;
    CDynLinkLibrary& operator=(const CDynLinkLibrary&) = delete;

    HMODULE m_hModule;
    HMODULE m_hResource;
    BOOL m_bSystem;

    static std::vector<CDynLinkLibrary*> chain();

private:
    int m_classListId;
};
