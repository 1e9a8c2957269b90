#pragma once
// "Static Bridge Addresses": the static bridge table's entries that forward to one virtual
// port, with Add (a typed MAC address) and Remove (the chosen entry). Each change is sent
// at once and the list read again.
//
// Before DoModal the caller gives the virtual port (SpecifyVPort), the status a new entry
// gets (m_entryStatus; 3 keeps it until it is removed) and the group it is added in.

#include "framework/afx/cstring.h"
#include "framework/afx/message_map.h"
#include "framework/afx/win_types.h"
#include "framework/afx/wnd.h"
#include "framework/sw/sw_base_dialog.h"
#include "framework/sw/sw_list_ctrl.h"

class CBridgeAddrDialog : public CSwBaseDialog {
public:
    explicit CBridgeAddrDialog(CWnd* parent = nullptr);
    ~CBridgeAddrDialog() override;

    int m_entryStatus = 3;  // vBrdgStaticStatus of an added entry
    int m_groupNumber = 0;  // vBrdgStaticGroupId of an added entry

    BOOL OnInitDialog() override;
    void RequestData() override;
    void OnRequestDone(int h) override;
    void OnError(int h) override;
    void OnHelp() override;

    // "00:A0:12:34:56:78" (case ignored) as the lower-case text the switch shows; "" when
    // the text is not six two-digit hexadecimal octets separated by colons.
    static CString NormalizedMac(const CString& text);

protected:
    void DoDataExchange(CDataExchange* dx) override;
    void OnAdd();
    void OnRemove();

private:
    void FillList();
    BOOL SendEntry(const CString& group, const CString& mac, bool add);

    long m_tableRequest = 0;
    int m_setPending = 0;
    CSwListCtrl m_list;
    CString m_address;
    CString m_vportText;
    CString m_groupText;

    DECLARE_MESSAGE_MAP()
};
