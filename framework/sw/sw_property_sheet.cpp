#include "framework/sw/sw_property_sheet.h"

IMPLEMENT_DYNAMIC(CSwPropertySheet, CPropertySheet)

BEGIN_MESSAGE_MAP(CSwPropertySheet, CPropertySheet)
ON_COMMAND(ID_SW_REFRESH, &CSwPropertySheet::OnRefresh)
ON_COMMAND(IDHELP, &CSwPropertySheet::OnHelp)
END_MESSAGE_MAP()

CSwPropertySheet::CSwPropertySheet(LPCTSTR caption, UINT /*unused*/, CWnd* parent, UINT selectPage)
    : CPropertySheet(caption, parent, selectPage) {}

CSwPropertySheet::~CSwPropertySheet() {
    m_destroying = true;
    for (int i = 0; i < GetPageCount(); ++i) {
        if (CSwBasePropPage* page = swPage(i)) {
            page->ReleaseRequests();
        }
    }
    if (m_hWnd) {
        DestroyWindow();
    }
    std::vector<CPropertyPage*> pages;
    pages.swap(m_pages);
    m_created.clear();
    for (CPropertyPage* page : pages) {
        page->m_pSheet = nullptr;
        delete page;
    }
}

CSwBasePropPage* CSwPropertySheet::swPage(int index) const {
    return dynamic_cast<CSwBasePropPage*>(GetPage(index));
}

void CSwPropertySheet::handSelectionTo(CSwBasePropPage* page) const {
    page->setSelection(m_slot, m_port, m_selectedPorts, m_agentAddress, m_health);
    page->m_chassisInfo = m_chassisInfo;
    page->m_hold = m_hold;
}

void CSwPropertySheet::AddPage(CSwBasePropPage* page) {
    if (!page) {
        return;
    }
    CPropertySheet::AddPage(page);
    page->m_sheet = this;
    page->m_mibComm->SetChangeSource({page->GetRuntimeClass()->m_lpszClassName});
    handSelectionTo(page);
    page->InitPage();
    if (m_agent) {
        page->bindAgent(m_agent);
        page->CreateRequests();
    }
}

void CSwPropertySheet::SetAgent(CMibAgent* agent) {
    m_agent = agent;
    for (int i = 0; i < GetPageCount(); ++i) {
        if (CSwBasePropPage* page = swPage(i)) {
            page->bindAgent(agent);
            if (agent) {
                page->CreateRequests();
            }
        }
    }
}

void CSwPropertySheet::SetChassisInfoObject(CNxChassisInfo* chassis) {
    m_chassisInfo = chassis;
    for (int i = 0; i < GetPageCount(); ++i) {
        if (CSwBasePropPage* page = swPage(i)) {
            page->m_chassisInfo = chassis;
        }
    }
}

void CSwPropertySheet::SetSelection(int slot, int port,
                                    const std::vector<sw::SlotPort>& selectedPorts,
                                    LPCTSTR agentAddress, CHealth* health) {
    m_slot = slot;
    m_port = port;
    m_selectedPorts = selectedPorts;
    m_agentAddress = agentAddress;
    m_health = health;
    for (int i = 0; i < GetPageCount(); ++i) {
        if (CSwBasePropPage* page = swPage(i)) {
            handSelectionTo(page);
        }
    }
}

void CSwPropertySheet::SetHold(int hold) {
    m_hold = hold;
    for (int i = 0; i < GetPageCount(); ++i) {
        if (CSwBasePropPage* page = swPage(i)) {
            page->m_hold = hold;
        }
    }
}

BOOL CSwPropertySheet::ActivateSheet(int page) {
    if (!m_hWnd) {
        // The selection may have been set after the pages were added (m_slot, m_port set
        // directly by the creator): hand it over once more before anything is shown.
        for (int i = 0; i < GetPageCount(); ++i) {
            if (CSwBasePropPage* p = swPage(i)) {
                handSelectionTo(p);
            }
        }
        SetActivePage(page);
        if (!Create(m_pParentWnd)) {
            return FALSE;
        }
        return TRUE;
    }
    ShowWindow(SW_SHOW);
    return SetActivePage(page);
}

void CSwPropertySheet::Shrink() {
    if (m_shrinkDepth++ > 0) {
        return;
    }
    m_visibleBeforeShrink.assign(m_pages.size(), false);
    for (std::size_t i = 0; i < m_pages.size(); ++i) {
        CPropertyPage* page = m_pages[i];
        if (page->m_hWnd && page->IsWindowVisible()) {
            m_visibleBeforeShrink[i] = true;
            page->ShowWindow(SW_HIDE);
        }
    }
}

void CSwPropertySheet::Expand() {
    if (m_shrinkDepth == 0 || --m_shrinkDepth > 0) {
        return;
    }
    for (std::size_t i = 0; i < m_pages.size() && i < m_visibleBeforeShrink.size(); ++i) {
        if (m_visibleBeforeShrink[i] && m_pages[i]->m_hWnd) {
            m_pages[i]->ShowWindow(SW_SHOW);
        }
    }
    m_visibleBeforeShrink.clear();
}

void CSwPropertySheet::OnRefresh() {
    if (auto* page = dynamic_cast<CSwBasePropPage*>(GetActivePage())) {
        page->Refresh();
    }
}

void CSwPropertySheet::OnHelp() {
    if (auto* page = dynamic_cast<CSwBasePropPage*>(GetActivePage())) {
        page->OnHelp();
    }
}

void CSwPropertySheet::aboutToCloseAll() {
    for (std::size_t i = 0; i < m_pages.size(); ++i) {
        if (m_created[i]) {
            if (auto* page = dynamic_cast<CSwBasePropPage*>(m_pages[i])) {
                page->AboutToClose();
            }
        }
    }
}

void CSwPropertySheet::OnOK() {
    if (ApplyAllPages()) {
        aboutToCloseAll();
        closeSheet(IDOK);
    }
}

void CSwPropertySheet::OnCancel() {
    if (resetAllPages()) {
        aboutToCloseAll();
        closeSheet(IDCANCEL);
    }
}

void CSwPropertySheet::createButtons() {
    CPropertySheet::createButtons();
    addButton(ID_SW_REFRESH, "&Refresh");
    addButton(IDHELP, "Help");
}

LRESULT CSwPropertySheet::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY && !isModalRunning() && !m_destroying && m_pParentWnd &&
        ::IsWindow(m_pParentWnd->m_hWnd)) {
        afx::windows().post(m_pParentWnd->m_hWnd, kSheetClosedMessage, 0,
                            reinterpret_cast<LPARAM>(this));
    }
    return CPropertySheet::WindowProc(message, wParam, lParam);
}
