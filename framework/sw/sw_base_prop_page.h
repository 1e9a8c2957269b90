#pragma once
// The base of every property page. The sheet (CSwPropertySheet) drives the life cycle:
//   InitPage when the page is added; CreateRequests once the sheet has an agent (at once if
//   it already has one); OnInitDialog at the first activation; OnSetActive / OnKillActive on
//   every switch; OnApply on Apply and OK for the pages that were activated; Refresh and
//   OnHelp for the active page; ReleaseRequests, then deletion, when the sheet goes.
//
// The page owns one CMibComm, bound to the sheet's agent. Its completions arrive as
// OnRequestDone(h) / OnError(h) from the event loop; none arrive after the page is gone.
// CreateWaitCursor shows the wait cursor until the next completion or failure of any of this
// page's requests has been handled (or the page goes); calling it again meanwhile keeps the
// one cursor.

#include <memory>
#include <utility>
#include <vector>

#include "framework/afx/dialog.h"
#include "framework/mib/mib_agent.h"
#include "framework/mib/mib_comm.h"
#include "framework/sw/health.h"
#include "framework/sw/nx_chassis_info.h"
#include "framework/sw/request_outcome_relay.h"
#include "framework/sw/slot_port.h"
#include "framework/sw/sw_list_ctrl.h"

class CSwPropertySheet;

class CSwBasePropPage : public CPropertyPage, public sw::DragSource {
    DECLARE_DYNAMIC(CSwBasePropPage)
public:
    explicit CSwBasePropPage(UINT templateId);
    ~CSwBasePropPage() override;

    // What the pages read (the sheet fills them).
    CMibAgent* m_agent = nullptr;
    CMibComm* m_mibComm = nullptr;  // the page's own, never NULL
    int m_loaded = 0;
    CString m_agentAddress;
    int m_slot = 0;
    int m_port = 0;
    CSwPropertySheet* m_sheet = nullptr;
    CNxChassisInfo* m_chassisInfo = nullptr;
    CHealth* m_health = nullptr;  // may be NULL
    int m_hold = 0;               // while set, activation reads nothing

    // Life-cycle operations.
    virtual void SetOnlyIndexValues(CStringArray* indexValues);
    virtual BOOL Refresh();
    virtual void OnHelp();
    virtual void InitPage();
    virtual void CreateRequests();
    virtual void ReleaseRequests();
    virtual void OnRequestDone(int h);
    // Tells the operator of the failure ("Error", exclamation icon, the component's error text
    // and the agent's name; a polled reading only once per failure streak), keeps the page
    // modified after a failed set, and ends the wait cursor.
    virtual void OnError(int h);
    virtual void AboutToClose();
    virtual CString CreateDragDropString(int item);

    // Services.
    void SetDirty(int dirty = 1);
    void SetClean(int clean = 1);
    void CreateWaitCursor();
    // Whether the console selected the port. The console selects ports of one type, so
    // portType is accepted for the pages' sake and not compared.
    BOOL IsPortSelected(int slot, int port, int portType) const;
    int GetSelectedPortCount() const;
    // Entries slot * 65536 + port in the console's order; returns the count. ports may be NULL.
    int GetSelectedPorts(CUIntArray* ports) const;
    // The drag string of one value (format in drag_drop_string.h).
    CString CreateDragDropStringHelper(LPCTSTR agentAddress, LPCTSTR variable, LPCTSTR value,
                                       CStringArray* indexTexts, LPCTSTR label, LPCTSTR source,
                                       int slot, int port, int unit);
    BOOL OnApply() override;

    // Called by the sheet.
    void bindAgent(CMibAgent* agent);
    void setSelection(int slot, int port, const std::vector<sw::SlotPort>& ports,
                      const CString& agentAddress, CHealth* health);
    const CStringArray& indexValues() const { return m_indexValues; }
    bool waitCursorShown() const { return m_relay.waiting(); }

    // sw::DragSource
    CString dragStringForRow(int row) override { return CreateDragDropString(row); }

protected:
    CStringArray m_indexValues;

private:
    std::vector<sw::SlotPort> m_selectedPorts;
    sw::RequestOutcomeRelay m_relay;
    std::unique_ptr<CMibComm> m_ownedComm;  // after the relay: goes first
};
