#include "tests/support/page_fixture.h"

#include <gtest/gtest.h>

#include <sstream>

#include "framework/afx/text_renderer.h"

namespace test_support {

PageFixture::PageFixture() : m_switch(sim::SimulatedSwitch::createDefault()) {
    m_wasVirtual = loop().isVirtualClock();
    loop().useVirtualClock(true);
    m_switch->setClock([this] { return loop().now(); });
    m_transport = std::make_shared<mib::InProcessTransport>(*m_switch, loop());
    m_agent.SetEventLoop(&loop());
    m_agent.SetAgentName(kAgentName);
    m_agent.SetAddress(kAgentAddress);
    m_agent.SetTransport(m_transport);
    m_driver.setFailureHandler([](const std::string& why) { ADD_FAILURE() << why; });
    m_windowsAtStart = afx::windows().windowCount();
}

PageFixture::~PageFixture() {
    closeSheet();
    m_agent.SetTransport(nullptr);
    loop().runUntilIdle();
    if (const std::size_t count = afx::windows().windowCount(); count > m_windowsAtStart) {
        std::ostringstream left;
        for (HWND hwnd : afx::windows().topLevelWindows()) {
            const afx::WindowRecord* r = afx::windows().find(hwnd);
            left << " \"" << (r ? r->text : std::string()) << "\"";
        }
        ADD_FAILURE() << count - m_windowsAtStart
                      << " window(s) left at the end; top level:" << left.str();
    }
    EXPECT_EQ(afx::windows().waitCursorDepth(), 0) << "a wait cursor is still up";
    const afx::StepResult shown = m_driver.verifyAllExpectedShown();
    EXPECT_TRUE(shown.ok) << shown.message;
    loop().useVirtualClock(m_wasVirtual);
}

void PageFixture::select(int slot, int port, std::vector<sw::SlotPort> selectedPorts) {
    m_slot = slot;
    m_port = port;
    m_selectedPorts =
        selectedPorts.empty() ? std::vector<sw::SlotPort>{{slot, port}} : std::move(selectedPorts);
}

CSwPropertySheet& PageFixture::openSheet(const std::vector<CSwBasePropPage*>& pages,
                                         bool withAgent) {
    closeSheet();
    CString caption;
    caption.Format("Ethernet Slot:%d Port:%d", m_slot, m_port);
    m_sheet = std::make_unique<CSwPropertySheet>(caption, 0, nullptr, 0);
    m_sheet->SetSelection(m_slot, m_port, m_selectedPorts, kAgentAddress, nullptr);
    for (CSwBasePropPage* page : pages) {
        m_sheet->AddPage(page);
    }
    if (withAgent) {
        m_sheet->SetAgent(&m_agent);
    }
    m_sheet->ActivateSheet();
    m_driver.setRoot(m_sheet->GetSafeHwnd());
    return *m_sheet;
}

void PageFixture::closeSheet() {
    m_driver.setRoot(nullptr);
    m_sheet.reset();
}

void PageFixture::settle() {
    loop().runUntilIdle();
}

void PageFixture::advance(std::int64_t ms) {
    loop().advance(ms);
    loop().runUntilIdle();
}

std::string PageFixture::render() const {
    return m_sheet ? afx::renderWindow(m_sheet->GetSafeHwnd()) : std::string();
}

HWND PageFixture::control(int id) {
    return m_driver.find(afx::ControlRef::withId(id)).hwnd;
}

const afx::WindowRecord& PageFixture::record(int id) {
    static const afx::WindowRecord kNone;
    if (const afx::WindowRecord* r = afx::windows().find(control(id))) {
        return *r;
    }
    ADD_FAILURE() << "no control " << id;
    return kNone;
}

std::string PageFixture::read(const afx::ControlRef& ref) {
    std::string value;
    const afx::StepResult result = m_driver.read(ref, value);
    EXPECT_TRUE(result.ok) << ref.describe() << ": " << result.message;
    return value;
}

std::vector<std::string> PageFixture::entries(int id) {
    std::vector<std::string> out;
    for (const afx::ListItem& item : record(id).items) {
        out.push_back(item.text);
    }
    return out;
}

std::vector<std::string> PageFixture::column(int id, std::size_t cell) {
    std::vector<std::string> out;
    for (const afx::ListRow& row : rows(id)) {
        out.push_back(cell < row.cells.size() ? row.cells[cell] : "<none>");
    }
    return out;
}

std::vector<int> PageFixture::selectedRows(int id) {
    std::vector<int> out;
    const std::vector<afx::ListRow>& shown = rows(id);
    for (std::size_t r = 0; r < shown.size(); ++r) {
        if (shown[r].state & LVIS_SELECTED) {
            out.push_back(static_cast<int>(r));
        }
    }
    return out;
}

void PageFixture::apply() {
    const afx::StepResult pressed = m_driver.press("Apply");
    ASSERT_TRUE(pressed.ok) << pressed.message;
    settle();
}

std::vector<std::string> PageFixture::componentCalls() {
    std::vector<std::string> out;
    for (const std::string& line : m_agent.GetTrace().lines()) {
        if (line.rfind("PDU ", 0) != 0 && line.rfind("On", 0) != 0) {
            out.push_back(line);
        }
    }
    return out;
}

std::size_t PageFixture::count(const char* prefix) {
    return m_agent.GetTrace().linesStartingWith(prefix).size();
}

long PageFixture::switchInteger(const std::string& variable, const mib::Oid& instance) const {
    const auto value = m_switch->read(variable, instance);
    return value ? static_cast<long>(value->integer) : -999;
}

std::string PageFixture::switchText(const std::string& variable, const mib::Oid& instance) const {
    const auto value = m_switch->read(variable, instance);
    return value ? value->octets : "<none>";
}

mib::Oid PageFixture::slotPort(int slot, int port) {
    return {static_cast<std::uint32_t>(slot), static_cast<std::uint32_t>(port)};
}

ReleaseRequestsOnFirstRow::ReleaseRequestsOnFirstRow(CSwBasePropPage& page, HWND list)
    : m_page(page), m_list(list) {
    afx::windows().addObserver(this);
}

ReleaseRequestsOnFirstRow::~ReleaseRequestsOnFirstRow() {
    afx::windows().removeObserver(this);
}

void ReleaseRequestsOnFirstRow::windowChanged(HWND hwnd, afx::Change what) {
    if (!m_done && hwnd == m_list && what == afx::Change::Rows &&
        !afx::windows().find(m_list)->rows.empty()) {
        m_done = true;
        m_page.ReleaseRequests();
    }
}

}  // namespace test_support
