#include "framework/mib/mib_dictionary.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>

namespace mib {
namespace {

const MibDictionary& dict() {
    return MibDictionary::builtin();
}

// Every variable the pages read or write, by the table or scalar group it belongs to.
const std::pair<const char*, const char*> kPageVariables[] = {
    {"phyPortTable",
     "phyPortSlot phyPortIF phyPortMediaType phyPortAdmStatus phyPortOperStatus "
     "phyPortDescription phyPortFrameIns phyPortFrameOuts phyPortInOctets "
     "phyPortOutOctets phyPortInUcastPkts phyPortOutUcastPkts phyPortInNUcastPkts "
     "phyPortOutNUcastPkts phyPortInBufDiscs phyPortOutBufDiscs phyPortInErrDiscs "
     "phyPortOutErrDiscs"},
    {"etherStatsTable",
     "etherStatsIndex etherStatsOctets etherStatsPkts etherStatsBroadcastPkts "
     "etherStatsMulticastPkts etherStatsDropEvents etherStatsCRCAlignErrors "
     "etherStatsUndersizePkts etherStatsOversizePkts etherStatsFragments "
     "etherStatsJabbers etherStatsCollisions etherStatsPkts64Octets "
     "etherStatsPkts65to127Octets etherStatsPkts128to255Octets "
     "etherStatsPkts256to511Octets etherStatsPkts512to1023Octets "
     "etherStatsPkts1024to1518Octets"},
    {"ethChannelTable", "ethChannelId priPortSlot priPortPhysIntf adminStatus"},
    {"secEthChannelTable", "secethChannelId secPortSlot secPortPhysIntf secadminStatus"},
    {"mesmPortTable",
     "mesmPortSlot mesmPortIF mesmPortAutoNegotiate mesmPortAutoSpeed "
     "mesmPortAutoDuplexMode mesmPortCfgSpeed mesmPortCfgDuplexMode"},
    {"norixIpAssocTable",
     "norixIpAssocAddr norixIpAssocMac norixIpAssocSlot norixIpAssocIntf "
     "norixIpAssocDupMac norixIpAssocDupSlot norixIpAssocDupIntf"},
    {"vBrdgTpFdbTable",
     "vBrdgTpFdbGroupId vBrdgTpFdbAddress vBrdgTpFdbRcvPortSlot vBrdgTpFdbRcvPortIF "
     "vBrdgTpFdbRcvPortFuncTyp vBrdgTpFdbRcvPortFuncTypInst vBrdgTpFdbRcvStatus "
     "vBrdgTpFdbRcvVLANMembership vBrdgTpFdbDupStatus"},
    {"vportTable",
     "vportSlot vportIF vportFuncType vportFuncTypeInstance vportVlanNumber "
     "vportBridgeProtocol vportEncapsulation vportBrdgMode vportSwitchTimer "
     "vportDescription vportFloodLimit vportManualMode vportAdmStatus "
     "vportOperStatus vportMACaddress"},
    {"vlanTable", "vLanNumber vLanDescription vLanMode vLanFloodOverride"},
    {"mirrorTable",
     "mirrorSlot mirrorIF mirrorFuncType mirrorFuncTypeInstance mirrorNumber "
     "mirrorMirroringSlot mirrorMirroringIF mirrorMirroringFuncType "
     "mirrorMirroringFuncTypeInstance mirrorStatus"},
    {"v80210ServicesTable",
     "v80210ServicesSlot v80210ServicesStation v80210ServicesDescription "
     "v80210ServicesBridgeID"},
    {"v80210Table", "v80210Slot v80210Station v80210LanNumber v80210Command"},
    {"v8021QServicesTable",
     "v8021QServicesSlot v8021QServicesStation v8021QServicesDescription "
     "v8021QServicesBridgeID"},
    {"v8021QTable", "v8021QSlot v8021QStation v8021QLanNumber v8021QCommand"},
    {"VDBrServicesTable",
     "VDBrServicesSlot VDBrServicesStation VDBrServicesDescription "
     "VDBrServicesBridgeID"},
    {"VDBrTable", "VDBrSlot VDBrStation VDBrLanNumber VDBrCommand"},
    {"vTrunkingServicesTable",
     "vTrunkingServicesSlot vTrunkingServicesStation vTrunkingServicesDescription "
     "vTrunkingServicesBridgeID"},
    {"vTrunkingTable", "vTrunkingSlot vTrunkingStation vTrunkingLanNumber vTrunkingCommand"},
    {"tarvoPortTable",
     "tarvoPortGroupIndex tarvoPortIndex tarvoPortSegment tarvoPortAdminStatus "
     "tarvoPortUplinkStatus"},
    {"tarvoPortSegmentTable", "tarvoPortSegmentIndex tarvoPortSegmentDescr"},
    {"rptrRptrInfo", "rptrReset"},
    {"rptrMonitorGroupTable",
     "rptrMonitorGroupIndex rptrMonitorGroupTotalFrames rptrMonitorGroupTotalOctets "
     "rptrMonitorGroupTotalErrors"},
    {"rptrMonitorPortTable",
     "rptrMonitorPortGroupIndex rptrMonitorPortIndex rptrMonitorPortReadableFrames "
     "rptrMonitorPortReadableOctets rptrMonitorPortFCSErrors "
     "rptrMonitorPortAlignmentErrors rptrMonitorPortFrameTooLongs "
     "rptrMonitorPortShortEvents rptrMonitorPortRunts rptrMonitorPortCollisions "
     "rptrMonitorPortLateEvents rptrMonitorPortVeryLongEvents "
     "rptrMonitorPortDataRateMismatches rptrMonitorPortAutoPartitions"},
    {"chasStatus", "chasNorixContents"},
    {"chasSlotTable",
     "chasSlotIndex chasSlotModuleType chasSlotModuleName chasSlotPortCount "
     "chasSlotPortsPerUnit"},
    {"chasPortTable", "chasPortSlot chasPortIndex chasPortType"},
    {"system", "sysDescr sysObjectID sysUpTime sysName"},
};

TEST(MibDictionary, KnowsEveryPageVariableInItsTableOrGroup) {
    for (const auto& [owner, names] : kPageVariables) {
        EXPECT_TRUE(dict().hasTableOrGroup(owner)) << owner;
        std::istringstream words(names);
        for (std::string name; words >> name;) {
            const MibVariable* v = dict().find(name);
            ASSERT_NE(v, nullptr) << name;
            EXPECT_EQ(v->name, name);
            EXPECT_EQ(v->isColumn() ? v->table : v->group, owner) << name;
        }
    }
    EXPECT_EQ(dict().find("phyportslot"), nullptr);  // names are case-sensitive
    EXPECT_FALSE(dict().hasTableOrGroup(""));
}

// value=label pairs per variable; "*" accepts any label as long as there is one.
const std::pair<const char*, const char*> kEnumRules[] = {
    {"phyPortAdmStatus", "1=enabled 2=disabled"},
    {"phyPortOperStatus", "3=up"},
    {"mesmPortAutoNegotiate", "1=disabled 2=enabled"},
    {"mesmPortAutoSpeed", "1=10 2=100 3=auto 4=* 5=1000"},
    {"mesmPortCfgSpeed", "1=10 2=100 3=auto 4=* 5=1000"},
    {"mesmPortAutoDuplexMode", "1=fullDuplex 2=halfDuplex 3=autoDuplex"},
    {"mesmPortCfgDuplexMode", "1=fullDuplex 2=halfDuplex 3=autoDuplex"},
    {"vportFuncType", "4=*"},
    {"vportOperStatus", "3=up"},
    {"vLanMode", "4=* 5=*"},
    {"vportEncapsulation", "1=* 2=* 3=* 6=* 7=* 8=* 9=*"},
    {"vportBrdgMode", "3=* 4=* 5=*"},
    {"vportAdmStatus", "1=enabled 2=disabled"},
    {"vportManualMode", "1=* 2=*"},
    {"tarvoPortAdminStatus", "1=enabled"},
    {"tarvoPortUplinkStatus", "1=uplink 2=notUplink"},
    {"adminStatus", "1=create 2=delete"},
    {"secadminStatus", "2=delete"},
    {"v8021QCommand", "1=add 2=remove"},
    {"VDBrCommand", "1=add 2=remove"},
    {"rptrReset", "1=noReset 2=reset"},
    {"etherStatsStatus", "1=valid 4=invalid"},
};

TEST(MibDictionary, EnumerationsCarryTheValuesThePagesRelyOn) {
    for (const auto& [variable, rules] : kEnumRules) {
        std::istringstream words(rules);
        for (std::string rule; words >> rule;) {
            const int value = std::stoi(rule);
            const std::string label = rule.substr(rule.find('=') + 1);
            auto text = dict().enumText(variable, value);
            ASSERT_TRUE(text.has_value()) << variable << " " << value;
            if (label != "*") {
                EXPECT_EQ(*text, label) << variable;
            }
            EXPECT_EQ(dict().enumValue(variable, *text), value) << variable;
        }
    }
    EXPECT_EQ(dict().enumCount("mesmPortAutoSpeed"), 6);
    EXPECT_EQ(dict().enumCount("phyPortSlot"), 0);
    EXPECT_EQ(dict().enumCount("noSuchVariable"), 0);
    EXPECT_FALSE(dict().enumText("phyPortOperStatus", 99).has_value());
}

TEST(MibDictionary, EveryEnumerationIsDenseFromOneWithDistinctLabels) {
    for (const MibVariable& v : dict().all()) {
        ASSERT_EQ(v.syntax == Syntax::Enumeration, !v.enums.empty()) << v.name;
        std::set<std::string> labels;
        for (std::size_t i = 0; i < v.enums.size(); ++i) {
            EXPECT_EQ(v.enums[i].value, static_cast<int>(i) + 1) << v.name;  // no empty combo rows
            EXPECT_FALSE(v.enums[i].label.empty()) << v.name;
            EXPECT_TRUE(labels.insert(v.enums[i].label).second) << v.name;
        }
    }
}

TEST(MibDictionary, NamesAndOidsAreUniqueAndNoneIsPrefixOfAnother) {
    std::set<std::string> names;
    std::vector<Oid> oids;
    for (const MibVariable& v : dict().all()) {
        EXPECT_TRUE(names.insert(v.name).second) << "duplicate " << v.name;
        EXPECT_FALSE(v.description.empty()) << v.name;
        oids.push_back(v.oid);
    }
    std::sort(oids.begin(), oids.end());
    for (std::size_t i = 1; i < oids.size(); ++i) {
        EXPECT_FALSE(oidStartsWith(oids[i], oids[i - 1])) << oidToString(oids[i]);
    }
}

TEST(MibDictionary, ColumnsNameUsableIndexObjectsOfTheirOwnTable) {
    const std::set<Syntax> usable = {Syntax::Integer,       Syntax::Enumeration,
                                     Syntax::IpAddress,     Syntax::MacAddress,
                                     Syntax::DisplayString, Syntax::OctetString};
    for (const MibVariable& v : dict().all()) {
        EXPECT_NE(v.isColumn(), !v.group.empty()) << v.name;
        if (!v.isColumn()) {
            continue;
        }
        ASSERT_FALSE(v.indexes.empty()) << v.name;
        for (const std::string& indexName : v.indexes) {
            const MibVariable* index = dict().find(indexName);
            ASSERT_NE(index, nullptr) << v.name << " index " << indexName;
            EXPECT_EQ(index->table, v.table) << indexName;
            EXPECT_EQ(index->indexes, v.indexes) << indexName;
            EXPECT_TRUE(usable.count(index->syntax)) << indexName;
        }
    }
}

TEST(MibDictionary, PagesWriteOnlyWritableVariablesOfTheSizesTheyAllow) {
    const std::pair<const char*, int> writtenWithMaxSize[] = {
        {"phyPortDescription", 31},    {"vportDescription", 40},
        {"tarvoPortSegmentDescr", 31}, {"v8021QServicesDescription", 30},
        {"phyPortAdmStatus", 0},       {"adminStatus", 0},
        {"secadminStatus", 0},         {"mesmPortAutoNegotiate", 0},
        {"mesmPortCfgDuplexMode", 0},  {"mesmPortCfgSpeed", 0},
        {"vportVlanNumber", 0},        {"vportSwitchTimer", 0},
        {"vportFloodLimit", 0},        {"vportEncapsulation", 0},
        {"vportBrdgMode", 0},          {"vportManualMode", 0},
        {"vportAdmStatus", 0},         {"v8021QCommand", 0},
        {"tarvoPortSegment", 0},       {"tarvoPortAdminStatus", 0},
        {"tarvoPortUplinkStatus", 0},  {"rptrReset", 0},
        {"vBrdgStaticStatus", 0}};
    for (const auto& [name, maxSize] : writtenWithMaxSize) {
        const MibVariable* v = dict().find(name);
        ASSERT_NE(v, nullptr) << name;
        EXPECT_TRUE(v->isWritable()) << name;
        EXPECT_EQ(v->maxSize, maxSize) << name;
    }
    EXPECT_EQ(dict().find("chasNorixContents")->maxSize, 512);
    EXPECT_EQ(dict().find("vportMACaddress")->syntax, Syntax::MacAddress);
    EXPECT_EQ(dict().find("norixIpAssocAddr")->syntax, Syntax::IpAddress);
    EXPECT_FALSE(dict().find("phyPortOperStatus")->isWritable());
}

TEST(MibDictionary, StandardObjectsSitAtTheirPublishedOids) {
    const std::pair<const char*, const char*> standard[] = {
        {"sysDescr", "1.3.6.1.2.1.1.1"},
        {"sysObjectID", "1.3.6.1.2.1.1.2"},
        {"sysUpTime", "1.3.6.1.2.1.1.3"},
        {"sysName", "1.3.6.1.2.1.1.5"},
        {"etherStatsIndex", "1.3.6.1.2.1.16.1.1.1.1"},
        {"etherStatsOctets", "1.3.6.1.2.1.16.1.1.1.4"},
        {"etherStatsCRCAlignErrors", "1.3.6.1.2.1.16.1.1.1.8"},
        {"etherStatsPkts1024to1518Octets", "1.3.6.1.2.1.16.1.1.1.19"},
        {"etherStatsStatus", "1.3.6.1.2.1.16.1.1.1.21"},
        {"rptrReset", "1.3.6.1.2.1.22.1.1.4"},
        {"rptrMonitorGroupTotalErrors", "1.3.6.1.2.1.22.2.2.1.1.4"},
        {"rptrMonitorPortIndex", "1.3.6.1.2.1.22.2.3.1.1.2"},
        {"rptrMonitorPortReadableFrames", "1.3.6.1.2.1.22.2.3.1.1.3"},
        {"rptrMonitorPortTotalErrors", "1.3.6.1.2.1.22.2.3.1.1.15"},
    };
    const Oid privateArc = {1, 3, 6, 1, 4, 1, 32473};
    for (const auto& [name, oid] : standard) {
        EXPECT_EQ(oidToString(dict().find(name)->oid), oid) << name;
    }
    for (const MibVariable& v : dict().all()) {
        const bool isStandard = v.name.starts_with("sys") || v.name.starts_with("etherStats") ||
                                v.name.starts_with("rptr");
        EXPECT_EQ(oidStartsWith(v.oid, privateArc), !isStandard) << v.name;
    }
}

TEST(MibDictionary, InstanceOidsResolveToTheirVariable) {
    for (const MibVariable& v : dict().all()) {
        Oid instance = v.oid;
        instance.insert(instance.end(), {3, 17});
        EXPECT_EQ(dict().findByInstanceOid(instance), &v) << v.name;
        EXPECT_EQ(dict().findByInstanceOid(v.oid), &v) << v.name;
    }
    Oid sysName = {1, 3, 6, 1, 2, 1, 1, 5, 0};
    EXPECT_EQ(dict().findByInstanceOid(sysName)->name, "sysName");
    EXPECT_EQ(dict().findByInstanceOid({1, 3, 6, 1, 2, 1, 1, 8, 0}), nullptr);
    EXPECT_EQ(dict().findByInstanceOid({1, 3, 6, 1, 2, 1, 16}), nullptr);
    EXPECT_EQ(dict().findByInstanceOid({0}), nullptr);
    EXPECT_EQ(dict().findByInstanceOid({}), nullptr);
}

TEST(MibDictionary, ColumnsOfATableComeInSubIdentifierOrder) {
    auto columns = dict().columnsOf("vportTable");
    ASSERT_EQ(columns.size(), 15u);
    EXPECT_EQ(columns.front()->name, "vportSlot");
    EXPECT_EQ(columns.back()->name, "vportMACaddress");
    EXPECT_TRUE(dict().columnsOf("chasStatus").empty());  // a group has no columns
}

TEST(MibDictionary, PortTypesHaveANameAndADescription) {
    for (int code : {5, 6, 7, 8, 9, 10, 23, 24, 223, 225, 226, 227, 233, 244, 259, 260}) {
        auto name = dict().enumText("PortName", code);
        auto description = dict().enumText("PortDesc", code);
        ASSERT_TRUE(name && description) << code;
        EXPECT_NE(*name, *description) << code;
        EXPECT_EQ(dict().enumValue("PortName", *name), code);
    }
    EXPECT_EQ(*dict().enumText("PortName", 259), "1000BASE-SX");
    EXPECT_FALSE(dict().enumText("PortName", 4).has_value());
    EXPECT_FALSE(dict().enumText("PortDesc", 9999).has_value());
}

}  // namespace
}  // namespace mib
