#include "tests/support/page_fixture.h"

#include <gtest/gtest.h>

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
}

PageFixture::~PageFixture() {
    closeSheet();
    m_agent.SetTransport(nullptr);
    loop().runUntilIdle();
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
