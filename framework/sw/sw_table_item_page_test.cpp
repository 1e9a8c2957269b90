// The table view / item view display on its own: a page of two tables over the simulated
// switch, one whose rows belong to ports and one whose rows do not, shown in the order
// opposite to the one they were added in.

#include "framework/sw/sw_table_item_page.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/afx/resources.h"
#include "framework/sw/default_icons.h"
#include "framework/sw/drag_drop_string.h"
#include "tests/support/page_fixture.h"

namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::Not;

constexpr UINT kTemplate = 9301;
constexpr int IDC_BANKS = 1001, IDC_ADDRESSES = 1002, IDC_TABLE = 1003, IDC_ITEM = 1004,
              IDC_ROWS = 1005;

void registerTemplate() {
    static const bool once = [] {
        using afx::WindowClass;
        afx::DialogTemplate t;
        t.id = kTemplate;
        t.caption = "Sample";
        t.size = CSize(250, 200);
        auto add = [&t](int id, WindowClass cls, const char* text, DWORD style = 0) {
            t.controls.push_back({id, cls, text, CRect(), style});
        };
        add(IDC_BANKS, WindowClass::RadioButton, "Banks", afx::style::kGroup);
        add(IDC_ADDRESSES, WindowClass::RadioButton, "Addresses");
        add(IDC_TABLE, WindowClass::RadioButton, "Table View", afx::style::kGroup);
        add(IDC_ITEM, WindowClass::RadioButton, "Item View");
        add(IDC_ROWS, WindowClass::ListView, "", afx::style::kGroup | afx::style::kReport);
        return afx::registerDialogTemplate(AfxGetInstanceHandle(), t);
    }();
    (void)once;
}

// Kind 0 shows the bank table (added second), kind 1 the forwarding table (added first).
class SamplePage : public CSwTableItemPage {
public:
    enum Kind { kBanks = 0, kAddresses = 1 };
    explicit SamplePage(bool polls)
        : CSwTableItemPage(kTemplate, {.listId = IDC_ROWS,
                                       .firstKindId = IDC_BANKS,
                                       .tableViewId = IDC_TABLE,
                                       .itemViewId = IDC_ITEM,
                                       .polls = polls,
                                       .sourceWord = "Sample"}) {}

    void InitPage() override {
        m_addresses.Add("Group", 40, 'R', "vBrdgTpFdbGroupId", "Group");
        m_addresses.Add("Address", 90, 'L', "vBrdgTpFdbAddress", "Address");
        m_addresses.Add("Slot", 30, 'R', "vBrdgTpFdbRcvPortSlot", "Slot");
        m_addresses.Add("Port", 30, 'R', "vBrdgTpFdbRcvPortIF", "Port");
        AddDescription(&m_addresses);
        m_banks.Add("Bank", 40, 'R', "rptrMonitorGroupIndex", "Bank");
        m_banks.Add("Frames", 70, 'R', "rptrMonitorGroupTotalFrames", "Total Frames");
        AddDescription(&m_banks);
    }

    int indexCells = 2;

protected:
    int DescriptionIndexOfKind(int kind) const override { return kind == kBanks ? 1 : kind - 1; }
    int IndexCellCount() const override { return kind() == kBanks ? 1 : indexCells; }
    int TableImage() const override { return sw::kIconBank; }
    bool RowPort(sw::SlotPort* port) override {
        if (kind() == kBanks) {
            return false;
        }
        port->slot =
            static_cast<int>(m_mibComm->GetInteger(currentRequest(), "vBrdgTpFdbRcvPortSlot"));
        port->port =
            static_cast<int>(m_mibComm->GetInteger(currentRequest(), "vBrdgTpFdbRcvPortIF"));
        return true;
    }

private:
    CListData m_addresses;
    CListData m_banks;

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(SamplePage, CSwTableItemPage)
ON_BN_CLICKED(IDC_TABLE, &SamplePage::OnViewClicked)
ON_BN_CLICKED(IDC_ITEM, &SamplePage::OnViewClicked)
ON_BN_CLICKED(IDC_BANKS, &SamplePage::OnKindClicked)
ON_BN_CLICKED(IDC_ADDRESSES, &SamplePage::OnKindClicked)
ON_NOTIFY(LVN_ITEMCHANGED, IDC_ROWS, &SamplePage::OnListItemChanged)
END_MESSAGE_MAP()

class TableItemPageTest : public ::testing::Test {
protected:
    SamplePage& open(bool polls, std::vector<sw::SlotPort> selected = {{1, 1}, {1, 5}}) {
        registerTemplate();
        m_fixture.select(selected.front().slot, selected.front().port, selected);
        m_fixture.agent().GetTrace().setRecording(true);
        auto* page = new SamplePage(polls);
        m_fixture.openSheet({page, new SamplePage(polls)});
        m_fixture.sheet().SetSelection(selected.front().slot, selected.front().port, selected,
                                       test_support::PageFixture::kAgentAddress, &m_health);
        m_fixture.settle();
        return *page;
    }
    const afx::WindowRecord& list() {
        return *afx::windows().find(
            m_fixture.driver().find(afx::ControlRef::withId(IDC_ROWS)).hwnd);
    }
    std::vector<std::string> column(std::size_t index) {
        std::vector<std::string> out;
        for (const afx::ListRow& r : list().rows) {
            out.push_back(r.cell(index));
        }
        return out;
    }
    std::vector<std::string> selected() {
        std::vector<std::string> out;
        for (const afx::ListRow& r : list().rows) {
            if (r.state & LVIS_SELECTED) {
                out.push_back(r.cell(1));
            }
        }
        return out;
    }
    void click(int id) {
        ASSERT_TRUE(m_fixture.driver().click(afx::ControlRef::withId(id)));
        m_fixture.settle();
    }
    void chooseRow(int row) {
        ASSERT_TRUE(m_fixture.driver().selectRows(afx::ControlRef::withId(IDC_ROWS), {row}));
    }
    std::string drag(int row) {
        auto* ctrl = dynamic_cast<CNxListCtrl*>(CWnd::FromHandlePermanent(
            m_fixture.driver().find(afx::ControlRef::withId(IDC_ROWS)).hwnd));
        return ctrl->BeginDrag(row).str();
    }
    mib::MibTrace& trace() { return m_fixture.agent().GetTrace(); }

    CHealth m_health;
    test_support::PageFixture m_fixture;
};

TEST_F(TableItemPageTest, KindsShowTheirOwnTablesAndOnlyPortRowsAreFilteredByTheSelection) {
    m_health.SetPortEnabled(1, 5, TRUE);
    SamplePage& page = open(true);
    EXPECT_THAT(column(0), ElementsAre("1", "2"));  // banks: every row, the page's image
    EXPECT_EQ(list().rows[0].image, sw::kIconBank);
    EXPECT_EQ(page.currentRequest(), page.requestOf(SamplePage::kBanks));
    EXPECT_NE(page.requestOf(SamplePage::kBanks), page.requestOf(SamplePage::kAddresses));

    click(IDC_ADDRESSES);
    EXPECT_THAT(column(3), ElementsAre("1", "1", "1", "5"));  // 1/2, 2/1 and 3/1 left out
    EXPECT_EQ(list().rows[0].image, sw::kIconPortNotEnabled);
    EXPECT_EQ(list().rows[3].image, sw::kIconPortEnabled);
    EXPECT_EQ(page.requestOf(7), 0);
}

TEST_F(TableItemPageTest, TheChosenRowIsFoundByItsIndexCellsAfterAReadingReorders) {
    open(true);
    click(IDC_ADDRESSES);
    ASSERT_TRUE(m_fixture.driver().clickColumn(afx::ControlRef::withId(IDC_ROWS), "Address"));
    ASSERT_TRUE(m_fixture.driver().clickColumn(afx::ControlRef::withId(IDC_ROWS), "Address"));
    ASSERT_EQ(column(1).front(), "08:00:20:7A:11:01");  // reversed
    chooseRow(0);
    m_fixture.advance(5000);  // a reading puts the rows back in the page's order
    EXPECT_EQ(column(1).front(), "00:A0:C9:14:C8:29");
    EXPECT_THAT(selected(), ElementsAre("08:00:20:7A:11:01"));

    click(IDC_ITEM);
    EXPECT_THAT(trace().linesStartingWith("SetRowIndex").back(),
                ::testing::HasSubstr("[\"2\", \"08:00:20:7A:11:01\"]"));
    EXPECT_THAT(column(1), ElementsAre("2", "08:00:20:7A:11:01", "1", "1"));
    sw::DragDropFields fields;
    ASSERT_TRUE(sw::parseDragDropString(drag(0), fields));
    EXPECT_THAT(fields.index, ElementsAre("2", "08:00:20:7A:11:01"));
    EXPECT_EQ(fields.source, "Sample");
    EXPECT_EQ(fields.label, "Group");
    EXPECT_THAT(drag(1), IsEmpty());  // a text is not dragged
}

TEST_F(TableItemPageTest, AChosenRowTheComponentCannotAddressIsToldAndNotRead) {
    SamplePage& page = open(true);
    page.indexCells = 1;  // the group alone does not make a forwarding row's index
    click(IDC_ADDRESSES);
    chooseRow(0);
    trace().clear();
    m_fixture.driver().expectMessageBox(IDOK, afx::applicationName(),
                                        "Unable to access database record");
    click(IDC_ITEM);
    ASSERT_TRUE(m_fixture.driver().verifyAllExpectedShown());
    EXPECT_THAT(trace().linesStartingWith("RequestRow"), IsEmpty());
    EXPECT_FALSE(page.waitCursorShown());
    EXPECT_THAT(column(0), Not(IsEmpty()));
}

}  // namespace
