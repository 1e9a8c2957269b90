#include "console/module_loader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "frame/page_registry.h"

namespace console {
namespace {

TEST(ModuleLoader, CommandLineOverridesThenNextToTheExecutableThenTheBuild) {
    EXPECT_EQ(moduleCandidates("/opt/x/libtorvik.so", "/usr/bin", "/b/libtorvik.so"),
              (std::vector<std::string>{"/opt/x/libtorvik.so"}));
    EXPECT_EQ(moduleCandidates("", "/usr/bin", "/b/libtorvik.so"),
              (std::vector<std::string>{"/usr/bin/libtorvik.so", "/b/libtorvik.so"}));
    EXPECT_EQ(moduleCandidates("", "", ""), (std::vector<std::string>{"libtorvik.so"}));
}

TEST(ModuleLoader, LocatePrefersTheFirstThatExists) {
    const auto dir = std::filesystem::temp_directory_path() / "swconsole_locate_test";
    std::filesystem::create_directories(dir);
    const std::string present = (dir / "libtorvik.so").string();
    std::ofstream(present) << "x";
    EXPECT_EQ(locateModule({(dir / "missing.so").string(), present}), present);
    // Nothing exists: the first is named, so the load error points where the console looked.
    EXPECT_EQ(locateModule({"/nowhere/a.so", "/nowhere/b.so"}), "/nowhere/a.so");
    std::filesystem::remove_all(dir);
}

TEST(ModuleLoader, ALibraryThatDoesNotLoadIsNamedWithTheLoaderReason) {
    std::string error;
    EXPECT_EQ(LoadedModule::load("/nowhere/libtorvik.so", &error), nullptr);
    EXPECT_NE(error.find("/nowhere/libtorvik.so"), std::string::npos) << error;
    EXPECT_NE(error.find("No such file"), std::string::npos) << error;

    // A file that is not a shared library.
    const auto bogus = std::filesystem::temp_directory_path() / "swconsole_not_a_library.so";
    std::ofstream(bogus) << "not an ELF file";
    error.clear();
    EXPECT_EQ(LoadedModule::load(bogus.string(), &error), nullptr);
    EXPECT_NE(error.find(bogus.string()), std::string::npos) << error;
    std::filesystem::remove(bogus);
}

#ifdef SW_TORVIK_BUILD_PATH
TEST(ModuleLoader, TheBuiltModuleGivesItsRegistryByClassName) {
    std::string error;
    auto module = LoadedModule::load(SW_TORVIK_BUILD_PATH, &error);
    ASSERT_NE(module, nullptr) << error;
    auto registry = module->createRegistry(&error);
    EXPECT_NE(registry, nullptr) << error;
}
#endif

}  // namespace
}  // namespace console
