#pragma once
// "Port Mirroring": whether the traffic of one virtual port is copied to another port, and
// to which. Apply writes the mirroring row of the port (the switch creates it the first
// time) and reads it back; m_changed tells the caller that the mirroring changed.
//
// Before DoModal the caller gives the virtual port's index texts ("Slot", "Port", "Service",
// "Instance") and the chassis description, which tells the ports that can take the copies.

#include "framework/afx/collections.h"
#include "framework/afx/controls.h"
#include "framework/afx/cstring.h"
#include "framework/afx/message_map.h"
#include "framework/afx/win_types.h"
#include "framework/afx/wnd.h"
#include "framework/sw/numeric_edit.h"
#include "framework/sw/nx_chassis_info.h"
#include "framework/sw/sw_base_dialog.h"

class CPortMirrorDialog : public CSwBaseDialog {
public:
    explicit CPortMirrorDialog(CWnd* parent = nullptr);
    ~CPortMirrorDialog() override;

    CStringArray* m_indexTexts = nullptr;
    CNxChassisInfo* m_chassisInfo = nullptr;
    int m_changed = 0;  // nonzero once a change was applied

    BOOL OnInitDialog() override;
    void RequestData() override;
    BOOL ApplyChanges() override;
    void OnRequestDone(int h) override;
    void OnError(int h) override;
    void OnHelp() override;

protected:
    void DoDataExchange(CDataExchange* dx) override;
    void OnEdited();

private:
    void ShowRow(bool exists);

    long m_request = 0;
    int m_applyPending = 0;
    CComboBox m_statusCombo;
    CNumericEdit m_toSlotEdit;
    CNumericEdit m_toPortEdit;
    CString m_vportText;
    CString m_sessionText;
    CString m_toSlot;
    CString m_toPort;

    DECLARE_MESSAGE_MAP()
};
