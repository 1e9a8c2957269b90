#pragma once
// Finds and loads the port property module at run time, as the desktop console finds its
// extension libraries, and creates the module's page registry by class name.

#include <memory>
#include <string>
#include <vector>

class CPageRegistry;

namespace console {

inline constexpr const char* kModuleFileName = "libtorvik.so";

// Where to look, in order: the path given on the command line alone when there is one;
// otherwise next to the console's executable, then where an installation puts it relative to
// the executable (installedDir, e.g. "../lib/torvik"), then where the build put the module.
std::vector<std::string> moduleCandidates(const std::string& commandLinePath,
                                          const std::string& executableDir,
                                          const std::string& buildPath,
                                          const std::string& installedDir = "");
// The first candidate that exists, else the first candidate (so the load error names it).
std::string locateModule(const std::vector<std::string>& candidates);

// The folder of the running executable ("" if unknown).
std::string executableDir();

class LoadedModule {
public:
    // nullptr and *error ("cannot load PATH: <dlerror>") when the library does not load.
    static std::unique_ptr<LoadedModule> load(const std::string& path, std::string* error);
    // The library stays mapped for the life of the process: pages, templates and run-time
    // classes of the module are used until exit.
    ~LoadedModule() = default;

    const std::string& path() const { return m_path; }
    // A new page registry: "CTorvikRes" by class name, else the module's entry point.
    std::unique_ptr<CPageRegistry> createRegistry(std::string* error) const;

private:
    LoadedModule(std::string path, void* handle) : m_path(std::move(path)), m_handle(handle) {}

    std::string m_path;
    void* m_handle;
};

}  // namespace console
