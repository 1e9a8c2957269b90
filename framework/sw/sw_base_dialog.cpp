#include "framework/sw/sw_base_dialog.h"

#include "framework/sw/numeric_edit.h"
#include "framework/sw/sw_list_ctrl.h"

IMPLEMENT_DYNAMIC(CSwBaseDialog, CDialog)

BEGIN_MESSAGE_MAP(CSwBaseDialog, CDialog)
ON_BN_CLICKED(ID_APPLY_NOW, &CSwBaseDialog::OnApplyClicked)
ON_BN_CLICKED(IDCLOSE, &CSwBaseDialog::OnClose)
ON_BN_CLICKED(IDHELP, &CSwBaseDialog::OnHelpClicked)
END_MESSAGE_MAP()

CSwBaseDialog::CSwBaseDialog(UINT templateId, CWnd* parent)
    : CDialog(templateId, parent),
      m_relay([this](int h) { OnRequestDone(h); }, [this](int h) { OnError(h); }),
      m_ownedComm(std::make_unique<CMibComm>()) {
    m_mibComm = m_ownedComm.get();
    m_mibComm->SetOwner(&m_relay);
}

CSwBaseDialog::~CSwBaseDialog() {
    m_ownedComm->SetOwner(nullptr);
}

void CSwBaseDialog::SetAgent(CMibAgent* agent) {
    m_agent = agent;
    m_mibComm->SetChangeSource({GetRuntimeClass()->m_lpszClassName});
    m_mibComm->SetAgent(agent);
}

void CSwBaseDialog::SetDirty(BOOL dirty) {
    m_dirty = dirty ? TRUE : FALSE;
    if (HWND apply = afx::windows().childById(m_hWnd, ID_APPLY_NOW)) {
        afx::windows().setEnabled(apply, m_dirty != FALSE);
    }
}

void CSwBaseDialog::CreateWaitCursor() {
    m_relay.beginWait();
}

void CSwBaseDialog::OnClose() {
    AboutToClose();
    EndDialog(IDCANCEL);
}

BOOL CSwBaseDialog::Refresh() {
    m_loaded = 0;
    RequestData();
    return TRUE;
}

void CSwBaseDialog::OnRequestDone(int /*h*/) {}
void CSwBaseDialog::RequestData() {}
BOOL CSwBaseDialog::ApplyChanges() {
    return TRUE;
}
void CSwBaseDialog::OnHelp() {}
void CSwBaseDialog::AboutToClose() {}

void CSwBaseDialog::SpecifyVPort(int slot, int port, int serviceType, int instance) {
    m_slot = slot;
    m_port = port;
    m_serviceType = serviceType;
    m_instance = instance;
}

void CSwBaseDialog::OnError(int h) {
    if (m_mibComm->IsSetCompletion(h)) {
        SetDirty(TRUE);
    }
    if (m_relay.beginFailureReport(h, m_mibComm->IsPolledCompletion(h) != FALSE)) {
        MessageBox(sw::failureMessage(m_mibComm, m_agent, h), "Error", MB_OK | MB_ICONEXCLAMATION);
    }
    m_relay.endWait();
}

void CSwBaseDialog::addFrameButtons() {
    struct Button {
        int id;
        const char* text;
    };
    for (const Button& b :
         {Button{ID_APPLY_NOW, "&Apply"}, Button{IDCLOSE, "Close"}, Button{IDHELP, "Help"}}) {
        if (!afx::windows().childById(m_hWnd, b.id)) {
            afx::windows().create(afx::WindowClass::PushButton, m_hWnd, b.id, b.text,
                                  afx::style::kChild | afx::style::kTabStop, CRect());
        }
    }
    afx::windows().setEnabled(afx::windows().childById(m_hWnd, ID_APPLY_NOW), m_dirty != FALSE);
}

BOOL CSwBaseDialog::Create(UINT templateId, CWnd* parent) {
    if (!createWindow(templateId, parent)) {
        return FALSE;
    }
    addFrameButtons();
    OnInitDialog();
    return TRUE;
}

void CSwBaseDialog::OnApplyClicked() {
    if (ApplyChanges() == FALSE) {
        return;  // the dialog told the operator why; it stays open
    }
}

void CSwBaseDialog::OnCancel() {
    OnClose();
}

void CSwBaseDialog::OnOK() {
    OnApplyClicked();  // Enter applies; only Close ends the dialog
}
