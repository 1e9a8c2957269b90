#include <gtest/gtest.h>

#include "sim/test_support.h"

namespace sim {
namespace {

using namespace sim::testing;
using mib::ErrorStatus;
using mib::Value;

Value integer(std::int64_t v) {
    return Value::makeInteger(v);
}
Value text(std::string s) {
    return Value::makeString(std::move(s));
}

struct SetCase {
    const char* what;
    std::vector<mib::VarBind> varbinds;
    ErrorStatus status;
    int errorIndex;
};

TEST(SimulatedSwitchSet, ValidatesLikeAnAgent) {
    const std::vector<SetCase> cases = {
        {"read-only column",
         {varbind("phyPortOperStatus", {1, 1}, integer(3))},
         ErrorStatus::NotWritable,
         1},
        {"integer sent as string",
         {varbind("phyPortAdmStatus", {1, 1}, text("1"))},
         ErrorStatus::WrongType,
         1},
        {"description of 32 characters",
         {varbind("phyPortDescription", {1, 1}, text(std::string(32, 'x')))},
         ErrorStatus::WrongLength,
         1},
        {"label outside the enumeration",
         {varbind("phyPortAdmStatus", {1, 1}, integer(7))},
         ErrorStatus::WrongValue,
         1},
        {"port that does not exist",
         {varbind("phyPortAdmStatus", {4, 1}, integer(2))},
         ErrorStatus::NoCreation,
         1},
        {"unknown object",
         {{{1, 3, 6, 1, 4, 1, 32473, 77, 0}, integer(1)}},
         ErrorStatus::NoCreation,
         1},
        {"switch timer above 65535",
         {varbind("vportSwitchTimer", {1, 1, 4, 1}, integer(65536))},
         ErrorStatus::WrongValue,
         1},
        {"group that does not exist",
         {varbind("vportVlanNumber", {1, 1, 4, 1}, integer(42))},
         ErrorStatus::InconsistentValue,
         1},
        {"segment 0",
         {varbind("tarvoPortSegment", {1, 3}, integer(0))},
         ErrorStatus::WrongValue,
         1},
        {"segment 5",
         {varbind("tarvoPortSegment", {2, 3}, integer(5))},
         ErrorStatus::WrongValue,
         1},
        {"segment -1",
         {varbind("tarvoPortSegment", {2, 3}, integer(-1))},
         ErrorStatus::WrongValue,
         1},
        {"expander admin state 0",
         {varbind("tarvoPortAdminStatus", {1, 3}, integer(0))},
         ErrorStatus::WrongValue,
         1},
        {"uplink mark 3",
         {varbind("tarvoPortUplinkStatus", {1, 3}, integer(3))},
         ErrorStatus::WrongValue,
         1},
        {"expander bank the module lacks",
         {varbind("tarvoPortSegment", {3, 1}, integer(2))},
         ErrorStatus::NoCreation,
         1},
        {"repeater reset 3", {varbind("rptrReset", {0}, integer(3))}, ErrorStatus::WrongValue, 1},
        {"expander port moved, disabled and marked in one set",
         {varbind("tarvoPortSegment", {2, 3}, integer(4)),
          varbind("tarvoPortAdminStatus", {2, 3}, integer(2)),
          varbind("tarvoPortUplinkStatus", {2, 3}, integer(1))},
         ErrorStatus::NoError,
         0},
        {"second varbind is the bad one",
         {varbind("phyPortDescription", {1, 2}, text("ok")),
          varbind("phyPortAdmStatus", {1, 2}, integer(9))},
         ErrorStatus::WrongValue,
         2},
        {"description holding a NUL",
         {varbind("phyPortDescription", {1, 1}, text(std::string("a\0b", 3)))},
         ErrorStatus::WrongValue,
         1},
        {"description holding an escape sequence",
         {varbind("phyPortDescription", {1, 1}, text("\x1b[2J"))},
         ErrorStatus::WrongValue,
         1},
        {"description holding byte 0xFF",
         {varbind("phyPortDescription", {1, 1}, text("x\xff"))},
         ErrorStatus::WrongValue,
         1},
        {"description of printable ASCII",
         {varbind("phyPortDescription", {1, 1}, text("Rack 4, U12 ~ (spare)"))},
         ErrorStatus::NoError,
         0},
        {"vport description of 40 characters",
         {varbind("vportDescription", {1, 1, 4, 1}, text(std::string(40, 'd')))},
         ErrorStatus::NoError,
         0},
    };
    for (const SetCase& c : cases) {
        DemoSwitch demo;
        auto response = demo.set(c.varbinds);
        EXPECT_EQ(response.errorStatus, c.status) << c.what;
        EXPECT_EQ(response.errorIndex, c.errorIndex) << c.what;
    }
}

TEST(SimulatedSwitchSet, IsAtomicAndAdminStatusMovesOperStatus) {
    DemoSwitch demo;
    auto response = demo.set({varbind("phyPortDescription", {1, 2}, text("changed")),
                              varbind("phyPortAdmStatus", {1, 2}, integer(2)),
                              varbind("vportVlanNumber", {1, 2, 4, 1}, integer(42))});
    EXPECT_EQ(response.errorStatus, ErrorStatus::InconsistentValue);
    EXPECT_EQ(response.errorIndex, 3);
    EXPECT_EQ(demo.sw->read("phyPortDescription", {1, 2})->octets, "Port 1/2");
    EXPECT_EQ(demo.integer("phyPortAdmStatus", {1, 2}), 1);

    response = demo.set({varbind("phyPortDescription", {1, 2}, text("changed")),
                         varbind("phyPortAdmStatus", {1, 2}, integer(2))});
    ASSERT_EQ(response.errorStatus, ErrorStatus::NoError);
    EXPECT_EQ(demo.sw->read("phyPortDescription", {1, 2})->octets, "changed");
    EXPECT_EQ(demo.integer("phyPortOperStatus", {1, 2}), 2);
    EXPECT_EQ(demo.integer("vportOperStatus", {1, 2, 4, 1}), 2);
    demo.set({varbind("phyPortAdmStatus", {1, 2}, integer(1))});
    EXPECT_EQ(demo.integer("phyPortOperStatus", {1, 2}), 3);
    demo.set({varbind("phyPortAdmStatus", {1, 4}, integer(1))});
    EXPECT_EQ(demo.integer("phyPortOperStatus", {1, 4}), 2);  // no cable on port 4

    demo.sw->failNextSet(ErrorStatus::GenErr, 1);
    EXPECT_EQ(demo.set({varbind("phyPortDescription", {1, 2}, text("lost"))}).errorStatus,
              ErrorStatus::GenErr);
    EXPECT_EQ(demo.sw->read("phyPortDescription", {1, 2})->octets, "changed");
    EXPECT_EQ(demo.set({varbind("phyPortDescription", {1, 2}, text("kept"))}).errorStatus,
              ErrorStatus::NoError);
}

TEST(SimulatedSwitchSet, ChannelsAreCreatedAndDeletedWithTheirSecondaryRows) {
    DemoSwitch demo;
    // creation: primary row with its primary port, then a secondary row, in one PDU
    auto response = demo.set({varbind("priPortSlot", {20}, integer(1)),
                              varbind("priPortPhysIntf", {20}, integer(1)),
                              varbind("adminStatus", {20}, integer(1)),
                              varbind("secadminStatus", {20, 1, 2}, integer(1))});
    ASSERT_EQ(response.errorStatus, ErrorStatus::NoError) << response.errorIndex;
    EXPECT_EQ(demo.integer("ethChannelId", {20}), 20);
    EXPECT_EQ(demo.integer("priPortPhysIntf", {20}), 1);
    EXPECT_EQ(demo.integer("secPortPhysIntf", {20, 1, 2}), 2);

    const std::vector<SetCase> refused = {
        {"port already in channel 3",
         {varbind("secadminStatus", {20, 1, 11}, integer(1))},
         ErrorStatus::InconsistentValue,
         1},
        {"secondary in another slot",
         {varbind("secadminStatus", {20, 2, 5}, integer(1))},
         ErrorStatus::InconsistentValue,
         1},
        {"secondary of no channel",
         {varbind("secadminStatus", {30, 1, 2}, integer(1))},
         ErrorStatus::InconsistentValue,
         1},
        {"channel 255", {varbind("adminStatus", {255}, integer(1))}, ErrorStatus::NoCreation, 1},
        {"channel 0", {varbind("adminStatus", {0}, integer(1))}, ErrorStatus::NoCreation, 1},
        {"channel 3 created again over its own ports",
         {varbind("priPortSlot", {3}, integer(1)), varbind("priPortPhysIntf", {3}, integer(4)),
          varbind("adminStatus", {3}, integer(1))},
         ErrorStatus::InconsistentValue,
         3},
        {"secondary row created again",
         {varbind("secadminStatus", {20, 1, 2}, integer(1))},
         ErrorStatus::InconsistentValue,
         1},
        {"its own primary port as a secondary port",
         {varbind("secadminStatus", {20, 1, 1}, integer(1))},
         ErrorStatus::InconsistentValue,
         1},
        {"a lower channel ID taking the primary port of channel 3",
         {varbind("priPortSlot", {2}, integer(1)), varbind("priPortPhysIntf", {2}, integer(10)),
          varbind("adminStatus", {2}, integer(1))},
         ErrorStatus::InconsistentValue,
         1},
        {"a lower channel ID taking a secondary port of channel 3",
         {varbind("priPortSlot", {2}, integer(1)), varbind("priPortPhysIntf", {2}, integer(4)),
          varbind("adminStatus", {2}, integer(1)),
          varbind("secadminStatus", {2, 1, 12}, integer(1))},
         ErrorStatus::InconsistentValue,
         1},
        {"deleting a channel that is not there",
         {varbind("adminStatus", {21}, integer(2))},
         ErrorStatus::NoCreation,
         1},
    };
    for (const SetCase& c : refused) {
        const std::size_t cells = demo.sw->cellCount();
        auto r = demo.set(c.varbinds);
        EXPECT_EQ(r.errorStatus, c.status) << c.what;
        EXPECT_EQ(r.errorIndex, c.errorIndex) << c.what;
        EXPECT_EQ(demo.sw->cellCount(), cells) << c.what;
    }
    EXPECT_EQ(demo.integer("priPortPhysIntf", {3}), 10);
    // a fourth secondary port is one too many
    ASSERT_EQ(demo.set({varbind("secadminStatus", {20, 1, 3}, integer(1)),
                        varbind("secadminStatus", {20, 1, 5}, integer(1))})
                  .errorStatus,
              ErrorStatus::NoError);
    EXPECT_EQ(demo.set({varbind("secadminStatus", {20, 1, 6}, integer(1))}).errorStatus,
              ErrorStatus::InconsistentValue);

    // deleting one secondary row, then the channel with the rest
    ASSERT_EQ(demo.set({varbind("secadminStatus", {3, 1, 11}, integer(2))}).errorStatus,
              ErrorStatus::NoError);
    EXPECT_FALSE(demo.sw->rowExists("secPortPhysIntf", {3, 1, 11}));
    EXPECT_TRUE(demo.sw->rowExists("secPortPhysIntf", {3, 1, 12}));
    ASSERT_EQ(demo.set({varbind("adminStatus", {20}, integer(2))}).errorStatus,
              ErrorStatus::NoError);
    EXPECT_FALSE(demo.sw->rowExists("adminStatus", {20}));
    for (std::uint32_t port : {2u, 3u, 5u}) {
        EXPECT_FALSE(demo.sw->rowExists("secPortPhysIntf", {20, 1, port})) << port;
    }
    EXPECT_TRUE(demo.sw->rowExists("secPortPhysIntf", {3, 1, 12}));  // other channels stay
}

TEST(SimulatedSwitchSet, EveryTrunkingFamilyKeepsTheSameMemberRules) {
    for (const char* prefix : {"vTrunking", "VDBr", "v8021Q", "v80210"}) {
        DemoSwitch demo;
        const std::string command = std::string(prefix) + "Command";
        const std::string group = std::string(prefix) + "LanNumber";
        const std::string description = std::string(prefix) + "ServicesDescription";
        EXPECT_EQ(demo.set({varbind(command.c_str(), {1, 4, 20}, integer(1))}).errorStatus,
                  ErrorStatus::NoError)
            << prefix;
        EXPECT_EQ(demo.integer(group.c_str(), {1, 4, 20}), 20) << prefix;
        EXPECT_TRUE(demo.sw->rowExists(description.c_str(), {1, 4})) << prefix;
        EXPECT_EQ(demo.set({varbind(command.c_str(), {1, 4, 20}, integer(1))}).errorStatus,
                  ErrorStatus::InconsistentValue)
            << prefix << ": carried once";
        EXPECT_EQ(demo.set({varbind(command.c_str(), {1, 4, 6}, integer(1))}).errorStatus,
                  ErrorStatus::InconsistentValue)
            << prefix << ": group 6 is not configured";
        EXPECT_EQ(demo.set({varbind(command.c_str(), {1, 4, 20}, integer(3))}).errorStatus,
                  ErrorStatus::WrongValue)
            << prefix;
        EXPECT_EQ(demo.set({varbind(description.c_str(), {1, 4}, text(std::string(31, 'x')))})
                      .errorStatus,
                  ErrorStatus::WrongLength)
            << prefix;
        EXPECT_EQ(demo.set({varbind(command.c_str(), {1, 4, 20}, integer(2))}).errorStatus,
                  ErrorStatus::NoError)
            << prefix;
        EXPECT_FALSE(demo.sw->rowExists(group.c_str(), {1, 4, 20})) << prefix;
    }
}

TEST(SimulatedSwitchSet, TrunkMembersAreAddedAndRemovedByCommand) {
    DemoSwitch demo;
    EXPECT_TRUE(demo.sw->rowExists("v8021QLanNumber", {1, 1, 7}));
    auto response = demo.set({varbind("v8021QCommand", {1, 1, 9}, integer(1)),
                              varbind("v8021QCommand", {1, 1, 7}, integer(2))});
    ASSERT_EQ(response.errorStatus, ErrorStatus::NoError);
    EXPECT_EQ(demo.integer("v8021QLanNumber", {1, 1, 9}), 9);
    EXPECT_FALSE(demo.sw->rowExists("v8021QLanNumber", {1, 1, 7}));

    EXPECT_EQ(demo.set({varbind("v8021QCommand", {1, 1, 42}, integer(1))}).errorStatus,
              ErrorStatus::InconsistentValue);  // no group 42
    EXPECT_EQ(demo.set({varbind("v8021QCommand", {1, 1, 7}, integer(2))}).errorStatus,
              ErrorStatus::NoCreation);  // already removed
    EXPECT_EQ(demo.set({varbind("v8021QCommand", {1, 1, 9}, integer(1))}).errorStatus,
              ErrorStatus::InconsistentValue);  // carried already
    EXPECT_EQ(demo.set({varbind("v8021QCommand", {1, 1, 10}, integer(1)),
                        varbind("v8021QCommand", {1, 1, 10}, integer(1))})
                  .errorStatus,
              ErrorStatus::InconsistentValue);  // twice in one request
    EXPECT_FALSE(demo.sw->rowExists("v8021QLanNumber", {1, 1, 10}));

    // a port without a service gets one when given a description or a group
    ASSERT_EQ(demo.set({varbind("VDBrServicesDescription", {3, 2}, text("new service")),
                        varbind("VDBrCommand", {3, 2, 3}, integer(1))})
                  .errorStatus,
              ErrorStatus::NoError);
    EXPECT_EQ(demo.sw->read("VDBrServicesDescription", {3, 2})->octets, "new service");
    EXPECT_TRUE(demo.sw->rowExists("VDBrLanNumber", {3, 2, 3}));
    EXPECT_EQ(demo.set({varbind("VDBrServicesDescription", {3, 2}, text(std::string(31, 'x')))})
                  .errorStatus,
              ErrorStatus::WrongLength);
}

TEST(SimulatedSwitchSet, SpeedAndDuplexFollowThePortType) {
    struct LinkCase {
        const char* what;
        mib::Oid port;
        std::vector<std::pair<const char*, int>> values;
        ErrorStatus status;
    };
    const std::vector<LinkCase> cases = {
        {"226 auto-negotiation with auto duplex",
         {1, 6},
         {{"mesmPortAutoNegotiate", 2}, {"mesmPortCfgDuplexMode", 3}},
         ErrorStatus::NoError},
        {"226 fixed 10 half",
         {1, 2},
         {{"mesmPortAutoNegotiate", 1}, {"mesmPortCfgDuplexMode", 2}, {"mesmPortCfgSpeed", 1}},
         ErrorStatus::NoError},
        {"226 auto duplex without auto-negotiation",
         {1, 6},
         {{"mesmPortCfgDuplexMode", 3}},
         ErrorStatus::InconsistentValue},
        {"226 auto speed without auto-negotiation",
         {1, 6},
         {{"mesmPortCfgSpeed", 3}},
         ErrorStatus::InconsistentValue},
        {"226 full duplex with auto-negotiation",
         {1, 2},
         {{"mesmPortCfgDuplexMode", 1}},
         ErrorStatus::InconsistentValue},
        {"227 has no auto-negotiation",
         {1, 9},
         {{"mesmPortAutoNegotiate", 2}},
         ErrorStatus::WrongValue},
        {"244 fixed 100 full",
         {2, 1},
         {{"mesmPortCfgSpeed", 2}, {"mesmPortCfgDuplexMode", 1}},
         ErrorStatus::NoError},
        {"244 gigabit speed", {2, 1}, {{"mesmPortCfgSpeed", 5}}, ErrorStatus::WrongValue},
        {"259 duplex is not settable",
         {2, 5},
         {{"mesmPortCfgDuplexMode", 2}},
         ErrorStatus::WrongValue},
        {"259 speed is not settable", {2, 5}, {{"mesmPortCfgSpeed", 2}}, ErrorStatus::WrongValue},
        {"260 auto-negotiation", {2, 7}, {{"mesmPortAutoNegotiate", 2}}, ErrorStatus::NoError},
        {"259 offers only its own speed", {2, 5}, {{"mesmPortCfgSpeed", 5}}, ErrorStatus::NoError},
        {"other types have no speed", {3, 1}, {{"mesmPortCfgSpeed", 2}}, ErrorStatus::WrongValue},
        {"other types set duplex", {3, 1}, {{"mesmPortCfgDuplexMode", 1}}, ErrorStatus::NoError},
    };
    for (const LinkCase& c : cases) {
        DemoSwitch demo;
        std::vector<mib::VarBind> varbinds;
        for (const auto& [name, value] : c.values) {
            varbinds.push_back(varbind(name, c.port, integer(value)));
        }
        EXPECT_EQ(demo.set(varbinds).errorStatus, c.status) << c.what;
    }
    DemoSwitch demo;
    demo.set({varbind("mesmPortAutoNegotiate", {1, 6}, integer(1))});
    EXPECT_EQ(demo.integer("mesmPortAutoSpeed", {1, 6}), 2);
    demo.set({varbind("mesmPortCfgSpeed", {1, 6}, integer(1))});
    EXPECT_EQ(demo.integer("mesmPortAutoSpeed", {1, 6}), 1);  // detected follows the setting
}

TEST(SimulatedSwitchSet, AutoNegotiationSilencesTheSwitchWhileItRenegotiates) {
    DemoSwitch demo;
    ASSERT_TRUE(demo.sw->answersNow());
    ASSERT_EQ(demo.set({varbind("mesmPortAutoNegotiate", {1, 6}, integer(2)),
                        varbind("mesmPortCfgDuplexMode", {1, 6}, integer(3))})
                  .errorStatus,
              ErrorStatus::NoError);
    EXPECT_FALSE(demo.sw->answersNow());
    EXPECT_EQ(demo.sw->busyForMs(), 4000) << "requests wait for the port rather than get lost";
    demo.nowMs += 3999;
    EXPECT_FALSE(demo.sw->answersNow());
    EXPECT_EQ(demo.sw->busyForMs(), 1);
    demo.nowMs += 1;
    EXPECT_TRUE(demo.sw->answersNow());
    EXPECT_EQ(demo.sw->busyForMs(), 0);
    EXPECT_EQ(demo.integer("mesmPortAutoNegotiate", {1, 6}), 2);

    // a refused write renegotiates nothing
    demo.set({varbind("mesmPortAutoNegotiate", {1, 9}, integer(2))});
    EXPECT_TRUE(demo.sw->answersNow());
}

// Every cell of the switch in OID order, as a walk sees it.
std::vector<mib::VarBind> everything(DemoSwitch& demo) {
    std::vector<mib::VarBind> cells;
    mib::Oid at{0};
    for (std::size_t guard = 0; guard < 1'000'000; ++guard) {
        auto response = demo.sw->handle(request(mib::PduType::GetNext, {{at, Value::null()}}));
        const mib::VarBind& vb = response.varbinds.at(0);
        if (vb.value.type == mib::ValueType::EndOfMibView)
            return cells;
        cells.push_back(vb);
        at = vb.oid;
    }
    ADD_FAILURE() << "the walk does not end";
    return cells;
}

TEST(SimulatedSwitchSet, ARefusedSetChangesNothingNotEvenRowsItWouldCreateOrDelete) {
    // Each PDU creates or deletes rows, then fails on its last varbind.
    const mib::VarBind refused = varbind("vportVlanNumber", {1, 2, 4, 1}, integer(42));
    const std::vector<std::pair<const char*, std::vector<mib::VarBind>>> cases = {
        {"new channel", {varbind("adminStatus", {9}, integer(1))}},
        {"new channel with its primary port",
         {varbind("adminStatus", {9}, integer(1)), varbind("priPortSlot", {9}, integer(1)),
          varbind("priPortPhysIntf", {9}, integer(5))}},
        {"channel deleted with its secondary rows", {varbind("adminStatus", {3}, integer(2))}},
        {"secondary row deleted", {varbind("secadminStatus", {3, 1, 12}, integer(2))}},
        {"trunk member and its service", {varbind("v8021QCommand", {1, 8, 1}, integer(1))}},
        {"trunk service by description", {varbind("VDBrServicesDescription", {1, 8}, text("x"))}},
        {"description and admin status",
         {varbind("phyPortDescription", {1, 2}, text("lost")),
          varbind("phyPortAdmStatus", {1, 2}, integer(2))}},
    };
    for (const auto& [what, creating] : cases) {
        SCOPED_TRACE(what);
        DemoSwitch demo;
        const auto before = everything(demo);
        const std::size_t cells = demo.sw->cellCount();
        std::vector<mib::VarBind> pdu = creating;
        pdu.push_back(refused);
        const auto response = demo.set(pdu);
        EXPECT_EQ(response.errorStatus, ErrorStatus::InconsistentValue);
        EXPECT_EQ(response.errorIndex, static_cast<int>(pdu.size()));
        EXPECT_EQ(demo.sw->cellCount(), cells);
        EXPECT_TRUE(everything(demo) == before);
        // Without the refused varbind the same PDU does change the switch.
        EXPECT_EQ(demo.set(creating).errorStatus, ErrorStatus::NoError);
        EXPECT_FALSE(everything(demo) == before);
    }
}

TEST(SimulatedSwitchSet, InjectedFaultsRefuseASetBeforeApplyingIt) {
    DemoSwitch demo;
    const auto before = everything(demo);
    demo.sw->answerTooBigAbove(100);
    const auto response = demo.set({varbind("phyPortDescription", {1, 2}, text("changed")),
                                    varbind("adminStatus", {9}, integer(1))});
    EXPECT_EQ(response.errorStatus, ErrorStatus::TooBig);
    demo.sw->answerTooBigAbove(0);
    EXPECT_TRUE(everything(demo) == before) << "an agent answering tooBig applied nothing";

    demo.sw->failNextSet(ErrorStatus::ResourceUnavailable, 2);
    EXPECT_EQ(demo.set({varbind("adminStatus", {9}, integer(1))}).errorIndex, 2);
    EXPECT_FALSE(demo.sw->rowExists("adminStatus", {9}));
    EXPECT_EQ(demo.set({varbind("adminStatus", {9}, integer(1))}).errorStatus,
              ErrorStatus::NoError);
    EXPECT_TRUE(demo.sw->rowExists("adminStatus", {9}));
}

}  // namespace
}  // namespace sim
