#include "framework/sw/sw_base_prop_page.h"

#include <algorithm>

#include "framework/afx/ui_hook.h"
#include "framework/sw/drag_drop_string.h"
#include "framework/sw/numeric_edit.h"
#include "framework/sw/sw_property_sheet.h"

IMPLEMENT_DYNAMIC(CSwBasePropPage, CPropertyPage)

namespace sw {
CString failureMessage(CMibComm* comm, CMibAgent* agent, int h) {
    CString text = comm ? comm->GetErrorText(h) : CString();
    const CString name = agent ? agent->GetAgentName() : CString();
    if (text.IsEmpty()) {
        text = "The request failed.";
    }
    if (!name.IsEmpty() && text.Find(name) != 0) {
        text = name + ": " + text;
    }
    return text;
}
}  // namespace sw

CSwBasePropPage::CSwBasePropPage(UINT templateId)
    : CPropertyPage(templateId),
      m_relay([this](int h) { OnRequestDone(h); }, [this](int h) { OnError(h); }),
      m_ownedComm(std::make_unique<CMibComm>()) {
    m_mibComm = m_ownedComm.get();
    m_mibComm->SetOwner(&m_relay);
}

CSwBasePropPage::~CSwBasePropPage() {
    m_ownedComm->SetOwner(nullptr);
}

void CSwBasePropPage::bindAgent(CMibAgent* agent) {
    m_agent = agent;
    m_mibComm->SetAgent(agent);
}

void CSwBasePropPage::setSelection(int slot, int port, const std::vector<sw::SlotPort>& ports,
                                   const CString& agentAddress, CHealth* health) {
    m_slot = slot;
    m_port = port;
    m_selectedPorts = ports;
    m_agentAddress = agentAddress;
    m_health = health;
}

void CSwBasePropPage::SetOnlyIndexValues(CStringArray* indexValues) {
    m_indexValues.RemoveAll();
    if (indexValues) {
        m_indexValues.Copy(*indexValues);
    }
}

BOOL CSwBasePropPage::Refresh() {
    m_loaded = 0;
    return TRUE;
}

void CSwBasePropPage::OnHelp() {}
void CSwBasePropPage::InitPage() {}
void CSwBasePropPage::CreateRequests() {}
void CSwBasePropPage::ReleaseRequests() {}
void CSwBasePropPage::OnRequestDone(int /*h*/) {}
void CSwBasePropPage::AboutToClose() {}

CString CSwBasePropPage::CreateDragDropString(int /*item*/) {
    return CString();
}

void CSwBasePropPage::OnError(int h) {
    // A refused change stays to be applied: Apply enabled, the typed values where they are.
    if (m_mibComm->IsSetCompletion(h)) {
        SetDirty(1);
    }
    if (m_relay.beginFailureReport(h, m_mibComm->IsPolledCompletion(h) != FALSE)) {
        const CString text = sw::failureMessage(m_mibComm, m_agent, h);
        if (m_hWnd) {
            MessageBox(text, "Error", MB_OK | MB_ICONEXCLAMATION);
        } else {
            afx::showMessageBox(nullptr, text.str(), "Error", MB_OK | MB_ICONEXCLAMATION);
        }
    }
    m_relay.endWait();
}

void CSwBasePropPage::SetDirty(int dirty) {
    SetModified(dirty ? TRUE : FALSE);
}

void CSwBasePropPage::SetClean(int clean) {
    SetModified(clean ? FALSE : TRUE);
}

void CSwBasePropPage::CreateWaitCursor() {
    m_relay.beginWait();
}

BOOL CSwBasePropPage::IsPortSelected(int slot, int port, int /*portType*/) const {
    const sw::SlotPort wanted{slot, port};
    return std::find(m_selectedPorts.begin(), m_selectedPorts.end(), wanted) !=
                   m_selectedPorts.end()
               ? TRUE
               : FALSE;
}

int CSwBasePropPage::GetSelectedPortCount() const {
    return static_cast<int>(m_selectedPorts.size());
}

int CSwBasePropPage::GetSelectedPorts(CUIntArray* ports) const {
    if (ports) {
        ports->RemoveAll();
        for (const sw::SlotPort& p : m_selectedPorts) {
            ports->Add(static_cast<UINT>(p.slot) * 65536u + static_cast<UINT>(p.port));
        }
    }
    return GetSelectedPortCount();
}

CString CSwBasePropPage::CreateDragDropStringHelper(LPCTSTR agentAddress, LPCTSTR variable,
                                                    LPCTSTR value, CStringArray* indexTexts,
                                                    LPCTSTR label, LPCTSTR source, int slot,
                                                    int port, int unit) {
    sw::DragDropFields fields;
    fields.agent = agentAddress ? agentAddress : "";
    fields.variable = variable ? variable : "";
    fields.value = value ? value : "";
    if (indexTexts) {
        for (const CString& text : *indexTexts) {
            fields.index.push_back(text.str());
        }
    }
    fields.label = label ? label : "";
    fields.source = source ? source : "";
    fields.slot = slot;
    fields.port = port;
    fields.unit = unit;
    return CString(sw::formatDragDropString(fields));
}

BOOL CSwBasePropPage::OnApply() {
    CPropertyPage::OnApply();
    return TRUE;
}
