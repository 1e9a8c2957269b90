#include "framework/dialogs/port_mirror_dialog.h"

#include <cstdlib>

#include "framework/afx/ddx.h"
#include "framework/dialogs/dialog_ids.h"
#include "framework/sw/help_engine.h"

BEGIN_MESSAGE_MAP(CPortMirrorDialog, CSwBaseDialog)
ON_CBN_SELCHANGE(IDC_MIRROR_STATUS, &CPortMirrorDialog::OnEdited)
ON_EN_CHANGE(IDC_MIRROR_TO_SLOT, &CPortMirrorDialog::OnEdited)
ON_EN_CHANGE(IDC_MIRROR_TO_PORT, &CPortMirrorDialog::OnEdited)
END_MESSAGE_MAP()

namespace {

constexpr LPCTSTR kVariables[] = {"mirrorSlot",
                                  "mirrorIF",
                                  "mirrorFuncType",
                                  "mirrorFuncTypeInstance",
                                  "mirrorNumber",
                                  "mirrorMirroringSlot",
                                  "mirrorMirroringIF",
                                  "mirrorMirroringFuncType",
                                  "mirrorMirroringFuncTypeInstance",
                                  "mirrorStatus"};
constexpr long kServiceBridge = 4;
constexpr long kMibNoSuchRow = -11;

}  // namespace

CPortMirrorDialog::CPortMirrorDialog(CWnd* parent) : CSwBaseDialog(IDD_BELVA_PORT_MIRROR, parent) {}

CPortMirrorDialog::~CPortMirrorDialog() {
    if (m_request != 0) {
        m_mibComm->ReleaseRequest(m_request);
    }
}

void CPortMirrorDialog::DoDataExchange(CDataExchange* dx) {
    CSwBaseDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_MIRROR_STATUS, m_statusCombo);
    DDX_Text(dx, IDC_MIRROR_VPORT, m_vportText);
    DDX_Text(dx, IDC_MIRROR_SESSION, m_sessionText);
    DDX_Text(dx, IDC_MIRROR_TO_SLOT, m_toSlot);
    DDV_MaxChars(dx, m_toSlot, 3);
    DDX_Text(dx, IDC_MIRROR_TO_PORT, m_toPort);
    DDV_MaxChars(dx, m_toPort, 3);
}

BOOL CPortMirrorDialog::OnInitDialog() {
    CSwBaseDialog::OnInitDialog();
    m_toSlotEdit.SubclassDlgItem(IDC_MIRROR_TO_SLOT, this);
    m_toPortEdit.SubclassDlgItem(IDC_MIRROR_TO_PORT, this);
    const short count = m_mibComm->GetEnumCount("mirrorStatus");
    for (short v = 1; v < count; ++v) {
        m_statusCombo.AddString(m_mibComm->GetEnumText("mirrorStatus", v));
    }
    m_statusCombo.SetCurSel(-1);
    if (m_indexTexts && m_indexTexts->GetSize() == 4) {
        m_vportText.Format("Slot %s Port %s %s %s", static_cast<LPCTSTR>((*m_indexTexts)[0]),
                           static_cast<LPCTSTR>((*m_indexTexts)[1]),
                           static_cast<LPCTSTR>((*m_indexTexts)[2]),
                           static_cast<LPCTSTR>((*m_indexTexts)[3]));
    }
    UpdateData(FALSE);
    RequestData();
    return TRUE;
}

void CPortMirrorDialog::RequestData() {
    if (!m_agent || !m_indexTexts || m_indexTexts->GetSize() != 4) {
        return;
    }
    if (m_request == 0) {
        m_request = m_mibComm->OpenRequest(0, "mirrorTable", kVariables, 10);
    }
    m_mibComm->SetRowIndex(m_request, m_indexTexts);
    m_mibComm->SetReload(m_request, 1);
    CreateWaitCursor();
    m_mibComm->RequestRow(m_request);
}

void CPortMirrorDialog::ShowRow(bool exists) {
    if (exists) {
        m_sessionText = m_mibComm->GetString(m_request, "mirrorNumber");
        m_toSlot = m_mibComm->GetString(m_request, "mirrorMirroringSlot");
        m_toPort = m_mibComm->GetString(m_request, "mirrorMirroringIF");
        const long status = m_mibComm->GetInteger(m_request, "mirrorStatus");
        m_statusCombo.SetCurSel(
            status >= 1 && status <= m_statusCombo.GetCount() ? static_cast<int>(status - 1) : -1);
    } else {
        m_sessionText = "none";
        m_toSlot.Empty();
        m_toPort.Empty();
        m_statusCombo.SetCurSel(-1);
    }
    UpdateData(FALSE);
    SetDirty(FALSE);
}

void CPortMirrorDialog::OnRequestDone(int h) {
    if (h != m_request) {
        return;
    }
    if (m_applyPending) {
        m_applyPending = 0;
        m_changed = 1;
        RequestData();
        return;
    }
    ShowRow(true);
    m_loaded = 1;
}

void CPortMirrorDialog::OnError(int h) {
    if (h == m_request && !m_applyPending && m_mibComm->GetErrorCode(h) == kMibNoSuchRow) {
        ShowRow(false);  // not mirrored yet: Apply creates the session
        m_loaded = 1;
        return;
    }
    m_applyPending = 0;
    CSwBaseDialog::OnError(h);
}

BOOL CPortMirrorDialog::ApplyChanges() {
    if (!UpdateData(TRUE) || m_request == 0 || m_applyPending) {
        return FALSE;
    }
    const int status = m_statusCombo.GetCurSel() + 1;
    if (status < 1) {
        MessageBox("Choose whether the port is mirrored.", "Error", MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    const int toSlot = std::atoi(m_toSlot);
    const int toPort = std::atoi(m_toPort);
    if (m_toSlot.IsEmpty() || m_toPort.IsEmpty() || toSlot < 1 || toPort < 1 ||
        (m_chassisInfo && m_chassisInfo->GetPortType(toSlot, toPort) == 0)) {
        MessageBox("Enter the slot and port that receive the copies.", "Error",
                   MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    if (toSlot == std::atoi((*m_indexTexts)[0]) && toPort == std::atoi((*m_indexTexts)[1])) {
        MessageBox("A port cannot be mirrored to itself.", "Error", MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    m_mibComm->SetRowIndex(m_request, m_indexTexts);
    m_mibComm->SetInteger(m_request, "mirrorMirroringSlot", toSlot);
    m_mibComm->SetInteger(m_request, "mirrorMirroringIF", toPort);
    m_mibComm->SetInteger(m_request, "mirrorMirroringFuncType", kServiceBridge);
    m_mibComm->SetInteger(m_request, "mirrorMirroringFuncTypeInstance", 1);
    m_mibComm->SetInteger(m_request, "mirrorStatus", status);
    m_mibComm->SetReRead(m_request, FALSE);
    m_applyPending = 1;
    CreateWaitCursor();
    if (!m_mibComm->SendSet(m_request)) {
        m_applyPending = 0;
        MessageBox("The change could not be sent.", "Error", MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    return TRUE;
}

void CPortMirrorDialog::OnEdited() {
    SetDirty(TRUE);
}

void CPortMirrorDialog::OnHelp() {
    HelpEngine("Belva_help\\port_mirroring_dialog", 1);
}
