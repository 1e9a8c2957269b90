// The Channeling page in a sheet over the simulated switch, operated as a person would.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/enet_channeling_page.h"
#include "framework/mib/request_engine.h"
#include "framework/sw/nx_chassis_info.h"
#include "resources/channeling_ids.h"
#include "tests/support/page_fixture.h"

namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

constexpr UINT kErrorStyle = MB_OK | MB_ICONEXCLAMATION;
constexpr const char* kAvailable = "Available Ports";
constexpr const char* kChannelPorts = "Channel Ports";
constexpr const char* kRangeMessage = "Channel ID must be\n 1 <= and <= 254";

class ChannelingPageTest : public ::testing::Test {
protected:
    CEnetChannelingPage& open(int slot = 1) {
        m_fixture.select(slot, 1);
        m_fixture.agent().GetTrace().setRecording(true);
        auto* page = new CEnetChannelingPage;
        m_fixture.openSheet({page});
        const auto contents = m_fixture.simulatedSwitch().read("chasNorixContents", {0});
        EXPECT_TRUE(contents &&
                    m_chassis.LoadContents(reinterpret_cast<const BYTE*>(contents->octets.data()),
                                           static_cast<int>(contents->octets.size())));
        m_fixture.sheet().SetChassisInfoObject(&m_chassis);
        m_fixture.settle();
        m_page = page;
        return *page;
    }
    afx::OperatorDriver& driver() { return m_fixture.driver(); }
    // The list's rows, cells joined by "|".
    std::vector<std::string> rows() {
        std::vector<std::string> out;
        for (const afx::ListRow& r : m_fixture.record(IDC_CHANNELING_LIST).rows) {
            std::string line;
            for (std::size_t i = 0; i < r.cells.size(); ++i) {
                line += (i ? "|" : "") + r.cells[i];
            }
            out.push_back(line);
        }
        return out;
    }
    std::vector<std::string> setPdus() { return m_fixture.trace().linesStartingWith("PDU SET"); }
    bool switchHas(const char* column, const mib::Oid& instance) {
        return m_fixture.simulatedSwitch().rowExists(column, instance);
    }
    void chooseChannel(const std::string& channel) {
        ASSERT_TRUE(driver().selectRow(afx::ControlRef::withId(IDC_CHANNELING_LIST), {channel}));
    }
    void addPorts(const std::vector<std::string>& ports) {
        for (const std::string& port : ports) {
            ASSERT_TRUE(driver().choose(kAvailable, port));
            ASSERT_TRUE(driver().click("Add >>"));
        }
    }
    // Create with the given ID text and ports, the primary port set to primary when given.
    void define(const std::string& id, const std::vector<std::string>& ports,
                const std::string& primary = {}) {
        ASSERT_TRUE(driver().click("Create"));
        ASSERT_TRUE(driver().type("Channel ID", id));
        addPorts(ports);
        if (!primary.empty()) {
            ASSERT_TRUE(driver().choose(kChannelPorts, primary));
            ASSERT_TRUE(driver().click("Set Primary"));
        }
    }
    void expectShown(const std::string& caption, const std::string& text, UINT style) {
        ASSERT_TRUE(driver().verifyAllExpectedShown());
        const auto& shown = driver().shownMessageBoxes();
        ASSERT_FALSE(shown.empty());
        EXPECT_EQ(shown.back().caption, caption);
        EXPECT_EQ(shown.back().text, text);
        EXPECT_EQ(shown.back().style, style);
    }

    test_support::PageFixture m_fixture;
    CNxChassisInfo m_chassis;
    CEnetChannelingPage* m_page = nullptr;
};

TEST_F(ChannelingPageTest, ListsTheChannelsOfThePageSlotOrOfAllSlotsWithSecondaryPortsJoined) {
    // A secondary row whose channel and slot match no channel shows nowhere.
    m_fixture.simulatedSwitch().write("secadminStatus", {3, 2, 5}, mib::Value::makeInteger(1));
    m_fixture.simulatedSwitch().write("secethChannelId", {3, 2, 5}, mib::Value::makeInteger(3));
    m_fixture.simulatedSwitch().write("secPortSlot", {3, 2, 5}, mib::Value::makeInteger(2));
    m_fixture.simulatedSwitch().write("secPortPhysIntf", {3, 2, 5}, mib::Value::makeInteger(5));
    CEnetChannelingPage& page = open();
    EXPECT_THAT(m_fixture.trace().linesStartingWith("OpenRequest"),
                ElementsAre(HasSubstr("[ethChannelId priPortSlot priPortPhysIntf adminStatus], 4"),
                            HasSubstr("[secethChannelId secPortSlot secPortPhysIntf "
                                      "secadminStatus], 4")));
    EXPECT_EQ(m_fixture.trace().linesStartingWith("RequestTable").size(), 2u);
    EXPECT_EQ(m_fixture.text(IDC_CHANNELING_LIST_CAPTION), "Current Channels - Slot 1");
    EXPECT_THAT(rows(), ElementsAre("3|1|10|11,12|create", "8|1|7|8|create"));
    const auto& columns = m_fixture.record(IDC_CHANNELING_LIST).columns;
    ASSERT_EQ(columns.size(), 5u);
    EXPECT_EQ(columns[0].heading, "ChannelID");
    EXPECT_EQ(columns[4].heading, "AdminStatus");
    EXPECT_EQ(page.m_loaded, 1);
    EXPECT_FALSE(page.IsModified());
    EXPECT_FALSE(m_fixture.enabled(IDC_CHANNELING_MODIFY));
    EXPECT_FALSE(m_fixture.enabled(IDC_CHANNELING_CHANNEL_ID));

    ASSERT_TRUE(driver().click("All Slots"));
    EXPECT_EQ(m_fixture.text(IDC_CHANNELING_LIST_CAPTION), "Current Channels - All Slots");
    EXPECT_THAT(rows(), ElementsAre("3|1|10|11,12|create", "7|2|1||create", "8|1|7|8|create"));
    chooseChannel("7");
    EXPECT_TRUE(m_fixture.enabled(IDC_CHANNELING_MODIFY));
    EXPECT_TRUE(m_fixture.enabled(IDC_CHANNELING_DELETE));
    // Hiding the chosen channel's slot again leaves nothing for Modify and Delete to act on.
    ASSERT_TRUE(driver().click("All Slots"));
    EXPECT_THAT(rows(), ElementsAre("3|1|10|11,12|create", "8|1|7|8|create"));
    EXPECT_FALSE(m_fixture.enabled(IDC_CHANNELING_DELETE));

    ASSERT_TRUE(driver().press("Help"));  // the page has no topic: nothing opens, nothing shows
    EXPECT_THAT(driver().shownMessageBoxes(), IsEmpty());
}

TEST_F(ChannelingPageTest, ANewChannelGoesOutWholeInOneSetAndIsListedWithAllItsPorts) {
    open();
    ASSERT_TRUE(driver().click("Create"));
    EXPECT_EQ(m_fixture.text(IDC_CHANNELING_CHANNEL_ID), "9");  // one above channel 8
    EXPECT_EQ(m_fixture.text(IDC_CHANNELING_SLOT), "1");
    // Ports of channels 3 (10, 11, 12) and 8 (7, 8) are not offered.
    EXPECT_THAT(m_fixture.entries(IDC_CHANNELING_AVAILABLE),
                ElementsAre("1", "2", "3", "4", "5", "6", "9"));
    EXPECT_TRUE(m_fixture.enabled(IDC_CHANNELING_CHANNEL_ID));
    EXPECT_FALSE(m_fixture.enabled(IDC_CHANNELING_MODIFY));

    ASSERT_TRUE(driver().type("Channel ID", "20"));
    addPorts({"6", "4", "5"});
    EXPECT_EQ(m_fixture.text(IDC_CHANNELING_PRIMARY_PORT), "6");  // the first port moved in
    EXPECT_THAT(m_fixture.entries(IDC_CHANNELING_CHANNEL_PORTS), ElementsAre("4", "5", "6"));
    ASSERT_TRUE(driver().choose(kChannelPorts, "5"));
    ASSERT_TRUE(driver().click("Set Primary"));
    EXPECT_EQ(m_fixture.text(IDC_CHANNELING_CHANNEL_ID),
              "20");  // what was typed survives the moves
    EXPECT_EQ(m_fixture.text(IDC_CHANNELING_PRIMARY_PORT), "5");

    m_fixture.trace().clear();
    driver().expectMessageBox(IDOK, "Success", "Channel Successfully Created.");
    m_fixture.apply();
    expectShown("Success", "Channel Successfully Created.", kErrorStyle);
    EXPECT_THAT(setPdus(), ElementsAre("PDU SET priPortSlot.20=1, priPortPhysIntf.20=5, "
                                       "adminStatus.20=create, secadminStatus.20.1.4=create, "
                                       "secadminStatus.20.1.6=create"));
    EXPECT_THAT(m_fixture.trace().linesStartingWith("SetReRead"), ElementsAre(HasSubstr(", 0)")));
    EXPECT_EQ(m_fixture.switchInteger("priPortSlot", {20}), 1);
    EXPECT_EQ(m_fixture.switchInteger("priPortPhysIntf", {20}), 5);
    EXPECT_TRUE(switchHas("secPortPhysIntf", {20, 1, 4}));
    EXPECT_TRUE(switchHas("secPortPhysIntf", {20, 1, 6}));
    EXPECT_THAT(rows(), ElementsAre("3|1|10|11,12|create", "8|1|7|8|create", "20|1|5|4,6|create"));
    EXPECT_FALSE(m_fixture.enabled(IDC_CHANNELING_CHANNEL_ID));  // the definition is done
}

TEST_F(ChannelingPageTest, ConfirmDeleteAnsweredNoSendsNothingAndYesRemovesEveryRow) {
    open();
    chooseChannel("3");
    m_fixture.trace().clear();
    driver().expectMessageBox(IDNO, "Confirm Delete Channel",
                              "Are you sure you want to Delete\n         Channel 3?");
    ASSERT_TRUE(driver().click("Delete"));
    m_fixture.settle();
    expectShown("Confirm Delete Channel", "Are you sure you want to Delete\n         Channel 3?",
                MB_YESNO | MB_ICONQUESTION);
    EXPECT_THAT(m_fixture.trace().linesStartingWith("SendSet"), IsEmpty());
    EXPECT_TRUE(switchHas("adminStatus", {3}));

    driver().expectMessageBox(IDYES, "Confirm Delete Channel");
    ASSERT_TRUE(driver().click("Delete"));
    m_fixture.settle();
    ASSERT_TRUE(driver().verifyAllExpectedShown());
    EXPECT_THAT(setPdus(), ElementsAre("PDU SET secadminStatus.3.1.11=delete",
                                       "PDU SET secadminStatus.3.1.12=delete",
                                       "PDU SET adminStatus.3=delete"));
    EXPECT_THAT(m_fixture.trace().linesStartingWith("SetRequestTag"),
                ElementsAre(HasSubstr(", 1)")));
    EXPECT_FALSE(switchHas("adminStatus", {3}));
    EXPECT_FALSE(switchHas("secPortPhysIntf", {3, 1, 11}));
    EXPECT_FALSE(switchHas("secPortPhysIntf", {3, 1, 12}));
    EXPECT_TRUE(switchHas("adminStatus", {8}));
    EXPECT_THAT(rows(), ElementsAre("8|1|7|8|create"));
    EXPECT_EQ(driver().shownMessageBoxes().size(), 2u);  // the two questions, nothing else
}

struct RefusedInput {
    const char* id;
    std::vector<std::string> ports;
    const char* message;
};

const RefusedInput kRefusedInputs[] = {
    {"0", {"4"}, kRangeMessage},
    {"255", {"4"}, kRangeMessage},
    {"", {"4"}, kRangeMessage},
    {"abc", {"4"}, kRangeMessage},  // no digits counts as 0
    {"8", {"4"}, "Channel 8 already exists."},
    {"20", {}, "At least one port must be added to\n    the Channelled Port list."},
};

class ChannelingRefusedInputTest : public ChannelingPageTest,
                                   public ::testing::WithParamInterface<RefusedInput> {};

TEST_P(ChannelingRefusedInputTest, GivesItsMessageAndLeavesTheSwitchUnchanged) {
    const RefusedInput& c = GetParam();
    open();
    const std::size_t cells = m_fixture.simulatedSwitch().cellCount();
    define(c.id, c.ports);  // typing the ID marks the page changed
    m_fixture.trace().clear();
    driver().expectMessageBox(IDOK, "Error", c.message);
    m_fixture.apply();
    expectShown("Error", c.message, kErrorStyle);
    EXPECT_THAT(setPdus(), IsEmpty());
    EXPECT_EQ(m_fixture.simulatedSwitch().cellCount(), cells);
    EXPECT_EQ(m_fixture.text(IDC_CHANNELING_CHANNEL_ID), c.id);  // kept for a correction
    EXPECT_EQ(m_fixture.entries(IDC_CHANNELING_CHANNEL_PORTS), c.ports);
}

INSTANTIATE_TEST_SUITE_P(ChannelIdsAndPorts, ChannelingRefusedInputTest,
                         ::testing::ValuesIn(kRefusedInputs));

TEST_F(ChannelingPageTest, AProposedIdAboveTheRangeIsRefusedToo) {
    // With channel 254 on the switch the proposal is 255, which Apply refuses too.
    m_fixture.simulatedSwitch().write("adminStatus", {254}, mib::Value::makeInteger(1));
    m_fixture.simulatedSwitch().write("ethChannelId", {254}, mib::Value::makeInteger(254));
    m_fixture.simulatedSwitch().write("priPortSlot", {254}, mib::Value::makeInteger(2));
    open();
    ASSERT_TRUE(driver().click("Create"));
    EXPECT_EQ(m_fixture.text(IDC_CHANNELING_CHANNEL_ID), "255");
    addPorts({"4"});
    driver().expectMessageBox(IDOK, "Error", kRangeMessage);
    m_fixture.apply();
    EXPECT_THAT(setPdus(), IsEmpty());
}

TEST_F(ChannelingPageTest, AFifthPortIsRefusedBeforeAnythingMovesOrIsSent) {
    open();
    define("20", {"1", "2", "3", "4"});
    m_fixture.trace().clear();
    ASSERT_TRUE(driver().choose(kAvailable, "5"));
    driver().expectMessageBox(IDOK, "Error", "A Maximum of 4 Ports can be\nin any one Channel.");
    ASSERT_TRUE(driver().click("Add >>"));
    expectShown("Error", "A Maximum of 4 Ports can be\nin any one Channel.", kErrorStyle);
    EXPECT_THAT(m_fixture.entries(IDC_CHANNELING_CHANNEL_PORTS), ElementsAre("1", "2", "3", "4"));
    EXPECT_THAT(m_fixture.entries(IDC_CHANNELING_AVAILABLE), ElementsAre("5", "6", "9"));
    EXPECT_THAT(m_fixture.trace().linesStartingWith("SendSet"), IsEmpty());

    // Removing the primary port leaves none; Apply then asks for one and sends nothing.
    ASSERT_TRUE(driver().choose(kChannelPorts, "1"));
    ASSERT_TRUE(driver().click("<< Remove"));
    EXPECT_EQ(m_fixture.text(IDC_CHANNELING_PRIMARY_PORT), "");
    driver().expectMessageBox(IDOK, "Error");
    m_fixture.apply();
    EXPECT_THAT(setPdus(), IsEmpty());
    ASSERT_TRUE(driver().choose(kChannelPorts, "3"));
    ASSERT_TRUE(driver().click("Set Primary"));
    driver().expectMessageBox(IDOK, "Success");
    m_fixture.apply();
    EXPECT_EQ(m_fixture.switchInteger("priPortPhysIntf", {20}), 3);
}

TEST_F(ChannelingPageTest, ACreationTheSwitchRefusesLeavesNothingAndKeepsTheDefinition) {
    open();
    // Behind the page's back port 1/4 joins channel 3, so the switch refuses the channel.
    sim::SimulatedSwitch& sw = m_fixture.simulatedSwitch();
    sw.write("secadminStatus", {3, 1, 4}, mib::Value::makeInteger(1));
    sw.write("secethChannelId", {3, 1, 4}, mib::Value::makeInteger(3));
    sw.write("secPortSlot", {3, 1, 4}, mib::Value::makeInteger(1));
    sw.write("secPortPhysIntf", {3, 1, 4}, mib::Value::makeInteger(4));
    const std::size_t cells = sw.cellCount();
    define("20", {"4", "5", "6"}, "5");
    driver().expectMessageBox(IDOK, "Error", "Failed to Create the Channel.");
    m_fixture.apply();
    expectShown("Error", "Failed to Create the Channel.", kErrorStyle);
    EXPECT_EQ(setPdus().size(), 1u);
    EXPECT_EQ(sw.cellCount(), cells);
    EXPECT_FALSE(switchHas("adminStatus", {20}));
    EXPECT_EQ(m_fixture.text(IDC_CHANNELING_CHANNEL_ID), "20");
    EXPECT_THAT(m_fixture.entries(IDC_CHANNELING_CHANNEL_PORTS), ElementsAre("4", "5", "6"));
    EXPECT_EQ(m_fixture.text(IDC_CHANNELING_PRIMARY_PORT), "5");
    EXPECT_TRUE(m_page->IsModified());  // Apply stays for a retry

    ASSERT_TRUE(driver().choose(kChannelPorts, "4"));
    ASSERT_TRUE(driver().click("<< Remove"));
    driver().expectMessageBox(IDOK, "Success", "Channel Successfully Created.");
    m_fixture.apply();
    EXPECT_TRUE(switchHas("secPortPhysIntf", {20, 1, 6}));
    EXPECT_FALSE(switchHas("secPortPhysIntf", {20, 1, 4}));
}

TEST_F(ChannelingPageTest, ModifySendsOnlyTheRowsThatChangeInOneSet) {
    open();
    chooseChannel("3");
    ASSERT_TRUE(driver().click("Modify"));
    EXPECT_EQ(m_fixture.text(IDC_CHANNELING_CHANNEL_ID), "3");
    EXPECT_THAT(m_fixture.entries(IDC_CHANNELING_CHANNEL_PORTS), ElementsAre("10", "11", "12"));
    EXPECT_EQ(m_fixture.text(IDC_CHANNELING_PRIMARY_PORT), "10");
    ASSERT_TRUE(driver().choose(kChannelPorts, "12"));
    ASSERT_TRUE(driver().click("<< Remove"));
    addPorts({"9"});
    ASSERT_TRUE(driver().choose(kChannelPorts, "11"));
    ASSERT_TRUE(driver().click("Set Primary"));
    m_fixture.trace().clear();
    driver().expectMessageBox(IDOK, "Success", "Channel Successfully Modified.");
    m_fixture.apply();
    expectShown("Success", "Channel Successfully Modified.", kErrorStyle);
    EXPECT_THAT(setPdus(), ElementsAre("PDU SET priPortPhysIntf.3=11, "
                                       "secadminStatus.3.1.11=delete, "
                                       "secadminStatus.3.1.12=delete, "
                                       "secadminStatus.3.1.9=create, "
                                       "secadminStatus.3.1.10=create"));
    EXPECT_THAT(rows(), ElementsAre("3|1|11|9,10|create", "8|1|7|8|create"));

    // Choosing another channel ends the definition, so Apply cannot write it onto that one.
    chooseChannel("3");
    ASSERT_TRUE(driver().click("Modify"));
    ASSERT_TRUE(driver().choose(kChannelPorts, "9"));
    ASSERT_TRUE(driver().click("<< Remove"));
    chooseChannel("8");
    EXPECT_FALSE(m_fixture.enabled(IDC_CHANNELING_CHANNEL_PORTS));
    m_fixture.trace().clear();
    m_fixture.apply();
    EXPECT_THAT(setPdus(), IsEmpty());
    EXPECT_EQ(m_fixture.switchInteger("secPortPhysIntf", {3, 1, 9}), 9);
}

TEST_F(ChannelingPageTest, AnotherIdMovesTheChannelWholeAndATakenOneIsRefused) {
    open();
    chooseChannel("8");
    ASSERT_TRUE(driver().click("Modify"));
    ASSERT_TRUE(driver().type("Channel ID", "3"));
    driver().expectMessageBox(IDOK, "Error", "Channel 3 already exists.");
    m_fixture.apply();
    EXPECT_THAT(setPdus(), IsEmpty());

    ASSERT_TRUE(driver().type("Channel ID", "30"));
    driver().expectMessageBox(IDOK, "Success", "Channel Successfully Modified.");
    m_fixture.apply();
    EXPECT_THAT(setPdus(), ElementsAre("PDU SET adminStatus.8=delete, priPortSlot.30=1, "
                                       "priPortPhysIntf.30=7, adminStatus.30=create, "
                                       "secadminStatus.30.1.8=create"));
    EXPECT_FALSE(switchHas("adminStatus", {8}));
    EXPECT_FALSE(switchHas("secPortPhysIntf", {8, 1, 8}));
    EXPECT_THAT(rows(), ElementsAre("3|1|10|11,12|create", "30|1|7|8|create"));
}

TEST_F(ChannelingPageTest, ADeletionWhoseReadBackFindsTheRowGoneCountsAsDone) {
    CEnetChannelingPage& page = open();
    // Every set is read back, as a component with re-read on does: the deleted row is gone.
    m_fixture.trace().setSink([&page](const std::string& line) {
        if (line.rfind("SendSet(", 0) == 0) {
            page.m_mibComm->engine()->setReRead(std::stol(line.substr(8)), true);
        }
    });
    chooseChannel("8");
    driver().expectMessageBox(IDYES, "Confirm Delete Channel");
    ASSERT_TRUE(driver().click("Delete"));
    m_fixture.settle();
    m_fixture.trace().setSink(nullptr);
    ASSERT_TRUE(driver().verifyAllExpectedShown());
    EXPECT_EQ(driver().shownMessageBoxes().size(), 1u);  // the question only, no failure
    EXPECT_EQ(m_fixture.trace().linesStartingWith("OnError").size(), 2u);
    EXPECT_FALSE(switchHas("adminStatus", {8}));
    EXPECT_THAT(rows(), ElementsAre("3|1|10|11,12|create"));
}

TEST_F(ChannelingPageTest, MissingOrWrongTypedColumnsShowEmptyCellsAndRecordsNeverOverflow) {
    static const mib::MibDictionary skewed([] {
        std::vector<mib::MibVariable> variables = mib::MibDictionary::builtin().all();
        for (mib::MibVariable& v : variables) {
            if (v.name == "priPortPhysIntf") {
                v.oid.back() = 99;  // the switch has nothing there
            } else if (v.name == "adminStatus") {
                v.syntax = mib::Syntax::DisplayString;
                v.enums.clear();
            } else if (v.name == "secPortSlot") {
                v.syntax = mib::Syntax::DisplayString;  // the switch answers integers
            }
        }
        return variables;
    }());
    sim::SimulatedSwitch& sw = m_fixture.simulatedSwitch();
    sw.write("adminStatus", {3}, mib::Value::makeString("active since the last reboot"));
    m_fixture.agent().SetDictionary(&skewed);
    CEnetChannelingPage& page = open();
    EXPECT_THAT(rows(), ElementsAre("3|1|||active since th", "8|1|||"));
    for (const torvik::ChannelRecord& r : page.records()) {
        EXPECT_EQ(r.secondaryCount, 0);  // no secondary slot read: joined to nothing
        EXPECT_EQ(r.adminStatus[torvik::kAdminStatusTextSize - 1], '\0');
    }
    m_fixture.closeSheet();
    m_fixture.agent().SetDictionary(nullptr);

    // A fourth secondary row of one channel finds no room in its record.
    sw.write("adminStatus", {3}, mib::Value::makeInteger(1));
    for (std::uint32_t port : {1u, 2u}) {
        sw.write("secadminStatus", {3, 1, port}, mib::Value::makeInteger(1));
        sw.write("secethChannelId", {3, 1, port}, mib::Value::makeInteger(3));
        sw.write("secPortSlot", {3, 1, port}, mib::Value::makeInteger(1));
        sw.write("secPortPhysIntf", {3, 1, port}, mib::Value::makeInteger(port));
    }
    open();
    EXPECT_THAT(rows(), ElementsAre("3|1|10|1,2,11|create", "8|1|7|8|create"));
    EXPECT_EQ(m_page->records().at(0).secondaryCount, torvik::kMaxSecondaryPorts);
}

TEST_F(ChannelingPageTest, OkOnTheSheetSendsNoDefinitionTheOperatorDidNotWorkOn) {
    open();
    ASSERT_TRUE(driver().click("Create"));  // the proposal alone is no change
    m_fixture.trace().clear();
    ASSERT_TRUE(driver().press("OK"));
    m_fixture.settle();
    EXPECT_THAT(driver().shownMessageBoxes(), IsEmpty());
    EXPECT_THAT(m_fixture.trace().linesStartingWith("SendSet"), IsEmpty());
}

}  // namespace
