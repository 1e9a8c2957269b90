// The MACs page in a sheet over the simulated switch, operated as a person would.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/enet_macs_page.h"
#include "framework/sw/default_icons.h"
#include "framework/sw/help_engine.h"
#include "resources/macs_page_ids.h"
#include "tests/support/page_fixture.h"

namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

// The built-in dictionary with the IP-to-MAC table moved where the switch has nothing: an
// agent that does not keep the table.
const mib::MibDictionary& dictionaryWithoutIpToMac() {
    static const mib::MibDictionary dictionary([] {
        std::vector<mib::MibVariable> variables = mib::MibDictionary::builtin().all();
        for (mib::MibVariable& v : variables) {
            if (v.name.rfind("norixIpAssoc", 0) == 0) {
                v.oid[v.oid.size() - 3] = 77;
            }
        }
        return variables;
    }());
    return dictionary;
}

class MacsPageTest : public ::testing::Test {
protected:
    CEnetMACsPage& open(std::vector<sw::SlotPort> selected) {
        m_fixture.select(selected.front().slot, selected.front().port, selected);
        m_fixture.agent().GetTrace().setRecording(true);
        auto* page = new CEnetMACsPage;
        m_fixture.openSheet({page});
        m_fixture.settle();
        return *page;
    }
    HWND control(int id) { return m_fixture.driver().find(afx::ControlRef::withId(id)).hwnd; }
    const std::vector<afx::ListRow>& rows() {
        return afx::windows().find(control(IDC_MACS_LIST))->rows;
    }
    std::vector<std::string> column(std::size_t index) {
        std::vector<std::string> out;
        for (const afx::ListRow& r : rows()) {
            out.push_back(r.cell(index));
        }
        return out;
    }
    bool itemViewEnabled() { return afx::windows().find(control(IDC_MACS_ITEM_VIEW))->enabled; }
    void click(int id) {
        ASSERT_TRUE(m_fixture.driver().click(afx::ControlRef::withId(id)));
        m_fixture.settle();
    }
    void chooseRow(int row) {
        ASSERT_TRUE(m_fixture.driver().selectRows(afx::ControlRef::withId(IDC_MACS_LIST), {row}));
    }
    CNxListCtrl& list() {
        return *dynamic_cast<CNxListCtrl*>(CWnd::FromHandlePermanent(control(IDC_MACS_LIST)));
    }
    mib::MibTrace& trace() { return m_fixture.agent().GetTrace(); }
    std::string reloadOf(long h) {
        const auto lines = trace().linesStartingWith("SetReload(" + std::to_string(h) + ",");
        return lines.empty() ? "none" : lines.back();
    }

    test_support::PageFixture m_fixture;
};

TEST_F(MacsPageTest, IpToMacListsOnlyTheSelectedPortsWithMacsInColonForm) {
    open({{1, 2}, {1, 1}});
    EXPECT_THAT(column(0), ElementsAre("10.1.1.10", "10.1.1.11"));
    EXPECT_THAT(column(1), ElementsAre("00:A0:C9:14:C8:29", "08:00:20:7A:11:02"));
    EXPECT_THAT(column(3), ElementsAre("1", "2"));
    EXPECT_EQ(rows()[0].image, sw::kIconPortNotEnabled);  // no port health
    const afx::WindowRecord* record = afx::windows().find(control(IDC_MACS_LIST));
    ASSERT_EQ(record->columns.size(), 7u);
    EXPECT_EQ(record->columns[4].heading, "DupMAC");
    EXPECT_EQ(record->columns[0].format, LVCFMT_LEFT);
    EXPECT_EQ(record->columns[5].format, LVCFMT_RIGHT);
    EXPECT_FALSE(itemViewEnabled());
}

TEST_F(MacsPageTest, ForwardingRowIsReadBackByItsGroupAndAddress) {
    CEnetMACsPage& page = open({{1, 1}, {1, 2}, {1, 5}});
    click(IDC_MACS_FORWARDING);
    // slot, port, then group order; 3/1 and 2/1 are not selected
    EXPECT_THAT(column(0), ElementsAre("1", "1", "2", "2", "3"));
    EXPECT_THAT(column(1),
                ElementsAre("00:A0:C9:14:C8:29", "00:A0:C9:14:C8:2A", "08:00:20:7A:11:01",
                            "08:00:20:7A:11:02", "00:10:4B:33:00:05"));
    EXPECT_THAT(column(8), Contains("duplicate"));

    chooseRow(2);
    EXPECT_TRUE(itemViewEnabled());
    trace().clear();
    click(IDC_MACS_ITEM_VIEW);
    const std::string h = std::to_string(page.requestOf(CEnetMACsPage::kForwarding));
    EXPECT_THAT(trace().linesStartingWith("SetRowIndex"),
                ElementsAre("SetRowIndex(" + h + ", [\"2\", \"08:00:20:7A:11:01\"])"));
    EXPECT_THAT(trace().linesStartingWith("RequestRow"), ElementsAre("RequestRow(" + h + ")"));
    ASSERT_EQ(rows().size(), 9u);
    EXPECT_THAT(rows()[1].cells, ElementsAre("Address", "08:00:20:7A:11:01"));
    EXPECT_THAT(rows()[5].cells, ElementsAre("Instance", "2"));
    EXPECT_THAT(rows()[7].cells, ElementsAre("VLAN Membership", "2"));
    EXPECT_EQ(rows()[1].image, sw::kIconTextItem);
    EXPECT_EQ(rows()[0].image, sw::kIconItem);
    EXPECT_THAT(list().BeginDrag(3).str(), IsEmpty());  // no drag strings on this page

    // choosing in the item view changes nothing; back in the table view the row is chosen
    chooseRow(4);
    click(IDC_MACS_TABLE_VIEW);
    EXPECT_EQ(rows()[2].state & LVIS_SELECTED, static_cast<UINT>(LVIS_SELECTED));

    click(IDC_MACS_IP_TO_MAC);
    EXPECT_FALSE(itemViewEnabled());
    ASSERT_EQ(afx::windows().find(control(IDC_MACS_LIST))->columns.size(), 7u);
}

TEST_F(MacsPageTest, ItemViewOfAnIpRowListsItsSevenVariables) {
    open({{1, 5}});
    chooseRow(0);
    click(IDC_MACS_ITEM_VIEW);
    std::vector<std::string> labels = column(0);
    EXPECT_THAT(labels, ElementsAre("IP Address", "MAC Address", "Slot", "Port", "Duplicate MAC",
                                    "Duplicate Slot", "Duplicate Port"));
    EXPECT_THAT(column(1), ElementsAre("10.1.1.12", "00:10:4B:33:00:05", "1", "5",
                                       "00:10:4B:33:00:06", "3", "1"));
}

TEST_F(MacsPageTest, ReloadAndChosenRowFollowTheTableSwitchesAndRefresh) {
    CEnetMACsPage& page = open({{1, 1}, {1, 2}});
    const long ip = page.requestOf(CEnetMACsPage::kIpToMac);
    EXPECT_THAT(reloadOf(ip), HasSubstr(", 0)"));
    click(IDC_MACS_FORWARDING);
    click(IDC_MACS_IP_TO_MAC);
    EXPECT_THAT(reloadOf(ip), HasSubstr(", 1)"));

    chooseRow(1);
    ASSERT_TRUE(m_fixture.driver().press("Refresh"));
    m_fixture.settle();
    EXPECT_THAT(reloadOf(ip), HasSubstr(", 0)"));
    EXPECT_EQ(page.chosenRow(), -1);
    EXPECT_FALSE(itemViewEnabled());

    click(IDC_MACS_FORWARDING);
    chooseRow(3);
    ASSERT_TRUE(m_fixture.driver().press("Refresh"));
    m_fixture.settle();
    EXPECT_EQ(page.chosenRow(), 3);
    EXPECT_EQ(rows()[3].state & LVIS_SELECTED, static_cast<UINT>(LVIS_SELECTED));
}

TEST_F(MacsPageTest, NothingIsPolledAndDeactivationStopsBothTables) {
    m_fixture.select(1, 1, {{1, 1}});
    m_fixture.agent().GetTrace().setRecording(true);
    auto* page = new CEnetMACsPage;
    m_fixture.openSheet({page, new CEnetMACsPage});
    m_fixture.settle();
    click(IDC_MACS_FORWARDING);
    EXPECT_THAT(trace().linesStartingWith("StartPolling"), IsEmpty());
    const int handled = m_fixture.transport().handledCount();
    m_fixture.advance(30'000);
    EXPECT_EQ(m_fixture.transport().handledCount(), handled);

    m_fixture.sheet().SetActivePage(1);
    m_fixture.settle();
    for (int kind : {CEnetMACsPage::kIpToMac, CEnetMACsPage::kForwarding}) {
        EXPECT_THAT(trace().lines(),
                    Contains("StopPolling(" + std::to_string(page->requestOf(kind)) + ")"));
    }
}

TEST_F(MacsPageTest, AFailedIpToMacReadIsToldOnceAndTheForwardingTableStillWorks) {
    m_fixture.select(1, 1, {{1, 1}});
    m_fixture.transport().failNextRequest(mib::TransportOutcome::Timeout, "no answer");
    m_fixture.driver().expectMessageBox(IDOK, "Error", "demo-switch: no response: no answer");
    m_fixture.openSheet({new CEnetMACsPage});
    m_fixture.settle();
    ASSERT_EQ(m_fixture.driver().shownMessageBoxes().size(), 1u);
    EXPECT_EQ(m_fixture.driver().shownMessageBoxes()[0].caption, "Error");
    EXPECT_THAT(rows(), IsEmpty());
    click(IDC_MACS_FORWARDING);
    EXPECT_EQ(rows().size(), 3u);
    EXPECT_EQ(m_fixture.driver().shownMessageBoxes().size(), 1u);
}

TEST_F(MacsPageTest, AnAgentWithoutTheIpToMacTableShowsAnEmptyListNotAnError) {
    m_fixture.agent().SetDictionary(&dictionaryWithoutIpToMac());
    open({{1, 1}});
    EXPECT_THAT(rows(), IsEmpty());
    EXPECT_THAT(m_fixture.driver().shownMessageBoxes(), IsEmpty());
    click(IDC_MACS_FORWARDING);
    EXPECT_EQ(rows().size(), 3u);
    m_fixture.agent().SetDictionary(nullptr);
}

TEST_F(MacsPageTest, AMacOfAnotherLengthShowsItsBytesAndHelpOpensTheTopic) {
    const mib::Oid row{10, 1, 1, 10, 0x00, 0xa0, 0xc9, 0x14, 0xc8, 0x29};
    ASSERT_TRUE(m_fixture.simulatedSwitch().write("norixIpAssocDupMac", row,
                                                  mib::Value::makeString("\x01\x02\x03")));
    open({{1, 1}});
    EXPECT_THAT(column(4), ElementsAre("01 02 03"));
    ASSERT_TRUE(m_fixture.driver().press("Help"));
    EXPECT_EQ(sw::lastHelpTopic().topic, "Ethernet_port_help\\ethernet_port_macs_page");
    EXPECT_TRUE(sw::lastHelpTopic().exists);
}

}  // namespace
