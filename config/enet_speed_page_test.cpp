// The Speed/Mode page in a sheet over the simulated switch, operated as a person would.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <unistd.h>

#include <cctype>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "config/enet_speed_page.h"
#include "framework/mib/change_journal.h"
#include "framework/sw/help_engine.h"
#include "framework/sw/nx_chassis_info.h"
#include "resources/speed_page_ids.h"
#include "tests/support/page_fixture.h"

namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

constexpr const char* kPorts = "Ports";
constexpr const char* kAutoNeg = "Auto Negotiation Enabled";
constexpr const char* kSucceeded = "Speed/Mode Changes Successful.";
constexpr const char* kFailed = "Failed to Apply Auto Negotiation Settings";
constexpr UINT kExclamation = MB_OK | MB_ICONEXCLAMATION;

class SpeedPageTest : public ::testing::Test {
protected:
    // The sheet over the demo switch with the chassis description the console would hand it;
    // retype overrides one port's type code.
    CEnetSpeedPage& open(std::vector<sw::SlotPort> selected, sw::SlotPort retyped = {},
                         int type = 0) {
        m_fixture.select(selected.front().slot, selected.front().port, selected);
        auto contents =
            m_fixture.simulatedSwitch().read("chasNorixContents", mib::Oid{0}).value().octets;
        EXPECT_TRUE(m_chassis.LoadContents(contents.data(), static_cast<int>(contents.size())));
        if (retyped.slot != 0) {
            m_chassis.SetPortType(retyped.slot, retyped.port, type);
        }
        m_fixture.trace().setRecording(true);
        auto* page = new CEnetSpeedPage;
        m_fixture.openSheet({page});
        m_fixture.sheet().SetChassisInfoObject(&m_chassis);
        m_fixture.settle();
        return *page;
    }
    std::vector<std::string> row(std::size_t r) {
        return m_fixture.record(IDC_SPEED_PORT_LIST).rows.at(r).cells;
    }
    std::vector<int> selectedRows() { return m_fixture.selectedRows(IDC_SPEED_PORT_LIST); }
    void selectAll() {
        const auto count = static_cast<int>(m_fixture.record(IDC_SPEED_PORT_LIST).rows.size());
        std::vector<int> rows;
        for (int r = 0; r < count; ++r) {
            rows.push_back(r);
        }
        ASSERT_TRUE(m_fixture.driver().selectRows(kPorts, rows));
        m_fixture.settle();
    }
    // Speed, duplex and auto-negotiation of a port as the switch has them: "2/1/2".
    std::string link(int slot, int port) {
        return std::to_string(m_fixture.switchInteger("mesmPortCfgSpeed", slot, port)) + "/" +
               std::to_string(m_fixture.switchInteger("mesmPortCfgDuplexMode", slot, port)) + "/" +
               std::to_string(m_fixture.switchInteger("mesmPortAutoNegotiate", slot, port));
    }
    const std::vector<afx::ShownMessageBox>& shown() {
        return m_fixture.driver().shownMessageBoxes();
    }
    // The last Timeout and Retries the port request was given.
    std::string timeoutAndRetries() {
        auto timeouts = m_fixture.trace().linesStartingWith("SetTimeout");
        auto retries = m_fixture.trace().linesStartingWith("SetRetries");
        return (timeouts.empty() ? "" : timeouts.back()) + " " +
               (retries.empty() ? "" : retries.back());
    }

    test_support::PageFixture m_fixture;
    CNxChassisInfo m_chassis;
};

TEST_F(SpeedPageTest, ABatchOverThreePortsSendsThreeSetsTheLastDelayedThenOneMessageAndOneRead) {
    CEnetSpeedPage& page = open({{1, 1}, {1, 2}, {1, 6}});
    selectAll();
    EXPECT_EQ(m_fixture.read(kAutoNeg), "checked");  // 1/1, read when it was chosen first
    ASSERT_TRUE(m_fixture.driver().click(kAutoNeg));
    ASSERT_TRUE(m_fixture.driver().choose("Mode", "fullDuplex"));
    ASSERT_TRUE(m_fixture.driver().choose("Speed", "100"));
    EXPECT_TRUE(page.IsModified());
    m_fixture.trace().clear();
    m_fixture.apply();

    EXPECT_EQ(m_fixture.count("SendSet"), 3u);
    EXPECT_THAT(m_fixture.trace().linesStartingWith("SetSetDelay"),
                ElementsAre(HasSubstr(", 0)"), HasSubstr(", 0)"), HasSubstr(", 3000)")));
    EXPECT_THAT(m_fixture.trace().linesStartingWith("SetReRead"),
                ::testing::Each(HasSubstr(", 0)")));
    EXPECT_THAT(m_fixture.trace().linesStartingWith("PDU SET"),
                ElementsAre(HasSubstr("mesmPortAutoNegotiate.1.1=disabled, "
                                      "mesmPortCfgDuplexMode.1.1=fullDuplex, "
                                      "mesmPortCfgSpeed.1.1=100"),
                            HasSubstr(".1.2="), HasSubstr(".1.6=")));
    EXPECT_THAT(shown(), IsEmpty()) << "the last set still waits its delay";
    EXPECT_EQ(m_fixture.count("RequestTable"), 0u);

    m_fixture.driver().expectMessageBox(IDOK, "Success", kSucceeded);
    m_fixture.advance(3000);
    ASSERT_TRUE(m_fixture.driver().verifyAllExpectedShown());
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_EQ(shown()[0].style, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
    EXPECT_EQ(m_fixture.count("RequestTable"), 1u);
    for (int port : {1, 2, 6}) {
        EXPECT_EQ(link(1, port), "2/1/1") << port;
    }
    EXPECT_THAT(row(1),
                ElementsAre("1", "2", "disabled", "100", "fullDuplex", "100", "fullDuplex"));
    EXPECT_THAT(selectedRows(), ElementsAre(0, 1, 2));
    EXPECT_FALSE(page.IsModified());
    EXPECT_EQ(page.m_loaded, 1);
}

// Each set of a batch is its own journal record, with what the port had before it.
TEST_F(SpeedPageTest, EverySetOfABatchIsJournaledWithThePortsValuesBeforeAndSent) {
    const std::filesystem::path path = std::filesystem::temp_directory_path() /
                                       ("speed_journal_" + std::to_string(getpid()) + ".jsonl");
    std::string error;
    auto journal = mib::ChangeJournal::open(path.string(), &error);
    ASSERT_NE(journal, nullptr) << error;
    m_fixture.agent().SetChangeJournal(journal);
    const std::vector<std::string> before = {link(1, 1), link(1, 2), link(1, 6)};
    open({{1, 1}, {1, 2}, {1, 6}});
    selectAll();
    ASSERT_TRUE(m_fixture.driver().click(kAutoNeg));
    ASSERT_TRUE(m_fixture.driver().choose("Mode", "fullDuplex"));
    ASSERT_TRUE(m_fixture.driver().choose("Speed", "100"));
    m_fixture.driver().expectMessageBox(IDOK, "Success", kSucceeded);
    m_fixture.apply();
    m_fixture.advance(3000);
    ASSERT_TRUE(m_fixture.driver().verifyAllExpectedShown());

    mib::JournalContents read = mib::readJournal(path.string(), &error);
    std::filesystem::remove(path);
    EXPECT_THAT(read.warnings, IsEmpty());
    ASSERT_EQ(read.changes.size(), 3u);
    const char* instances[] = {"1.1", "1.2", "1.6"};
    for (std::size_t i = 0; i < 3; ++i) {
        const mib::JournalChange& change = read.changes[i];
        EXPECT_EQ(change.source.page, "CEnetSpeedPage");
        EXPECT_EQ(mib::describeOutcome(change), "done");
        ASSERT_EQ(change.varbinds.size(), 3u) << i;
        std::string was, sent;
        for (const mib::JournalVarbind& v : change.varbinds) {
            EXPECT_EQ(v.instance, instances[i]);
            ASSERT_TRUE(v.before.has_value()) << v.name;
            const std::string separator = was.empty() ? "" : "/";
            was = std::to_string(v.before->integer) + separator + was;
            sent = std::to_string(v.sent.integer) + separator + sent;
        }
        // Varbinds go auto-negotiation, duplex, speed; link() reads speed/duplex/auto.
        EXPECT_EQ(was, before[i]) << instances[i];
        EXPECT_EQ(sent, "2/1/1") << instances[i];  // as the switch holds it after
    }
}

struct PortKindCase {
    const char* what;
    sw::SlotPort port;
    int type;  // 0: as the chassis has it
    const char* autoNegCell;
    bool autoNeg, duplex, speed;
    std::vector<std::string> duplexEntries, speedEntries;
    const char* speedShown;
};

const std::vector<std::string> kAllDuplex = {"fullDuplex", "halfDuplex", "autoDuplex"};
const std::vector<std::string> kFixedDuplex = {"fullDuplex", "halfDuplex"};
const std::vector<std::string> kSpeeds = {"10", "100", "auto"};
const std::vector<std::string> kGigabit = {"10", "100", "auto", "1000"};
const PortKindCase kPortKinds[] = {
    {"226 negotiating", {1, 1}, 0, "enabled", true, true, false, kAllDuplex, kSpeeds, "auto"},
    {"226 fixed", {1, 6}, 0, "disabled", true, true, true, kAllDuplex, kSpeeds, "100"},
    {"227 has a fixed speed", {1, 9}, 0, "n/a", false, true, true, kFixedDuplex, kSpeeds, "10"},
    {"244 uplink", {2, 1}, 0, "n/a", false, true, true, kFixedDuplex, kSpeeds, "100"},
    {"259 offers only its speed",
     {2, 5},
     0,
     "enabled",
     true,
     false,
     false,
     kAllDuplex,
     kGigabit,
     "1000"},
    {"other known type: duplex", {3, 1}, 0, "n/a", false, true, false, kFixedDuplex, kSpeeds, "10"},
    {"type unknown to the catalogue",
     {1, 2},
     999,
     "n/a",
     false,
     false,
     false,
     kAllDuplex,
     kSpeeds,
     "100"},
};

class SpeedPortKindTest : public SpeedPageTest,
                          public ::testing::WithParamInterface<PortKindCase> {};

TEST_P(SpeedPortKindTest, WhatCanBeSetFollowsThePortType) {
    const PortKindCase& c = GetParam();
    open({c.port}, c.type ? c.port : sw::SlotPort{}, c.type);
    ASSERT_EQ(m_fixture.record(IDC_SPEED_PORT_LIST).rows.size(), 1u);
    EXPECT_EQ(row(0)[0], std::to_string(c.port.slot));
    EXPECT_EQ(row(0)[1], std::to_string(c.port.port));
    EXPECT_EQ(row(0)[2], c.autoNegCell);
    EXPECT_THAT(selectedRows(), ElementsAre(0)) << "one port is chosen at once";
    EXPECT_EQ(m_fixture.enabled(IDC_SPEED_AUTO_NEGOTIATION), c.autoNeg);
    EXPECT_EQ(m_fixture.enabled(IDC_SPEED_DUPLEX), c.duplex);
    EXPECT_EQ(m_fixture.enabled(IDC_SPEED_SPEED), c.speed);
    EXPECT_EQ(m_fixture.entries(IDC_SPEED_DUPLEX), c.duplexEntries);
    EXPECT_EQ(m_fixture.entries(IDC_SPEED_SPEED), c.speedEntries);
    EXPECT_EQ(m_fixture.read("Speed"), c.speedShown);
    if (!c.autoNeg && !c.duplex && !c.speed) {
        m_fixture.trace().clear();
        ASSERT_TRUE(m_fixture.driver().press("OK"));
        m_fixture.settle();
        EXPECT_EQ(m_fixture.count("SendSet"), 0u) << "nothing to set, nothing sent";
        EXPECT_THAT(shown(), IsEmpty());
    }
}

INSTANTIATE_TEST_SUITE_P(PortTypes, SpeedPortKindTest, ::testing::ValuesIn(kPortKinds),
                         [](const ::testing::TestParamInfo<PortKindCase>& info) {
                             std::string name;
                             for (const char* p = info.param.what; *p; ++p) {
                                 name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
                             }
                             return name;
                         });

TEST_F(SpeedPageTest, ShownDuplexFollowsTheBoxAndRefusedCombinationsSendNothing) {
    open({{1, 1}, {1, 6}});
    ASSERT_TRUE(m_fixture.driver().selectRows(kPorts, {1}));  // 1/6: 100 half, no negotiation
    m_fixture.settle();
    EXPECT_EQ(m_fixture.read(kAutoNeg), "unchecked");
    EXPECT_EQ(m_fixture.read("Mode"), "halfDuplex");
    ASSERT_TRUE(m_fixture.driver().selectRows(kPorts, {0}));  // 1/1: auto duplex, negotiating
    m_fixture.settle();
    EXPECT_EQ(m_fixture.read("Mode"), "autoDuplex");
    EXPECT_FALSE(m_fixture.enabled(IDC_SPEED_SPEED));
    ASSERT_TRUE(m_fixture.driver().click(kAutoNeg));
    EXPECT_EQ(m_fixture.read("Mode"), "fullDuplex")
        << "auto duplex shows as full without negotiation";
    EXPECT_TRUE(m_fixture.enabled(IDC_SPEED_SPEED));

    struct Case {
        bool ticked;
        const char* duplex;
        const char* speed;
        const char* message;
    };
    const std::vector<Case> cases = {
        {true, "fullDuplex", "",
         "  Only HalfDuplex and AutoDuplex are\nvalid when Auto Negotiation is Enabled."},
        {false, "autoDuplex", "auto",
         "    AutoDuplex is only valid\nwhen Auto Negotiation is Enabled."},
        {false, "halfDuplex", "auto",
         "   Auto Speed is only valid\nwhen Auto Negotiation is Enabled."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        if ((m_fixture.read(kAutoNeg) == "checked") != c.ticked) {
            ASSERT_TRUE(m_fixture.driver().click(kAutoNeg));
        }
        ASSERT_TRUE(m_fixture.driver().choose("Mode", c.duplex));
        if (*c.speed) {
            ASSERT_TRUE(m_fixture.driver().choose("Speed", c.speed));
        }
        m_fixture.driver().expectMessageBox(IDOK, "Error", c.message);
        m_fixture.trace().clear();
        m_fixture.apply();
        ASSERT_TRUE(m_fixture.driver().verifyAllExpectedShown());
        EXPECT_EQ(shown().back().style, kExclamation);
        EXPECT_EQ(m_fixture.count("SendSet"), 0u);
        EXPECT_EQ(m_fixture.read("Mode"), c.duplex) << "the operator's choice stays";
    }
    EXPECT_EQ(link(1, 1), "3/3/2");
}

TEST_F(SpeedPageTest, GigabitFibreKeepsFullDuplexWithNegotiation) {
    open({{2, 5}, {2, 6}});
    selectAll();
    EXPECT_EQ(m_fixture.read(kAutoNeg), "checked");
    EXPECT_EQ(m_fixture.read("Mode"), "fullDuplex")
        << "as read: the duplex mode is not the operator's";
    ASSERT_TRUE(m_fixture.driver().click(kAutoNeg));
    ASSERT_TRUE(m_fixture.driver().click(kAutoNeg));
    m_fixture.trace().clear();
    m_fixture.driver().expectMessageBox(IDOK, "Success", kSucceeded);
    m_fixture.apply();
    m_fixture.advance(30000);
    ASSERT_TRUE(m_fixture.driver().verifyAllExpectedShown());
    EXPECT_THAT(m_fixture.trace().linesStartingWith("PDU SET"),
                ElementsAre("PDU SET mesmPortAutoNegotiate.2.5=enabled",
                            "PDU SET mesmPortAutoNegotiate.2.6=enabled"));
}

TEST_F(SpeedPageTest, SilenceAfterEnablingNegotiationIsRiddenOutWithALongTimeoutAndNoRetry) {
    m_fixture.simulatedSwitch().setRenegotiationMs(12000);  // beyond 5 s x 2 tries
    CEnetSpeedPage& page = open({{1, 6}, {1, 7}, {1, 8}});
    selectAll();  // 1/6 first: negotiation off
    ASSERT_TRUE(m_fixture.driver().click(kAutoNeg));
    ASSERT_TRUE(m_fixture.driver().choose("Mode", "autoDuplex"));
    m_fixture.trace().clear();
    m_fixture.apply();
    const std::vector<std::string> lines = m_fixture.trace().lines();
    const auto firstSet = std::find_if(lines.begin(), lines.end(), [](const std::string& l) {
        return l.rfind("SendSet", 0) == 0;
    });
    EXPECT_THAT(
        std::vector<std::string>(lines.begin(), firstSet),
        ::testing::IsSupersetOf({HasSubstr("SetTimeout(2, 20)"), HasSubstr("SetRetries(2, 0)")}));

    ASSERT_TRUE(m_fixture.driver().choose("Mode", "halfDuplex"));
    ASSERT_TRUE(m_fixture.driver().press("Apply"));
    EXPECT_EQ(m_fixture.count("SendSet"), 3u)
        << "nothing more is sent while the batch is under way";
    EXPECT_TRUE(page.IsModified());

    // Each set waits for the renegotiation the one before started: answered at 0, 12 and
    // 24 s, the last then waits its 3 s.
    m_fixture.advance(26000);
    EXPECT_THAT(shown(), IsEmpty()) << "the third set waits out the second's renegotiation";
    m_fixture.driver().expectMessageBox(IDOK, "Success", kSucceeded);
    m_fixture.advance(1000);
    ASSERT_TRUE(m_fixture.driver().verifyAllExpectedShown());
    EXPECT_EQ(shown().size(), 1u);
    EXPECT_EQ(m_fixture.count("PDU SET"), 3u);
    for (int port : {6, 7, 8}) {
        EXPECT_EQ(m_fixture.switchInteger("mesmPortAutoNegotiate", 1, port), 2) << port;
    }
    EXPECT_EQ(timeoutAndRetries(), "SetTimeout(2, 5) SetRetries(2, 1)");
    m_fixture.advance(12000);  // the read after the last set waited for the switch as well
    EXPECT_EQ(row(0)[2], "enabled");
    EXPECT_EQ(row(0)[6], "autoDuplex");
    EXPECT_TRUE(page.IsModified()) << "the change not sent can still be applied";
}

TEST_F(SpeedPageTest, OneUnansweredSetIsAnsweredByASilentReadTwoByTheFailureMessage) {
    CEnetSpeedPage& page = open({{1, 6}});
    ASSERT_TRUE(m_fixture.driver().choose("Speed", "10"));
    m_fixture.transport().failNextRequest(mib::TransportOutcome::Timeout, "no answer");
    m_fixture.trace().clear();
    m_fixture.apply();
    m_fixture.advance(3000);
    EXPECT_THAT(shown(), IsEmpty());
    EXPECT_EQ(m_fixture.count("RequestTable"), 1u);
    EXPECT_TRUE(page.IsModified()) << "Apply stays available";
    EXPECT_EQ(timeoutAndRetries(), "SetTimeout(2, 5) SetRetries(2, 1)");

    // Two of three sets unanswered: the switch is silent for the first 25 s.
    m_fixture.closeSheet();
    open({{1, 1}, {1, 2}, {1, 6}});
    selectAll();
    ASSERT_TRUE(m_fixture.driver().click(kAutoNeg));
    ASSERT_TRUE(m_fixture.driver().choose("Mode", "halfDuplex"));
    ASSERT_TRUE(m_fixture.driver().choose("Speed", "10"));
    m_fixture.simulatedSwitch().stopAnsweringFor(25000);
    m_fixture.driver().expectMessageBox(IDOK, "Error",
                                        std::string(kFailed) + "\nNo answer for: 1/1, 1/2");
    m_fixture.apply();
    m_fixture.advance(40000);
    ASSERT_TRUE(m_fixture.driver().verifyAllExpectedShown());
    EXPECT_EQ(shown().back().style, kExclamation);
    EXPECT_EQ(link(1, 6), "1/2/1") << "the third set was answered";
    EXPECT_EQ(link(1, 1), "3/3/2");
}

TEST_F(SpeedPageTest, ARefusedSetInTheMiddleNamesItsPortAndGivesNoSuccess) {
    CEnetSpeedPage& page = open({{1, 1}, {1, 2}, {1, 6}});
    selectAll();
    ASSERT_TRUE(m_fixture.driver().choose("Mode", "halfDuplex"));
    // Each answer takes 100 ms, so the fault can be put in after the first set went out.
    m_fixture.transport().setLatencyMs(100);
    m_fixture.apply();
    m_fixture.simulatedSwitch().failNextSet(mib::ErrorStatus::WrongValue);
    m_fixture.driver().expectMessageBox(IDOK, "Error", std::string(kFailed) + "\nNot changed: 1/2");
    m_fixture.trace().clear();
    m_fixture.advance(10000);
    ASSERT_TRUE(m_fixture.driver().verifyAllExpectedShown());
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_EQ(shown()[0].style, kExclamation);
    EXPECT_EQ(m_fixture.switchInteger("mesmPortCfgDuplexMode", 1, 1), 2);
    EXPECT_EQ(m_fixture.switchInteger("mesmPortCfgDuplexMode", 1, 2), 3) << "refused";
    EXPECT_EQ(m_fixture.switchInteger("mesmPortCfgDuplexMode", 1, 6), 2);
    EXPECT_EQ(m_fixture.count("RequestTable"), 1u);
    EXPECT_EQ(timeoutAndRetries(), "SetTimeout(2, 5) SetRetries(2, 1)");
    EXPECT_TRUE(page.IsModified());
    EXPECT_THAT(selectedRows(), ElementsAre(0, 1, 2));
}

TEST_F(SpeedPageTest, ASetThatCannotStartEndsTheBatchRestoresAndReadsAgain) {
    // A dictionary in which auto-negotiation cannot be written: the only value a gigabit
    // port's set would carry cannot be staged, so the set cannot start.
    static const mib::MibDictionary readOnly([] {
        std::vector<mib::MibVariable> variables = mib::MibDictionary::builtin().all();
        for (mib::MibVariable& v : variables) {
            if (v.name == "mesmPortAutoNegotiate") {
                v.access = mib::Access::ReadOnly;
            }
        }
        return variables;
    }());
    m_fixture.agent().SetDictionary(&readOnly);
    CEnetSpeedPage& page = open({{2, 5}, {2, 6}});
    selectAll();
    ASSERT_TRUE(m_fixture.driver().click(kAutoNeg));
    ASSERT_TRUE(m_fixture.driver().click(kAutoNeg));
    m_fixture.driver().expectMessageBox(IDOK, "Error",
                                        std::string(kFailed) + "\nNot changed: 2/5, 2/6");
    m_fixture.trace().clear();
    m_fixture.apply();
    ASSERT_TRUE(m_fixture.driver().verifyAllExpectedShown());
    EXPECT_EQ(m_fixture.count("PDU SET"), 0u);
    EXPECT_THAT(m_fixture.trace().linesStartingWith("SetTimeout"),
                ElementsAre("SetTimeout(2, 20)", "SetTimeout(2, 5)"));
    EXPECT_THAT(m_fixture.trace().linesStartingWith("SetRetries"),
                ElementsAre("SetRetries(2, 0)", "SetRetries(2, 1)"));
    EXPECT_EQ(m_fixture.count("RequestTable"), 1u);
    EXPECT_TRUE(page.IsModified());
    m_fixture.closeSheet();
    m_fixture.agent().SetDictionary(nullptr);
}

TEST_F(SpeedPageTest, ValuesTheCombosLackShowAsTextAndAreNeitherSelectedNorWritten) {
    m_fixture.simulatedSwitch().write("mesmPortAutoSpeed", {1, 10}, mib::Value::makeInteger(5));
    m_fixture.simulatedSwitch().write("mesmPortCfgSpeed", {1, 10}, mib::Value::makeInteger(5));
    m_fixture.simulatedSwitch().write("mesmPortCfgDuplexMode", {1, 10}, mib::Value::makeInteger(7));
    open({{1, 10}});
    EXPECT_EQ(row(0)[3], "1000");
    EXPECT_EQ(row(0)[5], "1000");
    EXPECT_EQ(row(0)[6], "7");
    EXPECT_EQ(m_fixture.read("Speed"), "");
    EXPECT_EQ(m_fixture.read("Mode"), "");
    m_fixture.trace().clear();
    ASSERT_TRUE(m_fixture.driver().press("OK"));
    m_fixture.settle();
    EXPECT_EQ(m_fixture.count("SendSet"), 0u) << "neither combo has a choice: nothing to send";

    open({{1, 10}});
    m_fixture.trace().clear();
    ASSERT_TRUE(m_fixture.driver().choose("Mode", "halfDuplex"));
    m_fixture.driver().expectMessageBox(IDOK, "Success", kSucceeded);
    m_fixture.apply();
    m_fixture.advance(3000);
    EXPECT_THAT(m_fixture.trace().linesStartingWith("PDU SET"),
                ElementsAre("PDU SET mesmPortCfgDuplexMode.1.10=halfDuplex"));
    EXPECT_EQ(m_fixture.switchInteger("mesmPortCfgSpeed", 1, 10), 5);
}

TEST_F(SpeedPageTest, ARowThatCannotBeReachedStopsTheFillWithAPlainErrorBox) {
    m_fixture.select(1, 1, {{1, 1}, {1, 2}, {1, 3}});
    auto* page = new CEnetSpeedPage;
    m_fixture.openSheet({page});
    test_support::ReleaseRequestsOnFirstRow releaser(*page, m_fixture.control(IDC_SPEED_PORT_LIST));
    m_fixture.driver().expectMessageBox(IDOK, "Error", "Unable to access database record");
    m_fixture.settle();
    ASSERT_TRUE(m_fixture.driver().verifyAllExpectedShown());
    EXPECT_EQ(shown().at(0).style, static_cast<UINT>(MB_OK));
    EXPECT_EQ(m_fixture.record(IDC_SPEED_PORT_LIST).rows.size(), 1u);
}

TEST_F(SpeedPageTest, NoConfigurablePortGivesTheNoticeOnceAndHelpOpensTheSpeedTopic) {
    m_fixture.driver().expectMessageBox(
        IDOK, "Notice",
        "      Configuration of Speed/Mode\nis not supported on this type of Ethernet Port.");
    open({{9, 1}});
    ASSERT_TRUE(m_fixture.driver().verifyAllExpectedShown());
    EXPECT_EQ(shown().at(0).style, kExclamation);
    ASSERT_TRUE(m_fixture.driver().press("Refresh"));
    m_fixture.settle();
    EXPECT_EQ(shown().size(), 1u);
    EXPECT_FALSE(m_fixture.enabled(IDC_SPEED_DUPLEX));

    ASSERT_TRUE(m_fixture.driver().press("Help"));
    EXPECT_EQ(sw::lastHelpTopic().topic, "Ethernet_port_help\\ethernet_port_speed_page");
    EXPECT_TRUE(sw::lastHelpTopic().exists);
}

TEST_F(SpeedPageTest, TheChosenPortsAreChosenAgainAfterTheOperatorSortedOnAHeading) {
    open({{1, 1}, {1, 6}, {1, 9}});
    ASSERT_TRUE(
        m_fixture.driver().clickColumn(afx::ControlRef::withId(IDC_SPEED_PORT_LIST), "ConfSpeed"));
    ASSERT_EQ(row(0)[1], "9");                                // "10" sorts first
    ASSERT_TRUE(m_fixture.driver().selectRows(kPorts, {0}));  // 1/9
    m_fixture.settle();
    ASSERT_TRUE(m_fixture.driver().choose("Speed", "100"));
    m_fixture.driver().expectMessageBox(IDOK, "Success", kSucceeded);
    m_fixture.apply();
    m_fixture.advance(3000);
    EXPECT_EQ(m_fixture.switchInteger("mesmPortCfgSpeed", 1, 9), 2);
    EXPECT_EQ(row(2)[1], "9");  // slot and port order again
    EXPECT_THAT(selectedRows(), ElementsAre(2));
    EXPECT_EQ(m_fixture.read("Speed"), "100");
}

}  // namespace
