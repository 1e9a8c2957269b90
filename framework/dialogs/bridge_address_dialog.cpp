#include "framework/dialogs/bridge_address_dialog.h"

#include <cctype>
#include <string>

#include "framework/afx/ddx.h"
#include "framework/dialogs/dialog_ids.h"
#include "framework/sw/help_engine.h"

BEGIN_MESSAGE_MAP(CBridgeAddrDialog, CSwBaseDialog)
ON_BN_CLICKED(IDC_BRIDGE_ADD, &CBridgeAddrDialog::OnAdd)
ON_BN_CLICKED(IDC_BRIDGE_REMOVE, &CBridgeAddrDialog::OnRemove)
END_MESSAGE_MAP()

namespace {

constexpr LPCTSTR kVariables[] = {"vBrdgStaticGroupId",     "vBrdgStaticAddress",
                                  "vBrdgStaticPortSlot",    "vBrdgStaticPortIF",
                                  "vBrdgStaticPortFuncTyp", "vBrdgStaticPortFuncTypInst",
                                  "vBrdgStaticStatus"};
constexpr long kStatusInvalid = 2;  // deletes the entry

}  // namespace

CBridgeAddrDialog::CBridgeAddrDialog(CWnd* parent)
    : CSwBaseDialog(IDD_BELVA_BRIDGE_ADDRESS, parent) {}

CBridgeAddrDialog::~CBridgeAddrDialog() {
    if (m_tableRequest != 0) {
        m_mibComm->ReleaseRequest(m_tableRequest);
    }
}

void CBridgeAddrDialog::DoDataExchange(CDataExchange* dx) {
    CSwBaseDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_BRIDGE_LIST, m_list);
    DDX_Text(dx, IDC_BRIDGE_ADDRESS, m_address);
    DDV_MaxChars(dx, m_address, 17);
    DDX_Text(dx, IDC_BRIDGE_VPORT, m_vportText);
    DDX_Text(dx, IDC_BRIDGE_GROUP, m_groupText);
}

BOOL CBridgeAddrDialog::OnInitDialog() {
    CSwBaseDialog::OnInitDialog();
    CStringArray headings;
    headings.Add("MAC Address");
    headings.Add("Group");
    headings.Add("Status");
    CUIntArray widths;
    widths.Add(90);
    widths.Add(40);
    widths.Add(70);
    m_list.SetColumnHdgs(&headings, &widths, nullptr);
    const CString service =
        m_agent ? m_mibComm->GetEnumText("vportFuncType", static_cast<short>(m_serviceType))
                : CString();
    m_vportText.Format("Slot %d Port %d %s %d", m_slot, m_port, static_cast<LPCTSTR>(service),
                       m_instance);
    if (m_groupNumber > 0) {
        m_groupText.Format("%d", m_groupNumber);
    } else {
        m_groupText = "none";
    }
    GetDlgItem(IDC_BRIDGE_ADD)->EnableWindow(m_groupNumber > 0);
    UpdateData(FALSE);
    RequestData();
    return TRUE;
}

void CBridgeAddrDialog::RequestData() {
    if (!m_agent) {
        return;
    }
    if (m_tableRequest == 0) {
        m_tableRequest = m_mibComm->OpenRequest(0, "vBrdgStaticTable", kVariables, 7);
    }
    CreateWaitCursor();
    m_mibComm->SetReload(m_tableRequest, 1);
    m_mibComm->RequestTable(m_tableRequest);
}

void CBridgeAddrDialog::FillList() {
    m_list.ClearCtrl();
    CStringArray headings;
    headings.Add("MAC Address");
    headings.Add("Group");
    headings.Add("Status");
    m_list.SetColumnHdgs(&headings, nullptr, nullptr);
    const long rows = m_mibComm->GetRowCount(m_tableRequest);
    for (long r = 0; r < rows; ++r) {
        if (!m_mibComm->GotoRow(m_tableRequest, r)) {
            MessageBox("Unable to access static address record", "Error", MB_OK);
            break;
        }
        if (m_mibComm->GetInteger(m_tableRequest, "vBrdgStaticPortSlot") != m_slot ||
            m_mibComm->GetInteger(m_tableRequest, "vBrdgStaticPortIF") != m_port ||
            m_mibComm->GetInteger(m_tableRequest, "vBrdgStaticPortFuncTyp") != m_serviceType ||
            m_mibComm->GetInteger(m_tableRequest, "vBrdgStaticPortFuncTypInst") != m_instance) {
            continue;
        }
        CStringArray texts;
        texts.Add(m_mibComm->GetString(m_tableRequest, "vBrdgStaticAddress"));
        texts.Add(m_mibComm->GetString(m_tableRequest, "vBrdgStaticGroupId"));
        texts.Add(m_mibComm->GetString(m_tableRequest, "vBrdgStaticStatus"));
        m_list.AddItem(&texts);
    }
    m_list.SortOnColumn(0, 1);
    GetDlgItem(IDC_BRIDGE_REMOVE)->EnableWindow(m_list.GetItemCount() > 0);
}

void CBridgeAddrDialog::OnRequestDone(int h) {
    if (h != m_tableRequest) {
        return;
    }
    if (m_setPending) {
        m_setPending = 0;
        RequestData();
        return;
    }
    FillList();
    m_loaded = 1;
}

void CBridgeAddrDialog::OnError(int h) {
    m_setPending = 0;
    CSwBaseDialog::OnError(h);
}

CString CBridgeAddrDialog::NormalizedMac(const CString& text) {
    const std::string s(text);
    if (s.size() != 17) {
        return "";
    }
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const auto ch = static_cast<unsigned char>(s[i]);
        if (i % 3 == 2) {
            if (ch != ':') {
                return "";
            }
            out += ':';
        } else {
            if (!std::isxdigit(ch)) {
                return "";
            }
            out += static_cast<char>(std::tolower(ch));
        }
    }
    return out.c_str();
}

BOOL CBridgeAddrDialog::SendEntry(const CString& group, const CString& mac, bool add) {
    CStringArray index;
    index.Add(group);
    index.Add(mac);
    if (!m_mibComm->SetRowIndex(m_tableRequest, &index)) {
        MessageBox("The address cannot be used as a table index.", "Error",
                   MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    if (add) {
        m_mibComm->SetInteger(m_tableRequest, "vBrdgStaticPortSlot", m_slot);
        m_mibComm->SetInteger(m_tableRequest, "vBrdgStaticPortIF", m_port);
        m_mibComm->SetInteger(m_tableRequest, "vBrdgStaticPortFuncTyp", m_serviceType);
        m_mibComm->SetInteger(m_tableRequest, "vBrdgStaticPortFuncTypInst", m_instance);
        m_mibComm->SetInteger(m_tableRequest, "vBrdgStaticStatus", m_entryStatus);
    } else {
        m_mibComm->SetInteger(m_tableRequest, "vBrdgStaticStatus", kStatusInvalid);
    }
    m_mibComm->SetReRead(m_tableRequest, FALSE);
    m_setPending = 1;
    CreateWaitCursor();
    if (!m_mibComm->SendSet(m_tableRequest)) {
        m_setPending = 0;
        MessageBox("The change could not be sent.", "Error", MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    return TRUE;
}

void CBridgeAddrDialog::OnAdd() {
    UpdateData(TRUE);
    if (m_tableRequest == 0 || m_setPending) {
        return;
    }
    const CString mac = NormalizedMac(m_address);
    if (mac.IsEmpty()) {
        MessageBox(
            "Enter the MAC address as six hexadecimal octets separated by colons,\n"
            "for example 00:A0:12:34:56:78.",
            "Error", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    CString group;
    group.Format("%d", m_groupNumber);
    if (SendEntry(group, mac, true)) {
        m_address.Empty();
        UpdateData(FALSE);
    }
}

void CBridgeAddrDialog::OnRemove() {
    CUIntArray rows;
    if (m_tableRequest == 0 || m_setPending || m_list.GetSelectedItems(&rows) == 0) {
        if (m_list.GetSelectedCount() == 0) {
            MessageBox("Choose the address to remove.", "Notice", MB_OK | MB_ICONINFORMATION);
        }
        return;
    }
    const int row = static_cast<int>(rows[0]);
    SendEntry(m_list.GetColumnText(row, 1), m_list.GetColumnText(row, 0), false);
}

void CBridgeAddrDialog::OnHelp() {
    HelpEngine("Belva_help\\static_bridge_address_dialog", 1);
}
