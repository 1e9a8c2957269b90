#include "framework/sw/help_engine.h"

#include <dlfcn.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <utility>

extern char** environ;

namespace fs = std::filesystem;

namespace sw {

namespace {

HelpTopicRecord g_last;
HelpViewer g_viewer;

fs::path libraryDirectory() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&helpPathOf), &info) == 0 || !info.dli_fname) {
        return {};
    }
    std::error_code ec;
    const fs::path library = fs::canonical(info.dli_fname, ec);
    return ec ? fs::path() : library.parent_path();
}

fs::path helpRoot() {
    if (const char* root = std::getenv("SW_HELP_ROOT"); root && *root) {
        return root;
    }
    std::error_code ec;
    for (fs::path dir = libraryDirectory(); !dir.empty(); dir = dir.parent_path()) {
        // The source and build trees have resources/help; an installed tree share/torvik/help.
        for (const fs::path& candidate :
             {dir / "resources" / "help", dir / "share" / "torvik" / "help"}) {
            if (fs::is_directory(candidate, ec)) {
                return candidate;
            }
        }
        if (dir == dir.parent_path()) {
            break;
        }
    }
    if (const char* source = std::getenv("SW_SOURCE_DIR"); source && *source) {
        return fs::path(source) / "resources" / "help";
    }
    return {};
}

void runViewer(const char* viewer, const std::string& path) {
    pid_t pid = 0;
    char* argv[] = {const_cast<char*>(viewer), const_cast<char*>(path.c_str()), nullptr};
    if (posix_spawnp(&pid, viewer, nullptr, nullptr, argv, environ) != 0) {
        std::fprintf(stderr, "help: cannot run %s\n", viewer);
        return;
    }
    int status = 0;
    waitpid(pid, &status, 0);
}

}  // namespace

std::string helpPathOf(const std::string& topic) {
    const fs::path root = helpRoot();
    if (root.empty()) {
        return {};
    }
    const auto slash = topic.find_first_of("\\/");
    const std::string folder = slash == std::string::npos ? std::string() : topic.substr(0, slash);
    const std::string page = slash == std::string::npos ? topic : topic.substr(slash + 1);
    return (root / folder / (page + ".html")).lexically_normal().string();
}

HelpViewer setHelpViewer(HelpViewer viewer) {
    std::swap(g_viewer, viewer);
    return viewer;
}

const HelpTopicRecord& lastHelpTopic() {
    return g_last;
}

}  // namespace sw

BOOL HelpEngine(LPCTSTR topic, int showNow) {
    HelpTopicRecord record;
    record.topic = topic ? topic : "";
    record.path = sw::helpPathOf(record.topic);
    std::error_code ec;
    record.exists = !record.path.empty() && fs::is_regular_file(record.path, ec);
    sw::g_last = record;
    if (!showNow) {
        return record.exists ? TRUE : FALSE;
    }
    if (sw::g_viewer) {
        // It says so itself when the topic has no page.
        const sw::HelpViewer viewer = sw::g_viewer;  // it may install another
        viewer(record);
        return record.exists ? TRUE : FALSE;
    }
    if (!record.exists) {
        std::fprintf(stderr, "help: no page for topic %s (%s)\n", record.topic.c_str(),
                     record.path.c_str());
        return FALSE;
    }
    if (const char* viewer = std::getenv("SW_HELP_VIEWER"); viewer && *viewer) {
        sw::runViewer(viewer, record.path);
    } else {
        std::printf("help: %s\n", record.path.c_str());
    }
    return TRUE;
}
