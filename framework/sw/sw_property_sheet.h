#pragma once
// The console's property sheet: OK, Cancel, Apply, Refresh and Help; it owns the pages added
// to it and hands each the agent, the console's selection, the chassis description and the
// hold flag. See CSwBasePropPage for the life cycle it drives.
//
// Use:
//     auto* sheet = new CSwPropertySheet("Ethernet Slot:3 Port:5", 0, parent, 0);
//     sheet->SetSelection(3, 5, {{3, 5}, {3, 6}}, "10.0.0.1", &health);
//     sheet->AddPage(page);            // InitPage (and CreateRequests if an agent is set)
//     sheet->SetChassisInfoObject(&chassis);
//     sheet->SetAgent(&agent);         // binds every page's CMibComm, then CreateRequests
//     sheet->ActivateSheet();          // modeless; or DoModal()
//
// A modeless sheet that closes posts WM_USER + 102 (kSheetClosedMessage) to its parent
// window with the sheet as second parameter; the parent then deletes it.

#include <vector>

#include "framework/afx/dialog.h"
#include "framework/sw/sw_base_prop_page.h"

constexpr UINT kSheetClosedMessage = WM_USER + 102;
constexpr int ID_SW_REFRESH = 0x3110;

class CSwPropertySheet : public CPropertySheet {
    DECLARE_DYNAMIC(CSwPropertySheet)
public:
    CSwPropertySheet(LPCTSTR caption, UINT unused = 0, CWnd* parent = nullptr, UINT selectPage = 0);
    ~CSwPropertySheet() override;

    // The sheet takes ownership of page.
    void AddPage(CSwBasePropPage* page);
    void SetAgent(CMibAgent* agent);
    CMibAgent* GetAgent() const { return m_agent; }
    void SetChassisInfoObject(CNxChassisInfo* chassis);
    CNxChassisInfo* GetChassisInfoObject() const { return m_chassisInfo; }
    // The console's selection: the sheet's own slot and port, the selected ports, the agent's
    // address and the health object (may be NULL).
    void SetSelection(int slot, int port, const std::vector<sw::SlotPort>& selectedPorts,
                      LPCTSTR agentAddress, CHealth* health);
    void SetHold(int hold);
    int GetHold() const { return m_hold; }

    // Shows the sheet modeless (created if needed) and activates page `page`.
    BOOL ActivateSheet(int page = 0);
    // Hides the pages while a page's modal dialog is up; Expand shows them again. Nested
    // pairs are counted.
    void Shrink();
    void Expand();
    bool isShrunk() const { return m_shrinkDepth > 0; }

    virtual void OnRefresh();
    virtual void OnHelp();
    void OnOK() override;
    void OnCancel() override;

    int m_slot = 0;
    int m_port = 0;
    // Set by a creator that keeps the sheet beside its own window (informational: every
    // sheet not run by DoModal announces its closing).
    int m_modeless = 0;

protected:
    void createButtons() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    CSwBasePropPage* swPage(int index) const;
    void handSelectionTo(CSwBasePropPage* page) const;
    void aboutToCloseAll();

    CMibAgent* m_agent = nullptr;
    CNxChassisInfo* m_chassisInfo = nullptr;
    CHealth* m_health = nullptr;
    CString m_agentAddress;
    std::vector<sw::SlotPort> m_selectedPorts;
    int m_hold = 0;
    int m_shrinkDepth = 0;
    std::vector<bool> m_visibleBeforeShrink;
    bool m_destroying = false;

    DECLARE_MESSAGE_MAP()
};
