#include "expander/exp_segment_descr_dialog.h"

#include "framework/afx/ddx.h"
#include "framework/sw/help_engine.h"
#include "resources/expander_page_ids.h"

IMPLEMENT_DYNAMIC(CExpSegmentDescrDialog, CSwBaseDialog)

BEGIN_MESSAGE_MAP(CExpSegmentDescrDialog, CSwBaseDialog)
ON_EN_CHANGE(IDC_SEGDESCR_DESCRIPTION, &CExpSegmentDescrDialog::OnDescriptionChanged)
END_MESSAGE_MAP()

namespace {
constexpr const char* kSegmentIndex = "tarvoPortSegmentIndex";
constexpr const char* kSegmentDescr = "tarvoPortSegmentDescr";
constexpr UINT kErrorStyle = MB_OK | MB_ICONEXCLAMATION;
}  // namespace

CExpSegmentDescrDialog::CExpSegmentDescrDialog(CWnd* parent)
    : CSwBaseDialog(IDD_EXP_SEGMENT_DESCR, parent) {}

void CExpSegmentDescrDialog::SetIndexValues(CUIntArray* indexes) {
    if (indexes && indexes->GetSize() > 0) {
        m_segment = static_cast<int>((*indexes)[0]);
    }
}

void CExpSegmentDescrDialog::DoDataExchange(CDataExchange* dx) {
    CSwBaseDialog::DoDataExchange(dx);
    DDX_Text(dx, IDC_SEGDESCR_SEGMENT, m_segmentText);
    DDX_Text(dx, IDC_SEGDESCR_DESCRIPTION, m_description);
    DDV_MaxChars(dx, m_description, kDescriptionLimit);
}

BOOL CExpSegmentDescrDialog::OnInitDialog() {
    CSwBaseDialog::OnInitDialog();
    m_segmentText.Format("%d", m_segment);
    UpdateData(FALSE);
    const LPCTSTR names[] = {kSegmentIndex, kSegmentDescr};
    m_request = m_mibComm->OpenRequest(0, "", names, 2);
    m_mibComm->SetReload(m_request, FALSE);
    RequestData();
    return TRUE;
}

void CExpSegmentDescrDialog::SetSegmentInstance() {
    m_instance.RemoveAll();
    m_instance.Add(static_cast<UINT>(m_segment));
    m_mibComm->SetInstance(m_request, &m_instance);
}

void CExpSegmentDescrDialog::RequestData() {
    SetSegmentInstance();
    CreateWaitCursor();
    m_mibComm->RequestRow(m_request);
}

BOOL CExpSegmentDescrDialog::ApplyChanges() {
    if (!UpdateData(TRUE)) {
        return FALSE;
    }
    m_setting = 0;
    if (m_description.IsEmpty()) {
        MessageBox("A Description is Required", "Error", kErrorStyle);
        return TRUE;
    }
    SetSegmentInstance();
    m_mibComm->SetString(m_request, kSegmentDescr, m_description);
    CreateWaitCursor();
    m_setting = 1;
    if (!m_mibComm->SendSet(m_request)) {
        m_setting = 0;  // nothing is in flight: the next read is not a set's end
        return FALSE;
    }
    return TRUE;
}

void CExpSegmentDescrDialog::OnRequestDone(int h) {
    if (h != m_request || h <= 0) {
        return;
    }
    if (m_setting) {
        m_setting = 0;
        m_modified = 1;
        MessageBox("Segment Description Successfully Modified.", "Notice",
                   MB_OK | MB_ICONINFORMATION);
        SetDirty(FALSE);
        OnClose();
        return;
    }
    if (m_mibComm->GetInteger(m_request, kSegmentIndex) != m_segment) {
        return;
    }
    m_description = m_mibComm->GetString(m_request, kSegmentDescr);
    m_loaded = 1;
    SetDirty(FALSE);
    if (CWnd* field = GetDlgItem(IDC_SEGDESCR_DESCRIPTION)) {
        field->SetFocus();
    }
    UpdateData(FALSE);
}

void CExpSegmentDescrDialog::OnError(int h) {
    if (h != m_request || h <= 0) {
        return;
    }
    MessageBox("Failed to Modify Segment Description", "Error", kErrorStyle);
    m_setting = 0;
}

void CExpSegmentDescrDialog::OnDescriptionChanged() {
    SetDirty(TRUE);
}

void CExpSegmentDescrDialog::OnHelp() {
    HelpEngine("TarvoPort_Help\\TarvoPort_modify_segment_description_page", 1);
}
