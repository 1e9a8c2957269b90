#pragma once
// Points XDG_STATE_HOME at a folder of this test process, removed at exit, so that a console
// a test runs (in process or as a child) journals its changes there and never in the
// user's home. Test files that run the console call it at static initialisation:
//     static const bool kPrivateStateHome = test_support::usePrivateStateHome();

#include <cstdlib>
#include <filesystem>
#include <string>

namespace test_support {

inline const std::string& privateStateFolder() {
    static const std::string folder = [] {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "sw-test-state-XXXXXX").string();
        const char* made = mkdtemp(pattern.data());
        return std::string(made ? made : "/nonexistent/sw-test-state");
    }();
    return folder;
}

inline bool usePrivateStateHome() {
    static const bool used = [] {
        const std::string& folder = privateStateFolder();
        setenv("XDG_STATE_HOME", folder.c_str(), 1);
        // Registered once the folder's name exists, so it runs before that name goes.
        std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(privateStateFolder(), ignored);
        });
        return true;
    }();
    return used;
}

}  // namespace test_support
