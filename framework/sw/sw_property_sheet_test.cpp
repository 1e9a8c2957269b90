#include "framework/sw/sw_property_sheet.h"

#include <gtest/gtest.h>

#include <map>

#include "framework/afx/ddx.h"
#include "framework/afx/event_loop.h"
#include "framework/afx/text_renderer.h"
#include "framework/afx/ui_hook.h"
#include "framework/mib/in_process_transport.h"
#include "framework/sw/chassis_access.h"
#include "framework/sw/help_engine.h"
#include "framework/sw/list_data.h"
#include "framework/sw/mapped_combo.h"
#include "framework/sw/numeric_edit.h"

namespace {

// Serves chasPortTable (slot, port, type) with GET/GETNEXT/GETBULK; fails while `failing`.
class PortTableSwitch : public mib::PduHandler {
public:
    std::map<mib::Oid, mib::Value> store;
    bool failing = false;

    void addPort(int slot, int port, int type) {
        const auto& d = mib::MibDictionary::builtin();
        const std::pair<const char*, int> cells[] = {
            {"chasPortSlot", slot}, {"chasPortIndex", port}, {"chasPortType", type}};
        for (const auto& [name, value] : cells) {
            mib::Oid oid = d.find(name)->oid;
            oid.push_back(static_cast<std::uint32_t>(slot));
            oid.push_back(static_cast<std::uint32_t>(port));
            store[oid] = mib::Value::makeInteger(value);
        }
    }
    mib::ResponsePdu handle(const mib::RequestPdu& pdu) override {
        mib::ResponsePdu out;
        if (failing) {
            out.errorStatus = mib::ErrorStatus::GenErr;
            out.errorIndex = 1;
            out.varbinds = pdu.varbinds;
            return out;
        }
        const int reps = pdu.type == mib::PduType::GetBulk ? pdu.maxRepetitions : 1;
        std::vector<mib::Oid> cursor;
        for (const auto& vb : pdu.varbinds) {
            cursor.push_back(vb.oid);
        }
        for (int r = 0; r < reps; ++r) {
            for (auto& oid : cursor) {
                if (pdu.type == mib::PduType::Get) {
                    auto it = store.find(oid);
                    out.varbinds.push_back(
                        {oid, it == store.end()
                                  ? mib::Value::exception(mib::ValueType::NoSuchInstance)
                                  : it->second});
                    continue;
                }
                auto it = store.upper_bound(oid);
                if (it == store.end()) {
                    out.varbinds.push_back(
                        {oid, mib::Value::exception(mib::ValueType::EndOfMibView)});
                } else {
                    out.varbinds.push_back({it->first, it->second});
                    oid = it->first;
                }
            }
        }
        return out;
    }
};

constexpr UINT kSampleTemplate = 9101;
constexpr int IDC_NAME = 1001, IDC_NUMBER = 1002, IDC_MODE = 1003, IDC_VALUES = 1004,
              IDC_PORTS = 1005, IDC_ENABLE = 1006, IDC_FAST = 1007, IDC_SLOW = 1008, IDC_GO = 1009;

void registerSampleTemplate() {
    static const bool once = [] {
        using afx::WindowClass;
        afx::DialogTemplate t;
        t.id = kSampleTemplate;
        t.caption = "Sample";
        t.size = CSize(300, 200);
        auto add = [&t](int id, WindowClass cls, const char* text, DWORD style = 0) {
            t.controls.push_back({id, cls, text, CRect(), style});
        };
        add(IDC_STATIC, WindowClass::GroupBox, "Sample Settings");
        add(IDC_STATIC, WindowClass::Static, "Name:");
        add(IDC_NAME, WindowClass::Edit, "");
        add(IDC_STATIC, WindowClass::Static, "Number:");
        add(IDC_NUMBER, WindowClass::Edit, "");
        add(IDC_MODE, WindowClass::ComboBox, "", afx::style::kDropDownList);
        add(IDC_VALUES, WindowClass::ListBox, "");
        add(IDC_PORTS, WindowClass::ListView, "", afx::style::kReport);
        add(IDC_ENABLE, WindowClass::CheckBox, "Enabled", afx::style::kAutoCheck);
        add(IDC_FAST, WindowClass::RadioButton, "Fast", afx::style::kGroup);
        add(IDC_SLOW, WindowClass::RadioButton, "Slow");
        add(IDC_GO, WindowClass::PushButton, "Go");
        return afx::registerDialogTemplate(AfxGetInstanceHandle(), t);
    }();
    (void)once;
}

// A page as the module writes them: reads chasPortTable and lists the selected ports.
class SamplePage : public CSwBasePropPage {
public:
    explicit SamplePage(std::vector<std::string>* log, const char* name)
        : CSwBasePropPage(kSampleTemplate), m_log(log), m_name(name) {}
    ~SamplePage() override { note("deleted"); }

    CString m_text;
    CNumericEdit m_number;
    CMappedCombo m_mode;
    CListBox m_values;
    CSwListCtrl m_ports;
    long m_request = 0;
    int applied = 0;

    void InitPage() override {
        note("InitPage");
        m_columns.Add("Slot", 34, 'R', "chasPortSlot", "Slot");
        m_columns.Add("Port", 34, 'R', "chasPortIndex", "Port");
        m_columns.Add("Type", 50, 'R', "chasPortType", "Type");
    }
    void CreateRequests() override {
        note("CreateRequests");
        if (m_agent && m_request == 0) {
            m_request = m_mibComm->OpenListRequest(0, "chasPortTable", m_columns.GetVarList());
        }
    }
    void ReleaseRequests() override {
        note("ReleaseRequests");
        m_mibComm->ReleaseRequest(m_request);
        m_request = 0;
    }
    BOOL OnInitDialog() override {
        note("OnInitDialog");
        CSwBasePropPage::OnInitDialog();
        m_mode.SetMapping(std::vector<int>{4, 1, 7});
        m_mode.AddMappedString(1, "one");
        m_mode.AddMappedString(7, "seven");
        m_mode.AddMappedString(4, "four");
        m_ports.m_bTableMode = TRUE;
        return TRUE;
    }
    BOOL OnSetActive() override {
        note("OnSetActive");
        if (m_request > 0 && !m_loaded && !m_hold) {
            Refresh();
        }
        return CSwBasePropPage::OnSetActive();
    }
    BOOL OnKillActive() override {
        note("OnKillActive");
        return CSwBasePropPage::OnKillActive();
    }
    BOOL Refresh() override {
        note("Refresh");
        m_loaded = 0;
        CreateWaitCursor();
        m_mibComm->RequestTable(m_request);
        return TRUE;
    }
    void OnRequestDone(int h) override {
        note("OnRequestDone");
        if (h != m_request || !m_hWnd) {
            return;
        }
        m_ports.ClearCtrl();
        m_ports.SetColumnHdgs(m_columns.GetColumnHdgs(), m_columns.GetColumnWidths(),
                              m_columns.GetColumnJustify());
        for (long r = 0; r < m_mibComm->GetRowCount(h) && m_mibComm->GotoRow(h, r); ++r) {
            const int slot = static_cast<int>(m_mibComm->GetInteger(h, "chasPortSlot"));
            const int port = static_cast<int>(m_mibComm->GetInteger(h, "chasPortIndex"));
            if (!IsPortSelected(slot, port, 0)) {
                continue;
            }
            m_ports.m_nItemImage = m_health && m_health->IsPortEnabled(slot, port) ? 14 : 13;
            CStringArray texts;
            for (const CString& var : *m_columns.GetVarList()) {
                texts.Add(m_mibComm->GetString(h, var));
            }
            m_ports.AddItem(&texts);
        }
        m_ports.SortOnColumn(1, 1);
        m_ports.SortOnColumn(0, 1);
        m_loaded = 1;
        SetClean(1);
    }
    BOOL OnApply() override {
        note("OnApply");
        ++applied;
        return CSwBasePropPage::OnApply();
    }
    void OnHelp() override { HelpEngine("Sample_help\\sample_page", 1); }
    void OnNameChanged() { SetDirty(1); }

protected:
    void DoDataExchange(CDataExchange* dx) override {
        DDX_Text(dx, IDC_NAME, m_text);
        DDX_Control(dx, IDC_NUMBER, m_number);
        DDX_Control(dx, IDC_MODE, m_mode);
        DDX_Control(dx, IDC_VALUES, m_values);
        DDX_Control(dx, IDC_PORTS, m_ports);
    }

private:
    void note(const char* what) { m_log->push_back(m_name + " " + what); }
    std::vector<std::string>* m_log;
    std::string m_name;
    CListData m_columns;

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(SamplePage, CSwBasePropPage)
ON_EN_CHANGE(IDC_NAME, &SamplePage::OnNameChanged)
END_MESSAGE_MAP()

class BoxCounter : public afx::UiDriver {
public:
    std::vector<afx::MessageBoxState> boxes;
    int answerMessageBox(const afx::MessageBoxState& box) override {
        boxes.push_back(box);
        return IDOK;
    }
};

// The console window beside a modeless sheet.
class ConsoleWindow : public CWnd {
public:
    std::vector<LPARAM> closedSheets;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == kSheetClosedMessage) {
            closedSheets.push_back(lParam);
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

class SheetTest : public testing::Test {
protected:
    SheetTest() {
        registerSampleTemplate();
        loop.useVirtualClock(true);
        for (int slot : {12, 2, 3}) {
            for (int port : {10, 2, 1, 11}) {
                sw.addPort(slot, port, 226);
            }
        }
        agent.SetAgentName("core-7");
        agent.SetTransport(std::make_shared<mib::InProcessTransport>(sw, loop));
        previousDriver = afx::setUiDriver(&driver);
        console.Create(nullptr, "console", 0, CRect(), nullptr, 0);
        health.SetPortEnabled(2, 10, TRUE);
    }
    ~SheetTest() override {
        delete sheet;
        loop.runUntilIdle();
        afx::setUiDriver(previousDriver);
        loop.useVirtualClock(false);
    }
    void makeSheet() {
        sheet = new CSwPropertySheet("Ethernet", 0, &console, 0);
        sheet->SetSelection(2, 10, {{2, 10}, {12, 1}, {2, 2}, {3, 11}, {12, 11}}, "10.0.0.7",
                            &health);
        first = new SamplePage(&log, "A");
        second = new SamplePage(&log, "B");
        sheet->AddPage(first);
        sheet->AddPage(second);
    }
    std::vector<std::string> rows(CSwListCtrl& list) {
        std::vector<std::string> out;
        for (int r = 0; r < list.GetItemCount(); ++r) {
            out.push_back((list.GetColumnText(r, 0) + "/" + list.GetColumnText(r, 1)).str());
        }
        return out;
    }
    HWND button(int id) { return sheet->buttonHandle(id); }

    afx::EventLoop& loop = afx::EventLoop::instance();
    PortTableSwitch sw;
    CMibAgent agent;
    BoxCounter driver;
    afx::UiDriver* previousDriver = nullptr;
    ConsoleWindow console;
    CHealth health;
    std::vector<std::string> log;
    CSwPropertySheet* sheet = nullptr;
    SamplePage* first = nullptr;
    SamplePage* second = nullptr;
};

TEST_F(SheetTest, LifeCycleRunsInOrderAndRequestsWaitForTheAgent) {
    makeSheet();
    EXPECT_EQ(log, (std::vector<std::string>{"A InitPage", "B InitPage"}));
    log.clear();
    sheet->SetAgent(&agent);
    EXPECT_EQ(log, (std::vector<std::string>{"A CreateRequests", "B CreateRequests"}));
    log.clear();
    ASSERT_TRUE(sheet->ActivateSheet());
    EXPECT_EQ(log, (std::vector<std::string>{"A OnInitDialog", "A OnSetActive", "A Refresh"}));
    log.clear();
    sheet->SetActivePage(1);
    EXPECT_EQ(log, (std::vector<std::string>{"A OnKillActive", "B OnInitDialog", "B OnSetActive",
                                             "B Refresh"}));
    log.clear();
    sheet->SetActivePage(0);  // loaded by now? not yet: the reads complete from the loop
    loop.runUntilIdle();
    EXPECT_TRUE(first->m_loaded);
    EXPECT_FALSE(first->waitCursorShown());
    log.clear();
    sheet->SetActivePage(1);
    sheet->SetActivePage(0);
    EXPECT_EQ(std::count(log.begin(), log.end(), "A Refresh"), 0);  // loaded: no read
}

TEST_F(SheetTest, ListHoldsSelectedPortsInSlotOrderWithHealthImages) {
    makeSheet();
    sheet->SetAgent(&agent);
    sheet->ActivateSheet();
    EXPECT_TRUE(first->waitCursorShown());
    loop.runUntilIdle();
    EXPECT_EQ(rows(first->m_ports),
              (std::vector<std::string>{"2/2", "2/10", "3/11", "12/1", "12/11"}));
    EXPECT_EQ(first->m_ports.GetItemImage(1), 14);
    EXPECT_EQ(first->m_ports.GetItemImage(0), 13);
    EXPECT_EQ(afx::windows().waitCursorDepth(), 0);
}

TEST_F(SheetTest, ApplyFollowsDirtyAndReachesOnlyActivatedPages) {
    makeSheet();
    sheet->SetAgent(&agent);
    sheet->ActivateSheet();
    loop.runUntilIdle();
    EXPECT_FALSE(afx::windows().find(button(ID_APPLY_NOW))->enabled);
    afx::operatorType(first->GetDlgItem(IDC_NAME)->m_hWnd, "uplink");
    EXPECT_TRUE(afx::windows().find(button(ID_APPLY_NOW))->enabled);
    ASSERT_TRUE(afx::operatorClick(button(ID_APPLY_NOW)));
    EXPECT_EQ(first->applied, 1);
    EXPECT_EQ(second->applied, 0);
    EXPECT_FALSE(afx::windows().find(button(ID_APPLY_NOW))->enabled);
    first->SetDirty(1);
    first->SetClean(1);
    EXPECT_FALSE(afx::windows().find(button(ID_APPLY_NOW))->enabled);
}

TEST_F(SheetTest, RefreshAndHelpGoToTheActivePage) {
    makeSheet();
    sheet->SetAgent(&agent);
    sheet->ActivateSheet();
    sheet->SetActivePage(1);
    loop.runUntilIdle();
    log.clear();
    afx::operatorClick(button(ID_SW_REFRESH));
    EXPECT_EQ(log, (std::vector<std::string>{"B Refresh"}));
    afx::operatorClick(button(IDHELP));
    EXPECT_EQ(sw::lastHelpTopic().topic, "Sample_help\\sample_page");
    EXPECT_NE(sw::lastHelpTopic().path.find("sample_page.html"), std::string::npos);
}

TEST_F(SheetTest, ClosingAModelessSheetTellsItsParentAndDeletingItReleases) {
    makeSheet();
    sheet->SetAgent(&agent);
    sheet->ActivateSheet();
    afx::operatorClick(button(IDCANCEL));
    loop.runUntilIdle();
    ASSERT_EQ(console.closedSheets.size(), 1u);
    EXPECT_EQ(console.closedSheets[0], reinterpret_cast<LPARAM>(sheet));
    log.clear();
    delete sheet;
    sheet = nullptr;
    EXPECT_EQ(log, (std::vector<std::string>{"A ReleaseRequests", "B ReleaseRequests", "A deleted",
                                             "B deleted"}));
}

TEST_F(SheetTest, CompletionsOfADeletedPageAreDropped) {
    makeSheet();
    sheet->SetAgent(&agent);
    sheet->ActivateSheet();  // a read is now pending
    delete sheet;
    sheet = nullptr;
    log.clear();
    loop.runUntilIdle();
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(afx::windows().waitCursorDepth(), 0);
}

TEST_F(SheetTest, ReadsAskedForAreToldEveryTimeAPolledReadingOncePerStreak) {
    agent.SetPollingPeriod(1000);
    makeSheet();
    sheet->SetAgent(&agent);
    sw.failing = true;
    sheet->ActivateSheet();
    loop.runUntilIdle();
    ASSERT_EQ(driver.boxes.size(), 1u);
    EXPECT_EQ(driver.boxes[0].caption, "Error");
    EXPECT_EQ(driver.boxes[0].style & MB_ICONMASK, MB_ICONEXCLAMATION);
    EXPECT_NE(driver.boxes[0].text.find("core-7"), std::string::npos);
    EXPECT_EQ(afx::windows().waitCursorDepth(), 0);
    first->Refresh();
    loop.runUntilIdle();
    EXPECT_EQ(driver.boxes.size(), 2u);  // the operator asked again: told again

    first->m_mibComm->StartPolling(first->m_request, FALSE);
    loop.advance(3000);
    EXPECT_EQ(driver.boxes.size(), 2u);  // polling goes on failing in the streak told
    sw.failing = false;
    loop.advance(1000);
    sw.failing = true;
    loop.advance(3000);
    EXPECT_EQ(driver.boxes.size(), 3u);  // a new streak, told once
    first->m_mibComm->StopPolling(first->m_request);
    EXPECT_EQ(agent.failureCount().polledReads, 6);
    EXPECT_EQ(agent.failureCount().reads, 2);
}

TEST_F(SheetTest, ControlsOfThePageBehaveAsTheirKinds) {
    makeSheet();
    sheet->SetAgent(&agent);
    sheet->ActivateSheet();
    CComboBox& combo = first->m_mode;
    ASSERT_EQ(combo.GetCount(), 3);
    CString text;
    combo.GetLBText(0, text);
    EXPECT_EQ(text, "four");  // mapping order, not the order of the texts
    EXPECT_TRUE(first->m_mode.SetCurMappedSel(7));
    EXPECT_EQ(first->m_mode.GetCurMappedSel(), 7);
    EXPECT_FALSE(first->m_mode.SetCurMappedSel(2));
    EXPECT_EQ(first->m_mode.GetCurMappedSel(), -1);
    afx::operatorType(first->m_number.m_hWnd, "1a2-3");
    CString number;
    first->m_number.GetWindowText(number);
    EXPECT_EQ(number, "123");
}

TEST_F(SheetTest, SelectionEncodingAndShrinkExpand) {
    makeSheet();
    CUIntArray ports;
    EXPECT_EQ(first->GetSelectedPorts(&ports), 5);
    EXPECT_EQ(ports[0], 2u * 65536u + 10u);
    EXPECT_EQ(ports[1], 12u * 65536u + 1u);
    EXPECT_TRUE(first->IsPortSelected(12, 11, 226));
    EXPECT_FALSE(first->IsPortSelected(11, 12, 226));
    EXPECT_FALSE(first->IsPortSelected(1, 2 * 65536 + 10, 0));
    sheet->ActivateSheet();
    sheet->Shrink();
    EXPECT_FALSE(first->IsWindowVisible());
    sheet->Expand();
    EXPECT_TRUE(first->IsWindowVisible());
}

TEST_F(SheetTest, ChassisAccessLoadsTheTablesThroughTheComponent) {
    struct Owner : CMibCommEvents {
        CChassisAccess* access = nullptr;
        int answered = 0;
        void OnRequestDone(int h) override { answered += access->HasResponded(h); }
        void OnError(int h) override { answered += access->HasResponded(h); }
    } owner;
    CMibComm comm(&agent);
    comm.SetOwner(&owner);
    CChassisAccess access;
    owner.access = &access;
    access.SetMibComm(&comm);
    access.m_selector = 12;
    ASSERT_TRUE(access.AccessChassis());
    loop.runUntilIdle();
    ASSERT_EQ(owner.answered, 1);
    CNxChassisInfo chassis;
    ASSERT_TRUE(access.LoadChassisInfo(&chassis));
    EXPECT_EQ(chassis.GetPortType(12, 11), 226);
    EXPECT_EQ(chassis.GetPortType(2, 10), 0);  // not the selected slot
}

}  // namespace

namespace {

TEST_F(SheetTest, TheSamplePageRendersAsAnOperatorSeesIt) {
    makeSheet();
    sheet->SetAgent(&agent);
    sheet->ActivateSheet();
    loop.runUntilIdle();
    CString typed("edge");
    first->SetDlgItemText(IDC_NAME, typed);
    first->m_mode.SetCurMappedSel(7);
    first->m_values.AddString("alpha");
    first->m_values.AddString("beta");
    first->m_values.SetCurSel(1);
    first->CheckDlgButton(IDC_ENABLE, 1);
    first->CheckRadioButton(IDC_FAST, IDC_SLOW, IDC_SLOW);
    first->m_ports.SelectItem(1, TRUE);
    afx::RenderOptions options;
    options.comboEntries = true;
    // Programmatic changes leave the page clean: Apply stays disabled.
    EXPECT_EQ(afx::renderWindow(sheet->GetSafeHwnd(), options),
              "== Ethernet ==\n"
              "  == Sample ==\n"
              "    -- Sample Settings --\n"
              "      Name: \"edge\" {focus}\n"
              "      Number: \"\"\n"
              "      <seven> of (four | one | seven)\n"
              "      (list box)\n"
              "          alpha\n"
              "        > beta\n"
              "      (list)\n"
              "               Slot  Port  Type\n"
              "          #13     2     2   226\n"
              "        > #14     2    10   226\n"
              "          #13     3    11   226\n"
              "          #13    12     1   226\n"
              "          #13    12    11   226\n"
              "      [x] Enabled\n"
              "      ( ) Fast\n"
              "      (o) Slow\n"
              "      [ Go ]\n"
              "  [ OK ]\n"
              "  [ Cancel ]\n"
              "  [ Apply ] {disabled}\n"
              "  [ Refresh ]\n"
              "  [ Help ]\n");
}

}  // namespace
