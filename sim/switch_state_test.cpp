// The switch's state kept across restarts: what a SET changed comes back, a state that does
// not fit is refused naming where, and the file is replaced whole or not at all.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "sim/scenario_generator.h"
#include "sim/state_file.h"
#include "sim/test_support.h"

namespace sim {
namespace {

using namespace sim::testing;
using mib::ErrorStatus;
using mib::Value;

std::string readAll(const std::filesystem::path& path) {
    std::ifstream file(path);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

class TempDir {
public:
    TempDir()
        : m_path(std::filesystem::temp_directory_path() /
                 ("switch_state_test_" + std::to_string(getpid()))) {
        std::filesystem::create_directories(m_path);
    }
    ~TempDir() { std::filesystem::remove_all(m_path); }
    std::filesystem::path operator/(const std::string& name) const { return m_path / name; }

private:
    std::filesystem::path m_path;
};

TEST(SwitchState, ChangedValuesAndCreatedRowsComeBackInANewSwitch) {
    DemoSwitch before;
    ASSERT_EQ(before
                  .set({varbind("phyPortDescription", {1, 3}, Value::makeString("Lab printer")),
                        varbind("phyPortAdmStatus", {1, 3}, Value::makeInteger(2))})
                  .errorStatus,
              ErrorStatus::NoError);
    ASSERT_EQ(before
                  .set({varbind("priPortSlot", {20}, Value::makeInteger(1)),
                        varbind("priPortPhysIntf", {20}, Value::makeInteger(1)),
                        varbind("adminStatus", {20}, Value::makeInteger(1)),
                        varbind("secadminStatus", {20, 1, 2}, Value::makeInteger(1))})
                  .errorStatus,
              ErrorStatus::NoError);

    DemoSwitch after;
    std::string error;
    ASSERT_TRUE(after.sw->loadState(before.sw->saveState(), &error)) << error;
    EXPECT_EQ(after.sw->read("phyPortDescription", {1, 3}), Value::makeString("Lab printer"));
    EXPECT_EQ(after.sw->read("phyPortAdmStatus", {1, 3}), Value::makeInteger(2));
    // what the switch derived from the SET comes back with it
    EXPECT_EQ(after.sw->read("phyPortOperStatus", {1, 3}),
              before.sw->read("phyPortOperStatus", {1, 3}));
    EXPECT_EQ(after.sw->read("secPortPhysIntf", {20, 1, 2}), Value::makeInteger(2));
    EXPECT_EQ(after.sw->saveState(), before.sw->saveState());
}

TEST(SwitchState, CorruptOrForeignStatesAreRefusedAndChangeNothing) {
    DemoSwitch demo;
    const std::string good = demo.sw->saveState();
    const std::string untouched = demo.sw->saveState();
    const struct {
        std::string text;
        std::string expected;
    } cases[] = {
        {good.substr(0, good.size() / 2), "corrupt: not JSON"},
        {"{\"format\": \"something else\", \"cells\": []}", "not a state file"},
        {"{\"format\": \"swsim-state\", \"version\": 9, \"cells\": []}", "another version"},
        {"{\"format\": \"swsim-state\", \"version\": 1, \"cells\": [{\"oid\": \"1.3.x\", "
         "\"type\": 1}]}",
         "corrupt: cell 1: a malformed OID"},
        // a scenario without slot 1's ports
        {"{\"format\": \"swsim-state\", \"version\": 1, \"cells\": []}",
         "does not fit this scenario: it lacks "},
    };
    for (const auto& c : cases) {
        std::string error;
        EXPECT_FALSE(demo.sw->loadState(c.text, &error)) << c.expected;
        EXPECT_NE(error.find(c.expected), std::string::npos) << error;
    }
    EXPECT_EQ(demo.sw->saveState(), untouched);
}

TEST(SwitchState, AStateOfAnotherScenarioNamesThePortThisOneLacks) {
    GeneratorOptions bigger;
    bigger.slots = 5;
    bigger.portsPerSlot = 30;
    auto other = SimulatedSwitch::fromScenario(generateScenario(bigger));
    DemoSwitch demo;
    std::string error;
    EXPECT_FALSE(demo.sw->loadState(other->saveState(), &error));
    EXPECT_NE(error.find("does not fit this scenario: it has "), std::string::npos) << error;
    EXPECT_NE(error.find(", which the scenario does not"), std::string::npos) << error;
}

TEST(SwitchState, TheFileFollowsEveryAppliedSetAndARefusedOneLeavesIt) {
    TempDir dir;
    const auto path = dir / "state.json";
    DemoSwitch demo;
    std::vector<std::string> saveErrors;
    PersistentSwitch persistent(*demo.sw, path.string(),
                                [&](const std::string& why) { saveErrors.push_back(why); });
    const auto setDescription = [&](const std::string& text) {
        return persistent
            .handle(request(mib::PduType::Set,
                            {varbind("phyPortDescription", {1, 2}, Value::makeString(text))}))
            .errorStatus;
    };
    ASSERT_EQ(setDescription("first"), ErrorStatus::NoError);
    const std::string afterFirst = readAll(path);
    EXPECT_NE(afterFirst.find(std::to_string(static_cast<int>(mib::ValueType::OctetString))),
              std::string::npos);
    EXPECT_EQ(setDescription(std::string(40, 'x')), ErrorStatus::WrongLength);
    EXPECT_EQ(readAll(path), afterFirst);
    EXPECT_FALSE(std::filesystem::exists(path.string() + ".new"));

    DemoSwitch restarted;
    std::string error;
    ASSERT_TRUE(loadStateFile(*restarted.sw, path.string(), &error)) << error;
    EXPECT_EQ(restarted.sw->read("phyPortDescription", {1, 2}), Value::makeString("first"));
    EXPECT_TRUE(saveErrors.empty());

    // a state that cannot be written is said, and the SET still stands
    PersistentSwitch nowhere(*demo.sw, (dir / "missing" / "state.json").string(),
                             [&](const std::string& why) { saveErrors.push_back(why); });
    EXPECT_EQ(nowhere
                  .handle(request(mib::PduType::Set, {varbind("phyPortDescription", {1, 2},
                                                              Value::makeString("second"))}))
                  .errorStatus,
              ErrorStatus::NoError);
    ASSERT_EQ(saveErrors.size(), 1u);
    EXPECT_NE(saveErrors[0].find("not saved"), std::string::npos) << saveErrors[0];
}

TEST(SwitchState, AMissingFileIsAFirstStartAndACorruptOneIsLeftAsItIs) {
    TempDir dir;
    DemoSwitch demo;
    std::string error;
    EXPECT_TRUE(loadStateFile(*demo.sw, (dir / "absent.json").string(), &error)) << error;

    const auto corrupt = dir / "corrupt.json";
    std::ofstream(corrupt) << "{\"format\": \"swsim-st";
    EXPECT_FALSE(loadStateFile(*demo.sw, corrupt.string(), &error));
    EXPECT_NE(error.find(corrupt.string()), std::string::npos) << error;
    EXPECT_NE(error.find("corrupt"), std::string::npos) << error;
    EXPECT_EQ(readAll(corrupt), "{\"format\": \"swsim-st");
}

}  // namespace
}  // namespace sim
