#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "sim/chassis_contents.h"
#include "sim/scenario_generator.h"
#include "sim/scenario_json.h"
#include "sim/simulated_switch.h"

namespace sim {
namespace {

std::string fileText(const std::string& path) {
    std::ifstream in(path);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

TEST(Scenario, DefaultFileIsTheBuiltInOne) {
    const std::string path = std::string(SW_SIM_SCENARIO_DIR) + "/default.json";
    EXPECT_EQ(fileText(path), defaultScenarioText());
    std::string error;
    auto sw = SimulatedSwitch::fromScenarioFile(path, &error);
    ASSERT_NE(sw, nullptr) << error;
    EXPECT_EQ(sw->scenario().slots.size(), 4u);
}

TEST(Scenario, ErrorsNameThePlaceAndTheCause) {
    struct ErrorCase {
        const char* json;
        const char* expected;
    };
    const std::vector<ErrorCase> cases = {
        {"{\n  \"slots\": [\n    { \"slot\": 1,, }\n  ]\n}", "line 3, column 17: malformed JSON"},
        {R"({"slots": [{"slot": 1, "moduleType": 1, "runs": [{"cuont": 2, "type": 226}]}]})",
         "scenario.slots[0].runs[0]: unknown field 'cuont'"},
        {R"({"slots": [{"slot": 1, "moduleType": 1, "kind": "fddi"}]})",
         "field 'kind' is \"fddi\""},
        {R"({"slots": [{"slot": 300, "moduleType": 1}]})", "field 'slot' is 300, outside 1..255"},
        {R"({"slots": [{"slot": 1, "moduleType": 1, "runs": [{"count": 2, "type": 226}]}],
             "forwarding": [{"group": 1, "mac": "00:11", "slot": 1, "port": 1}]})",
         "scenario.forwarding[0]: field 'mac' is not a MAC address"},
        {R"({"slots": [{"slot": 1, "moduleType": 1, "runs": [{"count": 2, "type": 226}]}],
             "channels": [{"id": 1, "slot": 1, "primary": 3}]})",
         "scenario.channels[0]: slot 1 has no port 3"},
        {R"({"trunking": [{"kind": "isl", "slot": 1, "port": 1}]})", "field 'kind' is \"isl\""},
    };
    for (const ErrorCase& c : cases) {
        std::string error;
        EXPECT_EQ(SimulatedSwitch::fromScenarioText(c.json, &error), nullptr) << c.expected;
        EXPECT_NE(error.find(c.expected), std::string::npos) << error;
    }
    std::string error;
    EXPECT_EQ(SimulatedSwitch::fromScenarioFile("no/such/scenario.json", &error), nullptr);
    EXPECT_EQ(error, "no/such/scenario.json: cannot be read");
}

TEST(Scenario, GeneratorSizesAndRoundTrip) {
    GeneratorOptions options;
    options.slots = 20;
    options.portsPerSlot = 48;
    options.extraServicesPerPort = 2;
    options.addressesPerVport = 3;
    const Scenario generated = generateScenario(options);

    std::string error;
    auto parsed = parseScenario(scenarioToJson(generated), &error);
    ASSERT_TRUE(parsed) << error;
    auto sw = SimulatedSwitch::fromScenario(*parsed);
    EXPECT_TRUE(sw->missingNames().empty());
    EXPECT_EQ(sw->rowCount("phyPortAdmStatus"), 20u * 48u);
    EXPECT_EQ(sw->rowCount("vportVlanNumber"), 20u * 48u * 3u);
    EXPECT_EQ(sw->rowCount("vBrdgTpFdbRcvPortIF"), 20u * 48u * 3u * 3u);
    EXPECT_EQ(sw->rowCount("tarvoPortSegment"), 24u);
}

TEST(ChassisContents, EncodesSlotRecordsAndCutsWholeRecords) {
    std::string error;
    auto demo = parseScenario(defaultScenarioText(), &error);
    ASSERT_TRUE(demo) << error;
    const EncodedContents contents = encodeChassisContents(*demo);
    const std::string expectedSlot2 = {2, 0x10, 0x02, 8, 3, 4, 0, char(244), 2, 1, 3, 2, 1, 4};
    ASSERT_GE(contents.bytes.size(), 3u);
    EXPECT_EQ(contents.bytes.substr(0, 3), (std::string{'N', 1, 4}));
    EXPECT_NE(contents.bytes.find(expectedSlot2), std::string::npos);
    EXPECT_EQ(contents.slotsLeftOut, 0);
    // slot 5 (expander) ends the value: 24 ports of type 10 in banks of 12
    const std::string expander = {5, 0x20, 0x01, 12, 1, 24, 0, 10};
    EXPECT_EQ(contents.bytes.substr(contents.bytes.size() - expander.size()), expander);

    GeneratorOptions big;
    big.slots = 200;
    const EncodedContents cut = encodeChassisContents(generateScenario(big));
    EXPECT_LE(cut.bytes.size(), kMaxChassisContents);
    EXPECT_GT(cut.slotsLeftOut, 0);
    EXPECT_EQ(static_cast<unsigned char>(cut.bytes[2]), cut.slotsEncoded);
    EXPECT_EQ(cut.bytes.size(), 3u + 8u * static_cast<std::size_t>(cut.slotsEncoded));
}

}  // namespace
}  // namespace sim
