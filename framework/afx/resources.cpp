#include "framework/afx/resources.h"

#include <algorithm>
#include <map>
#include <set>

#include "framework/afx/fault.h"

namespace {

struct ModuleResources {
    std::string name;
    std::map<int, afx::DialogTemplate> dialogs;
};

struct ResourceRegistry {
    std::map<HINSTANCE, ModuleResources> modules;
    std::uintptr_t nextHandle = 0x10000;
    std::vector<CDynLinkLibrary*> chain;
    AFX_MODULE_STATE state;
};

ResourceRegistry& registry() {
    static ResourceRegistry instance;
    return instance;
}

}  // namespace

namespace afx {

HINSTANCE createModuleHandle(const std::string& name) {
    auto& reg = registry();
    HINSTANCE handle = reinterpret_cast<HINSTANCE>(reg.nextHandle);
    reg.nextHandle += 0x10000;
    reg.modules[handle].name = name;
    return handle;
}

std::string moduleName(HINSTANCE module) {
    auto& reg = registry();
    auto it = reg.modules.find(module);
    return it == reg.modules.end() ? std::string() : it->second.name;
}

bool registerDialogTemplate(HINSTANCE module, DialogTemplate dialog) {
    auto& reg = registry();
    auto it = reg.modules.find(module);
    if (it == reg.modules.end()) {
        fault("dialog " + std::to_string(dialog.id) + ": unknown module");
        return false;
    }
    std::set<int> ids;
    for (const auto& control : dialog.controls) {
        if (control.id != IDC_STATIC && !ids.insert(control.id).second) {
            fault("dialog " + std::to_string(dialog.id) + " of module " + it->second.name +
                  " has control id " + std::to_string(control.id) + " twice");
            return false;
        }
    }
    if (it->second.dialogs.count(dialog.id) != 0) {
        fault("module " + it->second.name + " has dialog " + std::to_string(dialog.id) + " twice");
        return false;
    }
    const int id = dialog.id;
    it->second.dialogs.emplace(id, std::move(dialog));
    return true;
}

void removeDialogTemplates(HINSTANCE module) {
    auto& reg = registry();
    auto it = reg.modules.find(module);
    if (it != reg.modules.end()) {
        it->second.dialogs.clear();
    }
}

const DialogTemplate* findDialogTemplateIn(HINSTANCE module, int id) {
    auto& reg = registry();
    auto it = reg.modules.find(module);
    if (it == reg.modules.end()) {
        return nullptr;
    }
    auto d = it->second.dialogs.find(id);
    return d == it->second.dialogs.end() ? nullptr : &d->second;
}

HINSTANCE findDialogTemplateModule(int id) {
    if (findDialogTemplateIn(AfxGetResourceHandle(), id)) {
        return AfxGetResourceHandle();
    }
    for (CDynLinkLibrary* library : registry().chain) {
        if (findDialogTemplateIn(library->m_hResource, id)) {
            return library->m_hResource;
        }
    }
    return findDialogTemplateIn(AfxGetInstanceHandle(), id) ? AfxGetInstanceHandle() : nullptr;
}

const DialogTemplate* findDialogTemplate(int id) {
    return findDialogTemplateIn(findDialogTemplateModule(id), id);
}

}  // namespace afx

AFX_MODULE_STATE* AfxGetModuleState() {
    auto& state = registry().state;
    if (!state.m_hCurrentInstanceHandle) {
        state.m_hCurrentInstanceHandle = afx::createModuleHandle("host");
        state.m_hCurrentResourceHandle = state.m_hCurrentInstanceHandle;
    }
    return &state;
}

HINSTANCE AfxGetInstanceHandle() {
    return AfxGetModuleState()->m_hCurrentInstanceHandle;
}
HINSTANCE AfxGetResourceHandle() {
    return AfxGetModuleState()->m_hCurrentResourceHandle;
}
void AfxSetResourceHandle(HINSTANCE resource) {
    AfxGetModuleState()->m_hCurrentResourceHandle = resource;
}

BOOL AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE module) {
    if (state.bInitialized) {
        return TRUE;
    }
    state.hModule = module;
    state.hResource = module;
    state.classListId = afx::claimPendingClasses(&state);
    state.bInitialized = TRUE;
    return TRUE;
}

void AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL /*all*/) {
    state.bInitialized = FALSE;
}

IMPLEMENT_DYNAMIC(CDynLinkLibrary, CCmdTarget)

CDynLinkLibrary::CDynLinkLibrary(AFX_EXTENSION_MODULE& state, BOOL system)
    : m_hModule(state.hModule),
      m_hResource(state.hResource),
      m_bSystem(system),
      m_classListId(state.classListId) {
    registry().chain.push_back(this);
    afx::joinClassList(m_classListId, true);
}

CDynLinkLibrary::~CDynLinkLibrary() {
    auto& chain = registry().chain;
    chain.erase(std::remove(chain.begin(), chain.end(), this), chain.end());
    afx::joinClassList(m_classListId, false);
}

std::vector<CDynLinkLibrary*> CDynLinkLibrary::chain() {
    return registry().chain;
}
