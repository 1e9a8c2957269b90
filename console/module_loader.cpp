#include "console/module_loader.h"

#include <dlfcn.h>
#include <unistd.h>

#include <filesystem>

#include "frame/page_registry.h"
#include "framework/afx/runtime_class.h"
#include "framework/afx/wnd.h"

namespace console {

std::vector<std::string> moduleCandidates(const std::string& commandLinePath,
                                          const std::string& executableDir,
                                          const std::string& buildPath,
                                          const std::string& installedDir) {
    if (!commandLinePath.empty()) {
        return {commandLinePath};
    }
    std::vector<std::string> candidates;
    if (!executableDir.empty()) {
        candidates.push_back((std::filesystem::path(executableDir) / kModuleFileName).string());
        if (!installedDir.empty()) {
            candidates.push_back(
                (std::filesystem::path(executableDir) / installedDir / kModuleFileName)
                    .lexically_normal()
                    .string());
        }
    }
    if (!buildPath.empty()) {
        candidates.push_back(buildPath);
    }
    if (candidates.empty()) {
        candidates.push_back(kModuleFileName);  // the dynamic linker's search path
    }
    return candidates;
}

std::string locateModule(const std::vector<std::string>& candidates) {
    for (const std::string& candidate : candidates) {
        std::error_code ec;
        if (std::filesystem::is_regular_file(candidate, ec)) {
            return candidate;
        }
    }
    return candidates.empty() ? std::string(kModuleFileName) : candidates.front();
}

std::string executableDir() {
    std::error_code ec;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : self.parent_path().string();
}

std::unique_ptr<LoadedModule> LoadedModule::load(const std::string& path, std::string* error) {
    dlerror();
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        const char* why = dlerror();
        *error = "cannot load the module " + path + ": " + (why ? why : "unknown error");
        return nullptr;
    }
    return std::unique_ptr<LoadedModule>(new LoadedModule(path, handle));
}

std::unique_ptr<CPageRegistry> LoadedModule::createRegistry(std::string* error) const {
    if (CObject* object = CRuntimeClass::CreateObject(kTorvikRegistryClassName)) {
        if (auto* registry = dynamic_cast<CPageRegistry*>(object)) {
            return std::unique_ptr<CPageRegistry>(registry);
        }
        delete object;
        *error = std::string("the module's ") + kTorvikRegistryClassName +
                 " is not a page registry: " + m_path;
        return nullptr;
    }
    using EntryPoint = CPageRegistry* (*)();
    dlerror();
    auto entry = reinterpret_cast<EntryPoint>(dlsym(m_handle, kTorvikRegistryEntryPoint));
    if (entry == nullptr) {
        *error = std::string("the module has no page registry (") + kTorvikRegistryClassName +
                 " or " + kTorvikRegistryEntryPoint + "): " + m_path;
        return nullptr;
    }
    if (CPageRegistry* registry = entry()) {
        return std::unique_ptr<CPageRegistry>(registry);
    }
    *error = std::string("the module's ") + kTorvikRegistryEntryPoint + " returned nothing";
    return nullptr;
}

}  // namespace console
