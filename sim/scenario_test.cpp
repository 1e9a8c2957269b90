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
        {R"({"slots": [{"slot": 1, "moduleType": 1, "runs": [{"count": 4, "type": 226}]}],
             "channels": [{"id": 1, "slot": 1, "primary": 3},
                          {"id": 2, "slot": 1, "primary": 2, "secondary": [3]}]})",
         "scenario.channels[1]: port 1/3 is already in channel 1"},
        {R"({"slots": [{"slot": 1, "moduleType": 1, "runs": [{"count": 4, "type": 226}]}],
             "channels": [{"id": 1, "slot": 1, "primary": 3}, {"id": 1, "slot": 1, "primary": 2}]})",
         "scenario.channels[1]: channel 1 is defined twice"},
        {R"({"slots": [{"slot": 1, "moduleType": 1, "runs": [{"count": 4, "type": 226}]}],
             "channels": [{"id": 1, "slot": 1, "primary": 3, "secondary": [2, 3]}]})",
         "scenario.channels[0]: port 3 is both the primary and a secondary port of the channel"},
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

    options.slots = 1;
    options.portsPerSlot = 255;
    options.channels = 300;  // one per port at most, and 254 IDs
    auto channelled = SimulatedSwitch::fromScenario(generateScenario(options));
    EXPECT_EQ(channelled->rowCount("adminStatus"), 254u);
    EXPECT_EQ(channelled->rowCount("secadminStatus"), 1u);
    EXPECT_EQ(channelled->read("priPortPhysIntf", {254})->integer, 255);
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

TEST(Scenario, BadTypesAndRangesNameTheFieldAndTheValue) {
    // One Ethernet slot of 8 ports; each case puts one bad value into it.
    const auto slotWith = [](const std::string& field, const std::string& value) {
        return R"({"slots": [{"slot": 1, "moduleType": 1, "runs": [{"count": 8, "type": 226}], )" +
               field + ": " + value + "}]}";
    };
    const auto portWith = [](const std::string& field, const std::string& value) {
        return R"({"slots": [{"slot": 1, "moduleType": 1, "runs": [{"count": 8, "type": 226}],
                   "ports": [{"port": 2, )" +
               field + ": " + value + "}]}]}";
    };
    struct Case {
        std::string json;
        const char* expected;
    };
    const std::vector<Case> cases = {
        {slotWith(R"("name")", "5"), "scenario.slots[0]: field 'name' must be a string"},
        {slotWith(R"("banks")", "2"), "unknown field 'banks'"},
        {R"({"slots": [{"slot": "one", "moduleType": 1}]})", "field 'slot' must be an integer"},
        {R"({"slots": [{"slot": 1.5, "moduleType": 1}]})", "field 'slot' must be an integer"},
        {R"({"slots": [{"slot": 0, "moduleType": 1}]})", "field 'slot' is 0, outside 1..255"},
        {R"({"slots": [{"slot": 18446744073709551615, "moduleType": 1}]})",
         "field 'slot' is 18446744073709551615, outside 1..255"},
        {R"({"slots": [{"slot": 1, "moduleType": 65536}]})",
         "field 'moduleType' is 65536, outside 0..65535"},
        {R"({"slots": [{"slot": 1, "moduleType": -1}]})",
         "field 'moduleType' is -1, outside 0..65535"},
        {R"({"slots": [{"slot": 1}]})", "missing field 'moduleType'"},
        {R"({"slots": {"slot": 1}})", "field 'slots' must be an array"},
        {R"({"renegotiationMs": 600001})", "field 'renegotiationMs' is 600001, outside 0..600000"},
        {portWith(R"("port")", "9"), "scenario.slots[0].ports[0]: field 'port' is 9, outside 1..8"},
        {portWith(R"("rate")", "1000000001"), "field 'rate' is 1000000001, outside 0..1000000000"},
        {portWith(R"("rate")", "-1"), "field 'rate' is -1, outside 0..1000000000"},
        {portWith(R"("link")", R"("yes")"), "field 'link' must be true or false"},
        {portWith(R"("cfgDuplex")", "4"), "field 'cfgDuplex' is 4, outside 1..3"},
        {portWith(R"("description")", "[]"), "field 'description' must be a string"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.json);
        std::string error;
        EXPECT_EQ(SimulatedSwitch::fromScenarioText(c.json, &error), nullptr);
        EXPECT_NE(error.find(c.expected), std::string::npos) << error;
    }
}

TEST(Scenario, EntriesThatContradictEachOtherAreRefusedByPlace) {
    const std::string slot = R"({"slot": 1, "moduleType": 1, "runs": [{"count": 8, "type": 226}])";
    struct Case {
        std::string json;
        const char* expected;
    };
    const std::vector<Case> cases = {
        {R"({"slots": [)" + slot + R"(, "ports": [{"port": 3}, {"port": 3}]}]})",
         "scenario.slots[0].ports[1]: port 3 appears twice"},
        {R"({"slots": [{"slot": 2, "kind": "expander", "moduleType": 9, "banks": 2,
             "portType": 300, "ports": [{"bank": 2, "port": 4}, {"bank": 2, "port": 4}]}]})",
         "scenario.slots[0].ports[1]: bank 2 port 4 appears twice"},
        {R"({"groups": [{"number": 7}, {"number": 8}, {"number": 7}]})",
         "scenario.groups[2]: group 7 appears twice"},
        {R"({"slots": [)" + slot +
             R"(}], "channels": [{"id": 1, "slot": 1, "primary": 2, "secondary": [3, 2]}]})",
         "scenario.channels[0]: port 2 is both the primary and a secondary port of the channel"},
        {R"({"slots": [)" + slot +
             R"(}], "channels": [{"id": 1, "slot": 1, "primary": 2, "secondary": [3, 3]}]})",
         "scenario.channels[0]: secondary port 3 appears twice"},
        {R"({"system": {"name": ")" + std::string(256, 'n') + R"("}})",
         "system: field 'name' has 256 characters, more than 255"},
        {R"({"system": {"location": ")" + std::string(300, 'l') + R"("}})",
         "system: field 'location' has 300 characters, more than 255"},
        {R"({"renegotiationMs": 1e400})", "unusable JSON: number overflow"},
        {R"({"slots": [{"slot": 1e400}]})", "unusable JSON: number overflow"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.json);
        std::string error;
        EXPECT_EQ(SimulatedSwitch::fromScenarioText(c.json, &error), nullptr);
        EXPECT_NE(error.find(c.expected), std::string::npos) << error;
    }
    std::string error;
    EXPECT_TRUE(
        parseScenario(R"({"system": {"name": ")" + std::string(255, 'n') + R"("}})", &error))
        << error;
}

TEST(Scenario, AFileThatCannotBeUsedIsNamedInTheError) {
    const std::string path = ::testing::TempDir() + "scenario_overflow.json";
    std::ofstream(path) << R"({"groups": [{"number": 1e400}]})";
    std::string error;
    EXPECT_EQ(SimulatedSwitch::fromScenarioFile(path, &error), nullptr);
    EXPECT_EQ(error.rfind(path + ": unusable JSON: ", 0), 0u) << error;
}

TEST(Scenario, GeneratorBuildsThousandsOfPortsAndSaysWhatItBuilt) {
    GeneratorOptions options;
    options.slots = 100;
    options.portsPerSlot = 48;
    options.groups = 200;
    const Scenario generated = generateScenario(options);
    EXPECT_EQ(generated.system.descr, "Generated chassis, 100 x 48 ports");
    auto sw = SimulatedSwitch::fromScenario(generated);
    EXPECT_TRUE(sw->missingNames().empty());
    EXPECT_EQ(sw->rowCount("phyPortAdmStatus"), 4800u);
    EXPECT_EQ(sw->rowCount("mesmPortCfgSpeed"), 4800u);
    EXPECT_EQ(sw->rowCount("vportVlanNumber"), 4800u);
    EXPECT_EQ(sw->rowCount("vBrdgTpFdbRcvPortIF"), 4800u);
    EXPECT_EQ(sw->rowCount("vLanNumber"), 200u);
    EXPECT_EQ(sw->rowCount("chasSlotIndex"), 101u);

    // Sizes beyond the chassis are cut to it, and the description follows.
    options.slots = 1000;
    options.portsPerSlot = 1000;
    options.groups = 100000;
    const Scenario clamped = generateScenario(options);
    EXPECT_EQ(clamped.slots.size(), 255u);  // 254 Ethernet slots and the expander
    EXPECT_EQ(clamped.slots.front().portCount(), 255);
    EXPECT_EQ(clamped.slots.back().slot, 255);
    EXPECT_EQ(clamped.groups.size(), 4000u);
    EXPECT_EQ(clamped.system.descr, "Generated chassis, 254 x 255 ports");
    options.slots = -3;
    options.portsPerSlot = 0;
    options.expander = false;
    const Scenario smallest = generateScenario(options);
    EXPECT_EQ(smallest.slots.size(), 1u);
    EXPECT_EQ(smallest.slots.front().portCount(), 1);
}

}  // namespace
}  // namespace sim
